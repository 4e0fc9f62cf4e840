// One path of every block set through dapctl against a simulated unit, and
// the unit's record read back with this test's own reading of the answer
// bytes (not the unit model's): the value sits at its offset, clamped as the
// program's page clamps it.

#include "protocol/commands.h"
#include "tests/dapctl/ctlrun.h"
#include "tests/support/testsupport.h"

#include <QTest>

#include <cstring>

using namespace Proto;

namespace {

// The answer of the simulated unit to one read, as bytes.
QByteArray answerOf(SimUnit &unit, quint8 op, quint8 module, quint8 cmd, const QByteArray &selector)
{
    Frame read;
    read.op = op;
    read.module = module;
    read.cmd = cmd;
    read.flag = FlagRead;
    read.payload = selector;
    read.length = quint16(selector.size());
    const QVector<SimModel::Answer> answers = unit.model().handle(read);
    for (const SimModel::Answer &a : answers)
        if (a.op == op && a.module == module && a.cmd == cmd && a.flag == 0x80)
            return a.payload;
    return QByteArray();
}

// A little-endian u32 and float32 at `at`.
quint32 u32At(const QByteArray &bytes, int at)
{
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8 |
           quint32(quint8(bytes[at + 2])) << 16 | quint32(quint8(bytes[at + 3])) << 24;
}

double floatAt(const QByteArray &bytes, int at)
{
    const quint32 bits = u32At(bytes, at);
    float f = 0;
    std::memcpy(&f, &bits, sizeof f);
    return double(f);
}

} // namespace

