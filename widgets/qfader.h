#pragma once

#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QWidget>

// A vertical fader with a two-part scale: the 0 position sits
// upperDivisions / totalDivisions of the travel from the top, so the positive
// part (0 .. maximum) and the negative part (minimum .. 0) each get their own
// linear stretch. Values are held as whole numbers scaled by 10^decimals.
// The handle is dragged by pressing inside it; the wheel moves one step per
// event (a notch up raises, anything else lowers), ten with Shift (coarse),
// and with Ctrl (fine) one step in the direction the wheel turned, also for
// the partial notches of touchpads. Keys: Up/Right and Down/Left one step,
// PgUp/PgDn ten, Home/End the ends of the range. A ring in the highlight
// colour around the handle shows the focus. valueChanged() reports operator
// input only, from mouse, wheel, keys and assistive technology alike; setters
// never emit.
class QFader final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(QFader)

public:
    explicit QFader(QWidget *parent = nullptr);

    // Range in units (stored as round(x * 10^decimals)); a reversed pair is put
    // in order and the value is clamped into the new range.
    void setRange(float minimum, float maximum);
    // Stored as round(value * 10^decimals), clamped to the range.
    void setValue(float value);
    // Wheel step in units.
    void setStep(float step);
    // Digits after the point (0..6). Range, value and step keep their meaning in units.
    void setDecimals(int decimals);
    // Where the 0 position sits: upper / total of the travel from the top.
    void setDivisions(int upperDivisions, int totalDivisions);
    // Colour of the handle's grip line.
    void setHandleColor(const QColor &color);
    // What the operator would do: clamps, repaints and emits valueChanged()
    // when the value changed (assistive technology sets values this way).
    void setValueByOperator(float value);
    // The unit of the value as told to assistive technology ("dB").
    void setUnit(const QString &unit);
    QString unit() const { return m_unit; }
    // The value with its decimals and unit, e.g. "-12.5 dB".
    QString valueText() const;

    float value() const;
    float minimum() const;
    float maximum() const;
    float step() const;
    int decimals() const { return m_decimals; }
    int upperDivisions() const { return m_upperDivisions; }
    int totalDivisions() const { return m_totalDivisions; }
    int handleHeight() const { return m_handleHeight; }
    QColor handleColor() const { return m_handleColor; }
    // The handle's rectangle for the current value and widget size.
    QRectF handleRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void valueChanged(float value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    double scale() const;
    int toScaled(float units) const;
    float toUnits(int scaled) const;
    double handleTop(int scaledValue) const;
    int valueAtCentre(double y) const;
    void paintScale(QPainter &painter) const;
    QPixmap scalePixmap() const;
    void operatorSet(int scaledValue);
    // Moves by `steps` steps within the range; emits when the value changed.
    void stepBy(double steps);

    int m_value = 0;
    int m_minimum = -70;
    int m_maximum = 12;
    int m_decimals = 0;
    float m_step = 1.0f; // scaled
    int m_upperDivisions = 1;
    int m_totalDivisions = 3;
    int m_handleHeight = 43;
    QColor m_handleColor = QColor(80, 80, 80);
    bool m_dragging = false;
    double m_grabOffset = 0.0; // pointer y minus handle centre at the press
    QString m_unit = QStringLiteral("dB");
};
