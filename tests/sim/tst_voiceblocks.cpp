// The simulated unit's gate, automixer, echo canceller and noise reduction
// blocks, driven through the model with the frames the program sends.

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "sim/aecblock.h"
#include "sim/ancblock.h"
#include "sim/automixerblock.h"
#include "sim/gateblock.h"
#include "sim/simmodel.h"
#include "sim/simoptions.h"
#include "tests/support/testsupport.h"

#include <QTest>

#include <limits>

namespace {

using namespace Proto;

Frame request(quint8 module, quint8 cmd, quint8 flag, const QByteArray &payload = {})
{
    return frameOf(OpBlock, module, cmd, flag, payload);
}

// The payload of the one answer to a read, or a null array.
QByteArray read(SimModel &model, quint8 module, quint8 cmd, const QByteArray &payload = {},
                quint8 flag = FlagAnswer)
{
    const QVector<SimAnswer> answers = model.handle(request(module, cmd, FlagRead, payload));
    if (answers.size() != 1 || answers[0].flag != flag || answers[0].cmd != cmd)
        return QByteArray();
    return answers[0].payload.isNull() ? QByteArray("") : answers[0].payload;
}

void write(SimModel &model, quint8 module, quint8 cmd, const QByteArray &payload)
{
    QVERIFY(model.handle(request(module, cmd, FlagWrite, payload)).isEmpty());
}

QByteArray gateRecord(quint8 channel, quint8 enable, float threshold, float attack, float decay)
{
    return Le::bytes(channel, enable, threshold, attack, decay);
}

bool gateOpen(SimModel &model, int channel)
{
    return read(model, Module::Gate, GateCmd::State).at(channel) != 0;
}

} // namespace

class TestDynamicsBlocks : public QObject
{
    Q_OBJECT

private slots:
    void gateRecordsAreReadAndWrittenPerChannel()
    {
        SimModel model;
        QCOMPARE(read(model, Module::Gate, GateCmd::Record, QByteArray(1, 3)),
                 gateRecord(3, 1, -65, 1, 20));
        write(model, Module::Gate, GateCmd::Record, gateRecord(3, 0, -40, 12, 300));
        QCOMPARE(read(model, Module::Gate, GateCmd::Record, QByteArray(1, 3)),
                 gateRecord(3, 0, -40, 12, 300));
        QCOMPARE(read(model, Module::Gate, GateCmd::Record, QByteArray(1, 4)),
                 gateRecord(4, 1, -65, 1, 20));

        // Writes that do not make a record change nothing; reads of no channel
        // are not answered.
        const float nan = std::numeric_limits<float>::quiet_NaN();
        write(model, Module::Gate, GateCmd::Record, gateRecord(3, 1, -10, 1, 20).left(13));
        write(model, Module::Gate, GateCmd::Record, gateRecord(3, 1, nan, 1, 20));
        write(model, Module::Gate, GateCmd::Record, gateRecord(16, 1, -10, 1, 20));
        QCOMPARE(read(model, Module::Gate, GateCmd::Record, QByteArray(1, 3)),
                 gateRecord(3, 0, -40, 12, 300));
        QVERIFY(model.handle(request(Module::Gate, GateCmd::Record, FlagRead, QByteArray(1, 16)))
                    .isEmpty());
        // Values out of range are kept within it.
        write(model, Module::Gate, GateCmd::Record, gateRecord(3, 1, -300, 0, 5000));
        QCOMPARE(read(model, Module::Gate, GateCmd::Record, QByteArray(1, 3)),
                 gateRecord(3, 1, -120, 1, 1000));
    }

    void gatesOpenWithTheirInputLevel()
    {
        SimModel model;
        ChannelBlock &inputs = *model.block(Module::InputLevel);
        // Inputs move between about -44 and -16 dB.
        write(model, Module::Gate, GateCmd::Record, gateRecord(0, 1, -5, 1, 1000));
        inputs.set<quint8>(InLevelCmd::Mute, 1, 1);
        QCOMPARE(read(model, Module::Gate, GateCmd::State).size(), 16);
        QVERIFY(gateOpen(model, 3)); // threshold -65
        QVERIFY(!gateOpen(model, 0));
        inputs.set<float>(InLevelCmd::Gain, 0, 45.0f);
        QVERIFY(gateOpen(model, 0));
        // The gate stays open for its decay time after the level falls.
        inputs.set<float>(InLevelCmd::Gain, 0, 0.0f);
        QVERIFY(gateOpen(model, 0));
        write(model, Module::Gate, GateCmd::Record, gateRecord(0, 0, -5, 1, 1000));
        QVERIFY(!gateOpen(model, 0)); // switched off
        QVERIFY(!gateOpen(model, 1)); // a muted input is silent
    }

