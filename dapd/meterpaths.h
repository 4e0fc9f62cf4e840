#pragma once

#include "model/paramid.h"
#include "protocol/frame.h"

#include <QString>
#include <QVector>

// The unit's level meters as read-only paths of the control server:
// meter.input.N (op 3 module 1 cmd 1), meter.premix.N (module 7 cmd 7),
// meter.output.N (module 11 cmd 1) and meter.outputpre.N (module 11 cmd 8),
// each 16 signed bytes in dB, channel 1 first.
//
// They are not parameters of the unit model: nothing stores, backs up or
// compares them. A meter travels beside the model's parameters as a
// Model::ParamId whose `param` is negative (-2 - group) and whose `a` is the
// channel, so one set or list of points holds both.
namespace MeterPaths {

constexpr int Groups = 4;
constexpr int Channels = 16;

bool isMeter(const Model::ParamId &id);
Model::ParamId id(int group, int channel);
int groupOf(const Model::ParamId &id);

// "meter.input.3".
QString path(const Model::ParamId &id);
// Whether `pattern` is about meters ("meter", "meter.*", "meter.output.*",
// "meter.input.3"); if so, the meters it names are appended to `out`, or
// `error` says why none.
bool expand(const QString &pattern, QVector<Model::ParamId> &out, QString *error);

// The read of a group, and the group an answer belongs to (-1: none).
Proto::Frame read(int group);
int groupOfAnswer(const Proto::Frame &answer);
// The 16 levels of a meter answer; false for another flag or length.
bool levels(const Proto::Frame &answer, qint8 *out);

} // namespace MeterPaths
