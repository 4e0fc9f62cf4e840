#pragma once

#include "pages/dynamics/limitcurve.h"

#include <QWidget>

// The limiter's transfer chart: input level across, output level up, both
// -100 .. +15 dB. The area under the static curve is filled; its left edge is
// the unity part up to the knee and its upper edge the compressed part. Each
// setter recomputes the curve and repaints.
class qtLimitCtrl final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(qtLimitCtrl)

public:
    explicit qtLimitCtrl(QWidget *parent = nullptr);

    void setThreshold(double thresholdDb);
    void setRatio(double ratio);
    void setBypassed(bool bypassed);

    double threshold() const { return m_threshold; }
    double ratio() const { return m_ratio; }
    bool isBypassed() const { return m_bypassed; }
    const LimitCurve &curve() const { return m_curve; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void recompute();

    double m_threshold = (LimitCurve::MinimumDb + LimitCurve::MaximumDb) / 2;
    double m_ratio = 2.0;
    bool m_bypassed = false;
    LimitCurve m_curve;
};
