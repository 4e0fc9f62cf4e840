#pragma once

#include "dapctl/ctlcommand.h"
#include "protocol/frametrace.h"

// dapctl trace UNIT: logs in, polls as the program's overview does, and
// prints every frame sent and received, one line each, until interrupted.
class TraceCommand final : public CtlCommand
{
public:
    QString name() const override { return QStringLiteral("trace"); }
    QString synopsis() const override { return QStringLiteral("UNIT"); }
    QString summary() const override;
    QString description() const override;
    unsigned optionGroups() const override;
    int run(const QStringList &args, const CtlOptions &options, CtlConsole &console) override;

    // The frames --module keeps: a module name ("InputLevel", "Preset"),
    // OP/MODULE ("3/1"), or a module number of any op. Nothing when the text
    // is none of these.
    static std::optional<FrameTrace::Filter> moduleFilter(const QString &text);
};
