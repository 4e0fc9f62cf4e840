#pragma once

#include <QMap>

#include <functional>

// The deferred send and edit hold shared by every block page.
//
// A continuous edit (knob, fader, typed value) marks its key pending and
// restarts the page-wide hold. The page's 10 ms timer calls tick(): a pending
// key is sent on the 10th tick after its last edit, and the hold ends after the
// page's number of hold ticks. While the hold is on, the page drops incoming
// state answers so that replies to earlier reads do not pull the controls back.
class DeferredSend final
{
public:
    using Sender = std::function<void(int key)>;

    static constexpr int SendTicks = 10;

    explicit DeferredSend(int holdTicks = 10) : m_holdTicks(holdTicks) {}

    void setSender(Sender sender) { m_sender = std::move(sender); }
    void setHoldTicks(int ticks) { m_holdTicks = ticks; }
    int holdTicks() const { return m_holdTicks; }

    // Marks `key` pending and restarts the hold: the usual reaction to an edit.
    void edit(int key);
    void markPending(int key);
    void startHold();

    bool isHolding() const { return m_holding; }
    bool isPending(int key) const { return m_pending.contains(key); }
    bool hasPending() const { return !m_pending.isEmpty(); }

    // One timer tick: pending keys first (in key order), then the hold.
    void tick();

private:
    Sender m_sender;
    QMap<int, int> m_pending; // key -> ticks since its last edit
    int m_holdTicks;
    int m_holdCount = 0;
    bool m_holding = false;
};
