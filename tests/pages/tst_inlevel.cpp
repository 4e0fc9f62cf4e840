// The input level page against a loopback peer: what it sends for operator
// edits, and how it takes the unit's answers.

#include "pages/knobfield.h"
#include "model/inputgain.h"
#include "pages/levels/qinlevel.h"
#include "protocol/lebytes.h"
#include "tests/support/loopbackpeer.h"
#include "tests/support/pagetest.h"
#include "widgets/elidedlabel.h"
#include "widgets/knob.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

namespace {

QByteArray bytes16(quint8 value)
{
    return QByteArray(16, char(value));
}

} // namespace

class TestInLevel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void split_data()
    {
        QTest::addColumn<float>("total");
        QTest::addColumn<bool>("line");
        QTest::addColumn<int>("step");
        QTest::addColumn<float>("digital");
        QTest::newRow("47") << 47.0f << false << 7 << 7.0f;
        QTest::newRow("50") << 50.0f << false << 7 << 10.0f;
        QTest::newRow("35") << 35.0f << false << 6 << 5.0f;
        QTest::newRow("4.9") << 4.9f << false << 0 << 4.9f;
        QTest::newRow("5") << 5.0f << false << 1 << 0.0f;
        QTest::newRow("line keeps all") << 11.5f << true << 0 << 11.5f;
        QTest::newRow("line negative") << -12.0f << true << 0 << -12.0f;
    }

    void split()
    {
        QFETCH(float, total);
        QFETCH(bool, line);
        QFETCH(int, step);
        QFETCH(float, digital);
        const InputGain::Split s = InputGain::split(total, line);
        QCOMPARE(int(s.step), step);
        QCOMPARE(s.digital, digital);
        QCOMPARE(InputGain::sanitizeStep(9), quint8(7));
        QCOMPARE(InputGain::sanitizeStep(8), quint8(8));
    }

    void typedGainIsSentSplitAfterTheHold_data()
    {
        QTest::addColumn<bool>("mic");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("step");
        QTest::addColumn<float>("digital");
        QTest::addColumn<QString>("shown");
        QTest::newRow("mic 47") << true << "47" << 7 << 7.0f << "47.0";
        QTest::newRow("mic 50") << true << "50.0" << 7 << 10.0f << "50.0";
        QTest::newRow("mic above range") << true << "61" << 7 << 10.0f << "50.0";
        QTest::newRow("line clamps high") << false << "20" << 0 << 12.0f << "12.0";
        QTest::newRow("line clamps low") << false << "-30.5" << 0 << -12.0f << "-12.0";
        QTest::newRow("line 7.5") << false << "7.5" << 0 << 7.5f << "7.5";
    }

    void typedGainIsSentSplitAfterTheHold()
    {
        QFETCH(bool, mic);
        QFETCH(QString, text);
        QFETCH(int, step);
        QFETCH(float, digital);
        QFETCH(QString, shown);

        LoopbackPeer peer;
        QVERIFY(peer.isReady());
        QInLevel page;
        page.show();
        if (mic)
            page.receive(Proto::InLevelCmd::Mode, 0x80, 16, bytes16(0));
        peer.clear();

        typeText(page.gainControl(2), text);
        QCOMPARE(page.gainControl(2)->edit()->text(), shown);
        QVERIFY(peer.waitForFrames(2));
        const Proto::Frame &stepFrame = peer.frames().at(0);
        const Proto::Frame &gainFrame = peer.frames().at(1);
        QCOMPARE(int(stepFrame.cmd), 6);
        QCOMPARE(stepFrame.payload, QByteArray::fromHex("02") + char(step));
        QCOMPARE(int(gainFrame.cmd), 3);
        QCOMPARE(gainFrame.payload.at(0), char(2));
        QCOMPARE(Le::get<float>(gainFrame.payload, 1), digital);
        QVERIFY(peer.staysQuiet(150)); // one pair per edit
    }

    void textThatIsNoNumberReadsAsZero()
    {
        LoopbackPeer peer;
        QInLevel page;
        page.show();
        page.receive(Proto::InLevelCmd::Mode, 0x80, 16, bytes16(0));
        typeText(page.gainControl(0), QStringLiteral("20"));
        QVERIFY(peer.waitForFrames(2));
        peer.clear();
        typeText(page.gainControl(0), QStringLiteral("abc"));
        QCOMPARE(page.gainControl(0)->edit()->text(), QStringLiteral("0.0"));
        QVERIFY(peer.waitForFrames(2));
        QCOMPARE(Le::get<float>(peer.frames().at(1).payload, 1), 0.0f);
        QCOMPARE(page.totalGain(0), 0.0f);
    }

    void knobDragUpdatesTextAndSendsOnce()
    {
        LoopbackPeer peer;
        QInLevel page;
        page.show();
        Knob *knob = page.gainControl(5)->knob();
        dragMouse(knob, QPoint(30, 30), QPoint(40, 30));       // 10 px on a -120..120 knob
        QCOMPARE(page.gainControl(5)->knob()->value(), 12.0f); // tenths of a dB
        QCOMPARE(page.gainControl(5)->edit()->text(), QStringLiteral("1.2"));
        QVERIFY(peer.waitForFrames(2));
        QVERIFY(peer.staysQuiet(150));
        QCOMPARE(peer.frames().size(), 2);
        QCOMPARE(Le::get<float>(peer.frames().at(1).payload, 1), 1.2f);
    }

    void micToLineWithPhantomOn()
    {
        LoopbackPeer peer;
        QInLevel page;
        page.show();
        page.receive(Proto::InLevelCmd::Mode, 0x80, 16, bytes16(0));
        page.receive(Proto::InLevelCmd::Phantom, 0x80, 16, bytes16(1));
        page.receive(Proto::InLevelCmd::Step, 0x80, 16, bytes16(3));
        QVERIFY(page.phantomButton(4)->isChecked());
        QVERIFY(page.phantomButton(4)->isEnabled());

        page.modeBox(4)->setCurrentIndex(QInLevel::Line);
        QVERIFY(!page.phantomButton(4)->isChecked());
        QVERIFY(!page.phantomButton(4)->isEnabled());
        QVERIFY(peer.waitForFrames(3));
        QVERIFY(peer.staysQuiet(150));
        QCOMPARE(peer.frames().size(), 3); // no phantom command
        QCOMPARE(int(peer.frames().at(0).cmd), 4);
        QCOMPARE(peer.frames().at(0).payload, QByteArray::fromHex("0401"));
        QCOMPARE(peer.frames().at(1).payload, QByteArray::fromHex("0400"));
        QCOMPARE(Le::get<float>(peer.frames().at(2).payload, 1), 0.0f);
        QCOMPARE(page.gainControl(4)->knob()->minimum(), -120.0f);
        QCOMPARE(page.gainControl(4)->edit()->text(), QStringLiteral("0.0"));
    }

    // The unit reports line mode for an input that had a preamplifier step:
    // the trim becomes the total (within the microphone range it had), sent
    // after the hold as step 0 and trim, and phantom power goes off unsent.
    void reportedLineModeResplitsTheGain_data()
    {
        QTest::addColumn<float>("trim");
        QTest::addColumn<float>("sent");
        QTest::addColumn<QString>("shown");
        QTest::newRow("trim kept") << 5.0f << 5.0f << "5.0";
        QTest::newRow("negative trim") << -3.0f << 0.0f << "0.0";
    }

    void reportedLineModeResplitsTheGain()
    {
        QFETCH(float, trim);
        QFETCH(float, sent);
        QFETCH(QString, shown);
        LoopbackPeer peer;
        QInLevel page;
        page.show();
        page.receive(Proto::InLevelCmd::Mode, 0x80, 16, bytes16(0));
        page.receive(Proto::InLevelCmd::Phantom, 0x80, 16, bytes16(1));
        page.receive(Proto::InLevelCmd::Step, 0x80, 16, bytes16(7));
        page.receive(Proto::InLevelCmd::Gain, 0x80, 64, floats(16, trim));
        QVERIFY(peer.staysQuiet(50));
        page.receive(Proto::InLevelCmd::Mode, 0x80, 16,
                     QByteArray::fromHex("0001") + QByteArray(14, 0)); // input 2: line
        QCOMPARE(page.gainControl(1)->edit()->text(), shown);
        QVERIFY(!page.phantomButton(1)->isChecked());
        QVERIFY(page.phantomButton(0)->isChecked());
        QVERIFY(peer.waitForFrames(2));
        QVERIFY(peer.staysQuiet(150));
        QCOMPARE(peer.frames().size(), 2);
        QCOMPARE(peer.frames().at(0).payload, QByteArray::fromHex("0100"));
        QCOMPARE(int(peer.frames().at(1).cmd), 3);
        QCOMPARE(Le::get<float>(peer.frames().at(1).payload, 1), sent);
    }

    void modeChangeAtZeroSendsOnlyTheMode()
    {
        LoopbackPeer peer;
        QInLevel page;
        page.show();
        page.modeBox(1)->setCurrentIndex(QInLevel::Mic);
        QVERIFY(peer.waitForFrames(1));
        QVERIFY(peer.staysQuiet(150));
        QCOMPARE(peer.frames().size(), 1);
        QCOMPARE(page.gainControl(1)->knob()->maximum(), 500.0f);
        QVERIFY(page.phantomButton(1)->isEnabled());
    }

    void receivedStateSetsControlsWithoutSending()
    {
        LoopbackPeer peer;
        QInLevel page;
        page.show();
        page.receive(Proto::InLevelCmd::Mode, 0x80, 16, bytes16(0));
        page.receive(Proto::InLevelCmd::Step, 0x80, 16, bytes16(9)); // read as 7 (40 dB)
        page.receive(Proto::InLevelCmd::Gain, 0x80, 64, floats(16, 2.5f));
        page.receive(Proto::InLevelCmd::Mute, 0x80, 16, bytes16(1));
        QCOMPARE(page.channel(0).preampStep, quint8(7));
        QCOMPARE(page.gainControl(0)->edit()->text(), QStringLiteral("42.5"));
        QVERIFY(page.muteButton(15)->isChecked());
        QVERIFY(peer.staysQuiet(150));
    }

    void malformedAnswersChangeNothing()
    {
        QInLevel page;
        page.receive(Proto::InLevelCmd::Gain, 0x80, 60, floats(16, 5.0f).left(60));
        page.receive(Proto::InLevelCmd::Mute, 0x82, 16, bytes16(1));
        page.receive(Proto::InLevelCmd::Mute, 0x80, 15, bytes16(1).left(15));
        page.receive(7, 0x80, 16, bytes16(1));
        QCOMPARE(page.channel(3).digitalGain, 0.0f);
        QVERIFY(!page.muteButton(3)->isChecked());
    }

    void holdDropsStateButNotMeters()
    {
        LoopbackPeer peer;
        QInLevel page;
        page.show();
        QVector<int> meters;
        connect(&page, &QInLevel::meterChanged, [&](uchar, int level) { meters.append(level); });
        typeText(page.gainControl(0), QStringLiteral("3"));
        page.receive(Proto::InLevelCmd::Gain, 0x80, 64, floats(16, -5.0f));
        page.receive(Proto::InLevelCmd::Meter, 0x80, 16, bytes16(quint8(qint8(-20))));
        QCOMPARE(page.gainControl(0)->edit()->text(), QStringLiteral("3.0"));
        QCOMPARE(meters.size(), 16);
        QCOMPARE(meters.first(), -20);
        QVERIFY(peer.waitForFrames(2)); // sent on the tick that ends the hold
        page.receive(Proto::InLevelCmd::Gain, 0x80, 64, floats(16, -5.0f));
        QCOMPARE(page.gainControl(0)->edit()->text(), QStringLiteral("-5.0"));
    }

    void hidingThePageSendsItsEditAndTakesAnswers()
    {
        LoopbackPeer peer;
        QInLevel page;
        page.show();
        typeText(page.gainControl(6), QStringLiteral("4"));
        page.hide(); // within the 100 ms of the edit
        QVERIFY(!page.isTimerRunning());
        QVERIFY(peer.waitForFrames(2)); // sent at once, not when shown again
        QCOMPARE(int(quint8(peer.frames().at(0).payload.at(0))), 6);
        // The hold ended with the page: the unit's state shows at once.
        page.receive(Proto::InLevelCmd::Gain, 0x80, 64, floats(16, -3.0f));
        QCOMPARE(page.gainControl(6)->edit()->text(), QStringLiteral("-3.0"));
    }

    void refreshReadsTheBlockInOrder()
    {
        LoopbackPeer peer;
        QInLevel page;
        page.refresh();
        QVERIFY(peer.waitForFrames(5));
        QVector<int> cmds;
        for (const Proto::Frame &f : peer.frames()) {
            QCOMPARE(int(f.flag), 0);
            QCOMPARE(int(f.length), 0);
            cmds.append(f.cmd);
        }
        QCOMPARE(cmds, (QVector<int>{2, 3, 4, 5, 6}));
    }

    void channelName()
    {
        QInLevel page;
        page.setInputName(3, QStringLiteral("Lectern microphone left"));
        auto *name = page.findChildren<ElidedLabel *>().at(3);
        QCOMPARE(name->text(), QStringLiteral("Lectern microphone left"));
        QCOMPARE(name->parentWidget()->toolTip(), QStringLiteral("Lectern microphone left"));
        page.setInputName(16, QStringLiteral("ignored")); // out of range: no crash
    }
};

QTEST_MAIN(TestInLevel)
#include "tst_inlevel.moc"
