#pragma once

#include "dapctl/configcompare.h"
#include "dapctl/ctlcommand.h"

#include "model/paramid.h"

#include <QHash>
#include <QJsonValue>

#include <memory>

namespace Model {
class UnitState;
} // namespace Model

// dapctl diff A B: compares two units, or a unit and a backup file, or two
// backup files, path by path; one line per path whose values differ.
// Identity and figures of the moment are left out. Exit codes as diff(1):
// 0 equal, 1 different, 2 trouble.
class DiffCommand final : public CtlCommand
{
public:
    QString name() const override { return QStringLiteral("diff"); }
    QString synopsis() const override { return QStringLiteral("A B"); }
    QString summary() const override;
    QString description() const override;
    unsigned optionGroups() const override;
    int run(const QStringList &args, const CtlOptions &options, CtlConsole &console) override;

    using Side = ConfigSide;

private:
    // Reads a side; false with `error` (a unit that cannot be read, a file
    // that is refused).
    static bool load(const QString &what, const CtlOptions &options, Side &side, QString &error);
};
