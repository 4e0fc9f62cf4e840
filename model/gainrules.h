#pragma once

#include <QtGlobal>

// The gain rules of the level blocks (pre-mix and output) and of the matrix
// crosspoints, shared by their pages and the command-line tool.
namespace GainRules {

// Pre-mix and output level: one decimal within -56..+12 dB, where -56 dB is
// the bottom of the scale and means off.
constexpr float LevelMin = -56.0f;
constexpr float LevelMax = 12.0f;
constexpr float LevelOff = -100.0f; // what "off" is sent as
// The gain limits the unit enforces per channel (whole dB).
constexpr int LimitMin = -56;
constexpr int LimitMax = 12;

// A gain set on a channel with the given limits: above the upper limit gives
// the upper limit, anything else at least the lower limit.
float clampLevel(float gain, int lowerLimit, int upperLimit);
// What a level gain travels as: the bottom of the scale is sent as -100 dB.
float levelOnWire(float gain);

// Crosspoint gain: whole dB within -56..+12, where -56 dB means off.
constexpr int CrosspointMin = -56;
constexpr int CrosspointMax = 12;
constexpr int CrosspointOff = -70; // what "off" is sent as

int clampCrosspoint(int gain);
qint8 crosspointOnWire(int gain);

} // namespace GainRules
