#pragma once

#include <QString>
#include <QStringList>

/// Picks the address this PC offers as database host: the last one on a
/// private network of the kinds used at the tracks, else the first one.
QString chooseLocalAddress(const QStringList& ipv4Addresses);

/// The database host once the main-computer question is answered: this PC's
/// own server when it is the main station, else the address discovery left
/// (the main station's, or this PC's own when none answered).
QString chooseDatabaseHost(const QString& isMainStation, const QString& serverAddress);
