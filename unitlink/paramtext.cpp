#include "unitlink/paramtext.h"

#include "model/unitstate.h"
#include "model/valuetext.h"

#include <QMap>
#include <QStringList>
#include <QVariantMap>

using namespace Model;

namespace ParamText {

QString shown(const UnitState &state, const ParamId &id)
{
    const ParamDesc &d = state.catalogue().param(id);
    QString text = state.valueText(id);
    if (d.kind != Kind::Number)
        return text;
    if (*d.unit)
        text += QLatin1Char(' ') + QLatin1String(d.unit);
    const double value = state.number(id);
    if (d.rules.toWire && value <= d.minimum && d.rules.toWire(d.minimum) != d.minimum)
        text += QStringLiteral(" (off)");
    return text;
}

bool numericChoice(const ParamDesc &param)
{
    if (param.kind != Kind::Choice)
        return false;
    for (const NamedValue &n : param.names) {
        bool ok = false;
        QString::fromLatin1(n.name).toDouble(&ok);
        if (!ok)
            return false;
    }
    return true;
}

QJsonValue json(const UnitState &state, const ParamId &id)
{
    const ParamDesc &d = state.catalogue().param(id);
    switch (d.kind) {
    case Kind::Switch:
        return state.isOn(id);
    case Kind::Text:
        return state.text(id);
    case Kind::Choice:
        if (!numericChoice(d))
            return state.valueText(id);
        break;
    case Kind::Number:
        break;
    }
    return state.valueText(id).toDouble();
}

QString pattern(const ParamDesc &param)
{
    QStringList segments = QString::fromLatin1(param.path).split(QLatin1Char('.'));
    const char *names = param.dims == Dims::InputOutput ? "IO" : "NB";
    int which = 0;
    for (QString &s : segments)
        if (s == QLatin1String("#"))
            s = QLatin1Char(names[qMin(which++, 1)]);
    return segments.join(QLatin1Char('.'));
}

namespace {

using Split = QPair<QStringList, QJsonValue>;

// The entries share their first `depth` segments; one object of the rest.
QJsonObject build(const QVector<Split> &entries, int depth)
{
    QVariantMap leaves;
    QMap<QString, QVector<Split>> children;
    for (const Split &e : entries) {
        const QString &key = e.first.at(depth);
        if (depth == e.first.size() - 1)
            leaves.insert(key, e.second.toVariant());
        else
            children[key].append(e);
    }
    QJsonObject out = QJsonObject::fromVariantMap(leaves);
    for (auto it = children.cbegin(); it != children.cend(); ++it)
        out.insert(it.key(), build(it.value(), depth + 1));
    return out;
}

} // namespace

QJsonObject nested(const QVector<Entry> &entries)
{
    QVector<Split> split;
    split.reserve(entries.size());
    for (const Entry &e : entries)
        split.append(Split{e.first.split(QLatin1Char('.')), e.second});
    return build(split, 0);
}

} // namespace ParamText
