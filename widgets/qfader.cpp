#include "widgets/qfader.h"

#include "widgets/accessibility.h"
#include "widgets/widgetresources.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QVector>
#include <QWheelEvent>

#include <cmath>

namespace {
constexpr int kHandleX = 19;       // the handle starts here ...
constexpr int kHandleMargins = 34; // ... and is this much narrower than the widget
constexpr int kMaxDecimals = 6;

// Label spacings tried for the scale, in units, smallest first.
constexpr int kNiceSteps[] = {1,  2,  3,  5,  6,  10,  12,  15,  20,
                              25, 30, 40, 50, 60, 100, 200, 500, 1000};

QFont scaleFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(9);
    return font;
}
} // namespace

QFader::QFader(QWidget *parent) : QWidget(parent)
{
    initWidgetResources();
    initWidgetAccessibility();
    setFocusPolicy(Qt::StrongFocus);
}

double QFader::scale() const
{
    return std::pow(10.0, m_decimals);
}

int QFader::toScaled(float units) const
{
    return qRound(double(units) * scale());
}

float QFader::toUnits(int scaled) const
{
    return float(double(scaled) / scale());
}

void QFader::setRange(float minimum, float maximum)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    m_minimum = toScaled(minimum);
    m_maximum = toScaled(maximum);
    m_value = qBound(m_minimum, m_value, m_maximum);
    update();
}

void QFader::setValue(float value)
{
    if (std::isnan(value))
        return;
    const int v = qBound(m_minimum, toScaled(value), m_maximum);
    if (v == m_value)
        return;
    m_value = v;
    update();
    notifyAccessibleValue(this, double(toUnits(v)));
}

void QFader::setStep(float step)
{
    m_step = float(double(qRound(scale())) * double(step));
}

void QFader::setDecimals(int decimals)
{
    decimals = qBound(0, decimals, kMaxDecimals);
    if (decimals == m_decimals)
        return;
    const double factor = std::pow(10.0, decimals - m_decimals);
    m_minimum = qRound(m_minimum * factor);
    m_maximum = qRound(m_maximum * factor);
    m_value = qBound(m_minimum, int(qRound(m_value * factor)), m_maximum);
    m_step = float(double(m_step) * factor);
    m_decimals = decimals;
    update();
}

void QFader::setDivisions(int upperDivisions, int totalDivisions)
{
    if (totalDivisions <= 0 || upperDivisions < 0 || upperDivisions > totalDivisions)
        return;
    m_upperDivisions = upperDivisions;
    m_totalDivisions = totalDivisions;
    update();
}

void QFader::setHandleColor(const QColor &color)
{
    m_handleColor = color;
    update();
}

float QFader::value() const
{
    return toUnits(m_value);
}

float QFader::minimum() const
{
    return toUnits(m_minimum);
}

float QFader::maximum() const
{
    return toUnits(m_maximum);
}

float QFader::step() const
{
    return float(double(m_step) / scale());
}

QSize QFader::sizeHint() const
{
    return QSize(55, 190);
}

QSize QFader::minimumSizeHint() const
{
    return QSize(kHandleMargins + 10, m_handleHeight + 20);
}

// Top of the handle for a value. A range on both sides of 0 puts 0 at
// upper/total of the travel; a range on one side only is spread linearly over
// the whole travel.
double QFader::handleTop(int v) const
{
    const double travel = height() - m_handleHeight;
    if (travel <= 0)
        return 0.0;
    if (m_maximum > 0 && m_minimum < 0) {
        const double zero = travel / m_totalDivisions * m_upperDivisions;
        if (v >= 0)
            return zero * (m_maximum - v) / m_maximum;
        return zero + (1.0 - double(m_minimum - v) / m_minimum) * (travel - zero);
    }
    const double span = double(m_maximum) - m_minimum;
    return span > 0 ? travel * (m_maximum - v) / span : 0.0;
}

QRectF QFader::handleRect() const
{
    const double h = m_value == m_minimum ? m_handleHeight - 0.5 : m_handleHeight;
    return QRectF(kHandleX, handleTop(m_value), qMax(1, width() - kHandleMargins), h);
}

