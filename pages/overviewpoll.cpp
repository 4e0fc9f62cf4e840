#include "pages/overviewpoll.h"

#include "protocol/commands.h"
#include "protocol/frame.h"
#include "protocol/transport.h"

namespace OverviewPoll {

using namespace Proto;

const std::array<std::array<quint8, 2>, 4> &meterReads()
{
    static const std::array<std::array<quint8, 2>, 4> reads{
        {{{Module::InputLevel, InLevelCmd::Meter}},
         {{Module::OutputLevel, OutLevelCmd::Meter}},
         {{Module::PreMixLevel, PreMixCmd::Meter}},
         {{Module::OutputLevel, OutLevelCmd::PreMeter}}}};
    return reads;
}

const std::array<quint8, 10> &statusReads()
{
    static const std::array<quint8, 10> reads{{SettingsCmd::ArmVersion, SettingsCmd::DspVersion,
                                               SettingsCmd::Location, SettingsCmd::Description,
                                               SettingsCmd::DspUsage, SettingsCmd::AllMute,
                                               SettingsCmd::AecSupport, SettingsCmd::AncSupport,
                                               SettingsCmd::Serial, SettingsCmd::Fault}};
    return reads;
}

void sendMeterReads()
{
    for (const auto &r : meterReads())
        sendPacket(OpBlock, r[0], r[1], FlagRead);
}

void sendStatusReads()
{
    for (quint8 cmd : statusReads())
        sendPacket(OpSystem, SysModule::Settings, cmd, FlagRead);
}

} // namespace OverviewPoll
