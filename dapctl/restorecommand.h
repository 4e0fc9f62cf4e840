#pragma once

#include "dapctl/ctlcommand.h"

struct BackupFile;
class UnitLink;

// dapctl restore UNIT FILE: writes a backup into a unit. The file's format,
// version, checksum and values are checked before anything is written, and
// the unit checks the preset image's size before any of it is sent.
class RestoreCommand final : public CtlCommand
{
public:
    QString name() const override { return QStringLiteral("restore"); }
    QString synopsis() const override { return QStringLiteral("UNIT FILE"); }
    QString summary() const override;
    QString description() const override;
    unsigned optionGroups() const override;
    int run(const QStringList &args, const CtlOptions &options, CtlConsole &console) override;

private:
    // Format 1: labels, settings and gain limits as the pages write them.
    static bool writeSettings(UnitLink &link, const BackupFile &backup, QStringList &report,
                              QString &error);
    // Format 2: the live values in the fewest frames, then read back.
    static bool writeLive(UnitLink &link, const BackupFile &backup, QStringList &report,
                          QString &error);
};
