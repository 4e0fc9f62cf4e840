#include "sim/simunit.h"

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "sim/simsession.h"
#include "sim/systemblock.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

SimUnit::SimUnit(const SimUnitConfig &config, QObject *parent)
    : QObject(parent), m_config(config), m_server(new QTcpServer(this)),
      m_udp(new QUdpSocket(this)), m_announceTimer(new QTimer(this))
{
    qRegisterMetaType<Proto::Frame>();
    SystemState &s = m_model.system();
    m_model.machineId = config.machineId;
    s.code = config.code;
    s.password = config.password;
    if (!config.model.isEmpty())
        s.model = config.model;
    if (!config.sn.isEmpty())
        s.sn = config.sn;
    s.aecSupport = config.aec ? 1 : 0;
    if (config.bind.protocol() == QAbstractSocket::IPv4Protocol)
        s.ipAddress = config.bind.toIPv4Address();

    // The hooks run while a session handles the request: act once it is done.
    if (auto *system = m_model.blockAs<SystemBlock>(Proto::OpSystem, Proto::SysModule::Settings)) {
        system->setNetworkHook(
            [this] { QTimer::singleShot(0, this, [this] { followAddress(); }); });
        system->setRestartHook([this] { QTimer::singleShot(0, this, &SimUnit::restart); });
    }

    connect(m_server, &QTcpServer::newConnection, this, &SimUnit::onNewConnection);
    connect(this, &SimUnit::requestReceived, this, [this] { ++m_requests; });
    m_announceTimer->setInterval(config.announceIntervalMs);
    connect(m_announceTimer, &QTimer::timeout, this, &SimUnit::announce);
}

SimUnit::~SimUnit() = default;

bool SimUnit::start()
{
    if (!m_server->listen(m_config.bind, m_config.port)) {
        m_error = m_server->errorString();
        return false;
    }
    // Announcements leave from the unit's own address.
    if (!m_config.announce)
        return true;
    m_udp->bind(m_config.bind, 0);
    m_announceTimer->start();
    announce();
    return true;
}

quint16 SimUnit::serverPort() const
{
    return m_server->serverPort() ? m_server->serverPort() : m_config.port;
}

bool SimUnit::hasLoggedInSession() const
{
    for (const SimSession *s : m_sessions)
        if (s->isLoggedIn())
            return true;
    return false;
}

void SimUnit::onNewConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        auto *session = new SimSession(socket, &m_model, &m_faults, this);
        m_sessions.append(session);
        connect(session, &SimSession::requestReceived, this, &SimUnit::requestReceived);
        connect(session, &SimSession::closed, this, [this, session] {
            m_sessions.removeOne(session);
            emit sessionClosed();
        });
        emit sessionOpened();
    }
}

void SimUnit::setRefuseConnections(bool refuse)
{
    if (refuse == m_refusing)
        return;
    m_refusing = refuse;
    if (refuse) {
        m_config.port = serverPort();
        m_server->close(); // the system now refuses connections to the port
    } else {
        m_server->listen(m_config.bind, m_config.port);
    }
}

void SimUnit::dropConnections()
{
    const auto sessions = m_sessions;
    for (SimSession *s : sessions)
        s->abort();
}

void SimUnit::setAnnouncing(bool on)
{
    if (on && m_config.announce)
        m_announceTimer->start();
    else
        m_announceTimer->stop();
}

void SimUnit::setFaultByte(quint8 fault)
{
    m_model.system().fault = fault;
}

void SimUnit::setVoltages(const std::array<float, 7> &volts)
{
    m_model.system().voltages = volts;
    m_model.system().reportsVoltages = true;
}

void SimUnit::setReportsVoltages(bool reports)
{
    m_model.system().reportsVoltages = reports;
}

void SimUnit::restart()
{
    SystemState &s = m_model.system();
    dropConnections();
    ++s.bootCount;
    s.totalTimeBase += s.runTime();
    s.started.restart();
    emit restarted();
}

void SimUnit::powerCycle(int downMs)
{
    if (m_down)
        return;
    m_down = true;
    const bool wasRefusing = m_refusing;
    const bool wasAnnouncing = m_announceTimer->isActive();
    setAnnouncing(false);
    setRefuseConnections(true);
    dropConnections();
    QTimer::singleShot(qMax(0, downMs), this, [this, wasRefusing, wasAnnouncing] {
        m_down = false;
        setRefuseConnections(wasRefusing);
        restart();
        if (wasAnnouncing) {
            setAnnouncing(true);
            announce();
        }
    });
}

void SimUnit::applyNetworkSettings(quint32 address, quint32 mask, quint32 gateway)
{
    SystemState &s = m_model.system();
    s.ipAddress = address;
    s.subnetMask = mask;
    s.gateway = gateway;
    followAddress();
}

void SimUnit::followAddress()
{
    const QHostAddress wanted(m_model.system().ipAddress);
    if (!wanted.isLoopback() || wanted == m_config.bind)
        return;
    const quint16 port = serverPort();
    dropConnections();
    if (!m_refusing) {
        m_server->close();
        if (!m_server->listen(wanted, port)) {
            m_server->listen(m_config.bind, port);
            return; // stays where it is; the announcements say so
        }
    }
    m_config.bind = wanted;
    m_config.port = port;
    m_udp->close();
    m_udp->bind(wanted, 0);
}

void SimUnit::announce()
{
    if (!m_config.announce)
        return;
    // A write of the network settings (over TCP too) may have moved the unit.
    followAddress();
    QByteArray record = m_model.announcement();
    // The announced address is the one the unit really listens on.
    if (m_config.bind.protocol() == QAbstractSocket::IPv4Protocol)
        Le::put<quint32>(record.data() + 4, m_config.bind.toIPv4Address());
    // Bytes 8..15: seconds since start and total running time.
    const SystemState &s = m_model.system();
    Le::put<quint32>(record.data() + 8, s.runTime());
    Le::put<quint32>(record.data() + 12, s.totalTimeBase + s.runTime());
    m_udp->writeDatagram(record, m_config.announceTo, m_config.announcePort);
}
