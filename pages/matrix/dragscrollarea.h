#pragma once

#include <QPoint>
#include <QScrollArea>

// A scroll area whose content can be dragged with the left mouse button:
// once the pointer has left a small square around where the drag began,
// the content follows the pointer. Presses that a child takes for itself
// (a button, the rubber-band background) are not drags; events on the
// scroll bars are left to the scroll area.
class DragScrollArea final : public QScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY(DragScrollArea)

public:
    // Half the side of the square in which small moves are ignored.
    static constexpr int DeadZone = 9;

    explicit DragScrollArea(QWidget *parent = nullptr);

    bool isDragging() const { return m_dragging; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
    bool m_hasOrigin = false; // the first move recorded its position
    bool m_dragging = false;  // the pointer has left the dead zone
    QPoint m_origin;
    QPoint m_last;
};
