#pragma once

#include "model/paramid.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace Model {
class UnitState;
} // namespace Model

// Edits of a unit's parameters as the program's controls make them, for
// every client that sets values by path (dapctl set, the control server):
// values are checked before anything is sent, then taken in the order given
// with the controls' rules (clamped, a choice to a known value), and what
// an edit changes besides (the gain after a change of an input's mode) is
// written too.
namespace ParamEdit {

struct Edit
{
    QString label; // the path as the client named it
    Model::ParamId id;
    QString value; // as a path's value is written: "-7.5", "on", "line"
};

enum class Result
{
    Ok,
    Invalid,  // a value no control takes now; nothing may be sent
    NotOnUnit // the unit has no such block (it refused the record's read)
};

// Checks every value as its control would take it and the gain limits
// given together against each other, before the unit is asked for anything.
// False with `error` naming the path.
bool check(const QVector<Edit> &edits, QString &error);

// Applies the edits to `state` (which holds the unit's records of them) in
// order. `written` gets the parameters whose records must be written, in
// order, each once; `notes` what was clamped, cut or changed besides.
// `absent` tells a parameter whose block the unit lacks.
Result apply(Model::UnitState &state, const QVector<Edit> &edits,
             const std::function<bool(const Model::ParamId &)> &absent,
             QVector<Model::ParamId> &written, QStringList &notes, QString &error);

// Why the gain limits of a channel some of `ids` belong to cannot be sent
// as `state` holds them (a maximum below the minimum mutes the channel), or
// nothing.
QString limitsProblem(const Model::UnitState &state, const QVector<Model::ParamId> &ids);

} // namespace ParamEdit
