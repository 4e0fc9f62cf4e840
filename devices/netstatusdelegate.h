#pragma once

#include <QStyledItemDelegate>

// Paints a cell that carries its own background (the Net Status colours) with
// those colours even when its row is selected, so that the selected unit's
// "Online(Connected)" stays green.
class NetStatusDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY(NetStatusDelegate)

public:
    explicit NetStatusDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
