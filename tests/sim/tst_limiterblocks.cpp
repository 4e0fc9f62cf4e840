// The simulated unit's limiter and automatic gain control blocks, driven
// through the model: reads, writes, copies, resets and presets.

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "sim/agcblock.h"
#include "sim/limiterblock.h"
#include "sim/simmodel.h"
#include "tests/support/testsupport.h"

#include <QTest>

namespace {

using namespace Proto;

QVector<SimAnswer> request(SimModel &m, quint8 module, quint8 cmd, quint8 flag,
                           const QByteArray &payload)
{
    return m.handle(frameOf(OpBlock, module, cmd, flag, payload));
}

QByteArray read(SimModel &m, quint8 module, quint8 channel)
{
    const QVector<SimAnswer> a = request(m, module, 1, FlagRead, QByteArray(1, char(channel)));
    if (a.size() != 1 || a[0].flag != FlagAnswer || a[0].module != module || a[0].cmd != 1)
        return QByteArray();
    return a[0].payload;
}

QByteArray limiter(quint8 enable, float threshold, float ratio, float attack, float decay)
{
    return Le::bytes(enable, threshold, ratio, attack, decay);
}

} // namespace

class TestDynamicsBlocks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void readsAnswerWithTheChannelAndTheRecord_data()
    {
        QTest::addColumn<int>("module");
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("input limiter") << int(Module::InputLimiter) << limiter(0, 0, 2, 1, 5);
        QTest::newRow("output limiter") << int(Module::OutputLimiter) << limiter(0, 0, 2, 1, 5);
        QTest::newRow("agc") << int(Module::Agc)
                             << Le::bytes(quint8(0), -120.0f, 0.0f, 1.0f, 20.0f, 20.0f);
    }

    void readsAnswerWithTheChannelAndTheRecord()
    {
        QFETCH(int, module);
        QFETCH(QByteArray, record);
        SimModel m;
        const auto mod = quint8(module);
        QCOMPARE(read(m, mod, 9), QByteArray(1, 9) + record); // 18 or 22 bytes
        QVERIFY(request(m, mod, 1, FlagRead, QByteArray(1, 16)).isEmpty());

        QByteArray changed = record;
        changed[0] = 1;
        Le::put<float>(changed.data() + 1, -33.5f);
        request(m, mod, 1, FlagWrite, QByteArray(1, 9) + changed);
        request(m, mod, 1, FlagWrite, QByteArray(1, 10) + changed.left(changed.size() - 1));
        QCOMPARE(read(m, mod, 9), QByteArray(1, 9) + changed);
        QCOMPARE(read(m, mod, 10), QByteArray(1, 10) + record); // short write ignored

        request(m, mod, 3, FlagWrite, QByteArray(1, 9)); // reset
        QCOMPARE(read(m, mod, 9), QByteArray(1, 9) + record);
    }

    void limiterCopyReachesInputsAndOutputs()
    {
        SimModel m;
        const QByteArray rec = limiter(1, -12, 8, 30, 250);
        request(m, Module::InputLimiter, 1, FlagWrite, QByteArray(1, 2) + rec);
        // Inputs 1 and 5, output 9.
        request(m, Module::InputLimiter, 2, FlagWrite, QByteArray::fromHex("02 1100 0001"));
        const auto *in = m.blockAs<LimiterBlock>(OpBlock, Module::InputLimiter);
        const auto *out = m.blockAs<LimiterBlock>(OpBlock, Module::OutputLimiter);
        for (int c = 0; c < 16; ++c) {
            const bool inTarget = c == 0 || c == 2 || c == 4;
            QCOMPARE(in->record(c) == rec, inTarget);
            QCOMPARE(out->record(c) == rec, c == 8);
        }
        // From the output block the other way round.
        request(m, Module::OutputLimiter, 2, FlagWrite, QByteArray::fromHex("00 0080 0000"));
        QCOMPARE(in->record(15), LimiterBlock::defaultRecord());
        request(m, Module::OutputLimiter, 2, FlagWrite, QByteArray::fromHex("08 0080 0000"));
        QCOMPARE(in->record(15), rec);
    }

    void agcCopyTakesTheInputMask()
    {
        SimModel m;
        const QByteArray rec = Le::bytes(quint8(1), -60.0f, -15.0f, 3.0f, 100.0f, 400.0f);
        request(m, Module::Agc, 1, FlagWrite, QByteArray(1, 0) + rec);
        request(m, Module::Agc, 2, FlagWrite, QByteArray::fromHex("00 0680"));
        const auto *agc = m.blockAs<AgcBlock>(OpBlock, Module::Agc);
        for (int c = 0; c < 16; ++c)
            QCOMPARE(agc->record(c) == rec, c == 0 || c == 1 || c == 2 || c == 15);
    }

    void presetsHoldTheRecords()
    {
        SimModel m;
        const QByteArray rec = limiter(1, -5, 4, 10, 20);
        const QByteArray agc = Le::bytes(quint8(1), -70.0f, -20.0f, 2.0f, 50.0f, 80.0f);
        request(m, Module::OutputLimiter, 1, FlagWrite, QByteArray(1, 7) + rec);
        request(m, Module::Agc, 1, FlagWrite, QByteArray(1, 3) + agc);
        const QByteArray image = m.presetState();
        m.factoryReset();
        QCOMPARE(read(m, Module::OutputLimiter, 7),
                 QByteArray(1, 7) + LimiterBlock::defaultRecord());
        QVERIFY(m.restorePresetState(image));
        QCOMPARE(read(m, Module::OutputLimiter, 7), QByteArray(1, 7) + rec);
        QCOMPARE(read(m, Module::Agc, 3), QByteArray(1, 3) + agc);
    }
};

QTEST_MAIN(TestDynamicsBlocks)
#include "tst_limiterblocks.moc"
