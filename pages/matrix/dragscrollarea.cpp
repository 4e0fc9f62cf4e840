#include "pages/matrix/dragscrollarea.h"

#include <QMouseEvent>
#include <QScrollBar>

DragScrollArea::DragScrollArea(QWidget *parent) : QScrollArea(parent) {}

// Mouse events reach these handlers through the viewport: those over the
// content that no child took, and none of the scroll bars'.
void DragScrollArea::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QScrollArea::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    m_hasOrigin = false;
    m_dragging = false;
    event->accept();
}

void DragScrollArea::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed || !(event->buttons() & Qt::LeftButton)) {
        QScrollArea::mouseMoveEvent(event);
        return;
    }
    event->accept();
    const QPoint at = event->pos();
    if (!m_hasOrigin) {
        m_hasOrigin = true;
        m_origin = m_last = at;
        return;
    }
    if (!m_dragging) {
        const QPoint d = at - m_origin;
        if (qAbs(d.x()) <= DeadZone && qAbs(d.y()) <= DeadZone)
            return;
        m_dragging = true;
    }
    // The content follows the pointer.
    const QPoint delta = at - m_last;
    m_last = at;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - delta.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - delta.y());
}

void DragScrollArea::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_pressed) {
        QScrollArea::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    m_hasOrigin = false;
    m_dragging = false;
    event->accept();
}
