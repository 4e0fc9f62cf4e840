#pragma once

#include "dapctl/ctlcommand.h"

struct BackupFile;
class UnitLink;

// dapctl backup UNIT FILE: the whole unit in one file (see BackupFile).
class BackupCommand final : public CtlCommand
{
public:
    QString name() const override { return QStringLiteral("backup"); }
    QString synopsis() const override { return QStringLiteral("UNIT FILE"); }
    QString summary() const override;
    QString description() const override;
    unsigned optionGroups() const override;
    int run(const QStringList &args, const CtlOptions &options, CtlConsole &console) override;

private:
    // Everything but the presets: the unit's whole state, read through the
    // unit model; identity, labels, settings and gain limits come from it.
    static bool readState(UnitLink &link, BackupFile &backup, QString &error);
};
