// The gate page against a loopback peer: the lamp poll, the deferred record,
// the hold, and the threshold shared with the automixer.

#include "pages/dynamics/qgate.h"
#include "pages/knobfield.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "tests/support/loopbackpeer.h"
#include "tests/support/pagetest.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <limits>

namespace {

constexpr quint8 Gate = Proto::Module::Gate;
constexpr quint8 State = Proto::GateCmd::State;
constexpr quint8 Record = Proto::GateCmd::Record;

QByteArray record(quint8 channel, quint8 enable, float threshold, float attack, float decay)
{
    return Le::bytes(channel, enable, threshold, attack, decay);
}

QVector<bool> lamps(const QGate &page)
{
    QVector<bool> open;
    for (int c = 0; c < QGate::Channels; ++c)
        open.append(page.isGateOpen(c));
    return open;
}

} // namespace

class TestGate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void pollsEveryTenthTickOnlyWhileShown()
    {
        LoopbackPeer peer;
        QGate page;
        ticks(page, 9);
        QVERIFY(peer.staysQuiet(100));
        ticks(page, 1);
        QVERIFY(peer.waitForFrames(1));
        ticks(page, 9);
        QVERIFY(peer.staysQuiet(100));
        QCOMPARE(peer.frames().size(), 1);
        const Proto::Frame &poll = peer.frames().at(0);
        QCOMPARE(int(poll.module), int(Gate));
        QCOMPARE(int(poll.cmd), int(State));
        QCOMPARE(int(poll.flag), 0);
        QCOMPARE(poll.payload, QByteArray());

        page.show();
        QVERIFY(page.isTimerRunning());
        QVERIFY(peer.waitForFrames(3));
        page.hide();
        QVERIFY(!page.isTimerRunning());
    }

    void refreshReadsEveryChannelInOrder()
    {
        LoopbackPeer peer;
        QGate page;
        page.refresh();
        QVERIFY(peer.waitForFrames(16));
        for (int c = 0; c < 16; ++c) {
            const Proto::Frame &f = peer.frames().at(c);
            QCOMPARE(int(f.cmd), int(Record));
            QCOMPARE(int(f.flag), 0);
            QCOMPARE(f.payload, QByteArray(1, char(c)));
        }
    }

    void recordAnswers_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("flag");
        QTest::addColumn<bool>("enable");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<int>("attack");
        QTest::addColumn<int>("decay");
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const QByteArray good = record(5, 0, -40.7f, 12.9f, 300);
        QTest::newRow("taken, truncated") << good << 0x80 << false << -40 << 12 << 300;
        QTest::newRow("13 bytes") << good.left(13) << 0x80 << true << -65 << 1 << 20;
        QTest::newRow("15 bytes") << good + '\0' << 0x80 << true << -65 << 1 << 20;
        QTest::newRow("refused") << good << 0x82 << true << -65 << 1 << 20;
        QTest::newRow("channel 16") << record(16, 0, -10, 5, 50) << 0x80 << true << -65 << 1 << 20;
        QTest::newRow("clamped before truncation")
            << record(5, 1, -200, 5000, -3) << 0x80 << true << -120 << 1000 << 20;
        QTest::newRow("not finite skipped")
            << record(5, 1, nan, std::numeric_limits<float>::infinity(), 90) << 0x80 << true << -65
            << 1 << 90;
    }

    void recordAnswers()
    {
        QFETCH(QByteArray, payload);
        QFETCH(int, flag);
        QGate page;
        QSignalSpy thresholds(&page, &QGate::threshValue);
        page.receive(Record, quint8(flag), quint16(payload.size()), payload);
        const GateParams &p = page.params(5);
        QFETCH(bool, enable);
        QCOMPARE(p.enable, quint8(enable ? 1 : 0));
        QTEST(p.threshold, "threshold");
        QTEST(p.attack, "attack");
        QTEST(p.decay, "decay");
        QCOMPARE(page.control(5, QGate::Threshold)->edit()->text(), QString::number(p.threshold));
        QCOMPARE(page.enableButton(5)->isChecked(), p.enable != 0);
        QCOMPARE(thresholds.size(), p.threshold != -65 ? 1 : 0);
        for (int c = 0; c < 16; ++c)
            QVERIFY(c == 5 || page.params(c).threshold == -65);
    }

    void lampsFollowPollAnswersExceptDuringTheHold()
    {
        LoopbackPeer peer;
        QGate page;
        QSignalSpy states(&page, &QGate::gateState);
        QByteArray open(16, '\0');
        open[2] = 1;
        open[9] = 7;
        page.receive(State, 0x80, 16, open);
        QCOMPARE(states.size(), 2);
        QCOMPARE(states.at(1).at(0).value<uchar>(), uchar(9));
        QCOMPARE(states.at(1).at(1).toBool(), true);
        page.receive(State, 0x80, 16, open); // no change, no signal
        page.receive(State, 0x80, 15, QByteArray(15, 1));
        QCOMPARE(states.size(), 2);

        typeText(page.control(0, QGate::Attack), QStringLiteral("30"));
        const QVector<bool> before = lamps(page);
        page.receive(State, 0x80, 16, QByteArray(16, 1));
        QCOMPARE(lamps(page), before);
        QCOMPARE(states.size(), 2);

        ticks(page, 10); // sends the record and ends the hold
        page.receive(State, 0x80, 16, QByteArray(16, 1));
        QCOMPARE(lamps(page), QVector<bool>(16, true));
        QCOMPARE(states.size(), 16);
    }

    void typedValues_data()
    {
        QTest::addColumn<int>("param");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("threshold below range") << int(QGate::Threshold) << "-150" << -120;
        QTest::newRow("negative attack") << int(QGate::Attack) << "-5" << 1;
        QTest::newRow("fractional attack") << int(QGate::Attack) << "12.9" << 12;
        QTest::newRow("empty decay") << int(QGate::Decay) << "" << 20;
    }

    void typedValues()
    {
        QFETCH(int, param);
        QFETCH(QString, text);
        QFETCH(int, value);
        const auto p = QGate::Param(param);
        LoopbackPeer peer;
        QGate page;
        KnobField *field = page.control(3, p);
        // Start away from the value, so that each row is an edit.
        page.receive(Record, 0x80, 14, record(3, 1, -30, 500, 500));
        typeText(field, text);
        QCOMPARE(field->edit()->text(), QString::number(value));
        ticks(page, 9);
        QVERIFY(peer.staysQuiet(100));
        ticks(page, 1);
        QVERIFY(peer.waitForFrames(1));
        const int fields[] = {-30, 500, 500};
        QByteArray expected = record(3, 1, float(fields[0]), float(fields[1]), float(fields[2]));
        expected.replace(2 + 4 * param, 4, Le::bytes(float(value)));
        QCOMPARE(peer.frames().at(0).payload, expected);
        QCOMPARE(int(peer.frames().at(0).flag), 1);
    }

    void leavingThePageSendsTheEditAndEndsTheHold()
    {
        LoopbackPeer peer;
        QGate page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        typeText(page.control(1, QGate::Decay), QStringLiteral("250"));
        page.hide();
        // Only the record goes out, at once: the stopped timer sends no poll.
        QVERIFY(peer.waitForFrames(1));
        const auto records = [&peer] {
            int n = 0;
            for (const Proto::Frame &f : peer.frames())
                n += f.cmd == Record;
            return n;
        };
        QCOMPARE(records(), 1);
        page.receive(State, 0x80, 16, QByteArray(16, 1));
        QVERIFY(page.isGateOpen(0)); // answers are taken again
    }

    void thresholdFromTheAutomixer()
    {
        LoopbackPeer peer;
        QGate page;
        QSignalSpy thresholds(&page, &QGate::threshValue);
        page.threshChanged(uchar(4), -40);
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(peer.frames().at(0).payload, record(4, 1, -40, 1, 20));
        QCOMPARE(thresholds.size(), 1);
        QCOMPARE(thresholds.at(0).at(0).value<uchar>(), uchar(4));
        QCOMPARE(thresholds.at(0).at(1).toInt(), -40);
        QCOMPARE(page.control(4, QGate::Threshold)->edit()->text(), QStringLiteral("-40"));

        page.threshChanged(uchar(4), -40); // the same value: sent, not announced
        QVERIFY(peer.waitForFrames(2));
        QCOMPARE(peer.frames().at(1).payload, record(4, 1, -40, 1, 20));
        QCOMPARE(thresholds.size(), 1);

        page.threshChanged(uchar(16), -10);
        QVERIFY(peer.staysQuiet(100));
        QCOMPARE(peer.frames().size(), 2);
    }
};

QTEST_MAIN(TestGate)
#include "tst_gate.moc"
