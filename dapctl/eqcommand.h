#pragma once

#include "dapctl/ctlcommand.h"

// dapctl eq UNIT input.N|output.N import FILE [--dry-run] and
// dapctl eq UNIT input.N|output.N export FILE: equaliser files of
// measurement programs onto a channel's filter block, and back. The import
// prints what came of every filter (as the program's preview shows it) and
// writes the records that change in one go; --dry-run sends nothing.
class EqCommand final : public CtlCommand
{
public:
    QString name() const override { return QStringLiteral("eq"); }
    QString synopsis() const override
    {
        return QStringLiteral("UNIT input.N|output.N import|export FILE");
    }
    QString summary() const override;
    QString description() const override;
    unsigned optionGroups() const override;
    int run(const QStringList &args, const CtlOptions &options, CtlConsole &console) override;
};
