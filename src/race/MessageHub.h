#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>

class QTcpServer;
class QTcpSocket;

/// The companion hub: every text a client sends is relayed whole, as read,
/// to every client connected at that moment, the sender included, in the
/// order they connected.
///
/// A companion that stops reading must not stall the race desk or starve
/// the others: what a client may have waiting is capped, and a client over
/// the cap is dropped.
class MessageHub : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kDefaultMaxPending = 4 * 1024 * 1024;

    explicit MessageHub(QObject* parent = nullptr);
    ~MessageHub() override;

    /// Listens on every local address; port 0 picks a free one (tests).
    bool listen(quint16 port);
    bool isListening() const;
    quint16 port() const;
    QString errorString() const;
    void close();

    int clientCount() const { return int(m_clients.size()); }
    void setMaxPendingBytes(qint64 bytes) { m_maxPending = bytes; }

signals:
    /// A companion connected; the station greets it with the event's data.
    void clientConnected();
    /// "EnviaWhats:Conectado" / "EnviaWhats:Desconectou" passed through the hub.
    void whatsAppStatus(const QString& status);
    /// A client was dropped for not reading; `reason` is for the run log.
    void clientDropped(const QString& reason);

private:
    void acceptPending();
    void relayFrom(QTcpSocket* sender);
    void forget(QTcpSocket* client);
    void noticeWhatsApp(const QByteArray& text);

    QTcpServer* m_server;
    QList<QTcpSocket*> m_clients;
    qint64 m_maxPending = kDefaultMaxPending;
};
