#include "widgets/meterbank.h"

#include "widgets/accessibility.h"

#include "widgets/meternumber.h"
#include "widgets/qmeter.h"

#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QStaticText>

namespace {
constexpr int RowSpacing = 2; // between caption, bar and number
} // namespace

MeterBank::MeterBank(int channels, const QString &captionFormat, QWidget *parent)
    : QWidget(parent), m_captionFormat(captionFormat), m_nameFormat(captionFormat),
      m_levels(qMax(1, channels), -100)
{
    initWidgetAccessibility();
    // Everything is drawn here, the panel's colour included: a new level does
    // not make the panel behind draw itself first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_lineHeight = fontMetrics().height();
}

void MeterBank::setChannelNameFormat(const QString &format)
{
    m_nameFormat = format;
}

QString MeterBank::channelName(int channel) const
{
    return m_nameFormat.arg(channel + 1);
}

void MeterBank::setRange(int minimum, int maximum)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    if (minimum == m_minimum && maximum == m_maximum)
        return;
    m_minimum = minimum;
    m_maximum = maximum;
    m_unlitBar = QImage(); // the upper zone starts elsewhere
    update();
}

QRect MeterBank::storeLevel(int channel, int level)
{
    if (channel < 0 || channel >= channels() || m_levels[channel] == level)
        return QRect();
    const int litBefore = QMeter::litSegments(barValue(channel), m_minimum, m_maximum, Segments);
    const int numberBefore = number(channel);
    m_levels[channel] = level;
    const int lit = QMeter::litSegments(barValue(channel), m_minimum, m_maximum, Segments);
    QRect dirty;
    if (lit != litBefore)
        dirty = QMeter::segmentsRect(barRect(channel), Segments, qMin(lit, litBefore),
                                     qMax(lit, litBefore), false);
    if (number(channel) != numberBefore)
        dirty |= numberRect(channel);
    return dirty;
}

void MeterBank::setLevel(int channel, int level)
{
    const QRect dirty = storeLevel(channel, level);
    if (!dirty.isEmpty())
        update(dirty);
}

void MeterBank::setLevels(const int *levels, int count)
{
    QRect dirty;
    for (int c = 0; c < qMin(count, channels()); ++c)
        dirty |= storeLevel(c, levels[c]);
    if (!dirty.isEmpty())
        update(dirty);
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
    m_numberImages.clear();
    update();
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
    const QRect dirty = event->rect();
    painter.fillRect(dirty, background);
    if (m_unlitBar.isNull() || m_unlitBar.devicePixelRatio() != devicePixelRatioF())
        renderBars();
    for (int c = 0; c < channels(); ++c) {
        if (columnLeft(c + 1) <= dirty.left())
            continue;
        if (columnLeft(c) > dirty.right())
            break;
        const QRect caption = captionRect(c);
        if (caption.intersects(dirty)) {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.setFont(m_captionFont);
            painter.drawText(caption, Qt::AlignCenter, m_captionFormat.arg(c + 1));
            painter.setFont(font());
        }
        const QRect bar = barRect(c);
        if (bar.intersects(dirty))
            drawBar(painter, bar, dirty & bar, barValue(c));
        const QRect numberArea = numberRect(c);
        if (numberArea.intersects(dirty)) {
            if (background.style() == Qt::SolidPattern)
                painter.drawImage(numberArea.topLeft(),
                                  numberImage(number(c), numberArea.size(), background.color()));
            else
                drawNumber(painter, numberArea, number(c));
        }
    }
}

// A bar as QMeter::paintBar draws it, copied from two pictures of a whole bar:
// one with every segment off, above the highest lit segment, and one with
// every segment lit, from there down. Segments are one colour across, so the
// pictures serve every bar, whatever its width. Two copies of pixels cost far
// less than filling each of the 26 segments, ten times a second per bank.
void MeterBank::drawBar(QPainter &painter, const QRect &bar, const QRect &area, int value)
{
    const int lit = QMeter::litSegments(value, m_minimum, m_maximum, Segments);
    // The first row that belongs to the lit part, counted from the bar's top;
    // the one-pixel gaps between segments are black in both pictures.
    const int boundary = lit > 0 ? qBound(0, m_segmentTops[lit - 1], bar.height()) : bar.height();
    const qreal ratio = m_unlitBar.devicePixelRatio();
    const auto copy = [&](const QImage &image, const QRect &target) {
        if (target.isEmpty())
            return;
        const QRectF source(QPointF(target.left() - bar.left(), target.top() - bar.top()) * ratio,
                            QSizeF(target.size()) * ratio);
        painter.drawImage(QRectF(target), image, source);
    };
    copy(m_unlitBar, area & QRect(bar.left(), bar.top(), bar.width(), boundary));
    copy(m_litBar,
         area & QRect(bar.left(), bar.top() + boundary, bar.width(), bar.height() - boundary));
}

