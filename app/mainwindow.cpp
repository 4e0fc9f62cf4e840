#include "app/mainwindow.h"

#include "app/configurationactions.h"
#include "app/editactions.h"
#include "app/factoryreset.h"
#include "app/faultreport.h"
#include "app/firmwareupgrade.h"
#include "app/qlogin.h"
#include "app/qpswmoddialog.h"
#include "cmdtool/commandtoolwidget.h"
#include "cmdtool/tracewindow.h"
#include "devices/discoveryscope.h"
#include "devices/loginsession.h"
#include "devices/qdevicelist.h"
#include "devices/qdevicetable.h"
#include "model/edithistory.h"
#include "model/unitstate.h"
#include "pages/devicestatus.h"
#include "pages/funcwidget.h"
#include "pages/operatorprompt.h"
#include "pages/qoverview.h"
#include "pages/transferprogressdialog.h"
#include "presets/qpreset.h"
#include "protocol/commands.h"
#include "protocol/frametrace.h"
#include "protocol/startuptrace.h"
#include "protocol/transport.h"
#include "settings/settings.h"
#include "widgets/appfont.h"
#include "widgets/settingsstore.h"
#include "widgets/widgetresources.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QIcon>
#include <QLoggingCategory>
#include <QSettings>
#include <QSplitter>
#include <QTcpSocket>
#include <QTimer>
#include <QWindow>

Q_LOGGING_CATEGORY(lcApp, "dap.app")

// The style sheet and logo live in a static library; make sure they are registered.
static void initAppResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

constexpr quint8 SettingsModule = Proto::SysModule::Settings;
constexpr quint8 PasswordCmd = Proto::SettingsCmd::Password;
// VisibleFirst completes its start after the first paint, or after this
// long should the window not be painted at all.
constexpr int CompleteStartAfterMs = 2000;

} // namespace

void MainWindow::initResources()
{
    initAppResources();
}

MainWindow::MainWindow(QWidget *parent) : MainWindow(DiscoveryScope(), parent) {}

MainWindow::MainWindow(const DiscoveryScope &scope, QWidget *parent, Start start)
    : QMainWindow(parent), m_splitter([this](const Proto::Frame &f) {
          FrameTrace::received(f);
          m_router.dispatch(f);
      }),
      m_startComplete(start == Start::Complete)
{
    initResources();
    setWindowIcon(QIcon(QStringLiteral("image/app.ico")));
    m_config.loadLanguageList();
    m_config.loadConfig();
    m_config.setHighDpi(AppConfig::readHighDpiSetting());
    // The language and its font before any widget is built: every widget is
    // made with its texts and font once. Installing a translator posts a
    // language change to the windows there are (this one), which would only
    // translate the whole window a second time.
    setWindowTitle(m_config.applyLanguage(m_config.languageIndex(), m_translator));
    QCoreApplication::removePostedEvents(this, QEvent::LanguageChange);
    applyFont();
    StartupTrace::mark("configuration read");
    build(scope);
    // Nothing is editable until a unit has taken the login.
    m_func->setPagesEnabled(isLoggedIn());
    buildMenus();
    checkLanguageAction();
    retranslate();
    StartupTrace::mark("menus and language");
    if (m_startComplete)
        buildLibraryPages();
    else // should the window never be painted
        QTimer::singleShot(CompleteStartAfterMs, this, &MainWindow::completeStart);

    resize(1024, 600);
    QSettings settings = userSettings();
    restoreGeometry(settings.value(QStringLiteral("WindowGeometry")).toByteArray());
    m_rememberedUnit = settings.value(QStringLiteral("LastDevice")).toUInt();
    for (int row = 0; row < m_deviceTable->count(); ++row)
        reselectRemembered(row);
}

MainWindow::~MainWindow()
{
    QSettings settings = userSettings();
    settings.setValue(QStringLiteral("WindowGeometry"), saveGeometry());
    settings.setValue(QStringLiteral("DeviceListWidth"), m_sides->sizes().value(0));
    ::setCurrentSocket(nullptr);
    setLoggedIn(false);
}

void MainWindow::completeStart()
{
    if (m_startComplete)
        return;
    m_startComplete = true;
    m_func->buildPages();
    buildLibraryPages();
    // Every new widget asks to be polished in the next turn of the event loop;
    // a widget is polished anyway before it is first shown or measured. The
    // pages built here are hidden, so they are polished (their style sheet
    // rules looked up and kept) when the operator first opens them rather
    // than all 3500 widgets now.
    QCoreApplication::removePostedEvents(nullptr, QEvent::PolishRequest);
    emit startCompleted();
}

