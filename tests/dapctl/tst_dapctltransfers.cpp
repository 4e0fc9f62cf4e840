// dapctl's preset transfers against simulated units whose presets misbehave:
// an export the unit does not finish leaves the file it would replace as it
// was, an import the unit takes nothing of ends, an image too large is not
// asked for, and files that cannot be imported are refused before the unit
// is reached. The built program prints a transfer's error once.

#include "protocol/commands.h"
#include "tests/dapctl/ctlrun.h"
#include "tests/presets/badfiles.h"
#include "tests/presets/faultypresets.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace Proto;

namespace {

// The preset requests of `cmd` among those a unit's requestReceived spy saw.
int presetRequests(const QSignalSpy &requests, quint8 cmd)
{
    int n = 0;
    for (const QList<QVariant> &args : requests) {
        const auto f = args.at(0).value<Proto::Frame>();
        n += f.op == OpBlock && f.module == Module::Preset && f.cmd == cmd;
    }
    return n;
}

} // namespace

class TestDapctlTransfers final : public QObject, private CtlRack
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qRegisterMetaType<QProcess::ExitStatus>();
    }
    void init() { QVERIFY(start()); }
    void cleanup() { stop(); }

    void exportTheUnitDoesNotFinishLeavesTheOldFile_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("chunks"); // export answers before the fault
        QTest::addColumn<QString>("message");

        using F = FaultyPresets::Fault;
        const QString huge = QStringLiteral("The unit announced a preset image of 134217728 "
                                            "bytes; at most 2097152 bytes are taken.");
        QTest::newRow("connection dropped") << "export-all" << int(F::DropsAfter) << 3
                                            << "the unit closed the connection during the transfer";
        QTest::newRow("silent") << "export-all" << int(F::SilentAfter) << 3 << "the transfer";
        QTest::newRow("request unanswered")
            << "export-all" << int(F::SilentBegin) << 0 << "the transfer";
        QTest::newRow("image of 128 MiB") << "export-all" << int(F::HugeImage) << 0 << huge;
        QTest::newRow("backup, image of 128 MiB") << "backup" << int(F::HugeImage) << 0 << huge;
    }

    void exportTheUnitDoesNotFinishLeavesTheOldFile()
    {
        QFETCH(QString, command);
        QFETCH(int, fault);
        QFETCH(int, chunks);
        QFETCH(QString, message);
        FaultyPresets::install(m_rack[0], FaultyPresets::Fault(fault), chunks);
        QSignalSpy requests(&m_rack[0], &SimUnit::requestReceived);
        const QByteArray old(50000, 'o');
        m_dir->writeFile(QStringLiteral("unit.out"), old);
        const QString file = m_dir->filePath(QStringLiteral("unit.out"));
        const CtlRun r =
            run(command == QLatin1String("backup") ? QStringList{"backup", "501", file}
                                                   : QStringList{"preset", "501", command, file});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.startsWith(QStringLiteral("dapctl: ")) && r.err.contains(message),
                 qPrintable(r.err));
        QCOMPARE(presetRequests(requests, PresetCmd::ExportData),
                 fault == int(FaultyPresets::Fault::SilentAfter) ||
                         fault == int(FaultyPresets::Fault::DropsAfter)
                     ? chunks + 1
                     : 0);
        QCOMPARE(m_dir->readFile(QStringLiteral("unit.out")), old);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("unit.out")});
    }

    // A unit that takes none of a chunk: the import ends at once, where
    // sending the chunk again would go on for ever.
    void importTheUnitTakesNothingOfEnds()
    {
        const QString file = m_dir->filePath(QStringLiteral("all.pstl"));
        QCOMPARE(run({"preset", "502", "save", "4"}).code, 0);
        QCOMPARE(run({"preset", "502", "export-all", file}).code, 0);
        FaultyPresets::install(m_rack[0], FaultyPresets::Fault::TakesNothing);
        QSignalSpy requests(&m_rack[0], &SimUnit::requestReceived);
        QElapsedTimer clock;
        clock.start();
        const CtlRun r = run({"preset", "501", "import-all", file});
        QVERIFY(clock.elapsed() < 2000); // within the time-out of --timeout 2
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QStringLiteral("dapctl: The unit took none of the 1024 bytes sent; the "
                                       "import did not finish.\n"));
        QCOMPARE(presetRequests(requests, PresetCmd::ImportData), 1);
    }

    void importFileRefusedBeforeTheUnitIsReached_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("kind"); // BadFile, or -1: a file of `size` bytes
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("message");

        const auto bad = [](BadFile k) { return int(k); };
        const QString format = QStringLiteral("preset file format error! The file has ");
        QTest::newRow("no file") << "import-all" << bad(BadFile::Missing) << 0LL
                                 << "does not exist";
        QTest::newRow("FIFO") << "import-all" << bad(BadFile::Fifo) << 0LL
                              << "is not a regular file";
        QTest::newRow("folder") << "import" << bad(BadFile::Folder) << 0LL
                                << "is not a regular file";
        QTest::newRow("unreadable")
            << "import-all" << bad(BadFile::Unreadable) << 0LL << "cannot be read";
        QTest::newRow("31 bytes") << "import-all" << -1 << 31LL << format + "31 bytes";
        QTest::newRow("no whole records")
            << "import-all" << -1 << 32LL * 300 + 7 << format + "9607 bytes";
        QTest::newRow("one slot, 16 bytes") << "import" << -1 << 16LL << format + "16 bytes";
        QTest::newRow("above 2 MiB")
            << "import-all" << -1 << (2LL << 20) + 32 << format + "2097184 bytes";
    }

    void importFileRefusedBeforeTheUnitIsReached()
    {
        QFETCH(QString, action);
        QFETCH(int, kind);
        QFETCH(qint64, size);
        QFETCH(QString, message);
        QString file = m_dir->filePath(QStringLiteral("in.pstl"));
        if (kind < 0) {
            m_dir->writeFile(QStringLiteral("in.pstl"), QByteArray());
            QVERIFY(QFile(file).resize(size));
        } else {
            file = makeBadFile(m_dir->path(), QStringLiteral("in.pstl"), BadFile(kind));
        }
        QSignalSpy sessions(&m_rack[0], &SimUnit::sessionOpened);
        QStringList args{"preset", "501", action};
        if (action == QLatin1String("import"))
            args << "3";
        PermissionsEnforced permissions;
        const CtlRun r = run(args << file);
        QCOMPARE(r.code, 1);
        QVERIFY(!sessions.wait(200));
        QCOMPARE(sessions.count(), 0);
        QVERIFY2(r.err.startsWith(QStringLiteral("dapctl: ")) && r.err.contains(message),
                 qPrintable(r.err));
    }

    // The built program: an error of a transfer reaches standard error once,
    // as dapctl's message.
    void transferErrorIsPrintedOnce()
    {
        const QString file = m_dir->filePath(QStringLiteral("all.pstl"));
        m_dir->writeFile(QStringLiteral("all.pstl"), QByteArray(32 * 40, '\0'));
        QProcess p;
        QSignalSpy finished(&p, qOverload<int, QProcess::ExitStatus>(&QProcess::finished));
        p.start(QStringLiteral(DAP_RUN_DIR "/dapctl"),
                QStringList{"preset", "501", "import-all", file} + opts());
        QVERIFY(finished.wait(15000)); // the simulated unit answers from this event loop
        QCOMPARE(p.exitCode(), 1);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(err.count(QStringLiteral("preset file format error!")), 1);
        QVERIFY2(err.startsWith(QStringLiteral("dapctl: preset file format error!")),
                 qPrintable(err));
    }
};

QTEST_GUILESS_MAIN(TestDapctlTransfers)
#include "tst_dapctltransfers.moc"
