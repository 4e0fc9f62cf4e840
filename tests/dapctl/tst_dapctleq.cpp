// dapctl eq against simulated units: the import's report and writes (read
// back from the unit's bytes, not through the unit model), --dry-run, files
// refused before the unit is asked anything, and an export imported onto
// another unit.

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "tests/dapctl/ctlrun.h"
#include "tests/support/testsupport.h"

#include <QFile>
#include <QTest>

using namespace Proto;

namespace {

// The band record the unit reports: enable, type, frequency, gain, Q index.
QByteArray bandOf(SimUnit &unit, quint8 module, quint8 channel, quint8 band)
{
    Frame read;
    read.op = OpBlock;
    read.module = module;
    read.cmd = FilterCmd::Band;
    read.flag = FlagRead;
    read.payload = Le::bytes(channel, band);
    read.length = 2;
    for (const SimModel::Answer &a : unit.model().handle(read))
        if (a.cmd == FilterCmd::Band)
            return a.payload.mid(2);
    return QByteArray();
}

bool writeText(const QString &name, const QByteArray &text)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

const QByteArray TenFilters = "Filter Settings file\r\n"
                              "Preamp: -4 dB\r\n"
                              "Filter  1: ON  PK       Fc   50.0 Hz  Gain  -6.0 dB  Q  5.00\r\n"
                              "Filter  2: ON  PK       Fc   80.0 Hz  Gain  -3.0 dB  Q  4.32\r\n"
                              "Filter  3: ON  PK       Fc   120 Hz  Gain  2.0 dB  Q  2.00\r\n"
                              "Filter  4: ON  PK       Fc   200 Hz  Gain  -2.0 dB  Q  1.00\r\n"
                              "Filter  5: ON  PK       Fc   400 Hz  Gain  1.5 dB  Q  1.50\r\n"
                              "Filter  6: ON  PK       Fc   800 Hz  Gain  -1.0 dB  Q  3.00\r\n"
                              "Filter  7: ON  PK       Fc   1600 Hz  Gain  2.5 dB  Q  2.00\r\n"
                              "Filter  8: ON  PK       Fc   3200 Hz  Gain  -4.0 dB  Q  6.00\r\n"
                              "Filter  9: ON  PK       Fc   6400 Hz  Gain  3.0 dB  Q  1.00\r\n"
                              "Filter 10: ON  PK       Fc   12800 Hz  Gain  -2.0 dB  Q  2.00\r\n";

} // namespace

class TestDapctlEq final : public QObject, private CtlRack
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }
    void init() { QVERIFY(start()); }
    void cleanup() { stop(); }

    void importPrintsTheReportAndWrites()
    {
        QVERIFY(writeText(QStringLiteral("room.txt"), TenFilters));
        QSignalSpy requests(&m_rack[0], &SimUnit::requestReceived);
        const CtlRun dry = run({"eq", "501", "output.2", "import", "room.txt", "--dry-run"});
        QVERIFY2(dry.code == 0, qPrintable(dry.err));
        QVERIFY(dry.out.endsWith(QStringLiteral("dry run: nothing was sent\n")));
        QCOMPARE(writesSeen(requests), 0);
        const CtlRun r = run({"eq", "501", "output.2", "import", "room.txt"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        // This unit's DSP firmware has 8 bands.
        QCOMPARE(lines[0], QStringLiteral("output.2: 7 placed as the file asks, 1 approximated, "
                                          "3 not placed"));
        QVERIFY(lines[1].startsWith(QStringLiteral("largest deviation from the file's curve, "
                                                   "20 Hz to 20 kHz: ")));
        QVERIFY(r.out.contains(QStringLiteral("line 2: Preamp -4.0 dB -> not placed")));
        QVERIFY(r.out.contains(QStringLiteral("line 4: PK 80 Hz -3 dB Q 4.32 -> approximated: "
                                              "band 2: PEQ 80 Hz -3.0 dB Q 4.20")));
        QVERIFY(r.out.contains(QStringLiteral("line 12: PK 12800 Hz -2 dB Q 2.00 -> not placed: "
                                              "no band is left for it (the unit has 8 bands)")));
        QVERIFY(lines.last().startsWith(QStringLiteral("wrote ")));
        // Eight band records, one frame each; the cut filters were off already.
        QCOMPARE(writesSeen(requests), 8);
        QCOMPARE(bandOf(m_rack[0], Module::OutputFilter, 1, 1),
                 Le::bytes(quint8(1), quint8(0), 80.0f, -3.0f, quint8(37)));
        QCOMPARE(bandOf(m_rack[0], Module::OutputFilter, 1, 7),
                 Le::bytes(quint8(1), quint8(0), 3200.0f, -4.0f, quint8(43)));
    }

    void refusedBeforeConnecting_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QStringList import{"eq", "501", "input.1", "import", "room.txt"};
        QTest::newRow("a broken line") << QByteArray("Filter 1: ON PK Fc 50 Hz Gain 1 dB Q 1\n"
                                                     "Filter 2: ON PK Fc 50 Hz Gain one dB Q 1\n")
                                       << import << 1 << "room.txt: line 2: no number after";
        QTest::newRow("no such file")
            << QByteArray() << QStringList{"eq", "501", "input.1", "import", "missing.txt"} << 1
            << "missing.txt does not exist";
        QTest::newRow("no channel")
            << QByteArray() << QStringList{"eq", "501", "input.17", "import", "room.txt"} << 2
            << "is no channel";
        QTest::newRow("no action")
            << QByteArray() << QStringList{"eq", "501", "input.1", "merge", "room.txt"} << 2
            << "neither import nor export";
        QTest::newRow("dry run of an export")
            << QByteArray() << QStringList{"eq", "501", "input.1", "export", "x.txt", "--dry-run"}
            << 2 << "--dry-run is for import";
    }
    void refusedBeforeConnecting()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        QVERIFY(writeText(QStringLiteral("room.txt"), text));
        QSignalSpy requests(&m_rack[0], &SimUnit::requestReceived);
        const CtlRun r = run(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(requests.count(), 0);
    }

    void exportImportedOntoAnotherUnit()
    {
        // Input 3 of the first unit: a Butterworth -24 high-pass at 60 Hz, a
        // low shelf and a peaking band.
        const QByteArray ch(1, 2);
        writeTo(m_rack[0], OpBlock, Module::InputFilter, FilterCmd::HighPass,
                ch + Le::bytes(quint8(1), quint8(1), quint8(3), 60.0f));
        writeTo(m_rack[0], OpBlock, Module::InputFilter, FilterCmd::Band,
                ch + char(0) + Le::bytes(quint8(1), quint8(1), 90.0f, 3.5f, quint8(5)));
        writeTo(m_rack[0], OpBlock, Module::InputFilter, FilterCmd::Band,
                ch + char(4) + Le::bytes(quint8(1), quint8(0), 2500.0f, -7.2f, quint8(50)));
        CtlRun r = run({"eq", "501", "input.3", "export", "in3.txt"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(r.out, QStringLiteral("wrote in3.txt: 11 filters of input.3\n"));

        r = run({"eq", "502", "input.5", "import", "in3.txt"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY2(r.out.contains(QStringLiteral(" 0 approximated, 0 not placed")),
                 qPrintable(r.out));
        for (quint8 b = 0; b < 8; ++b)
            QCOMPARE(bandOf(m_rack[1], Module::InputFilter, 4, b),
                     bandOf(m_rack[0], Module::InputFilter, 2, b));
    }
};

QTEST_GUILESS_MAIN(TestDapctlEq)
#include "tst_dapctleq.moc"