    void automixerSwitchesAndNomLevel()
    {
        SimModel model;
        QCOMPARE(read(model, Module::AutoMixer, AutoMixerCmd::NomLevel), QByteArray(1, 3));
        write(model, Module::AutoMixer, AutoMixerCmd::OutEnable, QByteArray::fromHex("0f07"));
        write(model, Module::AutoMixer, AutoMixerCmd::AutoEnable, QByteArray::fromHex("1001"));
        for (const char *level : {"05", "06", "0001"})
            write(model, Module::AutoMixer, AutoMixerCmd::NomLevel, QByteArray::fromHex(level));
        QCOMPARE(read(model, Module::AutoMixer, AutoMixerCmd::AutoEnable), QByteArray(16, 0));
        QCOMPARE(read(model, Module::AutoMixer, AutoMixerCmd::OutEnable),
                 QByteArray(15, 0) + QByteArray(1, 1)); // stored as 0/1
        QCOMPARE(read(model, Module::AutoMixer, AutoMixerCmd::NomLevel), QByteArray(1, 5));
    }

    void echoCancellerAndNoiseReduction()
    {
        SimModel model;
        write(model, Module::Aec, AecCmd::Enable, QByteArray(1, 1));
        QCOMPARE(read(model, Module::Aec, AecCmd::Enable), QByteArray(1, 1));
        model.system().aecSupport = 0;
        QCOMPARE(read(model, Module::Aec, AecCmd::Enable, {}, FlagRefused), QByteArray(""));
        write(model, Module::Aec, AecCmd::Enable, QByteArray(1, 0));
        model.system().aecSupport = 1;
        QCOMPARE(read(model, Module::Aec, AecCmd::Enable), QByteArray(1, 1));

        write(model, Module::Anc, AncCmd::State, QByteArray::fromHex("0402"));
        write(model, Module::Anc, AncCmd::State, QByteArray::fromHex("0802"));
        write(model, Module::Anc, AncCmd::State, QByteArray::fromHex("0104"));
        QCOMPARE(read(model, Module::Anc, AncCmd::State), QByteArray::fromHex("0402"));
    }

    void presetsHoldTheBlocks()
    {
        SimModel model;
        write(model, Module::Gate, GateCmd::Record, gateRecord(9, 0, -30, 5, 80));
        write(model, Module::AutoMixer, AutoMixerCmd::AutoEnable, QByteArray::fromHex("0901"));
        write(model, Module::AutoMixer, AutoMixerCmd::NomLevel, QByteArray(1, 2));
        write(model, Module::Aec, AecCmd::Enable, QByteArray(1, 1));
        write(model, Module::Anc, AncCmd::State, QByteArray::fromHex("0603"));
        const QByteArray image = model.presetState();
        model.factoryReset();
        QCOMPARE(read(model, Module::Gate, GateCmd::Record, QByteArray(1, 9)),
                 gateRecord(9, 1, -65, 1, 20));
        QVERIFY(model.restorePresetState(image));
        QCOMPARE(read(model, Module::Gate, GateCmd::Record, QByteArray(1, 9)),
                 gateRecord(9, 0, -30, 5, 80));
        QCOMPARE(read(model, Module::AutoMixer, AutoMixerCmd::AutoEnable).at(9), char(1));
        QCOMPARE(read(model, Module::AutoMixer, AutoMixerCmd::NomLevel), QByteArray(1, 2));
        QCOMPARE(read(model, Module::Aec, AecCmd::Enable), QByteArray(1, 1));
        QCOMPARE(read(model, Module::Anc, AncCmd::State), QByteArray::fromHex("0603"));
    }

    void noAecOption()
    {
        SimOptions options;
        QString error;
        QVERIFY(parseSimOptions({QStringLiteral("dapsim"), QStringLiteral("--no-aec")}, options,
                                error));
        QVERIFY(!options.units.value(0).aec);
        SimOptions defaults;
        QVERIFY(parseSimOptions({QStringLiteral("dapsim")}, defaults, error));
        QVERIFY(defaults.units.value(0).aec);
        SimUnit unit(options.units.value(0));
        QCOMPARE(int(unit.model().system().aecSupport), 0);
    }
};

QTEST_GUILESS_MAIN(TestDynamicsBlocks)
#include "tst_voiceblocks.moc"
