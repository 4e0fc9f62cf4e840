#pragma once

#include "model/paramid.h"

#include <QVector>

namespace Model {
class UnitState;
}

// The matrix crosspoints in the unit's state, as the matrix page and its
// editor name them.
namespace Crosspoints {

Model::ParamId on(int input, int output);
Model::ParamId gain(int input, int output);
// Sends the writes of these crosspoints: one frame per output and value.
void send(const Model::UnitState &state, const QVector<Model::ParamId> &ids);

} // namespace Crosspoints
