#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

namespace db {
class Query;
}

namespace platform {

/// One column of a registration grid: the field shown, its title (the field
/// name when empty), its width in pixels (fitted to the title when 0; a
/// stretching column takes what the others leave) and, for numbers, the
/// decimals shown (as many as needed when < 0).
struct GridColumn {
    QString field;
    QString title{};
    int width = 0;
    bool stretch = false;
    int decimals = -1;
    /// Race times: three decimals with a point, as the lane's own figures.
    bool pointTime = false;
};

/// The rows of a query as a read-only table: dates as dd/mm/yyyy, numbers
/// with a decimal comma, race times with a point. The registration windows
/// and the lane grids of the race desk both show their queries through it. It starts over whenever the query is opened or
/// closed; after posting or deleting, the window calls reload().
class QueryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    QueryTableModel(db::Query* query, const QList<GridColumn>& columns, QObject* parent = nullptr);

    const QList<GridColumn>& gridColumns() const { return m_columns; }
    void reload();
    /// The text a cell shows.
    QString cellText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    db::Query* m_query;
    QList<GridColumn> m_columns;
};

}  // namespace platform
