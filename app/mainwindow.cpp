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

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

Q_LOGGING_CATEGORY(lcApp, "dap.app")

// The style sheet and logo live in a static library; make sure they are registered.
static void initAppResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

constexpr quint8 LoginModule = Proto::SysModule::Login;
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
    userSettings().setValue(QStringLiteral("WindowGeometry"), saveGeometry());
    ::setCurrentSocket(nullptr);
    setLoggedIn(false);
}

void MainWindow::build(const DiscoveryScope &scope)
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);

    auto *left = new QWidget(central);
    left->setObjectName(QStringLiteral("leftWidget"));
    left->setAttribute(Qt::WA_StyledBackground);
    left->setFixedWidth(144);
    auto *logo = new QFrame(left);
    logo->setObjectName(QStringLiteral("logoFrame"));
    auto *logoImage = new QLabel(logo);
    // Drawn straight from the SVG: going through QIcon would load the icon
    // engine plugins and the desktop's icon theme for this one picture.
    logoImage->setPixmap(
        svgPixmap(QStringLiteral(":/image/logo"), QSize(34, 34), logoImage->devicePixelRatioF()));
    auto *logoText = new QLabel(QStringLiteral("<b>DAP</b> Control"), logo);
    logoText->setStyleSheet(QStringLiteral("font-size: 13px; color: #1b3f69;"));
    auto *logoRow = new QHBoxLayout(logo);
    logoRow->setContentsMargins(10, 8, 8, 8);
    logoRow->addWidget(logoImage);
    logoRow->addWidget(logoText, 1);

    m_deviceTable = new QDeviceTable(scope, this);
    m_deviceList = new QDeviceList(left);
    m_deviceTable->attachList(m_deviceList);
    StartupTrace::mark("device table");
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(0);
    leftLayout->addWidget(logo);
    leftLayout->addWidget(m_deviceList, 1);

    auto *scroll = new QScrollArea(central);
    scroll->setObjectName(QStringLiteral("rightScrollArea"));
    // No stop of its own in the focus chain: Tab goes through the pages, and
    // the area scrolls to the focused control.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *right = new QWidget;
    right->setObjectName(QStringLiteral("rightWidget"));
    // In place before anything is built in it: moving a built tree makes Qt
    // resolve the style of every widget in it again.
    scroll->setWidget(right);
    m_overview = new QOverView(right);
    StartupTrace::mark("overview");
    m_func = new FuncWidget(right, m_startComplete ? FuncWidget::PageBuild::All
                                                   : FuncWidget::PageBuild::ShownFirst);
    m_overview->setUnitState(m_func->unitState());
    StartupTrace::mark("page container");
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    rightLayout->addWidget(m_overview);
    rightLayout->addWidget(m_func, 1);

    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(left);
    layout->addWidget(scroll, 1);

    m_loginSession = new LoginSession(this);
    connect(m_loginSession, &LoginSession::loggedIn, this, &MainWindow::loggedIn);
    connect(m_loginSession, &LoginSession::passwordRequired, this,
            [this] { loginDialog()->ask(); });

    // Receive path: login answers here, everything else through the container.
    m_router.setRoute(Proto::OpSystem, LoginModule,
                      [this](const Proto::Frame &f) { m_loginSession->handleAnswer(f); });
    m_func->installRoutes(m_router);

    // Firmware upgrades and preset transfers share the one progress dialog.
    m_progress = new TransferProgressDialog(this);
    m_firmware = new FirmwareUpgrade(m_progress->guard(), this);
    for (quint8 module : {Proto::FirmwareModule::Arm, Proto::FirmwareModule::Dsp})
        m_router.setRoute(Proto::OpFirmware, module, [this](const Proto::Frame &f) {
            m_firmware->acknowledge(f.module, f.cmd, f.flag, f.length, f.payload);
        });
    connect(m_firmware, &FirmwareUpgrade::failed, this, [this](const QString &text) {
        OperatorPrompt::current().inform(this, QMessageBox::Critical, tr("error"), text);
    });

    connect(m_deviceTable, &QDeviceTable::sig_tcpData, this, &MainWindow::tcpDataProc);
    connect(m_deviceTable, &QDeviceTable::sig_socketStateChanged, this,
            &MainWindow::socketStateChanged);
    connect(m_deviceTable, &QDeviceTable::sig_currentSocketChanged, this,
            &MainWindow::setCurrentSocket);
    connect(m_deviceTable, &QDeviceTable::sig_devChanged, this, &MainWindow::devChanged);
    connect(m_deviceList, &QDeviceList::sig_devChanged, this, &MainWindow::devChanged);
    connect(m_deviceTable, &QDeviceTable::sig_netState, this, [this](uint row, bool online) {
        if (online)
            reselectRemembered(int(row));
    });

    connect(m_func, &FuncWidget::inlevelMeterChanged, m_overview, &QOverView::setInMeter);
    connect(m_func, &FuncWidget::inPreLevelMeterChanged, m_overview, &QOverView::setInPreMeter);
    connect(m_func, &FuncWidget::outlevelMeterChanged, m_overview, &QOverView::setOutMeter);
    connect(m_func, &FuncWidget::outPreLevelMeterChanged, m_overview, &QOverView::setOutPreMeter);
    connect(m_func, &FuncWidget::sig_allMute, m_overview, &QOverView::setAllMute);
    connect(m_func, &FuncWidget::sig_armVer, m_overview, &QOverView::setARMVer);
    connect(m_func, &FuncWidget::sig_dspVer, m_overview, &QOverView::setDSPVer);
    connect(m_func, &FuncWidget::sig_location, m_overview, &QOverView::setLocation);
    connect(m_func, &FuncWidget::sig_description, m_overview, &QOverView::setDescription);
    connect(m_func, &FuncWidget::sig_dspUsage, m_overview, &QOverView::setDspUsage);
    connect(m_func, &FuncWidget::sig_sn, m_overview, &QOverView::setSN);

    m_faultReport = new FaultReport([this] { return m_func->faultByte(); }, this);
    connect(m_func, &FuncWidget::sig_fault, m_faultReport, &FaultReport::setFault);
}

