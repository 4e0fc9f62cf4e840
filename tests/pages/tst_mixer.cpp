// The matrix page: selection and switching on the crosspoint grid, the whole
// matrix at once, the answers it takes, and the signal generator.

#include "pages/funcwidget.h"
#include "pages/matrix/crosspointgrid.h"
#include "pages/matrix/generatorpanel.h"
#include "pages/matrix/matrixmixvaluewidget.h"
#include "pages/matrix/qmixbutton.h"
#include "pages/matrix/qmixer.h"
#include "pages/matrix/qmtxwidget.h"
#include "pages/matrix/rotatedlabel.h"
#include "pages/operatorprompt.h"
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
#include <QTemporaryDir>
#include <QTest>

#include <limits>

namespace {

void press(QMixer &page, int input, int output)
{
    QTest::mouseClick(page.grid()->button(input, output), Qt::LeftButton);
}

QByteArray wire(const Proto::Frame &f)
{
    return Proto::makeFrame(f.codeId, f.op, f.module, f.cmd, f.flag, f.payload);
}

QByteArray onAnswer(quint8 output, const QVector<int> &onInputs)
{
    QByteArray p(17, 0);
    p[0] = char(output);
    for (int in : onInputs)
        p[1 + in] = 1;
    return p;
}

// Answers every question with a fixed button and remembers what was asked.
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

class TestMixer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void bandSelectsWholeButtonsOnly()
    {
        QMixer page;
        page.show();
        CrosspointGrid *grid = page.grid();
        const QRect first = grid->button(0, 1)->geometry();
        const QRect last = grid->button(3, 1)->geometry();
        const auto selected = [grid] {
            QVector<QPair<int, int>> s;
            for (int in = 0; in < 16; ++in)
                for (int out = 0; out < 16; ++out)
                    if (grid->isSelected(in, out))
                        s.append({in, out});
            return s;
        };
        // The band's rectangle lies 5 pixels up and left of the dragged points.
        const QPoint shift(CrosspointGrid::BandShift, CrosspointGrid::BandShift);
        dragMouse(grid->mtxWidget(), first.topLeft() + shift, last.bottomRight() + shift);
        QCOMPARE(selected(), (QVector<QPair<int, int>>{{0, 1}, {1, 1}, {2, 1}, {3, 1}}));
        // One pixel short of the buttons' right edge: none lies wholly inside.
        dragMouse(grid->mtxWidget(), first.topLeft() + shift,
                  last.bottomRight() + shift - QPoint(1, 0));
        QVERIFY(selected().isEmpty());
        // A press on the background clears the selection.
        dragMouse(grid->mtxWidget(), first.topLeft() + shift, last.bottomRight() + shift);
        sendMouse(grid->mtxWidget(), QEvent::MouseButtonPress, QPoint(1, 1), Qt::LeftButton);
        QVERIFY(selected().isEmpty());
        sendMouse(grid->mtxWidget(), QEvent::MouseButtonRelease, QPoint(1, 1), Qt::NoButton);
    }

    void firstPressSelectsSecondSwitches()
    {
        LoopbackPeer peer;
        QMixer page;
        page.show();
        press(page, 2, 3);
        QVERIFY(page.grid()->isSelected(2, 3));
        QVERIFY(!page.isMixOn(2, 3));
        QVERIFY(peer.staysQuiet(150));
        press(page, 2, 3);
        QVERIFY(page.isMixOn(2, 3));
        QVERIFY(page.editor()->isMixOn(2, 3));
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(peer.frames().at(0).payload, QByteArray::fromHex("030201"));
        // Pressing another crosspoint moves the selection and keeps the state.
        press(page, 4, 3);
        QVERIFY(!page.grid()->isSelected(2, 3));
        QVERIFY(page.grid()->isSelected(4, 3));
        QVERIFY(page.isMixOn(2, 3));
        QVERIFY(!page.isMixOn(4, 3));
        QVERIFY(peer.staysQuiet(100));
        QCOMPARE(peer.frames().size(), 1);
    }

