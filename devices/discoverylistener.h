#pragma once

#include "devices/broadcastmsg.h"
#include "devices/discoveryscope.h"

#include <QObject>
#include <QVector>

class QUdpSocket;

// The UDP side of discovery: one socket per local address of the scope,
// receiving announcements and carrying the few commands that must reach a unit
// before it has a TCP connection. Passes on every well-formed announcement of
// the program's code; judging what changed is the device manager's.
class DiscoveryListener final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(DiscoveryListener)

public:
    explicit DiscoveryListener(const DiscoveryScope &scope, QObject *parent = nullptr);
    ~DiscoveryListener() override;

    // (Re)opens the sockets: drops those made before, then binds one per local
    // address. A bind that fails leaves that address without discovery.
    void openSockets();
    int socketCount() const { return m_sockets.size(); }

    // Sends a command datagram (addressee, command, payload length as three u32
    // little-endian, then the payload) from every address-bound socket to the
    // scope's command address. Returns the number of datagrams sent.
    int sendCommand(quint32 addressee, quint32 command, const QByteArray &payload);

    static QByteArray commandDatagram(quint32 addressee, quint32 command,
                                      const QByteArray &payload);

signals:
    void announcement(const broadcastMsg &record);

private:
    void udpRecvData(QUdpSocket *socket);

    DiscoveryScope m_scope;
    QVector<QUdpSocket *> m_sockets;
    QVector<QUdpSocket *> m_senders; // the address-bound ones
};
