#pragma once

#include "devices/broadcastmsg.h"
#include "devices/deviceregistry.h"
#include "devices/discoveryscope.h"
#include "devices/unitlist.h"

#include <QAbstractSocket>
#include <QObject>
#include <QVector>

class DiscoveryListener;
class QTcpSocket;

// Everything the device table does without a widget: the known units (from the
// registry and from announcements), their online state, one TCP socket per
// unit with its connect timer, the selected unit and its connection.
//
// Rows are list positions; a row's socket lives as long as the row. The
// selected row's socket is made the current socket of the transmit path, and
// only the current socket's bytes are read and passed on (sig_tcpData).
class DeviceManager final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(DeviceManager)

public:
    static constexpr int OfflineTimeoutMs = 2000;
    static constexpr int DefaultConnectTimeoutMs = 5000;

    explicit DeviceManager(const DiscoveryScope &scope = DiscoveryScope(),
                           QObject *parent = nullptr);
    ~DeviceManager() override;

    const DiscoveryScope &scope() const { return m_scope; }
    bool hasDatabase() const { return m_registry.isOpen(); }
    const DeviceRegistry &registry() const { return m_registry; }
    DiscoveryListener *discovery() const { return m_discovery; }

    int count() const { return m_units.count(); }
    int rowOf(quint32 machineid) const { return m_units.indexOf(machineid); }
    // The unit's last record, or nullptr for a row out of range.
    const broadcastMsg *record(int row) const;
    bool isOnline(int row) const;
    // False for a unit known only from the registry since the program started.
    bool hasAnnounced(int row) const;
    QTcpSocket *socket(int row) const;
    bool isConnected(int row) const;
    int selectedRow() const { return m_selected; }
    // Where the next connection attempt of `row` goes.
    QHostAddress connectTarget(int row) const;

    // Length of one connection attempt and interval of the retries.
    void setConnectTimeout(int ms) { m_connectTimeout = qMax(1, ms); }
    int connectTimeout() const { return m_connectTimeout; }

    // Selects a unit (-1: none): aborts the previous selection's connection and
    // makes the row's socket the current socket. Connecting is connectDevice's.
    void devChanged(int index);
    // Connects the row's socket to `address` (null: the unit's announced
    // address, followed when it changes) on the unit port, and keeps retrying
    // while the row is selected.
    void connectDevice(int row, const QHostAddress &address = QHostAddress());
    // A unit the program runs itself (work offline): listed without an
    // announcement, never marked gone for want of one, not kept in the
    // database, and connected to on `address` and `port`.
    int addLocalUnit(const broadcastMsg &record, quint16 port);
    bool isLocal(int row) const;
    // The TCP port the unit of `row` is reached on.
    quint16 unitPort(int row) const;
    // Forgets a unit: its registry row, its entry, socket and timers.
    void removeDev(int row);

    // Sends a command datagram to units (see DiscoveryListener::sendCommand).
    int sendUdpCommand(quint32 addressee, quint32 command, const QByteArray &payload);
    // Command 2: the unit `machineid` takes a new address, mask and gateway.
    int sendIpSetting(quint32 machineid, quint32 address, quint32 mask, quint32 gateway);

signals:
    // For the table model.
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    void selectedRowChanged(int row);

    // Discovery (argument 1 is the row).
    void sig_addDev(broadcastMsg *record);
    void sig_netState(uint row, bool online);
    void sig_preset(uint row, const QString &preset);
    void sig_fault(uint row, uchar fault);
    void sig_ipaddr(uint row, uint address);
    void sig_model(uint row, const QString &model);
    // The row's socket came up (true) or went down (false).
    void sig_linkState(uint row, bool connected);

    // Connection.
    void sig_tcpData(const QByteArray &data);
    void sig_socketStateChanged(QAbstractSocket::SocketState state);
    void sig_currentSocketChanged(QTcpSocket *tcpSocket);
    void sig_removeDev(int index);
    // The selection was dropped by removing the selected unit (-1).
    void sig_devChanged(int index);
    // An attempt of the selected, online unit ran out without a connection.
    void connectTimedOut(int row);
    // The current socket is connected.
    void connectionEstablished(int row);

private:
    struct Link;

    int addRow(const broadcastMsg &record, bool online, bool announced);
    void destroyLink(Link *link);
    int rowOfLink(const Link *link) const { return m_links.indexOf(const_cast<Link *>(link)); }
    void abortSocket(Link *link);
    void connectSocket(int row);
    void scheduleReconnect(int row);

    void announcementReceived(const broadcastMsg &announced);
    void udpRecvtimeout(Link *link);
    void socketStateChanged(Link *link, QAbstractSocket::SocketState state);
    void tcpReadyRead(Link *link);
    void tcpTimeout(Link *link);

    DiscoveryScope m_scope;
    DeviceRegistry m_registry;
    UnitList m_units;
    QVector<Link *> m_links; // parallel to m_units
    DiscoveryListener *m_discovery;
    int m_selected = -1;
    int m_connectTimeout = DefaultConnectTimeoutMs;
};
