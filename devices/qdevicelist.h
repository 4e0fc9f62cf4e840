#pragma once

#include "devices/broadcastmsg.h"

#include <QWidget>

class QDeviceItem;
class QListWidget;
class QListWidgetItem;

// The units as the main window lists them, one QDeviceItem per row in the
// device table's order. Clicking a unit picks it; its context menu offers
// "IP Setting" and "Remove Device". The rows are kept current through the
// slots, which the device table's signals drive (QDeviceTable::attachList).
class QDeviceList final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(QDeviceList)

public:
    explicit QDeviceList(QWidget *parent = nullptr);

    int count() const;
    QDeviceItem *item(int row) const;
    int currentRow() const;
    QListWidget *listWidget() const { return m_list; }

public slots:
    void addItem(broadcastMsg *record);
    void setNetState(uint row, bool online);
    void setDevicePreset(uint row, const QString &preset);
    void setFaultState(uint row, uchar fault);
    void setIpaddr(uint row, uint address);
    void setDeviceModel(uint row, const QString &model);
    void setDeviceLocation(uint row, const QString &location);
    void removeRow(int row);
    // The row's connection came up or went down.
    void setConnected(uint row, bool connected);
    void setWorkingOffline(uint row, bool local);
    // Marks the selected unit (-1: none) without emitting anything.
    void setCurrentRow(int row);
    // The selected unit is connected but not yet logged in.
    void setLoginPending(bool pending);

signals:
    void sig_devChanged(int index);
    void sig_ipClicked(int index);
    void sig_removeRow(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void describeRow(int row);
    void showContextMenu(const QPoint &pos);
    void showLoginPending();

    QListWidget *m_list;
    bool m_loginPending = false;
};
