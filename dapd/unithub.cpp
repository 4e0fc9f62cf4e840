#include "dapd/unithub.h"

#include "dapd/dapdlog.h"
#include "dapd/unitagent.h"
#include "dapd/unitconnection.h"
#include "devices/discoverylistener.h"
#include "unitlink/unittarget.h"

UnitHub::UnitHub(const Settings &settings, const DapdConfig &config, QObject *parent)
    : QObject(parent), m_settings(settings), m_config(config)
{
}

UnitHub::~UnitHub() = default;

bool UnitHub::start(QString &error)
{
    if (m_settings.discovery) {
        m_discovery = new DiscoveryListener(m_settings.scope, this);
        connect(m_discovery, &DiscoveryListener::announcement, this, &UnitHub::announced);
        m_discovery->openSockets();
        if (m_discovery->socketCount() == 0) {
            error = QStringLiteral("cannot listen for announcements on UDP port %1")
                        .arg(m_settings.scope.announcePort);
            return false;
        }
    }
    for (const QHostAddress &address : qAsConst(m_settings.addresses))
        if (!find(address.toString()))
            addAgent(address);
    return true;
}

UnitAgent *UnitHub::addAgent(const QHostAddress &address)
{
    auto *agent = new UnitAgent(this);
    UnitConnection *c = agent->connection();
    c->setTarget(address, m_settings.scope.unitPort);
    c->setTimeouts(m_settings.answerMs, m_settings.retryMs);
    m_agents.append(agent);
    updatePassword(agent);
    connect(agent, &UnitAgent::online, this, [this, agent] { emit unitOnline(agent); });
    connect(agent, &UnitAgent::offline, this, [this, agent] { emit unitOffline(agent); });
    emit unitAdded(agent);
    c->start();
    return agent;
}

void UnitHub::updatePassword(UnitAgent *agent)
{
    const broadcastMsg &r = agent->record();
    agent->connection()->setPassword(m_config.passwordFor(
        agent->machineId(), agent->hasRecord() ? r.sn : QString(), agent->connection()->address()));
}

void UnitHub::announced(const broadcastMsg &record)
{
    const QHostAddress address(record.ipaddress);
    UnitAgent *agent = nullptr;
    for (UnitAgent *a : qAsConst(m_agents))
        if (a->hasRecord() && a->machineId() == record.machineid)
            agent = a;
    // A unit given by address that now announces itself takes its identity.
    if (!agent)
        for (UnitAgent *a : qAsConst(m_agents))
            if (!a->hasRecord() && a->connection()->address() == address)
                agent = a;
    if (!agent) {
        if (m_agents.size() >= MaxUnits) {
            qCWarning(lcDapd) << "more than" << MaxUnits << "units; unit" << record.machineid
                              << "is left out";
            return;
        }
        qCInfo(lcDapd).noquote() << QStringLiteral("unit %1 announced at %2")
                                        .arg(record.machineid)
                                        .arg(address.toString());
        agent = addAgent(address);
    }
    const bool identified = !agent->hasRecord();
    agent->setRecord(record);
    if (identified)
        updatePassword(agent);
    // A unit that moved is reached at its announced address.
    agent->connection()->setTarget(address, m_settings.scope.unitPort);
}

UnitAgent *UnitHub::find(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    if (UnitTarget::isAddress(name)) {
        const QHostAddress address(name);
        for (UnitAgent *a : m_agents)
            if (a->connection()->address() == address)
                return a;
        return nullptr;
    }
    for (UnitAgent *a : m_agents)
        if (a->hasRecord() && UnitTarget::names(name, a->record()))
            return a;
    return nullptr;
}
