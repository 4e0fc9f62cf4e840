// The unit model against the simulated unit: every path names one parameter,
// the whole state reads from the unit, writes land at the right offsets of
// the unit's records (read back here with the test's own reading of the
// command tables), and the pages' rules hold for every caller.

#include "model/unitstate.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "protocol/localtext.h"
#include "sim/demostate.h"
#include "sim/simmodel.h"
#include "tests/support/testsupport.h"

#include <QSignalSpy>
#include <QTest>

using namespace Model;

namespace {

const Catalogue &cat()
{
    return Catalogue::instance();
}

ParamId id(const QString &path)
{
    const std::optional<ParamId> p = cat().parse(path);
    if (!p)
        qFatal("no path %s", qPrintable(path));
    return *p;
}

// Every read of the state answered by the unit and taken.
int readAll(UnitState &state, SimModel &unit)
{
    int refused = 0;
    for (const Proto::Frame &read : state.readFrames())
        for (const SimModel::Answer &a : unit.handle(read))
            if (!state.apply(a.op, a.module, a.cmd, a.flag, a.payload))
                ++refused;
    return refused;
}

void sendAll(SimModel &unit, const QVector<Proto::Frame> &frames)
{
    for (Proto::Frame f : frames) {
        f.length = quint16(f.payload.size());
        unit.handle(f);
    }
}

// The unit's answer to one read, as the command tables lay it out.
QByteArray unitRecord(SimModel &unit, quint8 op, quint8 module, quint8 cmd,
                      const QByteArray &selector = {})
{
    Proto::Frame f;
    f.op = op;
    f.module = module;
    f.cmd = cmd;
    f.flag = Proto::FlagRead;
    f.payload = selector;
    f.length = quint16(selector.size());
    const QVector<SimModel::Answer> answers = unit.handle(f);
    return answers.isEmpty() ? QByteArray() : answers.first().payload;
}

} // namespace

