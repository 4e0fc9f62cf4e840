#include "widgets/knob.h"

#include "widgets/accessibility.h"
#include "widgets/widgetresources.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace {
int pixelsForSize(int size)
{
    switch (size) {
    case Knob::Small:
        return 50;
    case Knob::Large:
        return 100;
    default:
        return 70;
    }
}

QString baseImage(int size)
{
    switch (size) {
    case Knob::Small:
        return QStringLiteral(":/resource/KnobBaseSmall");
    case Knob::Large:
        return QStringLiteral(":/resource/KnobBaseLarge");
    default:
        return QStringLiteral(":/resource/KnobBase");
    }
}

QString indicatorImage(int size)
{
    switch (size) {
    case Knob::Small:
        return QStringLiteral(":/resource/KnobIndicatorSmall");
    case Knob::Large:
        return QStringLiteral(":/resource/KnobIndicatorLarge");
    default:
        return QStringLiteral(":/resource/KnobIndicator");
    }
}
} // namespace

Knob::Knob(QWidget *parent) : QWidget(parent)
{
    initWidgetResources();
    initWidgetAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    const int side = pixelsForSize(m_size);
    setFixedSize(side, side);
}

float Knob::clamped(float value) const
{
    if (std::isnan(value))
        return m_minimum;
    return qBound(m_minimum, value, m_maximum);
}

void Knob::setValue(float value)
{
    const float v = clamped(value);
    if (v == m_value)
        return;
    m_value = v;
    update();
    tellValue();
}

void Knob::setRange(float minimum, float maximum)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    m_minimum = minimum;
    m_maximum = maximum;
    m_value = clamped(m_value);
    update();
}

void Knob::setSize(int size)
{
    if (size < Small || size > Large)
        return;
    m_size = size;
    const int side = pixelsForSize(size);
    setFixedSize(side, side);
    updateGeometry();
    update();
}

void Knob::setStep(float step)
{
    m_step = step;
}

void Knob::setValueByOperator(float value)
{
    if (clamped(value) != m_value)
        applyOperatorValue(value);
}

void Knob::setValueText(float scale, const ValueText &text)
{
    m_valueScale = scale > 0.0f ? scale : 1.0f;
    m_valueText = text;
}

QString Knob::valueText() const
{
    if (m_valueText)
        return m_valueText(m_value);
    return QString::number(double(m_value / m_valueScale), 'f', 1);
}

void Knob::tellValue()
{
    notifyAccessibleValue(this, double(m_value / m_valueScale));
}

float Knob::position() const
{
    const float span = m_maximum - m_minimum;
    return span > 0.0f ? (m_value - m_minimum) / span : 0.0f;
}

QSize Knob::sizeHint() const
{
    const int side = pixelsForSize(m_size);
    return QSize(side, side);
}

void Knob::applyOperatorValue(float value)
{
    m_value = clamped(value);
    update();
    tellValue();
    emit valueChanged(m_value);
}

void Knob::mousePressEvent(QMouseEvent *event)
{
    m_lastX = float(event->pos().x());
    m_lastY = float(event->pos().y());
    event->accept();
}

void Knob::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton) {
        event->ignore();
        return;
    }
    const float x = float(event->pos().x());
    const float y = float(event->pos().y());
    const float perPixel = m_sensitivity * (m_maximum - m_minimum);
    const float value = m_value + (x - m_lastX) * perPixel - (y - m_lastY) * perPixel;
    m_lastX = x;
    m_lastY = y;
    applyOperatorValue(value);
    event->accept();
}

void Knob::wheelEvent(QWheelEvent *event)
{
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    event->accept();
    if (delta == 0)
        return; // scroll phase events carry no movement
    float steps;
    if (event->modifiers() & Qt::ControlModifier)
        steps = delta > 0 ? 1.0f : -1.0f;
    else
        // Truncates towards zero: less than a notch does nothing.
        steps = float(delta / 120) * (event->modifiers() & Qt::ShiftModifier ? 10.0f : 1.0f);
    if (steps == 0.0f)
        return;
    applyOperatorValue(m_value + steps * m_step);
}

void Knob::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        applyOperatorValue(m_value + m_step);
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
        applyOperatorValue(m_value - m_step);
        break;
    case Qt::Key_PageUp:
        applyOperatorValue(m_value + 10.0f * m_step);
        break;
    case Qt::Key_PageDown:
        applyOperatorValue(m_value - 10.0f * m_step);
        break;
    case Qt::Key_Home:
        applyOperatorValue(m_minimum);
        break;
    case Qt::Key_End:
        applyOperatorValue(m_maximum);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void Knob::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void Knob::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void Knob::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setWindow(0, 0, width(), height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.45);

    const QSize side = size();
    const qreal ratio = devicePixelRatioF();
    painter.drawPixmap(QPointF(0, 0), svgPixmap(baseImage(m_size), side, ratio));

    const QPointF centre(side.width() / 2.0, side.height() / 2.0);
    painter.translate(centre);
    painter.rotate(240.0 * double(position()) - 120.0);
    painter.translate(-centre);
    painter.drawPixmap(QPointF(0, 0), svgPixmap(indicatorImage(m_size), side, ratio));

    if (hasFocus()) {
        painter.resetTransform();
        drawFocusRing(painter, QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), palette());
    }
}
