#pragma once

#include "pages/filters/filtertables.h"

// One first- or second-order section of a filter response.
//
// The section is designed for the unit's sample rate and kept as the two
// quadratics in phi = sin^2(w/2) whose ratio is |H(e^jw)|^2:
//   |B|^2 = (b0+b1+b2)^2 - 4(b0 b1 + 4 b0 b2 + b1 b2) phi + 16 b0 b2 phi^2
// (and likewise for A). That is the same magnitude as evaluating the transfer
// function on the unit circle, but without the cancellation of 1 - cos w at
// low frequencies and with one division per point instead of two complex
// products, which keeps a redraw cheap.
class FilterSection final
{
public:
    // Second-order kinds (the cookbook's biquads).
    enum Kind
    {
        AllPass = 0,
        HighPass = 1,
        LowPass = 2,
        Peaking = 3,
        LowShelf = 4,
        HighShelf = 5
    };

    // A section that contributes 0 dB everywhere.
    FilterSection() = default;

    // A second-order section of `kind` at `frequency` Hz with `q` and, for the
    // peaking and shelf kinds, `gainDb`. An unknown kind or a design that is
    // not finite gives a section that contributes 0 dB.
    static FilterSection secondOrder(int kind, double frequency, double q, double gainDb);
    // A first-order high-pass or low-pass section at `frequency` Hz.
    static FilterSection firstOrder(bool highPass, double frequency);
    // From the coefficients of H(z) = (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2).
    static FilterSection fromCoefficients(double b0, double b1, double b2, double a0, double a1,
                                          double a2);

    // False for the 0 dB section.
    bool isActive() const { return m_active; }

    // The magnitude in dB at any frequency (the digital frequency taken to
    // 0.1 Hz, as at the table points).
    double dbAt(double hz) const;
    // The magnitude in dB at the 420 table frequencies, written to `db`.
    void evaluate(float *db) const;

    bool operator==(const FilterSection &other) const;
    bool operator!=(const FilterSection &other) const { return !(*this == other); }

private:
    double m_num[3] = {1.0, 0.0, 0.0};
    double m_den[3] = {1.0, 0.0, 0.0};
    bool m_active = false;
};
