#pragma once

#include "pages/filters/filtersection.h"
#include "pages/filters/filtertables.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <array>

// The magnitude response of one channel's filter block: a high-pass filter, a
// low-pass filter and up to 16 parametric bands, summed in dB at the 420
// table frequencies.
//
// Each section's curve is kept: a setter designs only the sections whose
// parameters it changed, and the next call of curve() evaluates those and
// adds the section curves again. Dragging one band thus costs one section and
// the sum, not the whole block.
//
// Values that cannot be drawn are made safe here, whoever passes them: a
// frequency that is not finite is ignored and others are limited to
// 20..20000 Hz; a gain or Q that is not finite (or a Q not above 0) is
// ignored; a section of unknown kind, slope or type contributes 0 dB.
class FilterResponse final
{
public:
    static constexpr int Points = FilterTables::Points;
    static constexpr int MaxBands = 16;

    enum Cut
    {
        HighPass = 0,
        LowPass = 1
    };

    struct CutFilter
    {
        bool bypass = true;
        int type = 0;
        int slope = 0;
        float frequency = 20.0f;
    };

    struct Band
    {
        bool bypass = false;
        int type = 0; // 0 peaking, 1 low shelf, 2 high shelf
        float frequency = 1000.0f;
        float gain = 0.0f;
        float q = 6.0f;
    };

    // One section that contributes to the curve, for export.
    struct SectionCurve
    {
        QString name;
        const float *db;
    };

    FilterResponse();

    // Each setter returns true when it changed anything.
    bool setCut(Cut which, bool bypass, int type, int slope, float frequency);
    bool setCutFrequency(Cut which, float frequency);
    bool setBand(int band, bool bypass, int type, float frequency, float gain, float q);
    bool setBandPoint(int band, float frequency, float gain);
    // 1..16; bands from `count` on are neither drawn nor summed.
    bool setBandCount(int count);

    int bandCount() const { return m_bandCount; }
    const CutFilter &cut(Cut which) const { return m_cuts[which]; }
    const Band &band(int band) const { return m_bands[size_t(qBound(0, band, MaxBands - 1))]; }

    // The summed response in dB at the table frequencies.
    const std::array<float, Points> &curve() const;
    // Every section that contributes, in order: high-pass, low-pass, bands.
    QVector<SectionCurve> sections() const;
    // The summed response at any frequency, computed from the sections
    // directly (not read from the table).
    double dbAt(double hz) const;

    // The shown response as CSV: a header, then one row per table frequency
    // with the frequency in Hz, the dB of each contributing section and the
    // total, "." as the decimal point.
    QByteArray toCsv() const;

    // Marks every section for evaluation (a full recompute on the next curve()).
    void invalidate();

private:
    static constexpr int CutSlot[2] = {0, FilterTables::MaxCutSections};
    static constexpr int BandSlot = 2 * FilterTables::MaxCutSections;
    static constexpr int SlotCount = BandSlot + MaxBands;

    struct Slot
    {
        FilterSection section;
        bool dirty = false;
        std::array<float, Points> db{};
    };

    void designCut(Cut which);
    void designBand(int band);
    void place(int slot, const FilterSection &section);
    void update() const;

    std::array<CutFilter, 2> m_cuts;
    std::array<Band, MaxBands> m_bands;
    int m_bandCount = MaxBands;
    mutable std::array<Slot, SlotCount> m_slots;
    mutable std::array<float, Points> m_curve{};
    mutable bool m_sumDirty = true;
};
