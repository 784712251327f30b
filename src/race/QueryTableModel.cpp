#include "QueryTableModel.h"

#include "core/NumberText.h"
#include "db/Query.h"

QueryTableModel::QueryTableModel(db::Query* query, QList<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), m_query(query), m_columns(std::move(columns)) {
    // The rows are read straight from the query, so a reopen is a reset.
    connect(query, &db::Query::afterOpen, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(query, &db::Query::afterClose, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int QueryTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_query || !m_query->isOpen()) return 0;
    return m_query->rowCount();
}

int QueryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant QueryTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !m_query || !m_query->isOpen() || index.row() >= m_query->rowCount()) return {};
    const Column& column = m_columns.at(index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(column.time ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    if (!m_query->hasField(column.field)) return {};
    const QVariant value = m_query->valueAt(index.row(), column.field);
    if (column.time && !value.isNull()) return numtext::pointText(value.toDouble());
    return value.toString();
}

QVariant QueryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    return m_columns.at(section).header;
}
