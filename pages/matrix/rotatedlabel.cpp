#include "pages/matrix/rotatedlabel.h"

#include <QPainter>

namespace {
constexpr int Padding = 3; // at each end of the text
}

RotatedLabel::RotatedLabel(QWidget *parent) : QWidget(parent), m_titleFont(font())
{
    m_titleFont.setBold(true);
}

void RotatedLabel::setTitle(const QString &title)
{
    m_title = title;
    update();
}

void RotatedLabel::setName(const QString &name)
{
    m_name = name;
    setToolTip(name);
    update();
}

void RotatedLabel::setElideWidth(int pixels)
{
    m_elideWidth = pixels;
    update();
}

void RotatedLabel::setTitleFont(const QFont &font)
{
    m_titleFont = font;
    update();
}

QString RotatedLabel::elidedName() const
{
    const int room = qMin(m_elideWidth, height() - 2 * Padding);
    return fontMetrics().elidedText(m_name, Qt::ElideMiddle, qMax(0, room));
}

void RotatedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Turned a quarter to the left: text runs upwards from the bottom edge,
    // the title line on the left, the name line on its right.
    painter.translate(0, height());
    painter.rotate(-90);
    const int length = height() - 2 * Padding;
    const int half = width() / 2;
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(m_titleFont);
    painter.drawText(QRect(Padding, 0, length, half), Qt::AlignLeft | Qt::AlignVCenter, m_title);
    painter.setFont(font());
    painter.drawText(QRect(Padding, half, length, width() - half), Qt::AlignLeft | Qt::AlignVCenter,
                     elidedName());
}
