// The input and output filter pages: reads, answers and their checks, the
// deferred sends and the hold, the band count, "Copy to" and "Reset".

#include "model/unitstate.h"
#include "pages/filters/cutfilterpanel.h"
#include "pages/filters/filterbandpanel.h"
#include "pages/filters/filtergraph.h"
#include "pages/filters/filterparams.h"
#include "pages/filters/qinfilter.h"
#include "pages/filters/qoutfilter.h"
#include "pages/funcwidget.h"
#include "pages/knobfield.h"
#include "pages/operatorprompt.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "tests/support/loopbackpeer.h"
#include "tests/support/pagetest.h"
#include "widgets/knob.h"
#include "widgets/qchannelselect.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

namespace {

namespace Cmd = Proto::FilterCmd;

QByteArray cutAnswer(quint8 channel, quint8 enable, quint8 type, quint8 slope, float freq)
{
    return Le::bytes(channel, enable, type, slope, freq);
}

QByteArray bandAnswer(quint8 channel, quint8 band, quint8 enable, quint8 type, float freq,
                      float gain, quint8 q)
{
    return Le::bytes(channel, band, enable, type, freq, gain, q);
}

void answer(FilterPage &page, quint8 cmd, const QByteArray &payload)
{
    page.receive(cmd, 0x80, quint16(payload.size()), payload);
}

class ScriptedPrompt final : public OperatorPrompt
{
public:
    explicit ScriptedPrompt(int answer) : m_answer(answer) { install(this); }
    ~ScriptedPrompt() override { install(nullptr); }
    int ask(QWidget *, QMessageBox::Icon, const QString &title, const QString &text,
            const QStringList &buttons, int) override
    {
        asked.append(title + QLatin1Char('|') + text + QLatin1Char('|') + buttons.join(u'/'));
        return m_answer;
    }
    QStringList asked;

private:
    int m_answer;
};

// What the page wrote (flag 1), leaving out its reads.
QVector<Proto::Frame> writes(const LoopbackPeer &peer)
{
    QVector<Proto::Frame> out;
    for (const Proto::Frame &f : peer.frames())
        if (f.flag == Proto::FlagWrite)
            out.append(f);
    return out;
}

// The unit's answers to a refresh of `channel`: both cut filters and 16 bands,
// each with the given frequency.
void answerChannel(FilterPage &page, quint8 channel, float frequency)
{
    answer(page, Cmd::HighPass, cutAnswer(channel, 1, 1, 1, frequency));
    answer(page, Cmd::LowPass, cutAnswer(channel, 0, 2, 3, frequency));
    for (quint8 b = 0; b < 16; ++b)
        answer(page, Cmd::Band, bandAnswer(channel, b, 1, 0, frequency, 6.0f, 10));
}

Proto::Frame systemAnswer(quint8 cmd, const QByteArray &payload)
{
    return frameOf(Proto::OpSystem, Proto::SysModule::Settings, cmd, 0x80, payload);
}

} // namespace

class TestFilterPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void refreshReadsEighteenInOrder()
    {
        LoopbackPeer peer;
        QInFilter page;
        page.channelButton(2)->click();
        page.refresh();
        QVERIFY(peer.waitForFrames(18));
        const QVector<Proto::Frame> &f = peer.frames();
        QCOMPARE(int(f.at(0).cmd), 1);
        QCOMPARE(f.at(0).payload, QByteArray::fromHex("02"));
        QCOMPARE(int(f.at(1).cmd), 2);
        QCOMPARE(f.at(1).payload, QByteArray::fromHex("02"));
        for (int b = 0; b < 16; ++b) {
            QCOMPARE(int(f.at(2 + b).module), 4);
            QCOMPARE(int(f.at(2 + b).cmd), 3);
            QCOMPARE(int(f.at(2 + b).flag), 0);
            QCOMPARE(f.at(2 + b).payload, QByteArray::fromHex("02") + char(b));
        }
    }

    void typedValuesAreClampedAndSent()
    {
        LoopbackPeer peer;
        QInFilter page;
        KnobField *freq = page.bandPanel()->frequency();
        KnobField *gain = page.bandPanel()->gain();
        typeText(freq, QStringLiteral("5"));
        QCOMPARE(page.bandRecord(0).frequency, 20.0f);
        QCOMPARE(freq->edit()->text(), QStringLiteral("20"));
        typeText(gain, QStringLiteral("-20"));
        QCOMPARE(page.bandRecord(0).gain, -20.0f);
        QCOMPARE(gain->edit()->text(), QStringLiteral("-20.0"));
        QCOMPARE(gain->knob()->value(), -150.0f);
        ticks(page, 9);
        QVERIFY(peer.staysQuiet(60));
        ticks(page, 1);
        QVERIFY(peer.waitForFrames(2)); // frequency, then gain: the same band record
        const QByteArray record = QByteArray::fromHex("0000") +
                                  Le::bytes(quint8(0), quint8(0), 20.0f, -20.0f, quint8(43));
        for (const Proto::Frame &f : peer.frames()) {
            QCOMPARE(int(f.cmd), 3);
            QCOMPARE(int(f.flag), 1);
            QCOMPARE(f.payload, record);
        }
        // An empty high-pass field reads 20, the stored value: only the text is rewritten.
        peer.clear();
        KnobField *hpf = page.highPassPanel()->frequency();
        typeText(hpf, QString());
        QCOMPARE(hpf->edit()->text(), QStringLiteral("20"));
        typeText(page.lowPassPanel()->frequency(), QStringLiteral("20000"));
        ticks(page, 20);
        QVERIFY(peer.staysQuiet(60));
    }

    void holdIgnoresAnswersForHalfASecond()
    {
        LoopbackPeer peer;
        QInFilter page;
        emit page.bandPanel()->gain()->knob()->valueChanged(35.0f);
        QCOMPARE(page.bandRecord(0).gain, 3.5f);
        const QByteArray unit = bandAnswer(0, 0, 1, 0, 40.0f, -2.0f, 43);
        ticks(page, 30); // 300 ms: sent, still holding
        QVERIFY(peer.waitForFrames(1));
        answer(page, Cmd::Band, unit);
        QCOMPARE(page.bandRecord(0).gain, 3.5f);
        ticks(page, 30); // 600 ms
        answer(page, Cmd::Band, unit);
        QCOMPARE(page.bandRecord(0).gain, -2.0f);
        QCOMPARE(page.bandPanel()->gain()->edit()->text(), QStringLiteral("-2.0"));
        QCOMPARE(page.bandPanel()->gain()->knob()->value(), -20.0f);
        QVERIFY(page.bandPanel()->enableButton()->isChecked());
        QCOMPARE(page.graph()->response().band(0).gain, -2.0f);
        QVERIFY(peer.staysQuiet(60)); // applying an answer sends nothing
        QCOMPARE(peer.frames().size(), 1);
    }

    void answersAreChecked()
    {
        QInFilter page;
        const PeqBandRecord before = page.bandRecord(0);
        const QByteArray good = bandAnswer(0, 0, 1, 1, 500.4f, 4.0f, 12);
        page.receive(Cmd::Band, 0x80, 12, good.left(12));                   // short
        page.receive(Cmd::Band, 0x82, 13, good);                            // refused
        answer(page, Cmd::Band, bandAnswer(1, 0, 1, 1, 500.0f, 4.0f, 12));  // other channel
        answer(page, Cmd::Band, bandAnswer(0, 16, 1, 1, 500.0f, 4.0f, 12)); // no such band
        QVERIFY(page.bandRecord(0) == before);
        page.receive(Cmd::HighPass, 0x80, 7, cutAnswer(0, 1, 1, 3, 100.0f).left(7));
        QCOMPARE(page.highPass().enable, quint8(0));

        answer(page, Cmd::Band, good);
        QCOMPARE(page.bandRecord(0).frequency, 500.0f); // rounded
        QCOMPARE(page.bandRecord(0).qIndex, quint8(12));
        QCOMPARE(page.bandPanel()->q()->edit()->text(), QStringLiteral("1.00"));
        // Out-of-range bytes and a frequency that is no number leave their
        // fields as they were; the rest of the record is applied.
        answer(page, Cmd::Band, bandAnswer(0, 0, 0, 3, std::nanf(""), 25.0f, 65));
        QCOMPARE(page.bandRecord(0).enable, quint8(0));
        QCOMPARE(page.bandRecord(0).type, quint8(1));
        QCOMPARE(page.bandRecord(0).frequency, 500.0f);
        QCOMPARE(page.bandRecord(0).gain, 20.0f);
        QCOMPARE(page.bandRecord(0).qIndex, quint8(12));
        answer(page, Cmd::HighPass, cutAnswer(0, 2, 3, 6, 3.0f));
        QCOMPARE(page.highPass().enable, quint8(1));
        QCOMPARE(page.highPass().type, quint8(0));
        QCOMPARE(page.highPass().slope, quint8(0));
        QCOMPARE(page.highPass().frequency, 20.0f);
        answer(page, Cmd::LowPass, cutAnswer(0, 1, 2, 5, 8000.6f) + QByteArray(3, 'x')); // longer
        QCOMPARE(page.lowPass().frequency, 8001.0f);
        QCOMPARE(page.lowPassPanel()->slopeBox()->currentIndex(), 5);
        QCOMPARE(page.graph()->response().cut(FilterResponse::LowPass).slope, 5);
        // A band that is not selected reaches the graph only.
        answer(page, Cmd::Band, bandAnswer(0, 6, 1, 0, 250.0f, -3.0f, 20));
        QCOMPARE(page.graph()->response().band(6).frequency, 250.0f);
        QCOMPARE(page.bandPanel()->frequency()->edit()->text(), QStringLiteral("500"));
    }

    void immediateSendsAndShelfQ()
    {
        LoopbackPeer peer;
        QInFilter page;
        page.highPassPanel()->enableButton()->click();
        page.lowPassPanel()->typeBox()->setCurrentIndex(2);
        page.bandPanel()->typeBox()->setCurrentIndex(1);
        QVERIFY(peer.waitForFrames(3));
        QCOMPARE(peer.frames().at(0).payload, cutAnswer(0, 1, 0, 0, 20.0f));
        QCOMPARE(int(peer.frames().at(1).cmd), 2);
        QCOMPARE(peer.frames().at(1).payload.at(2), char(2));
        // A shelf is drawn with Q 0.67; its Q index is still sent.
        QCOMPARE(page.graph()->response().band(0).q, 0.67f);
        QCOMPARE(peer.frames().at(2).payload, bandAnswer(0, 0, 0, 1, 40.0f, 0.0f, 43));
    }

    void switchingTargetSendsTheEditFirst()
    {
        LoopbackPeer peer;
        QInFilter page;
        page.bandPanel()->bandButton(2)->click();
        emit page.bandPanel()->frequency()->knob()->valueChanged(1234.0f);
        page.bandPanel()->bandButton(4)->click(); // within the 100 ms
        QVERIFY(peer.waitForFrames(3));
        // Band 2's edit goes out first, then band 4 is read (band 2 was read
        // when it was chosen).
        QCOMPARE(peer.frames().at(1).payload, bandAnswer(0, 2, 0, 0, 1234.0f, 0.0f, 43));
        QCOMPARE(int(peer.frames().at(2).flag), 0);
        QCOMPARE(peer.frames().at(2).payload, QByteArray::fromHex("0004"));
        QCOMPARE(page.band(), 4);
        QCOMPARE(page.bandPanel()->frequency()->edit()->text(), QStringLiteral("200"));

        emit page.bandPanel()->gain()->knob()->valueChanged(-45.0f);
        peer.clear();
        page.channelButton(5)->click();
        QVERIFY(peer.waitForFrames(19));
        QCOMPARE(peer.frames().at(0).payload, bandAnswer(0, 4, 0, 0, 200.0f, -4.5f, 43));
        // The new channel is read at once, in the refresh's order.
        for (int i = 1; i < 19; ++i) {
            QCOMPARE(int(peer.frames().at(i).flag), 0);
            QCOMPARE(peer.frames().at(i).payload.at(0), char(5));
        }
        QCOMPARE(page.channel(), 5);
        QVERIFY(page.channelButton(5)->isChecked());
        QVERIFY(!page.channelButton(0)->isChecked());
        ticks(page, 20);
        QVERIFY(peer.staysQuiet(60)); // nothing goes out again for the new channel
    }

    // After a channel change the new channel's answers are taken at once (the
    // hold of the old channel's edit is over), and nothing is written to the
    // new channel before its records have come: a record made of the old
    // channel's values would overwrite the new channel's settings.
    void newChannelIsShownAndNeverGetsTheOldRecord()
    {
        LoopbackPeer peer;
        QInFilter page;
        answerChannel(page, 0, 100.0f);
        emit page.bandPanel()->gain()->knob()->valueChanged(-45.0f); // starts the hold
        page.channelButton(5)->click();
        QVERIFY(!page.bandPanel()->gain()->isEnabled());
        QVERIFY(!page.highPassPanel()->isEnabled());

        // Edits that reach the page before the answers send nothing.
        emit page.bandPanel()->gain()->knob()->valueChanged(30.0f);
        emit page.graph()->HPFilterChanged(300.0f);
        emit page.graph()->peqChanged(0, 700.0f, 2.0f);
        ticks(page, 20);
        QVERIFY(peer.waitForFrames(19));
        QVERIFY(peer.staysQuiet(60));
        QCOMPARE(writes(peer).size(), 1); // the old channel's edit only
        QCOMPARE(writes(peer).at(0).payload.at(0), char(0));

        answerChannel(page, 5, 2500.0f);
        QVERIFY(page.bandPanel()->gain()->isEnabled());
        QVERIFY(page.highPassPanel()->isEnabled());
        QCOMPARE(page.highPassPanel()->frequency()->edit()->text(), QStringLiteral("2500"));
        QCOMPARE(page.bandPanel()->frequency()->edit()->text(), QStringLiteral("2500"));
        QCOMPARE(page.bandPanel()->gain()->edit()->text(), QStringLiteral("6.0"));

        peer.clear();
        emit page.bandPanel()->gain()->knob()->valueChanged(-30.0f);
        ticks(page, 10);
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(peer.frames().at(0).payload, bandAnswer(5, 0, 1, 0, 2500.0f, -3.0f, 10));
    }

    // The unit state outlives a visit to a channel: a channel chosen again is
    // held as the unit's only once it has been answered again, since the unit
    // may have changed it meanwhile (another program, a preset).
    void aChannelChosenAgainIsReadBeforeItIsWritten()
    {
        LoopbackPeer peer;
        QInFilter page;
        answerChannel(page, 0, 100.0f);
        page.channelButton(5)->click();
        answerChannel(page, 5, 2500.0f);
        page.channelButton(0)->click();
        QVERIFY(peer.waitForFrames(36));
        QVERIFY(!page.highPassPanel()->isEnabled());
        QVERIFY(!page.bandPanel()->gain()->isEnabled());
        emit page.highPassPanel()->enableButton()->clicked(true); // what a click would do
        emit page.bandPanel()->gain()->knob()->valueChanged(30.0f);
        ticks(page, 20);
        QVERIFY(peer.staysQuiet(60));
        QVERIFY(writes(peer).isEmpty());

        answer(page, Cmd::HighPass, cutAnswer(0, 0, 2, 4, 300.0f));
        QVERIFY(page.highPassPanel()->isEnabled());
        QVERIFY(!page.bandPanel()->gain()->isEnabled()); // its band has not come yet
        page.highPassPanel()->enableButton()->click();
        QVERIFY(peer.waitForFrames(37));
        QCOMPARE(writes(peer).at(0).payload, cutAnswer(0, 1, 2, 4, 300.0f));
    }

    // Both filter pages of a container keep their values in its unit state,
    // each at its own paths, and what dapctl's response command computes from
    // a channel of that state is what the page's graph draws.
    void pagesKeepTheirValuesInTheContainersState()
    {
        FuncWidget container;
        Model::UnitState &state = *container.unitState();
        const Model::Catalogue &paths = Model::Catalogue::instance();
        QInFilter *in = container.inFilter();
        QOutFilter *out = container.outFilter();
        answerChannel(*in, 0, 500.0f);
        answer(*out, Cmd::Band, bandAnswer(0, 2, 1, 2, 8000.0f, -6.0f, 30));
        answer(*out, Cmd::LowPass, cutAnswer(0, 1, 1, 5, 3000.0f));
        emit in->bandPanel()->gain()->knob()->valueChanged(-45.0f);

        QCOMPARE(state.number(paths.id("input.#.eq.#.gain", 0, 0)), -4.5);
        QCOMPARE(state.number(paths.id("input.#.eq.#.gain", 0, 2)), 6.0);
        QCOMPARE(state.number(paths.id("input.#.hpf.frequency", 0)), 500.0);
        QCOMPARE(state.number(paths.id("output.#.eq.#.gain", 0, 2)), -6.0);
        QCOMPARE(state.number(paths.id("output.#.eq.#.type", 0, 2)), 2.0);
        QCOMPARE(state.number(paths.id("output.#.lpf.frequency", 0)), 3000.0);
        QCOMPARE(state.number(paths.id("output.#.hpf.frequency", 0)), 20.0);
        QCOMPARE(out->bandRecord(2).gain, -6.0f);
        QCOMPARE(out->bandRecord(0).gain, 0.0f);

        for (FilterPage *page : {static_cast<FilterPage *>(in), static_cast<FilterPage *>(out)}) {
            FilterResponse computed;
            computed.setBandCount(page->bandCount());
            FilterParams(page == out).fillResponse(computed, state, 0);
            QVERIFY(computed.curve() == page->graph()->response().curve());
        }
        QCOMPARE(out->graph()->response().band(2).q, 0.67f); // a shelf
    }

    void graphDragsSelectAndStore()
    {
        LoopbackPeer peer;
        QInFilter page;
        emit page.graph()->peqChanged(5, 512.5f, 3.0f);
        QCOMPARE(page.band(), 5);
        QVERIFY(page.bandPanel()->bandButton(5)->isChecked());
        QCOMPARE(page.bandRecord(5).frequency, 512.5f); // unrounded
        QCOMPARE(page.bandPanel()->frequency()->edit()->text(), QStringLiteral("513"));
        QCOMPARE(page.bandPanel()->gain()->knob()->value(), 30.0f);
        emit page.graph()->HPFilterChanged(123.4f);
        QCOMPARE(page.highPass().frequency, 123.4f);
        QCOMPARE(page.highPassPanel()->frequency()->edit()->text(), QStringLiteral("123"));
        ticks(page, 10);
        QVERIFY(peer.waitForFrames(4)); // band 5 read, high-pass, band frequency, band gain
        QCOMPARE(peer.frames().at(0).payload, QByteArray::fromHex("0005"));
        QCOMPARE(peer.frames().at(1).payload, cutAnswer(0, 0, 0, 0, 123.4f));
        QCOMPARE(peer.frames().at(2).payload, bandAnswer(0, 5, 0, 0, 512.5f, 3.0f, 43));
    }

    void bandCountFollowsTheDspVersion()
    {
        FuncWidget container;
        QInFilter *in = container.inFilter();
        in->bandPanel()->bandButton(5)->click();
        QSignalSpy clicks(in->bandPanel()->bandButton(0), &QPushButton::clicked);
        container.systemDispatch(
            systemAnswer(Proto::SettingsCmd::DspVersion, QByteArray::fromHex("020800")));
        QCOMPARE(in->bandCount(), 8);
        QCOMPARE(container.outFilter()->bandCount(), 8);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(in->band(), 0);
        QVERIFY(!in->bandPanel()->bandButton(7)->isHidden());
        QVERIFY(in->bandPanel()->bandButton(8)->isHidden());
        QVERIFY(in->graph()->handleRect(8).isEmpty());
        container.systemDispatch(
            systemAnswer(Proto::SettingsCmd::DspVersion, QByteArray::fromHex("030000")));
        QCOMPARE(clicks.size(), 1); // unchanged: nothing clicked
        container.systemDispatch(
            systemAnswer(Proto::SettingsCmd::DspVersion, QByteArray::fromHex("020701")));
        QCOMPARE(in->bandCount(), 16);
        QVERIFY(!in->bandPanel()->bandButton(15)->isHidden());
        QCOMPARE(clicks.size(), 2);
    }

    void copyToSendsBothMasks()
    {
        LoopbackPeer peer;
        QInFilter page;
        page.channelButton(1)->click();
        page.copyButton()->click();
        QChannelSelect *select = page.channelSelect();
        QTRY_VERIFY(select->isVisible());
        QVERIFY(!select->inputButton(1)->isEnabled()); // the source
        for (int c : {2, 3})
            select->inputButton(c)->click();
        select->outputButton(4)->click();
        select->acceptClicked();
        QVERIFY(peer.waitForFrames(19)); // channel 1 read, then the copy
        const Proto::Frame &f = peer.frames().at(18);
        QCOMPARE(int(f.module), 4);
        QCOMPARE(int(f.cmd), 4);
        QCOMPARE(int(f.flag), 1);
        QCOMPARE(f.payload, QByteArray::fromHex("010c001000"));
        QVERIFY(select->inputButton(1)->isEnabled());

        QOutFilter out;
        out.channelButton(3)->click();
        out.copyButton()->click();
        QTRY_VERIFY(out.channelSelect()->isVisible());
        QVERIFY(!out.channelSelect()->outputButton(3)->isEnabled());
        QVERIFY(out.channelSelect()->inputButton(3)->isEnabled());
        out.channelSelect()->reject();
    }

    void resetAsksAndDropsPendingEdits()
    {
        LoopbackPeer peer;
        QOutFilter page;
        page.channelButton(3)->click();
        {
            ScriptedPrompt no(1);
            page.resetButton()->click();
            QCOMPARE(no.asked, QStringList{QStringLiteral("warning|Clear all setting?|OK/Cancel")});
        }
        emit page.bandPanel()->gain()->knob()->valueChanged(20.0f);
        ScriptedPrompt yes(0);
        page.resetButton()->click();
        ticks(page, 20);
        // Channel 3 read, read again for what the reset replaces (the page
        // holds no answer), the reset, and channel 3 read for its defaults.
        QVERIFY(peer.waitForFrames(55));
        QVERIFY(peer.staysQuiet(60));
        const QVector<Proto::Frame> written = writes(peer);
        QCOMPARE(written.size(), 1);
        QCOMPARE(int(written.at(0).module), 12);
        QCOMPARE(int(written.at(0).cmd), 5);
        QCOMPARE(written.at(0).payload, QByteArray::fromHex("03"));
        QCOMPARE(peer.frames().at(36).cmd, written.at(0).cmd);
        QCOMPARE(peer.frames().at(37).payload, QByteArray::fromHex("03"));
    }
};

QTEST_MAIN(TestFilterPages)
#include "tst_filterpages.moc"
