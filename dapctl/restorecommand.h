#pragma once

#include "dapctl/ctlcommand.h"

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
};
