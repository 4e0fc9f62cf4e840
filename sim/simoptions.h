#pragma once

#include "sim/simunit.h"

#include <QStringList>
#include <QVector>

#include <array>
#include <optional>

// What the dapsim command line asks for: the configuration of each unit and the
// faults to start with.
struct SimOptions
{
    QVector<SimUnitConfig> units;
    SimFaults faults;
    bool refuseConnections = false;
    bool silent = false;
    quint8 faultByte = 0;
    std::optional<std::array<float, 7>> voltages; // none: the defaults
    bool voltagesRefused = false;                 // the units report no voltages
    bool demo = false;                            // start with demonstration settings
    bool console = false;                         // control commands on standard input
    quint16 commandPort = 6001;                   // UDP command port on 127.0.0.1; 0 for none
    // The last firmware chunk acknowledged (-1: all).
    int firmwareSilentAfter = -1;
};

// Parses the arguments (argv[0] first). On a bad argument returns false and
// puts a message in `error`.
bool parseSimOptions(const QStringList &arguments, SimOptions &options, QString &error);

// Reads the supply voltages as the command line and the console give them:
// "null" (the unit reports none) or seven numbers separated by commas or
// blanks (12V, -12V, 5V, -5V, 3.3V, 2.5V, 48V). False for anything else.
bool parseVoltages(const QString &text, std::array<float, 7> &volts, bool &refused);
