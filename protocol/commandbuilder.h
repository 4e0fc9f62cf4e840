#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// Frames of the common commands that external controllers (RS232 or TCP) send
// to the unit, as printed by the command tool. They are ordinary write frames
// (flag 1) whose code id is always 1, whatever code this program itself was
// configured with.
namespace CommandBuilder {

constexpr quint16 CodeId = 1;

// A level of -56 dB or lower is the bottom of the scale and means off; the unit
// takes the value -100 dB for it.
constexpr double GainOffLimit = -56.0;
constexpr float GainOffValue = -100.0f;

// Login with `password`: each character becomes one byte, the Latin-1 code of
// the character (the unit compares bytes). Returns no frame when a character
// lies outside Latin-1, which no byte could represent, or when the password
// does not fit one frame.
std::optional<QByteArray> login(const QString &password);

// Level commands of the pre-mix block (inputs) and the output level block.
// `channel` is the channel index on the wire, 0..15. The fixed gain turns
// values at or below GainOffLimit into GainOffValue; the delta is added by the
// unit to the current gain and is written as given.
QByteArray preMixMute(quint8 channel, bool mute);
QByteArray preMixInvert(quint8 channel, bool invert);
QByteArray preMixGain(quint8 channel, double dB);
QByteArray preMixGainDelta(quint8 channel, double dB);
QByteArray outLevelMute(quint8 channel, bool mute);
QByteArray outLevelInvert(quint8 channel, bool invert);
QByteArray outLevelGain(quint8 channel, double dB);
QByteArray outLevelGainDelta(quint8 channel, double dB);

// Recalls the preset slot `index`, 0..31 (slot "1" is index 0).
QByteArray presetRecall(quint8 index);

// The unit's global mute, the same switch as the mute of the overview page.
QByteArray allMute(bool on);

} // namespace CommandBuilder
