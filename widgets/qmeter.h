#pragma once

#include <QWidget>

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

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect segmentsRect(int first, int last) const;

    int m_segments = 26;
    int m_threshold = 0;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_value = 0;
    bool m_topDown = false;
};
