// The device settings page and the status model it shows: how the unit's
// answers are shown, which answers are refused, and what edits send.

#include "pages/devicestatus.h"
#include "pages/funcwidget.h"
#include "pages/levels/qoutlevel.h"
#include "pages/levels/qpremixlevel.h"
#include "protocol/lebytes.h"
#include "protocol/localtext.h"
#include "settings/gainlimitpanel.h"
#include "settings/settings.h"
#include "tests/support/loopbackpeer.h"
#include "tests/support/pagetest.h"
#include "widgets/qfader.h"

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <limits>

namespace {

using F = DeviceStatus::Field;

Proto::Frame answer(quint8 cmd, const QByteArray &payload, quint8 flag = 0x80, quint8 module = 2)
{
    return frameOf(2, module, cmd, flag, payload);
}

QByteArray voltages(std::initializer_list<float> values)
{
    QByteArray out;
    for (float v : values)
        Le::append(out, v);
    return out + QByteArray(32 - out.size(), '\0');
}

// Everything the page shows, to check that an answer changed nothing.
QStringList shown(const settings &page)
{
    QStringList out;
    for (QLabel *l : page.findChildren<QLabel *>())
        out << l->text();
    for (QLineEdit *e : page.findChildren<QLineEdit *>())
        out << e->text();
    for (QComboBox *c : page.findChildren<QComboBox *>())
        out << QString::number(c->currentIndex());
    return out;
}

struct Fixture
{
    Fixture() { page.resize(880, 400); }
    LoopbackPeer peer;
    DeviceStatus status;
    settings page{&status};
    QString text(F field) const { return page.valueLabel(field)->text(); }
};

} // namespace

