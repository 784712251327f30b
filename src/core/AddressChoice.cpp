#include "AddressChoice.h"

QString chooseLocalAddress(const QStringList& ipv4Addresses) {
    static const QStringList trackNetworks = {
        QStringLiteral("192.168.0."), QStringLiteral("192.168.1."), QStringLiteral("192.168.2."),
        QStringLiteral("192.168.33."), QStringLiteral("10.1.1.")};
    QString chosen;
    for (const QString& address : ipv4Addresses)
        for (const QString& prefix : trackNetworks)
            if (address.startsWith(prefix)) chosen = address;
    if (chosen.isEmpty() && !ipv4Addresses.isEmpty()) chosen = ipv4Addresses.first();
    return chosen;
}

QString chooseDatabaseHost(const QString& isMainStation, const QString& serverAddress) {
    return isMainStation != QStringLiteral("N") ? QStringLiteral("127.0.0.1") : serverAddress;
}
