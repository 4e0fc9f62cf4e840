#include "widgets/qmeter.h"

#include "widgets/accessibility.h"

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
    initWidgetAccessibility();
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
        update(
            segmentsRect(rect(), m_segments, qMin(before, after), qMax(before, after), m_topDown));
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
int QMeter::litSegments(int value, int minimum, int maximum, int segments)
{
    const int span = maximum - minimum;
    if (span <= 0)
        return 0;
    const double reach = double(segments) * (value - minimum) / span;
    return qBound(0, int(std::ceil(reach)), segments);
}

// Segment i belongs to the upper zone when i >= N * (threshold - minimum) / (maximum - minimum).
int QMeter::firstUpperSegment(int threshold, int minimum, int maximum, int segments)
{
    const int span = maximum - minimum;
    if (span <= 0)
        return segments;
    const double start = double(segments) * (double(threshold) - minimum) / span;
    return qBound(0, int(std::ceil(start)), segments);
}

int QMeter::litSegments() const
{
    return litSegments(m_value, m_minimum, m_maximum, m_segments);
}

int QMeter::firstUpperSegment() const
{
    return firstUpperSegment(m_threshold, m_minimum, m_maximum, m_segments);
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
// one pixel between segments; empty when the bar has no room for segments.
QRect QMeter::segmentRect(const QRect &bar, int segments, int i, bool topDown)
{
    const int n = segments;
    const double h = bar.height() - 1;
    const double segment = (h - n) / n;
    if (segment <= 0 || i < 0 || i >= n)
        return QRect();
    int bottom = int(std::lround(h - i * (segment + 1.0)));
    int top = int(std::lround(h - i * (segment + 1.0) - segment));
    if (topDown) {
        const int mirroredTop = bar.height() - bottom;
        bottom = bar.height() - top;
        top = mirroredTop;
    }
    return QRect(bar.left(), bar.top() + top, bar.width(), bottom - top);
}

QRect QMeter::segmentsRect(const QRect &bar, int segments, int first, int last, bool topDown)
{
    QRect area;
    for (int i = first; i < last; ++i)
        area |= segmentRect(bar, segments, i, topDown);
    return area.adjusted(0, -1, 0, 1) & bar;
}

const QColor &QMeter::segmentColour(bool lit, bool upper)
{
    return lit ? (upper ? kUpperLit : kLowerLit) : (upper ? kUpperUnlit : kLowerUnlit);
}

void QMeter::paintBar(QPainter &painter, const QRect &bar, const QRect &dirty, int segments,
                      int lit, int upper, bool topDown)
{
    painter.fillRect(dirty & bar, Qt::black);
    for (int i = 0; i < segments; ++i) {
        const QRect r = segmentRect(bar, segments, i, topDown);
        if (!r.isEmpty() && r.intersects(dirty))
            painter.fillRect(r, segmentColour(i < lit, i >= upper));
    }
}

QRect QMeter::segmentRect(int i) const
{
    return segmentRect(rect(), m_segments, i, m_topDown);
}

void QMeter::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    paintBar(painter, rect(), event->rect(), m_segments, litSegments(), firstUpperSegment(),
             m_topDown);
}
