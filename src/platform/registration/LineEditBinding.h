#pragma once

#include "FieldBinding.h"

class QLineEdit;

namespace platform {

/// A one-line editor on a text, number or date column.
class LineEditBinding : public FieldBinding {
    Q_OBJECT
public:
    enum class Kind {
        Text,     // any text, in the binding's case
        Digits,   // digits only, kept as text (numbers painted on cars, documents)
        Integer,  // a whole number
        Decimal,  // a number with a decimal comma (a point typed is taken as one)
        Date,     // dd/mm/yyyy with the edit mask "99/99/9999"
        Phone,    // (area) five digits - four digits; only the digits are stored
    };

    LineEditBinding(db::Query* query, const QString& column, QLineEdit* editor, Kind kind,
                    int maxLength = 0, TextCase textCase = TextCase::Kept, int decimals = -1);

    QLineEdit* lineEdit() const { return m_edit; }
    Kind kind() const { return m_kind; }

    QVariant value() const override;
    QString invalidReason() const override;

    /// The masked text a phone editor shows for the stored digits: the last
    /// nine are the number, what comes before them the area code.
    static QString phoneText(const QString& digits);
    /// A number as the station writes it: decimal comma, no thousands mark;
    /// `decimals` < 0 writes as many as the value needs.
    static QString decimalText(double value, int decimals);

protected:
    void show(const QVariant& value) override;
    void applyEditable(bool editable) override;

private:
    QString digitsOf() const;
    void applyCase();

    QLineEdit* m_edit;
    Kind m_kind;
    TextCase m_case;
    int m_decimals;
    QString m_shown;  // the text before the operator's latest change
};

}  // namespace platform