void MeterBank::renderBars()
{
    int width = 1;
    for (int c = 0; c < channels(); ++c)
        width = qMax(width, barRect(c).width());
    const QRect bar(0, 0, width, qMax(1, barRect(0).height()));
    const int upper = QMeter::firstUpperSegment(m_threshold, m_minimum, m_maximum, Segments);
    const qreal ratio = devicePixelRatioF();
    for (QImage *image : {&m_unlitBar, &m_litBar}) {
        *image = QImage(bar.size() * ratio, QImage::Format_RGB32);
        image->setDevicePixelRatio(ratio);
        QPainter painter(image);
        QMeter::paintBar(painter, bar, bar, Segments, image == &m_litBar ? Segments : 0, upper,
                         false);
    }
}

// A number centred in its area; one wider than its column stays in it, so
// that a neighbour's new number is not left with pieces of this one.
void MeterBank::drawNumber(QPainter &painter, const QRect &area, int value)
{
    if (m_fontKey.isEmpty())
        m_fontKey = font().key();
    painter.setPen(m_numberColour);
    const QStaticText &text = meterNumberText(value, font(), m_fontKey);
    const QSizeF size = text.size();
    const bool clip = size.width() > area.width();
    if (clip) {
        painter.save();
        painter.setClipRect(area, Qt::IntersectClip);
    }
    painter.drawStaticText(QPointF(area.left() + (area.width() - size.width()) / 2,
                                   area.top() + (area.height() - size.height()) / 2),
                           text);
    if (clip)
        painter.restore();
}

// Numbers on the panel's colour, drawn once per value and column width: a
// new number is then a copy of pixels, not text drawn with blended glyphs.
const QImage &MeterBank::numberImage(int value, const QSize &size, const QColor &background)
{
    if (background != m_imageBackground) {
        m_numberImages.clear();
        m_imageBackground = background;
    }
    const quint64 key = (quint64(quint32(size.width())) << 32) | quint32(value);
    auto it = m_numberImages.find(key);
    if (it == m_numberImages.end()) {
        const qreal ratio = devicePixelRatioF();
        QImage image(size * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(background);
        QPainter painter(&image);
        painter.setFont(font());
        drawNumber(painter, QRect(QPoint(0, 0), size), value);
        painter.end();
        it = m_numberImages.insert(key, image);
    }
    return *it;
}

void MeterBank::computeSegments()
{
    m_unlitBar = QImage();
    const QRect bar = barRect(0);
    m_segmentTops.resize(Segments);
    for (int i = 0; i < Segments; ++i) {
        const QRect r = QMeter::segmentRect(bar, Segments, i, false);
        m_segmentTops[i] = r.top() - bar.top();
    }
}

// The captions' font: the widget's, made smaller where the widest caption
// ("O16") would not fit its column with a pixel to spare, so that captions
// never run into each other whatever font the desktop gives.
void MeterBank::fitCaptionFont()
{
    m_captionFont = font();
    const QString widest = m_captionFormat.arg(channels());
    const int room = qMax(1, width() / channels() - 1);
    const bool points = m_captionFont.pointSizeF() > 0;
    qreal size = points ? m_captionFont.pointSizeF() : m_captionFont.pixelSize();
    while (size > 5.0 && QFontMetrics(m_captionFont).horizontalAdvance(widest) > room) {
        size -= 0.5;
        if (points)
            m_captionFont.setPointSizeF(size);
        else
            m_captionFont.setPixelSize(int(size));
    }
}

void MeterBank::resizeEvent(QResizeEvent *event)
{
    computeSegments();
    fitCaptionFont();
    QWidget::resizeEvent(event);
}

void MeterBank::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        m_lineHeight = fontMetrics().height();
        computeSegments();
        fitCaptionFont();
        m_fontKey.clear();
        m_numberImages.clear();
        updateGeometry();
        update();
    }
    QWidget::changeEvent(event);
}
