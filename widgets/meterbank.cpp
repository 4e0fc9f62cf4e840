#include "widgets/meterbank.h"

#include "widgets/meternumber.h"
#include "widgets/qmeter.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStaticText>

namespace {
constexpr int RowSpacing = 2; // between caption, bar and number
} // namespace

MeterBank::MeterBank(int channels, const QString &captionFormat, QWidget *parent)
    : QWidget(parent), m_captionFormat(captionFormat), m_levels(qMax(1, channels), -100)
{
    // Everything is drawn here, the panel's colour included: a new level does
    // not make the panel behind draw itself first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void MeterBank::setRange(int minimum, int maximum)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    if (minimum == m_minimum && maximum == m_maximum)
        return;
    m_minimum = minimum;
    m_maximum = maximum;
    update();
}

void MeterBank::setLevel(int channel, int level)
{
    if (channel < 0 || channel >= channels() || m_levels[channel] == level)
        return;
    const int litBefore = QMeter::litSegments(barValue(channel), m_minimum, m_maximum, Segments);
    const int numberBefore = number(channel);
    m_levels[channel] = level;
    const int lit = QMeter::litSegments(barValue(channel), m_minimum, m_maximum, Segments);
    if (lit != litBefore)
        update(QMeter::segmentsRect(barRect(channel), Segments, qMin(lit, litBefore),
                                    qMax(lit, litBefore), false));
    if (number(channel) != numberBefore)
        update(numberRect(channel));
}

int MeterBank::level(int channel) const
{
    return m_levels.value(channel, m_minimum);
}

int MeterBank::barValue(int channel) const
{
    return qBound(m_minimum, level(channel), m_maximum);
}

int MeterBank::number(int channel) const
{
    return qMax(level(channel), m_minimum);
}

QString MeterBank::numberText(int channel) const
{
    return QString::number(number(channel));
}

void MeterBank::setNumberColour(const QColor &colour)
{
    if (colour == m_numberColour)
        return;
    m_numberColour = colour;
    update();
}

int MeterBank::lineHeight() const
{
    return fontMetrics().height();
}

// Columns share the width; the remainder goes to the first columns.
int MeterBank::columnLeft(int channel) const
{
    return int(qint64(width()) * channel / channels());
}

QRect MeterBank::captionRect(int channel) const
{
    const int left = columnLeft(channel);
    return QRect(left, 0, columnLeft(channel + 1) - left, lineHeight());
}

QRect MeterBank::numberRect(int channel) const
{
    const int left = columnLeft(channel);
    const int h = lineHeight();
    return QRect(left, height() - h, columnLeft(channel + 1) - left, h);
}

// Centred in its column, one pixel narrower than the column (the gap between
// neighbours), between the caption and the number.
QRect MeterBank::barRect(int channel) const
{
    const int left = columnLeft(channel);
    const int column = columnLeft(channel + 1) - left;
    const int w = qBound(1, column - 1, MaxBarWidth);
    const int top = lineHeight() + RowSpacing;
    const int bottom = height() - lineHeight() - RowSpacing;
    return QRect(left + (column - w) / 2, top, w, qMax(0, bottom - top));
}

QSize MeterBank::minimumSizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    int column = MinBarWidth;
    for (const QString &text :
         {m_captionFormat.arg(channels()), QStringLiteral("-100"), QStringLiteral("-40")})
        column = qMax(column, metrics.horizontalAdvance(text) / 2);
    return QSize(channels() * (column + 1), 2 * (metrics.height() + RowSpacing) + MinBarHeight);
}

QSize MeterBank::sizeHint() const
{
    const QSize minimum = minimumSizeHint();
    const int column =
        qMax(fontMetrics().horizontalAdvance(m_captionFormat.arg(channels())), MaxBarWidth) + 2;
    return QSize(qMax(minimum.width(), channels() * column), minimum.height());
}

void MeterBank::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QWidget *panel = parentWidget();
    const QBrush background =
        panel ? panel->palette().brush(panel->backgroundRole()) : palette().window();
    for (const QRect &r : event->region())
        painter.fillRect(r, background);

    const QRect dirty = event->rect();
    if (m_fontKey.isEmpty())
        m_fontKey = font().key();
    const int upper = QMeter::firstUpperSegment(m_threshold, m_minimum, m_maximum, Segments);
    for (int c = 0; c < channels(); ++c) {
        const QRect caption = captionRect(c);
        if (caption.intersects(dirty)) {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(caption, Qt::AlignCenter, m_captionFormat.arg(c + 1));
        }
        const QRect bar = barRect(c);
        if (bar.intersects(dirty))
            QMeter::paintBar(painter, bar, dirty, Segments,
                             QMeter::litSegments(barValue(c), m_minimum, m_maximum, Segments),
                             upper, false);
        const QRect numberArea = numberRect(c);
        if (numberArea.intersects(dirty)) {
            painter.setPen(m_numberColour);
            const QStaticText &text = meterNumberText(number(c), font(), m_fontKey);
            const QSizeF size = text.size();
            // A number wider than its column stays in it: a neighbour's new
            // number must not be left with pieces of this one.
            const bool clip = size.width() > numberArea.width();
            if (clip)
                painter.setClipRect(numberArea);
            painter.drawStaticText(
                QPointF(numberArea.left() + (numberArea.width() - size.width()) / 2,
                        numberArea.top() + (numberArea.height() - size.height()) / 2),
                text);
            if (clip)
                painter.setClipping(false);
        }
    }
}

void MeterBank::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        m_fontKey.clear();
        updateGeometry();
        update();
    }
    QWidget::changeEvent(event);
}
