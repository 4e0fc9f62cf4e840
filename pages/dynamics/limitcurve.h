#pragma once

#include <array>

// The static transfer curve of a limiter, in the units of its chart: 256
// points spread over the input range -100 .. +15 dB, point i holding the
// output position of input position i (both 0 .. 256).
//
// At and above the threshold the output rises by 1/ratio per input step; a
// ratio of 100 or more is hard limiting (flat at the threshold). Bypassed,
// the curve is the unity diagonal.
struct LimitCurve
{
    static constexpr int Points = 256;
    static constexpr double MinimumDb = -100.0;
    static constexpr double MaximumDb = 15.0;
    static constexpr double HardRatio = 100.0;

    std::array<double, Points> output{};
    // The first compressed point. When no point is compressed (bypassed, or
    // the threshold above the last point) it keeps the knee given in.
    int knee = 0;
};

// The threshold in point units (a fraction): 0 at -100 dB, 256 at +15 dB.
double limitThresholdPosition(double thresholdDb);

// The curve for the given settings. A ratio below 1 (or not a number) is
// taken as 1, so the curve never rises faster than the input.
LimitCurve limitCurve(double thresholdDb, double ratio, bool bypassed, int previousKnee = 0);
