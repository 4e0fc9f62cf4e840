#pragma once

#include "devices/broadcastmsg.h"

#include <memory>
#include <vector>

// The known units in list order, keyed by machine id, with their online flag.
// Records keep their address for as long as the unit is in the list, so a
// pointer to one may be handed out (the device list reads it when a unit is
// added).
class UnitList final
{
public:
    struct Entry
    {
        broadcastMsg record;
        bool online = false;
        bool announced = false; // false for a unit known only from the registry
    };

    int count() const { return int(m_entries.size()); }
    int indexOf(quint32 machineid) const;
    bool isValid(int row) const { return row >= 0 && row < count(); }

    // The entry of `row`; `row` must be valid.
    Entry &at(int row) { return *m_entries[size_t(row)]; }
    const Entry &at(int row) const { return *m_entries[size_t(row)]; }

    // Appends a unit and returns its row.
    int append(const broadcastMsg &record, bool online, bool announced);
    void removeAt(int row);

    // Takes the fields of an announcement from the unit of `row` into its
    // entry and returns those that differed (the code is not compared).
    broadcastMsg::Fields applyAnnouncement(int row, const broadcastMsg &announced);

private:
    std::vector<std::unique_ptr<Entry>> m_entries;
};
