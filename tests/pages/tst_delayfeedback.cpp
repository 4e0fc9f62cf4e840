// The delay pages (milliseconds, meters and feet in step, the hold) and the
// feedback suppressor page.

#include "model/unitstate.h"
#include "pages/filters/qfeedback.h"
#include "pages/filters/qindelay.h"
#include "pages/filters/qoutdelay.h"
#include "pages/funcwidget.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "tests/support/loopbackpeer.h"
#include "tests/support/pagetest.h"
#include "widgets/elidedlabel.h"
#include "widgets/knob.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cmath>

namespace {

// A value typed in a box and confirmed.
void enter(QDoubleSpinBox *box, double value)
{
    box->setValue(value);
}

QByteArray delays(std::initializer_list<float> first, float rest = 0.0f)
{
    QByteArray out;
    for (float v : first)
        Le::append(out, v);
    while (out.size() < 64)
        Le::append(out, rest);
    return out;
}

void receive(BlockPage &page, quint8 cmd, const QByteArray &payload)
{
    page.receive(cmd, 0x80, quint16(payload.size()), payload);
}

} // namespace

class TestDelayFeedback : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void unitsStayInStep()
    {
        QInDelay page;
        enter(page.metersBox(2), 34.0);
        QCOMPARE(page.delay(2), 100.0f);
        QCOMPARE(page.msBox(2)->text(), QStringLiteral("100.00"));
        QCOMPARE(page.feetBox(2)->text(), QStringLiteral("111.547"));
        QCOMPARE(page.knob(2)->value(), 10000.0f);
        enter(page.msBox(3), 1000.0);
        QCOMPARE(page.metersBox(3)->text(), QStringLiteral("340.000"));
        QCOMPARE(page.feetBox(3)->text(), QStringLiteral("1115.472"));
        enter(page.feetBox(4), 1115.472); // the largest distance: exactly the largest delay
        QCOMPARE(page.delay(4), 1000.0f);
        emit page.knob(5)->valueChanged(2550.0f);
        QCOMPARE(page.msBox(5)->text(), QStringLiteral("25.50"));
        QCOMPARE(page.metersBox(5)->text(), QStringLiteral("8.670"));
        // The output page goes to 2000 ms.
        QOutDelay out;
        QCOMPARE(out.msBox(0)->maximum(), 2000.0);
        QCOMPARE(out.knob(0)->maximum(), 200000.0f);
        QCOMPARE(out.feetBox(0)->maximum(), 2230.944);
        QCOMPARE(page.msBox(0)->maximum(), 1000.0);
    }

    void knobRoundsHalvesUp_data()
    {
        QTest::addColumn<float>("ms");
        QTest::addColumn<float>("knob");
        QTest::newRow("0.125") << 0.125f << 13.0f;
        QTest::newRow("12.345") << 12.345f << 1235.0f;
        QTest::newRow("0.124") << 0.124f << 12.0f;
        QTest::newRow("above range") << 1500.0f << 100000.0f;
    }
    void knobRoundsHalvesUp()
    {
        QFETCH(float, ms);
        QFETCH(float, knob);
        QInDelay page;
        receive(page, Proto::DelayCmd::Delay, delays({ms}));
        QCOMPARE(page.knob(0)->value(), knob);
    }

    void answersWaitForTheHoldAndAreChecked()
    {
        LoopbackPeer peer;
        QInDelay page;
        emit page.knob(0)->valueChanged(500.0f);
        ticks(page, 15); // 150 ms: sent, still holding
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(peer.frames().at(0).payload, Le::bytes(quint8(0), 5.0f));
        receive(page, Proto::DelayCmd::Delay, delays({9.0f}));
        QCOMPARE(page.delay(0), 5.0f);
        ticks(page, 10); // 250 ms
        receive(page, Proto::DelayCmd::Delay, delays({9.0f, std::nanf(""), -4.0f}, 1.5f));
        QCOMPARE(page.delay(0), 9.0f);
        QCOMPARE(page.delay(1), 0.0f); // not a number: skipped
        QCOMPARE(page.delay(2), 0.0f); // clamped
        QCOMPARE(page.delay(15), 1.5f);
        page.receive(Proto::DelayCmd::Delay, 0x80, 60, delays({7.0f}).left(60));
        page.receive(Proto::DelayCmd::Delay, 0x82, 64, delays({7.0f}));
        page.receive(2, 0x80, 64, delays({7.0f}));
        QCOMPARE(page.delay(0), 9.0f);
    }

    void twoChannelsTwoCommands()
    {
        LoopbackPeer peer;
        QOutDelay page;
        enter(page.msBox(0), 12.5);
        enter(page.msBox(1), 1500.0);
        ticks(page, 10);
        QVERIFY(peer.waitForFrames(2));
        QCOMPARE(int(peer.frames().at(0).module), 14);
        QCOMPARE(peer.frames().at(0).payload, Le::bytes(quint8(0), 12.5f));
        QCOMPARE(peer.frames().at(1).payload, Le::bytes(quint8(1), 1500.0f));
        page.refresh();
        QVERIFY(peer.waitForFrames(3));
        QCOMPARE(int(peer.frames().at(2).flag), 0);
        QCOMPARE(peer.frames().at(2).payload, QByteArray());
    }

    void delayChannelNames()
    {
        QInDelay page;
        page.setInputName(4, QStringLiteral("Choir left"));
        auto *name = page.findChildren<ElidedLabel *>().at(4);
        QCOMPARE(name->text(), QStringLiteral("Choir left"));
        QCOMPARE(name->parentWidget()->findChild<QLabel *>(QStringLiteral("titleLabel"))->toolTip(),
                 QStringLiteral("Choir left"));
    }

    // The pages of a container keep their values in its unit state, at the
    // paths backups and dapctl name them by.
    void editsAndAnswersAreTheContainersState()
    {
        FuncWidget container;
        const Model::UnitState &state = *container.unitState();
        const Model::Catalogue &paths = Model::Catalogue::instance();
        enter(container.inDelay()->msBox(3), 250.0);
        enter(container.outDelay()->msBox(3), 1750.0);
        container.feedback()->enableButton(6)->click();
        QCOMPARE(state.number(paths.id("input.#.delay", 3)), 250.0);
        QCOMPARE(state.number(paths.id("output.#.delay", 3)), 1750.0);
        QVERIFY(state.isOn(paths.id("input.#.feedback", 6)));

        ticks(*container.outDelay(), DelayPage::HoldTicks); // the edit is sent, the hold over
        receive(*container.outDelay(), Proto::DelayCmd::Delay, delays({1.0f, 2.0f}, 3.0f));
        QCOMPARE(state.number(paths.id("output.#.delay", 1)), 2.0);
        QCOMPARE(state.number(paths.id("output.#.delay", 3)), 3.0);
        QCOMPARE(state.number(paths.id("input.#.delay", 1)), 0.0);
        QCOMPARE(container.outDelay()->msBox(3)->text(), QStringLiteral("3.00"));
        QByteArray switches(16, '\0');
        switches[15] = 1;
        receive(*container.feedback(), Proto::FeedbackCmd::Enable, switches);
        QVERIFY(state.isOn(paths.id("input.#.feedback", 15)));
        QVERIFY(!state.isOn(paths.id("input.#.feedback", 6)));
        QVERIFY(!container.feedback()->enableButton(6)->isChecked());
    }

    void feedbackSwitches()
    {
        LoopbackPeer peer;
        QFeedback page;
        page.enableButton(2)->click();
        QVERIFY(page.channelEnabled(2));
        QVERIFY(peer.waitForFrames(1)); // at once, no tick needed
        const Proto::Frame &f = peer.frames().at(0);
        QCOMPARE(int(f.module), 3);
        QCOMPARE(int(f.cmd), 1);
        QCOMPARE(int(f.flag), 1);
        QCOMPARE(f.payload, QByteArray::fromHex("0201"));

        QByteArray state(16, '\0');
        state[5] = 2;
        for (int size : {15, 17})
            receive(page, 1, state.leftJustified(size, '\1', true));
        QVERIFY(page.channelEnabled(2));
        QVERIFY(!page.channelEnabled(0));
        receive(page, 1, state);
        QVERIFY(page.channelEnabled(5));
        QVERIFY(page.enableButton(5)->isChecked());
        QVERIFY(!page.channelEnabled(2));
        QVERIFY(!page.enableButton(2)->isChecked());
        QVERIFY(peer.staysQuiet(60));
        QCOMPARE(peer.frames().size(), 1);
    }
};

QTEST_MAIN(TestDelayFeedback)
#include "tst_delayfeedback.moc"
