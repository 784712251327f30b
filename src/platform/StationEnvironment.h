#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

namespace platform {

/// Settings the station takes from its environment; the defaults are the
/// production values. Tests and demos use them to stay on loopback and to
/// run side by side without port clashes.
struct StationEnvironment {
    QString home;  // appDir: station folder with the trailing separator
    quint16 hubPort = 3335;
    quint16 discoveryPort = 3334;
    QList<QHostAddress> discoveryTargets;  // broadcast in production
    int discoveryTimeoutMs = 5000;
    QStringList extraSerialPorts;
    /// This PC's IPv4 addresses; empty means ask the name service (tests fill it).
    QStringList localAddresses;

    static StationEnvironment fromSystem();
};

}  // namespace platform
