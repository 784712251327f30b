#include "FieldBinding.h"

#include "db/Query.h"

#include <QWidget>

namespace platform {

FieldBinding::FieldBinding(db::Query* query, const QString& column, QWidget* editor)
    : QObject(editor), m_query(query), m_column(column), m_editor(editor) {}

void FieldBinding::load() {
    m_loading = true;
    // A closed query and a row the statement did not select read as empty.
    const bool readable = m_query->isOpen() && m_query->hasField(m_column);
    show(readable ? m_query->value(m_column) : QVariant());
    m_loading = false;
}

void FieldBinding::setReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    applyEditable(!m_readOnly && m_editable);
}

void FieldBinding::setEditable(bool editable) {
    m_editable = editable;
    applyEditable(!m_readOnly && m_editable);
}

QList<QWidget*> FieldBinding::keyWidgets() const {
    return {m_editor};
}

void FieldBinding::operatorChanged() {
    if (m_loading)
        return;
    // Drop-downs open even on a held editor; what was picked there is turned back.
    const bool mayChange = !m_readOnly && m_editable;
    if (mayChange && m_query->isOpen() && m_query->hasField(m_column) &&
        sameValue(value(), m_query->value(m_column)))
        return;  // an editable drop-down reports leaving it as a choice: no change, no edit
    if (!mayChange || !m_onChange || !m_onChange(this))
        load();
}

bool FieldBinding::sameValue(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    if (a.typeId() == QMetaType::QByteArray || b.typeId() == QMetaType::QByteArray)
        return a.toByteArray() == b.toByteArray();
    return a.toString() == b.toString();
}

}  // namespace platform
