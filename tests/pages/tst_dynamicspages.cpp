// The input and output limiter pages and the automatic gain control page:
// the rules the three share (edit hold, answers taken, channel switch, copy,
// reset), then each page's own fields and curve.

#include "model/unitstate.h"
#include "pages/dynamics/agccurve.h"
#include "pages/dynamics/limitcurve.h"
#include "pages/dynamics/qagcgraph.h"
#include "pages/dynamics/qagcwidget.h"
#include "pages/dynamics/qinlimiter.h"
#include "pages/dynamics/qoutlimiter.h"
#include "pages/dynamics/qtlimitctrl.h"
#include "pages/knobfield.h"
#include "pages/operatorprompt.h"
#include "protocol/lebytes.h"
#include "tests/support/loopbackpeer.h"
#include "tests/support/pagetest.h"
#include "widgets/knob.h"
#include "widgets/qchannelselect.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QValidator>

#include <limits>
#include <memory>

namespace {

enum Kind
{
    InLimiter,
    OutLimiter,
    Agc
};

std::unique_ptr<ChannelRecordPage> makePage(int kind)
{
    if (kind == InLimiter)
        return std::make_unique<QInLimiter>();
    if (kind == OutLimiter)
        return std::make_unique<QOutLimiter>();
    return std::make_unique<QAGCWidget>();
}

// The first knob of every page is its threshold.
KnobField *thresholdOf(ChannelRecordPage &page)
{
    return page.findChildren<KnobField *>().value(0);
}

// Answers: channel, enable, then the record's floats.
QByteArray limiterState(quint8 channel, quint8 enable, float threshold, float ratio, float attack,
                        float decay)
{
    return Le::bytes(channel, enable, threshold, ratio, attack, decay);
}

QByteArray agcState(quint8 channel, quint8 enable, float threshold, float target, float ratio,
                    float attack, float decay)
{
    return Le::bytes(channel, enable, threshold, target, ratio, attack, decay);
}

// A state answer for any page, with the given threshold and enable on.
QByteArray stateOf(int kind, quint8 channel, float threshold)
{
    return kind == Agc ? agcState(channel, 1, threshold, 0, 1, 20, 20)
                       : limiterState(channel, 1, threshold, 2, 1, 5);
}

void feed(ChannelRecordPage &page, const QByteArray &payload, quint8 cmd = 1, quint8 flag = 0x80)
{
    page.receive(cmd, flag, quint16(payload.size()), payload);
}

// Drags from the middle of a widget by an offset.
void drag(QWidget *w, QPoint by)
{
    dragMouse(w, w->rect().center(), w->rect().center() + by);
}

bool isDiagonal(const QAGCGraph *g)
{
    return agcCurve(g->threshold(), g->target(), g->ratio(), g->isBypassed()) ==
           QVector<QPointF>{{-120, -120}, {0, 0}};
}

class ScriptedPrompt final : public OperatorPrompt
{
public:
    explicit ScriptedPrompt(int answer) : m_answer(answer) { install(this); }
    ~ScriptedPrompt() override { install(nullptr); }
    int ask(QWidget *, QMessageBox::Icon, const QString &title, const QString &text,
            const QStringList &, int) override
    {
        asked.append(title + QLatin1Char('|') + text);
        return m_answer;
    }
    QStringList asked;

private:
    int m_answer;
};

} // namespace

class TestDynamicsPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void kinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("in limiter") << int(InLimiter);
        QTest::newRow("out limiter") << int(OutLimiter);
        QTest::newRow("agc") << int(Agc);
    }

    void answersInsideTheHoldIgnored_data() { kinds_data(); }
    void answersInsideTheHoldIgnored()
    {
        QFETCH(int, kind);
        LoopbackPeer peer;
        const auto page = makePage(kind);
        page->show();
        KnobField *threshold = thresholdOf(*page);
        typeText(threshold, QStringLiteral("-10"));
        feed(*page, stateOf(kind, 0, -40));
        QCOMPARE(threshold->edit()->text(), QStringLiteral("-10.0"));
        QVERIFY(peer.waitForFrames(1)); // sent on the 10th tick
        // The input limiter's hold ends with the send; the others hold 50 ticks.
        feed(*page, stateOf(kind, 0, -40));
        QCOMPARE(threshold->edit()->text(),
                 QString::fromLatin1(kind == InLimiter ? "-40.0" : "-10.0"));
        QTRY_VERIFY((feed(*page, stateOf(kind, 0, -40)),
                     threshold->edit()->text() == QLatin1String("-40.0")));
        QVERIFY(page->enableButton()->isChecked());
        QVERIFY(peer.staysQuiet(100)); // applying an answer sends nothing
        QCOMPARE(peer.frames().size(), 1);
    }

    void answersThatChangeNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("cmd");
        QTest::addColumn<int>("flag");
        const QByteArray limiter = stateOf(InLimiter, 0, -10);
        const QByteArray agc = stateOf(Agc, 0, -10);
        QTest::newRow("another channel")
            << int(InLimiter) << stateOf(InLimiter, 1, -10) << 1 << 0x80;
        QTest::newRow("17 bytes") << int(InLimiter) << limiter.left(17) << 1 << 0x80;
        QTest::newRow("19 bytes") << int(OutLimiter) << limiter + '\0' << 1 << 0x80;
        QTest::newRow("flag 0") << int(OutLimiter) << limiter << 1 << 0x00;
        QTest::newRow("agc 21 bytes") << int(Agc) << agc.left(21) << 1 << 0x80;
        QTest::newRow("agc another channel") << int(Agc) << stateOf(Agc, 5, -10) << 1 << 0x80;
    }

    void answersThatChangeNothing()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, payload);
        QFETCH(int, cmd);
        QFETCH(int, flag);
        const auto page = makePage(kind);
        const QString before = thresholdOf(*page)->edit()->text();
        feed(*page, payload, quint8(cmd), quint8(flag));
        QCOMPARE(thresholdOf(*page)->edit()->text(), before);
        QVERIFY(!page->enableButton()->isChecked());
    }

    void channelSwitchSendsThePendingEditForTheOldChannel_data() { kinds_data(); }
    void channelSwitchSendsThePendingEditForTheOldChannel()
    {
        QFETCH(int, kind);
        LoopbackPeer peer;
        const auto page = makePage(kind);
        page->show();
        typeText(thresholdOf(*page), QStringLiteral("-10"));
        QTest::mouseClick(page->channelButton(1), Qt::LeftButton);
        QCOMPARE(page->currentChannel(), 1);
        QVERIFY(!page->channelButton(0)->isChecked());
        QVERIFY(peer.waitForFrames(2));
        QVERIFY(peer.staysQuiet(200));
        QCOMPARE(peer.frames().size(), 2);
        QCOMPARE(int(peer.frames().at(0).payload.at(0)), 0); // for the channel edited
        QCOMPARE(Le::get<float>(peer.frames().at(0).payload, 2), -10.0f);
        // Channel 2 is read at once, and until its answer its record is not
        // edited: a record made of channel 1's values would overwrite it.
        QCOMPARE(int(peer.frames().at(1).flag), 0);
        QCOMPARE(peer.frames().at(1).payload, QByteArray(1, 1));
        QVERIFY(!thresholdOf(*page)->isEnabled());
        QVERIFY(!page->enableButton()->isEnabled());
        emit thresholdOf(*page)->knobMoved(-3.0f);
        page->enableClicked(true);
        QVERIFY(peer.staysQuiet(150));
        // The hold ended with the switch: channel 2's state shows at once.
        feed(*page, stateOf(kind, 1, -40));
        QCOMPARE(thresholdOf(*page)->edit()->text(), QStringLiteral("-40.0"));
        QVERIFY(thresholdOf(*page)->isEnabled());
        // A click on the current channel keeps it checked and reads nothing.
        QTest::mouseClick(page->channelButton(1), Qt::LeftButton);
        QVERIFY(page->channelButton(1)->isChecked());
        QVERIFY(peer.staysQuiet(60));
        page->enableClicked(false);
        QVERIFY(peer.waitForFrames(3));
        // The record written is channel 2's as the unit reported it.
        const QByteArray written = peer.frames().at(2).payload;
        QCOMPARE(int(written.at(0)), 1);
        QCOMPARE(int(written.at(1)), 0);
        QCOMPARE(Le::get<float>(written, 2), -40.0f);
    }

    void copyTo_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("payload");
        // Source channel 3; inputs 2 and 5 and (where offered) output 1 chosen.
        QTest::newRow("in limiter") << int(InLimiter) << QByteArray::fromHex("02 1200 0100");
        QTest::newRow("out limiter") << int(OutLimiter) << QByteArray::fromHex("02 1200 0100");
        QTest::newRow("agc, inputs only") << int(Agc) << QByteArray::fromHex("02 1200");
    }

    void copyTo()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, payload);
        LoopbackPeer peer;
        const auto page = makePage(kind);
        page->show();
        QTest::mouseClick(page->channelButton(2), Qt::LeftButton);
        QVERIFY(peer.waitForFrames(1)); // channel 3 read
        feed(*page, stateOf(kind, 2, -20));
        peer.clear();
        typeText(thresholdOf(*page), QStringLiteral("-10")); // still pending
        QTest::mouseClick(page->copyButton(), Qt::LeftButton);
        QChannelSelect *dialog = page->copyDialog();
        QTRY_VERIFY(dialog->isVisible());
        QCOMPARE(dialog->outputButton(0)->isVisible(), kind != Agc);
        // The source is not offered: input 3, or output 3 on the output page.
        QCOMPARE(dialog->inputButton(2)->isEnabled(), kind == OutLimiter);
        QCOMPARE(dialog->outputButton(2)->isEnabled(), kind != OutLimiter);
        dialog->inputButton(1)->click();
        dialog->inputButton(4)->click();
        dialog->outputButton(0)->click();
        dialog->acceptClicked();
        QVERIFY(peer.waitForFrames(2));
        // The edit goes out before the copy, so the copy carries it.
        QCOMPARE(int(peer.frames().at(0).cmd), 1);
        QCOMPARE(Le::get<float>(peer.frames().at(0).payload, 2), -10.0f);
        QCOMPARE(int(peer.frames().at(1).module), kind == InLimiter ? 5 : kind == Agc ? 16 : 13);
        QCOMPARE(int(peer.frames().at(1).cmd), 2);
        QCOMPARE(peer.frames().at(1).payload, payload);
    }

    void resetAsksFirst()
    {
        LoopbackPeer peer;
        QInLimiter page;
        page.show();
        QTest::mouseClick(page.channelButton(5), Qt::LeftButton);
        QVERIFY(peer.waitForFrames(1)); // channel 6 read
        feed(page, limiterState(5, 0, 0, 2, 1, 5));
        peer.clear();
        {
            ScriptedPrompt cancel(1);
            QTest::mouseClick(page.resetButton(), Qt::LeftButton);
            QCOMPARE(cancel.asked, QStringList{QStringLiteral("warning|Clear all setting?")});
            QVERIFY(peer.staysQuiet(100));
        }
        typeText(page.field(LimiterPage::Attack), QStringLiteral("70"));
        ScriptedPrompt ok(0);
        QTest::mouseClick(page.resetButton(), Qt::LeftButton);
        QVERIFY(peer.waitForFrames(3));
        QCOMPARE(peer.frames().at(0).payload, limiterState(5, 0, 0, 2, 70, 5));
        QCOMPARE(int(peer.frames().at(1).cmd), 3);
        QCOMPARE(peer.frames().at(1).payload, QByteArray(1, 5));
        // The defaults are read back before anything is edited again.
        QCOMPARE(int(peer.frames().at(2).flag), 0);
        QCOMPARE(peer.frames().at(2).payload, QByteArray(1, 5));
        QVERIFY(!page.field(LimiterPage::Attack)->isEnabled());
        QVERIFY(peer.staysQuiet(150)); // nothing pending overwrites the reset
    }

    // The record lives in the unit's state at its paths: answers for the
    // channel shown and edits land there, and a channel switch shows what the
    // state holds for the new channel.
    void recordLivesInTheState_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("path"); // of the threshold; %1: the channel
        QTest::newRow("in limiter") << int(InLimiter) << "input.%1.limiter.threshold";
        QTest::newRow("out limiter") << int(OutLimiter) << "output.%1.limiter.threshold";
        QTest::newRow("agc") << int(Agc) << "input.%1.agc.threshold";
    }

    void recordLivesInTheState()
    {
        QFETCH(int, kind);
        QFETCH(QString, path);
        const auto page = makePage(kind);
        Model::UnitState &state = page->state();
        const auto threshold = [&](int channel) {
            return state.number(*Model::Catalogue::instance().parse(path.arg(channel)));
        };
        const double initial = threshold(1);
        page->channelButton(2)->click();
        feed(*page, stateOf(kind, 2, -40));
        feed(*page, stateOf(kind, 5, -20)); // not the channel shown
        QCOMPARE(threshold(3), -40.0);
        QCOMPARE(threshold(6), initial);
        typeText(thresholdOf(*page), QStringLiteral("-12.5"));
        QCOMPARE(threshold(3), -12.5);

        state.setNumber(*Model::Catalogue::instance().parse(path.arg(1)), -7);
        page->channelButton(0)->click();
        QCOMPARE(thresholdOf(*page)->edit()->text(), QStringLiteral("-7.0"));
        QVERIFY(!thresholdOf(*page)->isEnabled()); // until channel 1's answer
        page->channelButton(2)->click();
        QCOMPARE(thresholdOf(*page)->edit()->text(), QStringLiteral("-12.5"));
    }

    // The limiter pages.

    void limiterCurve_data()
    {
        QTest::addColumn<double>("threshold");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<bool>("bypassed");
        QTest::addColumn<int>("knee");
        QTest::addColumn<double>("last"); // the output of point 255
        const double t0 = 25600.0 / 115;  // 0 dB in points
        QTest::newRow("0 dB, 2:1") << 0.0 << 2.0 << false << 223 << (255 + t0) / 2;
        QTest::newRow("0 dB, hard") << 0.0 << 100.0 << false << 223 << t0;
        QTest::newRow("-100 dB, 4:1") << -100.0 << 4.0 << false << 0 << 63.75;
        QTest::newRow("ratio below 1 taken as 1") << -50.0 << 0.5 << false << 112 << 255.0;
        QTest::newRow("bypassed keeps the knee") << 0.0 << 2.0 << true << 77 << 255.0;
    }

    void limiterCurve()
    {
        QFETCH(double, threshold);
        QFETCH(double, ratio);
        QFETCH(bool, bypassed);
        QFETCH(int, knee);
        QFETCH(double, last);
        const LimitCurve c = limitCurve(threshold, ratio, bypassed, 77);
        QCOMPARE(c.knee, knee);
        QCOMPARE(c.output[255], last);
        if (knee > 0) // unity up to the knee
            QCOMPARE(c.output[size_t(knee - 1)], double(knee - 1));
    }

    void limiterTypedValues_data()
    {
        QTest::addColumn<int>("param");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("record"); // empty: the value held already, nothing sent
        const auto rec = [](float threshold, float ratio, float attack, float decay) {
            return limiterState(0, 0, threshold, ratio, attack, decay);
        };
        using P = LimiterPage;
        QTest::newRow("threshold -100") << int(P::Threshold) << "-100"
                                        << "-100.0" << rec(-100, 2, 1, 5);
        QTest::newRow("empty ratio") << int(P::Ratio) << ""
                                     << "1" << rec(0, 1, 1, 5);
        QTest::newRow("ratio 100") << int(P::Ratio) << "100"
                                   << "100" << rec(0, 100, 1, 5);
        QTest::newRow("attack 0") << int(P::Attack) << "0"
                                  << "1" << QByteArray();
        QTest::newRow("attack 250") << int(P::Attack) << "250"
                                    << "250" << rec(0, 2, 250, 5);
        QTest::newRow("decay 2000") << int(P::Decay) << "2000"
                                    << "1000" << rec(0, 2, 1, 1000);
    }

    void limiterTypedValues()
    {
        QFETCH(int, param);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QByteArray, record);
        LoopbackPeer peer;
        QInLimiter page;
        page.show();
        KnobField *field = page.field(LimiterPage::Param(param));
        typeText(field, text);
        QCOMPARE(field->edit()->text(), shown);
        QCOMPARE(page.chart()->ratio(), double(page.params().ratio)); // the chart follows
        if (record.isEmpty()) {
            QVERIFY(peer.staysQuiet(200));
            return;
        }
        QVERIFY(peer.waitForFrames(1));
        const Proto::Frame &f = peer.frames().at(0);
        QCOMPARE(int(f.module), 5);
        QCOMPARE(int(f.flag), 1);
        QCOMPARE(f.payload, record);
        const float scale = param == LimiterPage::Threshold ? 10.0f : 1.0f;
        QCOMPARE(field->knob()->value(), Le::get<float>(record, 2 + 4 * param) * scale);
    }

    void limiterValidators_data()
    {
        QTest::addColumn<int>("param");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("state");
        using P = LimiterPage;
        QTest::newRow("-100") << int(P::Threshold) << "-100" << int(QValidator::Acceptable);
        QTest::newRow("-12.5") << int(P::Threshold) << "-12.5" << int(QValidator::Acceptable);
        QTest::newRow("-101") << int(P::Threshold) << "-101" << int(QValidator::Invalid);
        QTest::newRow("5") << int(P::Threshold) << "5" << int(QValidator::Invalid);
        QTest::newRow("-12.55") << int(P::Threshold) << "-12.55" << int(QValidator::Invalid);
        QTest::newRow("ratio 101") << int(P::Ratio) << "101" << int(QValidator::Invalid);
    }

    void limiterValidators()
    {
        QFETCH(int, param);
        QFETCH(QString, text);
        QFETCH(int, state);
        QInLimiter page;
        const QValidator *v = page.field(LimiterPage::Param(param))->edit()->validator();
        QVERIFY(v);
        int pos = 0;
        QCOMPARE(int(v->validate(text, pos)), state);
    }

    void limiterEnableSendsAtOnce()
    {
        LoopbackPeer peer;
        QOutLimiter page; // not shown: no tick runs, so only what goes out at once is sent
        QVERIFY(page.chart()->isBypassed()); // the block starts disabled
        QTest::mouseClick(page.channelButton(3), Qt::LeftButton);
        QVERIFY(peer.waitForFrames(1)); // channel 4 read
        feed(page, limiterState(3, 0, 0, 2, 1, 5));
        QTest::mouseClick(page.enableButton(), Qt::LeftButton);
        QVERIFY(!page.chart()->isBypassed());
        QVERIFY(peer.waitForFrames(2));
        QCOMPARE(int(peer.frames().at(1).module), 13);
        QCOMPARE(peer.frames().at(1).payload, limiterState(3, 1, 0, 2, 1, 5));
    }

    void limiterKnobBurstSendsOneRecord()
    {
        LoopbackPeer peer;
        QInLimiter page;
        page.show();
        Knob *knob = page.field(LimiterPage::Threshold)->knob();
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(knob, Qt::Key_Down); // one tenth of a dB each
        QElapsedTimer sinceLast;
        sinceLast.start();
        QCOMPARE(page.field(LimiterPage::Threshold)->edit()->text(), QStringLiteral("-0.5"));
        QVERIFY(peer.waitForFrames(1));
        QVERIFY(sinceLast.elapsed() >= 80); // ten 10 ms ticks after the last move
        QVERIFY(peer.staysQuiet(200));
        QCOMPARE(peer.frames().size(), 1);
        QCOMPARE(peer.frames().at(0).payload, limiterState(0, 0, -0.5f, 2, 1, 5));
    }

    void limiterAnswersCheckedAndClamped()
    {
        QInLimiter page;
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float inf = std::numeric_limits<float>::infinity();
        feed(page, limiterState(0, 1, nan, 0.5f, 1e9f, -inf));
        QCOMPARE(page.params().threshold, 0.0f); // not finite: left as it was
        QCOMPARE(page.params().ratio, 1);        // below the range: the knob minimum
        QCOMPARE(page.params().attack, 1000);
        QCOMPARE(page.params().decay, 5);
        QCOMPARE(page.chart()->ratio(), 1.0);
        feed(page, limiterState(0, 1, -64.27f, 300.0f, 0.9f, 99.9f));
        QCOMPARE(page.params().ratio, 100);
        QCOMPARE(page.params().attack, 1);
        QCOMPARE(page.params().decay, 99); // taken whole, toward zero
        QCOMPARE(page.chart()->threshold(), double(-64.27f));
        QCOMPARE(page.field(LimiterPage::Threshold)->edit()->text(), QStringLiteral("-64.3"));
    }

    // The automatic gain control page.

    void agcCurve_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<bool>("bypassed");
        QTest::addColumn<QVector<QPointF>>("line");
        const QVector<QPointF> diagonal{{-120, -120}, {0, 0}};
        // Threshold -60 dB, target -20 dB.
        QTest::newRow("4:1") << 4.0 << false
                             << QVector<QPointF>{{-120, -120}, {-60, -60}, {-60, -30}, {0, -15}};
        QTest::newRow("ratio 1") << 1.0 << false << diagonal;
        QTest::newRow("ratio below 1") << 0.5 << false << diagonal;
        QTest::newRow("bypassed") << 4.0 << true << diagonal;
    }

    void agcCurve()
    {
        QFETCH(double, ratio);
        QFETCH(bool, bypassed);
        QFETCH(QVector<QPointF>, line);
        QCOMPARE(::agcCurve(-60, -20, ratio, bypassed), line);
    }

    void agcTypedValues_data()
    {
        QTest::addColumn<QStringList>("steps"); // "param=text", typed in order
        QTest::addColumn<int>("param");
        QTest::addColumn<QString>("shown");
        using P = QAGCWidget;
        QTest::newRow("threshold -130") << QStringList{"0=-130"} << int(P::Threshold) << "-120.0";
        QTest::newRow("threshold above target")
            << QStringList{"1=-20", "0=-10"} << int(P::Threshold) << "-20.0";
        QTest::newRow("target below threshold")
            << QStringList{"0=-40", "1=-50"} << int(P::Target) << "-40.0";
        QTest::newRow("ratio 0.5") << QStringList{"2=4", "2=0.5"} << int(P::Ratio) << "1.0";
        QTest::newRow("ratio 3.25") << QStringList{"2=3.25"} << int(P::Ratio) << "3.3";
        QTest::newRow("attack 5") << QStringList{"3=5"} << int(P::Attack) << "20";
        QTest::newRow("decay 5000") << QStringList{"4=5000"} << int(P::Decay) << "1000";
    }

    void agcTypedValues()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, param);
        QFETCH(QString, shown);
        LoopbackPeer peer;
        QAGCWidget page;
        page.show();
        for (const QString &step : steps) {
            const QStringList parts = step.split(QLatin1Char('='));
            typeText(page.field(QAGCWidget::Param(parts[0].toInt())), parts[1]);
        }
        QCOMPARE(page.field(QAGCWidget::Param(param))->edit()->text(), shown);
        if (!peer.waitForFrames(1, 500)) // "threshold -130" and "attack 5" change nothing
            return;
        // What is shown is what is sent, and the graph follows.
        const QByteArray &sent = peer.frames().at(0).payload;
        QCOMPARE(sent.size(), 22);
        QCOMPARE(QString::asprintf(param < QAGCWidget::Attack ? "%0.1f" : "%.0f",
                                   double(Le::get<float>(sent, 2 + 4 * param))),
                 shown);
        QCOMPARE(page.graph()->threshold(), Le::get<float>(sent, 2));
    }

    void agcRatioOneDrawsTheDiagonal()
    {
        QAGCWidget page;
        QTest::mouseClick(page.enableButton(), Qt::LeftButton);
        typeText(page.field(QAGCWidget::Threshold), QStringLiteral("-70"));
        typeText(page.field(QAGCWidget::Ratio), QStringLiteral("5"));
        QVERIFY(!isDiagonal(page.graph()));
        typeText(page.field(QAGCWidget::Ratio), QStringLiteral("0.5"));
        QCOMPARE(page.params().ratio, 1.0f);
        QVERIFY(isDiagonal(page.graph()));
    }

    void agcKnobsCannotCrossEachOther()
    {
        LoopbackPeer peer;
        QAGCWidget page;
        page.show();
        typeText(page.field(QAGCWidget::Target), QStringLiteral("-30"));
        Knob *threshold = page.field(QAGCWidget::Threshold)->knob();
        drag(threshold, QPoint(0, -250)); // far above the target
        QCOMPARE(page.params().threshold, -30.0f);
        QCOMPARE(threshold->value(), -300.0f);
        Knob *target = page.field(QAGCWidget::Target)->knob();
        drag(target, QPoint(0, 100)); // below the threshold
        QCOMPARE(page.params().target, -30.0f);
        QCOMPARE(target->value(), -300.0f);
        drag(target, QPoint(0, -5)); // 30 knob steps up: -27.0 dB
        QVERIFY(peer.waitForFrames(1));
        QVERIFY(peer.staysQuiet(200));
        QCOMPARE(peer.frames().size(), 1); // one record for the whole burst
        QCOMPARE(int(peer.frames().at(0).module), 16);
        QCOMPARE(peer.frames().at(0).payload, agcState(0, 0, -30, -27, 1, 20, 20));
    }

    void agcAnswersCheckedAndClamped()
    {
        QAGCWidget page;
        const float nan = std::numeric_limits<float>::quiet_NaN();
        feed(page, agcState(0, 1, -50, -40, 0.5f, nan, 5000));
        QCOMPARE(page.params().threshold, -50.0f);
        QCOMPARE(page.params().target, -40.0f);
        QCOMPARE(page.params().ratio, 1.0f); // never below 1 on the graph
        QCOMPARE(page.params().attack, 20);  // not a number: left as it was
        QCOMPARE(page.params().decay, 1000);
        QVERIFY(isDiagonal(page.graph()));
        // A consistent pair is taken whatever the page held before it.
        feed(page, agcState(0, 1, -20, -5, 2, 20, 20));
        QCOMPARE(page.params().threshold, -20.0f);
        QCOMPARE(page.params().target, -5.0f);
        // A threshold above the target is held at the target.
        feed(page, agcState(0, 1, -3, -12, 2, 20, 20));
        QCOMPARE(page.params().threshold, -12.0f);
        QCOMPARE(page.params().target, -12.0f);
        QCOMPARE(page.field(QAGCWidget::Ratio)->knob()->value(), 20.0f);
    }
};

QTEST_MAIN(TestDynamicsPages)
#include "tst_dynamicspages.moc"
