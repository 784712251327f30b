#include "ChoiceBinding.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace platform {

ChoiceBinding::ChoiceBinding(db::Query* query, const QString& column, QComboBox* editor,
                             const QStringList& choices, bool integer)
    : FieldBinding(query, column, editor), m_combo(editor), m_integer(integer) {
    editor->setEditable(true);
    editor->setInsertPolicy(QComboBox::NoInsert);
    editor->addItems(choices);
    if (integer)
        editor->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("\\d{0,9}")), editor));
    connect(editor->lineEdit(), &QLineEdit::textEdited, this, [this] { operatorChanged(); });
    connect(editor, &QComboBox::activated, this, [this] { operatorChanged(); });
}

QVariant ChoiceBinding::value() const {
    const QString text = m_combo->currentText().trimmed();
    if (text.isEmpty())
        return {};
    return m_integer ? QVariant(text.toInt()) : QVariant(text);
}

void ChoiceBinding::show(const QVariant& value) {
    m_combo->setEditText(value.isNull() ? QString() : value.toString());
}

void ChoiceBinding::applyEditable(bool editable) {
    // The list still opens on a read-only box; a choice made there is turned
    // back by the window, which refuses changes it may not take.
    m_combo->lineEdit()->setReadOnly(!editable);
}

}  // namespace platform
