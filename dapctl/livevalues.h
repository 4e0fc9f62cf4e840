#pragma once

#include "model/paramid.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QVector>

#include <functional>

namespace Model {
class UnitState;
} // namespace Model

// Values of many parameters read from a file (a backup's live state, the file
// of "dapctl set --from"): paths and values as JSON, flat
// ({"input.3.gain": 12}) or nested as "dapctl get --json" prints them, or
// both. Everything is checked before anything is sent: every path must be
// one the unit has and may be written, every value valid for its parameter
// (within its range, whole where the parameter is whole, one of its values),
// and a refusal names the path.
class LiveValues final
{
public:
    struct Value
    {
        Model::ParamId id;
        double number = 0; // numbers, choices (the value on the wire), switches
        QString text;      // texts
    };

    // Reads the values of `object`; false, with `error` naming the path, for
    // anything it cannot take. `where` prefixes the paths in messages
    // ("live." for a backup's section).
    bool read(const QJsonObject &object, QString &error, const QString &where = QString());

    const QVector<Value> &values() const { return m_values; }
    QVector<Model::ParamId> ids() const;
    bool isEmpty() const { return m_values.isEmpty(); }

    // The record instances to read from the unit before the values are
    // stored: those the values leave fields of unset (a write carries the
    // whole record), and with `withRanges` the records other values' ranges
    // depend on. In catalogue order.
    QVector<Model::RecordId> recordsToRead(bool withRanges) const;

    // Stores the values in `state`, the records they belong to first, derived
    // parameters (an input's total gain) last. With `strict`, a value outside
    // the range the rest of the state gives it (a level above its channel's
    // limit) is refused. Gain limits whose maximum lies below the minimum are
    // always refused, since they mute the channel. False, with `error`
    // naming the path.
    bool store(Model::UnitState &state, bool strict, QString &error) const;

    // Every stored parameter of a state (not derived, not reported by the
    // unit alone) of the records `known` accepts, as nested JSON.
    static QJsonObject fromState(const Model::UnitState &state,
                                 const std::function<bool(const Model::RecordId &)> &known);
    // Whether a parameter is stored: kept in a backup, compared by a diff.
    static bool isStored(const Model::ParamId &id);

private:
    bool take(const QString &path, const QJsonValue &value, QString &error);
    bool walk(const QJsonObject &object, const QString &prefix, int depth, QString &error);

    QVector<Value> m_values;
    QString m_where;
};
