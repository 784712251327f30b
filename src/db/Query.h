#pragma once

#include "ResultSet.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QVariantMap>
#include <functional>

namespace db {

class Connection;

/// The table a query writes back to and the columns its INSERT and UPDATE
/// carry. Rows are always addressed by their old `CODIGO`; `CODIGO` itself
/// is never written, the database generates it.
struct UpdateSet {
    QString table;
    QStringList columns;
    bool isValid() const { return !table.isEmpty(); }
};

/// A statement with `:named` parameters and the rows it returned, with a
/// current row, typed access by column name (any case) and the station's
/// write pattern: edit or append into a buffer, then post.
///
/// Listeners of `afterScroll` run whenever the current row changes,
/// including on open, which is how dependent queries follow their master.
class Query : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit Query(Connection* connection, const QString& sql = {}, QObject* parent = nullptr);

    Connection* connection() const { return m_connection; }

    // Statement. Queries whose filter depends on a choice are rebuilt:
    // cleared, lines added, parameters bound, opened.
    void setSql(const QString& sql);
    void clearSql() { setSql(QString()); }
    void addLine(const QString& line);
    QString sql() const { return m_sql; }
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const;

    void setUpdateSet(const UpdateSet& set) { m_updateSet = set; }
    /// Writes back to `table` with every column the schema gives it.
    void setTable(const QString& table);
    const UpdateSet& updateSet() const { return m_updateSet; }

    // Dataset.
    void open();
    void close();
    /// Runs the statement again and keeps the current row by its CODIGO when possible.
    void refresh();
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    /// Runs a statement that returns no rows; returns the affected rows.
    quint64 execSql();

    int rowCount() const { return m_rows.rowCount(); }
    bool isEmpty() const { return m_rows.rowCount() == 0; }
    int recNo() const { return m_current; }  // 0-based; -1 when empty
    bool eof() const { return m_eof; }
    void first();
    void next();
    void prior();
    void last();
    void moveTo(int index);
    /// Moves to the first row whose column equals `value`; false when none.
    bool locate(const QString& column, const QVariant& value);

    // Fields of the current row (of the edit buffer while editing).
    QStringList fieldNames() const { return m_rows.columns(); }
    bool hasField(const QString& name) const { return m_rows.hasColumn(name); }
    QVariant value(const QString& name) const;
    bool isNull(const QString& name) const;
    QString text(const QString& name) const;
    int integer(const QString& name) const;
    double real(const QString& name) const;
    QDate date(const QString& name) const;
    QDateTime dateTime(const QString& name) const;
    QVariant valueAt(int row, const QString& name) const;
    const ResultSet& rows() const { return m_rows; }

    // Writing.
    void edit();
    void append();
    void setValue(const QString& name, const QVariant& value);
    void post();
    void cancel();
    /// Deletes the current row. The `beforeDelete` guard may refuse; then
    /// nothing happens and false is returned.
    bool remove();
    void setBeforeDelete(std::function<bool()> guard) { m_beforeDelete = std::move(guard); }

signals:
    void afterOpen();
    void afterScroll();
    void afterClose();

private:
    QVariantList& currentRow();
    const QVariantList* shownRow() const;
    int fieldIndex(const QString& name) const;
    void setCurrent(int index);
    void postInsert();
    void postUpdate();
    void readBack(qint64 code);

    Connection* m_connection;
    QString m_sql;
    QVariantMap m_params;
    UpdateSet m_updateSet;
    ResultSet m_rows;
    State m_state = State::Inactive;
    int m_current = -1;
    bool m_eof = true;
    QVariantList m_buffer;
    QSet<int> m_assigned;
    std::function<bool()> m_beforeDelete;
};

}  // namespace db
