#pragma once

#include <QtGlobal>

// The values of a channel's cut filters and bands as the panels and the
// graph show them. They are plain values: the unit model (model/) holds,
// reads and writes the records; FilterParams builds these from it.

// A high-pass or low-pass filter.
struct CutFilterRecord
{
    quint8 enable = 0;
    quint8 type = 0;  // 0 Bessel, 1 Butterworth, 2 Link-Riley
    quint8 slope = 0; // 0 -6, 1 -12, 2 -18, 3 -24, 4 -36, 5 -48 dB/oct
    float frequency = 20.0f;

    bool operator==(const CutFilterRecord &other) const;
    bool operator!=(const CutFilterRecord &other) const { return !(*this == other); }
};

// One parametric band.
struct PeqBandRecord
{
    static constexpr float GainLimit = 20.0f; // the widest gain a band takes

    quint8 enable = 0;
    quint8 type = 0; // 0 peaking, 1 low shelf, 2 high shelf
    float frequency = 1000.0f;
    float gain = 0.0f;
    quint8 qIndex = 43; // Q 6.0

    // The Q the band is drawn with: its Q table entry for a peaking band, the
    // fixed shelf Q for the two shelves.
    float drawnQ() const;
    bool operator==(const PeqBandRecord &other) const;
    bool operator!=(const PeqBandRecord &other) const { return !(*this == other); }
};
