#pragma once

#include "sim/simunit.h"

#include <QStringList>
#include <QVector>

// What the dapsim command line asks for: the configuration of each unit and the
// faults to start with.
struct SimOptions
{
    QVector<SimUnitConfig> units;
    SimFaults faults;
    bool refuseConnections = false;
    bool silent = false;
    quint8 faultByte = 0;
    quint16 commandPort = 6001; // UDP command port on 127.0.0.1; 0 for none
    // The last firmware chunk acknowledged (-1: all).
    int firmwareSilentAfter = -1;
};

// Parses the arguments (argv[0] first). On a bad argument returns false and
// puts a message in `error`.
bool parseSimOptions(const QStringList &arguments, SimOptions &options, QString &error);
