#include "SqlScript.h"

#include "Connection.h"
#include "DbError.h"

#include <QFile>

namespace db {

QStringList splitScript(const QString& script) {
    QStringList statements;
    QString current;
    for (const QString& line : script.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QStringLiteral("--")) || (current.isEmpty() && trimmed.isEmpty()))
            continue;
        current += line + u'\n';
        if (trimmed.endsWith(u';')) {
            current = current.trimmed();
            current.chop(1);
            statements << current;
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty()) statements << current.trimmed();
    return statements;
}

void runScriptFile(Connection& connection, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("Não foi possível abrir %1: %2").arg(path, file.errorString()));
    for (const QString& statement : splitScript(QString::fromUtf8(file.readAll())))
        connection.execute(statement);
}

}  // namespace db
