#include "app/startup.h"

#include "app/appconfig.h"
#include "app/mainwindow.h"
#include "protocol/startuptrace.h"

#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QScreen>
#include <QStyle>
#include <QWidget>

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

QRect fittedGeometry(const QRect &geometry, const QMargins &frame, const QRect &available)
{
    if (available.isEmpty())
        return geometry;
    // The room for the window's contents once its frame is placed.
    const QRect room = available.marginsRemoved(frame);
    QRect fitted(geometry.topLeft(), geometry.size().boundedTo(room.size()));
    if (fitted.right() > room.right())
        fitted.moveRight(room.right());
    if (fitted.bottom() > room.bottom())
        fitted.moveBottom(room.bottom());
    if (fitted.left() < room.left())
        fitted.moveLeft(room.left());
    if (fitted.top() < room.top())
        fitted.moveTop(room.top());
    return fitted;
}

void fitToScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen || window.isMaximized() || window.isFullScreen())
        return;
    // Before the window is shown its frame is not known yet: allow for a
    // title bar and thin borders.
    QMargins frame(window.geometry().left() - window.frameGeometry().left(),
                   window.geometry().top() - window.frameGeometry().top(),
                   window.frameGeometry().right() - window.geometry().right(),
                   window.frameGeometry().bottom() - window.geometry().bottom());
    if (frame.isNull()) {
        const int border = 4;
        frame = QMargins(border, window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + border,
                         border, border);
    }
    const QRect fitted = fittedGeometry(window.geometry(), frame, screen->availableGeometry());
    if (fitted != window.geometry())
        window.setGeometry(fitted);
}
