#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace db {

class Connection;

struct ColumnDef {
    QString name;
    QString type;  // SQL type with its default, e.g. "VARCHAR(1) DEFAULT 'N'"
};

struct IndexDef {
    QString name;
    QString columns;  // "COD_EVENTO, COD_CATEGORIA"
};

struct TableDef {
    QString name;
    QString key;  // CODIGO, or codigo on the weather table
    QList<ColumnDef> columns;  // without the key
    QList<IndexDef> indexes;
};

/// The race database: its tables, and how to bring a database up to them.
class Schema {
public:
    /// Bumped whenever a table, column or index is added.
    static constexpr int kVersion = 1;

    static const QList<TableDef>& tables();
    static const TableDef* table(const QString& name);  // case-insensitive; null when unknown
    /// Columns an INSERT or UPDATE of the table carries (all but the key).
    static QStringList writableColumns(const QString& table);

    /// The 198 vehicle-slot columns of the round-area row, in their order.
    static QStringList roundAreaColumns();

    /// Creates missing tables, columns and indexes and the single organizer and
    /// settings rows. Never drops or rewrites data; safe to run again.
    static void apply(Connection& connection);
    static int installedVersion(Connection& connection);
};

}  // namespace db
