#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>

namespace db {
class Query;
}

/// A read-only grid over the rows of a query, refilled whenever the query
/// is opened or closed. Times are shown with three decimals and a point,
/// as the lane's other figures.
class QueryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString header;
        QString field;
        bool time = false;
    };

    QueryTableModel(db::Query* query, QList<Column> columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QPointer<db::Query> m_query;
    QList<Column> m_columns;
};
