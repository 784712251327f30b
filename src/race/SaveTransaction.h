#pragma once

#include "db/DbError.h"

#include <QString>

namespace db {
class Connection;
}

/// The session dropped while the commit was under way and the server could
/// not be asked afterwards whether the rows went in.
class SaveUncertain : public db::DbError {
public:
    using db::DbError::DbError;
};

/// One database transaction around the rows of a run save, so that a pair
/// is stored whole or not at all and can simply be saved again.
///
/// The connection reopens a dropped session by itself and runs the failed
/// statement again in autocommit. Inside a transaction that would be a lie:
/// the server has already thrown away what the old session wrote, while the
/// statements after the reconnect would be stored one by one. So the
/// transaction keeps a token in its session and checks, before every write
/// and before the commit, that it is still talking to that session; when it
/// is not, it throws and the save is reported as not stored.
class SaveTransaction {
public:
    /// Starts the transaction. Throws db::DbError when the server cannot be reached.
    explicit SaveTransaction(db::Connection& connection);
    /// Rolls back unless committed.
    ~SaveTransaction();
    SaveTransaction(const SaveTransaction&) = delete;
    SaveTransaction& operator=(const SaveTransaction&) = delete;

    /// Asks the server whether the transaction's session is still the one in
    /// use. Throws db::DbError when it was lost (nothing of it will be stored).
    void ensureSession();
    /// After a row was inserted into `table` with key `code`. When the session
    /// was replaced during the insert, the row went in on its own: it is
    /// taken out again and db::DbError is thrown.
    void inserted(const QString& table, qint64 code);
    /// After a row was updated. An update that went in on its own after a
    /// reconnect wrote what saving again writes anyway; the loss is reported.
    void updated();

    /// Commits. Throws db::DbError when the rows are not stored; a commit
    /// whose answer was lost with the session is settled by looking for the
    /// first row inserted, and SaveUncertain when even that cannot be asked.
    void commit();
    /// Rolls back; true when the server confirmed it (or had already
    /// discarded the transaction with its session) and can still be reached.
    bool rollback() noexcept;

    bool isActive() const { return m_active; }

private:
    bool sessionReplaced() const;
    [[noreturn]] void lost();

    db::Connection& m_connection;
    QString m_token;
    quint64 m_threadId = 0;
    int m_reconnects = 0;
    bool m_active = false;
    QString m_firstTable;
    qint64 m_firstCode = 0;
};
