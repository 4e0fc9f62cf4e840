#pragma once

#include <QObject>

class QTimer;

// The one clock of the program's periodic reads: a 100 ms tick while a unit is
// connected, asleep otherwise. The overview sends its meter reads on every
// tick and its status reads on every second one; the page container sends the
// reads of the page on screen on every second tick. Everything sent in one
// tick reaches the system in one write, and the unit's answers to it most
// often come back in one read, so the polls of the overview and the page cost
// one wake-up instead of one each.
class PollClock final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(PollClock)

public:
    static constexpr int IntervalMs = 100;

    static PollClock *instance();

    bool isRunning() const;

signals:
    // Connected slots run in the order they were connected.
    void tick();

private:
    PollClock();
    void linkChanged(bool up);
    void onTimeout();

    QTimer *m_timer;
};