void MainWindow::continueStart()
{
    if (m_startComplete)
        return;
    // One page per turn of the event loop: the window answers clicks,
    // announcements and the unit while the rest is built, rather than being
    // blocked for the tenth of a second that building everything takes.
    if (m_func->buildNextPage()) {
        QCoreApplication::removePostedEvents(nullptr, QEvent::PolishRequest);
        QMetaObject::invokeMethod(this, &MainWindow::continueStart, Qt::QueuedConnection);
        return;
    }
    completeStart();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_startComplete && !m_watchingExpose && windowHandle()) {
        m_watchingExpose = true;
        windowHandle()->installEventFilter(this);
    }
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle() && !m_startComplete &&
        windowHandle()->isExposed()) {
        // Queued, so that this expose paints the window first.
        QMetaObject::invokeMethod(this, &MainWindow::continueStart, Qt::QueuedConnection);
        windowHandle()->removeEventFilter(this);
    }
    return QMainWindow::eventFilter(watched, event);
}

// The login and password dialogs are made when first needed: their button
// boxes load the standard icons from the desktop's icon theme, which costs
// more than the rest of the window's dialogs at start.
QLogin *MainWindow::loginDialog()
{
    if (!m_login) {
        m_login = new QLogin(this);
        connect(m_login, &QLogin::EnterPassword, this, &MainWindow::sendPassword);
    }
    return m_login;
}

QPSWModDialog *MainWindow::passwordDialog()
{
    if (!m_pswDialog) {
        m_pswDialog = new QPSWModDialog(this);
        connect(m_pswDialog, &QDialog::accepted, this, [this] {
            const QString password = m_pswDialog->newPassword();
            sendPacket(Proto::OpSystem, SettingsModule, PasswordCmd, Proto::FlagWrite,
                       password.toLatin1());
            // Reconnections log in with the new password without asking.
            m_loginSession->storePassword(m_currentUnit, password);
        });
    }
    return m_pswDialog;
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && m_updateMenu)
        retranslate();
    QMainWindow::changeEvent(event);
}

QAction *MainWindow::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

void MainWindow::devTableClicked()
{
    m_deviceTable->open();
}

void MainWindow::cmdToolClicked()
{
    if (!m_cmdTool)
        m_cmdTool = new CommandToolWidget(this);
    m_cmdTool->show();
    m_cmdTool->raise();
    m_cmdTool->activateWindow();
}

void MainWindow::traceClicked()
{
    if (!m_trace)
        m_trace = new TraceWindow(this);
    m_trace->show();
    m_trace->raise();
    m_trace->activateWindow();
}

void MainWindow::pwdModTriggered()
{
    if (isLoggedIn())
        passwordDialog()->open();
}

void MainWindow::resetClicked()
{
    const QLogin::Unit unit = currentUnit();
    QStringList parts{unit.model, unit.address, unit.location};
    parts.removeAll(QString());
    if (FactoryReset::confirmAndSend(this, parts.join(QStringLiteral(", "))))
        m_func->unitState()->announceReplaced(tr("The unit was reset to its factory settings"));
}

QLogin::Unit MainWindow::currentUnit() const
{
    QLogin::Unit unit;
    const int row = m_deviceTable->selectedRow();
    if (const broadcastMsg *record = row >= 0 ? m_deviceTable->record(row) : nullptr) {
        unit.model = record->model;
        unit.address = dottedAddress(record->ipaddress);
        unit.location = record->location;
    }
    return unit;
}

void MainWindow::mcuUpdateClicked()
{
    startFirmwareUpgrade(Proto::FirmwareModule::Arm);
}

void MainWindow::dspUpdateClicked()
{
    startFirmwareUpgrade(Proto::FirmwareModule::Dsp);
}

void MainWindow::startFirmwareUpgrade(quint8 module)
{
    if (!isLoggedIn())
        return;
    OperatorPrompt &prompt = OperatorPrompt::current();
    const QString path = prompt.openFileName(
        this, tr("Find Files"), QDir::currentPath(),
        module == Proto::FirmwareModule::Arm ? tr("sbin Files (*.sbin)") : tr("ldr Files (*.ldr)"));
    if (path.isEmpty())
        return;
    const FirmwareUpgrade::Result result = m_firmware->start(module, path);
    const QString text = FirmwareUpgrade::errorText(result);
    if (result == FirmwareUpgrade::Result::BadFormat)
        prompt.ask(this, QMessageBox::Critical, tr("error"), text, {tr("Yes"), tr("No")});
    else if (result != FirmwareUpgrade::Result::Started)
        prompt.inform(this, QMessageBox::Critical, tr("error"), text);
}

