#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

namespace db {

/// Names of the `:named` parameters of a statement, in order of first
/// appearance, upper-cased. Quoted text and comments are skipped, so a time
/// literal such as '10:30' is not mistaken for a parameter.
QStringList parameterNames(const QString& sql);

/// Replaces each `:name` with the literal that `literalFor` gives for it
/// (case-insensitive name). Throws DbError for a parameter without value.
QString bindParameters(const QString& sql,
                       const std::function<QString(const QString& upperName)>& literalFor);

/// The SQL literal of a value; `quoteText` escapes and quotes a string
/// (the connection does it with the server's character set).
QString sqlLiteral(const QVariant& value, const std::function<QString(const QString&)>& quoteText);

}  // namespace db
