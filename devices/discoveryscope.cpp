#include "devices/discoveryscope.h"

#include <QNetworkInterface>

DiscoveryScope DiscoveryScope::loopback(quint16 announcePort, quint16 commandPort, quint16 unitPort)
{
    DiscoveryScope s;
    s.localAddresses = {QHostAddress(QHostAddress::LocalHost)};
    s.listenOnAnyAddress = false;
    s.announcePort = announcePort;
    s.commandAddress = QHostAddress(QHostAddress::LocalHost);
    s.commandPort = commandPort;
    s.unitPort = unitPort;
    return s;
}

DiscoveryScope DiscoveryScope::forTool(const QHostAddress &bind, quint16 announcePort,
                                       quint16 unitPort)
{
    DiscoveryScope scope;
    if (!bind.isNull()) {
        scope.localAddresses = {bind};
        scope.listenOnAnyAddress = false;
        scope.commandAddress = bind;
    }
    scope.announcePort = announcePort;
    scope.unitPort = unitPort;
    return scope;
}

QList<QHostAddress> DiscoveryScope::bindAddresses() const
{
    if (!localAddresses.isEmpty())
        return localAddresses;
    QList<QHostAddress> all;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &i : interfaces)
        for (const QNetworkAddressEntry &e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
                all.append(e.ip());
    return all;
}

QHostAddress chooseLocalAddress(const QHostAddress &unit,
                                const QList<QNetworkAddressEntry> &entries)
{
    if (unit.protocol() != QAbstractSocket::IPv4Protocol)
        return QHostAddress();
    if (unit.isLoopback())
        return QHostAddress(QHostAddress::LocalHost);
    // The most specific subnet wins when interfaces overlap.
    QHostAddress best;
    int bestPrefix = -1;
    for (const QNetworkAddressEntry &e : entries) {
        if (e.ip().protocol() != QAbstractSocket::IPv4Protocol || e.ip().isLoopback())
            continue;
        const int prefix = e.prefixLength();
        if (prefix > 0 && prefix > bestPrefix && unit.isInSubnet(e.ip(), prefix)) {
            best = e.ip();
            bestPrefix = prefix;
        }
    }
    return best;
}

QList<QNetworkAddressEntry> localIPv4Entries()
{
    QList<QNetworkAddressEntry> out;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &i : interfaces) {
        if (!(i.flags() & QNetworkInterface::IsUp))
            continue;
        for (const QNetworkAddressEntry &e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
                out.append(e);
    }
    return out;
}
