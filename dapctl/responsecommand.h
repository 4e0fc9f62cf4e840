#pragma once

#include "dapctl/ctlcommand.h"

// dapctl response UNIT input.N|output.N: reads a channel's filters from the
// unit and prints their summed magnitude response at the frequencies of the
// filter graph, computed by the model the graph draws.
class ResponseCommand final : public CtlCommand
{
public:
    QString name() const override { return QStringLiteral("response"); }
    QString synopsis() const override { return QStringLiteral("UNIT input.N|output.N"); }
    QString summary() const override;
    QString description() const override;
    unsigned optionGroups() const override;
    int run(const QStringList &args, const CtlOptions &options, CtlConsole &console) override;
};
