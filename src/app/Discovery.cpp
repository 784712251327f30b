#include "Discovery.h"

#include <QEventLoop>
#include <QHostInfo>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QTimer>
#include <QUdpSocket>

namespace discovery {

namespace {
const QByteArray kPing = QByteArrayLiteral("PING");
}

Result findMainStation(const QList<QHostAddress>& targets, quint16 port, int timeoutMs,
                       const QString& localAddress) {
    Result result;
    result.address = localAddress;
    QUdpSocket socket;
    if (!socket.bind(QHostAddress(QHostAddress::AnyIPv4), 0)) {
        result.log << QStringLiteral("UDP: ") + socket.errorString();
        result.log << QStringLiteral("SEM SERVIDOR");
        return result;
    }
    for (const QHostAddress& target : targets) {
        if (socket.writeDatagram(kPing, target, port) < 0)
            result.log << QStringLiteral("UDP %1: %2").arg(target.toString(), socket.errorString());
    }
    QEventLoop loop;
    QTimer silence;
    silence.setSingleShot(true);
    QObject::connect(&silence, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QUdpSocket::readyRead, &loop, [&] {
        while (socket.hasPendingDatagrams()) {
            const QNetworkDatagram d = socket.receiveDatagram();
            const QString answer = QString::fromUtf8(d.data());
            if (answer.isEmpty()) continue;
            result.found = true;
            result.address = answer;  // the last station that answers wins
            result.log << answer;
        }
        silence.start(timeoutMs);  // each datagram gets a fresh time-out
    });
    silence.start(timeoutMs);
    loop.exec();
    if (!result.found) result.log << QStringLiteral("SEM SERVIDOR");
    return result;
}

QStringList localIpv4Addresses() {
    QStringList addresses;
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    for (const QHostAddress& a : info.addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol) addresses << a.toString();
    if (addresses.isEmpty()) {
        for (const QHostAddress& a : QNetworkInterface::allAddresses())
            if (a.protocol() == QAbstractSocket::IPv4Protocol) addresses << a.toString();
    }
    return addresses;
}

}  // namespace discovery

DiscoveryResponder::DiscoveryResponder(QObject* parent)
    : QObject(parent), m_socket(new QUdpSocket(this)) {
    connect(m_socket, &QUdpSocket::readyRead, this, &DiscoveryResponder::readPending);
}

bool DiscoveryResponder::activate(quint16 port) {
    if (isActive()) return true;
    return m_socket->bind(QHostAddress(QHostAddress::AnyIPv4), port);
}

void DiscoveryResponder::deactivate() { m_socket->close(); }

bool DiscoveryResponder::isActive() const { return m_socket->state() == QAbstractSocket::BoundState; }

QString DiscoveryResponder::errorString() const { return m_socket->errorString(); }

void DiscoveryResponder::readPending() {
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = m_socket->receiveDatagram();
        if (d.data() != QByteArrayLiteral("PING")) continue;
        m_socket->writeDatagram(m_answer.toUtf8(), d.senderAddress(), quint16(d.senderPort()));
    }
}
