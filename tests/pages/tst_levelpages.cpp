// The output level and pre-mix level pages: one design, two command sets.

#include "pages/levels/qoutlevel.h"
#include "pages/levels/qpremixlevel.h"
#include "protocol/lebytes.h"
#include "tests/support/loopbackpeer.h"
#include "tests/support/pagetest.h"
#include "widgets/elidedlabel.h"
#include "widgets/qfader.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

QByteArray limits(float upper, float lower)
{
    QByteArray out;
    for (int i = 0; i < 16; ++i)
        out += Le::bytes(upper, lower);
    return out;
}

// Drags the fader's handle to the bottom of its travel.
void dragToBottom(QFader *fader)
{
    const QPoint from = fader->handleRect().center().toPoint();
    dragMouse(fader, from, QPoint(from.x(), fader->height() + 40));
}

} // namespace

class TestLevelPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void faderToBottomSendsOff()
    {
        LoopbackPeer peer;
        QOutLevel page;
        page.resize(900, 420);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        dragToBottom(page.fader(2));
        QCOMPARE(page.channel(2).gain, -56.0f);
        QCOMPARE(page.gainEdit(2)->text(), QStringLiteral("-56.0"));
        QVERIFY(peer.waitForFrames(1));
        const Proto::Frame &f = peer.frames().at(0);
        QCOMPARE(int(f.module), 11);
        QCOMPARE(int(f.cmd), 3);
        QCOMPARE(f.payload, QByteArray::fromHex("02") + Le::bytes(-100.0f));
    }

    void groupLinksMuteLocallyWithOneCommand()
    {
        LoopbackPeer peer;
        QOutLevel page;
        page.show();
        for (int c : {0, 1, 4})
            page.groupBox(c)->setCurrentIndex(2);
        QVERIFY(peer.waitForFrames(3));
        peer.clear();
        QTest::mouseClick(page.muteButton(1), Qt::LeftButton);
        for (int c : {0, 1, 4})
            QVERIFY(page.muteButton(c)->isChecked());
        QVERIFY(!page.muteButton(2)->isChecked());
        QVERIFY(peer.waitForFrames(1));
        QVERIFY(peer.staysQuiet(100));
        QCOMPARE(peer.frames().size(), 1);
        QCOMPARE(int(peer.frames().at(0).cmd), 2);
        QCOMPARE(peer.frames().at(0).payload, QByteArray::fromHex("0101"));
    }

    void groupGainFollowsEachChannelsLimits()
    {
        LoopbackPeer peer;
        QOutLevel page;
        page.show();
        QByteArray l = limits(12, -56);
        l.replace(8, 8, Le::bytes(3.0f, -10.0f)); // output 2: 3 .. -10
        page.receive(Proto::OutLevelCmd::Limits, 0x80, 128, l);
        page.receive(Proto::OutLevelCmd::Group, 0x80, 16,
                     QByteArray::fromHex("0101") + QByteArray(14, 0));
        typeText(page.gainEdit(0), QStringLiteral("8"));
        QCOMPARE(page.channel(0).gain, 8.0f);
        QCOMPARE(page.channel(1).gain, 3.0f);
        QVERIFY(peer.waitForFrames(1));
        QVERIFY(peer.staysQuiet(100));
        QCOMPARE(peer.frames().size(), 1); // for the operated channel only
        QCOMPARE(peer.frames().at(0).payload.at(0), char(0));
    }

    void receivedGainClampedToLimits()
    {
        QOutLevel page;
        page.receive(Proto::OutLevelCmd::Limits, 0x80, 128, limits(6, -56));
        page.receive(Proto::OutLevelCmd::Gain, 0x80, 64, floats(16, 10.0f));
        QCOMPARE(page.gainEdit(7)->text(), QStringLiteral("6.0"));
        QCOMPARE(page.fader(7)->value(), 6.0f);
    }

    void limitAnswersAreTruncatedAndClamped()
    {
        QOutLevel page;
        QSignalSpy spy(&page, &QOutLevel::gainLimit);
        page.receive(Proto::OutLevelCmd::Limits, 0x80, 128, limits(6.9f, -20.5f));
        QCOMPARE(spy.size(), 16);
        QCOMPARE(spy.at(0).at(1).toInt(), 6);
        QCOMPARE(spy.at(0).at(2).toInt(), -20);
        spy.clear();
        page.receive(Proto::OutLevelCmd::Limits, 0x80, 128, limits(20.7f, -80.0f));
        QCOMPARE(spy.size(), 16);
        QCOMPARE(page.channel(3).upperLimit, 12);
        QCOMPARE(page.channel(3).lowerLimit, -56);
        spy.clear();
        page.receive(Proto::OutLevelCmd::Limits, 0x80, 128, limits(12.0f, -56.0f)); // unchanged
        QCOMPARE(spy.size(), 0);
        page.receive(Proto::OutLevelCmd::Limits, 0x80, 120,
                     limits(1, -1).left(120)); // wrong length
        QCOMPARE(page.channel(0).upperLimit, 12);
    }

    void holdDropsStateButNotMeters()
    {
        LoopbackPeer peer;
        QOutLevel page;
        page.show();
        QSignalSpy meters(&page, &QOutLevel::meterChanged);
        QSignalSpy preMeters(&page, &QOutLevel::preMeterChanged);
        typeText(page.gainEdit(0), QStringLiteral("-3"));
        page.receive(Proto::OutLevelCmd::Gain, 0x80, 64, floats(16, 5.0f));
        page.receive(Proto::OutLevelCmd::Mute, 0x80, 16, QByteArray(16, 1));
        page.receive(Proto::OutLevelCmd::Meter, 0x80, 16, QByteArray(16, char(-30)));
        page.receive(Proto::OutLevelCmd::PreMeter, 0x80, 16, QByteArray(16, char(-31)));
        QCOMPARE(page.gainEdit(0)->text(), QStringLiteral("-3.0"));
        QVERIFY(!page.muteButton(0)->isChecked());
        QCOMPARE(meters.size(), 16);
        QCOMPARE(preMeters.at(0).at(1).toInt(), -31);
        QVERIFY(peer.waitForFrames(1)); // the hold ends with the send
        page.receive(Proto::OutLevelCmd::Mute, 0x80, 16, QByteArray(16, 1));
        QVERIFY(page.muteButton(0)->isChecked());
    }

    void answerLengthRulesDiffer()
    {
        QOutLevel out;
        QPreMixLevel pre;
        const QByteArray sixty = floats(15, 4.0f);
        out.receive(Proto::OutLevelCmd::Gain, 0x80, 60, sixty);
        pre.receive(Proto::PreMixCmd::Gain, 0x80, 60, sixty);
        QCOMPARE(out.channel(14).gain, 4.0f); // the first 15 values are used
        QCOMPARE(out.channel(15).gain, 0.0f);
        QCOMPARE(pre.channel(0).gain, 0.0f);                                // ignored whole
        out.receive(Proto::OutLevelCmd::Mute, 0x80, 20, QByteArray(20, 1)); // first 16 used
        QVERIFY(out.muteButton(15)->isChecked());
        out.receive(6, 0x80, 16, QByteArray(16, 1)); // not an output command
        pre.receive(5, 0x80, 16, QByteArray(16, 1));
        pre.receive(Proto::PreMixCmd::Mute, 0x80, 17, QByteArray(17, 1));
        QVERIFY(!pre.muteButton(0)->isChecked());
    }

    void priorityIsNotLinked()
    {
        LoopbackPeer peer;
        QPreMixLevel page;
        page.show();
        page.receive(Proto::PreMixCmd::Group, 0x80, 16, QByteArray(16, 3));
        QTest::mouseClick(page.priorityButton(4), Qt::LeftButton);
        QVERIFY(page.priorityButton(4)->isChecked());
        QVERIFY(!page.priorityButton(5)->isChecked());
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(int(peer.frames().at(0).cmd), 8);
        QCOMPARE(peer.frames().at(0).payload, QByteArray::fromHex("0401"));
        page.receive(Proto::PreMixCmd::Priority, 0x80, 16, QByteArray(16, 1));
        QVERIFY(page.priorityButton(9)->isChecked());
        QVERIFY(peer.staysQuiet(100)); // set from the unit: nothing sent
    }

    void typedPreMixBelowScaleIsOff()
    {
        LoopbackPeer peer;
        QPreMixLevel page;
        page.show();
        typeText(page.gainEdit(0), QStringLiteral("-60.0"));
        QCOMPARE(page.gainEdit(0)->text(), QStringLiteral("-56.0"));
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(int(peer.frames().at(0).module), 7);
        QCOMPARE(int(peer.frames().at(0).cmd), 2);
        QCOMPARE(peer.frames().at(0).payload, QByteArray::fromHex("00") + Le::bytes(-100.0f));
        QCOMPARE(page.fader(0)->minimum(), -56.0f);
        // The field takes no letters, and an edit left unfinished shows the
        // unit's value again once the operator leaves the field.
        typeText(page.gainEdit(1), QStringLiteral("abc"));
        QCOMPARE(page.gainEdit(1)->text(), QString());
        page.gainEdit(0)->setFocus();
        QCOMPARE(page.gainEdit(1)->text(), QStringLiteral("0.0"));
        QCOMPARE(peer.frames().size(), 1);
    }

    void refreshOrders()
    {
        for (int which = 0; which < 2; ++which) {
            LoopbackPeer peer;
            QOutLevel out;
            QPreMixLevel pre;
            LevelPage &page = which ? static_cast<LevelPage &>(pre) : out;
            page.refresh();
            const int count = which ? 6 : 5;
            QVERIFY(peer.waitForFrames(count));
            QVector<int> cmds;
            for (const Proto::Frame &f : peer.frames())
                cmds.append(f.cmd);
            QCOMPARE(cmds,
                     which ? QVector<int>({1, 3, 2, 4, 6, 8}) : QVector<int>({2, 4, 3, 5, 7}));
        }
    }
};

QTEST_MAIN(TestLevelPages)
#include "tst_levelpages.moc"
