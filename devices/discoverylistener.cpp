#include "devices/discoverylistener.h"

#include "devices/devicelog.h"
#include "protocol/lebytes.h"
#include "protocol/transport.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

DiscoveryListener::DiscoveryListener(const DiscoveryScope &scope, QObject *parent)
    : QObject(parent), m_scope(scope)
{
    qRegisterMetaType<broadcastMsg>();
}

DiscoveryListener::~DiscoveryListener() = default;

void DiscoveryListener::openSockets()
{
    qDeleteAll(m_sockets);
    m_sockets.clear();
    m_senders.clear();
    const auto bindMode = QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint;
    const auto open = [&](const QHostAddress &address) -> QUdpSocket * {
        auto *socket = new QUdpSocket(this);
        if (!socket->bind(address, m_scope.announcePort, bindMode)) {
            qCDebug(lcDevices) << "discovery cannot bind" << address << m_scope.announcePort
                               << socket->errorString();
            delete socket;
            return nullptr;
        }
        connect(socket, &QUdpSocket::readyRead, this, [this, socket] { udpRecvData(socket); });
        m_sockets.append(socket);
        return socket;
    };
    const auto addresses = m_scope.bindAddresses();
    for (const QHostAddress &address : addresses)
        if (QUdpSocket *s = open(address))
            m_senders.append(s);
    if (m_scope.listenOnAnyAddress)
        open(QHostAddress(QHostAddress::AnyIPv4));
}

QByteArray DiscoveryListener::commandDatagram(quint32 addressee, quint32 command,
                                              const QByteArray &payload)
{
    QByteArray d = Le::bytes(addressee, command, quint32(payload.size()));
    d.append(payload);
    return d;
}

int DiscoveryListener::sendCommand(quint32 addressee, quint32 command, const QByteArray &payload)
{
    const QByteArray d = commandDatagram(addressee, command, payload);
    int sent = 0;
    for (QUdpSocket *s : qAsConst(m_senders))
        if (s->writeDatagram(d, m_scope.commandAddress, m_scope.commandPort) == d.size())
            ++sent;
    qCDebug(lcDevices) << "command" << command << "to" << addressee << "sent" << sent << "times";
    return sent;
}

void DiscoveryListener::udpRecvData(QUdpSocket *socket)
{
    while (socket->hasPendingDatagrams()) {
        const QByteArray data = socket->receiveDatagram().data();
        const std::optional<broadcastMsg> record = parseBroadcastMsg(data);
        if (!record || !acceptsCode(record->code, codeId()))
            continue;
        emit announcement(*record);
    }
}
