#pragma once

#include <QString>

namespace db {

/// Where and as whom to connect. The host is decided at start-up (discovery);
/// the rest comes from the environment so tests and demos can point elsewhere.
struct ConnectionSettings {
    QString host = QStringLiteral("127.0.0.1");
    int port = 3306;
    QString database = QStringLiteral("vud");
    QString user = QStringLiteral("vud");
    QString password;

    static ConnectionSettings raceFromEnvironment();
    static ConnectionSettings webFromEnvironment();
};

}  // namespace db
