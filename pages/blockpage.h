#pragma once

#include "pages/deferredsend.h"

#include <QByteArray>
#include <QVector>
#include <QWidget>

namespace Model {
class UnitState;
struct ParamId;
} // namespace Model
namespace Proto {
struct Frame;
}

class ElidedLabel;
class QLabel;
class QPushButton;
class QTimer;

// What the page container asks of every page: a refresh request (send the
// reads of the page's state), a receive handler for the page's answers, and,
// where the page shows channel names, the names of inputs and outputs.
//
// A block page also has its 10 ms tick, which drives the page's deferred sends
// and edit hold. It ticks only while the page is shown, and then only while
// there is work for a tick: an edit pending or a hold on (the deferred send
// wakes it), or work of the page's own (needsTicks()). An idle page costs no
// wake-ups. A page calls deferred().flush() before it changes its target
// (channel, band, selection); hiding the page sends what is pending and ends
// the hold.
//
// Answers are read through AnswerReader (protocol/answerreader.h): flag and
// length are checked before any byte is used.
class BlockPage : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(BlockPage)

public:
    explicit BlockPage(QWidget *parent = nullptr);
    ~BlockPage() override;

    // The unit's state the page shows and edits: the one its container
    // provides to the widgets below it (provideState()), or, for a page made
    // on its own, one of its own.
    Model::UnitState &state() const { return *m_state; }
    // Makes `state` the one every page made below `container` uses.
    static void provideState(QWidget *container, Model::UnitState *state);
    static Model::UnitState *providedState(const QWidget *widget);

    virtual void refresh() = 0;
    virtual void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) = 0;
    virtual void setInputName(int channel, const QString &name);
    virtual void setOutputName(int channel, const QString &name);

    // True while the page is shown: its ticks come whenever there is work.
    bool isTimerRunning() const { return m_live; }
    // True while the tick timer itself runs.
    bool isTicking() const;

protected slots:
    // The page's 10 ms tick.
    void timeout();

protected:
    DeferredSend &deferred() { return m_deferred; }
    // Sends the write of an edit: the operator's edits so far are one step of
    // the history from here (see UnitState::commit()); `label` names it.
    void sendWrite(const Proto::Frame &frame, const QString &label = QString());
    void sendWrites(const QVector<Proto::Frame> &frames, const QString &label = QString());
    // Sends an operation the unit carries out itself (a reset, a copy) as one
    // step of the history. The records it replaces that the state does not
    // hold are read first, so that undo can write them back.
    void sendOperation(const QString &label, const Proto::Frame &operation,
                       const QVector<Model::ParamId> &affected);
    // An operation's frame: op 3, the page's module, a write with the
    // channel byte first.
    static Proto::Frame commandFrame(quint8 module, quint8 cmd, quint8 channel,
                                     const QByteArray &data);
    // Sets a switch from the unit's state without re-entering its slot.
    static void setCheckedSilently(QPushButton *button, bool checked);
    // Shows a channel name in a strip: elided in its name label, whole in the
    // tooltip of the strip (its title's parent) and of the title.
    static void showChannelName(QLabel *title, ElidedLabel *name, const QString &text);

    // Called on each tick after the deferred sends (pages with more to do).
    virtual void onTick() {}
    // True while the page has work for its ticks besides the deferred send:
    // a periodic poll, or something waiting for the end of the hold. Checked
    // after every tick and when the page is shown; a page whose answer to it
    // turns true while the timer sleeps calls wakeTicks().
    virtual bool needsTicks() const { return false; }
    void wakeTicks();
    // Sets every visible text again (called on a language change).
    virtual void retranslate() {}

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QTimer *m_timer;
    Model::UnitState *m_state;
    DeferredSend m_deferred;
    bool m_live = false; // shown
};
