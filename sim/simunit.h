#pragma once

#include "protocol/frame.h"
#include "sim/simmodel.h"

#include <QHostAddress>
#include <QList>
#include <QObject>

class QTcpServer;
class QTimer;
class QUdpSocket;
class SimSession;

// Faults a test (or the command line) can switch on.
struct SimFaults
{
    bool splitAnswers = false; // answers leave in small pieces, a millisecond apart
    int junkBytes = 0;         // bytes of junk written before every answer
};

struct SimUnitConfig
{
    QHostAddress bind = QHostAddress(QHostAddress::LocalHost);
    quint16 port = 2698;
    QHostAddress announceTo = QHostAddress(QHostAddress::LocalHost);
    quint16 announcePort = 6697;
    int announceIntervalMs = 500;
    quint16 code = 1;
    quint32 machineId = 1;
    QString model;
    QString sn;
    QString password;
    bool aec = true;      // false: the unit has no echo canceller and refuses its commands
    bool announce = true; // false: the unit announces nowhere (a program's own unit)
};

// One simulated unit: a TCP server speaking the unit's protocol on its own
// address, and its announcements on UDP. Sends to loopback unless the
// configuration names another address.
class SimUnit final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(SimUnit)

public:
    explicit SimUnit(const SimUnitConfig &config, QObject *parent = nullptr);
    ~SimUnit() override;

    // Starts listening and announcing. False (with errorString) when the port
    // cannot be had.
    bool start();
    QString errorString() const { return m_error; }
    quint16 serverPort() const;
    QHostAddress address() const { return m_config.bind; }

    SimModel &model() { return m_model; }
    int sessionCount() const { return m_sessions.size(); }
    bool hasLoggedInSession() const;

    // Fault injection.
    SimFaults &faults() { return m_faults; }
    void setSplitAnswers(bool on) { m_faults.splitAnswers = on; }
    void setJunkBytes(int count) { m_faults.junkBytes = qMax(0, count); }
    void setRefuseConnections(bool refuse);
    void dropConnections();
    void setAnnouncing(bool on);
    void setFaultByte(quint8 fault);
    // The seven supply voltages the unit reports, or none at all (the unit
    // then refuses the read).
    void setVoltages(const std::array<float, 7> &volts);
    void setReportsVoltages(bool reports);

    // Sends one announcement now (tests use it to avoid waiting for the timer).
    void announce();

    // New network settings, as the UDP command 2 or the settings write give
    // them. The network read shows them at once. A new address in 127.0.0.0/8
    // moves the unit there (its connections drop, as a real unit's do); any
    // other address is only reported, and the unit keeps listening and
    // announcing where it is, so that nothing leaves loopback.
    void applyNetworkSettings(quint32 address, quint32 mask, quint32 gateway);

    // What a unit does when it restarts (after a factory reset): its
    // connections drop, it counts a boot and its run time starts again.
    void restart();
    // A unit switched off and on again: its connections drop, and for
    // `downMs` it neither announces itself nor takes connections; then it
    // boots (restart()) and is back.
    void powerCycle(int downMs);
    bool isDown() const { return m_down; }

    // Requests received by every session so far (the console reports them,
    // so that a script can tell a program that polls from one that does not).
    quint64 requestCount() const { return m_requests; }

signals:
    void restarted();
    void sessionOpened();
    void sessionClosed();
    void requestReceived(const Proto::Frame &frame);

private:
    void onNewConnection();
    void followAddress();

    SimUnitConfig m_config;
    SimModel m_model;
    SimFaults m_faults;
    QTcpServer *m_server;
    QUdpSocket *m_udp;
    QTimer *m_announceTimer;
    QList<SimSession *> m_sessions;
    QString m_error;
    bool m_refusing = false;
    bool m_down = false;
    quint64 m_requests = 0;
};
