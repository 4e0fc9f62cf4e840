#pragma once

#include "devices/broadcastmsg.h"
#include "devices/discoveryscope.h"

#include <QAbstractSocket>
#include <QDialog>

class ConnectTimeoutBox;
class DeviceManager;
class DeviceTableModel;
class QAbstractButton;
class QDeviceList;
class QIpSetting;
class QLabel;
class QMessageBox;
class QTableView;
class QTcpSocket;

// The "Device List" dialog: every known unit in a table, and the owner of the
// units' connections. The work is DeviceManager's; this class adds the view,
// the connection time-out box, the IP setting dialog and the database error box.
//
// The main window's unit selection: call devChanged(row) (makes the row's
// socket current, emits sig_currentSocketChanged), then connectDevice(row,
// address) with the configured connect address or a null address for the
// unit's announced one. The table keeps retrying while the row stays selected.
class QDeviceTable final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(QDeviceTable)

public:
    explicit QDeviceTable(const DiscoveryScope &scope = DiscoveryScope(),
                          QWidget *parent = nullptr);
    ~QDeviceTable() override;

    DeviceManager *manager() const { return m_manager; }
    int count() const;
    int selectedRow() const;
    QTcpSocket *socket(int row) const;
    const broadcastMsg *record(int row) const;
    bool isOnline(int row) const;

    // Connects the row's socket to `address` (null: the unit's announced
    // address) on the units' TCP port; retried every connect interval while the
    // row is selected and not connected.
    void connectDevice(int row, const QHostAddress &address = QHostAddress());
    // The program's own unit (work offline), listed and marked as such.
    int addLocalUnit(const broadcastMsg &record, quint16 port);
    bool isLocal(int row) const;
    // Length of one attempt and interval of retries (5000 ms).
    void setConnectRetryInterval(int ms);

    // Sends a UDP command datagram to units (addressee, command, payload).
    int sendUdpCommand(quint32 addressee, quint32 command, const QByteArray &payload);

    // Fills `list` with the current units and keeps it current: discovery
    // signals to its slots, its "IP Setting" and "Remove Device" to this
    // table. Its sig_devChanged is the main window's to connect.
    void attachList(QDeviceList *list);

    // The selected unit is connected but not yet logged in, as the main
    // window, which logs in, knows it; the table and an attached list show
    // "Logging in…" for it.
    void setLoginPending(bool pending);

    bool remindsOnTimeout() const { return m_remind; }
    // Made when first asked for.
    ConnectTimeoutBox *connectTimeoutBox();
    QIpSetting *ipSettingDialog();
    QMessageBox *databaseErrorBox() const { return m_dbErrorBox; }
    QTableView *view() const { return m_view; }

public slots:
    void devChanged(int index);
    void removeDev(int index);
    void ipClicked(int index);
    // Removes the unit of the view's current row.
    void removeClicked();
    void showErrorTimeout();
    void connectTimeoutMessageBoxButtonClicked(QAbstractButton *button);

signals:
    void sig_tcpData(const QByteArray &data);
    void sig_socketStateChanged(QAbstractSocket::SocketState state);
    void sig_currentSocketChanged(QTcpSocket *tcpSocket);
    // The operator picked a unit in the table (or the selected unit was removed: -1).
    void sig_devChanged(int index);
    void sig_removeDev(int index);
    void sig_addDev(broadcastMsg *record);
    void sig_netState(uint row, bool online);
    void sig_preset(uint row, const QString &preset);
    void sig_fault(uint row, uchar fault);
    void sig_ipaddr(uint row, uint address);
    void sig_model(uint row, const QString &model);
    void sig_linkState(uint row, bool connected);
    void sig_workingOffline(uint row, bool local);
    void sig_loginPending(bool pending);

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void forwardSignals();
    void retranslate();
    void showContextMenu(const QPoint &pos);
    void hideTimeoutBox();
    void connectTimedOut(int row);
    void ipAccepted();
    void saveGeometrySetting() const;

    DeviceManager *m_manager;
    DeviceTableModel *m_model;
    QTableView *m_view;
    QLabel *m_hint;
    ConnectTimeoutBox *m_timeoutBox = nullptr;
    QIpSetting *m_ipDialog = nullptr;
    QMessageBox *m_dbErrorBox = nullptr;
    quint32 m_ipTarget = 0; // machine id the open IP setting dialog is for
    bool m_remind = true;
};
