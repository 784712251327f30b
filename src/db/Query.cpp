#include "Query.h"

#include "Connection.h"
#include "DbError.h"
#include "Schema.h"

namespace db {

namespace {
const QString kKey = QStringLiteral("CODIGO");
}

Query::Query(Connection* connection, const QString& sql, QObject* parent)
    : QObject(parent), m_connection(connection), m_sql(sql) {}

void Query::setSql(const QString& sql) {
    m_sql = sql;
    m_params.clear();
}

void Query::addLine(const QString& line) {
    if (!m_sql.isEmpty()) m_sql += u'\n';
    m_sql += line;
}

void Query::setParam(const QString& name, const QVariant& value) { m_params.insert(name.toUpper(), value); }

QVariant Query::param(const QString& name) const { return m_params.value(name.toUpper()); }

void Query::setTable(const QString& table) {
    m_updateSet = UpdateSet{table, Schema::writableColumns(table)};
}

void Query::open() {
    if (isOpen()) return;
    m_rows = m_connection->execute(m_sql, m_params);
    m_state = State::Browse;
    m_current = m_rows.rowCount() > 0 ? 0 : -1;
    m_eof = m_rows.rowCount() == 0;
    emit afterOpen();
    emit afterScroll();
}

void Query::close() {
    if (!isOpen()) return;
    m_state = State::Inactive;
    m_rows = ResultSet();
    m_current = -1;
    m_eof = true;
    m_buffer.clear();
    m_assigned.clear();
    emit afterClose();
}

void Query::refresh() {
    const QVariant code = isOpen() && hasField(kKey) ? value(kKey) : QVariant();
    close();
    open();
    if (code.isValid()) locate(kKey, code);
}

quint64 Query::execSql() { return m_connection->execute(m_sql, m_params).affectedRows; }

void Query::setCurrent(int index) {
    if (m_state == State::Edit || m_state == State::Insert) post();
    const int clamped = m_rows.rowCount() == 0 ? -1 : std::clamp(index, 0, m_rows.rowCount() - 1);
    m_eof = m_rows.rowCount() == 0;
    if (clamped == m_current) return;
    m_current = clamped;
    emit afterScroll();
}

void Query::first() { setCurrent(0); }

void Query::last() { setCurrent(m_rows.rowCount() - 1); }

void Query::prior() { setCurrent(m_current - 1); }

void Query::next() {
    if (m_current >= m_rows.rowCount() - 1) {
        m_eof = true;  // like a cursor: stepping past the last row sets eof
        return;
    }
    setCurrent(m_current + 1);
}

void Query::moveTo(int index) { setCurrent(index); }

bool Query::locate(const QString& column, const QVariant& value) {
    const int col = m_rows.columnIndex(column);
    if (col < 0) return false;
    for (int i = 0; i < m_rows.rowCount(); ++i) {
        if (m_rows.row(i).at(col) == value ||
            (m_rows.row(i).at(col).toString() == value.toString() && !value.toString().isEmpty())) {
            setCurrent(i);
            return true;
        }
    }
    return false;
}

int Query::fieldIndex(const QString& name) const {
    const int index = m_rows.columnIndex(name);
    if (index < 0 && isOpen()) throw DbError(QStringLiteral("Campo não encontrado: ") + name);
    return index;
}

const QVariantList* Query::shownRow() const {
    if (m_state == State::Edit || m_state == State::Insert) return &m_buffer;
    if (m_current < 0) return nullptr;
    return &m_rows.row(m_current);
}

QVariant Query::value(const QString& name) const {
    const int index = fieldIndex(name);
    const QVariantList* row = shownRow();
    return row && index >= 0 ? row->at(index) : QVariant();
}

QVariant Query::valueAt(int row, const QString& name) const {
    const int index = fieldIndex(name);
    if (index < 0 || row < 0 || row >= m_rows.rowCount()) return {};
    return m_rows.row(row).at(index);
}

bool Query::isNull(const QString& name) const {
    const QVariant v = value(name);
    return !v.isValid() || v.isNull();
}

QString Query::text(const QString& name) const { return value(name).toString(); }
int Query::integer(const QString& name) const { return value(name).toInt(); }
double Query::real(const QString& name) const { return value(name).toDouble(); }
QDate Query::date(const QString& name) const { return value(name).toDate(); }
QDateTime Query::dateTime(const QString& name) const { return value(name).toDateTime(); }

void Query::edit() {
    if (!isOpen()) throw DbError(QStringLiteral("Consulta fechada: não é possível editar"));
    if (m_state == State::Edit || m_state == State::Insert) return;
    if (m_current < 0) throw DbError(QStringLiteral("Nenhum registro para editar"));
    m_buffer = m_rows.row(m_current);
    m_assigned.clear();
    m_state = State::Edit;
}

void Query::append() {
    if (!isOpen()) throw DbError(QStringLiteral("Consulta fechada: não é possível incluir"));
    if (m_state == State::Edit || m_state == State::Insert) post();
    m_buffer = QVariantList(m_rows.columns().size());
    m_assigned.clear();
    m_state = State::Insert;
}

void Query::setValue(const QString& name, const QVariant& value) {
    if (m_state != State::Edit && m_state != State::Insert)
        throw DbError(QStringLiteral("Registro não está em edição: ") + name);
    int index = m_rows.columnIndex(name);
    if (index < 0) {
        // A column the statement did not select but the table has: carry it
        // so it is written, as a buffer of a narrower select would not hold it.
        if (!m_updateSet.columns.contains(name, Qt::CaseInsensitive))
            throw DbError(QStringLiteral("Campo não encontrado: ") + name);
        index = m_rows.addColumn(name);
        m_buffer.append(QVariant());
    }
    m_buffer[index] = value;
    m_assigned.insert(index);
}

void Query::cancel() {
    if (m_state == State::Edit || m_state == State::Insert) m_state = State::Browse;
    m_buffer.clear();
    m_assigned.clear();
}

void Query::post() {
    if (m_state == State::Insert)
        postInsert();
    else if (m_state == State::Edit)
        postUpdate();
}

void Query::postInsert() {
    if (!m_updateSet.isValid()) throw DbError(QStringLiteral("Consulta sem tabela para gravar"));
    // Only the columns the writer filled are named, so the database defaults
    // (the 'N' flags among them) apply to the rest.
    QStringList names;
    QStringList values;
    QVariantMap params;
    for (const QString& column : m_updateSet.columns) {
        const int index = m_rows.columnIndex(column);
        if (index < 0 || !m_assigned.contains(index)) continue;
        const QString p = QStringLiteral("P%1").arg(names.size());
        names << column;
        values << u':' + p;
        params.insert(p, m_buffer.at(index));
    }
    const QString sql = names.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 () VALUES ()").arg(m_updateSet.table)
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(m_updateSet.table, names.join(u','), values.join(u','));
    const ResultSet r = m_connection->execute(sql, params);
    m_state = State::Browse;
    m_rows.appendRow(m_buffer);
    m_buffer.clear();
    m_assigned.clear();
    m_current = m_rows.rowCount() - 1;
    m_eof = false;
    readBack(qint64(r.insertId));
    emit afterScroll();
}

/// Fills the new row with what the database stored: the generated key and
/// the column defaults, so the row reads as a later open would read it.
void Query::readBack(qint64 code) {
    const ResultSet stored = m_connection->execute(
        QStringLiteral("SELECT * FROM %1 WHERE CODIGO = :c").arg(m_updateSet.table),
        {{QStringLiteral("c"), code}});
    QVariantList& row = m_rows.row(m_current);
    if (stored.rowCount() == 0) {
        const int keyIndex = m_rows.columnIndex(kKey);
        if (keyIndex >= 0) row[keyIndex] = code;
        return;
    }
    for (int c = 0; c < stored.columns().size(); ++c) {
        const int index = m_rows.columnIndex(stored.columns().at(c));
        if (index >= 0) row[index] = stored.row(0).at(c);
    }
}

void Query::postUpdate() {
    if (!m_updateSet.isValid()) throw DbError(QStringLiteral("Consulta sem tabela para gravar"));
    const int keyIndex = m_rows.columnIndex(kKey);
    if (keyIndex < 0) throw DbError(QStringLiteral("Consulta sem CODIGO para gravar"));
    QStringList sets;
    QVariantMap params;
    for (const QString& column : m_updateSet.columns) {
        const int index = m_rows.columnIndex(column);
        if (index < 0) continue;
        const QString p = QStringLiteral("P%1").arg(sets.size());
        sets << column + QStringLiteral("=:") + p;
        params.insert(p, m_buffer.at(index));
    }
    if (!sets.isEmpty()) {
        params.insert(QStringLiteral("OLD_CODIGO"), m_rows.row(m_current).at(keyIndex));
        const ResultSet r = m_connection->execute(
            QStringLiteral("UPDATE %1 SET %2 WHERE CODIGO=:OLD_CODIGO")
                .arg(m_updateSet.table, sets.join(u',')),
            params);
        if (r.affectedRows == 0)
            throw DbError(QStringLiteral("Registro não encontrado para gravar: foi excluído por outro usuário"));
    }
    m_rows.row(m_current) = m_buffer;
    m_buffer.clear();
    m_assigned.clear();
    m_state = State::Browse;
}

bool Query::remove() {
    if (!isOpen() || m_current < 0) return false;
    if (m_state == State::Insert) {
        cancel();
        return true;
    }
    if (m_beforeDelete && !m_beforeDelete()) return false;
    if (!m_updateSet.isValid()) throw DbError(QStringLiteral("Consulta sem tabela para gravar"));
    cancel();
    m_connection->execute(QStringLiteral("DELETE FROM %1 WHERE CODIGO=:OLD_CODIGO").arg(m_updateSet.table),
                          {{QStringLiteral("OLD_CODIGO"), value(kKey)}});
    m_rows.removeRow(m_current);
    const int next = std::min(m_current, m_rows.rowCount() - 1);
    m_current = -2;  // force the scroll notification
    m_eof = m_rows.rowCount() == 0;
    if (next < 0) {
        m_current = -1;
        emit afterScroll();
    } else {
        setCurrent(next);
    }
    return true;
}

QVariantList& Query::currentRow() { return m_rows.row(m_current); }

}  // namespace db
