#include "pages/filters/filterrecords.h"

#include "pages/filters/filtertables.h"

bool CutFilterRecord::operator==(const CutFilterRecord &o) const
{
    return enable == o.enable && type == o.type && slope == o.slope && frequency == o.frequency;
}

float PeqBandRecord::drawnQ() const
{
    return type == 0 ? FilterTables::qValue(qIndex) : FilterTables::ShelfQ;
}

bool PeqBandRecord::operator==(const PeqBandRecord &o) const
{
    return enable == o.enable && type == o.type && frequency == o.frequency && gain == o.gain &&
           qIndex == o.qIndex;
}
