// The automixer page: the open-microphone count and the attenuation it
// gives, the unit's switch answers, the nom level, the threshold it passes
// to the gate page, and the gate's values both pages show from one state.

#include "model/unitstate.h"
#include "pages/dynamics/gatelamp.h"
#include "pages/dynamics/qautomixer.h"
#include "pages/dynamics/qgate.h"
#include "pages/knobfield.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "tests/support/loopbackpeer.h"
#include "tests/support/pagetest.h"
#include "widgets/qfader.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

using namespace Proto::AutoMixerCmd;

// One byte per channel: 1 for the channels listed.
QByteArray flags(std::initializer_list<int> on, int size = 16)
{
    QByteArray out(size, '\0');
    for (int c : on)
        out[c] = 1;
    return out;
}

} // namespace

class TestAutoMixer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void attenuationFollowsOpenMicrophones_data()
    {
        QTest::addColumn<QVector<int>>("open");
        QTest::addColumn<QVector<int>>("autoEnabled");
        QTest::addColumn<int>("nomLevel");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("attenuation");
        QTest::newRow("three open, nom 3")
            << QVector<int>{1, 4, 9} << QVector<int>{1, 4, 9, 12} << 3 << "3"
            << "-6dB" << -6;
        QTest::newRow("one open") << QVector<int>{4} << QVector<int>{4} << 5 << "1"
                                  << "0dB" << 0;
        QTest::newRow("open but not taking part")
            << QVector<int>{0, 1, 2} << QVector<int>{2} << 4 << "1"
            << "0dB" << 0;
        QTest::newRow("five open, nom 5")
            << QVector<int>{0, 1, 2, 3, 15} << QVector<int>{0, 1, 2, 3, 15} << 5 << "5"
            << "-20dB" << -20;
    }

    void attenuationFollowsOpenMicrophones()
    {
        QFETCH(QVector<int>, open);
        QFETCH(QVector<int>, autoEnabled);
        QFETCH(int, nomLevel);
        QFETCH(int, attenuation);
        QAutoMixer page;
        for (int c : open)
            page.setGateOn(uchar(c), true);
        QByteArray en(16, '\0');
        for (int c : autoEnabled)
            en[c] = 1;
        page.receive(AutoEnable, 0x80, 16, en);
        page.receive(OutEnable, 0x80, 16, flags({0, 3}));
        // The counts change only with the nom level answer.
        QCOMPARE(page.micCountLabel()->text(), QStringLiteral("0"));
        page.receive(NomLevel, 0x80, 1, QByteArray(1, char(nomLevel)));
        QCOMPARE(page.nomLevelBox()->currentText(), QString::number(nomLevel));
        QTEST(page.micCountLabel()->text(), "count");
        QTEST(page.totalNomLabel()->text(), "total");
        for (int c = 0; c < 16; ++c) {
            const int expected = (c == 0 || c == 3) ? attenuation : 0;
            QCOMPARE(page.attenuation(c), expected);
            QCOMPARE(page.attenuationEdit(c)->text(), QStringLiteral("%1dB").arg(expected));
            QCOMPARE(page.attenuationFader(c)->value(), float(qMax(-56, expected)));
        }
    }

    void switchAnswers()
    {
        LoopbackPeer peer;
        QAutoMixer page;
        page.receive(AutoEnable, 0x80, 16, flags({0, 1, 2, 3, 8, 9, 10}));
        // A shorter answer sets the channels it covers; any non-zero byte is on.
        QByteArray eight = flags({}, 8);
        eight[5] = 2;
        page.receive(AutoEnable, 0x80, 8, eight);
        for (int c = 0; c < 16; ++c) {
            const bool on = c == 5 || c == 8 || c == 9 || c == 10;
            QCOMPARE(page.isAutoEnabled(c), on);
            QCOMPARE(page.autoEnableButton(c)->isChecked(), on);
        }
        page.receive(AutoEnable, 0x82, 16, QByteArray(16, 1));
        page.receive(AutoEnable, 0x80, 0, QByteArray());
        QVERIFY(!page.isAutoEnabled(0));

        // An output switched on by a byte of 2 is attenuated like any other.
        page.setGateOn(5, true);
        page.setGateOn(8, true);
        QByteArray outputs(16, '\0');
        outputs[7] = 2;
        page.receive(OutEnable, 0x80, 16, outputs);
        QVERIFY(page.outputEnableButton(7)->isChecked());
        page.receive(NomLevel, 0x80, 1, QByteArray(1, 2));
        QCOMPARE(page.attenuation(7), -2);
        QVERIFY(peer.staysQuiet(100)); // answers send nothing back
    }

    void nomLevelAnswers_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("index");
        QTest::newRow("4") << QByteArray(1, 4) << 3;
        QTest::newRow("0 ignored") << QByteArray(1, 0) << 1;
        QTest::newRow("6 ignored") << QByteArray(1, 6) << 1;
        QTest::newRow("two bytes ignored") << QByteArray(2, 4) << 1;
    }

    void nomLevelAnswers()
    {
        QFETCH(QByteArray, payload);
        LoopbackPeer peer;
        QAutoMixer page;
        page.receive(NomLevel, 0x80, 1, QByteArray(1, 2));
        QSignalSpy changes(page.nomLevelBox(), qOverload<int>(&QComboBox::currentIndexChanged));
        page.receive(NomLevel, 0x80, quint16(payload.size()), payload);
        QTEST(page.nomLevelBox()->currentIndex(), "index");
        QCOMPARE(page.nomLevel(), page.nomLevelBox()->currentIndex() + 1);
        QCOMPARE(changes.size(), 0);
        QVERIFY(peer.staysQuiet(100));
    }

    void nomLevelIsSentWithoutChannelByte()
    {
        LoopbackPeer peer;
        QAutoMixer page;
        page.nomLevelBox()->setCurrentIndex(4);
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(peer.rawReceived(), hexBytes("82 7D 01 00 03 0A 03 01 01 00 05 7D 82"));
        QCOMPARE(page.nomLevel(), 5);
    }

    void refreshReadsGateThenMixer()
    {
        LoopbackPeer peer;
        QAutoMixer page;
        page.refresh();
        QVERIFY(peer.waitForFrames(20));
        const QVector<Proto::Frame> &f = peer.frames();
        for (int c = 0; c < 16; ++c) {
            QCOMPARE(int(f[c].module), int(Proto::Module::Gate));
            QCOMPARE(int(f[c].cmd), int(Proto::GateCmd::Record));
            QCOMPARE(f[c].payload, QByteArray(1, char(c)));
        }
        QCOMPARE(int(f[16].cmd), int(Proto::GateCmd::State));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(int(f[17 + i].module), int(Proto::Module::AutoMixer));
            QCOMPARE(int(f[17 + i].cmd), i + 1);
            QCOMPARE(int(f[17 + i].flag), 0);
        }
    }

    void thresholdGoesToTheGatePageAfterTenTicks()
    {
        LoopbackPeer peer;
        QAutoMixer page;
        QSignalSpy passed(&page, qOverload<uchar, int>(&QAutoMixer::threshChanged));
        typeText(page.thresholdControl(4), QStringLiteral("-140"));
        QCOMPARE(page.threshold(4), -120);
        typeText(page.thresholdControl(4), QStringLiteral("-40"));
        ticks(page, 9);
        QCOMPARE(passed.size(), 0);
        ticks(page, 1);
        QCOMPARE(passed.size(), 1);
        QCOMPARE(passed.at(0).at(0).value<uchar>(), uchar(4));
        QCOMPARE(passed.at(0).at(1).toInt(), -40);
        QVERIFY(peer.staysQuiet(100)); // the gate page sends it, not this one

        // Thresholds from the gate page are shown, clamped, and not passed back.
        page.setThreshValue(4, -200);
        QCOMPARE(page.threshold(4), -120);
        QCOMPARE(page.thresholdControl(4)->edit()->text(), QStringLiteral("-120"));
        page.setThreshValue(16, -10);
        page.setGateOn(16, true);
        ticks(page, 10);
        QCOMPARE(passed.size(), 1);
    }

    // The gate page and the automixer page made in one container share its
    // state: what one shows of the gate, the other shows too, with no relay
    // but the threshold the automixer passes for the gate page to write.
    void gateValuesAreSharedWithTheGatePage()
    {
        LoopbackPeer peer;
        QWidget container;
        Model::UnitState state;
        BlockPage::provideState(&container, &state);
        QGate gate(&container);
        QAutoMixer mixer(&container);
        QCOMPARE(&mixer.state(), &state);
        connect(&mixer, qOverload<uchar, int>(&QAutoMixer::threshChanged), &gate,
                qOverload<uchar, int>(&QGate::threshChanged));

        // Gate answers, taken by the gate page, light the automixer's lamps
        // and set its thresholds.
        gate.receive(Proto::GateCmd::State, 0x80, 16, flags({1, 4}));
        gate.receive(Proto::GateCmd::Record, 0x80, 14,
                     Le::bytes(quint8(7), quint8(0), -12.0f, 30.0f, 400.0f));
        QVERIFY(mixer.lamp(1)->isOpen() && mixer.lamp(4)->isOpen() && !mixer.lamp(7)->isOpen());
        QCOMPARE(mixer.thresholdControl(7)->edit()->text(), QStringLiteral("-12"));
        mixer.receive(AutoEnable, 0x80, 16, flags({1, 4}));
        mixer.receive(NomLevel, 0x80, 1, QByteArray(1, 3));
        QCOMPARE(mixer.micCountLabel()->text(), QStringLiteral("2"));

        // A threshold typed on the automixer shows on the gate page at once;
        // the gate page writes it, with the rest of the gate's record, when
        // the automixer passes it on.
        typeText(mixer.thresholdControl(7), QStringLiteral("-50.6"));
        QCOMPARE(gate.control(7, QGate::Threshold)->edit()->text(), QStringLiteral("-50"));
        ticks(mixer, 9);
        QVERIFY(peer.staysQuiet(60));
        ticks(mixer, 1);
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(int(peer.frames().at(0).module), int(Proto::Module::Gate));
        QCOMPARE(peer.frames().at(0).payload,
                 Le::bytes(quint8(7), quint8(0), -50.0f, 30.0f, 400.0f));

        // And one typed on the gate page shows on the automixer.
        typeText(gate.control(2, QGate::Threshold), QStringLiteral("-33"));
        QCOMPARE(mixer.threshold(2), -33);
        QCOMPARE(mixer.thresholdControl(2)->edit()->text(), QStringLiteral("-33"));
    }
};

QTEST_MAIN(TestAutoMixer)
#include "tst_automixer.moc"
