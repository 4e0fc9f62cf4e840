// The unit's system settings (op 2, module 2): texts, serial speeds, gate
// report, all mute; and its identity and figures, which only the unit writes.

#include "model/tablehelpers.h"

namespace Model {

namespace {

using namespace Tables;
using namespace Proto;

constexpr int TextWidth = 16; // bytes the unit keeps of a system text

RecordDesc setting(quint8 cmd, int element)
{
    return single("system settings", OpSystem, SysModule::Settings, cmd, element);
}

RecordDesc reported(quint8 cmd, int element)
{
    RecordDesc r = setting(cmd, element);
    r.writeCmd = 0;
    return r;
}

QVector<NamedValue> bauds()
{
    return {{9600, "9600"}, {19200, "19200"}, {57600, "57600"}, {115200, "115200"}};
}

} // namespace

void addSystemBlocks(Catalogue &c)
{
    namespace Cmd = Proto::SettingsCmd;
    RecordDesc location = setting(Cmd::Location, 0);
    location.exact = false;
    c.addParam(c.addRecord(location), textField(TextWidth),
               text("system.location", TextWidth, "where the unit is"));
    RecordDesc description = setting(Cmd::Description, 0);
    description.exact = false;
    c.addParam(c.addRecord(description), textField(TextWidth),
               text("system.description", TextWidth, "what the unit is for"));
    c.addParam(c.addRecord(setting(Cmd::Rs232Baud, 4)), at(0, Wire::U32),
               choice("system.rs232", bauds(), 115200, "RS232 speed (baud)"));
    c.addParam(c.addRecord(reported(Cmd::Rs485Baud, 4)), at(0, Wire::U32),
               with(choice("system.rs485", bauds(), 115200, "RS485 speed (baud)"), ReadOnly));
    c.addParam(c.addRecord(setting(Cmd::GateReport, 1)), at(0, Wire::U8),
               choice("system.gatereport", {{0, "0"}, {1, "1"}}, 0,
                      "what the unit reports of its gates to control systems"));
    RecordDesc allMute = setting(Cmd::AllMute, 1);
    allMute.exact = false;
    c.addParam(c.addRecord(allMute), at(0, Wire::U8),
               onOff("system.allmute", 0, "every output muted"));

    // Identity and figures of the moment: shown, never written, left out of
    // backups and comparisons.
    const auto figure = [&c](quint8 cmd, int element, const FieldDesc &field, ParamDesc p) {
        RecordDesc r = reported(cmd, element);
        r.exact = field.answerWire != Wire::Text;
        c.addParam(c.addRecord(r), field, with(p, ReadOnly | RunTime));
    };
    figure(Cmd::Model, 0, textField(TextWidth), text("system.model", TextWidth, "model name"));
    figure(Cmd::Serial, 0, textField(TextWidth), text("system.serial", TextWidth, "serial number"));
    figure(Cmd::ArmVersion, 3, FieldDesc{0, Wire::Version, 0, Wire::Version, 0},
           text("system.version.arm", 0, "control firmware version"));
    figure(Cmd::DspVersion, 3, FieldDesc{0, Wire::Version, 0, Wire::Version, 0},
           text("system.version.dsp", 0, "DSP firmware version"));
    figure(Cmd::RunTime, 4, at(0, Wire::U32),
           number("system.runtime", "s", 0, 4294967295.0, 0, 0, "time since it started"));
    figure(Cmd::TotalTime, 4, at(0, Wire::U32),
           number("system.totaltime", "s", 0, 4294967295.0, 0, 0, "time it has run in all"));
    figure(Cmd::BootCount, 4, at(0, Wire::U32),
           number("system.boots", "", 0, 4294967295.0, 0, 0, "times it has started"));
    figure(Cmd::Temperature, 4, at(0, Wire::F32),
           number("system.temperature", "C", -1000, 1000, 1, 0, "temperature"));

    RecordDesc network = reported(Cmd::Network, 12);
    const int net = c.addRecord(network);
    const auto address = [&](int offset, const char *path, const char *help) {
        c.addParam(net, FieldDesc{offset, Wire::Ipv4, offset, Wire::Ipv4, 0},
                   with(text(path, 0, help), ReadOnly | RunTime));
    };
    address(0, "system.network.address", "IPv4 address (set on the settings page)");
    address(4, "system.network.mask", "subnet mask");
    address(8, "system.network.gateway", "gateway");
}

} // namespace Model
