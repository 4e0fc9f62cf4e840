#include "pages/dynamics/qagcgraph.h"

#include "pages/accessibility.h"
#include "pages/dynamics/agccurve.h"
#include "pages/dynamics/chartframe.h"

#include <QPainter>

namespace {
constexpr int Divisions = 6; // 20 dB each
}

QAGCGraph::QAGCGraph(QWidget *parent) : QWidget(parent)
{
    initPageAccessibility();
}

void QAGCGraph::setThreshold(float threshold)
{
    m_threshold = threshold;
    update();
}

void QAGCGraph::setTarget(float target)
{
    m_target = qMax(target, m_threshold);
    update();
}

void QAGCGraph::setRatio(float ratio)
{
    m_ratio = ratio;
    update();
}

void QAGCGraph::setBypassed(bool bypassed)
{
    m_bypassed = bypassed;
    update();
}

QSize QAGCGraph::sizeHint() const
{
    return QSize(280, 280);
}

void QAGCGraph::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const ChartFrame::Plot plot = ChartFrame::plotArea(size(), Divisions);
    ChartFrame::drawFrame(p, size(), plot);
    ChartFrame::drawGrid(p, plot, Divisions, Minimum, Maximum);
    ChartFrame::drawDiagonal(p, plot);
    ChartFrame::drawAxisTitles(p, plot);

    constexpr double range = Maximum - Minimum;
    const auto toPixel = [&](const QPointF &db) {
        return QPointF(plot.left + (db.x() - Minimum) * plot.width / range,
                       plot.bottom() - (db.y() - Minimum) * plot.height / range);
    };
    QPolygonF line;
    for (const QPointF &db : agcCurve(m_threshold, m_target, m_ratio, m_bypassed, Minimum, Maximum))
        line.append(toPixel(db));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(45, 255, 254), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(line);
}
