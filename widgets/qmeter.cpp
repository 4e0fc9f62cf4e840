#include "widgets/qmeter.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {
const QColor kLowerLit(0, 255, 0);
const QColor kLowerUnlit(38, 90, 41);
const QColor kUpperLit(255, 255, 0);
const QColor kUpperUnlit(84, 87, 39);
} // namespace

QMeter::QMeter(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void QMeter::setRange(int minimum, int maximum)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    if (minimum == m_minimum && maximum == m_maximum)
        return;
    m_minimum = minimum;
    m_maximum = maximum;
    m_value = qBound(m_minimum, m_value, m_maximum);
    update();
}

void QMeter::setMinimum(int minimum)
{
    setRange(minimum, qMax(minimum, m_maximum));
}

void QMeter::setMaximum(int maximum)
{
    setRange(qMin(m_minimum, maximum), maximum);
}

void QMeter::setValue(int value)
{
    value = qBound(m_minimum, value, m_maximum);
    if (value == m_value)
        return;
    const int before = litSegments();
    m_value = value;
    const int after = litSegments();
    // Only the segments that went on or off are drawn again; a change within
    // one segment draws nothing.
    if (after != before)
        update(segmentsRect(qMin(before, after), qMax(before, after)));
}

void QMeter::setThreshold(int threshold)
{
    if (threshold == m_threshold)
        return;
    m_threshold = threshold;
    update();
}

void QMeter::setSegments(int segments)
{
    segments = qMax(1, segments);
    if (segments == m_segments)
        return;
    m_segments = segments;
    update();
}

void QMeter::setTopDown(bool topDown)
{
    if (topDown == m_topDown)
        return;
    m_topDown = topDown;
    update();
}

// Segment i is lit when i < N * (value - minimum) / (maximum - minimum): a
// segment that the level reaches into at all is lit.
int QMeter::litSegments() const
{
    const int span = m_maximum - m_minimum;
    if (span <= 0)
        return 0;
    const double reach = double(m_segments) * (m_value - m_minimum) / span;
    return qBound(0, int(std::ceil(reach)), m_segments);
}

// Segment i belongs to the upper zone when i >= N * (threshold - minimum) / (maximum - minimum).
int QMeter::firstUpperSegment() const
{
    const int span = m_maximum - m_minimum;
    if (span <= 0)
        return m_segments;
    const double start = double(m_segments) * (double(m_threshold) - m_minimum) / span;
    return qBound(0, int(std::ceil(start)), m_segments);
}

QSize QMeter::sizeHint() const
{
    return QSize(20, 160);
}

QSize QMeter::minimumSizeHint() const
{
    return QSize(4, 2 * m_segments + 1);
}

// Segment i, counted from the bottom (from the top when topDown is set), with
// one pixel between segments; empty when the widget has no room for segments.
QRect QMeter::segmentRect(int i) const
{
    const int n = m_segments;
    const double h = height() - 1;
    const double segment = (h - n) / n;
    if (segment <= 0 || i < 0 || i >= n)
        return QRect();
    int bottom = int(std::lround(h - i * (segment + 1.0)));
    int top = int(std::lround(h - i * (segment + 1.0) - segment));
    if (m_topDown) {
        const int mirroredTop = height() - bottom;
        bottom = height() - top;
        top = mirroredTop;
    }
    return QRect(0, top, width(), bottom - top);
}

// The area of segments first .. last - 1, with the gaps between them.
QRect QMeter::segmentsRect(int first, int last) const
{
    QRect area;
    for (int i = first; i < last; ++i)
        area |= segmentRect(i);
    return area.adjusted(0, -1, 0, 1) & rect();
}

void QMeter::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setWindow(0, 0, width(), height());
    const QRect dirty = event->rect();
    painter.fillRect(dirty, Qt::black);

    const int lit = litSegments();
    const int upper = firstUpperSegment();
    for (int i = 0; i < m_segments; ++i) {
        const QRect r = segmentRect(i);
        if (r.isEmpty() || !r.intersects(dirty))
            continue;
        const bool inUpper = i >= upper;
        const QColor &colour =
            i < lit ? (inUpper ? kUpperLit : kLowerLit) : (inUpper ? kUpperUnlit : kLowerUnlit);
        painter.fillRect(r, colour);
    }
}
