#include "pages/dynamics/limitcurve.h"

#include <cstddef>

double limitThresholdPosition(double thresholdDb)
{
    const double dbPerPoint = (LimitCurve::MaximumDb - LimitCurve::MinimumDb) / LimitCurve::Points;
    return (thresholdDb - LimitCurve::MinimumDb) / dbPerPoint;
}

LimitCurve limitCurve(double thresholdDb, double ratio, bool bypassed, int previousKnee)
{
    if (!(ratio >= 1.0))
        ratio = 1.0;
    const double t = limitThresholdPosition(thresholdDb);
    LimitCurve curve;
    curve.knee = previousKnee;
    bool kneeFound = false;
    for (int i = 0; i < LimitCurve::Points; ++i) {
        if (!bypassed && i >= t) {
            curve.output[std::size_t(i)] = ratio < LimitCurve::HardRatio ? (i - t) / ratio + t : t;
            if (!kneeFound) {
                curve.knee = i;
                kneeFound = true;
            }
        } else {
            curve.output[std::size_t(i)] = i;
        }
    }
    return curve;
}
