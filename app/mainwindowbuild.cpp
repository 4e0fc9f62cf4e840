// The main window's widgets and menus.

#include "app/mainwindow.h"

#include "app/configurationactions.h"
#include "app/editactions.h"
#include "app/faultreport.h"
#include "app/firmwareupgrade.h"
#include "devices/loginsession.h"
#include "devices/qdevicelist.h"
#include "devices/qdevicetable.h"
#include "pages/funcwidget.h"
#include "pages/operatorprompt.h"
#include "pages/qoverview.h"
#include "pages/transferprogressdialog.h"
#include "presets/qpreset.h"
#include "protocol/commands.h"
#include "protocol/startuptrace.h"
#include "settings/settings.h"
#include "widgets/appfont.h"
#include "widgets/settingsstore.h"
#include "widgets/widgetresources.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QSplitter>
#include <QTcpSocket>
#include <QVBoxLayout>

namespace {
constexpr quint8 LoginModule = Proto::SysModule::Login;
// The device list's width: what the list has always had, up to a width that
// shows the longest model and location names.
constexpr int DeviceListMinWidth = 144;
constexpr int DeviceListMaxWidth = 360;
} // namespace

void MainWindow::build(const DiscoveryScope &scope)
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);

    // The device list and the pages side by side; the operator can widen the
    // list to read long names and locations, and the width is kept.
    m_sides = new QSplitter(Qt::Horizontal, central);
    m_sides->setObjectName(QStringLiteral("mainSplitter"));
    m_sides->setChildrenCollapsible(false);
    m_sides->setHandleWidth(4);
    auto *left = new QWidget(m_sides);
    left->setObjectName(QStringLiteral("leftWidget"));
    left->setAttribute(Qt::WA_StyledBackground);
    left->setMinimumWidth(DeviceListMinWidth);
    left->setMaximumWidth(DeviceListMaxWidth);
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

    auto *scroll = new QScrollArea(m_sides);
    scroll->setObjectName(QStringLiteral("rightScrollArea"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes from the device list straight to the controls; the area
    // scrolls to the control that takes the focus.
    scroll->setFocusPolicy(Qt::NoFocus);
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
    // A few pixels between the pages' frames and the window's right and
    // bottom edges (the list's splitter handle is the gap on the left).
    rightLayout->setContentsMargins(0, 0, 3, 2);
    rightLayout->setSpacing(0);
    rightLayout->addWidget(m_overview);
    rightLayout->addWidget(m_func, 1);

    m_sides->addWidget(left);
    m_sides->addWidget(scroll);
    m_sides->setStretchFactor(0, 0);
    m_sides->setStretchFactor(1, 1);
    const int listWidth = userSettings().value(QStringLiteral("DeviceListWidth")).toInt();
    m_sides->setSizes({qBound(DeviceListMinWidth, listWidth > 0 ? listWidth : DeviceListMinWidth,
                              DeviceListMaxWidth),
                       1024});
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_sides);

    m_loginSession = new LoginSession(this);
    connect(m_loginSession, &LoginSession::loggedIn, this, &MainWindow::loggedIn);
    connect(m_loginSession, &LoginSession::passwordRequired, this, [this](bool afterWrongPassword) {
        loginDialog()->ask(currentUnit(), afterWrongPassword);
    });

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
