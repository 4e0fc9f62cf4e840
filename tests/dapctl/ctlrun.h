#pragma once

// Runs dapctl commands in-process against simulated units on loopback.

#include "dapctl/ctlconsole.h"
#include "dapctl/dapctl.h"
#include "sim/simmodel.h"
#include "tests/devices/devicefixtures.h"
#include "tests/support/testsupport.h"

#include "protocol/frame.h"

#include <QSignalSpy>
#include <QStringList>

#include <memory>

struct CtlRun
{
    int code = -1;
    QString out;
    QString err;
};

inline CtlRun runDapctl(const QStringList &args, const QHash<QString, QString> &env = {})
{
    CtlRun r;
    CtlConsole console(&r.out, &r.err);
    r.code = DapCtl(env).run(args, console);
    console.flush();
    return r;
}

// The options that keep dapctl on the rack's loopback ports.
inline QStringList rackOptions(const SimRack &rack, quint16 announcePort)
{
    return {QStringLiteral("--port"),          QString::number(rack.port),
            QStringLiteral("--bind"),          QStringLiteral("127.0.0.1"),
            QStringLiteral("--announce-port"), QString::number(announcePort),
            QStringLiteral("--timeout"),       QStringLiteral("2")};
}

// Two simulated units on loopback and a scratch working directory, made
// afresh for each test function (start() in init(), stop() in cleanup()).
class CtlRack
{
public:
    bool start()
    {
        m_dir = std::make_unique<ScratchDir>();
        m_announcePort = freeUdpPort();
        return m_rack.start(2, m_announcePort, 100);
    }

    void stop()
    {
        m_rack.units.clear();
        m_dir.reset();
    }

protected:
    QStringList opts() const { return rackOptions(m_rack, m_announcePort); }
    CtlRun run(QStringList args) const { return runDapctl(args + opts()); }

    SimRack m_rack;
    quint16 m_announcePort = 0;
    std::unique_ptr<ScratchDir> m_dir;
};

// Applies a write to a unit as if a client had sent it.
inline void writeTo(SimUnit &unit, quint8 op, quint8 module, quint8 cmd, const QByteArray &payload)
{
    Proto::Frame f;
    f.op = op;
    f.module = module;
    f.cmd = cmd;
    f.flag = Proto::FlagWrite;
    f.payload = payload;
    f.length = quint16(payload.size());
    unit.model().handle(f);
}

// The writes among the requests a unit's requestReceived spy saw.
inline int writesSeen(const QSignalSpy &requests)
{
    int writes = 0;
    for (const QList<QVariant> &args : qAsConst(requests))
        if (args.at(0).value<Proto::Frame>().flag == Proto::FlagWrite)
            ++writes;
    return writes;
}
