#include "MessageHub.h"

#include <QTcpServer>
#include <QTcpSocket>

MessageHub::MessageHub(QObject* parent) : QObject(parent), m_server(new QTcpServer(this)) {
    m_server->setObjectName(QStringLiteral("S_Server"));
    connect(m_server, &QTcpServer::newConnection, this, &MessageHub::acceptPending);
}

MessageHub::~MessageHub() { close(); }

bool MessageHub::listen(quint16 port) {
    if (m_server->isListening()) return true;
    return m_server->listen(QHostAddress::Any, port);
}

bool MessageHub::isListening() const { return m_server->isListening(); }

quint16 MessageHub::port() const { return m_server->serverPort(); }

QString MessageHub::errorString() const { return m_server->errorString(); }

void MessageHub::close() {
    m_server->close();
    const QList<QTcpSocket*> clients = m_clients;
    m_clients.clear();
    for (QTcpSocket* c : clients) {
        c->disconnect(this);
        c->abort();
        c->deleteLater();
    }
}

void MessageHub::acceptPending() {
    while (QTcpSocket* client = m_server->nextPendingConnection()) {
        client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        m_clients.append(client);
        connect(client, &QTcpSocket::readyRead, this, [this, client] { relayFrom(client); });
        connect(client, &QTcpSocket::disconnected, this, [this, client] { forget(client); });
        emit clientConnected();
    }
}

void MessageHub::forget(QTcpSocket* client) {
    if (!m_clients.removeOne(client)) return;
    client->disconnect(this);
    client->deleteLater();
}

void MessageHub::relayFrom(QTcpSocket* sender) {
    const QByteArray text = sender->readAll();
    if (text.isEmpty()) return;
    noticeWhatsApp(text);
    const QList<QTcpSocket*> clients = m_clients;  // a drop below changes the list
    for (QTcpSocket* client : clients) {
        if (client->state() != QAbstractSocket::ConnectedState) continue;
        if (client->bytesToWrite() + text.size() > m_maxPending) {
            const QString peer = QStringLiteral("%1:%2").arg(client->peerAddress().toString()).arg(client->peerPort());
            emit clientDropped(QStringLiteral("Hub: cliente %1 desconectado (não lê as mensagens)").arg(peer));
            client->abort();
            forget(client);
            continue;
        }
        client->write(text);
        client->flush();  // out now: the audience should not wait for the next event-loop turn
    }
}

void MessageHub::noticeWhatsApp(const QByteArray& text) {
    for (const char* status : {"EnviaWhats:Conectado", "EnviaWhats:Desconectou"})
        if (text.contains(status)) emit whatsAppStatus(QString::fromLatin1(status));
}
