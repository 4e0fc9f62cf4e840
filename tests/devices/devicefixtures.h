#pragma once

// Fixtures shared by the device tests: free loopback ports and a rack of
// simulated units on 127.0.0.1 ... 127.0.0.N that share one TCP port, as real
// units on their own addresses do.

#include "sim/simunit.h"

#include <QTcpServer>
#include <QUdpSocket>

#include <memory>
#include <vector>

inline quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

inline quint16 freeTcpPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

inline QHostAddress loopback(int n)
{
    return QHostAddress(0x7F000000u + quint32(n));
}

class SimRack final
{
public:
    // Starts `count` units announcing to 127.0.0.1:`announcePort`; machine ids
    // 501, 502, ... False when no common free port was found.
    bool start(int count, quint16 announcePort, int intervalMs = 200,
               const QString &password = QString())
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            units.clear();
            port = freeTcpPort();
            bool ok = port != 0;
            for (int i = 0; ok && i < count; ++i) {
                SimUnitConfig c;
                c.bind = loopback(i + 1);
                c.port = port;
                c.announcePort = announcePort;
                c.announceIntervalMs = intervalMs;
                c.machineId = 501 + quint32(i);
                c.sn = QStringLiteral("SN-%1").arg(i + 1);
                c.password = password;
                units.push_back(std::make_unique<SimUnit>(c));
                ok = units.back()->start();
            }
            if (ok)
                return true;
        }
        units.clear();
        return false;
    }

    SimUnit &operator[](int i) { return *units[size_t(i)]; }

    std::vector<std::unique_ptr<SimUnit>> units;
    quint16 port = 0;
};
