#pragma once

#include <QHostAddress>
#include <QString>

// Whole configurations of a unit read into and written from backup files
// (format 2), over a connection of their own: the backup and restore of the
// command-line tool, run in the program. The program's own connection and
// login stay as they were; while a transfer runs, its connection is the
// current socket of the transmit path, and the program's is made current
// again when it ends.
struct UnitAddress
{
    QHostAddress address;
    quint16 port = 0;
    QString password; // the one that logged in, if any
    bool hasPassword = false;
};

namespace UnitTransfer {

// Reads the whole unit into `path` (written whole or not at all). False,
// with `error`, when the unit cannot be reached or read.
bool backup(const UnitAddress &unit, const QString &path, QString *error);
// Writes the file into the unit: presets, the active preset, then the live
// values, read back. `report` tells what was written and what did not take.
bool restore(const UnitAddress &unit, const QString &path, QString *report, QString *error);

} // namespace UnitTransfer
