// dapctl's commands run in-process against simulated units on loopback: the
// presets and their files, whole-unit backups and restores.

#include "dapctl/backupfile.h"
#include "dapctl/progressbar.h"
#include "protocol/commands.h"
#include "sim/labeltables.h"
#include "sim/presetblock.h"
#include "tests/dapctl/ctlrun.h"
#include "tests/support/testsupport.h"

#include <QSignalSpy>
#include <QTest>

using namespace Proto;

class TestDapctlFiles final : public QObject, private CtlRack
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }
    void init() { QVERIFY(start()); }
    void cleanup() { stop(); }

    void presetSaveAndRecall()
    {
        QCOMPARE(run({"set", "501", "input.1.mute", "on"}).code, 0);
        const CtlRun saved = run({"preset", "501", "save", "3"});
        QCOMPARE(saved.code, 0);
        QVERIFY(saved.out.startsWith(QStringLiteral("saved the unit's settings as preset 3")));
        const QByteArray image = m_rack[0].model().presetState();
        QCOMPARE(run({"set", "501", "input.1.mute", "off"}).code, 0);
        QVERIFY(m_rack[0].model().presetState() != image);

        const CtlRun recalled = run({"preset", "501", "recall", "3"});
        QCOMPARE(recalled.code, 0);
        QCOMPARE(recalled.out, QStringLiteral("recalled preset 3 \"Preset 3\"\n"));
        QCOMPARE(m_rack[0].model().presetState(), image);

        const CtlRun empty = run({"preset", "501", "recall", "9"});
        QCOMPARE(empty.code, 1);
        QVERIFY(empty.err.contains(QStringLiteral("preset 9 is empty")));
        QCOMPARE(run({"preset", "501", "recall", "33"}).code, 2);
    }

    void presetFilesMoveBetweenUnits()
    {
        QCOMPARE(run({"set", "501", "output.5.invert", "on"}).code, 0);
        QCOMPARE(run({"preset", "501", "save", "7"}).code, 0);
        const QString file = m_dir->filePath(QStringLiteral("seven.pst"));
        const CtlRun exported = run({"preset", "501", "export", "7", file});
        QVERIFY2(exported.code == 0, qPrintable(exported.err));
        QVERIFY(exported.err.isEmpty()); // no progress bar off a terminal
        QCOMPARE(run({"preset", "502", "import", "2", file}).code, 0);
        const auto *a = m_rack[0].model().blockAs<PresetBlock>(OpBlock, Module::Preset);
        const auto *b = m_rack[1].model().blockAs<PresetBlock>(OpBlock, Module::Preset);
        QCOMPARE(b->state(1), a->state(6));
        // A file of one preset is refused for all slots before anything is sent.
        const CtlRun wrong = run({"preset", "502", "import-all", file});
        QCOMPARE(wrong.code, 1);
        QVERIFY(wrong.err.contains(QStringLiteral("preset file format error!")));
    }

    void progressIsDrawnOnATerminalOnly()
    {
        QCOMPARE(run({"preset", "501", "save", "2"}).code, 0);
        CtlRun r;
        CtlConsole terminal(&r.out, &r.err, true);
        r.code = DapCtl().run(QStringList{"preset", "501", "export-all",
                                          m_dir->filePath(QStringLiteral("all.pstl"))} +
                                  opts(),
                              terminal);
        terminal.flush();
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.startsWith(QStringLiteral("\rExporting... [")), qPrintable(r.err));
        QVERIFY(r.err.endsWith(QStringLiteral("] 100 %\n")));
        QVERIFY(r.out.startsWith(QStringLiteral("exported all presets (2 of 32")));
    }

    // Files of format 1 (no live values) still restore as they did.
    void backupRestoredIntoAnotherUnitMakesThemEqual_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("format 1") << 1;
        QTest::newRow("format 2") << 2;
    }

    void backupRestoredIntoAnotherUnitMakesThemEqual()
    {
        QFETCH(int, version);
        SimUnit &a = m_rack[0];
        SimUnit &b = m_rack[1];
        writeTo(a, OpSystem, SysModule::Labels, LabelCmd::Inputs, QByteArray(1, 2) + "Choir left");
        writeTo(a, OpSystem, SysModule::Labels, LabelCmd::Panel, QByteArray(1, 15) + "Pulpit");
        QCOMPARE(run({"set", "501", "system.description", "Chapel", "system.rs232", "57600",
                      "system.gatereport", "1", "output.3.min", "-30", "input.2.mode", "mic",
                      "input.2.gain", "33"})
                     .code,
                 0);
        QCOMPARE(run({"preset", "501", "save", "5"}).code, 0);
        QCOMPARE(run({"preset", "501", "recall", "5"}).code, 0);
        QVERIFY(a.model().presetState() != b.model().presetState());

        const QString file = m_dir->filePath(QStringLiteral("unit501.dapbak"));
        const CtlRun backup = run({"backup", "501", file});
        QVERIFY2(backup.code == 0, qPrintable(backup.err));
        if (version == 1) {
            QString error;
            std::optional<BackupFile> old =
                BackupFile::fromJson(m_dir->readFile(QStringLiteral("unit501.dapbak")), error);
            QVERIFY2(old, qPrintable(error));
            old->version = 1;
            m_dir->writeFile(QStringLiteral("unit501.dapbak"), old->toJson());
            QVERIFY(!m_dir->readFile(QStringLiteral("unit501.dapbak")).contains("\"live\""));
        }
        QSignalSpy requests(&b, &SimUnit::requestReceived);
        const CtlRun restore = run({"restore", "502", file});
        QVERIFY2(restore.code == 0, qPrintable(restore.err));
        QVERIFY(restore.out.contains(QStringLiteral("recalled     preset 5 \"Preset 5\"")));
        QVERIFY(restore.out.contains(QStringLiteral("RS232 speed  57600")));

        QCOMPARE(b.model().presetState(), a.model().presetState());
        const auto *pa = a.model().blockAs<PresetBlock>(OpBlock, Module::Preset);
        const auto *pb = b.model().blockAs<PresetBlock>(OpBlock, Module::Preset);
        for (int s = 0; s < PresetBlock::Slots; ++s) {
            QCOMPARE(pb->holdsPreset(s), pa->holdsPreset(s));
            QCOMPARE(pb->name(s), pa->name(s));
            QCOMPARE(pb->state(s), pa->state(s));
        }
        QCOMPARE(pb->current(), quint8(4));
        for (auto table : {LabelTables::Inputs, LabelTables::Outputs, LabelTables::Panel})
            for (int c = 0; c < 16; ++c)
                QCOMPARE(b.model().labels().label(table, c), a.model().labels().label(table, c));
        const SystemState &sa = a.model().system();
        const SystemState &sb = b.model().system();
        QCOMPARE(sb.location, sa.location);
        QCOMPARE(sb.description, QStringLiteral("Chapel"));
        QCOMPARE(sb.rs232Baud, 57600u);
        QCOMPARE(sb.gateReport, quint8(1));
        QCOMPARE(b.model().labels().label(LabelTables::Inputs, 2), QByteArray("Choir left"));
        QVERIFY(writesSeen(requests) > 0);
    }

    void restoreRefusedByTheUnitWritesNothing()
    {
        // A backup of a unit whose presets are larger than this unit's: its
        // checksum is right, but the unit expects another size.
        const QString file = m_dir->filePath(QStringLiteral("unit.dapbak"));
        QCOMPARE(run({"backup", "501", file}).code, 0);
        QString error;
        std::optional<BackupFile> backup =
            BackupFile::fromJson(m_dir->readFile(QStringLiteral("unit.dapbak")), error);
        QVERIFY(backup);
        backup->presetImage.append(QByteArray(BackupFile::Slots * 4, '\0'));
        backup->inputLabels[2] = QStringLiteral("Should not arrive");
        m_dir->writeFile(QStringLiteral("unit.dapbak"), backup->toJson());

        QSignalSpy requests(&m_rack[1], &SimUnit::requestReceived);
        const CtlRun r = run({"restore", "502", file});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("preset file format error! The unit expects")) &&
                     r.err.endsWith(QStringLiteral("; nothing was written\n")),
                 qPrintable(r.err));
        // Asking for the import's size is all the unit saw; it took no data.
        for (const QList<QVariant> &args : qAsConst(requests)) {
            const auto f = args.at(0).value<Proto::Frame>();
            QVERIFY(f.flag != FlagWrite || f.cmd == PresetCmd::ImportAll);
        }
        QCOMPARE(m_rack[1].model().labels().label(LabelTables::Inputs, 2),
                 QByteArray("Handheld 2"));
    }

    void backupValuesAreCheckedBehindAGoodChecksum_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        QTest::newRow("as written") << ""
                                    << "";
        QTest::newRow("gate report") << "gate"
                                     << "no valid gate report";
        QTest::newRow("limit below the scale") << "limit"
                                               << "no valid gain limits";
        QTest::newRow("image of no whole records") << "image"
                                                   << "no valid preset image";
        QTest::newRow("fifteen labels") << "labels"
                                        << "no valid channel labels";
        QTest::newRow("speed") << "baud"
                               << "no valid RS232 speed";
    }

    void backupValuesAreCheckedBehindAGoodChecksum()
    {
        QFETCH(QString, change);
        QFETCH(QString, message);
        BackupFile b;
        b.presetImage = QByteArray(BackupFile::Slots * 40, '\1');
        b.currentPreset = 3;
        for (int c = 0; c < 16; ++c) {
            b.inputLabels << QStringLiteral("In %1").arg(c);
            b.outputLabels << QStringLiteral("Out %1").arg(c);
            b.panelLabels << QString();
            b.inputLimits[size_t(c)] = {{12, -56}};
            b.outputLimits[size_t(c)] = {{6, -40}};
        }
        b.location = QStringLiteral("Hall");
        if (change == QLatin1String("gate"))
            b.gateReport = 7;
        else if (change == QLatin1String("limit"))
            b.outputLimits[5] = {{6, -60}};
        else if (change == QLatin1String("image"))
            b.presetImage.chop(1);
        else if (change == QLatin1String("labels"))
            b.panelLabels.removeLast();
        else if (change == QLatin1String("baud"))
            b.rs232Baud = 38400;
        QString error;
        const std::optional<BackupFile> read = BackupFile::fromJson(b.toJson(), error);
        if (message.isEmpty()) {
            QVERIFY2(read, qPrintable(error));
            QCOMPARE(read->presetImage, b.presetImage);
            QCOMPARE(read->currentPreset, 3);
            QCOMPARE(read->inputLabels, b.inputLabels);
            QCOMPARE(read->outputLimits[7][1], -40);
            QCOMPARE(read->location, QStringLiteral("Hall"));
            QCOMPARE(read->presetCount(), 32);
        } else {
            QVERIFY(!read);
            QVERIFY2(error.contains(message), qPrintable(error));
        }
    }

    void damagedBackupIsRefusedBeforeAnythingIsWritten_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("a label changed")
            << QByteArray("Choir left") << QByteArray("Choir lefT") << "checksum does not match";
        QTest::newRow("a newer format")
            << QByteArray("\"version\": 2") << QByteArray("\"version\": 3") << "format version 3";
        QTest::newRow("cut short")
            << QByteArray("\"gainLimits\"") << QByteArray("\"gainLimi") << "not a backup file";
        QTest::newRow("another file")
            << QByteArray("dapctl-backup") << QByteArray("something") << "not a dapctl backup";
    }

    void damagedBackupIsRefusedBeforeAnythingIsWritten()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, message);
        writeTo(m_rack[0], OpSystem, SysModule::Labels, LabelCmd::Inputs,
                QByteArray(1, 2) + "Choir left");
        const QString file = m_dir->filePath(QStringLiteral("unit.dapbak"));
        QCOMPARE(run({"backup", "501", file}).code, 0);
        QByteArray bytes = m_dir->readFile(QStringLiteral("unit.dapbak"));
        QVERIFY(bytes.contains(from));
        bytes.replace(from, to);
        if (QByteArray(QTest::currentDataTag()) == "cut short")
            bytes.truncate(bytes.indexOf(to) + to.size());
        m_dir->writeFile(QStringLiteral("unit.dapbak"), bytes);

        const QByteArray before = m_rack[1].model().presetState();
        QSignalSpy sessions(&m_rack[1], &SimUnit::sessionOpened);
        const CtlRun r = run({"restore", "502", file});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.err.contains(QStringLiteral("nothing was written")));
        QCOMPARE(sessions.count(), 0);
        QCOMPARE(m_rack[1].model().presetState(), before);
        QCOMPARE(m_rack[1].model().labels().label(LabelTables::Inputs, 2),
                 QByteArray("Handheld 2"));
    }
};

QTEST_GUILESS_MAIN(TestDapctlFiles)
#include "tst_dapctlfiles.moc"
