#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

// How the settings page writes the unit's values. Pure functions, so the
// formats are tested without a page.
namespace SettingsText {

// "V2.9.4".
QString version(const std::array<quint8, 3> &v);
// Inputs and outputs as "1616".
QString channelConfig(quint8 inputs, quint8 outputs);
// A count of seconds as "1day 01:01:01" (the day word translated).
QString duration(quint32 seconds);
// "41.5°C".
QString temperature(float celsius);
// The clock bytes (second, minute, hour, day, unused, month, year - 2000) as
// "2024-05-31 13:45:00"; empty when all shown bytes are 0 (no clock).
QString clock(const std::array<quint8, 7> &bytes);
// "12.0V"; empty for exactly 0.0 (no value).
QString voltage(float volts);

// An IPv4 address, most significant byte first: "192.168.1.100".
QString dottedAddress(quint32 address);
// The reverse; nothing unless the text is four decimal numbers 0..255.
std::optional<quint32> parseDottedAddress(const QString &text);

} // namespace SettingsText
