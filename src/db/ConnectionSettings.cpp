#include "ConnectionSettings.h"

#include <QProcessEnvironment>

namespace db {

namespace {

QString envOr(const QProcessEnvironment& env, const char* name, const QString& fallback) {
    const QString value = env.value(QString::fromLatin1(name));
    return value.isEmpty() ? fallback : value;
}

int envPort(const QProcessEnvironment& env, const char* name, int fallback) {
    bool ok = false;
    const int port = env.value(QString::fromLatin1(name)).toInt(&ok);
    return ok && port > 0 && port < 65536 ? port : fallback;
}

}  // namespace

ConnectionSettings ConnectionSettings::raceFromEnvironment() {
    const auto env = QProcessEnvironment::systemEnvironment();
    ConnectionSettings s;
    s.port = envPort(env, "VUD_DB_PORT", 3306);
    s.database = envOr(env, "VUD_DB_NAME", QStringLiteral("vud"));
    s.user = envOr(env, "VUD_DB_USER", QStringLiteral("vud"));
    s.password = env.value(QStringLiteral("VUD_DB_PASSWORD"));
    return s;
}

ConnectionSettings ConnectionSettings::webFromEnvironment() {
    const auto env = QProcessEnvironment::systemEnvironment();
    ConnectionSettings s;
    s.host = envOr(env, "VUD_WEB_DB_HOST", QStringLiteral("127.0.0.1"));
    s.port = envPort(env, "VUD_WEB_DB_PORT", 3306);
    s.database = envOr(env, "VUD_WEB_DB_NAME", QStringLiteral("portalevt"));
    s.user = envOr(env, "VUD_WEB_DB_USER", QStringLiteral("portalevt"));
    s.password = env.value(QStringLiteral("VUD_WEB_DB_PASSWORD"));
    return s;
}

}  // namespace db
