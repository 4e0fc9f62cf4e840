// dapcontrol: control program for networked digital audio matrix processors.

#include "app/appconfig.h"
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "protocol/localtext.h"
#include "protocol/logcompressor.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <memory>

int main(int argc, char *argv[])
{
    // The scaling attribute only takes effect before the application exists.
    QCoreApplication::setAttribute(AppConfig::readHighDpiSetting() ? Qt::AA_EnableHighDpiScaling
                                                                   : Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    LogCompressor::install();
    auto instance = std::make_unique<SingleInstance>(QCoreApplication::applicationFilePath());
    if (instance->isRunning())
        return 0;

    LocalText::installCodec();

    MainWindow::initResources();
    QFile style(QStringLiteral(":/qss/AppWhite"));
    if (style.open(QIODevice::ReadOnly)) {
        const QByteArray sheet = style.readAll();
        const int nul = sheet.indexOf('\0');
        app.setStyleSheet(QString::fromUtf8(nul < 0 ? sheet : sheet.left(nul)));
    }

    auto window = std::make_unique<MainWindow>();
    window->show();
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
