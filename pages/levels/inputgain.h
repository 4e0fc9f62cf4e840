#pragma once

#include <QtGlobal>

// The input stage stores a total gain as an analog preamplifier step and a
// digital trim. These are the conversions between the two.
namespace InputGain {

constexpr int StepCount = 9;
// The highest step the program chooses itself (50 dB is only ever received).
constexpr int HighestChosenStep = 7;

float stepDb(int step);

struct Split
{
    quint8 step;
    float digital;
};

// Splits a total (already clamped to the channel's range): in line mode the
// step is always 0; in microphone mode the highest step at or below the total.
Split split(float total, bool lineMode);

// A received step index: values above 8 are read as 7.
quint8 sanitizeStep(quint8 step);

} // namespace InputGain
