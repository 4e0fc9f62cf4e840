#pragma once

#include "sim/channelblock.h"

// Module numbers of the level blocks under op 3.
namespace SimModule {
constexpr quint8 InputLevel = 1;
constexpr quint8 PreMixLevel = 7;
constexpr quint8 OutputLevel = 11;
} // namespace SimModule

// Builders for the parameter tables of the level blocks.
ChannelBlock makeInputLevelBlock();
ChannelBlock makePreMixLevelBlock();
ChannelBlock makeOutputLevelBlock();

// Read/write command numbers of the level blocks, as the unit knows them.
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

// The preamplifier steps of the input stage, in dB, by step index.
float preampStepDb(int index);