class TestUnitState : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void everyPathNamesOneParameter()
    {
        QSet<QString> seen;
        for (const ParamId &p : cat().all()) {
            const QString path = cat().path(p);
            QVERIFY2(!seen.contains(path), qPrintable(path));
            seen.insert(path);
            QCOMPARE(cat().parse(path), std::optional<ParamId>(p));
        }
        QVERIFY(seen.size() > 3000);
        QString error;
        QVERIFY(!cat().parse(QStringLiteral("input.17.gain"), &error));
        QVERIFY(error.contains(QStringLiteral("1..16")));
        QVERIFY(!cat().parse(QStringLiteral("input.3.colour"), &error));
        QVERIFY(error.contains(QStringLiteral("unknown path")));
        QVERIFY(!cat().parse(QStringLiteral("input.03.gain")));
        QCOMPARE(cat().parse(QStringLiteral("MATRIX.3.5")),
                 cat().parse(QStringLiteral("matrix.3.5.on")));
    }

    void wildcards_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::newRow("a parameter of every input") << "input.*.gain" << 16 << "input.1.gain";
        QTest::newRow("every band of one input") << "input.3.eq.*" << 80 << "input.3.eq.1.enable";
        QTest::newRow("one field of every band") << "output.2.eq.*.q" << 16 << "output.2.eq.1.q";
        QTest::newRow("a crosspoint row") << "matrix.*.5.gain" << 16 << "matrix.1.5.gain";
        QTest::newRow("the generator") << "generator.*" << 20 << "generator.output.1";
        QTest::newRow("nothing") << "input.*.colour" << 0 << "";
    }

    void wildcards()
    {
        QFETCH(QString, pattern);
        QFETCH(int, count);
        QFETCH(QString, first);
        QString error;
        const QVector<ParamId> ids = cat().expand(pattern, &error);
        QCOMPARE(ids.size(), count);
        if (count)
            QCOMPARE(cat().path(ids.first()), first);
        else
            QVERIFY(!error.isEmpty());
    }

    void wholeStateReadsFromTheUnit()
    {
        SimModel unit;
        installBlocks(unit);
        loadDemoState(unit);
        UnitState state;
        QCOMPARE(readAll(state, unit), 0);
        QCOMPARE(state.valueText(id(QStringLiteral("input.2.hpf.frequency"))),
                 QStringLiteral("100"));
        QCOMPARE(state.valueText(id(QStringLiteral("input.2.hpf.type"))),
                 QStringLiteral("butterworth"));
        QCOMPARE(state.valueText(id(QStringLiteral("input.1.mode"))), QStringLiteral("mic"));
        QCOMPARE(state.valueText(id(QStringLiteral("input.1.gain"))), QStringLiteral("28.0"));
        QCOMPARE(state.valueText(id(QStringLiteral("matrix.7.3.on"))), QStringLiteral("on"));
        QCOMPARE(state.valueText(id(QStringLiteral("matrix.7.3.gain"))), QStringLiteral("-10"));
        QCOMPARE(state.valueText(id(QStringLiteral("output.1.eq.2.q"))),
                 QString::number(state.number(id(QStringLiteral("output.1.eq.2.q"))), 'f', 2));
        // Everything read is known; a new socket makes it unknown.
        QVERIFY(state.isKnown(cat().recordOf(id(QStringLiteral("input.5.eq.9.gain")))));
    }

    // A value written through the state reaches the unit's record at the
    // offset the command tables give, as the page's control would send it.
    void writesLandInTheUnitsRecords_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("module");
        QTest::addColumn<int>("cmd");
        QTest::addColumn<QByteArray>("selector");
        QTest::addColumn<int>("offset");       // in the unit's answer
        QTest::addColumn<QByteArray>("bytes"); // found there
        using namespace Proto;
        const QByteArray none;
        const auto f = [](float v) { return Le::bytes(v); };
        QTest::newRow("input mute") << "input.3.mute"
                                    << "on" << 3 << 1 << 2 << none << 2 << QByteArray(1, 1);
        QTest::newRow("input gain, mic: step 40 + trim 7")
            << "input.4.gain"
            << "47" << 3 << 1 << 6 << none << 3 << QByteArray(1, 7);
        QTest::newRow("pre-mix gain at the bottom is off")
            << "premix.2.gain"
            << "-70" << 3 << 7 << 2 << none << 4 << f(-100.0f);
        QTest::newRow("output gain") << "output.16.gain"
                                     << "-12.5" << 3 << 11 << 3 << none << 60 << f(-12.5f);
        QTest::newRow("crosspoint gain")
            << "matrix.3.5.gain"
            << "-9" << 3 << 8 << 2 << QByteArray(1, 4) << 3 << QByteArray(1, char(-9));
        QTest::newRow("generator frequency") << "generator.frequency"
                                             << "2500" << 3 << 9 << 2 << none << 0 << f(2500.0f);
        QTest::newRow("high-pass frequency")
            << "input.3.hpf.frequency"
            << "150" << 3 << 4 << 1 << QByteArray(1, 2) << 4 << f(150.0f);
        QTest::newRow("output band gain")
            << "output.5.eq.2.gain"
            << "-6.5" << 3 << 12 << 3 << QByteArray::fromHex("0401") << 8 << f(-6.5f);
        QTest::newRow("band Q to its nearest entry")
            << "input.1.eq.16.q"
            << "6" << 3 << 4 << 3 << QByteArray::fromHex("000f") << 12 << QByteArray(1, 43);
        QTest::newRow("input delay") << "input.7.delay"
                                     << "12.5" << 3 << 6 << 1 << none << 24 << f(12.5f);
        QTest::newRow("feedback") << "input.9.feedback"
                                  << "on" << 3 << 3 << 1 << none << 8 << QByteArray(1, 1);
        QTest::newRow("gate threshold, whole")
            << "input.2.gate.threshold"
            << "-45.7" << 3 << 2 << 2 << QByteArray(1, 1) << 2 << f(-45.0f);
        QTest::newRow("output limiter attack")
            << "output.5.limiter.attack"
            << "30" << 3 << 13 << 1 << QByteArray(1, 4) << 10 << f(30.0f);
        QTest::newRow("AGC target") << "input.2.agc.target"
                                    << "-15" << 3 << 16 << 1 << QByteArray(1, 1) << 6 << f(-15.0f);
        QTest::newRow("automixer input") << "input.4.automixer"
                                         << "on" << 3 << 10 << 1 << none << 3 << QByteArray(1, 1);
        QTest::newRow("noise reduction level")
            << "anc.level"
            << "strong" << 3 << 17 << 1 << none << 1 << QByteArray(1, 2);
        QTest::newRow("input label")
            << "label.input.4"
            << "Lectern" << 2 << 3 << 1 << none << 48 << QByteArray("Lectern\0", 8);
        QTest::newRow("location") << "system.location"
                                  << "Hall B" << 2 << 2 << 10 << none << 0 << QByteArray("Hall B");
        QTest::newRow("RS232 speed")
            << "system.rs232"
            << "9600" << 2 << 2 << 17 << none << 0 << Le::bytes(quint32(9600));
        QTest::newRow("output gain limit") << "output.3.max"
                                           << "6" << 3 << 11 << 7 << none << 16 << f(6.0f);
    }

    void writesLandInTheUnitsRecords()
    {
        QFETCH(QString, path);
        QFETCH(QString, value);
        QFETCH(int, op);
        QFETCH(int, module);
        QFETCH(int, cmd);
        QFETCH(QByteArray, selector);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        SimModel unit;
        installBlocks(unit);
        UnitState state;
        QCOMPARE(readAll(state, unit), 0);
        if (path.startsWith(QLatin1String("input.4.gain")))
            QVERIFY(state.setValueText(id(QStringLiteral("input.4.mode")), QStringLiteral("mic"),
                                       nullptr));
        sendAll(unit, state.writeFrames({id(QStringLiteral("input.4.mode"))}));
        QString error;
        QVERIFY2(state.setValueText(id(path), value, &error), qPrintable(error));
        sendAll(unit, state.writeFrames({id(path)}));
        const QByteArray record =
            unitRecord(unit, quint8(op), quint8(module), quint8(cmd), selector);
        QCOMPARE(record.mid(offset, bytes.size()), bytes);
        // The state reads back what it wrote.
        UnitState again;
        QCOMPARE(readAll(again, unit), 0);
        QCOMPARE(again.valueText(id(path)), state.valueText(id(path)));
    }

    void crosspointsOfOneValueShareAFrame()
    {
        UnitState state;
        QVector<ParamId> ids;
        for (int in : {1, 2, 5})
            ids.append(cat().id("matrix.#.#.gain", in, 3));
        for (const ParamId &p : ids)
            state.setNumber(p, -20);
        state.setNumber(ids.last(), -30);
        const QVector<Proto::Frame> frames = state.writeFrames(ids);
        QCOMPARE(frames.size(), 2);
        QCOMPARE(frames[0].payload, QByteArray::fromHex("030102") + char(-20));
        QCOMPARE(frames[1].payload, QByteArray::fromHex("0305") + char(-30));
    }

    void answersAreCheckedBeforeAnythingIsTaken()
    {
        UnitState state;
        QSignalSpy changes(&state, &UnitState::changed);
        const QByteArray floats = Le::bytes(1.0f, 2.0f) + QByteArray(56, '\0');
        QVERIFY(!state.apply(3, 7, 2, 0x80, floats.left(60))); // short
        QVERIFY(!state.apply(3, 7, 2, 0x82, floats));          // refused
        QVERIFY(!state.apply(3, 7, 2, 0x00, floats));          // a request
        QVERIFY(!state.apply(3, 4, 1, 0x80,
                             QByteArray::fromHex("10") + QByteArray(7, 0))); // channel 17
        QVERIFY(!state.apply(3, 99, 1, 0x80, QByteArray(1, 0)));             // no such block
        QCOMPARE(changes.size(), 0);
        // A float that is no number, a type without a name, a Q index past
        // the table: those fields stay, the others are taken.
        const QByteArray band = QByteArray::fromHex("0002") + char(1) + char(9) +
                                Le::bytes(std::numeric_limits<float>::quiet_NaN(), 4.0f) + char(99);
        QVERIFY(state.apply(3, 4, 3, 0x80, band));
        QCOMPARE(state.valueText(id(QStringLiteral("input.1.eq.3.enable"))), QStringLiteral("on"));
        QCOMPARE(state.valueText(id(QStringLiteral("input.1.eq.3.type"))), QStringLiteral("peq"));
        QCOMPARE(state.number(id(QStringLiteral("input.1.eq.3.frequency"))), 80.0);
        QCOMPARE(state.number(id(QStringLiteral("input.1.eq.3.gain"))), 4.0);
        QCOMPARE(state.tableIndex(id(QStringLiteral("input.1.eq.3.q"))), 43);
    }

    void theRulesOfThePages()
    {
        UnitState state;
        const ParamId mode = id(QStringLiteral("input.1.mode"));
        const ParamId gain = id(QStringLiteral("input.1.gain"));
        // Line mode: -12..12, all in the trim.
        QCOMPARE(state.setNumber(gain, 20), 12.0);
        QCOMPARE(state.number(id(QStringLiteral("input.1.step"))), 0.0);
        // A mode change leaves the input at 0 dB; mic takes 0..50.
        state.setNumber(mode, 0);
        QCOMPARE(state.number(gain), 0.0);
        QCOMPARE(state.setNumber(gain, 35), 35.0);
        QCOMPARE(state.number(id(QStringLiteral("input.1.step"))), 30.0);
        QCOMPARE(state.number(id(QStringLiteral("input.1.trim"))), 5.0);
        state.setNumber(id(QStringLiteral("input.1.phantom")), 1);
        state.setNumber(mode, 1);
        QCOMPARE(state.number(id(QStringLiteral("input.1.phantom"))), 0.0);
        QCOMPARE(state.setNumber(id(QStringLiteral("input.1.phantom")), 1), 0.0);

        // A level within its limits.
        state.setNumber(id(QStringLiteral("output.2.max")), 3);
        QCOMPARE(state.setNumber(id(QStringLiteral("output.2.gain")), 10), 3.0);
        // The AGC's threshold stays at or below its target.
        state.setNumber(id(QStringLiteral("input.3.agc.target")), -40);
        QCOMPARE(state.setNumber(id(QStringLiteral("input.3.agc.threshold")), -10), -40.0);
        // An answer's pair is taken as a pair.
        QVERIFY(state.apply(3, 16, 1, 0x80,
                            QByteArray(1, 2) + char(1) +
                                Le::bytes(-60.0f, -70.0f, 2.0f, 50.0f, 100.0f)));
        QCOMPARE(state.number(id(QStringLiteral("input.3.agc.threshold"))), -70.0);
        QCOMPARE(state.number(id(QStringLiteral("input.3.agc.target"))), -70.0);

        // Texts are cut at a whole character; far too long is refused.
        QString error, note;
        QVERIFY(state.setValueText(id(QStringLiteral("label.panel.1")),
                                   QStringLiteral("讲台讲台讲台"), &error, &note));
        QCOMPARE(state.text(id(QStringLiteral("label.panel.1"))), QStringLiteral("讲台讲台讲"));
        QVERIFY(!note.isEmpty());
        QVERIFY(
            !state.setValueText(id(QStringLiteral("system.location")), QString(200, 'x'), &error));
        // Values no control offers.
        QVERIFY(!state.setValueText(id(QStringLiteral("system.rs232")), QStringLiteral("4800"),
                                    &error));
        QVERIFY(
            !state.setValueText(id(QStringLiteral("premix.1.group")), QStringLiteral("9"), &error));
        QVERIFY(
            !state.setValueText(id(QStringLiteral("input.1.gain")), QStringLiteral("nan"), &error));
        QVERIFY(
            !state.setValueText(id(QStringLiteral("system.model")), QStringLiteral("X"), &error));
    }
};

QTEST_MAIN(TestUnitState)
#include "tst_unitstate.moc"
