// The whole state of a unit through dapctl, in-process against simulated
// units on loopback: live edits that survive a backup and restore, files of
// values edited by hand that are refused before anything is sent, diff, the
// JSON forms and wildcards, and a unit without an echo canceller.

#include "dapctl/backupfile.h"
#include "model/catalogue.h"
#include "sim/demostate.h"
#include "sim/labeltables.h"
#include "tests/dapctl/ctlrun.h"
#include "tests/support/testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

namespace {

// Sets a nested value of `o` ("live", "input", "3", "gain").
void setAt(QJsonObject &o, const QStringList &path, const QJsonValue &value)
{
    if (path.size() == 1) {
        o.insert(path[0], value);
        return;
    }
    QJsonObject child = o.value(path[0]).toObject();
    setAt(child, path.mid(1), value);
    o.insert(path[0], child);
}

QJsonObject jsonOf(const QString &text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

} // namespace

class TestDapctlState final : public QObject, private CtlRack
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }
    void init() { QVERIFY(start()); }
    void cleanup() { stop(); }

    // Edits not saved into any preset, on a unit set up as an installation,
    // reach a factory unit through a backup and restore.
    void liveEditsSurviveABackupAndRestore()
    {
        SimUnit &a = m_rack[0];
        SimUnit &b = m_rack[1];
        loadDemoState(a.model());
        const CtlRun set =
            run({"set", "501", "input.3.eq.2.gain", "-6.5", "output.4.limiter.threshold", "-12",
                 "matrix.2.7.gain", "-9", "input.5.gate.threshold", "-50", "output.1.delay", "12.5",
                 "label.panel.3", "Choir"});
        QVERIFY2(set.code == 0, qPrintable(set.err));
        QVERIFY(run({"diff", "501", "502"}).code == 1);

        const QString file = m_dir->filePath(QStringLiteral("hall.dapbak"));
        const CtlRun backup = run({"backup", "501", file});
        QVERIFY2(backup.code == 0, qPrintable(backup.err));
        const QJsonObject saved = jsonOf(QString::fromUtf8(m_dir->readFile("hall.dapbak")));
        QCOMPARE(saved[QStringLiteral("version")].toInt(), 2);
        QCOMPARE(saved[QStringLiteral("live")][QStringLiteral("input")][QStringLiteral("3")]
                      [QStringLiteral("eq")][QStringLiteral("2")][QStringLiteral("gain")]
                          .toDouble(),
                 -6.5);
        const CtlRun restore = run({"restore", "502", file});
        QVERIFY2(restore.code == 0, qPrintable(restore.err));
        QVERIFY2(restore.out.contains(QStringLiteral("read back")), qPrintable(restore.out));

        const CtlRun diff = run({"diff", "501", "502"});
        QCOMPARE(diff.out, QString());
        QCOMPARE(diff.code, 0);
        QCOMPARE(b.model().presetState(), a.model().presetState());
        for (auto table : {LabelTables::Inputs, LabelTables::Outputs, LabelTables::Panel})
            for (int c = 0; c < 16; ++c)
                QCOMPARE(b.model().labels().label(table, c), a.model().labels().label(table, c));
        const SystemState &sa = a.model().system();
        const SystemState &sb = b.model().system();
        QCOMPARE(sb.location, sa.location);
        QCOMPARE(sb.description, sa.description);
        QCOMPARE(sb.rs232Baud, sa.rs232Baud);
        QCOMPARE(sb.gateReport, sa.gateReport);
        // The file against the unit it came from: equal too.
        QCOMPARE(run({"diff", file, "501"}).code, 0);
    }

    void handEditedFilesAreRefusedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<bool>("restore"); // else set --from
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("named");
        const auto p = [](const char *path) {
            return QString::fromLatin1(path).split(QLatin1Char('.'));
        };
        for (bool restore : {true, false}) {
            const char *how = restore ? "restore: " : "set --from: ";
            const auto row = [&](const char *name) {
                return &(QTest::newRow(qPrintable(QLatin1String(how) + QLatin1String(name)))
                         << restore);
            };
            *row("band gain out of range")
                << p("input.3.eq.2.gain") << QJsonValue(35) << "input.3.eq.2.gain: 35";
            *row("unknown path") << p("input.3.volume") << QJsonValue(1) << "input.3.volume";
            *row("gate threshold not whole")
                << p("input.4.gate.threshold") << QJsonValue(-45.5) << "input.4.gate.threshold";
            *row("Q between two of its values")
                << p("output.1.eq.1.q") << QJsonValue(0.55) << "output.1.eq.1.q";
            *row("a figure of the unit")
                << p("system.serial") << QJsonValue("X") << "system.serial";
            *row("a slope no filter has")
                << p("input.2.hpf.slope") << QJsonValue(30) << "input.2.hpf.slope";
            *row("a list for a value")
                << p("output.2.mute") << QJsonValue(QJsonArray{1}) << "output.2.mute";
        }
        // A level beyond the limit the file itself gives its channel; and
        // the limits reversed.
        QTest::newRow("set --from: level above its limit")
            << false << p("output.6.gain") << QJsonValue(9) << "output.6.gain";
        QTest::newRow("restore: limits reversed")
            << true << p("premix.2.min") << QJsonValue(12) << "premix.2.max";
    }

    void handEditedFilesAreRefusedBeforeAnythingIsSent()
    {
        QFETCH(bool, restore);
        QFETCH(QStringList, path);
        QFETCH(QJsonValue, value);
        QFETCH(QString, named);
        QCOMPARE(run({"set", "501", "output.6.max", "3", "premix.2.max", "6"}).code, 0);
        const QString file = m_dir->filePath(QStringLiteral("edited.json"));
        if (restore) {
            QCOMPARE(run({"backup", "501", file}).code, 0);
            QJsonObject o = jsonOf(QString::fromUtf8(m_dir->readFile("edited.json")));
            setAt(o, QStringList{"live"} + path, value);
            m_dir->writeFile(QStringLiteral("edited.json"), BackupFile::sealed(o));
        } else {
            QJsonObject o{
                {QStringLiteral("input.1.mute"), true},
                {QStringLiteral("output"),
                 QJsonObject{{QStringLiteral("6"), QJsonObject{{QStringLiteral("max"), 3}}}}}};
            setAt(o, path, value);
            m_dir->writeFile(QStringLiteral("edited.json"), QJsonDocument(o).toJson());
        }
        const QByteArray before = m_rack[1].model().presetState();
        QSignalSpy requests(&m_rack[1], &SimUnit::requestReceived);
        QSignalSpy sessions(&m_rack[1], &SimUnit::sessionOpened);
        const CtlRun r =
            restore ? run({"restore", "502", file}) : run({"set", "502", "--from", file});
        QCOMPARE(r.code, restore ? 1 : 2);
        QVERIFY2(r.err.contains(named), qPrintable(r.err));
        QVERIFY2(r.err.contains(QStringLiteral("nothing was")), qPrintable(r.err));
        QCOMPARE(writesSeen(requests), 0);
        if (restore)
            QCOMPARE(sessions.count(), 0);
        QCOMPARE(m_rack[1].model().presetState(), before);
    }

    // A file of values, flat and nested mixed, goes in one frame per record.
    void setFromAFileWritesWholeRecords()
    {
        m_dir->writeFile(QStringLiteral("values.json"),
                         R"({"input.3.eq.2.gain": -6.5, "input": {"3": {"eq": {"2": {"q": 2.0,
                             "frequency": 250}}}, "4": {"mode": "mic", "gain": 47}},
                             "matrix": {"3": {"5": {"on": true, "gain": -12}}},
                             "label.input.1": "Lectern"})");
        QSignalSpy requests(&m_rack[0], &SimUnit::requestReceived);
        const CtlRun r =
            run({"set", "501", "--from", m_dir->filePath(QStringLiteral("values.json")), "--json"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QJsonObject o = jsonOf(r.out);
        QCOMPARE(o[QStringLiteral("input")][QStringLiteral("4")][QStringLiteral("gain")].toDouble(),
                 47.0);
        QCOMPARE(
            o[QStringLiteral("label")][QStringLiteral("input")][QStringLiteral("1")].toString(),
            QStringLiteral("Lectern"));
        QCOMPARE(run({"get", "501", "input.3.eq.2.*"}).out,
                 QStringLiteral("input.3.eq.2.enable = off\ninput.3.eq.2.type = peq\n"
                                "input.3.eq.2.frequency = 250 Hz\ninput.3.eq.2.gain = -6.5 dB\n"
                                "input.3.eq.2.q = 2.00\n"));
        // The band in one frame; input 4's mode, step and trim one each.
        int bandWrites = 0, levelWrites = 0;
        for (const QList<QVariant> &args : qAsConst(requests)) {
            const auto f = args.at(0).value<Proto::Frame>();
            if (f.flag != Proto::FlagWrite)
                continue;
            bandWrites += f.module == Proto::Module::InputFilter ? 1 : 0;
            levelWrites += f.module == Proto::Module::InputLevel ? 1 : 0;
        }
        QCOMPARE(bandWrites, 1);
        QCOMPARE(levelWrites, 3);
    }

    void diffTellsWhatDiffers()
    {
        QCOMPARE(run({"diff", "501", "502"}).code, 0);
        QCOMPARE(run({"set", "502", "input.3.mute", "on", "output.2.eq.4.gain", "3"}).code, 0);
        const CtlRun text = run({"diff", "501", "502"});
        QCOMPARE(text.code, 1);
        QCOMPARE(text.out, QStringLiteral("input.3.mute = off | on\n"
                                          "output.2.eq.4.gain = 0.0 dB | 3.0 dB\n"));
        const CtlRun json = run({"diff", "SN-1", "127.0.0.2", "--json"});
        QCOMPARE(json.code, 1);
        const QJsonArray lines = QJsonDocument::fromJson(json.out.toUtf8()).array();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].toObject(),
                 (QJsonObject{{QStringLiteral("path"), QStringLiteral("input.3.mute")},
                              {QStringLiteral("a"), false},
                              {QStringLiteral("b"), true}}));
        QCOMPARE(lines[1][QStringLiteral("b")].toDouble(), 3.0);

        // A backup against a unit; a format 1 backup holds labels and settings only.
        const QString file = m_dir->filePath(QStringLiteral("a.dapbak"));
        QCOMPARE(run({"backup", "501", file}).code, 0);
        QCOMPARE(run({"diff", file, "502"}).out, text.out);
        QString error;
        std::optional<BackupFile> old = BackupFile::fromJson(m_dir->readFile("a.dapbak"), error);
        QVERIFY(old);
        old->version = 1;
        old->location = QStringLiteral("Elsewhere");
        m_dir->writeFile(QStringLiteral("old.dapbak"), old->toJson());
        const CtlRun fromOld = run({"diff", m_dir->filePath(QStringLiteral("old.dapbak")), "502"});
        QCOMPARE(fromOld.code, 1);
        QCOMPARE(fromOld.out, QStringLiteral("system.location = Elsewhere | Rack 1\n"));
    }

    void diffTrouble_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("one side") << QStringList{"501"} << "give two units or backup files";
        QTest::newRow("no such unit") << QStringList{"501", "999"} << "no unit";
        QTest::newRow("not a backup") << QStringList{"notes.txt", "501"} << "not a backup file";
    }

    void diffTrouble()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        m_dir->writeFile(QStringLiteral("notes.txt"), "hello");
        const CtlRun r = run(QStringList{"diff"} + args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    void wildcardsAndJson()
    {
        const CtlRun set = run({"set", "501", "input.*.mute", "on", "output.3.*.threshold", "-6"});
        QVERIFY2(set.code == 0, qPrintable(set.err));
        QCOMPARE(set.out.count(QLatin1Char('\n')), 16 + 1);
        QVERIFY(set.out.contains(QStringLiteral("output.3.limiter.threshold = -6.0 dB\n")));
        const CtlRun get = run({"get", "501", "input.*.mute", "input.2.eq.16.*", "--json"});
        QCOMPARE(get.code, 0);
        const QJsonObject inputs = jsonOf(get.out)[QStringLiteral("input")].toObject();
        QCOMPARE(inputs.size(), 16);
        for (const QString &key : inputs.keys())
            QCOMPARE(inputs[key][QStringLiteral("mute")].toBool(), true);
        const QJsonObject band =
            inputs[QStringLiteral("2")][QStringLiteral("eq")][QStringLiteral("16")].toObject();
        QCOMPARE(band.keys(), (QStringList{"enable", "frequency", "gain", "q", "type"}));
        QCOMPARE(band[QStringLiteral("type")].toString(), QStringLiteral("peq"));
        QCOMPARE(band[QStringLiteral("frequency")].toDouble(), 4000.0);
        // What get --json prints, set --from takes back.
        m_dir->writeFile(QStringLiteral("get.json"), get.out.toUtf8());
        QCOMPARE(run({"set", "502", "--from", m_dir->filePath(QStringLiteral("get.json"))}).code,
                 0);
        QCOMPARE(run({"get", "502", "input.9.mute"}).out, QStringLiteral("input.9.mute = on\n"));
    }

    void pathsListEveryParameterWithCountsPerBlock()
    {
        const Model::Catalogue &c = Model::Catalogue::instance();
        const CtlRun json = runDapctl({"paths", "--json"});
        QCOMPARE(json.code, 0);
        const QJsonArray all = QJsonDocument::fromJson(json.out.toUtf8()).array();
        QCOMPARE(all.size(), c.params().size());
        int paths = 0;
        QSet<QString> blocks;
        for (const QJsonValue &p : all) {
            paths += p[QStringLiteral("instances")].toInt();
            blocks << p[QStringLiteral("block")].toString();
        }
        QCOMPARE(paths, c.all().size());
        for (const char *block :
             {"input level", "pre-mix level", "output level", "matrix", "generator", "labels",
              "system settings", "feedback", "input filter", "output filter", "input delay",
              "output delay", "gate", "automixer", "input limiter", "output limiter",
              "automatic gain control", "echo canceller", "noise reduction"})
            QVERIFY2(blocks.contains(QLatin1String(block)), block);
        const CtlRun count = runDapctl({"paths", "--count"});
        QVERIFY(count.out.startsWith(QStringLiteral("BLOCK")));
        QVERIFY(count.out.contains(QStringLiteral("all  ")));
        QVERIFY(count.out.contains(QString::number(c.all().size())));
        const CtlRun some = runDapctl({"paths", "output.*.limiter.*"});
        QVERIFY(some.out.contains(QStringLiteral("output.N.limiter.ratio")));
        QVERIFY(!some.out.contains(QStringLiteral("input.N")));
    }

    // A unit without an echo canceller refuses its read: no error, and its
    // absence shows.
    void unitWithoutEchoCanceller()
    {
        SimUnitConfig config;
        config.bind = loopback(3);
        config.port = m_rack.port;
        config.announcePort = m_announcePort;
        config.machineId = 503;
        config.sn = QStringLiteral("SN-3");
        config.aec = false;
        SimUnit unit(config);
        QVERIFY(unit.start());
        QCOMPARE(run({"get", "127.0.0.3", "aec.enable", "anc.level"}).out,
                 QStringLiteral("aec.enable = (not on this unit)\nanc.level = off\n"));
        const CtlRun diff = run({"diff", "127.0.0.3", "501"});
        QCOMPARE(diff.code, 1);
        QCOMPARE(diff.out, QStringLiteral("aec.enable = (none) | off\n"));
        const QString file = m_dir->filePath(QStringLiteral("no-aec.dapbak"));
        QCOMPARE(run({"backup", "127.0.0.3", file}).code, 0);
        QVERIFY(!m_dir->readFile("no-aec.dapbak").contains("\"aec\""));
        QCOMPARE(run({"restore", "502", file}).code, 0);
    }
};

QTEST_GUILESS_MAIN(TestDapctlState)
#include "tst_dapctlstate.moc"
