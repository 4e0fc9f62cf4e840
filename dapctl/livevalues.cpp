#include "dapctl/livevalues.h"

#include "dapctl/statelink.h"
#include "model/unitstate.h"
#include "model/valuetext.h"
#include "unitlink/paramedit.h"
#include "unitlink/paramtext.h"
#include "unitlink/readplan.h"

#include <QSet>

#include <algorithm>
#include <cmath>

using namespace Model;

namespace {

// Paths have at most five segments; a deeper object is no file of values.
constexpr int MaxDepth = 8;
// Far more values than a unit has (about 4,200).
constexpr int MaxValues = 20000;

const Catalogue &cat()
{
    return Catalogue::instance();
}

QString numberText(double value)
{
    return QString::number(value, 'g', 15);
}

// A number of a file as a parameter takes it, checked before it is used:
// finite, within the parameter's range, whole where the parameter is, one of
// a table's values.
bool numberFor(const ParamDesc &d, double v, double *out, QString *why)
{
    if (!std::isfinite(v)) {
        *why = QStringLiteral("not a finite number");
        return false;
    }
    const double slack = 0.5 * std::pow(10.0, -d.decimals - 1);
    if (v < d.minimum - slack || v > d.maximum + slack) {
        *why = QStringLiteral("%1 is outside %2..%3%4")
                   .arg(numberText(v), ValueText::format(d, d.minimum),
                        ValueText::format(d, d.maximum),
                        *d.unit ? QLatin1Char(' ') + QLatin1String(d.unit) : QString());
        return false;
    }
    if (d.hasTable()) {
        for (const NamedValue &n : d.names)
            if (std::fabs(n.value - v) <= 0.5 * std::pow(10.0, -d.decimals)) {
                *out = n.value;
                return true;
            }
        *why = QStringLiteral("%1 is not one of %2").arg(numberText(v), ValueText::describe(d));
        return false;
    }
    if (d.is(Whole) && d.decimals == 0 && v != std::trunc(v)) {
        *why = QStringLiteral("%1 is not a whole number").arg(numberText(v));
        return false;
    }
    *out = qBound(d.minimum, v, d.maximum);
    return true;
}

// The text a JSON value stands for, for ValueText::parse: a switch's
// true/false as on/off, a choice's number as its name.
bool writtenText(const ParamDesc &d, const QJsonValue &value, QString *out, QString *why)
{
    if (value.isString()) {
        *out = value.toString();
        return true;
    }
    if (value.isBool() && d.kind == Kind::Switch) {
        *out = value.toBool() ? QStringLiteral("on") : QStringLiteral("off");
        return true;
    }
    if (value.isDouble() && (d.kind == Kind::Switch || d.kind == Kind::Choice)) {
        const double v = value.toDouble();
        // Checked whole and small before it becomes a whole number.
        if (!std::isfinite(v) || v != std::trunc(v) || std::fabs(v) > 1e9) {
            *why = QStringLiteral("%1 is not one of %2").arg(numberText(v), ValueText::describe(d));
            return false;
        }
        *out = QString::number(qint64(v));
        return true;
    }
    *why = value.isObject() || value.isArray()
               ? QStringLiteral("a value, not a list or object, was expected")
               : QStringLiteral("not a value of %1").arg(ValueText::describe(d));
    return false;
}

} // namespace

bool LiveValues::isStored(const ParamId &id)
{
    const ParamDesc &d = cat().param(id);
    return !d.is(Derived) && !d.is(RunTime) && !d.is(ReadOnly) && d.record >= 0;
}

QVector<ParamId> LiveValues::ids() const
{
    QVector<ParamId> out;
    out.reserve(m_values.size());
    for (const Value &v : m_values)
        out.append(v.id);
    return out;
}

bool LiveValues::read(const QJsonObject &object, QString &error, const QString &where)
{
    m_values.clear();
    m_where = where;
    if (!walk(object, QString(), 0, error))
        return false;
    // One value per parameter, whichever way its path was written.
    QSet<ParamId> seen;
    for (const Value &v : qAsConst(m_values)) {
        if (seen.contains(v.id)) {
            error = QStringLiteral("%1%2: given twice").arg(m_where, cat().path(v.id));
            return false;
        }
        seen.insert(v.id);
    }
    return true;
}

bool LiveValues::walk(const QJsonObject &object, const QString &prefix, int depth, QString &error)
{
    if (depth > MaxDepth) {
        error = QStringLiteral("%1%2: nested too deeply for a path").arg(m_where, prefix);
        return false;
    }
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString path = prefix.isEmpty() ? it.key() : prefix + QLatin1Char('.') + it.key();
        if (path.size() > 200) {
            error = QStringLiteral("%1%2...: no such path").arg(m_where, path.left(40));
            return false;
        }
        const bool ok = it.value().isObject() ? walk(it.value().toObject(), path, depth + 1, error)
                                              : take(path, it.value(), error);
        if (!ok)
            return false;
        if (m_values.size() > MaxValues) {
            error = QStringLiteral("%1more than %2 values").arg(m_where).arg(MaxValues);
            return false;
        }
    }
    return true;
}

