#pragma once

#include <QString>
#include <stdexcept>

/// A text from the controller or the operator that is not a number.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& text)
        : std::runtime_error(QStringLiteral("'%1' não é um valor numérico válido").arg(text).toStdString()) {}
};

/// The number texts of the race link. The controller writes "." as decimal
/// point; the station works with the decimal comma.
namespace numtext {

/// Exchanges "." and "," and reads the text with decimal comma. Throws
/// ConversionError for an empty text, letters, or a "," in the controller's text.
double parse(const QString& text);
/// Three decimals with at least one integer digit, shown with a point: 0.5234 → "0.523".
QString pointText(double value);
/// The value with the pattern's decimals ("0.0", "0.00", "0.000") and a decimal comma.
QString commaText(double value, const QString& pattern);
/// From 60 s on: whole minutes, ":", and the seconds as comma text "0.000"
/// (63.25 → "1:3,250"); below a minute the comma text of the value.
QString minutesText(double value);

}  // namespace numtext
