#include "pages/levels/qoutlevel.h"

namespace {
LevelPageConfig outputConfig()
{
    namespace C = Proto::OutLevelCmd;
    return {QOutLevel::Module,
            "OUT ",
            "outLevelWidget",
            "outLevelCtrlBgWidget",
            C::Mute,
            C::Gain,
            C::Invert,
            C::Group,
            C::Limits,
            0,
            C::Meter,
            C::PreMeter,
            {C::Mute, C::Invert, C::Gain, C::Group, C::Limits},
            false};
}
} // namespace

QOutLevel::QOutLevel(QWidget *parent) : LevelPage(outputConfig(), parent) {}

void QOutLevel::setOutputName(int channel, const QString &name)
{
    setChannelName(channel, name);
}
