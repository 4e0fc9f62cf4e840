// dap-loopback: dapcontrol with its discovery on loopback, for measuring the
// program against a simulated unit (tools/measure-idle.sh, tools/soak.sh,
// bench_startup). It starts exactly as dapcontrol does; only the discovery
// scope differs: announcements are taken on 127.0.0.1:ANNOUNCE_PORT, commands
// go to 127.0.0.1:COMMAND_PORT and units are reached on UNIT_PORT, so nothing
// leaves 127.0.0.0/8.
//
//   dap-loopback [--probe] [ANNOUNCE_PORT [UNIT_PORT [COMMAND_PORT]]]
//
// --probe: print the time of the first expose, of the completed start (every
// page built) and the resident memory, then quit (see ProbeApplication). The unit selected last
// time (the "LastDevice" setting) is selected again when it announces itself, as in dapcontrol.

#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "devices/discoveryscope.h"
#include "protocol/logcompressor.h"
#include "protocol/startuptrace.h"
#include "tools/startupprobe/startupprobe.h"

#include <QWindow>

#include <cstdlib>
#include <memory>

int main(int argc, char *argv[])
{
    const bool probe = ProbeApplication::takeProbeOption(argc, argv);
    const auto port = [&](int index, int fallback) {
        return quint16(index < argc ? std::atoi(argv[index]) : fallback);
    };
    const quint16 announcePort = port(1, 6697);
    const quint16 unitPort = port(2, 2698);
    const quint16 commandPort = port(3, 6001);

    // From here on the same steps as dapcontrol's main().
    StartupTrace::start();
    preparePlatform();
    ProbeApplication app(argc, argv);
    app.setProbe(probe);
    StartupTrace::mark("application");
    LogCompressor::install();
    auto instance = std::make_unique<SingleInstance>(QCoreApplication::applicationFilePath());
    if (instance->isRunning())
        return 0;

    prepareApplication(app);
    auto window =
        std::make_unique<MainWindow>(DiscoveryScope::loopback(announcePort, commandPort, unitPort),
                                     nullptr, MainWindow::Start::VisibleFirst);
    StartupTrace::mark("main window built");
    window->show();
    StartupTrace::mark("shown");
    StartupTrace::markFirstEvent(window->windowHandle(), QEvent::Expose, "first expose");
    QObject::connect(window.get(), &MainWindow::startCompleted, &app, [&app] {
        StartupTrace::mark("start completed");
        app.markReady();
    });
    app.setWaitForReady(true);
    const int code = app.exec();
    LogCompressor::flush();
    return code;
}
