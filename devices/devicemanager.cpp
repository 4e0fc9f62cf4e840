#include "devices/devicemanager.h"

#include "devices/devicelog.h"
#include "devices/discoverylistener.h"
#include "protocol/lebytes.h"
#include "protocol/transport.h"

#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

#include <limits>

#include <sys/socket.h>

// The connection side of one row.
struct DeviceManager::Link
{
    QTcpSocket *socket = nullptr;
    QTimer *connectTimer = nullptr; // watchdog of one attempt, or a scheduled retry
    QTimer *offlineTimer = nullptr; // fires after OfflineTimeoutMs without a sign of life
    QHostAddress remembered;        // local address of the last connection that came up
    QHostAddress requested;         // null: the unit's announced address
    QElapsedTimer lastAttempt;
    bool connected = false;      // socket in the connected state
    bool hadConnection = false;  // connected since the last attempt began
    bool retryScheduled = false; // connectTimer waits to retry, not for an attempt
    bool selfAbort = false;      // the manager itself is closing the socket
    quint16 port = 0;            // 0: the scope's unit port
    bool local = false;          // a unit the program runs itself
};

DeviceManager::DeviceManager(const DiscoveryScope &scope, QObject *parent)
    : QObject(parent), m_scope(scope), m_discovery(new DiscoveryListener(scope, this))
{
    // Connections to units never go through a system proxy.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);

    m_registry.open();
    const QVector<broadcastMsg> stored = m_registry.load();
    for (const broadcastMsg &m : stored) {
        if (m_units.indexOf(m.machineid) < 0) // one entry per unit, whatever the file holds
            addRow(m, false, false);
    }
    connect(m_discovery, &DiscoveryListener::announcement, this,
            &DeviceManager::announcementReceived);
    m_discovery->openSockets();
}

DeviceManager::~DeviceManager()
{
    for (Link *link : qAsConst(m_links)) {
        // The sockets must not call back into a half-destroyed manager.
        QObject::disconnect(link->socket, nullptr, this, nullptr);
        delete link;
    }
}

const broadcastMsg *DeviceManager::record(int row) const
{
    return m_units.isValid(row) ? &m_units.at(row).record : nullptr;
}

bool DeviceManager::isOnline(int row) const
{
    return m_units.isValid(row) && m_units.at(row).online;
}

bool DeviceManager::hasAnnounced(int row) const
{
    return m_units.isValid(row) && m_units.at(row).announced;
}

QTcpSocket *DeviceManager::socket(int row) const
{
    return m_units.isValid(row) ? m_links[row]->socket : nullptr;
}

bool DeviceManager::isConnected(int row) const
{
    return m_units.isValid(row) && m_links[row]->connected;
}

QHostAddress DeviceManager::connectTarget(int row) const
{
    if (!m_units.isValid(row))
        return QHostAddress();
    const Link *link = m_links[row];
    return link->requested.isNull() ? QHostAddress(m_units.at(row).record.ipaddress)
                                    : link->requested;
}

int DeviceManager::addRow(const broadcastMsg &record, bool online, bool announced)
{
    const int row = m_units.count();
    emit rowAboutToBeInserted(row);
    m_units.append(record, online, announced);

    auto *link = new Link;
    link->socket = new QTcpSocket(this);
    link->socket->setProxy(QNetworkProxy::NoProxy);
    link->connectTimer = new QTimer(this);
    link->connectTimer->setSingleShot(true);
    link->offlineTimer = new QTimer(this);
    link->offlineTimer->setSingleShot(true);
    link->offlineTimer->setInterval(OfflineTimeoutMs);
    connect(link->socket, &QAbstractSocket::stateChanged, this,
            [this, link](QAbstractSocket::SocketState s) { socketStateChanged(link, s); });
    connect(link->socket, &QIODevice::readyRead, this, [this, link] { tcpReadyRead(link); });
    connect(link->connectTimer, &QTimer::timeout, this, [this, link] { tcpTimeout(link); });
    connect(link->offlineTimer, &QTimer::timeout, this, [this, link] { udpRecvtimeout(link); });
    m_links.append(link);

    emit rowInserted(row);
    emit sig_addDev(&m_units.at(row).record);
    return row;
}

void DeviceManager::destroyLink(Link *link)
{
    QObject::disconnect(link->socket, nullptr, this, nullptr);
    link->socket->abort();
    // Later, in case the removal was asked for from one of the socket's own signals.
    link->socket->deleteLater();
    delete link->connectTimer;
    delete link->offlineTimer;
    delete link;
}

