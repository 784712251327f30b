#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace db {

/// The rows a statement returned, held in memory, with column lookup by name
/// that ignores case (statements spell columns in either case).
class ResultSet {
public:
    ResultSet() = default;
    explicit ResultSet(QStringList columns);

    const QStringList& columns() const { return m_columns; }
    int columnIndex(const QString& name) const;  // -1 when absent
    bool hasColumn(const QString& name) const { return columnIndex(name) >= 0; }

    int rowCount() const { return int(m_rows.size()); }
    const QVariantList& row(int index) const { return m_rows.at(index); }
    QVariantList& row(int index) { return m_rows[index]; }
    void appendRow(QVariantList values) { m_rows.append(std::move(values)); }
    void removeRow(int index) { m_rows.removeAt(index); }
    void insertRow(int index, QVariantList values) { m_rows.insert(index, std::move(values)); }

    /// Adds a column (empty in every row) and returns its index.
    int addColumn(const QString& name);

    quint64 affectedRows = 0;
    quint64 insertId = 0;

private:
    QStringList m_columns;
    QHash<QString, int> m_index;
    QList<QVariantList> m_rows;
};

}  // namespace db
