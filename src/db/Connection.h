#pragma once

#include "ConnectionSettings.h"
#include "ResultSet.h"

#include <QString>
#include <QVariantMap>

struct st_mysql;

namespace db {

/// One session with a MariaDB server over the C client library.
///
/// Sessions run in autocommit with read-committed isolation and report found
/// rather than changed rows, so rewriting a row with the same values still
/// counts as one row. A session dropped by the server (idle timeout, restart)
/// is reopened once, transparently, before a statement is reported as failed.
class Connection {
public:
    explicit Connection(ConnectionSettings settings = {});
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const ConnectionSettings& settings() const { return m_settings; }
    void setSettings(const ConnectionSettings& settings) { m_settings = settings; }
    void setHost(const QString& host) { m_settings.host = host; }
    QString host() const { return m_settings.host; }

    void open();  // throws DbError with the server's message
    void close();
    bool isOpen() const { return m_mysql != nullptr; }

    /// Keep-alive: true when the server answered. A failed ping closes the session.
    bool ping();

    /// Runs one statement. `params` fills its `:named` parameters (names
    /// case-insensitive). Opens the session when it is closed.
    ResultSet execute(const QString& sql, const QVariantMap& params = {});

    /// The statement with its parameters replaced by escaped literals.
    QString bind(const QString& sql, const QVariantMap& params);
    QString quote(const QString& text);

    /// Server thread id of the session (0 when closed); lets tests drop it.
    quint64 threadId() const;
    /// How many times a dropped session was reopened.
    int reconnectCount() const { return m_reconnects; }

private:
    ResultSet run(const QString& statement);
    void ensureOpen();

    ConnectionSettings m_settings;
    st_mysql* m_mysql = nullptr;
    int m_reconnects = 0;
};

}  // namespace db
