// The simulated unit's matrix and signal generator: reads, writes of several
// inputs at once, bad writes, presets, and output meters that follow routing.

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "sim/generatorblock.h"
#include "sim/matrixblock.h"
#include "sim/simmodel.h"
#include "tests/support/testsupport.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace {

using namespace Proto;

Frame request(quint8 module, quint8 cmd, quint8 flag, const QByteArray &payload = {})
{
    return frameOf(OpBlock, module, cmd, flag, payload);
}

QVector<SimAnswer> run(SimModel &m, quint8 module, quint8 cmd, quint8 flag,
                       const QByteArray &payload = {})
{
    return m.handle(request(module, cmd, flag, payload));
}

MatrixBlock &matrix(SimModel &m)
{
    return *m.blockAs<MatrixBlock>(OpBlock, Module::Matrix);
}

GeneratorBlock &generator(SimModel &m)
{
    return *m.blockAs<GeneratorBlock>(OpBlock, Module::Generator);
}

// Every crosspoint off: nothing reaches any output.
void clearMatrix(SimModel &m)
{
    for (int out = 0; out < 16; ++out)
        for (int in = 0; in < 16; ++in)
            matrix(m).setOn(out, in, false);
}

double powerSum(const QVector<double> &levels)
{
    double p = 0;
    for (double l : levels)
        p += std::pow(10.0, l / 10.0);
    return 10.0 * std::log10(p);
}

} // namespace