// The pages of the libraries above the container: presets and settings.
void MainWindow::buildLibraryPages()
{
    m_func->setPage(FuncWidget::Preset, new QPreset(m_progress->guard(), m_func->pageParent()),
                    QPreset::Module);
    settings::install(m_func);
    StartupTrace::mark("preset and settings pages");
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

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    buildFileAndEditMenus();
    m_updateMenu = bar->addMenu(QString());
    m_armAction = m_updateMenu->addAction(QString());
    m_dspAction = m_updateMenu->addAction(QString());
    connect(m_armAction, &QAction::triggered, this, &MainWindow::mcuUpdateClicked);
    connect(m_dspAction, &QAction::triggered, this, &MainWindow::dspUpdateClicked);

    m_languageMenu = bar->addMenu(QString());
    for (int i = 0; i < AppConfig::MaxLanguages; ++i) {
        QAction *a = m_languageMenu->addAction(QString());
        a->setObjectName(QStringLiteral("language%1").arg(i + 1));
        a->setCheckable(true);
        a->setVisible(i < m_config.languageCount());
        connect(a, &QAction::triggered, this, &MainWindow::languageActionClicked);
        m_languageActions.append(a);
    }

    m_passwordAction = bar->addAction(QString());
    connect(m_passwordAction, &QAction::triggered, this, &MainWindow::pwdModTriggered);
    m_resetAction = bar->addAction(QString());
    connect(m_resetAction, &QAction::triggered, this, &MainWindow::resetClicked);
    m_deviceListAction = bar->addAction(QString());
    connect(m_deviceListAction, &QAction::triggered, this, &MainWindow::devTableClicked);
    m_cmdToolAction = bar->addAction(QString());
    connect(m_cmdToolAction, &QAction::triggered, this, &MainWindow::cmdToolClicked);

    m_dpiMenu = bar->addMenu(QString());
    m_dpiOn = m_dpiMenu->addAction(QString());
    m_dpiOn->setObjectName(QStringLiteral("1"));
    m_dpiOff = m_dpiMenu->addAction(QString());
    m_dpiOff->setObjectName(QStringLiteral("0"));
    for (QAction *a : {m_dpiOn, m_dpiOff}) {
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, &MainWindow::highDpiScalingTriggered);
    }
    m_dpiOn->setChecked(m_config.highDpi());
    m_dpiOff->setChecked(!m_config.highDpi());

    m_toolsMenu = bar->addMenu(QString());
    m_traceAction = m_toolsMenu->addAction(QString());
    m_traceAction->setObjectName(QStringLiteral("protocolTrace"));
    connect(m_traceAction, &QAction::triggered, this, &MainWindow::traceClicked);
}

void MainWindow::retranslate()
{
    m_updateMenu->setTitle(tr("Update"));
    m_armAction->setText(tr("Update ARM Firmware"));
    m_dspAction->setText(tr("Update DSP Firmware"));
    m_languageMenu->setTitle(tr("Language"));
    static const char *const names[] = {QT_TR_NOOP("Language1"), QT_TR_NOOP("Language2"),
                                        QT_TR_NOOP("Language3"), QT_TR_NOOP("Language4"),
                                        QT_TR_NOOP("Language5")};
    for (int i = 0; i < m_languageActions.size(); ++i)
        m_languageActions[i]->setText(tr(names[i]));
    m_passwordAction->setText(tr("Password Set"));
    m_resetAction->setText(tr("Reset"));
    m_deviceListAction->setText(tr("Device List"));
    m_cmdToolAction->setText(tr("Command Tool"));
    m_dpiMenu->setTitle(tr("High DPI Scaling"));
    m_dpiOn->setText(tr("Enabled"));
    m_dpiOff->setText(tr("Disabled"));
    m_toolsMenu->setTitle(tr("Tools"));
    m_traceAction->setText(tr("Protocol Trace"));
    m_files->retranslate();
    m_edit->retranslate();
    showTitle();
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
    if (FactoryReset::confirmAndSend(this))
        m_func->unitState()->announceReplaced(tr("The unit was reset to its factory settings"));
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

void MainWindow::showLinkState()
{
    QTcpSocket *socket = currentSocket();
    m_overview->setLinkState(socket ? socket->state() : QAbstractSocket::UnconnectedState);
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
