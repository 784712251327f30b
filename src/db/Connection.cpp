#include "Connection.h"

#include "DbError.h"
#include "SqlText.h"

#include <mysql.h>
#include <errmsg.h>

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace db {

namespace {

constexpr unsigned int kBinaryCharset = 63;

bool isDroppedSession(unsigned int code) {
    return code == CR_SERVER_GONE_ERROR || code == CR_SERVER_LOST;
}

QVariant toValue(const char* data, unsigned long length, const MYSQL_FIELD& field) {
    if (data == nullptr) return QVariant();
    const QByteArray raw(data, qsizetype(length));
    switch (field.type) {
        case MYSQL_TYPE_TINY:
        case MYSQL_TYPE_SHORT:
        case MYSQL_TYPE_LONG:
        case MYSQL_TYPE_INT24:
        case MYSQL_TYPE_YEAR: {
            return QVariant(raw.toInt());
        }
        case MYSQL_TYPE_LONGLONG:
            return QVariant(raw.toLongLong());
        case MYSQL_TYPE_FLOAT:
        case MYSQL_TYPE_DOUBLE:
        case MYSQL_TYPE_DECIMAL:
        case MYSQL_TYPE_NEWDECIMAL:
            return QVariant(raw.toDouble());
        case MYSQL_TYPE_DATE:
        case MYSQL_TYPE_NEWDATE: {
            const QDate d = QDate::fromString(QString::fromLatin1(raw), Qt::ISODate);
            return d.isValid() ? QVariant(d) : QVariant();  // zero dates read as empty
        }
        case MYSQL_TYPE_TIME:
            return QVariant(QTime::fromString(QString::fromLatin1(raw.left(8)), Qt::ISODate));
        case MYSQL_TYPE_DATETIME:
        case MYSQL_TYPE_TIMESTAMP: {
            const QDateTime dt =
                QDateTime::fromString(QString::fromLatin1(raw.left(19)), Qt::ISODate);
            return dt.isValid() ? QVariant(dt) : QVariant();
        }
        case MYSQL_TYPE_TINY_BLOB:
        case MYSQL_TYPE_MEDIUM_BLOB:
        case MYSQL_TYPE_LONG_BLOB:
        case MYSQL_TYPE_BLOB:
            if (field.charsetnr == kBinaryCharset) return QVariant(raw);
            return QVariant(QString::fromUtf8(raw));
        default:
            return QVariant(QString::fromUtf8(raw));
    }
}

}  // namespace

Connection::Connection(ConnectionSettings settings) : m_settings(std::move(settings)) {}

Connection::~Connection() { close(); }

void Connection::open() {
    if (m_mysql) return;
    MYSQL* mysql = mysql_init(nullptr);
    if (!mysql) throw DbError(QStringLiteral("Sem memória para a conexão com o banco de dados"));
    const unsigned int connectTimeout = 10;
    mysql_options(mysql, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    mysql_options(mysql, MYSQL_OPT_CONNECT_TIMEOUT, &connectTimeout);
    const QByteArray host = m_settings.host.toUtf8();
    const QByteArray user = m_settings.user.toUtf8();
    const QByteArray password = m_settings.password.toUtf8();
    const QByteArray database = m_settings.database.toUtf8();
    if (!mysql_real_connect(mysql, host.constData(), user.constData(), password.constData(),
                            database.isEmpty() ? nullptr : database.constData(),
                            unsigned(m_settings.port), nullptr, CLIENT_FOUND_ROWS)) {
        const DbError error(QString::fromUtf8(mysql_error(mysql)), mysql_errno(mysql));
        mysql_close(mysql);
        throw error;
    }
    mysql_autocommit(mysql, 1);
    m_mysql = mysql;
    run(QStringLiteral("SET SESSION TRANSACTION ISOLATION LEVEL READ COMMITTED"));
}

void Connection::close() {
    if (!m_mysql) return;
    mysql_close(m_mysql);
    m_mysql = nullptr;
}

bool Connection::ping() {
    if (!m_mysql) return false;
    if (mysql_ping(m_mysql) == 0) return true;
    close();
    return false;
}

void Connection::ensureOpen() {
    if (!m_mysql) open();
}

quint64 Connection::threadId() const { return m_mysql ? mysql_thread_id(m_mysql) : 0; }

QString Connection::quote(const QString& text) {
    ensureOpen();
    const QByteArray in = text.toUtf8();
    QByteArray out(in.size() * 2 + 1, Qt::Uninitialized);
    const unsigned long n =
        mysql_real_escape_string(m_mysql, out.data(), in.constData(), (unsigned long)in.size());
    out.truncate(qsizetype(n));
    return u'\'' + QString::fromUtf8(out) + u'\'';
}

QString Connection::bind(const QString& sql, const QVariantMap& params) {
    QHash<QString, QVariant> upper;
    for (auto it = params.cbegin(); it != params.cend(); ++it) upper.insert(it.key().toUpper(), *it);
    return bindParameters(sql, [&](const QString& name) -> QString {
        const auto it = upper.constFind(name);
        if (it == upper.cend())
            throw DbError(QStringLiteral("Parâmetro sem valor: ") + name);
        return sqlLiteral(*it, [this](const QString& t) { return quote(t); });
    });
}

ResultSet Connection::execute(const QString& sql, const QVariantMap& params) {
    ensureOpen();
    const QString statement = params.isEmpty() && parameterNames(sql).isEmpty()
                                  ? sql
                                  : bind(sql, params);
    try {
        return run(statement);
    } catch (const DbError& e) {
        if (!isDroppedSession(e.code())) throw;
    }
    // The server dropped the session (idle timeout, restart). Reopen once and
    // try again, so a run is not lost to a connection that sat idle.
    close();
    open();
    ++m_reconnects;
    return run(statement);
}

ResultSet Connection::run(const QString& statement) {
    const QByteArray text = statement.toUtf8();
    if (mysql_real_query(m_mysql, text.constData(), (unsigned long)text.size()) != 0)
        throw DbError(QString::fromUtf8(mysql_error(m_mysql)), mysql_errno(m_mysql));
    MYSQL_RES* res = mysql_store_result(m_mysql);
    if (!res) {
        if (mysql_field_count(m_mysql) != 0)
            throw DbError(QString::fromUtf8(mysql_error(m_mysql)), mysql_errno(m_mysql));
        ResultSet empty;
        empty.affectedRows = mysql_affected_rows(m_mysql);
        empty.insertId = mysql_insert_id(m_mysql);
        return empty;
    }
    const unsigned int fieldCount = mysql_num_fields(res);
    const MYSQL_FIELD* fields = mysql_fetch_fields(res);
    QStringList names;
    for (unsigned int i = 0; i < fieldCount; ++i) names << QString::fromUtf8(fields[i].name);
    ResultSet result(names);
    while (MYSQL_ROW row = mysql_fetch_row(res)) {
        const unsigned long* lengths = mysql_fetch_lengths(res);
        QVariantList values;
        values.reserve(fieldCount);
        for (unsigned int i = 0; i < fieldCount; ++i)
            values << toValue(row[i], lengths[i], fields[i]);
        result.appendRow(std::move(values));
    }
    mysql_free_result(res);
    result.affectedRows = quint64(result.rowCount());
    return result;
}

}  // namespace db
