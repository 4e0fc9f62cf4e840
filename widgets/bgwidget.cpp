#include "widgets/bgwidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

BgWidget::BgWidget(QWidget *parent) : QWidget(parent) {}

void BgWidget::setClickable(bool clickable)
{
    m_clickable = clickable;
}

void BgWidget::paintEvent(QPaintEvent *)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

void BgWidget::mousePressEvent(QMouseEvent *event)
{
    if (!m_clickable) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    emit clicked();
}

void BgWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!m_clickable) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    emit doubleClicked();
}
