// Undo and redo of edits through the unit model: steps close when the edit is
// sent, undo writes the values from before in the fewest frames, answers of
// the unit are no steps, and an operation the unit carries out is undone by
// writing back what it replaced.

#include "model/edithistory.h"
#include "protocol/lebytes.h"
#include "tests/support/testsupport.h"

#include <QSignalSpy>
#include <QTest>

using namespace Model;

namespace {

ParamId id(const char *pattern, int a = 0, int b = 0)
{
    return Catalogue::instance().id(pattern, a, b);
}

} // namespace

class TestEditHistory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void aDragIsOneStep()
    {
        UnitState state;
        EditHistory history(&state);
        const ParamId gain = id("output.#.gain", 1);
        for (double v : {-1.0, -2.5, -4.0, -6.5})
            state.setNumber(gain, v); // the movements of one drag
        QCOMPARE(history.undoText(), QStringLiteral("OUT 2 gain"));
        history.close(); // the page sent it
        QCOMPARE(history.undoCount(), 1);
        state.setNumber(gain, -9);
        history.close();
        QCOMPARE(history.undoCount(), 2);

        const QVector<Proto::Frame> undo = history.undo();
        QCOMPARE(undo.size(), 1);
        QCOMPARE(undo[0].payload, QByteArray(1, 1) + Le::bytes(-6.5f));
        QCOMPARE(state.number(gain), -6.5);
        QCOMPARE(history.undo()[0].payload, QByteArray(1, 1) + Le::bytes(0.0f));
        QVERIFY(!history.canUndo());
        QCOMPARE(history.redoText(), QStringLiteral("OUT 2 gain"));
        QCOMPARE(history.redo()[0].payload, QByteArray(1, 1) + Le::bytes(-6.5f));
        // A new edit: what could be redone is gone.
        state.setNumber(gain, -3);
        history.close();
        QVERIFY(!history.canRedo());
    }

    void answersAreNoSteps()
    {
        UnitState state;
        EditHistory history(&state);
        QVERIFY(state.apply(3, 11, 3, 0x80, Le::bytes(-5.0f) + QByteArray(60, '\0')));
        history.close();
        QVERIFY(!history.canUndo());
        // Undoing stores without making a step of its own.
        state.setNumber(id("output.#.gain", 0), -10);
        history.close();
        history.undo();
        QVERIFY(!history.canUndo());
        QVERIFY(history.canRedo());
    }

    // What an edit's rules change goes back with it: a mode change had left
    // the input at 0 dB without phantom power.
    void rulesAreUndoneWithTheEdit()
    {
        UnitState state;
        EditHistory history(&state);
        state.setNumber(id("input.#.mode", 2), 0);
        state.setNumber(id("input.#.gain", 2), 47);
        state.setNumber(id("input.#.phantom", 2), 1);
        history.close();
        history.clear();
        state.setNumber(id("input.#.mode", 2), 1);
        history.close();
        QCOMPARE(history.undoText(), QStringLiteral("IN 3 mode"));
        const QVector<Proto::Frame> frames = history.undo();
        QCOMPARE(frames.size(), 4); // mode, step, trim, phantom: one record each
        QCOMPARE(state.number(id("input.#.gain", 2)), 47.0);
        QCOMPARE(state.number(id("input.#.phantom", 2)), 1.0);
        QCOMPARE(state.valueText(id("input.#.mode", 2)), QStringLiteral("mic"));
    }

    // All crosspoints switched at once: one step, undone in one frame per
    // output.
    void aWholeMatrixIsOneStep()
    {
        UnitState state;
        EditHistory history(&state);
        for (int in = 0; in < 16; ++in)
            for (int out = 0; out < 16; ++out)
                state.setNumber(id("matrix.#.#.on", in, out), 1);
        history.close();
        QCOMPARE(history.undoCount(), 1);
        QCOMPARE(history.undoText(), QStringLiteral("IN 1 to OUT 1 routing and more"));
        const QVector<Proto::Frame> frames = history.undo();
        QCOMPARE(frames.size(), 16);
        QCOMPARE(frames[3].payload, QByteArray::fromHex("03000102030405060708090a0b0c0d0e0f00"));
    }

    // A reset is the unit's: undo writes back what it replaced, redo resets
    // again.
    void anOperationOfTheUnit()
    {
        UnitState state;
        EditHistory history(&state);
        const ParamId g = id("input.#.eq.#.gain", 4, 1);
        state.setNumber(g, 6);
        history.close();
        Proto::Frame reset;
        reset.op = 3;
        reset.module = 4;
        reset.cmd = 5;
        reset.flag = 1;
        reset.payload = QByteArray(1, 4);
        history.addOperation(QStringLiteral("IN 5 filter reset"), {reset}, {g});
        QVERIFY(state.apply(3, 4, 3, 0x80,
                            QByteArray::fromHex("0401") +
                                Le::bytes(quint8(0), quint8(0), 60.0f, 0.0f, quint8(43))));
        QCOMPARE(state.number(g), 0.0);
        QCOMPARE(history.undoText(), QStringLiteral("IN 5 filter reset"));
        const QVector<Proto::Frame> undo = history.undo();
        QCOMPARE(undo.size(), 1);
        QCOMPARE(state.number(g), 6.0);
        QCOMPARE(Le::get<float>(undo[0].payload, 8), 6.0f);
        QCOMPARE(history.redo()[0].cmd, quint8(5));
        QCOMPARE(history.undoCount(), 2);
    }

    void labels_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("label");
        QTest::newRow("band") << "input.3.eq.2.gain"
                              << "IN 3 EQ band 2 gain";
        QTest::newRow("cut") << "output.5.hpf.frequency"
                             << "OUT 5 high-pass frequency";
        QTest::newRow("pre-mix") << "premix.4.mute"
                                 << "pre-mix IN 4 mute";
        QTest::newRow("crosspoint") << "matrix.3.5.gain"
                                    << "IN 3 to OUT 5 gain";
        QTest::newRow("label") << "label.output.2"
                               << "OUT 2 name";
        QTest::newRow("system") << "system.location"
                                << "location";
        QTest::newRow("generator") << "generator.frequency"
                                   << "generator frequency";
    }

    void labels()
    {
        QFETCH(QString, path);
        QFETCH(QString, label);
        QCOMPARE(EditHistory::describe(*Catalogue::instance().parse(path)), label);
    }
};

QTEST_MAIN(TestEditHistory)
#include "tst_edithistory.moc"
