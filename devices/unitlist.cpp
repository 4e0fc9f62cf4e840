#include "devices/unitlist.h"

int UnitList::indexOf(quint32 machineid) const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i]->record.machineid == machineid)
            return int(i);
    return -1;
}

int UnitList::append(const broadcastMsg &record, bool online, bool announced)
{
    auto entry = std::make_unique<Entry>();
    entry->record = record;
    entry->online = online;
    entry->announced = announced;
    m_entries.push_back(std::move(entry));
    return count() - 1;
}

void UnitList::removeAt(int row)
{
    if (isValid(row))
        m_entries.erase(m_entries.begin() + row);
}

broadcastMsg::Fields UnitList::applyAnnouncement(int row, const broadcastMsg &announced)
{
    Entry &e = at(row);
    const broadcastMsg::Fields changed = changedFields(e.record, announced);
    e.record = announced;
    e.announced = true;
    return changed;
}
