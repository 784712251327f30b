#include "NumberText.h"

#include <QByteArray>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace numtext {

namespace {

QString exchangePointAndComma(QString text) {
    for (QChar& c : text) {
        if (c == u'.')
            c = u',';
        else if (c == u',')
            c = u'.';
    }
    return text;
}

int decimalsOf(const QString& pattern) {
    const qsizetype dot = pattern.indexOf(u'.');
    return dot < 0 ? 0 : int(pattern.size() - dot - 1);
}

/// `value` with `decimals` digits after a point, ties away from zero. A value
/// that rounds to zero shows no sign: a lane whose track time works out a
/// hair below zero must read "0.000", not "-0.000".
QString fixed(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(u'-')) {
        const bool allZero = std::all_of(text.cbegin() + 1, text.cend(), [](QChar c) { return c == u'0' || c == u'.'; });
        if (allZero) text.remove(0, 1);
    }
    return text;
}

}  // namespace

double parse(const QString& text) {
    const QString exchanged = exchangePointAndComma(text.trimmed());
    // After the exchange a point in the text is a thousands separator the
    // controller never sends, so it is refused like any other garbage.
    if (exchanged.isEmpty() || exchanged.contains(u'.')) throw ConversionError(text);
    // Read without a locale: this runs for every number the controller
    // sends, and only ASCII digits, sign, decimal comma and exponent belong.
    QByteArray ascii;
    ascii.reserve(exchanged.size());
    for (const QChar c : exchanged) {
        if (c.unicode() >= 0x80) throw ConversionError(text);
        ascii += c == u',' ? '.' : char(c.unicode());
    }
    const char* begin = ascii.constData();
    const char* end = begin + ascii.size();
    // A leading "+" is allowed, as with any number the operator types.
    if (*begin == '+' && end - begin > 1 && begin[1] != '-' && begin[1] != '+') ++begin;
    double value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) throw ConversionError(text);
    return value;
}

QString pointText(double value) { return fixed(value, 3); }

QString commaText(double value, const QString& pattern) {
    return fixed(value, decimalsOf(pattern)).replace(u'.', u',');
}

QString minutesText(double value) {
    // Kept as a double: a garbled controller time far beyond any int must
    // still give a text, not undefined behaviour.
    const double minutes = std::trunc(value / 60.0);
    if (minutes > 0)
        return QString::number(minutes, 'f', 0) + u':' + commaText(value - minutes * 60.0, QStringLiteral("0.000"));
    return commaText(value, QStringLiteral("0.000"));
}

}  // namespace numtext
