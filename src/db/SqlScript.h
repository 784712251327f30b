#pragma once

#include <QString>
#include <QStringList>

namespace db {

class Connection;

/// Splits a script into statements at each ';' that ends a line; lines that
/// start with "--" are comments.
QStringList splitScript(const QString& script);
/// Runs every statement of a UTF-8 script file. Throws DbError on the first failure.
void runScriptFile(Connection& connection, const QString& path);

}  // namespace db
