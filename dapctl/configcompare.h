#pragma once

#include "model/paramid.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <memory>

struct BackupFile;

namespace Model {
class UnitState;
} // namespace Model

// One side of a comparison of configurations: a unit's state as read, or a
// backup file's values, and which parameters it holds a value of. dapctl's
// diff and the program's "Compare with…" and "Send to Unit…" share it.
struct ConfigSide
{
    std::shared_ptr<Model::UnitState> state;
    QHash<Model::ParamId, bool> has;
    bool file = false; // a backup file: it holds only what it holds

    // A backup's values (format 1: labels, settings and gain limits only).
    // False, with `error` naming the path, for values it cannot hold.
    static bool fromBackup(const BackupFile &backup, ConfigSide &side, QString &error);
    // A backup file read and checked whole first.
    static bool fromFile(const QString &path, ConfigSide &side, QString &error);
};

// The parameters whose values differ, in catalogue order. The identity and
// figures of the moment and derived parameters are left out; a file is
// compared only where it holds a value; of two units only one may hold a
// block (an echo canceller), which is a difference.
QVector<Model::ParamId> compareConfigs(const ConfigSide &a, const ConfigSide &b);
