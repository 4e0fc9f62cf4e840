#pragma once

#include <QtGlobal>

// Every module and command number of the protocol, written once. The pages,
// the command builder, the command-line tools and the simulated unit all take
// their numbers from here, so a number cannot differ between the program and
// the unit it is tested against.
//
// Each set is a namespace of constants: the names read as `GateCmd::Record`
// and are the quint8 the transmit path takes.
namespace Proto {

// Modules under op 2 (system commands).
namespace SysModule {
constexpr quint8 Login = 1, Settings = 2, Labels = 3, Settings4 = 4;
}

// Modules under op 1 (firmware transfer).
namespace FirmwareModule {
constexpr quint8 Arm = 1, Dsp = 2;
}
namespace FirmwareCmd {
constexpr quint8 Chunk = 1;
}

// Modules under op 3 (DSP blocks).
namespace Module {
constexpr quint8 InputLevel = 1, Gate = 2, Feedback = 3, InputFilter = 4, InputLimiter = 5,
                 InputDelay = 6, PreMixLevel = 7, Matrix = 8, Generator = 9, AutoMixer = 10,
                 OutputLevel = 11, OutputFilter = 12, OutputLimiter = 13, OutputDelay = 14,
                 Aec = 15, Agc = 16, Anc = 17, Preset = 32;
}

// op 2, module 1.
namespace LoginCmd {
constexpr quint8 Login = 1;
}

// op 2, module 2: identity, health and system settings.
namespace SettingsCmd {
constexpr quint8 Model = 1, ArmVersion = 2, DspVersion = 3, Serial = 4, Channels = 5, RunTime = 6,
                 TotalTime = 7, BootCount = 8, Temperature = 9, Location = 10, Description = 11,
                 Clock = 12, Network = 13, Fault = 14, Password = 15, AllMute = 16, Rs232Baud = 17,
                 Rs485Baud = 18, DspUsage = 19, Voltages = 20, FactoryReset = 21, GateReport = 23,
                 AecSupport = 25, AncSupport = 28;
}

// op 2, module 3: channel labels, one command per table.
namespace LabelCmd {
constexpr quint8 Inputs = 1, Outputs = 2, Panel = 3;
}

// op 2, module 4.
namespace Settings4Cmd {
constexpr quint8 CodeId = 1;
}

namespace InLevelCmd {
constexpr quint8 Meter = 1, Mute = 2, Gain = 3, Mode = 4, Phantom = 5, Step = 6;
}
namespace PreMixCmd {
constexpr quint8 Mute = 1, Gain = 2, Invert = 3, Group = 4, GainDelta = 5, Limits = 6, Meter = 7,
                 Priority = 8;
}
namespace OutLevelCmd {
constexpr quint8 Meter = 1, Mute = 2, Gain = 3, Invert = 4, Group = 5, GainDelta = 6, Limits = 7,
                 PreMeter = 8;
}

namespace GateCmd {
constexpr quint8 State = 1, Record = 2;
}
namespace FeedbackCmd {
constexpr quint8 Enable = 1;
}
// Input and output filters (modules 4 and 12).
namespace FilterCmd {
constexpr quint8 HighPass = 1, LowPass = 2, Band = 3, Copy = 4, Reset = 5;
}
// Input and output limiters (modules 5 and 13).
namespace LimiterCmd {
constexpr quint8 Record = 1, Copy = 2, Reset = 3;
}
// Input and output delays (modules 6 and 14).
namespace DelayCmd {
constexpr quint8 Delay = 1;
}
namespace MatrixCmd {
constexpr quint8 On = 1, Gain = 2;
}
namespace GeneratorCmd {
constexpr quint8 Outputs = 1, Frequency = 2, Type = 3, Gain = 4, Mute = 5;
}
namespace AutoMixerCmd {
constexpr quint8 AutoEnable = 1, OutEnable = 2, NomLevel = 3;
}
namespace AecCmd {
constexpr quint8 Enable = 1;
}
namespace AgcCmd {
constexpr quint8 Record = 1, Copy = 2, Reset = 3;
}
namespace AncCmd {
constexpr quint8 State = 1;
}
namespace PresetCmd {
// The command tool's recall string uses 3; the preset page recalls with 9.
// The unit takes both.
constexpr quint8 List = 1, Save = 2, ToolRecall = 3, Delete = 4, Rename = 5, Recall = 9,
                 ExportOne = 10, ExportAll = 11, ExportData = 12, ImportOne = 13, ImportAll = 14,
                 ImportData = 15;
} // namespace PresetCmd

} // namespace Proto
