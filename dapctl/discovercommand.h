#pragma once

#include "dapctl/ctlcommand.h"

// dapctl discover: the units that announce themselves, as a table or JSON.
class DiscoverCommand final : public CtlCommand
{
public:
    QString name() const override { return QStringLiteral("discover"); }
    QString synopsis() const override { return QString(); }
    QString summary() const override;
    QString description() const override;
    unsigned optionGroups() const override;
    int run(const QStringList &args, const CtlOptions &options, CtlConsole &console) override;
};
