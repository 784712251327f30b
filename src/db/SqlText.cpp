#include "SqlText.h"

#include "DbError.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace db {

namespace {

bool isNameStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

/// Walks the statement and calls `onParam(start, length, name)` for each
/// parameter outside quotes and comments.
template <typename F>
void scanParameters(const QString& sql, F onParam) {
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"' || c == u'`') {
            ++i;
            while (i < n) {
                if (sql[i] == u'\\' && c != u'`') {
                    i += 2;
                    continue;
                }
                if (sql[i] == c) {
                    if (i + 1 < n && sql[i + 1] == c) {  // doubled quote inside text
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            ++i;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            while (i < n && sql[i] != u'\n') ++i;
        } else if (c == u'#') {
            while (i < n && sql[i] != u'\n') ++i;
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else if (c == u':' && i + 1 < n && isNameStart(sql[i + 1]) &&
                   (i == 0 || sql[i - 1] != u':')) {
            qsizetype j = i + 1;
            while (j < n && isNameChar(sql[j])) ++j;
            onParam(i, j - i, sql.mid(i + 1, j - i - 1).toUpper());
            i = j;
        } else {
            ++i;
        }
    }
}

}  // namespace

QStringList parameterNames(const QString& sql) {
    QStringList names;
    scanParameters(sql, [&](qsizetype, qsizetype, const QString& name) {
        if (!names.contains(name)) names << name;
    });
    return names;
}

QString bindParameters(const QString& sql,
                       const std::function<QString(const QString&)>& literalFor) {
    QString out;
    out.reserve(sql.size() + 32);
    qsizetype copied = 0;
    scanParameters(sql, [&](qsizetype start, qsizetype length, const QString& name) {
        out += QStringView(sql).mid(copied, start - copied);
        out += literalFor(name);
        copied = start + length;
    });
    out += QStringView(sql).mid(copied);
    return out;
}

QString sqlLiteral(const QVariant& value, const std::function<QString(const QString&)>& quoteText) {
    if (!value.isValid() || value.isNull()) return QStringLiteral("NULL");
    switch (value.typeId()) {
        case QMetaType::Bool:
            return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            return value.toString();
        case QMetaType::Double:
        case QMetaType::Float:
            return QString::number(value.toDouble(), 'g', 17);
        case QMetaType::QDate:
            return u'\'' + value.toDate().toString(QStringLiteral("yyyy-MM-dd")) + u'\'';
        case QMetaType::QTime:
            return u'\'' + value.toTime().toString(QStringLiteral("HH:mm:ss")) + u'\'';
        case QMetaType::QDateTime:
            return u'\'' + value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                   u'\'';
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            if (bytes.isEmpty()) return QStringLiteral("''");
            return QStringLiteral("X'") + QString::fromLatin1(bytes.toHex()) + u'\'';
        }
        default:
            return quoteText(value.toString());
    }
}

}  // namespace db
