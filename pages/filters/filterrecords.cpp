#include "pages/filters/filterrecords.h"

#include "pages/filters/filtertables.h"
#include "protocol/answerreader.h"
#include "protocol/lebytes.h"

QByteArray CutFilterRecord::toBytes() const
{
    return Le::bytes(enable, type, slope, frequency);
}

void CutFilterRecord::readAnswer(const AnswerReader &answer, int offset)
{
    enable = answer.u8(offset) != 0;
    if (const auto t = answer.index(offset + 1, FilterTables::CutTypes))
        type = *t;
    if (const auto s = answer.index(offset + 2, FilterTables::Slopes))
        slope = *s;
    if (const auto f = answer.rounded(offset + 3, int(FilterTables::MinFrequency),
                                      int(FilterTables::MaxFrequency)))
        frequency = float(*f);
}

bool CutFilterRecord::operator==(const CutFilterRecord &o) const
{
    return enable == o.enable && type == o.type && slope == o.slope && frequency == o.frequency;
}

QByteArray PeqBandRecord::toBytes() const
{
    return Le::bytes(enable, type, frequency, gain, qIndex);
}

void PeqBandRecord::readAnswer(const AnswerReader &answer, int offset)
{
    enable = answer.u8(offset) != 0;
    if (const auto t = answer.index(offset + 1, FilterTables::BandTypes))
        type = *t;
    if (const auto f = answer.rounded(offset + 2, int(FilterTables::MinFrequency),
                                      int(FilterTables::MaxFrequency)))
        frequency = float(*f);
    if (const auto g = answer.real(offset + 6, -GainLimit, GainLimit))
        gain = *g;
    if (const auto q = answer.index(offset + 10, FilterTables::QIndexCount))
        qIndex = *q;
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
