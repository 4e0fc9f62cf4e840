#pragma once

#include "model/paramid.h"
#include "pages/filters/filterrecords.h"
#include "pages/filters/filterresponse.h"

#include <array>

namespace Model {
class UnitState;
}

// One filter block (the inputs' or the outputs') in the unit model: the
// parameters and records of a channel's high-pass, low-pass and bands, and
// their values as the panels and the graph show them. The filter pages and
// dapctl's response command read a channel through it; neither knows where a
// field sits in a record.
class FilterParams final
{
public:
    static constexpr int Channels = 16;
    static constexpr int Bands = FilterResponse::MaxBands;

    using Cut = FilterResponse::Cut;
    enum CutField
    {
        CutEnable,
        CutType,
        CutSlope,
        CutFrequency,
        CutFields
    };
    enum BandField
    {
        BandEnable,
        BandType,
        BandFrequency,
        BandGain,
        BandQ,
        BandFields
    };

    explicit FilterParams(bool outputs);

    Model::ParamId cut(Cut which, CutField field, int channel) const;
    Model::ParamId band(BandField field, int channel, int band) const;
    Model::RecordId cutRecord(Cut which, int channel) const;
    Model::RecordId bandRecord(int channel, int band) const;

    CutFilterRecord cutValues(const Model::UnitState &state, Cut which, int channel) const;
    PeqBandRecord bandValues(const Model::UnitState &state, int channel, int band) const;
    // Gives `response` a channel's filters and bands as the graph draws them
    // (the band count is left as it is).
    void fillResponse(FilterResponse &response, const Model::UnitState &state, int channel) const;

private:
    std::array<std::array<int, CutFields>, 2> m_cut{};
    std::array<int, BandFields> m_band{};
    std::array<int, 2> m_cutRecord{};
    int m_bandRecord = -1;
};
