#include "widgets/qdoublelabel.h"

#include <QMouseEvent>

QDoubleLabel::QDoubleLabel(QWidget *parent) : QLabel(parent) {}

QDoubleLabel::QDoubleLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {}

void QDoubleLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    emit DoubleClick();
}
