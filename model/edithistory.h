#pragma once

#include "model/unitstate.h"

#include <QObject>
#include <QVector>

namespace Model {

// Undo and redo of the operator's edits of one unit.
//
// The edits the state reports gather in an open step until close() ends it:
// the owner closes it when the edit is sent, so that a knob turned for a
// second is one step, not one per movement. A step keeps each value's first
// "before" and last "after". An operation the unit carries out itself (a
// reset, a copy to other channels) is a step of its own, with the frames
// that do it again and the values it replaced.
//
// Undo stores the values from before into the state and gives the frames
// that write them (the fewest: whole records); redo does the same with the
// values after (or the operation's own frames). Neither makes a step of its
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

signals:
    void changed();

private:
    struct Step
    {
        QString label;
        QVector<Change> changes;
        QVector<Proto::Frame> redoFrames; // an operation's own frames
    };

    void edited(const ParamId &id, const QVector<Change> &changes);
    QVector<Proto::Frame> restore(const Step &step, bool before);

    UnitState *m_state;
    QVector<Change> m_open;
    QVector<ParamId> m_openEdited; // the parameters the operator edited
    QVector<Step> m_undo;
    QVector<Step> m_redo;
    bool m_restoring = false;
};

} // namespace Model
