#pragma once

#include <QWidget>

#include <functional>

// A rotary control drawn from a base image and an indicator image that turns
// through 240 degrees: -120 at the minimum, straight up in the middle, +120 at
// the maximum. Dragging 200 pixels right or up covers the whole range.
//
// Keys: Up/Right and Down/Left one step, PgUp/PgDn ten steps, Home/End the
// ends of the range. Wheel: one step per whole notch; with Shift ten steps per
// notch (coarse); with Ctrl one step per wheel event of any size (fine: the
// step is the smallest change the owners send, so finer control means not
// dropping the partial notches of touchpads and free-spinning wheels). A ring
// in the highlight colour shows the focus. valueChanged() reports operator
// input only, from mouse, wheel, keys and assistive technology alike;
// setValue() and setRange() never emit.
class Knob final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(Knob)

public:
    enum Size
    {
        Small = 0,
        Medium = 1,
        Large = 2
    };

    explicit Knob(QWidget *parent = nullptr);

    // Clamps to the range and repaints.
    void setValue(float value);
    // Sets the range and clamps the value into it. A reversed pair is put in order.
    void setRange(float minimum, float maximum);
    // 0 small (50 x 50), 1 medium (70 x 70), 2 large (100 x 100); other values are ignored.
    void setSize(int size);
    // Change per wheel notch or arrow key press.
    void setStep(float step);
    // What the operator would do: clamps, repaints and emits valueChanged()
    // when the value changed (assistive technology sets values this way).
    void setValueByOperator(float value);

    // How the value is told to assistive technology: valueText() is
    // text(value), and the value interface reports value / scale (a knob
    // that holds tenths of a dB has scale 10). Without a text function the
    // value is written with one decimal.
    using ValueText = std::function<QString(float value)>;
    void setValueText(float scale, const ValueText &text);
    QString valueText() const;
    float valueScale() const { return m_valueScale; }

    float minimum() const { return m_minimum; }
    float maximum() const { return m_maximum; }
    float value() const { return m_value; }
    float step() const { return m_step; }
    int knobSize() const { return m_size; }
    // (value - minimum) / (maximum - minimum), 0 when the range is empty.
    float position() const;

    QSize sizeHint() const override;

signals:
    void valueChanged(float value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    float clamped(float value) const;
    void applyOperatorValue(float value);
    void tellValue();

    float m_minimum = 0.0f;
    float m_maximum = 1.0f;
    float m_value = 0.0f;
    float m_sensitivity = 0.005f; // fraction of the range per pixel of drag
    float m_lastX = 0.0f;
    float m_lastY = 0.0f;
    int m_size = Medium;
    float m_step = 1.0f;
    float m_valueScale = 1.0f;
    ValueText m_valueText;
};
