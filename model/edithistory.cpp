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
        {"gain", QT_TRANSLATE_NOOP("EditHistory", "gain")},
        {"mute", QT_TRANSLATE_NOOP("EditHistory", "mute")},
        {"frequency", QT_TRANSLATE_NOOP("EditHistory", "frequency")},
        {"enable", QT_TRANSLATE_NOOP("EditHistory", "enable")},
        {"invert", QT_TRANSLATE_NOOP("EditHistory", "invert")},
        {"delay", QT_TRANSLATE_NOOP("EditHistory", "delay")},
        {"threshold", QT_TRANSLATE_NOOP("EditHistory", "threshold")},
        {"attack", QT_TRANSLATE_NOOP("EditHistory", "attack")},
        {"decay", QT_TRANSLATE_NOOP("EditHistory", "decay")},
        {"ratio", QT_TRANSLATE_NOOP("EditHistory", "ratio")},
        {"slope", QT_TRANSLATE_NOOP("EditHistory", "slope")},
        {"type", QT_TRANSLATE_NOOP("EditHistory", "type")},
        {"trim", QT_TRANSLATE_NOOP("EditHistory", "trim")},
        {"phantom", QT_TRANSLATE_NOOP("EditHistory", "phantom")},
        {"mode", QT_TRANSLATE_NOOP("EditHistory", "mode")},
        {"step", QT_TRANSLATE_NOOP("EditHistory", "step")},
        {"group", QT_TRANSLATE_NOOP("EditHistory", "group")},
        {"level", QT_TRANSLATE_NOOP("EditHistory", "level")},
        {"priority", QT_TRANSLATE_NOOP("EditHistory", "priority")},
        {"allmute", QT_TRANSLATE_NOOP("EditHistory", "all mute")},
        {"location", QT_TRANSLATE_NOOP("EditHistory", "location")},
        {"description", QT_TRANSLATE_NOOP("EditHistory", "description")},
        {"limiter", QT_TRANSLATE_NOOP("EditHistory", "limiter")},
        {"gate", QT_TRANSLATE_NOOP("EditHistory", "gate")},
        {"feedback", QT_TRANSLATE_NOOP("EditHistory", "feedback")},
        {"generator", QT_TRANSLATE_NOOP("EditHistory", "generator")},
        {"automixer", QT_TRANSLATE_NOOP("EditHistory", "automixer")},
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
    connect(state, &UnitState::committed, this, [this](const QString &label) { close(label); });
    connect(state, &UnitState::operation, this, &EditHistory::addOperation);
    connect(state, &UnitState::replaced, this, [this](const QString &what) {
        const bool had = canUndo() || canRedo();
        clear();
        if (had)
            emit dropped(what);
    });
}

QString EditHistory::describe(const ParamId &id)
{
    return describePath(Catalogue::instance().path(id).split(QLatin1Char('.')));
}

QString EditHistory::describeRecord(const RecordId &rec)
{
    const QVector<ParamId> params = Catalogue::instance().paramsOf(rec);
    if (params.isEmpty())
        return QString();
    QStringList p = Catalogue::instance().path(params.first()).split(QLatin1Char('.'));
    p.removeLast();
    // A band's record is named by its band, a cut filter's by its filter.
    return describePath(p);
}

QString EditHistory::describePath(const QStringList &p)
{
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
    push(Step{label, m_open, {}, m_openEdited});
    m_open.clear();
    m_openEdited.clear();
    emit changed();
}

void EditHistory::push(const Step &step)
{
    m_undo.append(step);
    if (m_undo.size() > MaxSteps)
        m_undo.removeFirst();
}

void EditHistory::addOperation(const QString &label, const QVector<Proto::Frame> &redo,
                               const QVector<ParamId> &affected)
{
    close();
    Step step{label, {}, redo, {}};
    const Catalogue &c = Catalogue::instance();
    for (const ParamId &id : affected) {
        const RecordId rec = c.recordOf(id);
        const bool held = rec.record < 0 || m_state->isKnown(rec);
        // A value the state does not hold comes with the answer awaited.
        step.changes.append(Change{id, held ? m_state->value(id) : QVariant(), QVariant()});
        if (!held && !m_awaited.contains(rec))
            m_awaited.append(rec);
    }
    push(step);
    m_redo.clear();
    emit changed();
}

void EditHistory::observe(const Proto::Frame &frame)
{
    if (m_awaited.isEmpty())
        return;
    if (!m_probe) {
        m_probe = new UnitState(this);
        connect(m_probe, &UnitState::answered, this, &EditHistory::probeAnswered);
    }
    m_probe->apply(frame);
}

void EditHistory::probeAnswered(const RecordId &rec)
{
    if (!m_awaited.removeOne(rec))
        return;
    const Catalogue &c = Catalogue::instance();
    // The newest step that waits for it: the first answer after the read
    // sent before the operation.
    for (QVector<Step> *steps : {&m_undo, &m_redo})
        for (auto step = steps->rbegin(); step != steps->rend(); ++step) {
            bool filled = false;
            for (Change &ch : step->changes)
                if (!ch.before.isValid() && step->redoFrames.size() && c.recordOf(ch.id) == rec) {
                    ch.before = m_probe->value(ch.id);
                    filled = true;
                }
            if (filled)
                return;
        }
}

bool EditHistory::canUndo() const
{
    return !m_undo.isEmpty() || !m_open.isEmpty();
}

QString EditHistory::undoText() const
{
    if (!m_open.isEmpty())
        return describe(m_openEdited);
    return m_undo.isEmpty() ? QString() : m_undo.last().name();
}

QString EditHistory::redoText() const
{
    return m_redo.isEmpty() ? QString() : m_redo.last().name();
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
    if (m_open.isEmpty() && m_undo.isEmpty() && m_redo.isEmpty() && m_awaited.isEmpty())
        return;
    m_open.clear();
    m_openEdited.clear();
    m_undo.clear();
    m_redo.clear();
    m_awaited.clear();
    emit changed();
}

} // namespace Model
