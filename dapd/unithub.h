#pragma once

#include "dapd/dapdconfig.h"
#include "devices/broadcastmsg.h"
#include "devices/discoveryscope.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QVector>

class DiscoveryListener;
class UnitAgent;

// The units the control server keeps: those that announce themselves
// (discovery, as the program's device list hears them) and those reached by
// address (units on routed networks, where announcements do not reach).
// Each has one UnitAgent and so one connection, started as soon as the unit
// is known and kept for the life of the server.
class UnitHub final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(UnitHub)

public:
    static constexpr int MaxUnits = 256;

    struct Settings
    {
        DiscoveryScope scope;
        bool discovery = true;
        QList<QHostAddress> addresses; // reached by address
        int answerMs = 3000;
        int retryMs = 5000;
    };

    UnitHub(const Settings &settings, const DapdConfig &config, QObject *parent = nullptr);
    ~UnitHub() override;

    // Starts discovery and the connections to the units given by address.
    // False (with `error`) when discovery cannot listen at all.
    bool start(QString &error);

    const QVector<UnitAgent *> &agents() const { return m_agents; }
    // The unit a client names: an address, a device id or a serial number;
    // nullptr when none is known by it.
    UnitAgent *find(const QString &name) const;

signals:
    void unitAdded(UnitAgent *agent);
    void unitOnline(UnitAgent *agent);
    void unitOffline(UnitAgent *agent);

private:
    UnitAgent *addAgent(const QHostAddress &address);
    void announced(const broadcastMsg &record);
    void updatePassword(UnitAgent *agent);

    Settings m_settings;
    DapdConfig m_config;
    DiscoveryListener *m_discovery = nullptr;
    QVector<UnitAgent *> m_agents;
};
