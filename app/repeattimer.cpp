#include "app/repeattimer.h"

#include <QTimer>

RepeatTimer::RepeatTimer(QObject *parent) : QObject(parent), m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &RepeatTimer::timeout);
}

RepeatTimer::~RepeatTimer() = default;

void RepeatTimer::start(int intervalMs)
{
    m_timer->start(intervalMs);
}

void RepeatTimer::stop()
{
    m_timer->stop();
}

bool RepeatTimer::isActive() const
{
    return m_timer->isActive();
}
