#pragma once

#include "devices/discoveryscope.h"

#include <QHostAddress>
#include <QString>

// The options of a dapctl command line, with the program's defaults.
struct CtlOptions
{
    // Groups of options a command takes (its --help lists them).
    enum Group : unsigned
    {
        UnitOptions = 1 << 0,      // --password, --port and the discovery options
        DiscoveryOptions = 1 << 1, // --bind, --announce-port, --timeout, --code
        JsonOption = 1 << 2,
        CsvOption = 1 << 3,
        ModuleOption = 1 << 4,
        NoRecallOption = 1 << 5,
        NoPollOption = 1 << 6,
        FromOption = 1 << 7,
        CountOption = 1 << 8,
        DryRunOption = 1 << 9,
    };

    QString password;
    bool hasPassword = false;
    quint16 port = DiscoveryScope().unitPort;
    quint16 announcePort = DiscoveryScope().announcePort;
    QHostAddress bind; // null: every IPv4 address of the computer
    int timeoutMs = 3000;
    quint16 code = 1;
    bool json = false;
    bool csv = false;
    bool noRecall = false;
    bool noPoll = false;
    QString module;
    QString from; // set --from: a file of paths and values
    bool count = false;
    bool dryRun = false; // eq import: report only, send nothing

    // Where discovery listens: the bound address only (and nothing sent
    // anywhere else) when one is given, else the program's default.
    DiscoveryScope discoveryScope() const;
};
