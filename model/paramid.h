#pragma once

#include <QHashFunctions>
#include <QMetaType>

namespace Model {

// One parameter of one instance: the descriptor and its indices (0-based):
// `a` is the channel, or the input of a crosspoint; `b` the band, or the
// output of a crosspoint.
struct ParamId
{
    int param = -1;
    int a = 0;
    int b = 0;

    bool isValid() const { return param >= 0; }
    bool operator==(const ParamId &o) const { return param == o.param && a == o.a && b == o.b; }
    bool operator!=(const ParamId &o) const { return !(*this == o); }
    bool operator<(const ParamId &o) const
    {
        return param != o.param ? param < o.param : a != o.a ? a < o.a : b < o.b;
    }
};

inline uint qHash(const ParamId &id, uint seed = 0)
{
    return ::qHash(quint64(id.param) << 16 | quint64(id.a) << 8 | quint64(id.b), seed);
}

// One instance of a record: the record and the indices that select it.
struct RecordId
{
    int record = -1;
    int a = 0;
    int b = 0;

    bool operator==(const RecordId &o) const { return record == o.record && a == o.a && b == o.b; }
    bool operator<(const RecordId &o) const
    {
        return record != o.record ? record < o.record : a != o.a ? a < o.a : b < o.b;
    }
};

inline uint qHash(const RecordId &id, uint seed = 0)
{
    return ::qHash(quint64(id.record) << 16 | quint64(id.a) << 8 | quint64(id.b), seed);
}

} // namespace Model

Q_DECLARE_METATYPE(Model::ParamId)
