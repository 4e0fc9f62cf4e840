#include "protocol/progressguard.h"

#include <QTimer>

ProgressGuard::ProgressGuard(QObject *parent) : QObject(parent), m_watchdog(new QTimer(this))
{
    m_watchdog->setSingleShot(true);
    m_watchdog->setInterval(DefaultInterval);
    connect(m_watchdog, &QTimer::timeout, this, &ProgressGuard::watchdogFired);
}

void ProgressGuard::start(QObject *owner, const QString &label, qint64 maximum)
{
    m_owner = owner;
    m_running = true;
    m_cancelled = false;
    m_label = label;
    m_maximum = qMax<qint64>(0, maximum);
    m_value = 0;
    m_watchdog->start();
    emit started(m_label, m_maximum);
}

bool ProgressGuard::step(QObject *owner, qint64 value)
{
    if (!isActive(owner))
        return false;
    m_value = value;
    m_watchdog->start();
    emit valueChanged(value);
    return true;
}

void ProgressGuard::finish(QObject *owner)
{
    if (m_running && owner && owner == m_owner)
        release();
}

void ProgressGuard::cancel()
{
    if (!isRunning())
        return;
    // The owner stays recorded so that its next step learns of the cancel.
    m_cancelled = true;
    m_watchdog->stop();
    emit ended();
}

bool ProgressGuard::isActive(const QObject *owner) const
{
    return isRunning() && owner && owner == m_owner;
}

int ProgressGuard::interval() const
{
    return m_watchdog->interval();
}

void ProgressGuard::setInterval(int ms)
{
    m_watchdog->setInterval(ms);
}

void ProgressGuard::release()
{
    const bool wasShown = isRunning();
    m_owner = nullptr;
    m_running = false;
    m_cancelled = false;
    m_label.clear();
    m_watchdog->stop();
    if (wasShown)
        emit ended();
}

void ProgressGuard::watchdogFired()
{
    if (!isRunning())
        return;
    QObject *owner = m_owner; // null when the transfer's object is gone
    release();
    emit timedOut(owner);
}
