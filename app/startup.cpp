#include "app/startup.h"

#include "app/mainwindow.h"
#include "protocol/localtext.h"
#include "protocol/startuptrace.h"

#include <QApplication>
#include <QFile>

void prepareApplication(QApplication &app)
{
    LocalText::installCodec();
    MainWindow::initResources();
    QFile style(QStringLiteral(":/qss/AppWhite"));
    if (style.open(QIODevice::ReadOnly)) {
        const QByteArray sheet = style.readAll();
        const int nul = sheet.indexOf('\0');
        app.setStyleSheet(QString::fromUtf8(nul < 0 ? sheet : sheet.left(nul)));
    }
    StartupTrace::mark("style sheet");
}
