#include "pages/deferredsend.h"

#include <QVector>

void DeferredSend::edit(int key)
{
    markPending(key);
    startHold();
}

void DeferredSend::markPending(int key)
{
    m_pending.insert(key, 0);
}

void DeferredSend::startHold()
{
    m_holding = true;
    m_holdCount = 0;
}

void DeferredSend::tick()
{
    QVector<int> due;
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        if (++it.value() >= SendTicks) {
            due.append(it.key());
            it = m_pending.erase(it);
        } else {
            ++it;
        }
    }
    // Sent after the bookkeeping, so a sender may mark keys pending again.
    for (int key : due)
        if (m_sender)
            m_sender(key);
    if (m_holding && ++m_holdCount >= m_holdTicks)
        m_holding = false;
}
