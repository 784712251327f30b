#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QUdpSocket;

/// Finding the main station of the event on the local network.
namespace discovery {

struct Result {
    bool found = false;  // a main station answered
    QString address;     // the last answer, else the local address
    QStringList log;     // diagnostic lines for the splash list
};

/// Sends "PING" to each target and collects answers, waiting up to
/// `timeoutMs` for each one; the first silence ends the wait. Runs a local
/// event loop, so the splash keeps painting meanwhile.
Result findMainStation(const QList<QHostAddress>& targets, quint16 port, int timeoutMs,
                       const QString& localAddress);

/// The IPv4 addresses of this PC's host name, in the name service's order.
QStringList localIpv4Addresses();

}  // namespace discovery

/// The main station's side: answers each "PING" with the database address.
class DiscoveryResponder : public QObject {
    Q_OBJECT
public:
    explicit DiscoveryResponder(QObject* parent = nullptr);

    void setAnswer(const QString& address) { m_answer = address; }
    /// Listens on `port`; false (with `errorString()`) when the port is taken.
    bool activate(quint16 port);
    void deactivate();
    bool isActive() const;
    QString errorString() const;

private:
    void readPending();

    QUdpSocket* m_socket;
    QString m_answer;
};
