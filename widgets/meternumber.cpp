#include "widgets/meternumber.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QPainter>
#include <QStaticText>

namespace {

// Laid-out numbers shared by every meter number: per font, per number.
using NumberCache = QHash<QString, QHash<int, QStaticText>>;

NumberCache &numberCache()
{
    static NumberCache cache;
    return cache;
}

void clearNumberCache()
{
    numberCache().clear();
}

} // namespace

// Emptied while the application still exists: the texts hold on to its font
// engines.
const QStaticText &meterNumberText(int value, const QFont &font, const QString &fontKey)
{
    NumberCache &cache = numberCache();
    if (cache.isEmpty())
        qAddPostRoutine(clearNumberCache);
    QHash<int, QStaticText> &texts = cache[fontKey];
    auto it = texts.find(value);
    if (it == texts.end()) {
        QStaticText text(QString::number(value));
        text.setTextFormat(Qt::PlainText);
        text.setPerformanceHint(QStaticText::AggressiveCaching);
        text.prepare(QTransform(), font);
        it = texts.insert(value, text);
    }
    return *it;
}

MeterNumber::MeterNumber(int value, QWidget *parent) : QWidget(parent), m_value(value)
{
    // As wide as its column: the width of a number never moves the layout.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void MeterNumber::setValue(int value)
{
    if (value == m_value)
        return;
    m_value = value;
    update();
}

QString MeterNumber::text() const
{
    return QString::number(m_value);
}

void MeterNumber::setColour(const QColor &colour)
{
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
}

void MeterNumber::setOpaqueOnParent(bool opaque)
{
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
    update();
}

QSize MeterNumber::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return QSize(metrics.horizontalAdvance(QStringLiteral("-40")) + 2, metrics.height());
}

QSize MeterNumber::minimumSizeHint() const
{
    return QSize(0, fontMetrics().height());
}

void MeterNumber::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (testAttribute(Qt::WA_OpaquePaintEvent)) {
        const QWidget *panel = parentWidget();
        painter.fillRect(rect(), panel ? panel->palette().brush(panel->backgroundRole())
                                       : palette().window());
    }
    painter.setFont(font());
    painter.setPen(m_colour);
    if (m_fontKey.isEmpty())
        m_fontKey = font().key();
    const QStaticText &text = meterNumberText(m_value, font(), m_fontKey);
    const QSizeF size = text.size();
    painter.drawStaticText(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2),
                           text);
}

void MeterNumber::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        m_fontKey.clear();
        updateGeometry();
    }
    QWidget::changeEvent(event);
}
