#include "HubClient.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <stdexcept>

HubClient::HubClient(QObject* parent) : QObject(parent), m_socket(new QTcpSocket(this)) {
    m_socket->setObjectName(QStringLiteral("S_Cliente"));
    connect(m_socket, &QTcpSocket::readyRead, this, [this] { emit received(m_socket->readAll()); });
}

void HubClient::activate(quint16 port) {
    if (m_socket->state() != QAbstractSocket::UnconnectedState) return;
    m_socket->connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
}

bool HubClient::isConnected() const { return m_socket->state() == QAbstractSocket::ConnectedState; }

void HubClient::publish(const QString& message) {
    if (!isConnected()) return;
    if (m_socket->write(message.toUtf8()) < 0) {
        const QString error = m_socket->errorString();
        m_socket->abort();
        throw std::runtime_error(error.toStdString());
    }
    // Hand the message to the network now, not at the next event-loop turn,
    // so the audience sees the time as soon as the controller reports it.
    m_socket->flush();
}
