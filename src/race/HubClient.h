#pragma once

#include "race/RaceOutputs.h"

#include <QObject>

class QTcpSocket;

/// The station's own connection to its hub (`S_Cliente`): everything the
/// station publishes goes through it, and comes back relayed like any
/// companion's text.
class HubClient : public QObject, public Publisher {
    Q_OBJECT
public:
    explicit HubClient(QObject* parent = nullptr);

    /// Connects to 127.0.0.1 on `port` unless already connected or connecting.
    void activate(quint16 port);
    bool isConnected() const;

    /// Sends one message. Dropped while not connected; a send error closes
    /// the connection and throws, for the error handler.
    void publish(const QString& message) override;

signals:
    /// Text relayed back by the hub.
    void received(const QByteArray& text);

private:
    QTcpSocket* m_socket;
};
