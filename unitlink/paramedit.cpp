#include "unitlink/paramedit.h"

#include "model/unitstate.h"
#include "model/valuetext.h"
#include "unitlink/paramtext.h"

#include <QSet>

using namespace Model;

namespace ParamEdit {

namespace {

const Catalogue &cat()
{
    return Catalogue::instance();
}

bool isLimit(const ParamId &id)
{
    const QString pattern = QLatin1String(cat().param(id).path);
    return pattern.endsWith(QLatin1String(".#.max")) || pattern.endsWith(QLatin1String(".#.min"));
}

} // namespace

bool check(const QVector<Edit> &edits, QString &error)
{
    for (const Edit &e : edits) {
        QString text, why;
        double number = 0;
        if (!ValueText::parse(cat().param(e.id), e.value, &number, &text, &why)) {
            error = QStringLiteral("%1: %2").arg(e.label, why);
            return false;
        }
    }
    // Gain limits given together are checked against each other.
    UnitState offline;
    QVector<ParamId> limits;
    for (const Edit &e : edits) {
        if (isLimit(e.id)) {
            QString why;
            offline.setValueText(e.id, e.value, &why);
            limits.append(e.id);
        }
    }
    QVector<ParamId> paired;
    for (const ParamId &id : qAsConst(limits))
        for (const ParamId &other : qAsConst(limits))
            if (other.a == id.a && other.param != id.param &&
                cat().param(other).record == cat().param(id).record)
                paired.append(id);
    error = limitsProblem(offline, paired);
    return error.isEmpty();
}

Result apply(UnitState &state, const QVector<Edit> &edits,
             const std::function<bool(const ParamId &)> &absent, QVector<ParamId> &written,
             QStringList &notes, QString &error)
{
    // A derived value is written through those of its sources that changed.
    QSet<ParamId> writing;
    const auto write = [&](const ParamId &id) {
        if (cat().param(id).record >= 0 && !writing.contains(id)) {
            writing.insert(id);
            written.append(id);
        }
    };
    QVector<ParamId> ids;
    for (const Edit &e : edits) {
        ids.append(e.id);
        const ParamDesc &d = cat().param(e.id);
        if (absent && absent(e.id)) {
            error = QStringLiteral("%1: the unit has no such block").arg(e.label);
            return Result::NotOnUnit;
        }
        double asked = 0;
        QString text, why;
        ValueText::parse(d, e.value, &asked, &text, &why);
        if (d.kind != Kind::Text && d.rules.afterEdit && state.number(e.id) == asked) {
            notes << QStringLiteral("%1: already %2; nothing sent").arg(e.label, e.value);
            continue;
        }
        QVector<ParamId> changed;
        const auto c = QObject::connect(&state, &UnitState::changed,
                                        [&changed](const ParamId &id) { changed.append(id); });
        QString note;
        state.setValueText(e.id, e.value, &why, &note);
        QObject::disconnect(c);
        if ((d.kind == Kind::Switch || d.kind == Kind::Choice) && state.number(e.id) != asked) {
            error = QStringLiteral("%1 cannot be %2 now: %3")
                        .arg(e.label, e.value, QLatin1String(d.help));
            return Result::Invalid;
        }
        if (!note.isEmpty())
            notes << QStringLiteral("%1: %2").arg(e.label, note);
        const QVector<ParamId> sources = cat().sourcesOf(e.id);
        QStringList also;
        QSet<ParamId> told;
        for (const ParamId &id : qAsConst(changed)) {
            write(id);
            if (id != e.id && !sources.contains(id) && !told.contains(id)) {
                told.insert(id);
                also << cat().path(id) + QStringLiteral(" = ") + ParamText::shown(state, id);
            }
        }
        write(e.id);
        if (!also.isEmpty())
            notes
                << QStringLiteral("%1: also set %2").arg(e.label, also.join(QStringLiteral(", ")));
    }
    error = limitsProblem(state, ids);
    return error.isEmpty() ? Result::Ok : Result::Invalid;
}

QString limitsProblem(const UnitState &state, const QVector<ParamId> &ids)
{
    const Catalogue &c = cat();
    for (const char *side : {"premix", "output"}) {
        const int max = c.paramIndex(QByteArray(side).append(".#.max").constData());
        const int min = c.paramIndex(QByteArray(side).append(".#.min").constData());
        for (const ParamId &id : ids) {
            if (id.param != max && id.param != min)
                continue;
            const ParamId upper{max, id.a, 0}, lower{min, id.a, 0};
            if (state.number(upper) >= state.number(lower))
                continue;
            // The maximum is named when it was given, else the minimum.
            return QStringLiteral("%1: the maximum %2 dB would be below the minimum %3 dB, "
                                  "which mutes the channel")
                .arg(c.path(ids.contains(upper) ? upper : lower))
                .arg(state.number(upper))
                .arg(state.number(lower));
        }
    }
    return QString();
}

} // namespace ParamEdit
