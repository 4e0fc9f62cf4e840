#include "model/edithistory.h"

#include <QCoreApplication>
#include <QStringList>

namespace Model {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("EditHistory", text);
}

// The words of a path's segments, as the pages caption them.
QString word(const QString &segment)
{
    static const struct
    {
        const char *segment;
        const char *word;
    } Words[] = {
        {"eq", QT_TRANSLATE_NOOP("EditHistory", "EQ band")},
        {"hpf", QT_TRANSLATE_NOOP("EditHistory", "high-pass")},
        {"lpf", QT_TRANSLATE_NOOP("EditHistory", "low-pass")},
        {"agc", QT_TRANSLATE_NOOP("EditHistory", "AGC")},
        {"aec", QT_TRANSLATE_NOOP("EditHistory", "echo canceller")},
        {"anc", QT_TRANSLATE_NOOP("EditHistory", "noise reduction")},
        {"q", QT_TRANSLATE_NOOP("EditHistory", "Q")},
        {"on", QT_TRANSLATE_NOOP("EditHistory", "routing")},
        {"nom", QT_TRANSLATE_NOOP("EditHistory", "nom level")},
        {"max", QT_TRANSLATE_NOOP("EditHistory", "gain limit (max)")},
        {"min", QT_TRANSLATE_NOOP("EditHistory", "gain limit (min)")},
    };
    for (const auto &w : Words)
        if (segment == QLatin1String(w.segment))
            return tr(w.word);
    return segment;
}

QString words(const QStringList &segments)
{
    QStringList out;
    for (const QString &s : segments)
        out.append(word(s));
    return out.join(QLatin1Char(' '));
}

} // namespace

EditHistory::EditHistory(UnitState *state, QObject *parent) : QObject(parent), m_state(state)
{
    connect(state, &UnitState::edited, this, &EditHistory::edited);
}

QString EditHistory::describe(const ParamId &id)
{
    const QStringList p = Catalogue::instance().path(id).split(QLatin1Char('.'));
    const QString family = p.value(0);
    if ((family == QLatin1String("input") || family == QLatin1String("output")) && p.size() > 2)
        return (family == QLatin1String("input") ? tr("IN %1") : tr("OUT %1")).arg(p[1]) +
               QLatin1Char(' ') + words(p.mid(2));
    if (family == QLatin1String("premix") && p.size() > 2)
        return tr("pre-mix IN %1").arg(p[1]) + QLatin1Char(' ') + words(p.mid(2));
    if (family == QLatin1String("matrix") && p.size() == 4)
        return tr("IN %1 to OUT %2").arg(p[1], p[2]) + QLatin1Char(' ') + word(p[3]);
    if (family == QLatin1String("label") && p.size() == 3)
        return (p[1] == QLatin1String("output")  ? tr("OUT %1 name")
                : p[1] == QLatin1String("panel") ? tr("IN %1 touch-screen name")
                                                 : tr("IN %1 name"))
            .arg(p[2]);
    if (family == QLatin1String("system"))
        return words(p.mid(1));
    return words(p);
}

QString EditHistory::describe(const QVector<ParamId> &edited)
{
    if (edited.isEmpty())
        return QString();
    const QString first = describe(edited.first());
    return edited.size() == 1 ? first : tr("%1 and more").arg(first);
}

void EditHistory::edited(const ParamId &id, const QVector<Change> &changes)
{
    if (m_restoring)
        return;
    if (!m_openEdited.contains(id))
        m_openEdited.append(id);
    for (const Change &c : changes) {
        auto it = std::find_if(m_open.begin(), m_open.end(),
                               [&c](const Change &o) { return o.id == c.id; });
        if (it == m_open.end())
            m_open.append(c);
        else
            it->after = c.after; // the first "before" stays
    }
    if (!m_redo.isEmpty())
        m_redo.clear();
    emit changed();
}

void EditHistory::close(const QString &label)
{
    // An edit that came back to where it started is no step.
    m_open.erase(std::remove_if(m_open.begin(), m_open.end(),
                                [](const Change &c) { return c.before == c.after; }),
                 m_open.end());
    if (m_open.isEmpty()) {
        m_openEdited.clear();
        return;
    }
    m_undo.append(Step{label.isEmpty() ? describe(m_openEdited) : label, m_open, {}});
    m_open.clear();
    m_openEdited.clear();
    if (m_undo.size() > MaxSteps)
        m_undo.removeFirst();
    emit changed();
}

void EditHistory::addOperation(const QString &label, const QVector<Proto::Frame> &redo,
                               const QVector<ParamId> &affected)
{
    close();
    Step step{label, {}, redo};
    for (const ParamId &id : affected)
        step.changes.append(Change{id, m_state->value(id), QVariant()});
    m_undo.append(step);
    m_redo.clear();
    if (m_undo.size() > MaxSteps)
        m_undo.removeFirst();
    emit changed();
}

bool EditHistory::canUndo() const
{
    return !m_undo.isEmpty() || !m_open.isEmpty();
}

QString EditHistory::undoText() const
{
    if (!m_open.isEmpty())
        return describe(m_openEdited);
    return m_undo.isEmpty() ? QString() : m_undo.last().label;
}

QString EditHistory::redoText() const
{
    return m_redo.isEmpty() ? QString() : m_redo.last().label;
}

QVector<Proto::Frame> EditHistory::restore(const Step &step, bool before)
{
    if (!before && !step.redoFrames.isEmpty())
        return step.redoFrames; // the unit does the operation again
    m_restoring = true;
    QVector<ParamId> ids;
    for (const Change &c : step.changes) {
        const QVariant &v = before ? c.before : c.after;
        if (!v.isValid())
            continue;
        if (Catalogue::instance().param(c.id).kind == Kind::Text)
            m_state->storeText(c.id, v.toString());
        else
            m_state->store(c.id, v.toDouble());
        ids.append(c.id);
    }
    m_restoring = false;
    return m_state->writeFrames(ids);
}

QVector<Proto::Frame> EditHistory::undo()
{
    close();
    if (m_undo.isEmpty())
        return {};
    const Step step = m_undo.takeLast();
    const QVector<Proto::Frame> frames = restore(step, true);
    m_redo.append(step);
    emit changed();
    return frames;
}

QVector<Proto::Frame> EditHistory::redo()
{
    if (m_redo.isEmpty())
        return {};
    const Step step = m_redo.takeLast();
    const QVector<Proto::Frame> frames = restore(step, false);
    m_undo.append(step);
    emit changed();
    return frames;
}

void EditHistory::clear()
{
    if (m_open.isEmpty() && m_undo.isEmpty() && m_redo.isEmpty())
        return;
    m_open.clear();
    m_openEdited.clear();
    m_undo.clear();
    m_redo.clear();
    emit changed();
}

} // namespace Model
