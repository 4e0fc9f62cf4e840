// dapctl's command line without a unit: paths, values, options and help, the
// parts a script gets wrong first.

#include "tests/dapctl/ctlrun.h"

#include <QTest>

class TestCtlCommandLine final : public QObject
{
    Q_OBJECT

private slots:
    // Paths and values a command line gets wrong: refused (exit code 2)
    // before any unit is looked for; what is taken goes on to look for the
    // unit, which is not there (exit code 1).
    void pathsAndValues_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("message");
        const auto get = [](const char *path) { return QStringList{"get", "1", path}; };
        const auto set = [](const char *path, const char *value) {
            return QStringList{"set", "1", path, value};
        };
        QTest::newRow("input gain") << get("input.3.gain") << true << "";
        QTest::newRow("upper case") << get("Output.16.MUTE") << true << "";
        QTest::newRow("crosspoint") << get("matrix.3.5") << true << "";
        QTest::newRow("band gain") << get("output.16.eq.16.gain") << true << "";
        QTest::newRow("wildcard") << get("input.*.eq.2.*") << true << "";
        QTest::newRow("channel 0") << get("input.0.gain") << false << "numbered 1..16";
        QTest::newRow("channel 17") << get("matrix.1.17") << false << "numbered 1..16";
        QTest::newRow("no priority on outputs")
            << get("output.1.priority") << false << "unknown path";
        QTest::newRow("too long") << get("input.3.gain.x") << false << "unknown path";
        QTest::newRow("wildcard matching nothing")
            << get("input.*.volume") << false << "no path matches";
        QTest::newRow("empty") << get("") << false << "unknown path";
        QTest::newRow("gain") << set("input.1.gain", "-12.5") << true << "";
        QTest::newRow("gain with a comma") << set("input.1.gain", "5,5") << false << "not a number";
        QTest::newRow("gain not a number")
            << set("output.1.gain", "nan") << false << "not a number";
        QTest::newRow("gain infinite") << set("output.1.gain", "inf") << false << "not a number";
        QTest::newRow("gain empty") << set("output.1.gain", "") << false << "not a number";
        QTest::newRow("switch yes") << set("input.1.mute", "YES") << true << "";
        QTest::newRow("switch 2") << set("input.1.mute", "2") << false << "not on or off";
        QTest::newRow("mode") << set("input.1.mode", "Line") << true << "";
        QTest::newRow("mode other")
            << set("input.1.mode", "hi-z") << false << "not one of mic|line";
        QTest::newRow("group 8") << set("premix.1.group", "8") << true << "";
        QTest::newRow("group 9") << set("premix.1.group", "9") << false << "not one of";
        QTest::newRow("speed") << set("system.rs232", "19200") << true << "";
        QTest::newRow("speed unknown") << set("system.rs232", "14400") << false << "not one of";
        QTest::newRow("gate report 2") << set("system.gatereport", "2") << false << "not one of";
        QTest::newRow("slope") << set("input.1.hpf.slope", "48") << true << "";
        QTest::newRow("slope unknown") << set("input.1.hpf.slope", "30") << false << "not one of";
        QTest::newRow("reported figure") << set("system.serial", "X") << false << "cannot be set";
        QTest::newRow("gate lamp") << set("input.1.gate.open", "on") << false << "cannot be set";
        QTest::newRow("any text") << set("label.input.1", "") << true << "";
        QTest::newRow("every input's mute") << set("input.*.mute", "on") << true << "";
    }

    void pathsAndValues()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, taken);
        QFETCH(QString, message);
        const CtlRun r =
            runDapctl(args + QStringList{"--bind", "127.0.0.1", "--announce-port",
                                         QString::number(freeUdpPort()), "--timeout", "0.1"});
        QCOMPARE(r.code, taken ? 1 : 2);
        QVERIFY2(r.err.contains(taken ? QStringLiteral("no unit") : message), qPrintable(r.err));
    }

    void everyCommandHasHelp_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("has");
        QTest::addColumn<QString>("hasNot");
        QTest::newRow("discover") << "discover"
                                  << "--json"
                                  << "--password";
        QTest::newRow("status") << "status"
                                << "--password"
                                << "--csv";
        QTest::newRow("get") << "get"
                             << "--json"
                             << "--from";
        QTest::newRow("set") << "set"
                             << "--from FILE"
                             << "--no-recall";
        QTest::newRow("paths") << "paths"
                               << "--count"
                               << "--port";
        QTest::newRow("diff") << "diff"
                              << "diff(1)"
                              << "--from";
        QTest::newRow("preset") << "preset"
                                << "export-all FILE"
                                << "--csv";
        QTest::newRow("response") << "response"
                                  << "--csv"
                                  << "--json";
        QTest::newRow("backup") << "backup"
                                << "UNIT FILE"
                                << "--no-recall";
        QTest::newRow("restore") << "restore"
                                 << "--no-recall"
                                 << "--json";
        QTest::newRow("trace") << "trace"
                               << "--module"
                               << "--json";
    }

    void everyCommandHasHelp()
    {
        QFETCH(QString, command);
        QFETCH(QString, has);
        QFETCH(QString, hasNot);
        const CtlRun r = runDapctl({command, "--help"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("usage: dapctl ") + command));
        QVERIFY2(r.out.contains(has), qPrintable(r.out));
        QVERIFY(!r.out.contains(hasNot));
        // An option of another command is a usage error.
        QCOMPARE(runDapctl({command, hasNot}).code, 2);
    }

    void commandLineMistakes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing") << QStringList() << "no command given";
        QTest::newRow("value missing")
            << QStringList{"get", "1", "input.1.mute", "--port"} << "--port needs a value";
        QTest::newRow("port zero")
            << QStringList{"get", "1", "input.1.mute", "--port=0"} << "invalid value for --port: 0";
        QTest::newRow("timeout negative")
            << QStringList{"discover", "--timeout", "-1"} << "invalid value for --timeout";
        QTest::newRow("switch with a value")
            << QStringList{"discover", "--json=yes"} << "--json takes no value";
        QTest::newRow("bind a name")
            << QStringList{"discover", "--bind", "localhost"} << "invalid value for --bind";
        QTest::newRow("set without value")
            << QStringList{"set", "1", "input.1.mute"} << "pairs of path and value";
        QTest::newRow("slot 0") << QStringList{"preset", "1", "save", "0"} << "no preset slot";
        QTest::newRow("response of a label")
            << QStringList{"response", "1", "label.input.1"} << "give input.N or output.N";
        QTest::newRow("trace of a made-up module")
            << QStringList{"trace", "1", "--module", "Mixer"} << "\"Mixer\" is no module";
    }

    // Every mistake is refused with exit code 2 before any unit is looked for.
    void commandLineMistakes()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const CtlRun r = runDapctl(args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCtlCommandLine)
#include "tst_ctlcommandline.moc"
