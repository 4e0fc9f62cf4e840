#pragma once

#include "model/paramid.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QPair>
#include <QString>
#include <QVector>

namespace Model {
class UnitState;
struct ParamDesc;
} // namespace Model

// How dapctl shows the unit model's values: "47.0 dB", "-56.0 dB (off)",
// "on", "line", a text; as JSON, a number, true or false, or a text; and
// JSON objects nested by the segments of a path.
namespace ParamText {

// The value with its unit, and "(off)" at the bottom of a scale the unit is
// sent something else for (a level of -56 dB goes as -100).
QString shown(const Model::UnitState &state, const Model::ParamId &id);
// The value as JSON: a number, a switch true or false, a choice its name (a
// number when every name of it is one: a speed, a slope), a text.
QJsonValue json(const Model::UnitState &state, const Model::ParamId &id);
// A pattern as "dapctl paths" writes it: "input.N.eq.B.gain", "matrix.I.O.on".
QString pattern(const Model::ParamDesc &param);
// Whether a choice's names are all numbers (its JSON values are numbers).
bool numericChoice(const Model::ParamDesc &param);

// Paths ("input.3.eq.2.gain") and their values as one object per segment:
// {"input":{"3":{"eq":{"2":{"gain":value}}}}}.
using Entry = QPair<QString, QJsonValue>;
QJsonObject nested(const QVector<Entry> &entries);

} // namespace ParamText
