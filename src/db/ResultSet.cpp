#include "ResultSet.h"

namespace db {

ResultSet::ResultSet(QStringList columns) {
    for (const QString& c : columns) addColumn(c);
}

int ResultSet::addColumn(const QString& name) {
    const int index = int(m_columns.size());
    m_columns << name;
    // A join may return two columns of one name; the first one wins, as the
    // grids and reports expect the main table's column.
    const QString key = name.toUpper();
    if (!m_index.contains(key)) m_index.insert(key, index);
    for (QVariantList& r : m_rows) r.append(QVariant());
    return index;
}

int ResultSet::columnIndex(const QString& name) const {
    return m_index.value(name.toUpper(), -1);
}

}  // namespace db
