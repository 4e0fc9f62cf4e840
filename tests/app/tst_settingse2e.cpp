// The settings page, the fault box and the factory reset end to end against
// the simulated unit, and the reads that follow a login on the wire.

#include "app/faultreport.h"
#include "app/qlogin.h"
#include "devices/qdevicelist.h"
#include "pages/devicestatus.h"
#include "pages/funcwidget.h"
#include "pages/operatorprompt.h"
#include "pages/qoverview.h"
#include "protocol/commands.h"
#include "protocol/transport.h"
#include "settings/settings.h"
#include "sim/channelblock.h"
#include "tests/support/apprig.h"
#include "tests/support/loopbackpeer.h"
#include "tests/support/pagetest.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

namespace {

using F = DeviceStatus::Field;

class AnswerOk final : public OperatorPrompt
{
public:
    AnswerOk() { install(this); }
    ~AnswerOk() override { install(nullptr); }
    int ask(QWidget *, QMessageBox::Icon, const QString &, const QString &, const QStringList &,
            int) override
    {
        return 0;
    }
};

settings *settingsPage(MainWindow &w)
{
    return qobject_cast<settings *>(w.funcWidget()->page(FuncWidget::Settings));
}

// Selects unit 0, waits for the login and shows the settings page.
settings *openSettings(AppRig &rig)
{
    MainWindow &w = *rig.window;
    w.show();
    if (!QTest::qWaitFor([&] { return w.deviceList()->count() > 0; }, 5000))
        return nullptr;
    w.devChanged(rig.rowOf(0));
    if (!QTest::qWaitFor([] { return isLoggedIn(); }, 5000))
        return nullptr;
    w.funcWidget()->setCurrentPage(FuncWidget::Settings);
    return settingsPage(w);
}

bool overviewShows(QOverView *overview, const QString &text)
{
    for (const QLabel *l : overview->findChildren<QLabel *>())
        if (l->text() == text)
            return true;
    return false;
}

} // namespace

class TestSettingsEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void showsTheUnit()
    {
        AppRig rig(1);
        rig.sim(0).setVoltages({{12.04f, -12.0f, 5.0f, -5.0f, 3.3f, 2.5f, 0.0f}});
        settings *page = openSettings(rig);
        QVERIFY(page);
        QTRY_COMPARE(page->valueLabel(F::ModelName)->text(), QStringLiteral("DAP-1616"));
        // Serial number and versions come with the overview's status poll.
        QTRY_COMPARE(page->valueLabel(F::SerialNumber)->text(), QStringLiteral("SIM0000000001"));
        QTRY_COMPARE(page->valueLabel(F::ArmVersion)->text(), QStringLiteral("V2.9.4"));
        QCOMPARE(page->valueLabel(F::CodeId)->text(), QStringLiteral("1"));
        QCOMPARE(page->valueLabel(F::DeviceId)->text(), QStringLiteral("7001"));
        QCOMPARE(page->valueLabel(F::BootCount)->text(), QStringLiteral("42"));
        QCOMPARE(page->ipEdit()->text(), QStringLiteral("127.0.0.2"));
        QCOMPARE(page->rs232Box()->currentText(), QStringLiteral("115200"));
        const QString year = QString::number(QDate::currentDate().year());
        QVERIFY2(page->clockLabel()->text().startsWith(year),
                 qPrintable(page->clockLabel()->text()));
        QCOMPARE(page->voltageLabel(0)->text(), QStringLiteral("12.0V"));
        QCOMPARE(page->voltageLabel(6)->text(), QStringLiteral("None"));
        rig.sim(0).setReportsVoltages(false);
        QTRY_COMPARE(page->voltageLabel(3)->text(), QStringLiteral("Null"));
    }

    void locationReachesUnitOverviewAndList()
    {
        AppRig rig(1);
        settings *page = openSettings(rig);
        QVERIFY(page);
        QTRY_COMPARE(page->locationEdit()->text(), QStringLiteral("Rack 1"));
        typeText(page->locationEdit(), QStringLiteral("Stage left"));
        QVERIFY(overviewShows(rig.window->overview(), QStringLiteral("Stage left")));
        QTRY_COMPARE(rig.sim(0).model().system().location, QStringLiteral("Stage left"));
        // The next announcement carries it to the device table.
        QTRY_COMPARE(rig.window->deviceTable()->record(rig.rowOf(0))->location,
                     QStringLiteral("Stage left"));
    }

    void followsTheUnitToItsNewAddress()
    {
        AppRig rig(1);
        settings *page = openSettings(rig);
        QVERIFY(page);
        QTRY_COMPARE(page->ipEdit()->text(), QStringLiteral("127.0.0.2"));
        typeText(page->ipEdit(), QStringLiteral("127.0.0.5"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.sim(0).address(), QHostAddress(QStringLiteral("127.0.0.5")),
                                  3000);
        QTRY_VERIFY_WITH_TIMEOUT(isLoggedIn() && currentSocket() &&
                                     currentSocket()->peerAddress() ==
                                         QHostAddress(QStringLiteral("127.0.0.5")),
                                 10000);
        QTRY_COMPARE(page->ipEdit()->text(), QStringLiteral("127.0.0.5"));
    }

    void faultRaisesTheBox()
    {
        AppRig rig(1);
        QVERIFY(openSettings(rig));
        QMessageBox *box = rig.window->faultReport()->box();
        QTest::qWait(300); // a poll without a fault
        QVERIFY(!box->isVisible());
        rig.sim(0).setFaultByte(0x04);
        // The status poll runs every 200 ms.
        QTRY_VERIFY_WITH_TIMEOUT(box->isVisible(), 1000);
        QVERIFY(box->text().contains(QLatin1String("Flash")));
        QCOMPARE(settingsPage(*rig.window)->faultLabel(2)->text(), QStringLiteral("error"));
        rig.sim(0).setFaultByte(0);
        QTRY_VERIFY_WITH_TIMEOUT(!box->isVisible(), 1000);
    }

    void factoryResetRestoresAndReconnects()
    {
        AppRig rig(1, QStringLiteral("1234"));
        MainWindow &w = *rig.window;
        w.show();
        QTRY_COMPARE(w.deviceList()->count(), 1);
        SimUnit &sim = rig.sim(0);
        sim.model().system().location = QStringLiteral("Booth");
        ChannelBlock *inputs = sim.model().block(Proto::Module::InputLevel);
        inputs->set<float>(Proto::InLevelCmd::Gain, 0, 6.0f);
        w.devChanged(rig.rowOf(0));
        QTRY_VERIFY(w.loginDialog()->isVisible());
        w.loginDialog()->passwordEdit()->setText(QStringLiteral("1234"));
        w.loginDialog()->accept();
        QTRY_VERIFY(isLoggedIn());

        QAction *reset = nullptr;
        for (QAction *a : w.menuBar()->actions())
            if (a->text() == QLatin1String("Reset"))
                reset = a;
        QVERIFY(reset && reset->isEnabled());
        QSignalSpy restarted(&sim, &SimUnit::restarted);
        AnswerOk ok;
        reset->trigger();
        QVERIFY(restarted.wait(2000));
        QCOMPARE(sim.model().system().location, QStringLiteral("Rack 1"));
        QCOMPARE(inputs->get<float>(Proto::InLevelCmd::Gain, 0), 0.0f);
        QCOMPARE(sim.model().system().bootCount, 43u);
        // The unit restarted without its password: the program is back in by itself.
        QTRY_VERIFY_WITH_TIMEOUT(isLoggedIn() && sim.hasLoggedInSession(), 10000);
        QVERIFY(!w.loginDialog()->isVisible());
        QTRY_COMPARE(settingsPage(w)->locationEdit()->text(), QStringLiteral("Rack 1"));
    }

    void readsRightAfterLogin()
    {
        ScratchDir dir;
        MainWindow w(DiscoveryScope::loopback(freeUdpPort(), freeUdpPort(), 1), nullptr);
        LoopbackPeer peer;
        QVERIFY(peer.isReady());
        w.tcpDataProc(Proto::makeFrame(1, 2, 1, 1, 0x80, QByteArray(1, 1)));
        QVERIFY(isLoggedIn());
        QVERIFY(peer.waitForFrames(18));
        const QVector<Proto::Frame> &frames = peer.frames();
        int at = 0;
        while (at < frames.size() && !(frames[at].op == 2 && frames[at].module == 2 &&
                                       frames[at].cmd == 1 && frames[at].flag == 0))
            ++at;
        const QVector<std::array<int, 3>> expected{{2, 2, 1},  {2, 2, 13}, {2, 2, 5},  {2, 2, 6},
                                                   {2, 2, 7},  {2, 2, 8},  {2, 2, 9},  {2, 2, 12},
                                                   {2, 2, 20}, {2, 2, 17}, {2, 2, 18}, {2, 2, 23},
                                                   {2, 4, 1},  {3, 7, 6},  {3, 11, 7}};
        QVERIFY(peer.waitForFrames(at + expected.size()));
        for (int i = 0; i < expected.size(); ++i) {
            const Proto::Frame &f = frames[at + i];
            QCOMPARE((std::array<int, 3>{f.op, f.module, f.cmd}), expected[i]);
            QCOMPARE(int(f.flag), 0);
            QCOMPARE(int(f.length), 0);
        }
        setLoggedIn(false);
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestSettingsEndToEnd)
#include "tst_settingse2e.moc"
