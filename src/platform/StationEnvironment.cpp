#include "StationEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcessEnvironment>

namespace platform {

namespace {

quint16 port(const QProcessEnvironment& env, const char* name, quint16 fallback) {
    bool ok = false;
    const uint value = env.value(QString::fromLatin1(name)).toUInt(&ok);
    return ok && value > 0 && value < 65536 ? quint16(value) : fallback;
}

}  // namespace

StationEnvironment StationEnvironment::fromSystem() {
    const auto env = QProcessEnvironment::systemEnvironment();
    StationEnvironment s;
    QString home = env.value(QStringLiteral("VUD_HOME"));
    if (home.isEmpty()) home = QCoreApplication::applicationDirPath();
    s.home = QDir(home).absolutePath() + u'/';
    s.hubPort = port(env, "VUD_HUB_PORT", 3335);
    s.discoveryPort = port(env, "VUD_DISCOVERY_PORT", 3334);
    const QString targets = env.value(QStringLiteral("VUD_DISCOVERY_ADDRESS"));
    for (const QString& t : targets.split(u',', Qt::SkipEmptyParts)) {
        const QHostAddress a(t.trimmed());
        if (!a.isNull()) s.discoveryTargets << a;
    }
    if (s.discoveryTargets.isEmpty()) s.discoveryTargets << QHostAddress(QHostAddress::Broadcast);
    bool ok = false;
    const int timeout = env.value(QStringLiteral("VUD_DISCOVERY_TIMEOUT_MS")).toInt(&ok);
    if (ok && timeout >= 0) s.discoveryTimeoutMs = timeout;
    s.extraSerialPorts =
        env.value(QStringLiteral("VUD_SERIAL_PORTS")).split(u':', Qt::SkipEmptyParts);
    return s;
}

}  // namespace platform
