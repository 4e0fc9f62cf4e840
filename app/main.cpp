// dapcontrol: control program for networked digital audio matrix processors.

#include "app/configurationactions.h"
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "devices/discoveryscope.h"
#include "protocol/logcompressor.h"
#include "protocol/startuptrace.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTimer>
#include <QWindow>

#include <memory>
#include <optional>

namespace {

// "--offline [FILE]": work on the program's own unit from the start, with
// FILE (a configuration file) as its configuration. Empty when not asked.
std::optional<QString> offlineArgument(const QStringList &args)
{
    const int at = args.indexOf(QStringLiteral("--offline"));
    if (at < 0)
        return std::nullopt;
    const QString next = args.value(at + 1);
    return next.startsWith(QLatin1Char('-')) ? QString() : next;
}

} // namespace

int main(int argc, char *argv[])
{
    StartupTrace::start();
    preparePlatform();
    QApplication app(argc, argv);
    StartupTrace::mark("application");
    LogCompressor::install();
    auto instance = std::make_unique<SingleInstance>(QCoreApplication::applicationFilePath());
    if (instance->isRunning())
        return 0;

    prepareApplication(app);
    // The window shows first; the pages it does not show are built right
    // after its first paint.
    auto window =
        std::make_unique<MainWindow>(DiscoveryScope(), nullptr, MainWindow::Start::VisibleFirst);
    StartupTrace::mark("main window built");
    fitToScreen(*window);
    window->show();
    StartupTrace::mark("shown");
    StartupTrace::markFirstEvent(window->windowHandle(), QEvent::Expose, "first expose");
    QObject::connect(window.get(), &MainWindow::startCompleted,
                     [] { StartupTrace::mark("start completed"); });
    if (const std::optional<QString> file = offlineArgument(QCoreApplication::arguments()))
        QTimer::singleShot(0, window.get(),
                           [w = window.get(), f = *file] { w->configuration()->workOffline(f); });
    const int code = app.exec();
    LogCompressor::flush();
    if (window->restartRequested()) {
        // The new copy must find neither this window's settings unsaved nor
        // this copy's lock still held.
        window.reset();
        instance.reset();
        QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                QCoreApplication::arguments().mid(1), QDir::currentPath());
    }
    return code;
}
