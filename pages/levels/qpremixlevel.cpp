#include "pages/levels/qpremixlevel.h"

namespace {
LevelPageConfig preMixConfig()
{
    namespace C = Proto::PreMixCmd;
    return {QPreMixLevel::Module,
            "IN ",
            "preMixLevelWidget",
            "preMixLevelCtrlBgWidget",
            C::Mute,
            C::Gain,
            C::Invert,
            C::Group,
            C::Limits,
            C::Priority,
            C::Meter,
            0,
            {C::Mute, C::Invert, C::Gain, C::Group, C::Limits, C::Priority},
            true};
}
} // namespace

QPreMixLevel::QPreMixLevel(QWidget *parent) : LevelPage(preMixConfig(), parent) {}

void QPreMixLevel::setInputName(int channel, const QString &name)
{
    setChannelName(channel, name);
}
