#pragma once

#include <array>

// The fixed tables of the filter response: the frequencies the curve is
// computed at, the filter order of each slope, the Q of the second-order
// sections of each cut-filter type, and the 65 Q values a band can take.
namespace FilterTables {

constexpr int Points = 420;
constexpr int CutTypes = 3;  // Bessel, Butterworth, Link-Riley
constexpr int Slopes = 6;    // -6, -12, -18, -24, -36, -48 dB/oct
constexpr int BandTypes = 3; // peaking, low shelf, high shelf
constexpr int QIndexCount = 65;
constexpr int MaxCutSections = 5; // four second-order sections and one first-order
constexpr double SampleRate = 192000.0;
constexpr float MinFrequency = 20.0f;
constexpr float MaxFrequency = 20000.0f;
constexpr float ShelfQ = 0.67f; // shelves are drawn with this Q whatever their Q index

// 420 ascending frequencies from 10 Hz to 32 kHz, about 36 per octave, each
// with three significant figures.
const std::array<double, Points> &frequencies();

// Filter order of a slope index (1, 2, 3, 4, 6, 8); 0 for an unknown slope.
int cutOrder(int slope);
// Q of second-order section `section` of a cut filter; 0 when there is none.
double cutQ(int type, int slope, int section);

// The Q value of a band's Q index, or 0 for an index outside 0..64.
float qValue(int index);

// The number of equaliser bands a unit has, by its DSP firmware version:
// 16 before 2.8, 8 from 2.8 on.
int bandCount(int dspMajor, int dspMinor);

} // namespace FilterTables
