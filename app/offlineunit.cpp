#include "app/offlineunit.h"

#include "sim/simunit.h"

OfflineUnit::OfflineUnit(QObject *parent) : QObject(parent) {}

OfflineUnit::~OfflineUnit() = default;

bool OfflineUnit::start(QString *error)
{
    if (m_unit)
        return true;
    SimUnitConfig c;
    c.bind = QHostAddress(QHostAddress::LocalHost);
    c.port = 0; // any free port
    c.announce = false;
    c.machineId = MachineId;
    c.sn = QStringLiteral("OFFLINE");
    auto unit = std::make_unique<SimUnit>(c);
    if (!unit->start()) {
        if (error)
            *error = unit->errorString();
        return false;
    }
    m_unit = std::move(unit);
    return true;
}

bool OfflineUnit::isRunning() const
{
    return m_unit != nullptr;
}

quint16 OfflineUnit::port() const
{
    return m_unit ? m_unit->serverPort() : 0;
}

broadcastMsg OfflineUnit::record() const
{
    broadcastMsg record;
    if (m_unit) {
        if (const std::optional<broadcastMsg> parsed =
                parseBroadcastMsg(m_unit->model().announcement()))
            record = *parsed;
    }
    record.machineid = MachineId;
    record.ipaddress = QHostAddress(QHostAddress::LocalHost).toIPv4Address();
    return record;
}
