#pragma once

#include <QString>

/// Fixed texts that identify this build of the station.
namespace station {

inline QString versionText() { return QStringLiteral("Versão: 3.8.2 - 19/05/2025"); }
/// Major and minor, as written to line 2 of bd.ini for the sibling programs.
inline QString shortVersion() { return QStringLiteral("3.8"); }
inline QString applicationTitle() { return QStringLiteral("Veltranox VUD Cronometragem"); }
inline QString brandText() { return QStringLiteral("VELTRANOX  -  VUD"); }
inline QString contactText() { return QStringLiteral("Suporte técnico da cronometragem"); }

}  // namespace station
