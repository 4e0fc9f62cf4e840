#include "sim/simcommandlistener.h"

#include "protocol/lebytes.h"
#include "sim/simunit.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

SimCommandListener::SimCommandListener(QObject *parent)
    : QObject(parent), m_socket(new QUdpSocket(this))
{
    connect(m_socket, &QUdpSocket::readyRead, this, &SimCommandListener::readDatagrams);
}

SimCommandListener::~SimCommandListener() = default;

bool SimCommandListener::listen(const QHostAddress &address, quint16 port)
{
    if (!address.isLoopback()) {
        m_error = QStringLiteral("the command port listens on loopback only");
        return false;
    }
    if (!m_socket->bind(address, port)) {
        m_error = m_socket->errorString();
        return false;
    }
    return true;
}

quint16 SimCommandListener::port() const
{
    return m_socket->localPort();
}

void SimCommandListener::addUnit(SimUnit *unit)
{
    m_units.append(unit);
}

void SimCommandListener::readDatagrams()
{
    while (m_socket->hasPendingDatagrams())
        handle(m_socket->receiveDatagram().data());
}

void SimCommandListener::handle(const QByteArray &d)
{
    if (d.size() < 12)
        return;
    const quint32 addressee = Le::get<quint32>(d, 0);
    const quint32 command = Le::get<quint32>(d, 4);
    const quint32 length = Le::get<quint32>(d, 8);
    if (length != quint32(d.size() - 12))
        return; // a header that does not describe its datagram
    const QByteArray payload = d.mid(12);
    emit commandReceived(addressee, command, payload);
    if (command != 2 || payload.size() != 12)
        return;
    for (const QPointer<SimUnit> &unit : qAsConst(m_units)) {
        if (unit && unit->model().machineId == addressee)
            unit->applyNetworkSettings(Le::get<quint32>(payload, 0), Le::get<quint32>(payload, 4),
                                       Le::get<quint32>(payload, 8));
    }
}