// The value whose handle centre sits at y: the inverse of handleTop().
int QFader::valueAtCentre(double y) const
{
    const double c = m_handleHeight / 2.0;
    const double travel = height() - m_handleHeight;
    if (travel <= 0)
        return m_value;
    if (m_maximum > 0 && m_minimum < 0) {
        const double zero = travel / m_totalDivisions * m_upperDivisions;
        const double y0 = zero + c;
        if (y <= y0) {
            if (zero <= 0)
                return m_maximum;
            return qMin(m_maximum, qRound(m_maximum - (y - c) * m_maximum / zero));
        }
        if (travel - zero <= 0)
            return m_minimum;
        return qMax(m_minimum, qRound((y - y0) * m_minimum / (travel - zero)));
    }
    const double span = double(m_maximum) - m_minimum;
    return qBound(m_minimum, qRound(m_maximum - (y - c) / travel * span), m_maximum);
}

void QFader::setValueByOperator(float value)
{
    if (std::isnan(value))
        return;
    const int v = qBound(m_minimum, toScaled(value), m_maximum);
    if (v != m_value)
        operatorSet(v);
}

void QFader::setUnit(const QString &unit)
{
    m_unit = unit;
}

QString QFader::valueText() const
{
    const QString number = QString::number(double(value()), 'f', m_decimals);
    return m_unit.isEmpty() ? number : number + QLatin1Char(' ') + m_unit;
}

void QFader::operatorSet(int v)
{
    m_value = v;
    update();
    notifyAccessibleValue(this, double(value()));
    emit valueChanged(toUnits(v));
}

void QFader::stepBy(double steps)
{
    const int moved = qBound(m_minimum, int(qRound(m_value + steps * double(m_step))), m_maximum);
    if (moved != m_value)
        operatorSet(moved);
}

void QFader::mousePressEvent(QMouseEvent *event)
{
    const QRectF handle = handleRect();
    if (!handle.contains(event->localPos())) {
        event->ignore();
        return;
    }
    // Keep the point where the handle was grabbed under the pointer, so the
    // handle does not jump by up to half its height on the first move.
    m_dragging = true;
    m_grabOffset = event->localPos().y() - (handle.top() + m_handleHeight / 2.0);
    event->accept();
}

void QFader::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging) {
        event->ignore();
        return;
    }
    const int v = valueAtCentre(event->localPos().y() - m_grabOffset);
    if (v != m_value)
        operatorSet(v);
    event->accept();
}

void QFader::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging) {
        event->ignore();
        return;
    }
    m_dragging = false;
    event->accept();
}

void QFader::wheelEvent(QWheelEvent *event)
{
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    event->accept();
    if (delta == 0)
        return; // no movement at all (scroll phase events)
    if (event->modifiers() & Qt::ControlModifier) {
        stepBy(delta > 0 ? 1.0 : -1.0);
        return;
    }
    if (event->modifiers() & Qt::ShiftModifier) {
        stepBy(delta >= 120 ? 10.0 : -10.0);
        return;
    }
    if (delta >= 120) {
        const int raised = qMin(m_maximum, qRound(m_value + double(m_step)));
        if (raised != m_value)
            operatorSet(raised);
    } else {
        const int lowered = qMax(m_minimum, qRound(m_value - double(m_step)));
        if (lowered != m_value)
            operatorSet(lowered);
    }
}

