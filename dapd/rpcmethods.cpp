// The methods of the WebSocket API (RpcSession::dispatch).

#include "dapd/paths.h"
#include "dapd/rpcsession.h"
#include "dapd/subscriptions.h"
#include "dapd/unitagent.h"
#include "dapd/unithub.h"
#include "unitlink/paramedit.h"

#include <QJsonArray>
#include <QPointer>

#include <cmath>

using namespace Model;

namespace {

// A JSON value as a path's value is written ("on", "-7.5", "line"); false
// for one no path takes.
bool valueText(const QJsonValue &v, QString &out)
{
    switch (v.type()) {
    case QJsonValue::Bool:
        out = v.toBool() ? QStringLiteral("on") : QStringLiteral("off");
        return true;
    case QJsonValue::Double: {
        const double d = v.toDouble();
        if (!std::isfinite(d) || std::fabs(d) > 1e9)
            return false;
        out = QString::number(d, 'g', 12);
        return true;
    }
    case QJsonValue::String:
        out = v.toString();
        return v.toString().size() <= 1024;
    default:
        return false;
    }
}

QJsonObject valuesOf(const UnitAgent &agent, const QVector<ParamId> &points)
{
    QJsonObject values;
    for (const ParamId &id : points)
        values.insert(Paths::path(id), agent.json(id));
    return values;
}

QJsonObject presetsObject(const UnitAgent &agent, const PresetList &list)
{
    QJsonArray entries;
    for (int s = 0; s < PresetList::Slots; ++s)
        entries.append(QJsonObject{{QStringLiteral("slot"), s + 1},
                                   {QStringLiteral("exists"), list.exists[size_t(s)]},
                                   {QStringLiteral("name"), list.names[size_t(s)]},
                                   {QStringLiteral("current"), s == list.current}});
    return QJsonObject{{QStringLiteral("unit"), agent.key()},
                       {QStringLiteral("current"), list.current + 1},
                       {QStringLiteral("presets"), entries}};
}

// The slot parameter, 1..32, as the slot index 0..31.
int slotOf(const QJsonObject &params, Failure &failure)
{
    const QJsonValue v = params.value(QStringLiteral("slot"));
    const double d = v.toDouble(-1);
    if (!v.isDouble() || d != std::floor(d) || d < 1 || d > PresetList::Slots) {
        failure = Failure::of(
            Failure::InvalidParams,
            QStringLiteral("\"slot\" must be a preset slot, 1..%1").arg(PresetList::Slots),
            QStringLiteral("slot"));
        return -1;
    }
    return int(d) - 1;
}

} // namespace

