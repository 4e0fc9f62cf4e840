// dapctl's command line without a unit: paths, values, options and help, the
// parts a script gets wrong first.

#include "dapctl/paramvalue.h"
#include "tests/dapctl/ctlrun.h"

#include <QTest>

class TestCtlCommandLine final : public QObject
{
    Q_OBJECT

private slots:
    void paths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("kind"); // -1: refused
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("output");
        using K = ParamPath::Kind;
        QTest::newRow("input gain") << "input.3.gain" << int(K::InputGain) << 2 << 0;
        QTest::newRow("upper case") << "Output.16.MUTE" << int(K::LevelMute) << 15 << 0;
        QTest::newRow("crosspoint") << "matrix.3.5" << int(K::MatrixOn) << 2 << 4;
        QTest::newRow("crosspoint gain") << "matrix.16.1.gain" << int(K::MatrixGain) << 15 << 0;
        QTest::newRow("label") << "label.panel.10" << int(K::Label) << 9 << 0;
        QTest::newRow("system") << "system.gatereport" << int(K::GateReport) << 0 << 0;
        QTest::newRow("channel 0") << "input.0.gain" << -1 << 0 << 0;
        QTest::newRow("channel 17") << "matrix.1.17" << -1 << 0 << 0;
        QTest::newRow("no priority on outputs") << "output.1.priority" << -1 << 0 << 0;
        QTest::newRow("too long") << "input.3.gain.x" << -1 << 0 << 0;
        QTest::newRow("empty") << "" << -1 << 0 << 0;
    }

    void paths()
    {
        QFETCH(QString, path);
        QFETCH(int, kind);
        QFETCH(int, channel);
        QFETCH(int, output);
        QString error;
        const std::optional<ParamPath> p = ParamPath::parse(path, error);
        QCOMPARE(p.has_value(), kind >= 0);
        if (!p) {
            QVERIFY(!error.isEmpty());
            return;
        }
        QCOMPARE(int(p->kind), kind);
        QCOMPARE(p->channel, channel);
        QCOMPARE(p->output, output);
    }

    void values_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("taken");
        QTest::newRow("gain") << "input.1.gain"
                              << "-12.5" << true;
        QTest::newRow("gain with a comma") << "input.1.gain"
                                           << "5,5" << false;
        QTest::newRow("gain not a number") << "output.1.gain"
                                           << "nan" << false;
        QTest::newRow("gain infinite") << "output.1.gain"
                                       << "inf" << false;
        QTest::newRow("gain empty") << "output.1.gain"
                                    << "" << false;
        QTest::newRow("switch yes") << "input.1.mute"
                                    << "YES" << true;
        QTest::newRow("switch 2") << "input.1.mute"
                                  << "2" << false;
        QTest::newRow("mode") << "input.1.mode"
                              << "Line" << true;
        QTest::newRow("mode other") << "input.1.mode"
                                    << "hi-z" << false;
        QTest::newRow("group 8") << "premix.1.group"
                                 << "8" << true;
        QTest::newRow("group 9") << "premix.1.group"
                                 << "9" << false;
        QTest::newRow("speed") << "system.rs232"
                               << "19200" << true;
        QTest::newRow("speed unknown") << "system.rs232"
                                       << "14400" << false;
        QTest::newRow("gate report 2") << "system.gatereport"
                                       << "2" << false;
        QTest::newRow("any text") << "label.input.1"
                                  << "" << true;
    }

    void values()
    {
        QFETCH(QString, path);
        QFETCH(QString, value);
        QFETCH(bool, taken);
        QString error;
        const std::optional<ParamPath> p = ParamPath::parse(path, error);
        QVERIFY(p);
        QCOMPARE(ParamValue::check(*p, value).isEmpty(), taken);
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
                             << "--module";
        QTest::newRow("set") << "set"
                             << "--timeout"
                             << "--no-recall";
        QTest::newRow("paths") << "paths"
                               << "-h, --help"
                               << "--port";
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