class TestMatrixBlocks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void readsAndWrites()
    {
        SimModel m;
        const QVector<SimAnswer> on = run(m, Module::Matrix, MatrixCmd::On, FlagRead, "\x05");
        QCOMPARE(on.size(), 1);
        QCOMPARE(int(on.at(0).flag), 0x80);
        // Out of the box each input reaches the output of its number.
        QCOMPARE(on.at(0).payload, QByteArray::fromHex("05"
                                                       "00000000000100000000000000000000"));
        // One write sets several inputs of an output.
        run(m, Module::Matrix, MatrixCmd::On, FlagWrite, QByteArray::fromHex("0200030701"));
        run(m, Module::Matrix, MatrixCmd::Gain, FlagWrite, QByteArray::fromHex("020307BA"));
        QCOMPARE(run(m, Module::Matrix, MatrixCmd::On, FlagRead, "\x02").at(0).payload,
                 QByteArray::fromHex("02"
                                     "01000101000000010000000000000000"));
        QCOMPARE(run(m, Module::Matrix, MatrixCmd::Gain, FlagRead, "\x02").at(0).payload,
                 QByteArray::fromHex("02"
                                     "000000BA000000BA0000000000000000"));
    }

    void badRequestsChangeAndAnswerNothing_data()
    {
        QTest::addColumn<quint8>("cmd");
        QTest::addColumn<quint8>("flag");
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("write to output 16")
            << MatrixCmd::On << quint8(FlagWrite) << QByteArray::fromHex("100001");
        QTest::newRow("write to input 16")
            << MatrixCmd::On << quint8(FlagWrite) << QByteArray::fromHex("01011001");
        QTest::newRow("write without inputs")
            << MatrixCmd::Gain << quint8(FlagWrite) << QByteArray::fromHex("01F4");
        QTest::newRow("unknown command")
            << quint8(3) << quint8(FlagWrite) << QByteArray::fromHex("010101");
        QTest::newRow("read of output 16")
            << MatrixCmd::On << quint8(FlagRead) << QByteArray::fromHex("10");
        QTest::newRow("read without output") << MatrixCmd::On << quint8(FlagRead) << QByteArray();
        QTest::newRow("read with two bytes")
            << MatrixCmd::Gain << quint8(FlagRead) << QByteArray::fromHex("0100");
    }

    void badRequestsChangeAndAnswerNothing()
    {
        QFETCH(quint8, cmd);
        QFETCH(quint8, flag);
        QFETCH(QByteArray, payload);
        SimModel m;
        const QByteArray before = m.presetState();
        QVERIFY(run(m, Module::Matrix, cmd, flag, payload).isEmpty());
        QCOMPARE(m.presetState(), before);
    }

    void generatorReadsAndWrites()
    {
        SimModel m;
        const QVector<int> lengths{16, 4, 1, 4, 1};
        for (quint8 cmd = 1; cmd <= 5; ++cmd)
            QCOMPARE(run(m, Module::Generator, cmd, FlagRead).value(0).payload.size(),
                     lengths.at(cmd - 1));
        run(m, Module::Generator, GeneratorCmd::Frequency, FlagWrite, Le::bytes(30000.0f));
        run(m, Module::Generator, GeneratorCmd::Gain, FlagWrite, Le::bytes(-12.0f));
        QCOMPARE(generator(m).frequency(), 24000.0f);
        QCOMPARE(generator(m).gain(), -12.0f);
        // Values the unit cannot take change nothing.
        run(m, Module::Generator, GeneratorCmd::Outputs, FlagWrite, QByteArray::fromHex("1001"));
        run(m, Module::Generator, GeneratorCmd::Type, FlagWrite, QByteArray(1, 3));
        run(m, Module::Generator, GeneratorCmd::Gain, FlagWrite,
            Le::bytes(std::numeric_limits<float>::quiet_NaN()));
        QCOMPARE(int(generator(m).type()), 1);
        QCOMPARE(generator(m).gain(), -12.0f);
        QCOMPARE(run(m, Module::Generator, GeneratorCmd::Outputs, FlagRead).at(0).payload,
                 QByteArray(16, 0));
    }

    void presetsHoldMatrixAndGenerator()
    {
        SimModel m;
        const QByteArray factory = m.presetState();
        run(m, Module::Matrix, MatrixCmd::Gain, FlagWrite, QByteArray::fromHex("0005F4"));
        run(m, Module::Generator, GeneratorCmd::Outputs, FlagWrite, QByteArray::fromHex("0901"));
        const QByteArray edited = m.presetState();
        QVERIFY(edited != factory);
        m.factoryReset();
        QCOMPARE(m.presetState(), factory);
        QVERIFY(m.restorePresetState(edited));
        QCOMPARE(int(matrix(m).gain(0, 5)), -12);
        QVERIFY(generator(m).feeds(9));
        QVERIFY(!matrix(m).restoreState(QByteArray(511, 0)));
        QVERIFY(!generator(m).restoreState(QByteArray(25, 0)));
    }

    void outputMetersFollowRouting()
    {
        SimModel m;
        clearMatrix(m);
        for (int out = 0; out < 16; ++out)
            QCOMPARE(int(m.outputPreMeter(out)), -100);

        matrix(m).setOn(4, 2, true);
        matrix(m).setGain(4, 2, -12);
        // The sources move with time; a whole-dB rounding step apart at most.
        QVERIFY(qAbs(m.outputPreMeter(4) - (m.preMixMeter(2) - 12)) <= 1);

        matrix(m).setOn(4, 3, true);
        matrix(m).setGain(4, 3, 0);
        const double expected = powerSum({m.preMixMeter(2) - 12.0, double(m.preMixMeter(3))});
        QVERIFY(qAbs(m.outputPreMeter(4) - expected) <= 1.0);

        // A muted input no longer reaches the output.
        matrix(m).setOn(4, 3, false);
        m.block(Module::InputLevel)->set<quint8>(InLevelCmd::Mute, 2, 1);
        QCOMPARE(int(m.outputPreMeter(4)), -100);
        QCOMPARE(int(m.outputMeter(4)), -100);

        // The generator adds its level where it is routed, unless muted.
        run(m, Module::Generator, GeneratorCmd::Outputs, FlagWrite, QByteArray::fromHex("0601"));
        QCOMPARE(int(m.outputPreMeter(6)), -30);
        run(m, Module::Generator, GeneratorCmd::Mute, FlagWrite, QByteArray(1, 1));
        QCOMPARE(int(m.outputPreMeter(6)), -100);
    }
};

QTEST_MAIN(TestMatrixBlocks)
#include "tst_matrixblocks.moc"
