#pragma once

#include "dapctl/ctlcommand.h"

// dapctl preset UNIT list|save N|recall N|export N FILE|import N FILE|
// export-all FILE|import-all FILE: the unit's 32 preset slots and the preset
// files (".pst" one slot, ".pstl" all), as the preset page has them.
class PresetCommand final : public CtlCommand
{
public:
    QString name() const override { return QStringLiteral("preset"); }
    QString synopsis() const override;
    QString summary() const override;
    QString description() const override;
    unsigned optionGroups() const override;
    int run(const QStringList &args, const CtlOptions &options, CtlConsole &console) override;
};
