// The gate, automixer and echo cancellation pages end to end against a
// simulated unit on loopback: lamps that follow the unit's input levels, the
// automixer's count, a threshold typed on the automixer reaching the unit's
// gate, and a unit without an echo canceller.

#include "app/mainwindow.h"
#include "devices/discoveryscope.h"
#include "devices/qdevicetable.h"
#include "pages/dynamics/gatelamp.h"
#include "pages/dynamics/qaec.h"
#include "pages/dynamics/qautomixer.h"
#include "pages/dynamics/qgate.h"
#include "pages/funcwidget.h"
#include "pages/knobfield.h"
#include "protocol/commands.h"
#include "protocol/transport.h"
#include "sim/automixerblock.h"
#include "sim/gateblock.h"
#include "sim/simunit.h"
#include "tests/support/testsupport.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QUdpSocket>

#include <memory>

namespace {

using namespace Proto;

quint16 freeUdpPort()
{
    QUdpSocket s;
    s.bind(QHostAddress::LocalHost, 0);
    return s.localPort();
}

// One simulated unit on 127.0.0.2 and a main window logged in to it.
struct Rig
{
    explicit Rig(bool aec = true)
    {
        QSettings(QStringLiteral("Tarnvale"), QStringLiteral("KR"))
            .remove(QStringLiteral("LastDevice"));
        SimUnitConfig c;
        c.bind = QHostAddress(QStringLiteral("127.0.0.2"));
        c.port = 0;
        c.announcePort = freeUdpPort();
        c.announceIntervalMs = 200;
        c.machineId = 7101;
        c.aec = aec;
        sim = std::make_unique<SimUnit>(c);
        if (!sim->start())
            qFatal("cannot start simulated unit: %s", qPrintable(sim->errorString()));
        window = std::make_unique<MainWindow>(
            DiscoveryScope::loopback(c.announcePort, freeUdpPort(), sim->serverPort()), nullptr);
        window->resize(1024, 600);
        window->show();
    }
    ~Rig()
    {
        window.reset();
        sim.reset();
    }
    bool logIn()
    {
        QDeviceTable *table = window->deviceTable();
        if (!QTest::qWaitFor([table] { return table->count() > 0; }, 5000))
            return false;
        window->devChanged(0);
        return QTest::qWaitFor([] { return isLoggedIn(); }, 5000);
    }
    FuncWidget &pages() { return *window->funcWidget(); }
    template <typename T> T *page(int index) { return qobject_cast<T *>(pages().page(index)); }
    GateBlock &gate() { return *sim->model().blockAs<GateBlock>(OpBlock, Module::Gate); }
    ChannelBlock &inputs() { return *sim->model().block(Module::InputLevel); }
    // Input 1 stays below a threshold of -5 dB; with 45 dB more it stays above.
    void quietInput1()
    {
        GateBlock::Record r;
        r.threshold = -5.0f;
        gate().setRecord(0, r);
    }
    void raiseInput1() { inputs().set<float>(InLevelCmd::Gain, 0, 45.0f); }

    ScratchDir dir;
    std::unique_ptr<SimUnit> sim;
    std::unique_ptr<MainWindow> window;
};

// Counts the unit's gate state reads and notes how many had arrived, and how
// long after start() it was, when channel 0's gate was seen open (the gate
// page's signal, which also lights the automixer's lamp).
struct LampWatch
{
    LampWatch(Rig &rig, QGate *gate)
    {
        QObject::connect(
            rig.sim.get(), &SimUnit::requestReceived, &context, [this](const Frame &f) {
                polls += f.module == Module::Gate && f.cmd == GateCmd::State && f.flag == FlagRead;
            });
        const auto opened = [this](uchar channel, bool open) {
            if (channel == 0 && open && openedAfterPolls < 0) {
                openedAfterPolls = polls - pollsAtStart;
                openedAfterMs = clock.elapsed();
            }
        };
        QObject::connect(gate, &QGate::gateState, &context, opened);
    }
    void start()
    {
        openedAfterPolls = -1;
        pollsAtStart = polls;
        clock.start();
    }
    QObject context;
    int polls = 0;
    int pollsAtStart = 0;
    int openedAfterPolls = -1;
    qint64 openedAfterMs = -1;
    QElapsedTimer clock;
};

} // namespace

class TestGateEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void lampsFollowTheInputLevelAndThresholdsReachTheUnit()
    {
        Rig rig;
        rig.quietInput1();
        AutoMixerBlock &mixer =
            *rig.sim->model().blockAs<AutoMixerBlock>(OpBlock, Module::AutoMixer);
        mixer.table().set<quint8>(AutoMixerCmd::AutoEnable, 0, 1);
        mixer.table().set<quint8>(AutoMixerCmd::AutoEnable, 1, 1);
        mixer.table().set<quint8>(AutoMixerCmd::OutEnable, 0, 1);
        QVERIFY(rig.logIn());
        auto *gate = rig.page<QGate>(FuncWidget::Gate);
        auto *page = rig.page<QAutoMixer>(FuncWidget::Automixer);
        LampWatch watch(rig, gate);

        // On the gate page the lamp poll brings the lamp: the first or second
        // poll after the change, so within 300 ms however loaded the machine.
        rig.pages().setCurrentPage(FuncWidget::Gate);
        QTRY_COMPARE(gate->params(0).threshold, -5);
        QTRY_VERIFY(gate->isGateOpen(3)); // the others lie above -65 dB
        QVERIFY(!gate->isGateOpen(0));
        watch.start();
        rig.raiseInput1();
        QTRY_VERIFY_WITH_TIMEOUT(gate->isGateOpen(0), 3000);
        QVERIFY2(watch.openedAfterPolls >= 1 && watch.openedAfterPolls <= 2,
                 qPrintable(QString::number(watch.openedAfterPolls)));
        qInfo("gate lamp lit %lld ms after the level rose", watch.openedAfterMs);

        // On the automixer page the gate page is hidden; the automixer's
        // refresh reads the gate, and the gate page passes the lamp on.
        rig.inputs().set<float>(InLevelCmd::Gain, 0, 0.0f);
        rig.pages().setCurrentPage(FuncWidget::Automixer);
        QTRY_VERIFY(!page->lamp(0)->isOpen());
        QTRY_COMPARE(page->micCountLabel()->text(), QStringLiteral("1")); // input 2 only
        QCOMPARE(page->totalNomLabel()->text(), QStringLiteral("0dB"));
        QCOMPARE(page->threshold(0), -5);
        watch.start();
        rig.raiseInput1();
        QTRY_VERIFY_WITH_TIMEOUT(page->lamp(0)->isOpen(), 3000);
        QVERIFY2(watch.openedAfterPolls >= 1 && watch.openedAfterPolls <= 2,
                 qPrintable(QString::number(watch.openedAfterPolls)));
        qInfo("automixer lamp lit %lld ms after the level rose", watch.openedAfterMs);
        QTRY_COMPARE(page->micCountLabel()->text(), QStringLiteral("2"));
        QCOMPARE(page->totalNomLabel()->text(), QStringLiteral("-3dB"));
        QCOMPARE(page->attenuationEdit(0)->text(), QStringLiteral("-3dB"));
        QCOMPARE(page->attenuationEdit(1)->text(), QStringLiteral("0dB"));

        // A threshold typed on the automixer reaches the unit's gate record.
        QLineEdit *edit = page->thresholdControl(3)->edit();
        edit->setText(QStringLiteral("-40"));
        emit edit->editingFinished();
        QTRY_COMPARE(rig.gate().record(3).threshold, -40.0f);
        QCOMPARE(gate->params(3).threshold, -40);
    }

    void unitWithoutEchoCanceller()
    {
        Rig rig(false);
        QVERIFY(rig.logIn());
        QTRY_VERIFY(rig.pages().pageButton(FuncWidget::Aec)->isHidden());
        rig.pages().setCurrentPage(FuncWidget::Aec);
        auto *aec = rig.page<QAec>(FuncWidget::Aec);
        QTRY_VERIFY(!aec->enableButton()->isEnabled());

        rig.sim->model().system().aecSupport = 1;
        QTRY_VERIFY(aec->enableButton()->isEnabled());
        QTRY_VERIFY(!rig.pages().pageButton(FuncWidget::Aec)->isHidden());
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestGateEndToEnd)
#include "tst_gatee2e.moc"
