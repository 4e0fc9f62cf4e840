// Timers that sleep while there is nothing to do, with what reaches the unit
// unchanged: the overview's rounds of reads, a deferred send 100 ms after the
// last edit, the edit hold, the gate's lamp poll. Times are only checked from
// below (a timer never fires early, whatever the load of the machine).

#include "pages/dynamics/qgate.h"
#include "pages/funcwidget.h"
#include "pages/knobfield.h"
#include "pages/matrix/matrixmixvaluewidget.h"
#include "pages/levels/qinlevel.h"
#include "pages/matrix/qmixbutton2.h"
#include "pages/levels/qpremixlevel.h"
#include "pages/pollclock.h"
#include "pages/qoverview.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "protocol/transport.h"
#include "tests/support/loopbackpeer.h"
#include "tests/support/pagetest.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

// Counts the layout requests reaching a widget and the widgets inside it.
class LayoutCounter final : public QObject
{
public:
    explicit LayoutCounter(QWidget *top)
    {
        top->installEventFilter(this);
        for (QWidget *w : top->findChildren<QWidget *>())
            w->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::LayoutRequest)
            ++count;
        return false;
    }
};

using Read = QPair<int, int>; // module, cmd

const QVector<Read> MeterRound{{Proto::Module::InputLevel, Proto::InLevelCmd::Meter},
                               {Proto::Module::OutputLevel, Proto::OutLevelCmd::Meter},
                               {Proto::Module::PreMixLevel, Proto::PreMixCmd::Meter},
                               {Proto::Module::OutputLevel, Proto::OutLevelCmd::PreMeter}};

QVector<Read> statusRound()
{
    using namespace Proto::SettingsCmd;
    QVector<Read> reads;
    for (int cmd : {ArmVersion, DspVersion, Location, Description, DspUsage, AllMute, AecSupport,
                    AncSupport, Serial, Fault})
        reads.append({Proto::SysModule::Settings, cmd});
    return reads;
}

} // namespace

