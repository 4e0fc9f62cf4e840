#pragma once

#include "dapctl/ctlcommand.h"

// dapctl paths: the parameter names get and set take, with their values.
class PathsCommand final : public CtlCommand
{
public:
    QString name() const override { return QStringLiteral("paths"); }
    QString synopsis() const override { return QString(); }
    QString summary() const override;
    unsigned optionGroups() const override { return 0; }
    int run(const QStringList &args, const CtlOptions &options, CtlConsole &console) override;
};
