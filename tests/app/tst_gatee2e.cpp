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
#include "tests/support/apprig.h"
#include "tests/support/pagetest.h"
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

// One simulated unit and a main window, shown, that finds it on loopback.
struct Rig : AppRig
{
    explicit Rig(bool aec = true)
        : AppRig(1, {}, true, [aec](SimUnitConfig &c, int) { c.aec = aec; })
    {
        window->resize(1024, 600);
        window->show();
    }
    GateBlock &gate() { return block<GateBlock>(Module::Gate); }
    ChannelBlock &inputs() { return *model().block(Module::InputLevel); }
    // Input 1 stays below a threshold of -5 dB; with 45 dB more it stays above.
    void quietInput1()
    {
        GateBlock::Record r;
        r.threshold = -5.0f;
        gate().setRecord(0, r);
    }
    void raiseInput1() { inputs().set<float>(InLevelCmd::Gain, 0, 45.0f); }
};

// Counts the unit's gate state reads and notes how many had arrived, and how
// long after start() it was, when channel 0's gate was seen open (the gate
// page's signal, which also lights the automixer's lamp).
struct LampWatch
{
    LampWatch(Rig &rig, QGate *gate)
    {
        QObject::connect(&rig.sim(), &SimUnit::requestReceived, &context, [this](const Frame &f) {
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
        AutoMixerBlock &mixer = *rig.model().blockAs<AutoMixerBlock>(OpBlock, Module::AutoMixer);
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
        typeText(edit, QStringLiteral("-40"));
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

        rig.model().system().aecSupport = 1;
        QTRY_VERIFY(aec->enableButton()->isEnabled());
        QTRY_VERIFY(!rig.pages().pageButton(FuncWidget::Aec)->isHidden());
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestGateEndToEnd)
#include "tst_gatee2e.moc"