class TestIdleTimers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void overviewSendsItsRoundsInOrder()
    {
        LoopbackPeer peer;
        QElapsedTimer clock;
        clock.start();
        QOverView overview;
        const int rounds = 6;
        QVERIFY(peer.waitForFrames(rounds * 4 + rounds / 2 * 10, 5000));
        // The sixth meter round is due 600 ms after the poll started.
        QVERIFY2(clock.elapsed() >= 590, qPrintable(QString::number(clock.elapsed())));

        QVector<Read> expected;
        for (int r = 1; r <= rounds; ++r) {
            expected += MeterRound;
            if (r % 2 == 0) // the status every second round, after its meters
                expected += statusRound();
        }
        QVector<Read> sent;
        for (const Proto::Frame &f : peer.frames().mid(0, expected.size())) {
            QCOMPARE(int(f.flag), int(Proto::FlagRead));
            QVERIFY(f.payload.isEmpty());
            sent.append({f.module, f.cmd});
        }
        QCOMPARE(sent, expected);
    }

    void pollSleepsWithoutAUnitAndSharesItsTicks()
    {
        // The overview and the page container read on one clock, which runs
        // only while a unit is connected: on every second tick the page's
        // reads follow the overview's status reads.
        QOverView overview;
        FuncWidget container(nullptr, FuncWidget::PageBuild::ShownFirst);
        PollClock *clock = PollClock::instance();
        QVERIFY(!clock->isRunning());
        {
            LoopbackPeer peer;
            QVERIFY(clock->isRunning());
            QVector<Read> expected = MeterRound + MeterRound + statusRound();
            namespace C = Proto::PreMixCmd; // the page on screen
            for (int cmd : {C::Mute, C::Invert, C::Gain, C::Group, C::Limits, C::Priority})
                expected.append({QPreMixLevel::Module, cmd});
            QVERIFY(peer.waitForFrames(expected.size()));
            QVector<Read> sent;
            for (const Proto::Frame &f : peer.frames().mid(0, expected.size()))
                sent.append({f.module, f.cmd});
            QCOMPARE(sent, expected);

            // The unit drops the connection: the clock stops.
            peer.peer()->disconnectFromHost();
            QTRY_VERIFY(!clock->isRunning());
        }
        QVERIFY(!clock->isRunning());

        // A current socket destroyed while connected takes the link with it.
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        auto *socket = new QTcpSocket;
        socket->connectToHost(QHostAddress::LocalHost, server.serverPort());
        QVERIFY(socket->waitForConnected(3000));
        setCurrentSocket(socket);
        QVERIFY(clock->isRunning());
        delete socket;
        QVERIFY(!clock->isRunning());
        QCOMPARE(currentSocket(), nullptr);
    }

    void newLevelsDoNotLayOutTheOverview()
    {
        // Ten times a second every meter and its number change: that must not
        // make the window lay itself out again each time.
        QOverView overview;
        overview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&overview));
        QTest::qWait(50);
        LayoutCounter layouts(&overview);
        for (int round = 0; round < 5; ++round) {
            for (int c = 0; c < QOverView::Channels; ++c) {
                overview.setInMeter(uchar(c), -40 + 13 * round + c);
                overview.setOutMeter(uchar(c), 20 - 30 * round - c);
            }
            overview.setDspUsage(float(round) * 11.1f, 100.0f);
            QTest::qWait(40);
        }
        QCOMPARE(overview.inputNumberText(15), QStringLiteral("27"));
        QCOMPARE(overview.outputNumberText(15), QStringLiteral("-40"));
        QCOMPARE(layouts.count, 0);
    }

    void anIdlePageDoesNotTick()
    {
        LoopbackPeer peer;
        QInLevel page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QVERIFY(page.isTimerRunning()); // shown: ticks come when there is work
        QVERIFY(!page.isTicking());
        // An answer with nothing pending wakes nothing either.
        page.receive(Proto::InLevelCmd::Gain, 0x80, 64, floats(16, -3.0f));
        QVERIFY(!page.isTicking());
        QVERIFY(peer.staysQuiet(100));
    }

    void editGoesOutOnTheTenthTickThenTheTimerSleeps()
    {
        LoopbackPeer peer;
        QInLevel page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QElapsedTimer clock;
        clock.start();
        typeText(page.gainControl(3), QStringLiteral("4"));
        QVERIFY(page.isTicking());
        // An answer to an earlier read, at once: the hold drops it.
        page.receive(Proto::InLevelCmd::Gain, 0x80, 64, floats(16, -3.0f));
        QCOMPARE(page.gainControl(3)->edit()->text(), QStringLiteral("4.0"));

        QVERIFY(peer.waitForFrames(2)); // preamplifier step and trim of input 4
        // Never sooner than a 10 ms timer that runs all the time would send it.
        QVERIFY2(clock.elapsed() >= 90, qPrintable(QString::number(clock.elapsed())));
        for (const Proto::Frame &f : peer.frames()) {
            QCOMPARE(int(f.module), int(Proto::Module::InputLevel));
            QCOMPARE(int(quint8(f.payload.at(0))), 3);
        }
        // The hold ended with the send; the unit's state shows again and the
        // timer has gone back to sleep.
        QTRY_VERIFY(!page.isTicking());
        page.receive(Proto::InLevelCmd::Gain, 0x80, 64, floats(16, -3.0f));
        QCOMPARE(page.gainControl(3)->edit()->text(), QStringLiteral("-3.0"));

        // A second edit wakes it again, 100 ms from that edit.
        peer.clear();
        clock.restart();
        typeText(page.gainControl(5), QStringLiteral("2"));
        QVERIFY(peer.waitForFrames(2));
        QVERIFY2(clock.elapsed() >= 90, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(int(quint8(peer.frames().at(0).payload.at(0))), 5);
        QTRY_VERIFY(!page.isTicking());
    }

    void editsKeepOneCadence()
    {
        // Edits while the timer runs do not restart it: each key goes out on
        // its own 10th tick, in key order when due together.
        LoopbackPeer peer;
        QInLevel page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        typeText(page.gainControl(9), QStringLiteral("1"));
        typeText(page.gainControl(2), QStringLiteral("1"));
        QVERIFY(peer.waitForFrames(4));
        QCOMPARE(int(quint8(peer.frames().at(0).payload.at(0))), 2);
        QCOMPARE(int(quint8(peer.frames().at(2).payload.at(0))), 9);
        QVERIFY(peer.staysQuiet(150));
        QCOMPARE(peer.frames().size(), 4);
    }

    void aHiddenPageNeitherTicksNorKeepsItsEdit()
    {
        LoopbackPeer peer;
        QInLevel page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        typeText(page.gainControl(1), QStringLiteral("2"));
        page.hide();
        QVERIFY(!page.isTicking());
        QVERIFY(peer.waitForFrames(2)); // sent on hiding
        QVERIFY(peer.staysQuiet(150));
        page.show();
        QVERIFY(!page.isTicking());
    }

    void crosspointEditorTicksOnlyForAnEdit()
    {
        LoopbackPeer peer;
        MatrixMixValueWidget editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QVERIFY(editor.isTimerRunning());
        QVERIFY(!editor.isTicking());
        QTest::mouseClick(editor.mixButton(4, 9), Qt::LeftButton); // shows the crosspoint
        QElapsedTimer clock;
        clock.start();
        typeText(editor.gainEdit(), QStringLiteral("-6"));
        QVERIFY(editor.isTicking());
        QVERIFY(peer.waitForFrames(1));
        QVERIFY2(clock.elapsed() >= 90, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(peer.frames().at(0).payload,
                 QByteArray::fromHex("0904") + char(-6)); // output, input, gain
        QTRY_VERIFY(!editor.isTicking());
        QVERIFY(!editor.isHolding());
    }

    void gatePollsItsLampsWhileShown()
    {
        LoopbackPeer peer;
        QGate page;
        QElapsedTimer clock;
        clock.start();
        page.show();
        QVERIFY(page.isTicking()); // the poll needs its ticks
        QVERIFY(peer.waitForFrames(3));
        QVERIFY2(clock.elapsed() >= 290, qPrintable(QString::number(clock.elapsed())));
        for (const Proto::Frame &f : peer.frames().mid(0, 3)) {
            QCOMPARE(int(f.module), int(Proto::Module::Gate));
            QCOMPARE(int(f.cmd), int(Proto::GateCmd::State));
        }
        page.hide();
        QVERIFY(!page.isTicking());
        peer.clear();
        QVERIFY(peer.staysQuiet(250));
    }
};

QTEST_MAIN(TestIdleTimers)
#include "tst_idletimers.moc"