void QFader::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        stepBy(1.0);
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
        stepBy(-1.0);
        break;
    case Qt::Key_PageUp:
        stepBy(10.0);
        break;
    case Qt::Key_PageDown:
        stepBy(-10.0);
        break;
    case Qt::Key_Home:
        if (m_value != m_minimum)
            operatorSet(m_minimum);
        break;
    case Qt::Key_End:
        if (m_value != m_maximum)
            operatorSet(m_maximum);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void QFader::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void QFader::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void QFader::paintScale(QPainter &painter) const
{
    const QFont font = scaleFont();
    const QFontMetricsF metrics(font);
    const double spacing = metrics.height() + 2.0;
    const double c = m_handleHeight / 2.0;
    auto centreY = [&](int v) { return handleTop(v) + c; };

    // The ends of each linear part are always labelled; between them, multiples
    // of the smallest step that leaves room for the text.
    QVector<int> labels{m_maximum, m_minimum};
    auto addPart = [&](int low, int high) {
        const double pixels = std::abs(centreY(low) - centreY(high));
        if (high <= low || pixels <= 0)
            return;
        const double pixelsPerUnit = pixels / (double(high - low) / scale());
        // The smallest step with room for the text, or a slightly larger one
        // that divides the part evenly (12, 6, 0 rather than 12, 5, 0).
        const double units = double(high - low) / scale();
        int stepUnits = 0;
        for (int s : kNiceSteps) {
            if (s * pixelsPerUnit < spacing)
                continue;
            if (stepUnits == 0)
                stepUnits = s;
            if (s > 2 * stepUnits)
                break;
            if (std::fmod(units, s) == 0.0) {
                stepUnits = s;
                break;
            }
        }
        if (stepUnits == 0)
            return;
        const int stepScaled = qRound(stepUnits * scale());
        for (int v = int(std::ceil(double(low) / stepScaled)) * stepScaled; v < high;
             v += stepScaled) {
            if (std::abs(centreY(v) - centreY(low)) < spacing ||
                std::abs(centreY(v) - centreY(high)) < spacing)
                continue;
            labels.append(v);
        }
    };
    if (m_maximum > 0 && m_minimum < 0) {
        labels.append(0);
        addPart(0, m_maximum);
        addPart(m_minimum, 0);
    } else {
        addPart(m_minimum, m_maximum);
    }

    const double grooveX = kHandleX + (width() - kHandleMargins) / 2.0;
    painter.setFont(font);
    for (int v : labels) {
        const double y = std::round(centreY(v)) + 0.5;
        const bool zero = v == 0;
        painter.setPen(QPen(zero ? QColor(70, 72, 76) : QColor(150, 153, 158), 1.0));
        painter.drawLine(QPointF(kHandleX - 2, y), QPointF(grooveX - 5, y));
        painter.drawLine(QPointF(grooveX + 5, y),
                         QPointF(width() - kHandleMargins + kHandleX + 3, y));
        painter.setPen(zero ? QColor(40, 40, 40) : QColor(88, 90, 94));
        const QRectF textRect(0, y - metrics.height() / 2.0, kHandleX - 4, metrics.height());
        painter.drawText(textRect, Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(double(v) / scale(), 'g', 6));
    }

    // The slot the handle runs in.
    const QRectF groove(grooveX - 2.0, c - 2.0, 4.0, height() - m_handleHeight + 4.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 170));
    painter.drawRoundedRect(groove.translated(0.5, 0.5), 2.0, 2.0);
    painter.setBrush(QColor(52, 54, 58));
    painter.drawRoundedRect(groove, 2.0, 2.0);
}

QPixmap QFader::scalePixmap() const
{
    // The scale depends only on the geometry and the range, so the faders of
    // a page share one picture, drawn once, and moving a handle draws no text.
    const qreal ratio = devicePixelRatioF();
    const QString key = QStringLiteral("dap_fader:%1x%2@%3:%4..%5/%6:%7/%8:%9")
                            .arg(width())
                            .arg(height())
                            .arg(ratio)
                            .arg(m_minimum)
                            .arg(m_maximum)
                            .arg(m_decimals)
                            .arg(m_upperDivisions)
                            .arg(m_totalDivisions)
                            .arg(m_handleHeight);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    pixmap = QPixmap(size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        paintScale(painter);
    }
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

void QFader::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!isEnabled())
        painter.setOpacity(0.45);

    painter.drawPixmap(0, 0, scalePixmap());

    const QRectF handle = handleRect();
    const QSize pixmapSize(int(std::round(handle.width())), m_handleHeight);
    painter.drawPixmap(handle.topLeft(), svgPixmap(QStringLiteral(":/resource/Fader_Q2"),
                                                   pixmapSize, devicePixelRatioF()));
    // The grip line across the middle of the cap, in the handle colour.
    const double lineHeight = m_handleHeight * 2.0 / 44.0;
    painter.fillRect(QRectF(handle.left() + 1.0, handle.top() + (m_handleHeight - lineHeight) / 2.0,
                            handle.width() - 2.0, lineHeight),
                     m_handleColor);
    if (hasFocus())
        drawFocusRing(painter, handle.adjusted(-3.0, -3.0, 3.0, 3.0), palette());
}