    void switchingSendsOnePacketPerOutput()
    {
        LoopbackPeer peer;
        QMixer page;
        page.show();
        CrosspointGrid *grid = page.grid();
        const QPoint shift(CrosspointGrid::BandShift, CrosspointGrid::BandShift);
        dragMouse(grid->mtxWidget(), grid->button(0, 2)->geometry().topLeft() + shift,
                  grid->button(3, 3)->geometry().bottomRight() + shift);
        press(page, 1, 3); // selected: switches all eight
        QVERIFY(peer.waitForFrames(2));
        QVERIFY(peer.staysQuiet(100));
        QCOMPARE(peer.frames().size(), 2);
        QCOMPARE(wire(peer.frames().at(0)),
                 hexBytes("82 7D 01 00 03 08 01 01 06 00 02 00 01 02 03 01 7D 82"));
        QCOMPARE(peer.frames().at(1).payload, QByteArray::fromHex("030001020301"));
        for (int in = 0; in < 4; ++in)
            QVERIFY(page.isMixOn(in, 2) && page.isMixOn(in, 3) && page.editor()->isMixOn(in, 3));
        QVERIFY(!page.isMixOn(4, 2) && !page.isMixOn(0, 1));

        // Inputs 1, 3 and 4 of output 2: no band takes them without input 2,
        // so the selection is made directly.
        peer.clear();
        press(page, 0, 1);
        grid->button(2, 1)->setSelected(true);
        grid->button(3, 1)->setSelected(true);
        press(page, 3, 1);
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(peer.rawReceived(),
                 hexBytes("82 7D 01 00 03 08 01 01 05 00 01 00 02 03 01 7D 82"));
    }

    void wholeMatrix_data()
    {
        QTest::addColumn<bool>("allMix");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        QTest::newRow("All Mix, OK")
            << true << 0 << "All Mix|Enable all mixer and set their value to 0dB?";
        QTest::newRow("Reset, OK")
            << false << 0 << "Reset|Disable all mixer and set their value to 0dB?";
        QTest::newRow("All Mix, Cancel")
            << true << 1 << "All Mix|Enable all mixer and set their value to 0dB?";
        QTest::newRow("Reset, closed")
            << false << -1 << "Reset|Disable all mixer and set their value to 0dB?";
    }

    void wholeMatrix()
    {
        QFETCH(bool, allMix);
        QFETCH(int, answer);
        QFETCH(QString, question);
        LoopbackPeer peer;
        QMixer page;
        page.show();
        // A state that either action changes.
        page.receive(1, 0x80, 17, onAnswer(4, {0, 1, 2}));
        page.receive(2, 0x80, 17, QByteArray(1, 4) + QByteArray(16, char(-20)));
        ScriptedPrompt prompt(answer);
        (allMix ? page.allMixButton() : page.resetButton())->click();
        QCOMPARE(prompt.asked, QStringList{question});
        if (answer != 0) {
            QVERIFY(peer.staysQuiet(150));
            QVERIFY(page.isMixOn(1, 4) && !page.isMixOn(5, 4));
            QCOMPARE(page.editor()->mixGain(1, 4), -20);
            return;
        }
        QVERIFY(peer.waitForFrames(32));
        QVERIFY(peer.staysQuiet(100));
        QCOMPARE(peer.frames().size(), 32);
        for (int i = 0; i < 32; ++i) {
            const Proto::Frame &f = peer.frames().at(i);
            const int out = i / 2;
            const bool gain = i % 2;
            QCOMPARE(int(f.module), 8);
            QCOMPARE(int(f.cmd), gain ? 2 : 1);
            QCOMPARE(int(f.flag), 1);
            QByteArray expected(1, char(out));
            for (int in = 0; in < 16; ++in)
                expected.append(char(in));
            expected.append(char(gain ? 0 : int(allMix)));
            QCOMPARE(f.payload, expected);
        }
        for (int in = 0; in < 16; ++in)
            for (int out = 0; out < 16; ++out) {
                QCOMPARE(page.isMixOn(in, out), allMix);
                QCOMPARE(page.editor()->isMixOn(in, out), allMix);
                QCOMPARE(page.editor()->mixGain(in, out), 0);
            }
    }

    void answersSetGridAndEditor()
    {
        QMixer page;
        page.receive(1, 0x80, 17, onAnswer(5, {2, 15}));
        QVERIFY(page.isMixOn(2, 5) && page.isMixOn(15, 5) && !page.isMixOn(3, 5));
        QVERIFY(page.editor()->isMixOn(15, 5));
        QByteArray gains(1, 5);
        for (int in = 0; in < 16; ++in)
            gains.append(char(in == 0 ? 20 : in == 1 ? -70 : -in));
        page.receive(2, 0x80, 17, gains);
        QCOMPARE(page.editor()->mixGain(0, 5), 12);  // the editor's top
        QCOMPARE(page.editor()->mixGain(1, 5), -56); // "off"
        QCOMPARE(page.editor()->mixGain(7, 5), -7);

        // Answers that are not the page's change nothing.
        page.receive(1, 0x80, 17, onAnswer(16, {0, 1, 2})); // no output 16
        page.receive(1, 0x80, 16, onAnswer(6, {0}).left(16));
        page.receive(1, 0x80, 18, onAnswer(6, {0}) + '\0');
        page.receive(1, 0x82, 17, onAnswer(6, {0}));
        page.receive(3, 0x80, 17, onAnswer(6, {0}));
        for (int in = 0; in < 16; ++in)
            for (int out : {0, 6, 15})
                QVERIFY(!page.isMixOn(in, out));
    }

