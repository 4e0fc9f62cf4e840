#pragma once

#include <QtGlobal>

#include <optional>

// The input stage stores a total gain as an analog preamplifier step and a
// digital trim. These are the conversions between the two and the ranges of
// the total, used by the input level page and by the command-line tool.
namespace InputGain {

constexpr int StepCount = 9;
// The highest step the program chooses itself (50 dB is only ever received).
constexpr int HighestChosenStep = 7;
// The widest trim a received answer is taken with; the total is then clamped
// to the mode's range.
constexpr float TrimLimit = 100.0f;

float stepDb(int step);

// The range of the total gain: 0..50 dB in microphone mode, -12..+12 dB in
// line mode.
float minimum(bool lineMode);
float maximum(bool lineMode);
float clampTotal(float total, bool lineMode);
// The total of a stored step and trim, clamped to the mode's range.
float total(quint8 step, float digital, bool lineMode);

struct Split
{
    quint8 step;
    float digital;
};

// Splits a total (already clamped to the channel's range): in line mode the
// step is always 0; in microphone mode the highest step at or below the total.
Split split(float total, bool lineMode);

// A mode change leaves the channel at 0 dB total: the step and trim to send
// for it, or nothing when the channel already is there.
std::optional<Split> resetAfterModeChange(quint8 step, float digital);

// A received step index: values above 8 are read as 7.
quint8 sanitizeStep(quint8 step);

} // namespace InputGain
