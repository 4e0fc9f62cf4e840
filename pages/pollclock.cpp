#include "pages/pollclock.h"

#include "protocol/linkwatch.h"
#include "protocol/sendbatch.h"

#include <QTimer>

PollClock *PollClock::instance()
{
    static PollClock *clock = new PollClock; // lives as long as the process
    return clock;
}

PollClock::PollClock() : m_timer(new QTimer(this))
{
    m_timer->setInterval(IntervalMs);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &PollClock::onTimeout);
    LinkWatch *link = LinkWatch::instance();
    connect(link, &LinkWatch::linkChanged, this, &PollClock::linkChanged);
    linkChanged(link->isUp());
}

bool PollClock::isRunning() const
{
    return m_timer->isActive();
}

// The watch reports changes only; the first tick comes one interval after
// the link is up.
void PollClock::linkChanged(bool up)
{
    if (up)
        m_timer->start();
    else
        m_timer->stop();
}

void PollClock::onTimeout()
{
    const SendBatch batch;
    emit tick();
}
