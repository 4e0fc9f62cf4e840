#pragma once

#include <QHostAddress>
#include <QList>
#include <QNetworkAddressEntry>

// Where discovery listens and where commands to units go. The defaults are the
// program's: every IPv4 address of the computer, announcements on UDP 6697,
// commands broadcast to UDP 6001, units reached on TCP 2698. Tests and the
// simulated set-up use loopback() so that nothing leaves 127.0.0.0/8.
struct DiscoveryScope
{
    // Addresses the discovery sockets bind; empty means every IPv4 address of
    // every interface.
    QList<QHostAddress> localAddresses;
    // Also listen (never send) on the any-address. Sockets bound to one
    // interface address do not see broadcasts on Linux and similar systems.
    bool listenOnAnyAddress = DefaultListenOnAny;
    quint16 announcePort = 6697;
    QHostAddress commandAddress = QHostAddress(QHostAddress::Broadcast);
    quint16 commandPort = 6001;
    quint16 unitPort = 2698;

    // Everything on 127.0.0.1: announcements received there, commands sent there.
    static DiscoveryScope loopback(quint16 announcePort, quint16 commandPort, quint16 unitPort);

    // The scope of the command-line tools, which send no UDP command: the
    // default one, or with `bind` set, discovery on that address alone and
    // even the command address kept there.
    static DiscoveryScope forTool(const QHostAddress &bind, quint16 announcePort, quint16 unitPort);

    // The addresses to bind, with the default resolved.
    QList<QHostAddress> bindAddresses() const;

#ifdef Q_OS_WIN
    static constexpr bool DefaultListenOnAny = false;
#else
    static constexpr bool DefaultListenOnAny = true;
#endif
};

// The computer's IPv4 address on the subnet of `unit` among `entries`
// (127.0.0.1 for a unit in 127.0.0.0/8), or a null address when no interface
// lies on that subnet and the system should choose.
QHostAddress chooseLocalAddress(const QHostAddress &unit,
                                const QList<QNetworkAddressEntry> &entries);

// Every IPv4 address entry of every interface that is up.
QList<QNetworkAddressEntry> localIPv4Entries();
