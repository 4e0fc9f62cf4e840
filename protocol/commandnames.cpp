#include "protocol/commandnames.h"

#include "protocol/commands.h"
#include "protocol/frame.h"

#include <map>
#include <utility>

namespace Proto {

namespace {

using CommandList = std::map<quint8, const char *>;

struct ModuleEntry
{
    const char *name;
    CommandList commands;
};

// Twin blocks (input and output filters, limiters, delays) share one list.
const CommandList &filterCommands()
{
    static const CommandList c{{FilterCmd::HighPass, "HighPass"},
                               {FilterCmd::LowPass, "LowPass"},
                               {FilterCmd::Band, "Band"},
                               {FilterCmd::Copy, "Copy"},
                               {FilterCmd::Reset, "Reset"}};
    return c;
}

const CommandList &limiterCommands()
{
    static const CommandList c{
        {LimiterCmd::Record, "Record"}, {LimiterCmd::Copy, "Copy"}, {LimiterCmd::Reset, "Reset"}};
    return c;
}

const CommandList &delayCommands()
{
    static const CommandList c{{DelayCmd::Delay, "Delay"}};
    return c;
}

using Table = std::map<std::pair<quint8, quint8>, ModuleEntry>;

const Table &table()
{
    static const Table t = [] {
        Table m;
        m[{OpFirmware, FirmwareModule::Arm}] = {"FirmwareArm", {{FirmwareCmd::Chunk, "Chunk"}}};
        m[{OpFirmware, FirmwareModule::Dsp}] = {"FirmwareDsp", {{FirmwareCmd::Chunk, "Chunk"}}};
        m[{OpSystem, SysModule::Login}] = {"Login", {{LoginCmd::Login, "Login"}}};
        m[{OpSystem, SysModule::Settings}] = {"Settings",
                                              {{SettingsCmd::Model, "Model"},
                                               {SettingsCmd::ArmVersion, "ArmVersion"},
                                               {SettingsCmd::DspVersion, "DspVersion"},
                                               {SettingsCmd::Serial, "Serial"},
                                               {SettingsCmd::Channels, "Channels"},
                                               {SettingsCmd::RunTime, "RunTime"},
                                               {SettingsCmd::TotalTime, "TotalTime"},
                                               {SettingsCmd::BootCount, "BootCount"},
                                               {SettingsCmd::Temperature, "Temperature"},
                                               {SettingsCmd::Location, "Location"},
                                               {SettingsCmd::Description, "Description"},
                                               {SettingsCmd::Clock, "Clock"},
                                               {SettingsCmd::Network, "Network"},
                                               {SettingsCmd::Fault, "Fault"},
                                               {SettingsCmd::Password, "Password"},
                                               {SettingsCmd::AllMute, "AllMute"},
                                               {SettingsCmd::Rs232Baud, "Rs232Baud"},
                                               {SettingsCmd::Rs485Baud, "Rs485Baud"},
                                               {SettingsCmd::DspUsage, "DspUsage"},
                                               {SettingsCmd::Voltages, "Voltages"},
                                               {SettingsCmd::FactoryReset, "FactoryReset"},
                                               {SettingsCmd::GateReport, "GateReport"},
                                               {SettingsCmd::AecSupport, "AecSupport"},
                                               {SettingsCmd::AncSupport, "AncSupport"}}};
        m[{OpSystem, SysModule::Labels}] = {"Labels",
                                            {{LabelCmd::Inputs, "Inputs"},
                                             {LabelCmd::Outputs, "Outputs"},
                                             {LabelCmd::Panel, "Panel"}}};
        m[{OpSystem, SysModule::Settings4}] = {"Settings4", {{Settings4Cmd::CodeId, "CodeId"}}};

        m[{OpBlock, Module::InputLevel}] = {"InputLevel",
                                            {{InLevelCmd::Meter, "Meter"},
                                             {InLevelCmd::Mute, "Mute"},
                                             {InLevelCmd::Gain, "Gain"},
                                             {InLevelCmd::Mode, "Mode"},
                                             {InLevelCmd::Phantom, "Phantom"},
                                             {InLevelCmd::Step, "Step"}}};
        m[{OpBlock, Module::Gate}] = {"Gate",
                                      {{GateCmd::State, "State"}, {GateCmd::Record, "Record"}}};
        m[{OpBlock, Module::Feedback}] = {"Feedback", {{FeedbackCmd::Enable, "Enable"}}};
        m[{OpBlock, Module::InputFilter}] = {"InputFilter", filterCommands()};
        m[{OpBlock, Module::InputLimiter}] = {"InputLimiter", limiterCommands()};
        m[{OpBlock, Module::InputDelay}] = {"InputDelay", delayCommands()};
        m[{OpBlock, Module::PreMixLevel}] = {"PreMix",
                                             {{PreMixCmd::Mute, "Mute"},
                                              {PreMixCmd::Gain, "Gain"},
                                              {PreMixCmd::Invert, "Invert"},
                                              {PreMixCmd::Group, "Group"},
                                              {PreMixCmd::GainDelta, "GainDelta"},
                                              {PreMixCmd::Limits, "Limits"},
                                              {PreMixCmd::Meter, "Meter"},
                                              {PreMixCmd::Priority, "Priority"}}};
        m[{OpBlock, Module::Matrix}] = {"Matrix",
                                        {{MatrixCmd::On, "On"}, {MatrixCmd::Gain, "Gain"}}};
        m[{OpBlock, Module::Generator}] = {"Generator",
                                           {{GeneratorCmd::Outputs, "Outputs"},
                                            {GeneratorCmd::Frequency, "Frequency"},
                                            {GeneratorCmd::Type, "Type"},
                                            {GeneratorCmd::Gain, "Gain"},
                                            {GeneratorCmd::Mute, "Mute"}}};
        m[{OpBlock, Module::AutoMixer}] = {"AutoMixer",
                                           {{AutoMixerCmd::AutoEnable, "AutoEnable"},
                                            {AutoMixerCmd::OutEnable, "OutEnable"},
                                            {AutoMixerCmd::NomLevel, "NomLevel"}}};
        m[{OpBlock, Module::OutputLevel}] = {"OutputLevel",
                                             {{OutLevelCmd::Meter, "Meter"},
                                              {OutLevelCmd::Mute, "Mute"},
                                              {OutLevelCmd::Gain, "Gain"},
                                              {OutLevelCmd::Invert, "Invert"},
                                              {OutLevelCmd::Group, "Group"},
                                              {OutLevelCmd::GainDelta, "GainDelta"},
                                              {OutLevelCmd::Limits, "Limits"},
                                              {OutLevelCmd::PreMeter, "PreMeter"}}};
        m[{OpBlock, Module::OutputFilter}] = {"OutputFilter", filterCommands()};
        m[{OpBlock, Module::OutputLimiter}] = {"OutputLimiter", limiterCommands()};
        m[{OpBlock, Module::OutputDelay}] = {"OutputDelay", delayCommands()};
        m[{OpBlock, Module::Aec}] = {"Aec", {{AecCmd::Enable, "Enable"}}};
        m[{OpBlock, Module::Agc}] = {
            "Agc", {{AgcCmd::Record, "Record"}, {AgcCmd::Copy, "Copy"}, {AgcCmd::Reset, "Reset"}}};
        m[{OpBlock, Module::Anc}] = {"Anc", {{AncCmd::State, "State"}}};
        m[{OpBlock, Module::Preset}] = {"Preset",
                                        {{PresetCmd::List, "List"},
                                         {PresetCmd::Save, "Save"},
                                         {PresetCmd::ToolRecall, "ToolRecall"},
                                         {PresetCmd::Delete, "Delete"},
                                         {PresetCmd::Rename, "Rename"},
                                         {PresetCmd::Recall, "Recall"},
                                         {PresetCmd::ExportOne, "ExportOne"},
                                         {PresetCmd::ExportAll, "ExportAll"},
                                         {PresetCmd::ExportData, "ExportData"},
                                         {PresetCmd::ImportOne, "ImportOne"},
                                         {PresetCmd::ImportAll, "ImportAll"},
                                         {PresetCmd::ImportData, "ImportData"}}};
        return m;
    }();
    return t;
}

} // namespace

const QVector<ModuleInfo> &knownModules()
{
    static const QVector<ModuleInfo> modules = [] {
        QVector<ModuleInfo> out;
        for (const auto &[key, entry] : table())
            out.append({key.first, key.second, entry.name});
        return out;
    }();
    return modules;
}

QString moduleName(quint8 op, quint8 module)
{
    const auto it = table().find({op, module});
    return it == table().end() ? QString() : QLatin1String(it->second.name);
}

QString commandName(quint8 op, quint8 module, quint8 cmd)
{
    const auto it = table().find({op, module});
    if (it == table().end())
        return QString();
    const auto c = it->second.commands.find(cmd);
    if (c == it->second.commands.end())
        return QLatin1String(it->second.name);
    return QLatin1String(it->second.name) + QLatin1Char('.') + QLatin1String(c->second);
}

} // namespace Proto
