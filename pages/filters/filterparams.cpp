#include "pages/filters/filterparams.h"

#include "model/catalogue.h"
#include "model/unitstate.h"

namespace {

const char *const CutPatterns[2][2][FilterParams::CutFields] = {
    {{"input.#.hpf.enable", "input.#.hpf.type", "input.#.hpf.slope", "input.#.hpf.frequency"},
     {"input.#.lpf.enable", "input.#.lpf.type", "input.#.lpf.slope", "input.#.lpf.frequency"}},
    {{"output.#.hpf.enable", "output.#.hpf.type", "output.#.hpf.slope", "output.#.hpf.frequency"},
     {"output.#.lpf.enable", "output.#.lpf.type", "output.#.lpf.slope", "output.#.lpf.frequency"}}};

const char *const BandPatterns[2][FilterParams::BandFields] = {
    {"input.#.eq.#.enable", "input.#.eq.#.type", "input.#.eq.#.frequency", "input.#.eq.#.gain",
     "input.#.eq.#.q"},
    {"output.#.eq.#.enable", "output.#.eq.#.type", "output.#.eq.#.frequency", "output.#.eq.#.gain",
     "output.#.eq.#.q"}};

} // namespace

FilterParams::FilterParams(bool outputs)
{
    const Model::Catalogue &c = Model::Catalogue::instance();
    const int side = outputs ? 1 : 0;
    for (int which = 0; which < 2; ++which) {
        for (int f = 0; f < CutFields; ++f)
            m_cut[size_t(which)][size_t(f)] = c.paramIndex(CutPatterns[side][which][f]);
        m_cutRecord[size_t(which)] = c.param(m_cut[size_t(which)][0]).record;
    }
    for (int f = 0; f < BandFields; ++f)
        m_band[size_t(f)] = c.paramIndex(BandPatterns[side][f]);
    m_bandRecord = c.param(m_band[0]).record;
}

Model::ParamId FilterParams::cut(Cut which, CutField field, int channel) const
{
    return Model::ParamId{m_cut[size_t(which)][size_t(field)], channel, 0};
}

Model::ParamId FilterParams::band(BandField field, int channel, int band) const
{
    return Model::ParamId{m_band[size_t(field)], channel, band};
}

Model::RecordId FilterParams::cutRecord(Cut which, int channel) const
{
    return Model::RecordId{m_cutRecord[size_t(which)], channel, 0};
}

Model::RecordId FilterParams::bandRecord(int channel, int band) const
{
    return Model::RecordId{m_bandRecord, channel, band};
}

CutFilterRecord FilterParams::cutValues(const Model::UnitState &state, Cut which, int channel) const
{
    CutFilterRecord r;
    r.enable = state.isOn(cut(which, CutEnable, channel)) ? 1 : 0;
    r.type = quint8(state.number(cut(which, CutType, channel)));
    r.slope = quint8(state.number(cut(which, CutSlope, channel)));
    r.frequency = float(state.number(cut(which, CutFrequency, channel)));
    return r;
}

PeqBandRecord FilterParams::bandValues(const Model::UnitState &state, int channel, int b) const
{
    PeqBandRecord r;
    r.enable = state.isOn(band(BandEnable, channel, b)) ? 1 : 0;
    r.type = quint8(state.number(band(BandType, channel, b)));
    r.frequency = float(state.number(band(BandFrequency, channel, b)));
    r.gain = float(state.number(band(BandGain, channel, b)));
    r.qIndex = quint8(qMax(0, state.tableIndex(band(BandQ, channel, b))));
    return r;
}

void FilterParams::fillResponse(FilterResponse &response, const Model::UnitState &state,
                                int channel) const
{
    for (Cut which : {Cut::HighPass, Cut::LowPass}) {
        const CutFilterRecord r = cutValues(state, which, channel);
        response.setCut(which, !r.enable, r.type, r.slope, r.frequency);
    }
    for (int b = 0; b < Bands; ++b) {
        const PeqBandRecord r = bandValues(state, channel, b);
        response.setBand(b, !r.enable, r.type, r.frequency, r.gain, r.drawnQ());
    }
}
