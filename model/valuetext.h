#pragma once

#include "model/paramdesc.h"

// A parameter's value as a path's value is written: what dapctl prints and
// takes, what a backup holds, what the control server speaks.
namespace Model::ValueText {

// "on", "line", "-7.5", "40" (a table number's entry).
QString format(const ParamDesc &param, double value);

// Reads a written value: a switch is on|off (also 1|0, true|false, yes|no), a
// choice one of its names (or its value), a number a finite decimal number,
// a text any text that is not far longer than the unit's field. A number
// outside the range is taken (the edit clamps it); false, with `error`
// naming what is wrong, for anything else and for a read-only parameter.
bool parse(const ParamDesc &param, const QString &written, double *number, QString *text,
           QString *error);

// What a parameter takes, for "dapctl paths": "on|off", "dB, -56.0..12.0".
QString describe(const ParamDesc &param);

} // namespace Model::ValueText
