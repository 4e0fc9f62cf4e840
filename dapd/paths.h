#pragma once

#include "model/paramid.h"

#include <QJsonValue>
#include <QString>
#include <QVector>

// The paths a client of the control server names: every parameter of the
// unit model ("input.3.gain", with '*' wildcards as Catalogue::expand takes
// them) and the meters (MeterPaths).
namespace Paths {

// The points a pattern names, in catalogue order; empty (and `error`, which
// names the pattern) when it names none.
QVector<Model::ParamId> expand(const QString &pattern, QString *error);
QString path(const Model::ParamId &id);
// Why a point cannot be set (a meter, a value the unit only reports), or
// nothing.
QString whyNotWritable(const Model::ParamId &id);

} // namespace Paths
