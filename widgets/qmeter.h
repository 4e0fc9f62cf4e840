#pragma once

#include <QWidget>

class QPainter;

// A segmented level bar. Segments from the threshold up are drawn in yellow,
// the others in green; lit segments are bright, unlit ones dark. The bar grows
// from the bottom, or from the top when topDown is set. It repaints only what
// changes: a new value only the segments that went on or off.
class QMeter final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(QMeter)

public:
    explicit QMeter(QWidget *parent = nullptr);

    // A reversed pair is put in order; the value is clamped into the new range.
    void setRange(int minimum, int maximum);
    void setMinimum(int minimum);
    void setMaximum(int maximum);
    // Clamped to the range; repaints only the segments that go on or off.
    void setValue(int value);
    void setThreshold(int threshold);
    // At least one segment.
    void setSegments(int segments);
    void setTopDown(bool topDown);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int value() const { return m_value; }
    int threshold() const { return m_threshold; }
    int segments() const { return m_segments; }
    bool isTopDown() const { return m_topDown; }

    // How many segments the current value lights.
    int litSegments() const;
    // Index of the first segment of the upper (yellow) zone.
    int firstUpperSegment() const;
    // Where segment i is drawn (empty when the widget is too small for it).
    QRect segmentRect(int i) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The geometry and colours above for any bar, so that a widget drawing
    // several bars draws them as QMeter does.
    static int litSegments(int value, int minimum, int maximum, int segments);
    static int firstUpperSegment(int threshold, int minimum, int maximum, int segments);
    static QRect segmentRect(const QRect &bar, int segments, int i, bool topDown);
    // Segments first .. last - 1 of a bar with the gaps around them.
    static QRect segmentsRect(const QRect &bar, int segments, int first, int last, bool topDown);
    static const QColor &segmentColour(bool lit, bool upper);
    // Draws the segments of `bar` that meet `dirty` (on a black ground).
    static void paintBar(QPainter &painter, const QRect &bar, const QRect &dirty, int segments,
                         int lit, int upper, bool topDown);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_segments = 26;
    int m_threshold = 0;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_value = 0;
    bool m_topDown = false;
};
