#include "pages/matrix/qmtxwidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>

namespace {
const QColor Background(184, 186, 191);
} // namespace

QMtxWidget::QMtxWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect QMtxWidget::bandRect() const
{
    return m_dragging ? QRect(m_start + pos(), m_current + pos()).normalized() : QRect();
}

void QMtxWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Background);
}

void QMtxWidget::showBand()
{
    QWidget *host = parentWidget() ? parentWidget() : this;
    if (!m_band) {
        m_band = new QRubberBand(QRubberBand::Rectangle, host);
        m_band->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_band->setGeometry(host == this ? QRect(m_start, m_current).normalized() : bandRect());
    m_band->raise();
    m_band->show();
}

void QMtxWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_dragging = true;
    m_start = m_current = event->pos();
    emit mousePress();
}

void QMtxWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    m_current = event->pos();
    showBand();
    emit mouseMove(m_start + pos(), m_current + pos());
}

void QMtxWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging) {
        event->ignore();
        return;
    }
    m_dragging = false;
    m_current = m_start;
    if (m_band)
        m_band->hide();
}