class TestDapctlBlocks final : public QObject, private CtlRack
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }
    void init() { QVERIFY(start()); }
    void cleanup() { stop(); }

    void pathLandsInTheUnitsRecord_data()
    {
        QTest::addColumn<QStringList>("set");
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("module");
        QTest::addColumn<int>("cmd");
        QTest::addColumn<QByteArray>("selector");
        QTest::addColumn<int>("offset");
        QTest::addColumn<char>("wire"); // b: u8, c: i8, u: u32, f: float32, t: text
        QTest::addColumn<QVariant>("stored");
        const auto sel = [](int a) { return QByteArray(1, char(a)); };
        const auto sel2 = [](int a, int b) {
            QByteArray s(2, '\0');
            s[0] = char(a);
            s[1] = char(b);
            return s;
        };
        QTest::newRow("input level: trim clamped to the line range")
            << QStringList{"input.2.trim", "15"} << 3 << int(Module::InputLevel)
            << int(InLevelCmd::Gain) << QByteArray() << 4 << 'f' << QVariant(12.0);
        QTest::newRow("input level: mic gain as step 40")
            << QStringList{"input.6.mode", "mic", "input.6.gain", "47"} << 3
            << int(Module::InputLevel) << int(InLevelCmd::Step) << QByteArray() << 5 << 'b'
            << QVariant(7);
        QTest::newRow("pre-mix: the bottom goes as -100")
            << QStringList{"premix.5.gain", "-60"} << 3 << int(Module::PreMixLevel)
            << int(PreMixCmd::Gain) << QByteArray() << 16 << 'f' << QVariant(-100.0);
        QTest::newRow("output level: within the channel's limit")
            << QStringList{"output.6.max", "3", "output.6.gain", "9"} << 3
            << int(Module::OutputLevel) << int(OutLevelCmd::Gain) << QByteArray() << 20 << 'f'
            << QVariant(3.0);
        QTest::newRow("matrix: crosspoint gain off goes as -70")
            << QStringList{"matrix.3.5.gain", "-60"} << 3 << int(Module::Matrix)
            << int(MatrixCmd::Gain) << sel(4) << 1 + 2 << 'c' << QVariant(-70);
        QTest::newRow("matrix: crosspoint on")
            << QStringList{"matrix.16.1", "on"} << 3 << int(Module::Matrix) << int(MatrixCmd::On)
            << sel(0) << 1 + 15 << 'b' << QVariant(1);
        QTest::newRow("generator: frequency within 24 kHz")
            << QStringList{"generator.frequency", "30000"} << 3 << int(Module::Generator)
            << int(GeneratorCmd::Frequency) << QByteArray() << 0 << 'f' << QVariant(24000.0);
        QTest::newRow("generator: level at least -70")
            << QStringList{"generator.gain", "-90"} << 3 << int(Module::Generator)
            << int(GeneratorCmd::Gain) << QByteArray() << 0 << 'f' << QVariant(-70.0);
        QTest::newRow("labels: cut to 16 bytes")
            << QStringList{"label.output.4", "Lectern microphone left"} << 2
            << int(SysModule::Labels) << int(LabelCmd::Outputs) << QByteArray() << 3 * 16 << 't'
            << QVariant(QByteArray("Lectern micropho"));
        QTest::newRow("labels: touch screen, 10 bytes")
            << QStringList{"label.panel.2", "Podium microphone"} << 2 << int(SysModule::Labels)
            << int(LabelCmd::Panel) << QByteArray() << 10 << 't'
            << QVariant(QByteArray("Podium mic"));
        QTest::newRow("system: location")
            << QStringList{"system.location", "Main hall"} << 2 << int(SysModule::Settings)
            << int(SettingsCmd::Location) << QByteArray() << 0 << 't'
            << QVariant(QByteArray("Main hall"));
        QTest::newRow("system: RS232 speed")
            << QStringList{"system.rs232", "19200"} << 2 << int(SysModule::Settings)
            << int(SettingsCmd::Rs232Baud) << QByteArray() << 0 << 'u' << QVariant(19200);
        QTest::newRow("feedback") << QStringList{"input.7.feedback", "on"} << 3
                                  << int(Module::Feedback) << int(FeedbackCmd::Enable)
                                  << QByteArray() << 6 << 'b' << QVariant(1);
        QTest::newRow("input high-pass: frequency at least 20 Hz")
            << QStringList{"input.3.hpf.frequency", "10"} << 3 << int(Module::InputFilter)
            << int(FilterCmd::HighPass) << sel(2) << 1 + 3 << 'f' << QVariant(20.0);
        QTest::newRow("input low-pass: slope 48 is the sixth")
            << QStringList{"input.3.lpf.slope", "48"} << 3 << int(Module::InputFilter)
            << int(FilterCmd::LowPass) << sel(2) << 1 + 2 << 'b' << QVariant(5);
        QTest::newRow("input band: gain 30 lands as 20")
            << QStringList{"input.3.eq.2.gain", "30"} << 3 << int(Module::InputFilter)
            << int(FilterCmd::Band) << sel2(2, 1) << 2 + 6 << 'f' << QVariant(20.0);
        QTest::newRow("input band: Q as its table's index")
            << QStringList{"input.1.eq.1.q", "0.5"} << 3 << int(Module::InputFilter)
            << int(FilterCmd::Band) << sel2(0, 0) << 2 + 10 << 'b' << QVariant(0);
        QTest::newRow("output high-pass: type")
            << QStringList{"output.8.hpf.type", "link-riley"} << 3 << int(Module::OutputFilter)
            << int(FilterCmd::HighPass) << sel(7) << 1 + 1 << 'b' << QVariant(2);
        QTest::newRow("output low-pass: on")
            << QStringList{"output.8.lpf.enable", "on"} << 3 << int(Module::OutputFilter)
            << int(FilterCmd::LowPass) << sel(7) << 1 + 0 << 'b' << QVariant(1);
        QTest::newRow("output band: frequency at most 20 kHz")
            << QStringList{"output.2.eq.16.frequency", "30000"} << 3 << int(Module::OutputFilter)
            << int(FilterCmd::Band) << sel2(1, 15) << 2 + 2 << 'f' << QVariant(20000.0);
        QTest::newRow("input delay: at most 1000 ms")
            << QStringList{"input.1.delay", "1500"} << 3 << int(Module::InputDelay)
            << int(DelayCmd::Delay) << QByteArray() << 0 << 'f' << QVariant(1000.0);
        QTest::newRow("output delay: at most 2000 ms")
            << QStringList{"output.16.delay", "2500"} << 3 << int(Module::OutputDelay)
            << int(DelayCmd::Delay) << QByteArray() << 60 << 'f' << QVariant(2000.0);
        QTest::newRow("gate: threshold -45.7 lands as -45")
            << QStringList{"input.5.gate.threshold", "-45.7"} << 3 << int(Module::Gate)
            << int(GateCmd::Record) << sel(4) << 1 + 1 << 'f' << QVariant(-45.0);
        QTest::newRow("automixer: an input takes part")
            << QStringList{"input.2.automixer", "on"} << 3 << int(Module::AutoMixer)
            << int(AutoMixerCmd::AutoEnable) << QByteArray() << 1 << 'b' << QVariant(1);
        QTest::newRow("automixer: attenuation per microphone")
            << QStringList{"automixer.nom", "4"} << 3 << int(Module::AutoMixer)
            << int(AutoMixerCmd::NomLevel) << QByteArray() << 0 << 'b' << QVariant(4);
        QTest::newRow("input limiter: ratio at most 100")
            << QStringList{"input.4.limiter.ratio", "150"} << 3 << int(Module::InputLimiter)
            << int(LimiterCmd::Record) << sel(3) << 1 + 5 << 'f' << QVariant(100.0);
        QTest::newRow("output limiter: attack at least 1 ms")
            << QStringList{"output.4.limiter.attack", "0.5"} << 3 << int(Module::OutputLimiter)
            << int(LimiterCmd::Record) << sel(3) << 1 + 9 << 'f' << QVariant(1.0);
        QTest::newRow("AGC: threshold at most the target")
            << QStringList{"input.6.agc.target", "-20", "input.6.agc.threshold", "-10"} << 3
            << int(Module::Agc) << int(AgcCmd::Record) << sel(5) << 1 + 1 << 'f' << QVariant(-20.0);
        QTest::newRow("AGC: decay whole")
            << QStringList{"input.6.agc.decay", "333.9"} << 3 << int(Module::Agc)
            << int(AgcCmd::Record) << sel(5) << 1 + 17 << 'f' << QVariant(333.0);
        QTest::newRow("echo canceller")
            << QStringList{"aec.enable", "on"} << 3 << int(Module::Aec) << int(AecCmd::Enable)
            << QByteArray() << 0 << 'b' << QVariant(1);
        QTest::newRow("noise reduction")
            << QStringList{"anc.channel", "3", "anc.level", "strong"} << 3 << int(Module::Anc)
            << int(AncCmd::State) << QByteArray() << 1 << 'b' << QVariant(2);
    }

    void pathLandsInTheUnitsRecord()
    {
        QFETCH(QStringList, set);
        QFETCH(int, op);
        QFETCH(int, module);
        QFETCH(int, cmd);
        QFETCH(QByteArray, selector);
        QFETCH(int, offset);
        QFETCH(char, wire);
        QFETCH(QVariant, stored);
        const CtlRun r = run(QStringList{"set", "501"} + set);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QByteArray answer =
            answerOf(m_rack[0], quint8(op), quint8(module), quint8(cmd), selector);
        QVERIFY2(answer.size() >= offset + (wire == 'f' || wire == 'u' ? 4 : 1),
                 answer.toHex().constData());
        QCOMPARE(answer.left(selector.size()), selector);
        switch (wire) {
        case 'b':
            QCOMPARE(int(quint8(answer[offset])), stored.toInt());
            break;
        case 'c':
            QCOMPARE(int(qint8(answer[offset])), stored.toInt());
            break;
        case 'u':
            QCOMPARE(u32At(answer, offset), stored.toUInt());
            break;
        case 'f':
            QCOMPARE(floatAt(answer, offset), stored.toDouble());
            break;
        default:
            QCOMPARE(answer.mid(offset, stored.toByteArray().size()), stored.toByteArray());
        }
    }
};

QTEST_GUILESS_MAIN(TestDapctlBlocks)
#include "tst_dapctlblocks.moc"