void DeviceManager::abortSocket(Link *link)
{
    link->selfAbort = true;
    link->socket->abort();
    link->selfAbort = false;
    link->hadConnection = false;
    link->retryScheduled = false;
}

void DeviceManager::announcementReceived(const broadcastMsg &announced)
{
    int row = m_units.indexOf(announced.machineid);
    if (row >= 0 && m_links[row]->local)
        return; // the program's own unit is not on the network
    if (row < 0) {
        m_registry.sqlAdd(announced);
        row = addRow(announced, true, true);
        m_links[row]->offlineTimer->start();
        emit sig_netState(uint(row), true);
        return;
    }

    m_links[row]->offlineTimer->start();
    UnitList::Entry &entry = m_units.at(row);
    const bool wasOnline = entry.online;
    entry.online = true;
    // The record takes the announcement before anyone hears the unit is
    // online: a unit remembered from the registry may be selected (and
    // connected to) on that signal, and must be reached at the address it
    // announces now, not at the one it had when it was last seen.
    const broadcastMsg::Fields changed = m_units.applyAnnouncement(row, announced);
    emit sig_netState(uint(row), true);
    if (changed)
        m_registry.update(entry.record, changed);
    if (changed & broadcastMsg::Address)
        emit sig_ipaddr(uint(row), announced.ipaddress);
    if (changed & broadcastMsg::Model)
        emit sig_model(uint(row), announced.model);
    if (changed & broadcastMsg::Preset)
        emit sig_preset(uint(row), announced.preset);
    if (changed & broadcastMsg::Fault)
        emit sig_fault(uint(row), announced.fault);
    if (changed || !wasOnline)
        emit rowChanged(row);
}

void DeviceManager::udpRecvtimeout(Link *link)
{
    const int row = rowOfLink(link);
    if (row < 0)
        return;
    link->offlineTimer->stop();
    m_units.at(row).online = false;
    emit rowChanged(row);
    emit sig_netState(uint(row), false);
}

void DeviceManager::devChanged(int index)
{
    if (!m_units.isValid(index))
        index = -1;
    const int previous = m_selected;
    if (m_units.isValid(previous)) {
        // What was written to the unit before the switch still reaches it:
        // the end of the stream follows the last frame, before the reset that
        // closing a socket with unread answers sends.
        QTcpSocket *old = m_links[previous]->socket;
        if (old->state() == QAbstractSocket::ConnectedState && old->socketDescriptor() >= 0) {
            old->flush();
            ::shutdown(int(old->socketDescriptor()), SHUT_WR);
        }
        abortSocket(m_links[previous]);
    }
    if (index != previous) {
        if (m_units.isValid(previous))
            m_links[previous]->connectTimer->stop();
        m_selected = index;
        if (index >= 0)
            m_links[index]->requested = QHostAddress();
    }
    QTcpSocket *current = socket(index);
    ::setCurrentSocket(current);
    emit sig_currentSocketChanged(current);
    if (m_units.isValid(previous) && previous != index)
        emit rowChanged(previous);
    if (index >= 0)
        emit rowChanged(index);
    emit selectedRowChanged(index);
}

int DeviceManager::addLocalUnit(const broadcastMsg &record, quint16 port)
{
    const int row = addRow(record, true, false);
    m_links[row]->port = port;
    m_links[row]->local = true;
    return row;
}

quint16 DeviceManager::unitPort(int row) const
{
    return m_units.isValid(row) && m_links[row]->port ? m_links[row]->port : m_scope.unitPort;
}

bool DeviceManager::isLocal(int row) const
{
    return m_units.isValid(row) && m_links[row]->local;
}

void DeviceManager::connectDevice(int row, const QHostAddress &address)
{
    if (!m_units.isValid(row))
        return;
    // The program's own unit is where it was started, whatever address the
    // configuration gives for the others.
    m_links[row]->requested = m_links[row]->local ? QHostAddress() : address;
    connectSocket(row);
}

void DeviceManager::connectSocket(int row)
{
    Link *link = m_links[row];
    const QHostAddress target = connectTarget(row);
    abortSocket(link);

    // The remembered local address is used once; otherwise the computer's own
    // address on the unit's subnet, so that the matching interface carries it.
    QHostAddress local = link->remembered;
    link->remembered = QHostAddress();
    if (local.isNull())
        local = chooseLocalAddress(target, localIPv4Entries());
    if (!local.isNull() && !link->socket->bind(local))
        qCDebug(lcDevices) << "cannot bind" << local << link->socket->errorString();

    qCDebug(lcDevices) << "connecting to" << target << m_scope.unitPort << "from" << local;
    link->lastAttempt.start();
    link->socket->connectToHost(target, link->port ? link->port : m_scope.unitPort,
                                QIODevice::ReadWrite);
    if (!link->connectTimer->isActive())
        link->connectTimer->start(m_connectTimeout);
}

