#include "pages/dynamics/qtlimitctrl.h"

#include "pages/accessibility.h"
#include "pages/dynamics/chartframe.h"

#include <QPainter>

#include <cmath>

qtLimitCtrl::qtLimitCtrl(QWidget *parent) : QWidget(parent)
{
    initPageAccessibility();
    recompute();
}

void qtLimitCtrl::setThreshold(double thresholdDb)
{
    m_threshold = thresholdDb;
    recompute();
}

void qtLimitCtrl::setRatio(double ratio)
{
    m_ratio = ratio;
    recompute();
}

void qtLimitCtrl::setBypassed(bool bypassed)
{
    m_bypassed = bypassed;
    recompute();
}

void qtLimitCtrl::recompute()
{
    m_curve = limitCurve(m_threshold, m_ratio, m_bypassed, m_curve.knee);
    update();
}

QSize qtLimitCtrl::sizeHint() const
{
    return QSize(280, 280);
}

void qtLimitCtrl::paintEvent(QPaintEvent *)
{
    constexpr int N = LimitCurve::Points;
    QPainter p(this);
    const ChartFrame::Plot plot = ChartFrame::plotArea(size());
    ChartFrame::drawFrame(p, size(), plot);

    // Point i of the curve, every step truncated to whole pixels.
    const auto at = [&](int i) {
        const int x = plot.left + i * plot.width / N;
        const int y = plot.bottom() - int(std::trunc(m_curve.output[size_t(i)] * plot.height / N));
        return QPoint(x, y);
    };
    const QPoint corner(plot.left, plot.bottom());
    QPolygon area;
    area << corner << (m_curve.knee == 0 ? corner : at(m_curve.knee)) << at(N - 1)
         << QPoint(plot.right(), plot.bottom());
    p.setPen(QPen(QColor(229, 229, 229), 1, Qt::SolidLine));
    p.setBrush(QColor(64, 64, 64));
    p.drawPolygon(area, Qt::OddEvenFill);

    ChartFrame::drawGrid(p, plot, 5, int(LimitCurve::MinimumDb), int(LimitCurve::MaximumDb));
    ChartFrame::drawDiagonal(p, plot);
    ChartFrame::drawAxisTitles(p, plot);
}
