#include "NumberText.h"

#include <QLocale>
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

}  // namespace

double parse(const QString& text) {
    const QString exchanged = exchangePointAndComma(text.trimmed());
    // After the exchange a point in the text is a thousands separator the
    // controller never sends, so it is refused like any other garbage.
    if (exchanged.isEmpty() || exchanged.contains(u'.')) throw ConversionError(text);
    bool ok = false;
    QString normal = exchanged;
    normal.replace(u',', u'.');
    const double value = QLocale::c().toDouble(normal, &ok);
    if (!ok || !std::isfinite(value)) throw ConversionError(text);
    return value;
}

QString pointText(double value) { return QString::number(value, 'f', 3); }

QString commaText(double value, const QString& pattern) {
    return QString::number(value, 'f', decimalsOf(pattern)).replace(u'.', u',');
}

QString minutesText(double value) {
    const int minutes = int(std::trunc(value / 60.0));
    if (minutes > 0) return QString::number(minutes) + u':' + commaText(value - minutes * 60.0, QStringLiteral("0.000"));
    return commaText(value, QStringLiteral("0.000"));
}

}  // namespace numtext
