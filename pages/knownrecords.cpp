#include "pages/knownrecords.h"

#include "protocol/transport.h"

namespace {
quint64 allOf(int count)
{
    return count >= KnownRecords::MaxRecords ? ~quint64(0) : (quint64(1) << count) - 1;
}
} // namespace

KnownRecords::KnownRecords(int count)
    : m_count(qBound(0, count, MaxRecords)), m_known(allOf(m_count)),
      m_generation(socketGeneration())
{
}

// What was learnt from one unit says nothing about the next.
void KnownRecords::followSocket() const
{
    const quint32 now = socketGeneration();
    if (now != m_generation) {
        m_generation = now;
        m_known = 0;
    }
}

void KnownRecords::forgetAll()
{
    followSocket();
    m_known = 0;
}

void KnownRecords::learn(int record)
{
    followSocket();
    if (record >= 0 && record < m_count)
        m_known |= quint64(1) << record;
}

bool KnownRecords::isKnown(int record) const
{
    followSocket();
    return record >= 0 && record < m_count && (m_known >> record) & 1;
}
