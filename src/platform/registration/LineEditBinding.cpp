#include "LineEditBinding.h"

#include <QDate>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyle>

namespace platform {

namespace {

const QString kDateFormat = QStringLiteral("dd/MM/yyyy");

QValidator* validatorFor(LineEditBinding::Kind kind, int decimals, QObject* parent) {
    using Kind = LineEditBinding::Kind;
    switch (kind) {
        case Kind::Text:
            break;  // the case is applied to what is typed, see applyCase()
        case Kind::Digits:
            return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")),
                                                   parent);
        case Kind::Integer:
            return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")),
                                                   parent);
        case Kind::Decimal: {
            const QString fraction =
                decimals < 0 ? QStringLiteral("\\d*") : QStringLiteral("\\d{0,%1}").arg(decimals);
            return new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("\\d{0,9}([.,]%1)?").arg(fraction)), parent);
        }
        case Kind::Date:
        case Kind::Phone:
            break;  // the edit mask takes digits only
    }
    return nullptr;
}

}  // namespace

LineEditBinding::LineEditBinding(db::Query* query, const QString& column, QLineEdit* editor,
                                 Kind kind, int maxLength, TextCase textCase, int decimals)
    : FieldBinding(query, column, editor),
      m_edit(editor),
      m_kind(kind),
      m_case(kind == Kind::Text ? textCase : TextCase::Kept),
      m_decimals(decimals) {
    if (QValidator* v = validatorFor(kind, decimals, editor))
        editor->setValidator(v);
    if (kind == Kind::Date)
        editor->setInputMask(QStringLiteral("99/99/9999;_"));
    else if (kind == Kind::Phone)
        editor->setInputMask(QStringLiteral("(00)99999-9999;_"));  // the area code may be left out
    else if (maxLength > 0)
        editor->setMaxLength(maxLength);
    connect(editor, &QLineEdit::textEdited, this, [this] {
        applyCase();
        m_shown = m_edit->text();
        operatorChanged();
    });
}

/// Turns what was just typed or pasted into the binding's case. The rest of
/// the text stays as stored: a name kept in mixed case by an import shows as
/// it is, and is not rewritten by a letter typed at its end.
void LineEditBinding::applyCase() {
    if (m_case == TextCase::Kept)
        return;
    const QString text = m_edit->text();
    const qsizetype shortest = std::min(text.size(), m_shown.size());
    qsizetype prefix = 0;
    while (prefix < shortest && text.at(prefix) == m_shown.at(prefix)) ++prefix;
    qsizetype suffix = 0;
    while (suffix < shortest - prefix &&
           text.at(text.size() - 1 - suffix) == m_shown.at(m_shown.size() - 1 - suffix))
        ++suffix;
    const QString typed = text.mid(prefix, text.size() - prefix - suffix);
    const QString cased = m_case == TextCase::Upper ? typed.toUpper() : typed.toLower();
    if (cased == typed)
        return;
    const int cursor = m_edit->cursorPosition();
    QString result = text.left(prefix) + cased + text.right(suffix);
    if (m_edit->maxLength() > 0)
        result.truncate(m_edit->maxLength());
    m_edit->setText(result);
    m_edit->setCursorPosition(
        std::min(cursor + int(cased.size() - typed.size()), int(result.size())));
}

QString LineEditBinding::digitsOf() const {
    QString digits;
    for (const QChar c : m_edit->text())
        if (c.isDigit())
            digits += c;
    return digits;
}

QVariant LineEditBinding::value() const {
    const QString text = m_edit->text();
    switch (m_kind) {
        case Kind::Text:
        case Kind::Digits:
            return text.isEmpty() ? QVariant() : QVariant(text);
        case Kind::Integer:
            return text.isEmpty() ? QVariant() : QVariant(text.toInt());
        case Kind::Decimal: {
            if (text.isEmpty())
                return {};
            QString point = text;
            point.replace(u',', u'.');
            if (point.startsWith(u'.'))
                point.prepend(u'0');
            return point.toDouble();
        }
        case Kind::Date: {
            if (digitsOf().isEmpty())
                return {};
            const QDate d = QDate::fromString(text, kDateFormat);
            return d.isValid() ? QVariant(d) : QVariant();
        }
        case Kind::Phone: {
            const QString digits = digitsOf();
            return digits.isEmpty() ? QVariant() : QVariant(digits);
        }
    }
    return {};
}

/// A date half typed or impossible (31/02) would be stored as no date at all;
/// the window refuses to post it instead.
QString LineEditBinding::invalidReason() const {
    if (m_kind != Kind::Date || digitsOf().isEmpty())
        return {};
    if (QDate::fromString(m_edit->text(), kDateFormat).isValid())
        return {};
    return QStringLiteral("'%1' não é uma data válida").arg(m_edit->displayText());
}

void LineEditBinding::show(const QVariant& value) {
    const bool empty = !value.isValid() || value.isNull();
    switch (m_kind) {
        case Kind::Text:
        case Kind::Digits:
        case Kind::Integer:
            m_edit->setText(empty ? QString() : value.toString());
            break;
        case Kind::Decimal:
            m_edit->setText(empty ? QString() : decimalText(value.toDouble(), m_decimals));
            break;
        case Kind::Date:
            m_edit->setText(empty ? QString() : value.toDate().toString(kDateFormat));
            break;
        case Kind::Phone: {
            QString digits;
            for (const QChar c : value.toString())
                if (c.isDigit())
                    digits += c;
            m_edit->setText(phoneText(digits));
            break;
        }
    }
    m_edit->setCursorPosition(0);
    m_shown = m_edit->text();
}

void LineEditBinding::applyEditable(bool editable) {
    m_edit->setReadOnly(!editable);
    // Style sheets may tell read-only editors apart; they read the property at polish.
    m_edit->style()->unpolish(m_edit);
    m_edit->style()->polish(m_edit);
}

QString LineEditBinding::phoneText(const QString& digits) {
    if (digits.isEmpty())
        return {};
    const QString area = digits.size() > 9 ? digits.left(digits.size() - 9).right(2) : QString();
    const QString number = digits.right(9);
    return u'(' + area.leftJustified(2, u' ') + u')' + number.left(5) + u'-' + number.mid(5);
}

QString LineEditBinding::decimalText(double value, int decimals) {
    if (decimals >= 0)
        return QString::number(value, 'f', decimals).replace(u'.', u',');
    return QString::number(value, 'g', 15).replace(u'.', u',');
}

}  // namespace platform
