#include "pages/deferredsend.h"

#include "protocol/transport.h"

void DeferredSend::edit(int key)
{
    if (m_gate && !m_gate(key))
        return;
    markPending(key);
    startHold();
}

void DeferredSend::markPending(int key)
{
    if (m_gate && !m_gate(key))
        return;
    m_pending.insert(key, Entry{0, socketGeneration()});
    if (m_wake)
        m_wake();
}

void DeferredSend::startHold()
{
    m_holding = true;
    m_holdCount = 0;
    if (m_wake)
        m_wake();
}

void DeferredSend::endHold()
{
    m_holding = false;
    m_holdCount = 0;
}

void DeferredSend::send(const QMap<int, Entry> &due)
{
    // Sent after the bookkeeping, so a sender may mark keys pending again.
    const quint32 now = socketGeneration();
    for (auto it = due.cbegin(); it != due.cend(); ++it)
        if (m_sender && it->generation == now)
            m_sender(it.key());
}

void DeferredSend::tick()
{
    QMap<int, Entry> due;
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        if (++it->ticks >= SendTicks) {
            due.insert(it.key(), it.value());
            it = m_pending.erase(it);
        } else {
            ++it;
        }
    }
    send(due);
    if (m_holding && ++m_holdCount >= m_holdTicks)
        endHold();
}

void DeferredSend::flush()
{
    if (m_pending.isEmpty())
        return;
    QMap<int, Entry> due;
    due.swap(m_pending);
    send(due);
}

void DeferredSend::settle()
{
    flush();
    endHold();
}

void DeferredSend::dropPending()
{
    m_pending.clear();
    endHold();
}