    void answersHeldAfterAChangeMetersNot()
    {
        LoopbackPeer peer;
        FuncWidget container;
        container.setCurrentPage(FuncWidget::Matrix);
        container.show();
        QMixer *page = container.mixer();
        QTRY_VERIFY(page->isTimerRunning());
        QSignalSpy meters(&container, &FuncWidget::outlevelMeterChanged);
        const auto answer = [](quint8 module, quint8 cmd, const QByteArray &payload) {
            Proto::Frame f;
            f.op = 3;
            f.module = module;
            f.cmd = cmd;
            f.flag = 0x80;
            f.length = quint16(payload.size());
            f.payload = payload;
            return f;
        };
        press(*page, 0, 0);
        press(*page, 0, 0); // on; the hold starts
        QVERIFY(page->isHolding());
        container.blockDispatch(answer(8, 1, onAnswer(0, {})));
        container.blockDispatch(answer(9, 5, QByteArray(1, 1)));
        container.blockDispatch(answer(11, 1, QByteArray(16, char(-20))));
        QVERIFY(page->isMixOn(0, 0));
        QVERIFY(!page->generator()->muteButton()->isChecked());
        QCOMPARE(meters.size(), 16); // meters of another page are never held
        QTRY_VERIFY(!page->isHolding());
        container.blockDispatch(answer(8, 1, onAnswer(0, {})));
        container.blockDispatch(answer(9, 5, QByteArray(1, 1)));
        QVERIFY(!page->isMixOn(0, 0));
        QVERIFY(page->generator()->muteButton()->isChecked());
    }

    void sineChoiceSetsOneKilohertzFirst_data()
    {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<int>("frames");
        QTest::addColumn<QByteArray>("expected"); // cmd and payload of each frame
        QTest::newRow("440 Hz") << "440" << 2
                                << (QByteArray("\x02") + Le::bytes(1000.0f) + "\x03\x01");
        QTest::newRow("1000 Hz") << "1000" << 1 << QByteArray("\x03\x01");
    }

    void sineChoiceSetsOneKilohertzFirst()
    {
        QFETCH(QString, frequency);
        QFETCH(int, frames);
        QFETCH(QByteArray, expected);
        LoopbackPeer peer;
        QMixer page;
        GeneratorPanel *g = page.generator();
        g->typeBox()->setCurrentIndex(GeneratorPanel::PinkNoise);
        typeText(g->frequencyEdit(), frequency);
        // The type, and the frequency when it changed.
        QVERIFY(peer.waitForFrames(frequency == QLatin1String("1000") ? 1 : 2));
        peer.clear();
        g->typeBox()->setCurrentIndex(GeneratorPanel::Sine);
        QVERIFY(peer.waitForFrames(frames));
        QVERIFY(peer.staysQuiet(100));
        QCOMPARE(peer.frames().size(), frames);
        QByteArray sent;
        for (const Proto::Frame &f : peer.frames()) {
            QCOMPARE(int(f.module), 9);
            QCOMPARE(int(f.flag), 1);
            sent += char(f.cmd) + f.payload;
        }
        QCOMPARE(sent, expected);
        QCOMPARE(g->frequencyEdit()->text(), QStringLiteral("1000"));
    }

    void typedGeneratorValues_data()
    {
        QTest::addColumn<bool>("isGain"); // else the frequency
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("sent"); // the shown value, as float32
        QTest::newRow("frequency above the top") << false << "30000"
                                                 << "24000" << true;
        QTest::newRow("frequency above 16 bits") << false << "70000"
                                                 << "24000" << true;
        QTest::newRow("frequency, no number") << false << ""
                                              << "0" << true;
        QTest::newRow("frequency unchanged") << false << "1000"
                                             << "1000" << false;
        QTest::newRow("gain below the bottom") << true << "-80"
                                               << "-70" << true;
        QTest::newRow("gain above the top") << true << "20"
                                            << "12" << true;
        QTest::newRow("gain unchanged") << true << "-30"
                                        << "-30" << false;
    }

