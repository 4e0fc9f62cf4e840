#pragma once

#include <QPoint>
#include <QWidget>

class QRubberBand;

// The background under the crosspoint buttons, on which the operator drags a
// rubber band. A press on the background emits mousePress(); each move while
// the left button is held emits mouseMove(start, current) with both points in
// the parent's coordinates (where the buttons' geometry is taken). While
// dragging, the band is outlined above the buttons (in the parent, so the
// buttons do not hide it); releasing the button removes the outline.
class QMtxWidget final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(QMtxWidget)

public:
    explicit QMtxWidget(QWidget *parent = nullptr);

    bool isDragging() const { return m_dragging; }
    // The outline shown while dragging, in the parent's coordinates.
    QRect bandRect() const;

signals:
    void mousePress();
    void mouseMove(QPoint start, QPoint current);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void showBand();

    QRubberBand *m_band = nullptr;
    QPoint m_start;
    QPoint m_current;
    bool m_dragging = false;
};
