#pragma once

#include "app/appconfig.h"
#include "app/qlogin.h"
#include "protocol/packetrouter.h"
#include "protocol/streamsplitter.h"

#include <QAbstractSocket>
#include <QMainWindow>
#include <QPointer>
#include <QTranslator>

class CommandToolWidget;
class ConfigurationActions;
class EditActions;
struct DiscoveryScope;
class FaultReport;
class FirmwareUpgrade;
class FuncWidget;
class LoginSession;
class QAction;
class QDeviceList;
class QDeviceTable;
class QMenu;
class QOverView;
class QPSWModDialog;
class QSplitter;
class QTcpSocket;
class TraceWindow;
class TransferProgressDialog;

// The one top-level window: device list, overview and pages, the menus, the
// unit selection and the login.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(MainWindow)

public:
    // What is built before the window is shown: everything, or what the
    // window shows at start, with the other pages built right after the
    // window has been painted for the first time.
    enum class Start
    {
        Complete,
        VisibleFirst
    };

    explicit MainWindow(QWidget *parent = nullptr);
    // Tests and the simulated set-up give the discovery scope (loopback).
    MainWindow(const DiscoveryScope &scope, QWidget *parent, Start start = Start::Complete);
    ~MainWindow() override;

    // Builds what VisibleFirst left for later (the pages not shown at start);
    // does nothing once it is built. After the first paint the pages are
    // built one per turn of the event loop (continueStart()); anything that
    // needs them (a selected unit, received bytes) builds the rest at once.
    void completeStart();
    bool isStartComplete() const { return m_startComplete; }

    // Registers the compiled-in style sheet and images (safe to call twice).
    static void initResources();

    AppConfig &config() { return m_config; }
    void applyLanguage(int index);
    // True when the operator chose to restart the program (high-DPI change).
    bool restartRequested() const { return m_restart; }

    QDeviceTable *deviceTable() const { return m_deviceTable; }
    QDeviceList *deviceList() const { return m_deviceList; }
    QOverView *overview() const { return m_overview; }
    FuncWidget *funcWidget() const { return m_func; }
    // Made when first asked for.
    QLogin *loginDialog();
    QPSWModDialog *passwordDialog();
    TransferProgressDialog *progress() const { return m_progress; }
    FirmwareUpgrade *firmware() const { return m_firmware; }
    QAction *action(const QString &objectName) const;
    // The selected unit as its announcement names it (empty when none).
    QLogin::Unit currentUnit() const;
    FaultReport *faultReport() const { return m_faultReport; }
    LoginSession *loginSession() const { return m_loginSession; }
    // The Edit menu (undo, redo) and the File menu (offline unit,
    // configuration files, send and compare).
    EditActions *editActions() const { return m_edit; }
    ConfigurationActions *configuration() const { return m_files; }

public slots:
    void devChanged(int index);
    void tcpDataProc(QByteArray recvArray);
    void tcpConnected();
    void sendPassword();
    void languageActionClicked();
    void pwdModTriggered();
    void resetClicked();
    void mcuUpdateClicked();
    void dspUpdateClicked();
    void devTableClicked();
    void cmdToolClicked();
    void traceClicked();
    void highDpiScalingTriggered(bool checked);
    void socketStateChanged(QAbstractSocket::SocketState state);
    void setCurrentSocket(QTcpSocket *tcpSocket);

signals:
    // completeStart() has built the rest (VisibleFirst only: Complete builds
    // everything in the constructor).
    void startCompleted();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build(const DiscoveryScope &scope);
    void buildLibraryPages();
    void continueStart();
    void buildMenus();
    void applyFont();
    void checkLanguageAction();
    void showTitle();
    void buildFileAndEditMenus();
    void retranslate();
    void loggedIn();
    void showLinkState();
    void rememberSelection(int row);
    void reselectRemembered(int row);
    void startFirmwareUpgrade(quint8 module);

    AppConfig m_config;
    QTranslator m_translator;
    StreamSplitter m_splitter;
    PacketRouter m_router;
    QSplitter *m_sides = nullptr; // device list | overview and pages
    QDeviceTable *m_deviceTable = nullptr;
    QDeviceList *m_deviceList = nullptr;
    QOverView *m_overview = nullptr;
    FuncWidget *m_func = nullptr;
    QLogin *m_login = nullptr;
    QPSWModDialog *m_pswDialog = nullptr;
    TransferProgressDialog *m_progress = nullptr;
    FirmwareUpgrade *m_firmware = nullptr;
    QPointer<CommandToolWidget> m_cmdTool;
    QPointer<TraceWindow> m_trace;
    FaultReport *m_faultReport = nullptr;
    QPointer<QTcpSocket> m_connectedWatch; // socket whose connected() is followed

    // The login, with the passwords that logged in kept per unit for the life
    // of the program.
    LoginSession *m_loginSession = nullptr;
    quint32 m_currentUnit = 0;
    quint32 m_rememberedUnit = 0; // selected at the last run, chosen again when seen
    bool m_restart = false;
    bool m_startComplete = false;
    bool m_watchingExpose = false;

    EditActions *m_edit = nullptr;
    ConfigurationActions *m_files = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_updateMenu = nullptr;
    QMenu *m_languageMenu = nullptr;
    QMenu *m_dpiMenu = nullptr;
    QMenu *m_toolsMenu = nullptr;
    QAction *m_traceAction = nullptr;
    QAction *m_armAction = nullptr;
    QAction *m_dspAction = nullptr;
    QAction *m_passwordAction = nullptr;
    QAction *m_resetAction = nullptr;
    QAction *m_deviceListAction = nullptr;
    QAction *m_cmdToolAction = nullptr;
    QAction *m_dpiOn = nullptr;
    QAction *m_dpiOff = nullptr;
    QList<QAction *> m_languageActions;
};
