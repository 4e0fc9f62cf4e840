// The drawing of the filter graph: grid, labels, curve, handles and the
// values beside a moved handle.

#include "pages/filters/filtergraph.h"

#include "widgets/accessibility.h"
#include "widgets/appfont.h"

#include <QPainter>

#include <cmath>

// ---- painting -------------------------------------------------------------

void FilterGraph::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_background);
    const QRectF plot = plotRect();
    drawGrid(p, plot);
    drawLabels(p, plot);
    drawCurve(p, plot);
    drawHandles(p);
    drawReadout(p, plot);
}

void FilterGraph::drawGrid(QPainter &p, const QRectF &plot) const
{
    p.setPen(m_grid);
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    const double step = (plot.height() + 1.0) / m_divisions;
    for (int i = 1; i < m_divisions; ++i) {
        const double y = std::round(plot.top() + i * step);
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    // 10, 20, ... 90, 100, 200, ... Hz.
    for (int f = m_fMin, step10 = 1; f < m_fMax; f += step10) {
        for (step10 = 1; step10 * 10 <= f; step10 *= 10) {
        }
        const double x = std::round(xOf(f));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
}

void FilterGraph::drawLabels(QPainter &p, const QRectF &plot) const
{
    p.setFont(appFont(8));
    p.setPen(m_label);
    for (int f = m_fMin, decade = 1; f < m_fMax; f += decade) {
        for (decade = 1; decade * 10 <= f; decade *= 10) {
        }
        if (f != decade && f != m_fMin)
            continue; // powers of ten only
        const QString text =
            f < 1000 ? QStringLiteral("%1Hz").arg(f) : QStringLiteral("%1KHz").arg(f / 1000);
        p.drawText(QPointF(int(xOf(f) - 10), plot.bottom() + 13), text);
    }
    // The level of each horizontal line, right-aligned against the plot.
    const double step = (plot.height() + 1.0) / m_divisions;
    for (int i = 0; i <= m_divisions; ++i) {
        const double level = ScaleTop - double(ScaleSpan) * i / m_divisions;
        const double y = plot.top() + i * step;
        const QRectF box(0, y - 7, plot.left() - 3, 14);
        p.drawText(box, Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(level, 'g', 3) + QStringLiteral("dB"));
    }
}

void FilterGraph::drawCurve(QPainter &p, const QRectF &plot) const
{
    const auto &curve = m_response.curve();
    const auto &freq = FilterTables::frequencies();
    QPolygonF line;
    line.reserve(FilterResponse::Points);
    for (int i = 0; i < FilterResponse::Points; ++i) {
        const double x = xOf(freq[size_t(i)]);
        if (x - plot.left() > plot.width() + 1.0)
            break; // past the right edge
        const double y = qBound(plot.top(), double(yOf(curve[size_t(i)])), plot.bottom());
        line.append(QPointF(qBound(plot.left(), x, plot.right()), y));
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(plot);
    p.setPen(QPen(m_curve, 2));
    p.drawPolyline(line);
    p.restore();
}

void FilterGraph::drawHandles(QPainter &p) const
{
    p.setFont(appFont(8));
    const QVector<QRectF> placed = placedHandles();
    for (int i = 0; i < HandleCount; ++i) {
        if (!isShown(i))
            continue;
        const QRectF r = placed.at(i);
        const bool band = i < FilterResponse::MaxBands;
        p.setBrush(band ? QColor(240, 240, 240) : QColor(255, 255, 255));
        p.setPen(i == m_current ? QPen(m_curve, 2) : QPen(Qt::black));
        p.drawRect(r);
        p.setPen(Qt::black);
        const QString text =
            band ? QString::number(i + 1)
                 : (i == HighPassHandle ? QStringLiteral("H") : QStringLiteral("L"));
        p.drawText(r, Qt::AlignCenter, text);
    }
    if (hasFocus() && isShown(m_current))
        drawFocusRing(p, placed.at(m_current).adjusted(-4, -4, 4, 4), palette());
}

void FilterGraph::drawReadout(QPainter &p, const QRectF &plot) const
{
    const QString text = readoutText();
    const int index = m_dragged != NoHandle ? m_dragged : m_current;
    if (text.isEmpty() || !isShown(index))
        return;
    const QFont font = appFont(8);
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const QSizeF box(metrics.horizontalAdvance(text) + 10, metrics.height() + 6);
    // Beside the handle, to its right and above, and inside the plot.
    const QRectF handle = handleRect(index);
    QPointF at(handle.right() + 6, handle.top() - box.height() - 2);
    if (at.x() + box.width() > plot.right())
        at.setX(handle.left() - 6 - box.width());
    if (at.y() < plot.top())
        at.setY(handle.bottom() + 2);
    at.setX(qBound(plot.left(), at.x(), qMax(plot.left(), plot.right() - box.width())));
    const QRectF r(at, box);
    p.save();
    p.setPen(QColor(200, 200, 200));
    p.setBrush(QColor(255, 255, 225));
    p.drawRect(r);
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, text);
    p.restore();
}