void MainWindow::devChanged(int index)
{
    completeStart();
    if (isLoggedIn()) {
        // Nothing shown of the previous unit may stay on screen.
        m_overview->clear();
        m_func->clearSettings();
    }
    setLoggedIn(false);
    if (m_login)
        m_login->hide(); // a question about the previous connection
    QTcpSocket *before = currentSocket();
    const broadcastMsg *chosen = index >= 0 ? m_deviceTable->record(index) : nullptr;
    if (!chosen || chosen->machineid != m_currentUnit) {
        // The steps belong to the unit they were made on, and so does the file.
        m_func->history()->clear();
        m_files->unitChanged();
    }
    m_deviceTable->devChanged(index);
    QTcpSocket *socket = index >= 0 ? m_deviceTable->socket(index) : nullptr;
    if (!socket) {
        m_loginSession->setUnit(0);
        m_currentUnit = 0;
        m_func->deviceStatus()->setDeviceId(0);
        ::setCurrentSocket(nullptr);
        m_deviceList->setCurrentRow(-1);
        showLinkState();
        return;
    }
    ::setCurrentSocket(socket);
    m_currentUnit = m_deviceTable->record(index)->machineid;
    if (socket != before)
        m_loginSession->setUnit(0); // the password sent belongs to the previous connection
    m_loginSession->setUnit(m_currentUnit);
    m_func->deviceStatus()->setDeviceId(m_currentUnit);
    m_rememberedUnit = 0;
    userSettings().setValue(QStringLiteral("LastDevice"), m_currentUnit);
    m_deviceList->setCurrentRow(index);
    if (m_connectedWatch != socket) {
        if (m_connectedWatch)
            disconnect(m_connectedWatch, &QTcpSocket::connected, this, &MainWindow::tcpConnected);
        m_connectedWatch = socket;
        connect(socket, &QTcpSocket::connected, this, &MainWindow::tcpConnected);
    }
    if (socket->state() != QAbstractSocket::ConnectedState)
        m_deviceTable->connectDevice(index, m_config.connectAddress());
    showLinkState();
}

void MainWindow::reselectRemembered(int row)
{
    const broadcastMsg *record = m_deviceTable->record(row);
    if (m_rememberedUnit != 0 && record && record->machineid == m_rememberedUnit &&
        m_deviceTable->isOnline(row) && m_deviceTable->selectedRow() < 0)
        devChanged(row);
}

void MainWindow::setCurrentSocket(QTcpSocket *tcpSocket)
{
    ::setCurrentSocket(tcpSocket);
}

void MainWindow::tcpConnected()
{
    // Bytes of an earlier connection must not mix with the new one.
    m_splitter.clear();
    m_loginSession->connectionStarted();
    qCInfo(lcApp, "connected to unit %u", m_currentUnit);
}

void MainWindow::socketStateChanged(QAbstractSocket::SocketState)
{
    if (isLoggedIn()) {
        m_overview->clear();
        m_func->clearSettings();
    }
    setLoggedIn(false);
    showLinkState();
}

// The overview, the device list and the pages say the same: "Connected" and
// editable pages only once the unit has taken the login.
void MainWindow::showLinkState()
{
    QTcpSocket *socket = currentSocket();
    m_overview->setLinkState(socket ? socket->state() : QAbstractSocket::UnconnectedState);
    m_deviceTable->setLoginPending(!isLoggedIn());
    m_func->setPagesEnabled(isLoggedIn());
}

void MainWindow::tcpDataProc(QByteArray recvArray)
{
    completeStart();
    m_splitter.feed(recvArray);
    m_overview->showPending();
}

void MainWindow::sendPassword()
{
    m_loginSession->sendPassword(m_login->password());
}

void MainWindow::loggedIn()
{
    setLoggedIn(true);
    showLinkState();
    if (m_login)
        m_login->hide();
    m_func->refreshLabelPage();
    m_func->refreshSettings();
    qCInfo(lcApp, "logged in to unit %u", m_currentUnit);
}