void DeviceManager::scheduleReconnect(int row)
{
    // Through the connect timer, never from inside the socket's own state
    // change, and at most one attempt per interval so that a unit that accepts
    // and drops at once is not hammered.
    Link *link = m_links[row];
    const qint64 since = link->lastAttempt.isValid() ? link->lastAttempt.elapsed()
                                                     : std::numeric_limits<qint64>::max();
    link->retryScheduled = true;
    link->connectTimer->start(int(qBound<qint64>(0, m_connectTimeout - since, m_connectTimeout)));
}

void DeviceManager::socketStateChanged(Link *link, QAbstractSocket::SocketState state)
{
    int row = rowOfLink(link);
    if (row < 0)
        return;
    QTcpSocket *s = link->socket;
    const bool isCurrent = s == currentSocket();
    const bool connected = state == QAbstractSocket::ConnectedState;
    if (connected) {
        link->connectTimer->stop();
        link->retryScheduled = false;
        link->hadConnection = true;
        if (isCurrent)
            link->remembered = s->localAddress();
    }
    if (connected != link->connected) {
        link->connected = connected;
        emit sig_linkState(uint(row), connected);
    }
    emit rowChanged(row);
    if (connected && isCurrent)
        emit connectionEstablished(row);
    if (isCurrent)
        emit sig_socketStateChanged(state);

    // A connection that drops while its unit stays selected is taken up again,
    // so the unit asks for the login again without the operator's doing.
    row = rowOfLink(link);
    if (row >= 0 && state == QAbstractSocket::UnconnectedState && link->hadConnection) {
        link->hadConnection = false;
        if (!link->selfAbort && row == m_selected) {
            qCDebug(lcDevices) << "connection of row" << row << "dropped; reconnecting";
            scheduleReconnect(row);
        }
    }
}

void DeviceManager::tcpReadyRead(Link *link)
{
    QTcpSocket *s = link->socket;
    if (s != currentSocket())
        return; // only the current unit's bytes are read
    const int row = rowOfLink(link);
    if (row < 0)
        return;
    // Received bytes are a sign of life as good as an announcement.
    link->offlineTimer->start();
    UnitList::Entry &entry = m_units.at(row);
    if (!entry.online) {
        entry.online = true;
        emit rowChanged(row);
        emit sig_netState(uint(row), true);
    }
    const QByteArray data = s->readAll();
    if (!data.isEmpty())
        emit sig_tcpData(data);
}

void DeviceManager::tcpTimeout(Link *link)
{
    int row = rowOfLink(link);
    if (row < 0)
        return;
    const bool scheduled = link->retryScheduled;
    link->retryScheduled = false;
    link->connectTimer->stop();
    if (!scheduled && row == m_selected && m_units.at(row).online)
        emit connectTimedOut(row);
    row = rowOfLink(link);
    if (row >= 0 && row == m_selected && link->socket->state() != QAbstractSocket::ConnectedState)
        connectSocket(row);
}

void DeviceManager::removeDev(int row)
{
    if (!m_units.isValid(row))
        return;
    const bool wasSelected = row == m_selected;
    if (wasSelected)
        devChanged(-1);
    else if (m_selected > row)
        --m_selected;
    emit sig_removeDev(row);

    if (!m_links[row]->local)
        m_registry.remove(m_units.at(row).record.machineid);
    emit rowAboutToBeRemoved(row);
    Link *link = m_links.takeAt(row);
    m_units.removeAt(row);
    destroyLink(link);
    emit rowRemoved(row);

    if (wasSelected)
        emit sig_devChanged(-1);
    else
        emit selectedRowChanged(m_selected);
}

int DeviceManager::sendUdpCommand(quint32 addressee, quint32 command, const QByteArray &payload)
{
    return m_discovery->sendCommand(addressee, command, payload);
}

int DeviceManager::sendIpSetting(quint32 machineid, quint32 address, quint32 mask, quint32 gateway)
{
    return sendUdpCommand(machineid, 2, Le::bytes(address, mask, gateway));
}
