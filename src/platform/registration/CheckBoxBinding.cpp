#include "CheckBoxBinding.h"

#include <QCheckBox>

namespace platform {

CheckBoxBinding::CheckBoxBinding(db::Query* query, const QString& column, QCheckBox* editor,
                                 const QString& checkedValue, const QString& uncheckedValue)
    : FieldBinding(query, column, editor),
      m_box(editor),
      m_checked(checkedValue),
      m_unchecked(uncheckedValue) {
    connect(editor, &QCheckBox::clicked, this, [this] { operatorChanged(); });
}

QVariant CheckBoxBinding::value() const {
    return m_box->isChecked() ? m_checked : m_unchecked;
}

void CheckBoxBinding::show(const QVariant& value) {
    m_box->setChecked(!value.isNull() && value.toString() == m_checked);
}

void CheckBoxBinding::applyEditable(bool) {}

}  // namespace platform
