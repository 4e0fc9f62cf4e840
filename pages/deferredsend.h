#pragma once

#include <QMap>

#include <functional>

// The deferred send and edit hold shared by every block page (and the
// crosspoint editor).
//
// A continuous edit (knob, fader, typed value) marks its key pending and
// restarts the page-wide hold. The owner's 10 ms timer calls tick(): a pending
// key is sent on the 10th tick after its last edit, and the hold ends after
// the owner's number of hold ticks. While the hold is on, the owner drops
// incoming state answers so that replies to earlier reads do not pull the
// controls back.
//
// A pending send belongs to the target it was made for:
// - before the owner changes its target (channel, band, selection) it calls
//   flush(), so the edit goes out for the old target at once rather than for
//   the new one 100 ms later;
// - when the owner is hidden it calls settle() (flush and end the hold), so
//   nothing waits for the next showing;
// - a key made while another unit was current is dropped, never sent to the
//   unit that is current now.
class DeferredSend final
{
public:
    using Sender = std::function<void(int key)>;
    using Wake = std::function<void()>;
    using Gate = std::function<bool(int key)>;

    static constexpr int SendTicks = 10;

    explicit DeferredSend(int holdTicks = 10) : m_holdTicks(holdTicks) {}

    void setSender(Sender sender) { m_sender = std::move(sender); }
    // Called whenever a key is marked or the hold starts, so that an owner
    // whose timer sleeps while there is nothing to do can start it.
    void setWake(Wake wake) { m_wake = std::move(wake); }
    void setHoldTicks(int ticks) { m_holdTicks = ticks; }
    // While the gate answers false for a key, edits of it are not taken: the
    // key is not marked and the hold does not start (the owner does not hold
    // what the key would send).
    void setGate(Gate gate) { m_gate = std::move(gate); }
    int holdTicks() const { return m_holdTicks; }

    // Marks `key` pending and restarts the hold: the usual reaction to an edit.
    void edit(int key);
    void markPending(int key);
    void startHold();
    void endHold();

    bool isHolding() const { return m_holding; }
    bool isPending(int key) const { return m_pending.contains(key); }
    bool hasPending() const { return !m_pending.isEmpty(); }
    // True while there is anything for tick() to do.
    bool isBusy() const { return m_holding || !m_pending.isEmpty(); }

    // One timer tick: pending keys first (in key order), then the hold.
    void tick();
    // Sends every pending key now, in key order. The hold stays.
    void flush();
    // flush() and end the hold.
    void settle();
    // Forgets every pending key without sending it, and ends the hold.
    void dropPending();

private:
    struct Entry
    {
        int ticks = 0;
        quint32 generation = 0; // of the current socket when the key was marked
    };
    void send(const QMap<int, Entry> &due);

    Sender m_sender;
    Wake m_wake;
    Gate m_gate;
    QMap<int, Entry> m_pending; // by key
    int m_holdTicks;
    int m_holdCount = 0;
    bool m_holding = false;
};
