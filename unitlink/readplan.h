#pragma once

#include "model/paramid.h"

#include <QVector>

// Which record instances to read for parameters of the unit model: what a
// client of a unit (dapctl's get and set, the control server's reads and
// polls) asks the unit for before it shows or edits values.
namespace ReadPlan {

// The instance a record's read names: the whole table of a per-channel
// table, the row of a crosspoint, the record of a channel or band.
Model::RecordId readInstance(const Model::RecordId &rec);
// The record instances to read for these parameters: their own (through
// the sources of a derived one), and the tables and single records of the
// same modules, on which ranges depend (a level's limits, an input's mode).
// In catalogue order, each once.
QVector<Model::RecordId> recordsFor(const QVector<Model::ParamId> &ids);

} // namespace ReadPlan
