#include "app/startup.h"

#include "app/appconfig.h"
#include "app/mainwindow.h"
#include "protocol/startuptrace.h"

#include <QApplication>
#include <QFile>
#include <QPalette>

void preparePlatform()
{
    // The scaling attribute only takes effect before the application exists.
    QCoreApplication::setAttribute(AppConfig::readHighDpiSetting() ? Qt::AA_EnableHighDpiScaling
                                                                   : Qt::AA_DisableHighDpiScaling);
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
}

void prepareApplication(QApplication &app)
{
    MainWindow::initResources();
    // The text colour of every widget: in the palette rather than as a style
    // sheet rule for QWidget, which the style sheet would apply to each of the
    // program's thousands of widgets one by one.
    QPalette palette = app.palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::All, role, QColor(0x1f, 0x29, 0x33));
    app.setPalette(palette);
    QFile style(QStringLiteral(":/qss/AppWhite"));
    if (style.open(QIODevice::ReadOnly)) {
        const QByteArray sheet = style.readAll();
        const int nul = sheet.indexOf('\0');
        app.setStyleSheet(QString::fromUtf8(nul < 0 ? sheet : sheet.left(nul)));
    }
    StartupTrace::mark("style sheet");
}
