#pragma once

#include <QPointF>
#include <QVector>

// The gain curve of the automatic gain control as a polyline of (input,
// output) levels in dB over the range minimum .. maximum.
//
// Below the threshold the signal passes unchanged; at the threshold the
// output steps up to target - (target - threshold) / ratio, and above it the
// output follows target + (input - target) / ratio. Bypassed, or with a ratio
// of 1 (or below), the curve is the unity diagonal.
QVector<QPointF> agcCurve(double threshold, double target, double ratio, bool bypassed,
                          double minimum = -120.0, double maximum = 0.0);