void RpcSession::dispatch(const QString &method, const QJsonObject &params, const Reply &reply)
{
    Failure failure;
    if (method == QLatin1String("units.list")) {
        QJsonArray units;
        for (UnitAgent *agent : m_hub.agents())
            units.append(agent->describe());
        return reply(units, failure);
    }
    static const QStringList unitMethods{
        QStringLiteral("unit.status"),   QStringLiteral("get"),
        QStringLiteral("set"),           QStringLiteral("subscribe"),
        QStringLiteral("unsubscribe"),   QStringLiteral("preset.list"),
        QStringLiteral("preset.recall"), QStringLiteral("preset.save")};
    if (!unitMethods.contains(method))
        return reply({}, Failure::of(Failure::MethodNotFound,
                                     QStringLiteral("no method \"%1\"").arg(method)));
    UnitAgent *agent = unitOf(params, failure);
    if (!agent)
        return reply({}, failure);
    QPointer<UnitAgent> unit(agent);
    const QJsonValue key = agent->key();

    if (method == QLatin1String("unit.status"))
        return reply(agent->describe(), failure);

    if (method == QLatin1String("get") || method == QLatin1String("subscribe")) {
        const QVector<ParamId> points = pathsOf(params, false, failure);
        if (failure.failed())
            return reply({}, failure);
        const auto answer = [unit, key, points, reply](const Failure &f) {
            if (f.failed() || !unit)
                return reply({}, f);
            reply(QJsonObject{{QStringLiteral("unit"), key},
                              {QStringLiteral("values"), valuesOf(*unit, points)}},
                  f);
        };
        if (method == QLatin1String("get")) {
            agent->get(points, answer);
        } else if (m_subs->count() + points.size() > Subscriptions::MaxPoints) {
            reply({}, Failure::of(Failure::InvalidParams,
                                  QStringLiteral("a client holds at most %1 subscriptions")
                                      .arg(Subscriptions::MaxPoints),
                                  QStringLiteral("paths")));
        } else {
            m_subs->add(agent, points, answer);
        }
        return;
    }

    if (method == QLatin1String("unsubscribe")) {
        const QVector<ParamId> points = pathsOf(params, true, failure);
        if (failure.failed())
            return reply({}, failure);
        const int removed = m_subs->remove(agent, points);
        return reply(
            QJsonObject{{QStringLiteral("unit"), key}, {QStringLiteral("removed"), removed}},
            failure);
    }

    if (method == QLatin1String("set")) {
        const QJsonValue values = params.value(QStringLiteral("values"));
        if (!values.isObject() || values.toObject().isEmpty() ||
            values.toObject().size() > MaxPaths)
            return reply({}, Failure::of(Failure::InvalidParams,
                                         QStringLiteral("\"values\" must be an object of 1 to %1 "
                                                        "paths and their values")
                                             .arg(MaxPaths),
                                         QStringLiteral("values")));
        QVector<ParamEdit::Edit> edits;
        QVector<ParamId> points;
        const QJsonObject object = values.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            const QString &pattern = it.key();
            QString text, error;
            if (pattern.size() > MaxPathLength)
                return reply(
                    {}, Failure::of(
                            Failure::InvalidParams,
                            QStringLiteral("a path has at most %1 characters").arg(MaxPathLength),
                            QStringLiteral("values")));
            const QVector<ParamId> ids = Paths::expand(pattern, &error);
            if (ids.isEmpty())
                return reply({}, Failure::of(Failure::InvalidParams, error,
                                             QStringLiteral("values"), pattern));
            if (!valueText(it.value(), text))
                return reply({}, Failure::of(Failure::InvalidParams,
                                             QStringLiteral("%1: a value is a number, true or "
                                                            "false, or a text")
                                                 .arg(pattern),
                                             QStringLiteral("values"), pattern));
            for (const ParamId &id : ids) {
                const QString readOnly = Paths::whyNotWritable(id);
                if (!readOnly.isEmpty())
                    return reply({}, Failure::of(Failure::InvalidParams, readOnly,
                                                 QStringLiteral("values"), pattern));
                const ParamEdit::Edit edit{ids.size() > 1 ? Paths::path(id) : pattern, id, text};
                if (!ParamEdit::check({edit}, error))
                    return reply({}, Failure::of(Failure::InvalidParams, error,
                                                 QStringLiteral("values"), pattern));
                edits.append(edit);
                points.append(id);
            }
        }
        QString error;
        if (!ParamEdit::check(edits, error))
            return reply({}, Failure::of(Failure::InvalidParams, error, QStringLiteral("values")));
        agent->set(edits, [unit, key, points, reply](const Failure &f, const QStringList &notes) {
            if (f.failed() || !unit)
                return reply({}, f);
            reply(QJsonObject{{QStringLiteral("unit"), key},
                              {QStringLiteral("values"), valuesOf(*unit, points)},
                              {QStringLiteral("notes"), QJsonArray::fromStringList(notes)}},
                  f);
        });
        return;
    }

    // The presets.
    const auto presetAnswer = [unit, reply](int slot) {
        return [unit, reply, slot](const Failure &f, const std::optional<PresetList> &list) {
            if (f.failed() || !unit || !list)
                return reply({}, f);
            if (slot < 0)
                return reply(presetsObject(*unit, *list), f);
            reply(QJsonObject{{QStringLiteral("unit"), unit->key()},
                              {QStringLiteral("slot"), slot + 1},
                              {QStringLiteral("name"), list->names[size_t(slot)]}},
                  f);
        };
    };
    if (method == QLatin1String("preset.list"))
        return agent->presetList(presetAnswer(-1));
    const int slot = slotOf(params, failure);
    if (failure.failed())
        return reply({}, failure);
    if (method == QLatin1String("preset.recall"))
        agent->presetRecall(slot, presetAnswer(slot));
    else
        agent->presetSave(slot, presetAnswer(slot));
}
