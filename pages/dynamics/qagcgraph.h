#pragma once

#include <QWidget>

// The automatic gain control's graph: input level across, output level up,
// both -120 .. 0 dB, with the gain curve of agcCurve() in cyan over the frame
// of the limiter chart. Each setter stores its value and repaints; the target
// is kept at or above the threshold.
class QAGCGraph final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(QAGCGraph)

public:
    static constexpr int Minimum = -120;
    static constexpr int Maximum = 0;

    explicit QAGCGraph(QWidget *parent = nullptr);

    void setThreshold(float threshold);
    void setTarget(float target);
    void setRatio(float ratio);
    void setBypassed(bool bypassed);

    float threshold() const { return m_threshold; }
    float target() const { return m_target; }
    float ratio() const { return m_ratio; }
    bool isBypassed() const { return m_bypassed; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    float m_threshold = float(Minimum);
    float m_target = float(Maximum);
    float m_ratio = 2.0f;
    bool m_bypassed = true;
};