    void typedGeneratorValues()
    {
        QFETCH(bool, isGain);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(bool, sent);
        LoopbackPeer peer;
        QMixer page;
        page.show();
        GeneratorPanel *g = page.generator();
        QLineEdit *edit = isGain ? g->gainEdit() : g->frequencyEdit();
        typeText(edit, text);
        QCOMPARE(edit->text(), shown);
        if (isGain)
            QCOMPARE(g->gainFader()->value(), shown.toFloat());
        if (!sent) {
            QVERIFY(peer.staysQuiet(250));
            return;
        }
        // The frequency goes at once, the gain after the deferred send.
        QCOMPARE(page.isHolding(), isGain);
        QVERIFY(peer.waitForFrames(1));
        QVERIFY(peer.staysQuiet(100));
        QCOMPARE(peer.frames().size(), 1);
        QCOMPARE(int(peer.frames().at(0).cmd), isGain ? 4 : 2);
        QCOMPARE(peer.frames().at(0).payload, Le::bytes(shown.toFloat()));
    }

    void faderGainIsRoundedAndSentOnHide()
    {
        LoopbackPeer peer;
        QMixer page;
        page.show();
        GeneratorPanel *g = page.generator();
        emit g->gainFader()->valueChanged(-12.6f);
        QCOMPARE(g->state().gain, -13);
        QCOMPARE(g->gainEdit()->text(), QStringLiteral("-13"));
        // Hidden before the deferred send: it goes out at once, not never.
        page.hide();
        QVERIFY(!page.isTimerRunning());
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(peer.frames().at(0).payload, Le::bytes(-13.0f));
        QVERIFY(!page.isHolding());
    }

    void generatorAnswers()
    {
        LoopbackPeer peer;
        QMixer page;
        GeneratorPanel *g = page.generator();
        const float nan = std::numeric_limits<float>::quiet_NaN();
        // An unchanged value leaves what the operator is typing alone.
        g->frequencyEdit()->setText(QStringLiteral("44"));
        page.receiveGenerator(2, 0x80, 4, Le::bytes(1000.0f));
        QCOMPARE(g->frequencyEdit()->text(), QStringLiteral("44"));
        page.receiveGenerator(2, 0x80, 4, Le::bytes(30000.0f));
        QCOMPARE(g->frequencyEdit()->text(), QStringLiteral("24000"));
        page.receiveGenerator(2, 0x80, 4, Le::bytes(nan));
        page.receiveGenerator(2, 0x80, 4, Le::bytes(-5.0f));
        QCOMPARE(g->frequencyEdit()->text(), QStringLiteral("0"));
        page.receiveGenerator(4, 0x80, 4, Le::bytes(-100.0f));
        page.receiveGenerator(4, 0x80, 4, Le::bytes(nan));
        QCOMPARE(g->gainEdit()->text(), QStringLiteral("-70"));
        page.receiveGenerator(4, 0x80, 4, Le::bytes(6.4f));
        QCOMPARE(g->gainFader()->value(), 6.0f);
        page.receiveGenerator(3, 0x80, 1, QByteArray(1, 3)); // no such type
        QCOMPARE(g->typeBox()->currentIndex(), int(GeneratorPanel::Sine));
        page.receiveGenerator(3, 0x80, 1, QByteArray(1, 2));
        QCOMPARE(g->typeBox()->currentIndex(), int(GeneratorPanel::WhiteNoise));
        page.receiveGenerator(1, 0x80, 16, QByteArray::fromHex("00010000000000000000000000000005"));
        page.receiveGenerator(6, 0x80, 16, QByteArray(16, 1)); // not a generator command
        QVERIFY(g->outputButton(1)->isChecked() && g->outputButton(15)->isChecked());
        QVERIFY(!g->outputButton(0)->isChecked());
        // Received values are shown, never sent back.
        QVERIFY(peer.staysQuiet(150));
    }

    void namesReachEveryPlace()
    {
        QMixer page;
        const QString name = QStringLiteral("Balcony delay line");
        page.setOutputName(2, name);
        page.setInputName(0, QStringLiteral("Lectern"));
        QCOMPARE(page.grid()->outputHeading(2)->toolTip(), name);
        QCOMPARE(page.generator()->outputButton(2)->toolTip(), QStringLiteral("OUT 3 : ") + name);
        QCOMPARE(page.editor()->grid()->outputHeading(2)->name(), name);
        QCOMPARE(page.editor()->grid()->inputName(0)->toolTip(), QStringLiteral("Lectern"));
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestMixer)
#include "tst_mixer.moc"
