// The echo cancellation and noise reduction pages: what they send, and how
// they take the unit's answers, including a unit without an echo canceller.

#include "model/unitstate.h"
#include "pages/dynamics/ancwidget.h"
#include "pages/dynamics/qaec.h"
#include "protocol/commands.h"
#include "protocol/transport.h"
#include "tests/support/loopbackpeer.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
constexpr quint8 AecEnable = Proto::AecCmd::Enable;
constexpr quint8 AncState = Proto::AncCmd::State;
} // namespace

class TestVoicePages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void aecSwitchHasNoChannelByte()
    {
        LoopbackPeer peer;
        QAec page;
        page.refresh();
        QTest::mouseClick(page.enableButton(), Qt::LeftButton);
        QVERIFY(peer.waitForFrames(2));
        QCOMPARE(peer.rawReceived(), hexBytes("82 7D 01 00 03 0F 01 00 00 00 7D 82"
                                              "82 7D 01 00 03 0F 01 01 01 00 01 7D 82"));
        QVERIFY(page.isEnabledOnUnit());
    }

    void aecAnswers()
    {
        QAec page;
        page.receive(AecEnable, 0x80, 1, QByteArray(1, 5)); // any non-zero byte is on
        QVERIFY(page.enableButton()->isChecked());
        page.receive(AecEnable, 0x80, 2, QByteArray(2, 0));
        page.receive(AecEnable - 1, 0x80, 1, QByteArray(1, 0));
        QVERIFY(page.enableButton()->isChecked());

        // A refusal disables the switch and keeps what it shows, until the
        // unit answers again.
        page.receive(AecEnable, 0x82, 0, QByteArray());
        QVERIFY(!page.enableButton()->isEnabled());
        QVERIFY(page.enableButton()->isChecked());
        page.receive(AecEnable, 0x82, 0, QByteArray());
        page.receive(AecEnable, 0x80, 2, QByteArray(2, 0));
        QVERIFY(!page.enableButton()->isEnabled());
        page.receive(AecEnable, 0x80, 1, QByteArray(1, 0));
        QVERIFY(page.enableButton()->isEnabled());
        QVERIFY(!page.enableButton()->isChecked());
        QVERIFY(!page.isEnabledOnUnit());
    }

    void ancChannelChangeStartsDisabled()
    {
        LoopbackPeer peer;
        ANCWidget page;
        page.receive(AncState, 0x80, 2, QByteArray::fromHex("0102")); // OUT 2, "Strong"
        QCOMPARE(page.channelBox()->currentText(), QStringLiteral("OUT 2"));
        QCOMPARE(page.levelBox()->currentText(), QStringLiteral("Strong"));
        QVERIFY(peer.staysQuiet(100)); // answers send nothing back

        QSignalSpy levelChanges(page.levelBox(), qOverload<int>(&QComboBox::currentIndexChanged));
        page.channelBox()->setCurrentIndex(4);
        QCOMPARE(page.levelBox()->currentText(), QStringLiteral("Disabled"));
        QCOMPARE(levelChanges.size(), 0);
        QVERIFY(peer.waitForFrames(1));
        QVERIFY(peer.staysQuiet(100));
        QCOMPARE(peer.frames().size(), 1);
        QCOMPARE(peer.frames().at(0).payload, QByteArray::fromHex("0400"));

        page.levelBox()->setCurrentIndex(3);
        QVERIFY(peer.waitForFrames(2));
        QCOMPARE(peer.rawReceived().right(14),
                 hexBytes("82 7D 01 00 03 11 01 01 02 00 04 03 7D 82"));
    }

    // What another page or a script sets in the unit's state shows at once.
    void controlsShowTheState()
    {
        QAec aec;
        ANCWidget anc;
        const Model::Catalogue &c = Model::Catalogue::instance();
        QVERIFY(aec.state().setValueText(*c.parse(QStringLiteral("aec.enable")),
                                         QStringLiteral("on"), nullptr));
        QVERIFY(aec.enableButton()->isChecked());
        QSignalSpy changes(anc.levelBox(), qOverload<int>(&QComboBox::currentIndexChanged));
        QVERIFY(anc.state().setValueText(*c.parse(QStringLiteral("anc.channel")),
                                         QStringLiteral("6"), nullptr));
        QVERIFY(anc.state().setValueText(*c.parse(QStringLiteral("anc.level")),
                                         QStringLiteral("strongest"), nullptr));
        QCOMPARE(anc.channelBox()->currentText(), QStringLiteral("OUT 6"));
        QCOMPARE(anc.levelBox()->currentText(), QStringLiteral("Strongest"));
        QCOMPARE(changes.size(), 0);
    }

    void ancAnswersOutOfRange_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("level");
        QTest::newRow("taken") << QByteArray::fromHex("0703") << 0x80 << 7 << 3;
        QTest::newRow("channel 8") << QByteArray::fromHex("0803") << 0x80 << 1 << 3;
        QTest::newRow("level 4") << QByteArray::fromHex("07ff") << 0x80 << 7 << 2;
        QTest::newRow("three bytes") << QByteArray::fromHex("070300") << 0x80 << 1 << 2;
        QTest::newRow("not an answer") << QByteArray::fromHex("0703") << 0x01 << 1 << 2;
    }

    void ancAnswersOutOfRange()
    {
        QFETCH(QByteArray, payload);
        QFETCH(int, flag);
        LoopbackPeer peer;
        ANCWidget page;
        page.receive(AncState, 0x80, 2, QByteArray::fromHex("0102"));
        page.receive(AncState, quint8(flag), quint16(payload.size()), payload);
        QTEST(page.channelBox()->currentIndex(), "channel");
        QTEST(page.levelBox()->currentIndex(), "level");
        // The next send carries only values the boxes offer.
        page.levelBox()->setCurrentIndex(page.levelBox()->currentIndex() == 0 ? 1 : 0);
        QVERIFY(peer.waitForFrames(1));
        QVERIFY(quint8(peer.frames().last().payload.at(0)) < 8);
        QVERIFY(quint8(peer.frames().last().payload.at(1)) < 4);
    }
};

QTEST_MAIN(TestVoicePages)
#include "tst_voicepages.moc"
