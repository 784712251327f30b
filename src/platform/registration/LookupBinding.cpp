#include "LookupBinding.h"

#include "db/Query.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace platform {

LookupBinding::LookupBinding(db::Query* query, const QString& column, QComboBox* editor,
                             db::Query* list, const QString& keyColumn,
                             const QString& displayColumn)
    : FieldBinding(query, column, editor),
      m_combo(editor),
      m_list(list),
      m_keyColumn(keyColumn),
      m_displayColumn(displayColumn) {
    editor->setEditable(false);
    connect(list, &db::Query::afterOpen, this, [this] {
        fillList();
        load();
    });
    connect(list, &db::Query::afterClose, this, [this] { fillList(); });
    connect(editor, &QComboBox::activated, this, [this] { operatorChanged(); });
    fillList();
}

void LookupBinding::fillList() {
    const QSignalBlocker quiet(m_combo);
    m_combo->clear();
    if (!m_list->isOpen())
        return;
    for (int row = 0; row < m_list->rowCount(); ++row)
        m_combo->addItem(m_list->valueAt(row, m_displayColumn).toString(),
                         m_list->valueAt(row, m_keyColumn));
}

QVariant LookupBinding::value() const {
    return m_combo->currentIndex() < 0 ? QVariant() : m_combo->currentData();
}

/// A code missing from the list (a deleted championship, say) shows nothing
/// rather than another row's name.
void LookupBinding::show(const QVariant& value) {
    int index = -1;
    if (!value.isNull()) {
        for (int i = 0; i < m_combo->count(); ++i) {
            if (m_combo->itemData(i).toString() == value.toString()) {
                index = i;
                break;
            }
        }
    }
    const QSignalBlocker quiet(m_combo);
    m_combo->setCurrentIndex(index);
}

void LookupBinding::applyEditable(bool) {}

}  // namespace platform
