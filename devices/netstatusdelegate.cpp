#include "devices/netstatusdelegate.h"

#include <QPainter>

NetStatusDelegate::NetStatusDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void NetStatusDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    QStyleOptionViewItem own(option);
    if (index.data(Qt::BackgroundRole).isValid())
        own.state &= ~QStyle::State_Selected;
    QStyledItemDelegate::paint(painter, own, index);
}
