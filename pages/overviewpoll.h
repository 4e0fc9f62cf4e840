#pragma once

#include <QtGlobal>

#include <array>

// The reads the overview sends to keep the display current: the four meter
// groups every 100 ms and the unit's status every 200 ms. The command-line
// tool's trace polls with the same reads, so its conversation is the one the
// program has.
namespace OverviewPoll {

constexpr int MeterIntervalMs = 100;
constexpr int StatusIntervalMs = 200;

// (module under op 3, cmd) of the meter reads, in the order they are sent.
const std::array<std::array<quint8, 2>, 4> &meterReads();
// Commands of the status reads (op 2, module 2), in the order they are sent.
const std::array<quint8, 10> &statusReads();

void sendMeterReads();
void sendStatusReads();

} // namespace OverviewPoll
