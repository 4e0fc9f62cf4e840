#pragma once

#include "dapctl/ctlcommand.h"

// dapctl status UNIT: the unit's identity, health and system settings, as the
// settings page and the overview show them.
class StatusCommand final : public CtlCommand
{
public:
    QString name() const override { return QStringLiteral("status"); }
    QString synopsis() const override { return QStringLiteral("UNIT"); }
    QString summary() const override;
    unsigned optionGroups() const override;
    int run(const QStringList &args, const CtlOptions &options, CtlConsole &console) override;
};
