#pragma once

#include <QString>
#include <QStringList>

/// Picks the address this PC offers as database host: the last one on a
/// private network of the kinds used at the tracks, else the first one.
QString chooseLocalAddress(const QStringList& ipv4Addresses);
