#pragma once

#include "dapctl/ctlcommand.h"

// dapctl paths: every parameter of every block of the unit model, with what
// it takes, and the number of parameters per block.
class PathsCommand final : public CtlCommand
{
public:
    QString name() const override { return QStringLiteral("paths"); }
    QString synopsis() const override { return QStringLiteral("[PATTERN...]"); }
    QString summary() const override;
    QString description() const override;
    unsigned optionGroups() const override;
    int run(const QStringList &args, const CtlOptions &options, CtlConsole &console) override;
};
