#include "MemoBinding.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace platform {

MemoBinding::MemoBinding(db::Query* query, const QString& column, QPlainTextEdit* editor,
                         int maxLength, TextCase textCase)
    : FieldBinding(query, column, editor),
      m_edit(editor),
      m_maxLength(maxLength),
      m_case(textCase) {
    editor->setTabChangesFocus(true);
    connect(editor, &QPlainTextEdit::textChanged, this, [this] {
        if (isLoading())
            return;
        enforceRules();
        operatorChanged();
    });
}

/// The column is as wide as the limit: what goes beyond it, typed or pasted,
/// is cut here rather than refused by the database at "Salvar".
void MemoBinding::enforceRules() {
    const QString text = m_edit->toPlainText();
    QString wanted = m_case == TextCase::Upper   ? text.toUpper()
                     : m_case == TextCase::Lower ? text.toLower()
                                                 : text;
    if (m_maxLength > 0 && wanted.size() > m_maxLength)
        wanted.truncate(m_maxLength);
    if (wanted == text)
        return;
    const int position = std::min(m_edit->textCursor().position(), int(wanted.size()));
    const QSignalBlocker quiet(m_edit);
    m_edit->setPlainText(wanted);
    QTextCursor cursor = m_edit->textCursor();
    cursor.setPosition(position);
    m_edit->setTextCursor(cursor);
}

QVariant MemoBinding::value() const {
    const QString text = m_edit->toPlainText();
    return text.isEmpty() ? QVariant() : QVariant(text);
}

void MemoBinding::show(const QVariant& value) {
    m_edit->setPlainText(value.isNull() ? QString() : value.toString());
}

void MemoBinding::applyEditable(bool editable) {
    m_edit->setReadOnly(!editable);
}

}  // namespace platform
