// dapcontrol: control program for networked digital audio matrix processors.

#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "devices/discoveryscope.h"
#include "protocol/logcompressor.h"
#include "protocol/startuptrace.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QWindow>

#include <memory>

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
