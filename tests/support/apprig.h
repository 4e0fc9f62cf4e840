#pragma once

// The main window against simulated units on loopback, for end-to-end tests:
// units on 127.0.0.2, 127.0.0.3, ... sharing one free TCP port, and a window
// whose discovery listens for them on loopback only. Header-only: the tests
// that use it link the program's libraries.

#include "app/mainwindow.h"
#include "devices/discoveryscope.h"
#include "devices/qdevicetable.h"
#include "pages/funcwidget.h"
#include "protocol/transport.h"
#include "sim/simunit.h"
#include "tests/support/testsupport.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTest>
#include <QUdpSocket>

#include <functional>
#include <memory>
#include <vector>

inline quint16 freeUdpPort()
{
    QUdpSocket s;
    s.bind(QHostAddress::LocalHost, 0);
    return s.localPort();
}

struct AppRig
{
    static constexpr quint32 FirstMachineId = 7001;
    using Configure = std::function<void(SimUnitConfig &config, int unit)>;

    // `runFiles` are copied from the run directory into the scratch directory
    // before the window is built (e.g. the translations, which it reads at once).
    explicit AppRig(int units = 1, const QString &password = {}, bool forgetLastUnit = true,
                    const Configure &configure = {}, const QStringList &runFiles = {})
    {
        for (const QString &name : runFiles) {
            QFile f(QStringLiteral(DAP_RUN_DIR "/") + name);
            if (!f.open(QIODevice::ReadOnly))
                qFatal("missing run file %s (build the program first)", qPrintable(name));
            dir.writeFile(name, f.readAll());
        }
        if (forgetLastUnit)
            QSettings(QStringLiteral("Tarnvale"), QStringLiteral("KR"))
                .remove(QStringLiteral("LastDevice"));
        const quint16 announcePort = freeUdpPort();
        quint16 port = 0;
        for (int i = 0; i < units; ++i) {
            SimUnitConfig c;
            c.bind = QHostAddress(QHostAddress(QStringLiteral("127.0.0.2")).toIPv4Address() +
                                  quint32(i));
            c.port = port;
            c.announcePort = announcePort;
            c.announceIntervalMs = 200;
            c.machineId = FirstMachineId + quint32(i);
            c.password = password;
            if (configure)
                configure(c, i);
            auto unit = std::make_unique<SimUnit>(c);
            if (!unit->start())
                qFatal("cannot start simulated unit: %s", qPrintable(unit->errorString()));
            port = unit->serverPort();
            sims.push_back(std::move(unit));
        }
        window = std::make_unique<MainWindow>(
            DiscoveryScope::loopback(announcePort, freeUdpPort(), port), nullptr);
        window->deviceTable()->setConnectRetryInterval(500);
    }
    ~AppRig()
    {
        window.reset();
        sims.clear();
    }

    SimUnit &sim(int i = 0) { return *sims[size_t(i)]; }
    SimModel &model(int i = 0) { return sim(i).model(); }
    // A block of the simulated unit under op 3.
    template <typename T> T &block(quint8 module, int i = 0)
    {
        return *model(i).blockAs<T>(Proto::OpBlock, module);
    }
    FuncWidget &pages() { return *window->funcWidget(); }
    template <typename T> T *page(int index) { return qobject_cast<T *>(pages().page(index)); }

    // The device table row of unit `i`, or -1 while it has not been seen.
    int rowOf(int i) const
    {
        for (int row = 0; row < window->deviceTable()->count(); ++row)
            if (window->deviceTable()->record(row)->machineid == FirstMachineId + quint32(i))
                return row;
        return -1;
    }
    // Waits until unit `i` is listed, then selects it as the operator would.
    bool select(int i = 0)
    {
        if (!QTest::qWaitFor([this, i] { return rowOf(i) >= 0; }, 5000))
            return false;
        window->devChanged(rowOf(i));
        return true;
    }
    // Selects unit `i` and waits for the login.
    bool logIn(int i = 0)
    {
        return select(i) && QTest::qWaitFor([] { return isLoggedIn(); }, 5000);
    }

    ScratchDir dir;
    std::vector<std::unique_ptr<SimUnit>> sims;
    std::unique_ptr<MainWindow> window;
};
