#pragma once

#include "dapctl/parampath.h"

#include <QJsonValue>
#include <QString>

#include <optional>

// A parameter's value as dapctl prints it (text and JSON), and the reading of
// the values a command line gives.
struct ParamValue
{
    QString text;    // "47.0 dB", "on", "Rack 1"
    QJsonValue json; // 47.0, true, "Rack 1"

    static ParamValue fromSwitch(bool on);
    // Tenths of a dB; "(off)" at or below `off`.
    static ParamValue fromGain(float db, float off);
    static ParamValue fromWholeDb(int db);
    static ParamValue fromText(const QString &text);
    static QString gainText(double db);

    // on|off (also 1|0, true|false, yes|no).
    static std::optional<bool> parseSwitch(const QString &text);
    // A finite number with "." as the decimal point.
    static std::optional<double> parseNumber(const QString &text);
    static std::optional<int> parseWhole(const QString &text);
    // A gain limit as the spin boxes take it: whole dB within -56..12.
    static std::optional<int> parseLimit(const QString &text);

    // Why `value` cannot be sent for `path` (empty when it can), without
    // asking the unit: a command checks every value before it writes any.
    // A text far longer than its field (LocalText::maxInputLength) is
    // refused; a little too long, it is cut at a whole character.
    static QString check(const ParamPath &path, const QString &value);
};
