#include "pages/matrix/mixnaviwidget.h"

#include <QPainter>

namespace {
const QColor Bar(220, 0, 0, 80);
} // namespace

MixNaviWidget::MixNaviWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
}

void MixNaviWidget::setBarSize(int rowBarHeight, int columnBarWidth)
{
    m_rowBar = rowBarHeight;
    m_columnBar = columnBarWidth;
    update();
}

void MixNaviWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    // The row bar runs the full width; the column bar stops above it so the
    // hovered crosspoint is not tinted twice.
    painter.fillRect(QRect(0, h - m_rowBar, w, m_rowBar), Bar);
    painter.fillRect(QRect(w - m_columnBar, 0, m_columnBar, qMax(0, h - m_rowBar)), Bar);
}
