#include "QueryTableModel.h"

#include "LineEditBinding.h"
#include "core/NumberText.h"
#include "db/Query.h"

#include <QDate>
#include <QDateTime>

namespace platform {

QueryTableModel::QueryTableModel(db::Query* query, const QList<GridColumn>& columns,
                                 QObject* parent)
    : QAbstractTableModel(parent), m_query(query), m_columns(columns) {
    for (GridColumn& c : m_columns)
        if (c.title.isEmpty())
            c.title = c.field;
    connect(query, &db::Query::afterOpen, this, &QueryTableModel::reload);
    connect(query, &db::Query::afterClose, this, &QueryTableModel::reload);
}

void QueryTableModel::reload() {
    beginResetModel();
    endResetModel();
}

int QueryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_query->isOpen() ? 0 : m_query->rowCount();
}

int QueryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString QueryTableModel::cellText(int row, int column) const {
    const GridColumn& c = m_columns.at(column);
    if (!m_query->hasField(c.field))
        return {};
    const QVariant v = m_query->valueAt(row, c.field);
    if (v.isNull())
        return {};
    if (c.pointTime)
        return numtext::pointText(v.toDouble());
    switch (v.typeId()) {
        case QMetaType::QDate:
            return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
        case QMetaType::QDateTime:
            return v.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
        case QMetaType::Double:
            return LineEditBinding::decimalText(v.toDouble(), c.decimals);
        case QMetaType::QByteArray:
            return {};  // pictures are shown by their boxes
        default:
            return v.toString();
    }
}

QVariant QueryTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) {
        const QVariant v = m_query->hasField(m_columns.at(index.column()).field)
                               ? m_query->valueAt(index.row(), m_columns.at(index.column()).field)
                               : QVariant();
        const bool number = v.typeId() == QMetaType::Int || v.typeId() == QMetaType::Double ||
                            v.typeId() == QMetaType::LongLong;
        return int((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    return {};
}

QVariant QueryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_columns.size())
        return m_columns.at(section).title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace platform