bool LiveValues::take(const QString &path, const QJsonValue &value, QString &error)
{
    QString why;
    const std::optional<ParamId> id = cat().parse(path, &why);
    const auto refuse = [&](const QString &text) {
        error = QStringLiteral("%1%2: %3").arg(m_where, path, text);
        return false;
    };
    if (!id)
        return refuse(QStringLiteral("no such path (dapctl paths lists them)"));
    const ParamDesc &d = cat().param(*id);
    Value v;
    v.id = *id;
    if (d.kind == Kind::Number && value.isDouble()) {
        if (d.is(ReadOnly))
            return refuse(QStringLiteral("reported by the unit; it cannot be set"));
        if (!numberFor(d, value.toDouble(), &v.number, &why))
            return refuse(why);
        m_values.append(v);
        return true;
    }
    QString written;
    if (!writtenText(d, value, &written, &why))
        return refuse(why);
    if (!ValueText::parse(d, written, &v.number, &v.text, &why))
        return refuse(why);
    if (d.kind == Kind::Number && !numberFor(d, v.number, &v.number, &why))
        return refuse(why);
    m_values.append(v);
    return true;
}

QVector<RecordId> LiveValues::recordsToRead(bool withRanges) const
{
    const Catalogue &c = cat();
    QSet<ParamId> given;
    for (const Value &v : m_values)
        given.insert(v.id);
    QVector<ParamId> partial; // a parameter of each record left partly unset
    QSet<RecordId> checked;
    for (const Value &v : m_values) {
        const QVector<ParamId> held =
            c.param(v.id).record < 0 ? c.sourcesOf(v.id) : QVector<ParamId>{v.id};
        for (const ParamId &id : held) {
            const RecordId rec = c.recordOf(id);
            if (rec.record < 0 || checked.contains(rec))
                continue;
            checked.insert(rec);
            for (const ParamId &other : c.paramsOf(rec))
                if (!given.contains(other) && !c.param(other).is(ReadOnly)) {
                    partial.append(id);
                    break;
                }
        }
    }
    if (withRanges)
        return ReadPlan::recordsFor(partial + ids());
    QVector<RecordId> out;
    for (const ParamId &id : qAsConst(partial)) {
        const RecordId read = ReadPlan::readInstance(c.recordOf(id));
        if (!out.contains(read))
            out.append(read);
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool LiveValues::store(UnitState &state, bool strict, QString &error) const
{
    const Catalogue &c = cat();
    QVector<Value> ordered = m_values;
    // Records in catalogue order (limits before levels), derived ones last.
    std::stable_sort(ordered.begin(), ordered.end(), [&c](const Value &a, const Value &b) {
        const bool da = c.param(a.id).record < 0, db = c.param(b.id).record < 0;
        return da != db ? db : a.id < b.id;
    });
    for (const Value &v : qAsConst(ordered)) {
        const ParamDesc &d = c.param(v.id);
        if (d.kind == Kind::Text)
            state.setText(v.id, v.text);
        else if (d.record < 0)
            state.setNumber(v.id, v.number);
        else
            state.store(v.id, v.number);
    }
    const QString reversed = ParamEdit::limitsProblem(state, ids());
    if (!reversed.isEmpty()) {
        error = m_where + reversed;
        return false;
    }
    if (!strict)
        return true;
    for (const Value &v : qAsConst(ordered)) {
        const ParamDesc &d = c.param(v.id);
        if (d.kind == Kind::Text)
            continue;
        double lo = 0, hi = 0;
        state.range(v.id, &lo, &hi);
        const double slack = 0.5 * std::pow(10.0, -d.decimals - 1);
        if (v.number < lo - slack || v.number > hi + slack ||
            std::fabs(state.number(v.id) - v.number) > slack) {
            error = QStringLiteral("%1%2: %3 is outside %4..%5, the range the unit's other "
                                   "settings leave it")
                        .arg(m_where, c.path(v.id), ValueText::format(d, v.number),
                             ValueText::format(d, lo), ValueText::format(d, hi));
            return false;
        }
    }
    return true;
}

QJsonObject LiveValues::fromState(const UnitState &state,
                                  const std::function<bool(const RecordId &)> &known)
{
    const Catalogue &c = cat();
    QVector<ParamText::Entry> entries;
    for (const ParamId &id : c.all())
        if (isStored(id) && known(ReadPlan::readInstance(c.recordOf(id))))
            entries.append({c.path(id), ParamText::json(state, id)});
    return ParamText::nested(entries);
}
