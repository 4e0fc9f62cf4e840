#include "pages/filters/filterresponse.h"

#include <cmath>

namespace {

const float DefaultBandFrequencies[FilterResponse::MaxBands] = {
    40, 60, 80, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 2000, 3000, 4000};

// A frequency the sections can be designed at: limited to the audio band,
// or the previous value when the new one is not a number.
float safeFrequency(float value, float previous)
{
    if (!std::isfinite(value))
        return previous;
    return qBound(FilterTables::MinFrequency, value, FilterTables::MaxFrequency);
}

} // namespace

FilterResponse::FilterResponse()
{
    m_cuts[LowPass].frequency = FilterTables::MaxFrequency;
    for (int b = 0; b < MaxBands; ++b)
        m_bands[size_t(b)].frequency = DefaultBandFrequencies[b];
    designCut(HighPass);
    designCut(LowPass);
    for (int b = 0; b < MaxBands; ++b)
        designBand(b);
}

bool FilterResponse::setCut(Cut which, bool bypass, int type, int slope, float frequency)
{
    CutFilter &c = m_cuts[which];
    const CutFilter next{bypass, type, slope, safeFrequency(frequency, c.frequency)};
    if (next.bypass == c.bypass && next.type == c.type && next.slope == c.slope &&
        next.frequency == c.frequency)
        return false;
    c = next;
    designCut(which);
    return true;
}

bool FilterResponse::setCutFrequency(Cut which, float frequency)
{
    const CutFilter &c = m_cuts[which];
    return setCut(which, c.bypass, c.type, c.slope, frequency);
}

bool FilterResponse::setBand(int band, bool bypass, int type, float frequency, float gain, float q)
{
    if (band < 0 || band >= MaxBands)
        return false;
    Band &b = m_bands[size_t(band)];
    const Band next{bypass, type, safeFrequency(frequency, b.frequency),
                    std::isfinite(gain) ? gain : b.gain, std::isfinite(q) && q > 0.0f ? q : b.q};
    if (next.bypass == b.bypass && next.type == b.type && next.frequency == b.frequency &&
        next.gain == b.gain && next.q == b.q)
        return false;
    b = next;
    designBand(band);
    return true;
}

bool FilterResponse::setBandPoint(int band, float frequency, float gain)
{
    if (band < 0 || band >= MaxBands)
        return false;
    const Band &b = m_bands[size_t(band)];
    return setBand(band, b.bypass, b.type, frequency, gain, b.q);
}

bool FilterResponse::setBandCount(int count)
{
    count = qBound(1, count, int(MaxBands));
    if (count == m_bandCount)
        return false;
    m_bandCount = count;
    for (int b = 0; b < MaxBands; ++b)
        designBand(b);
    return true;
}

void FilterResponse::place(int slot, const FilterSection &section)
{
    Slot &s = m_slots[size_t(slot)];
    if (s.section == section)
        return;
    s.section = section;
    s.dirty = true;
    m_sumDirty = true;
}

void FilterResponse::designCut(Cut which)
{
    const CutFilter &c = m_cuts[which];
    const bool highPass = which == HighPass;
    const int order = c.bypass ? 0 : FilterTables::cutOrder(c.slope);
    const bool knownType = c.type >= 0 && c.type < FilterTables::CutTypes;
    int slot = CutSlot[which];
    const int end = slot + FilterTables::MaxCutSections;
    if (knownType) {
        // order / 2 second-order sections, then a first-order one for odd orders.
        for (int i = 0; i < order / 2; ++i)
            place(slot++, FilterSection::secondOrder(
                              highPass ? FilterSection::HighPass : FilterSection::LowPass,
                              c.frequency, FilterTables::cutQ(c.type, c.slope, i), 0.0));
        if (order % 2)
            place(slot++, FilterSection::firstOrder(highPass, c.frequency));
    }
    while (slot < end)
        place(slot++, FilterSection());
}

void FilterResponse::designBand(int band)
{
    const Band &b = m_bands[size_t(band)];
    FilterSection section;
    if (band < m_bandCount && !b.bypass && b.type >= 0 && b.type < FilterTables::BandTypes)
        section =
            FilterSection::secondOrder(FilterSection::Peaking + b.type, b.frequency, b.q, b.gain);
    place(BandSlot + band, section);
}

void FilterResponse::invalidate()
{
    for (Slot &s : m_slots)
        s.dirty = true;
    m_sumDirty = true;
}

namespace {
// total += part, over the table (kept apart so that it is vectorised).
void accumulate(float *__restrict total, const float *__restrict part)
{
    for (int i = 0; i < FilterTables::Points; ++i)
        total[i] += part[i];
}
} // namespace

void FilterResponse::update() const
{
    if (!m_sumDirty)
        return;
    m_curve.fill(0.0f);
    for (Slot &s : m_slots) {
        if (!s.section.isActive())
            continue;
        if (s.dirty) {
            s.section.evaluate(s.db.data());
            s.dirty = false;
        }
        accumulate(m_curve.data(), s.db.data());
    }
    m_sumDirty = false;
}

const std::array<float, FilterResponse::Points> &FilterResponse::curve() const
{
    update();
    return m_curve;
}

QVector<FilterResponse::SectionCurve> FilterResponse::sections() const
{
    update();
    QVector<SectionCurve> out;
    for (int which : {HighPass, LowPass}) {
        int n = 0;
        for (int i = 0; i < FilterTables::MaxCutSections; ++i) {
            const Slot &s = m_slots[size_t(CutSlot[which] + i)];
            if (s.section.isActive())
                out.append(
                    {QStringLiteral("%1 %2")
                         .arg(which == HighPass ? QStringLiteral("HPF") : QStringLiteral("LPF"))
                         .arg(++n),
                     s.db.data()});
        }
    }
    for (int b = 0; b < MaxBands; ++b) {
        const Slot &s = m_slots[size_t(BandSlot + b)];
        if (s.section.isActive())
            out.append({QStringLiteral("Band %1").arg(b + 1), s.db.data()});
    }
    return out;
}

double FilterResponse::dbAt(double hz) const
{
    double sum = 0.0;
    for (const Slot &s : m_slots)
        sum += s.section.dbAt(hz);
    return sum;
}

QByteArray FilterResponse::toCsv() const
{
    const QVector<SectionCurve> parts = sections();
    const auto &total = curve();
    const auto &freq = FilterTables::frequencies();
    QByteArray out = "Frequency (Hz)";
    for (const SectionCurve &p : parts)
        out += ',' + p.name.toLatin1() + " (dB)";
    out += ",Total (dB)\n";
    // QByteArray::number is locale-independent: always "." as decimal point.
    for (int i = 0; i < Points; ++i) {
        out += QByteArray::number(freq[size_t(i)], 'g', 6);
        for (const SectionCurve &p : parts)
            out += ',' + QByteArray::number(double(p.db[i]), 'f', 3);
        out += ',' + QByteArray::number(double(total[size_t(i)]), 'f', 3) + '\n';
    }
    return out;
}
