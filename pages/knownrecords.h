#pragma once

#include <QtGlobal>

// Which records of a page's current target (a channel and its bands) the page
// holds as the unit last reported them.
//
// A page writes whole records: the one field the operator changed together
// with the rest as the page holds them. After the target changes, or another
// unit becomes current, the rest would be another channel's or another unit's
// values, so a record counts as known again only once its answer has come; the
// page keeps its controls from editing it and never writes it until then.
// At the start every record counts as known (the page shows the unit's
// defaults), as long as the socket current then stays current.
class KnownRecords final
{
public:
    static constexpr int MaxRecords = 64;

    explicit KnownRecords(int count);

    // The target changed: nothing is known.
    void forgetAll();
    // The answer of `record` for the current target came.
    void learn(int record);
    // False for a record not answered since the target changed, and for
    // every record once another socket became current.
    bool isKnown(int record) const;

private:
    void followSocket() const;

    int m_count;
    mutable quint64 m_known;
    mutable quint32 m_generation;
};