Q_DECLARE_METATYPE(DeviceStatus::Field)

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void identityIsShown_data()
    {
        QTest::addColumn<Proto::Frame>("frame");
        QTest::addColumn<F>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("run time") << answer(6, Le::bytes(quint32(90061))) << F::RunTime
                                  << "1day 01:01:01";
        QTest::newRow("total time, many days")
            << answer(7, Le::bytes(quint32(1234567))) << F::TotalTime << "14day 06:56:07";
        QTest::newRow("channels") << answer(5, QByteArray::fromHex("1008")) << F::ChannelConfig
                                  << "1608";
        QTest::newRow("temperature")
            << answer(9, Le::bytes(41.54f)) << F::Temperature << QString::fromUtf8("41.5\u00B0C");
        QTest::newRow("model ends at NUL")
            << answer(1, QByteArray("DAP-1616\0\0\0\0\0\0\0\0", 16)) << F::ModelName << "DAP-1616";
        QTest::newRow("serial cut to 16 bytes")
            << answer(4, "ABCDEFGHIJKLMNOPQRST") << F::SerialNumber << "ABCDEFGHIJKLMNOP";
        QTest::newRow("short serial") << answer(4, "SN1") << F::SerialNumber << "SN1";
        QTest::newRow("code id") << answer(1, QByteArray::fromHex("000034120000"), 0x80, 4)
                                 << F::CodeId << "4660";
    }

    void identityIsShown()
    {
        QFETCH(Proto::Frame, frame);
        QFETCH(F, field);
        QFETCH(QString, text);
        Fixture fx;
        QVERIFY(fx.status.handle(frame));
        QCOMPARE(fx.text(field), text);
    }

    void blockAnswersAreNotSystemAnswers()
    {
        // op 3 module 2 is the gate; its cmd 10 is no location.
        Fixture fx;
        Proto::Frame gate = answer(10, QByteArray("Gate record....."));
        gate.op = 3;
        QVERIFY(!fx.status.handle(gate));
        QCOMPARE(fx.status.location(), QString());
    }

    void clockIsShown_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("set") << QByteArray::fromHex("0504031f020c18") << "2024-12-31 03:04:05";
        QTest::newRow("longer answer")
            << QByteArray::fromHex("0504031f020c18ff") << "2024-12-31 03:04:05";
        QTest::newRow("all zero") << QByteArray(7, '\0') << "None";
    }

    void clockIsShown()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        Fixture fx;
        fx.status.handle(answer(12, QByteArray::fromHex("3b3b17010101ff")));
        fx.status.handle(answer(12, bytes));
        QCOMPARE(fx.page.clockLabel()->text(), text);
    }

    void badAnswersChangeNothing_data()
    {
        QTest::addColumn<Proto::Frame>("frame");
        QTest::newRow("5-byte clock") << answer(12, QByteArray::fromHex("0504031f02"));
        QTest::newRow("short run time") << answer(6, QByteArray::fromHex("010203"));
        QTest::newRow("read request echoed") << answer(6, Le::bytes(quint32(5)), 0x00);
        QTest::newRow("temperature not a number")
            << answer(9, Le::bytes(std::numeric_limits<float>::quiet_NaN()));
        QTest::newRow("empty fault") << answer(14, QByteArray());
        QTest::newRow("unknown baud") << answer(17, Le::bytes(quint32(38400)));
        QTest::newRow("gate report out of range") << answer(23, QByteArray(1, 2));
        QTest::newRow("network of 11 bytes") << answer(13, QByteArray(11, 1));
        QTest::newRow("voltages of 28 bytes") << answer(20, QByteArray(28, 1));
        QTest::newRow("code id of 4 bytes") << answer(1, QByteArray(4, 1), 0x80, 4);
    }

    void badAnswersChangeNothing()
    {
        QFETCH(Proto::Frame, frame);
        Fixture fx;
        fx.status.handle(answer(9, Le::bytes(20.0f)));
        fx.status.handle(answer(17, Le::bytes(quint32(9600))));
        fx.status.handle(answer(23, QByteArray(1, 1)));
        const QStringList before = shown(fx.page);
        QSignalSpy changes(&fx.status, &DeviceStatus::changed);
        fx.status.handle(frame);
        QCOMPARE(shown(fx.page), before);
        QCOMPARE(changes.count(), 0);
    }

    void voltages()
    {
        Fixture fx;
        for (int i = 0; i < 7; ++i)
            QCOMPARE(fx.page.voltageLabel(i)->text(), QStringLiteral("None"));
        fx.status.handle(answer(20, ::voltages({0.0f, 12.04f, -12.0f, 5.0f, 0.0f, 2.5f, 47.8f})));
        QCOMPARE(fx.page.voltageLabel(0)->text(), QStringLiteral("None"));
        QCOMPARE(fx.page.voltageLabel(1)->text(), QStringLiteral("12.0V"));
        QCOMPARE(fx.page.voltageLabel(2)->text(), QStringLiteral("-12.0V"));
        // A unit that reports none refuses the read, with any length.
        fx.status.handle(answer(20, QByteArray(), 0x82));
        for (int i = 0; i < 7; ++i)
            QCOMPARE(fx.page.voltageLabel(i)->text(), QStringLiteral("Null"));
        // A value that is not a number leaves its label.
        const float nan = std::numeric_limits<float>::quiet_NaN();
        fx.status.handle(answer(20, ::voltages({nan, 3.3f, 0, 0, 0, 0, 0})));
        QCOMPARE(fx.page.voltageLabel(1)->text(), QStringLiteral("3.3V"));
        QCOMPARE(fx.page.voltageLabel(0)->text(), QStringLiteral("None"));
    }

    void faultLabelsAndSignal()
    {
        Fixture fx;
        fx.status.handle(answer(20, ::voltages({12.1f})));
        QSignalSpy faults(&fx.status, &DeviceStatus::sig_fault);
        fx.status.handle(answer(14, QByteArray::fromHex("0900"))); // any length from one byte
        const QStringList texts{fx.page.faultLabel(0)->text(), fx.page.faultLabel(1)->text(),
                                fx.page.faultLabel(2)->text(), fx.page.faultLabel(3)->text()};
        QCOMPARE(texts, (QStringList{"error", "normal", "normal", "alarm"}));
        QVERIFY(fx.page.faultLabel(0)->styleSheet().contains(QLatin1String("204, 0, 0")));
        QVERIFY(fx.page.faultLabel(1)->styleSheet().isEmpty());
        QCOMPARE(faults.count(), 1);
        QCOMPARE(faults.at(0).at(0).value<uchar>(), uchar(9));
        const auto volts = faults.at(0).at(1).value<QVector<float>>();
        QCOMPARE(volts.size(), 7);
        QCOMPARE(volts.at(0), 12.1f);
        fx.status.handle(answer(14, QByteArray(1, 9)));
        QCOMPARE(faults.count(), 1); // unchanged: no signal
    }

    void addressValidators_data()
    {
        QTest::addColumn<bool>("ipField");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("ip 224.1.1.1") << true << "224.1.1.1" << false;
        QTest::newRow("ip 223.255.0.1") << true << "223.255.0.1" << true;
        QTest::newRow("ip 192.168.1.256") << true << "192.168.1.256" << false;
        QTest::newRow("mask 255.255.255.0") << false << "255.255.255.0" << true;
        QTest::newRow("mask 255.255.256.0") << false << "255.255.256.0" << false;
    }

    void addressValidators()
    {
        QFETCH(bool, ipField);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        Fixture fx;
        const QValidator *v = (ipField ? fx.page.ipEdit() : fx.page.maskEdit())->validator();
        int pos = 0;
        QCOMPARE(v->validate(text, pos) == QValidator::Acceptable, accepted);
    }

    void networkWriteSendsAllThree()
    {
        Fixture fx;
        fx.status.handle(
            answer(13, Le::bytes(quint32(0x7F000002), quint32(0xFFFFFF00), quint32(0x7F0000FE))));
        QCOMPARE(fx.page.maskEdit()->text(), QStringLiteral("255.255.255.0"));
        typeText(fx.page.gatewayEdit(), QStringLiteral("127.0.0.254")); // unchanged: nothing sent
        typeText(fx.page.ipEdit(), QStringLiteral("192.168.1.100"));
        QVERIFY(fx.peer.waitForFrames(1));
        QVERIFY(fx.peer.staysQuiet(100));
        QCOMPARE(fx.peer.frames().size(), 1);
        const Proto::Frame &f = fx.peer.frames().at(0);
        QCOMPARE(int(f.cmd), 13);
        QCOMPARE(int(f.flag), 1);
        QCOMPARE(f.payload, QByteArray::fromHex("6401a8c0"
                                                "00ffffff"
                                                "fe00007f"));
        QCOMPARE(fx.page.ipEdit()->text(), QStringLiteral("192.168.1.100"));
    }

    void networkEditWaitsForTheUnitsAddresses()
    {
        Fixture fx;
        typeText(fx.page.ipEdit(), QStringLiteral("10.0.0.5"));
        QCOMPARE(fx.page.ipEdit()->text(), QString()); // restored
        // A cleared status (connection lost) forgets the previous unit's too.
        fx.status.handle(answer(13, QByteArray(12, 1)));
        fx.status.clear();
        typeText(fx.page.maskEdit(), QStringLiteral("255.0.0.0"));
        QCOMPARE(fx.page.maskEdit()->text(), QString());
        QVERIFY(fx.peer.staysQuiet(150));
    }

    void serialSpeeds()
    {
        Fixture fx;
        fx.status.handle(answer(17, Le::bytes(quint32(115200))));
        QCOMPARE(fx.page.rs232Box()->currentIndex(), 3);
        fx.status.handle(answer(17, Le::bytes(quint32(38400))));
        QCOMPARE(fx.page.rs232Box()->currentIndex(), 3);
        QVERIFY(fx.peer.staysQuiet(100)); // shown, not sent back
        emit fx.page.rs232Box()->activated(1);
        QVERIFY(fx.peer.waitForFrames(1));
        QCOMPARE(int(fx.peer.frames().at(0).cmd), 17);
        QCOMPARE(fx.peer.frames().at(0).payload, Le::bytes(quint32(19200)));
    }

    void textsAreCutToTheUnitsField_data()
    {
        QTest::addColumn<bool>("location");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("20 letters") << true << "ABCDEFGHIJKLMNOPQRST"
                                    << "ABCDEFGHIJKLMNOP";
        // Two bytes per character: a ninth would cut one in half.
        QTest::newRow("wide characters") << false << QString::fromUtf8("一二三四五六七八九")
                                         << QString::fromUtf8("一二三四五六七八");
    }

    void textsAreCutToTheUnitsField()
    {
        QFETCH(bool, location);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Fixture fx;
        QSignalSpy shownTexts(&fx.status, location ? &DeviceStatus::sig_location
                                                   : &DeviceStatus::sig_description);
        QLineEdit *field = location ? fx.page.locationEdit() : fx.page.descriptionEdit();
        typeText(field, typed);
        QCOMPARE(field->text(), kept);
        QCOMPARE(shownTexts.count(), 1);
        QCOMPARE(shownTexts.at(0).at(0).toString(), kept);
        QVERIFY(fx.peer.waitForFrames(1));
        const Proto::Frame &f = fx.peer.frames().at(0);
        QCOMPARE(int(f.cmd), location ? 10 : 11);
        QCOMPARE(int(f.length), 16);
        QCOMPARE(f.payload, LocalText::encode(kept));
        typeText(field, kept); // finishing again without a change sends nothing
        QVERIFY(fx.peer.staysQuiet(100));
    }

    void clockCalibrationAndGateReport()
    {
        Fixture fx;
        fx.status.calibrateClock(QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
        emit fx.page.gateReportBox()->activated(1);
        QVERIFY(fx.peer.waitForFrames(2));
        QCOMPARE(fx.peer.frames().at(0).payload, QByteArray::fromHex("09080706000518"));
        QCOMPARE(int(fx.peer.frames().at(1).cmd), 23);
        QCOMPARE(fx.peer.frames().at(1).payload, QByteArray(1, 1));
    }

    void gainLimits()
    {
        Fixture fx;
        fx.page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fx.page));
        GainLimitPanel *limits = fx.page.gainLimits();
        fx.page.setInGainLimit(3, 6, -20);
        QCOMPARE(limits->spinBox(GainLimitPanel::Input, GainLimitPanel::Maximum, 3)->value(), 6);
        QCOMPARE(limits->spinBox(GainLimitPanel::Input, GainLimitPanel::Minimum, 3)->value(), -20);
        fx.page.setOutGainLimit(16, 0, 0); // no such channel
        QVERIFY(fx.peer.staysQuiet(100));

        QSpinBox *outMin = limits->spinBox(GainLimitPanel::Output, GainLimitPanel::Minimum, 2);
        outMin->setValue(-30);
        // A reply to a read made before the edit waits for the hold to end.
        fx.page.setOutGainLimit(2, 12, -56);
        QCOMPARE(outMin->value(), -30);
        QVERIFY(fx.peer.waitForFrames(1));
        const Proto::Frame &f = fx.peer.frames().at(0);
        QCOMPARE(int(f.op), 3);
        QCOMPARE(int(f.module), 11);
        QCOMPARE(int(f.cmd), 7);
        QCOMPARE(f.payload, QByteArray::fromHex("020ce2")); // channel 2, 12, -30
        QTRY_COMPARE(outMin->value(), -56);
    }

    void clearForgetsTheUnit()
    {
        Fixture fx;
        fx.status.handle(answer(2, QByteArray::fromHex("020904")));
        fx.status.handle(answer(4, "SN1"));
        fx.status.handle(answer(6, Le::bytes(quint32(5))));
        fx.status.handle(answer(14, QByteArray(1, 2)));
        fx.status.handle(answer(20, QByteArray(), 0x82));
        QSignalSpy faults(&fx.status, &DeviceStatus::sig_fault);
        QSignalSpy serials(&fx.status, &DeviceStatus::sig_sn);
        fx.status.setDeviceId(77);
        fx.status.clear();
        QCOMPARE(fx.text(F::ArmVersion), QStringLiteral("V0.0.0"));
        QCOMPARE(fx.text(F::SerialNumber), QString());
        QCOMPARE(fx.text(F::RunTime), QString());
        QCOMPARE(fx.page.voltageLabel(0)->text(), QStringLiteral("None"));
        QCOMPARE(fx.page.faultLabel(1)->text(), QStringLiteral("normal"));
        QCOMPARE(fx.text(F::DeviceId), QStringLiteral("77")); // the selection stays
        // The overview and the fault report hear of it.
        QCOMPARE(faults.count(), 1);
        QCOMPARE(faults.at(0).at(0).value<uchar>(), uchar(0));
        QCOMPARE(serials.count(), 1);
    }

    // The limits are one value in the container's state: what the settings
    // page sets bounds the level page's gain, and what the level page takes
    // from the unit shows on the settings page.
    void limitsAreSharedWithTheLevelPages_data()
    {
        QTest::addColumn<bool>("outputs");
        QTest::newRow("pre-mix") << false;
        QTest::newRow("output") << true;
    }

    void limitsAreSharedWithTheLevelPages()
    {
        QFETCH(bool, outputs);
        LoopbackPeer peer;
        FuncWidget container;
        settings *page = settings::install(&container);
        LevelPage *level = outputs ? static_cast<LevelPage *>(container.outLevel())
                                   : static_cast<LevelPage *>(container.preMixLevel());
        const auto side = outputs ? GainLimitPanel::Output : GainLimitPanel::Input;

        QByteArray limits;
        for (int c = 0; c < 16; ++c)
            limits += Le::bytes(c == 9 ? 2.0f : 12.0f, c == 9 ? -30.0f : -56.0f);
        level->receive(outputs ? 7 : 6, 0x80, quint16(limits.size()), limits);
        QCOMPARE(page->gainLimits()->maximum(side, 9), 2);
        QCOMPARE(page->gainLimits()->minimum(side, 9), -30);

        page->gainLimits()->spinBox(side, GainLimitPanel::Maximum, 3)->setValue(6);
        page->gainLimits()->spinBox(side, GainLimitPanel::Minimum, 3)->setValue(-20);
        QCOMPARE(level->channel(3).upperLimit, 6);
        QCOMPARE(level->channel(3).lowerLimit, -20);
        emit level->fader(3)->valueChanged(10.0f);
        QCOMPARE(level->gainEdit(3)->text(), QStringLiteral("6.0"));
        emit level->fader(3)->valueChanged(-40.0f);
        QCOMPARE(level->gainEdit(3)->text(), QStringLiteral("-20.0"));
        QCOMPARE(level->gainEdit(4)->text(), QStringLiteral("0.0")); // its own limits
    }

    void containerRoutesSettingsAnswers()
    {
        FuncWidget container;
        settings *page = settings::install(&container);
        QCOMPARE(container.page(FuncWidget::Settings), page);
        // Support answers set the page buttons and reach the page as well.
        container.systemDispatch(answer(28, QByteArray(1, 1)));
        QVERIFY(!container.pageButton(FuncWidget::Anc)->isHidden());
        QCOMPARE(page->valueLabel(F::AncSupport)->text(), QStringLiteral("Yes"));
        container.systemDispatch(answer(1, QByteArray::fromHex("000001000000"), 0x80, 4));
        QCOMPARE(page->valueLabel(F::CodeId)->text(), QStringLiteral("1"));
        // Limits the pre-mix page reads reach the spin boxes.
        QByteArray limits;
        for (int c = 0; c < 16; ++c)
            limits += Le::bytes(c == 5 ? 3.0f : 12.0f, -56.0f);
        container.preMixLevel()->receive(6, 0x80, quint16(limits.size()), limits);
        QCOMPARE(page->gainLimits()->maximum(GainLimitPanel::Input, 5), 3);
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
