#pragma once

#include "model/unitstate.h"

#include <QObject>
#include <QVector>

namespace Model {

// Undo and redo of the operator's edits of one unit.
//
// The edits the state reports gather in an open step until close() ends it:
// the state's commit() closes it when the edit is sent, so that a knob turned
// for a second is one step, not one per movement. A step keeps each value's first
// "before" and last "after". An operation the unit carries out itself (a
// reset, a copy to other channels) is a step of its own, with the frames
// that do it again and the values it replaced.
//
// Undo stores the values from before into the state and gives the frames
// that write them (the fewest: whole records); redo does the same with the
// values after (or the operation's own frames). An operation that replaces
// records the state does not hold (the targets of a copy) is preceded on the
// wire by their reads; observe() takes the answers, which the unit gives
// before it carries the operation out, as the values to write back. Neither makes a step of its
// own. A new edit clears what could be redone. The history belongs to one
// unit: clear() when another unit is chosen, or when a recall, a restore or a
// factory reset makes the steps meaningless.
class EditHistory final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(EditHistory)

public:
    static constexpr int MaxSteps = 200;

    explicit EditHistory(UnitState *state, QObject *parent = nullptr);

    // Ends the open step: from now on it is undone as one. `label` names it
    // ("All Mix"); by default the parameters edited name it.
    void close(const QString &label = QString());
    // An operation the unit carries out: `redo` does it again; `affected`
    // are the values it replaces (their values now are what undo writes).
    void addOperation(const QString &label, const QVector<Proto::Frame> &redo,
                      const QVector<ParamId> &affected);
    // Every answer of the unit: those of records an operation waits for give
    // the values it replaced.
    void observe(const Proto::Frame &frame);
    bool isWaiting() const { return !m_awaited.isEmpty(); }

    bool canUndo() const;
    bool canRedo() const { return !m_redo.isEmpty(); }
    // What the next undo or redo does ("IN 3 EQ band 2 gain").
    QString undoText() const;
    QString redoText() const;
    int undoCount() const { return m_undo.size() + (m_open.isEmpty() ? 0 : 1); }

    // The frames to send; the state already holds the values they write.
    QVector<Proto::Frame> undo();
    QVector<Proto::Frame> redo();
    void clear();

    // A readable name of a parameter ("IN 3 EQ band 2 gain"), and of the
    // parameters an operator edited.
    static QString describe(const ParamId &id);
    static QString describe(const QVector<ParamId> &edited);
    // The name of what a record holds ("IN 3 limiter", "OUT 2 EQ band 4").
    static QString describeRecord(const RecordId &rec);

signals:
    void changed();
    // The steps were dropped because the unit's state was replaced.
    void dropped(const QString &what);

private:
    struct Step
    {
        QString label; // empty: named by `edited`, in the language of the moment
        QVector<Change> changes;
        QVector<Proto::Frame> redoFrames; // an operation's own frames
        QVector<ParamId> edited;
        QString name() const { return label.isEmpty() ? describe(edited) : label; }
    };

    static QString describePath(const QStringList &segments);
    void edited(const ParamId &id, const QVector<Change> &changes);
    void probeAnswered(const RecordId &rec);
    void push(const Step &step);
    QVector<Proto::Frame> restore(const Step &step, bool before);

    UnitState *m_state;
    QVector<Change> m_open;
    QVector<ParamId> m_openEdited; // the parameters the operator edited
    QVector<Step> m_undo;
    QVector<Step> m_redo;
    bool m_restoring = false;
    UnitState *m_probe = nullptr; // decodes the answers awaited, made when needed
    QVector<RecordId> m_awaited;  // records whose values an operation waits for
};

} // namespace Model
