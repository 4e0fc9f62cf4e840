#pragma once

#include "devices/discoveryscope.h"

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

// The command line of dapd, with the program's defaults. Passwords are never
// taken from it: they come from the configuration file or DAPD_PASSWORD.
struct DapdOptions
{
    static constexpr quint16 DefaultPort = 6790;
    static constexpr quint16 DefaultLinePort = 6791;
    static constexpr int MaxUnits = 256;

    enum class Parsed
    {
        Run,
        Help,
        Version,
        Error
    };

    QHostAddress listenAddress = QHostAddress(QHostAddress::LocalHost);
    quint16 listenPort = DefaultPort;
    bool lineEnabled = true;
    QHostAddress lineAddress = QHostAddress(QHostAddress::LocalHost);
    quint16 linePort = DefaultLinePort;
    QList<QHostAddress> units;
    quint16 unitPort = DiscoveryScope().unitPort;
    quint16 announcePort = DiscoveryScope().announcePort;
    QHostAddress bind; // discovery on this address only; null: every IPv4 address
    bool discovery = true;
    quint16 code = 1;
    QString configFile; // empty: the default one, if it exists

    // Reads the arguments (without the program name).
    Parsed parse(const QStringList &args, QString &error);
    static QString helpText();

    // Where discovery listens.
    DiscoveryScope discoveryScope() const;
    // The configuration file to read: the one given, or the default one when
    // it exists; empty for none.
    QString configPath() const;
    // "ADDR:PORT" with an IPv4 address or a bracketed IPv6 one.
    static bool parseEndpoint(const QString &text, QHostAddress &address, quint16 &port);
};
