#pragma once

#include "dapctl/ctlcommand.h"

// dapctl get UNIT PATH... and dapctl set UNIT PATH VALUE...: one class, since
// a set ends with the get of what it set.
class ParamCommand final : public CtlCommand
{
public:
    enum Mode
    {
        Get,
        Set
    };
    explicit ParamCommand(Mode mode) : m_mode(mode) {}

    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    QString description() const override;
    unsigned optionGroups() const override;
    int run(const QStringList &args, const CtlOptions &options, CtlConsole &console) override;

private:
    Mode m_mode;
};
