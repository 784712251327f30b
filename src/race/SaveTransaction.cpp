#include "SaveTransaction.h"

#include "db/Connection.h"
#include "db/DbError.h"

#include <QUuid>

namespace {

const QString kLost = QStringLiteral("a conexão com o banco de dados caiu durante o salvamento.");

}  // namespace

SaveTransaction::SaveTransaction(db::Connection& connection) : m_connection(connection) {
    m_token = QUuid::createUuid().toString(QUuid::WithoutBraces);
    // The token goes in first: a session that drops between the two
    // statements comes back without it, and is caught at the first check
    // instead of carrying a transaction the token does not vouch for.
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_connection.execute(QStringLiteral("SET @vud_save_token = :token"), {{QStringLiteral("token"), m_token}});
        m_threadId = m_connection.threadId();
        m_reconnects = m_connection.reconnectCount();
        m_connection.execute(QStringLiteral("START TRANSACTION"));
        if (!sessionReplaced()) {
            m_active = true;
            return;
        }
    }
    lost();
}

SaveTransaction::~SaveTransaction() {
    if (m_active) rollback();
}

bool SaveTransaction::sessionReplaced() const {
    return m_connection.threadId() != m_threadId || m_connection.reconnectCount() != m_reconnects;
}

void SaveTransaction::lost() {
    // The server discarded the transaction with its session; there is
    // nothing left to roll back.
    m_active = false;
    throw db::DbError(kLost);
}

void SaveTransaction::ensureSession() {
    const db::ResultSet r = m_connection.execute(QStringLiteral("SELECT @vud_save_token"));
    if (sessionReplaced() || r.rowCount() != 1 || r.row(0).at(0).toString() != m_token) lost();
}

void SaveTransaction::inserted(const QString& table, qint64 code) {
    if (m_firstTable.isEmpty()) {
        m_firstTable = table;
        m_firstCode = code;
    }
    if (!sessionReplaced()) return;
    try {
        m_connection.execute(QStringLiteral("DELETE FROM %1 WHERE CODIGO = :codigo").arg(table),
                             {{QStringLiteral("codigo"), code}});
    } catch (const db::DbError&) {
        // Reported below all the same: the save did not happen.
    }
    lost();
}

void SaveTransaction::updated() {
    if (sessionReplaced()) lost();
}

void SaveTransaction::commit() {
    ensureSession();
    try {
        m_connection.execute(QStringLiteral("COMMIT"));
    } catch (const db::DbError& e) {
        if (!sessionReplaced()) throw;  // still our session: the rollback takes it back
        m_active = false;
        throw SaveUncertain(QStringLiteral("a conexão com o banco de dados caiu ao confirmar o salvamento; "
                                           "confira as passagens gravadas antes de salvar de novo. ") +
                                e.message(),
                            e.code());
    }
    m_active = false;
    if (!sessionReplaced()) return;
    // The session dropped while committing and the commit was sent again on
    // a new one, where it confirms nothing. The server either stored the
    // rows or none of them: the first row inserted tells which.
    if (!m_firstTable.isEmpty()) {
        const db::ResultSet r =
            m_connection.execute(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE CODIGO = :codigo").arg(m_firstTable),
                                 {{QStringLiteral("codigo"), m_firstCode}});
        if (r.rowCount() == 1 && r.row(0).at(0).toLongLong() == 1) return;
    }
    lost();
}

bool SaveTransaction::rollback() noexcept {
    m_active = false;
    try {
        // Harmless on a session that replaced the transaction's own.
        m_connection.execute(QStringLiteral("ROLLBACK"));
        return true;
    } catch (...) {
        return false;
    }
}
