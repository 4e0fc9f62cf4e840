// dapctl's commands run in-process against simulated units on loopback: the
// parameters, status, discovery, the response, and the errors a script sees.

#include "dapctl/progressbar.h"
#include "dapctl/tracecommand.h"
#include "pages/filters/filterresponse.h"
#include "pages/filters/filtertables.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "sim/labeltables.h"
#include "tests/dapctl/ctlrun.h"
#include "tests/support/testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

using namespace Proto;

class TestDapctl final : public QObject, private CtlRack
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }
    void init() { QVERIFY(start()); }
    void cleanup() { stop(); }

    void discoverListsEveryAnnouncingUnit()
    {
        const CtlRun r = runDapctl({"discover", "--json", "--timeout", "0.5", "--bind", "127.0.0.1",
                                    "--announce-port", QString::number(m_announcePort)});
        QCOMPARE(r.code, 0);
        const QJsonArray units = QJsonDocument::fromJson(r.out.toUtf8()).array();
        QCOMPARE(units.size(), 2);
        QSet<int> ids;
        for (const QJsonValue &u : units)
            ids << u[QStringLiteral("id")].toInt();
        QCOMPARE(ids, (QSet<int>{501, 502}));
        QCOMPARE(units[0][QStringLiteral("address")].toString().left(8),
                 QStringLiteral("127.0.0."));
    }

    void setThenGet_data()
    {
        QTest::addColumn<QStringList>("set");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("module");
        QTest::addColumn<int>("cmd");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QByteArray>("stored");
        // By device id, by serial number and by address.
        QTest::newRow("mic gain split into step and trim")
            << QStringList{"501", "input.3.mode", "mic", "input.3.gain", "47"}
            << "input.3.mode = mic\ninput.3.gain = 47.0 dB\n"
            << int(Module::InputLevel) << int(InLevelCmd::Step) << 2 << QByteArray(1, 7);
        QTest::newRow("mic trim of the split")
            << QStringList{"SN-1", "input.3.mode", "mic", "input.3.gain", "47"}
            << "input.3.mode = mic\ninput.3.gain = 47.0 dB\n"
            << int(Module::InputLevel) << int(InLevelCmd::Gain) << 2 << Le::bytes(7.0f);
        QTest::newRow("line gain clamped to 12")
            << QStringList{"127.0.0.1", "input.1.gain", "20"} << "input.1.gain = 12.0 dB\n"
            << int(Module::InputLevel) << int(InLevelCmd::Gain) << 0 << Le::bytes(12.0f);
        QTest::newRow("input mute")
            << QStringList{"501", "input.16.mute", "on"} << "input.16.mute = on\n"
            << int(Module::InputLevel) << int(InLevelCmd::Mute) << 15 << QByteArray(1, 1);
        QTest::newRow("output mute")
            << QStringList{"501", "output.2.mute", "on"} << "output.2.mute = on\n"
            << int(Module::OutputLevel) << int(OutLevelCmd::Mute) << 1 << QByteArray(1, 1);
        QTest::newRow("output gain at the bottom is sent as off")
            << QStringList{"501", "output.2.gain", "-60"} << "output.2.gain = -56.0 dB (off)\n"
            << int(Module::OutputLevel) << int(OutLevelCmd::Gain) << 1 << Le::bytes(-100.0f);
        QTest::newRow("pre-mix gain within its limit")
            << QStringList{"501", "premix.1.max", "6", "premix.1.gain", "10.5"}
            << "premix.1.max = 6 dB\npremix.1.gain = 6.0 dB\n"
            << int(Module::PreMixLevel) << int(PreMixCmd::Gain) << 0 << Le::bytes(6.0f);
        QTest::newRow("a mode change leaves the input at 0 dB")
            << QStringList{"501", "input.5.mode", "mic", "input.5.gain",
                           "30",  "input.5.mode", "line"}
            << "input.5.mode = line\ninput.5.gain = 0.0 dB\ninput.5.mode = line\n"
            << int(Module::InputLevel) << int(InLevelCmd::Step) << 4 << QByteArray(1, 0);
        QTest::newRow("limit clamped to the scale")
            << QStringList{"501", "premix.2.min", "-80"} << "premix.2.min = -56 dB\n"
            << int(Module::PreMixLevel) << int(PreMixCmd::Limits) << 1 << Le::bytes(12.0f, -56.0f);
        QTest::newRow("output limits go as a pair")
            << QStringList{"501", "output.3.max", "4.4", "output.3.min", "-20"}
            << "output.3.max = 4 dB\noutput.3.min = -20 dB\n"
            << int(Module::OutputLevel) << int(OutLevelCmd::Limits) << 2 << Le::bytes(4.0f, -20.0f);
        QTest::newRow("group") << QStringList{"501", "output.4.group", "3"}
                               << "output.4.group = 3\n"
                               << int(Module::OutputLevel) << int(OutLevelCmd::Group) << 3
                               << QByteArray(1, 3);
        QTest::newRow("priority") << QStringList{"501", "premix.3.priority", "yes"}
                                  << "premix.3.priority = on\n"
                                  << int(Module::PreMixLevel) << int(PreMixCmd::Priority) << 2
                                  << QByteArray(1, 1);
        QTest::newRow("system switches")
            << QStringList{"501", "system.allmute", "on", "system.gatereport", "1"}
            << "system.allmute = on\nsystem.gatereport = 1\n"
            << -1 << 0 << 0 << QByteArray();
        QTest::newRow("crosspoint")
            << QStringList{"501", "matrix.3.5", "on", "matrix.3.5.gain", "-70"}
            << "matrix.3.5 = on\nmatrix.3.5.gain = -56 dB (off)\n"
            << -1 << 0 << 0 << QByteArray();
    }

    void setThenGet()
    {
        QFETCH(QStringList, set);
        QFETCH(QString, shown);
        QFETCH(int, module);
        QFETCH(int, cmd);
        QFETCH(int, channel);
        QFETCH(QByteArray, stored);
        const CtlRun r = run(QStringList{"set"} + set);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(r.out, shown);
        if (module >= 0)
            QCOMPARE(m_rack[0].model().block(quint8(module))->value(quint8(cmd), channel), stored);
        // A get reads the same back.
        QStringList paths;
        for (int i = 1; i < set.size(); i += 2)
            paths << set[i];
        const CtlRun g = run(QStringList{"get", set[0]} + paths);
        QCOMPARE(g.code, 0);
        QCOMPARE(g.out, shown);
    }

    void textsAreCutAtTheUnitsFieldWidth()
    {
        const CtlRun r = run({"set", "501", "label.output.4", "Lectern microphone left",
                              "label.panel.2", "Podium mic", "system.location", "Main hall"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("label.output.4 = Lectern micropho\nlabel.panel.2 = "
                                       "Podium mic\nsystem.location = Main hall\n"));
        QVERIFY(r.err.contains(QStringLiteral("cut to \"Lectern micropho\"")));
        QCOMPARE(m_rack[0].model().labels().label(LabelTables::Outputs, 3),
                 QByteArray("Lectern micropho"));
        QCOMPARE(m_rack[0].model().system().location, QStringLiteral("Main hall"));
    }

    void statusShowsWhatTheUnitReports()
    {
        m_rack[0].setFaultByte(9);
        m_rack[0].setReportsVoltages(false);
        const CtlRun json = run({"status", "501", "--json"});
        QVERIFY2(json.code == 0, qPrintable(json.err));
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(o[QStringLiteral("serial")].toString(), QStringLiteral("SN-1"));
        QCOMPARE(o[QStringLiteral("dsp")].toString(), QStringLiteral("2.8.1"));
        QCOMPARE(o[QStringLiteral("fault")].toInt(), 9);
        QVERIFY(o[QStringLiteral("voltages")].isNull());
        QCOMPARE(o[QStringLiteral("rs232")].toInt(), 115200);
        QCOMPARE(o[QStringLiteral("network")][QStringLiteral("address")].toString(),
                 QStringLiteral("127.0.0.1"));
        QCOMPARE(o[QStringLiteral("preset")][QStringLiteral("name")].toString(),
                 QStringLiteral("Boot Default"));
        const CtlRun text = run({"status", "SN-1"});
        QCOMPARE(text.code, 0);
        QVERIFY(text.out.contains(QStringLiteral("DSP error, temperature alarm")));
        QVERIFY(text.out.contains(QStringLiteral("not reported")));
    }

    void unitsThatCannotBeReached_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<bool>("silentPort");
        QTest::addColumn<QString>("message");
        QTest::newRow("silent") << "127.0.0.1" << true << "did not answer within 0.4 s";
        QTest::newRow("refusing") << "127.0.0.1" << false << "cannot connect to 127.0.0.1";
        QTest::newRow("not announcing")
            << "999" << false << "no unit with the device id or serial number \"999\"";
    }

    void unitsThatCannotBeReached()
    {
        QFETCH(QString, unit);
        QFETCH(bool, silentPort);
        QFETCH(QString, message);
        // A server that accepts and never says a word, or a port nobody holds.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        const quint16 port = silent.serverPort();
        if (!silentPort)
            silent.close();
        const CtlRun r = runDapctl({"get", unit, "input.1.mute", "--port", QString::number(port),
                                    "--bind", "127.0.0.1", "--announce-port",
                                    QString::number(m_announcePort), "--timeout", "0.4"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    void usageErrorsSendNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown path")
            << QStringList{"get", "501", "input.3.bogus"} << "unknown path \"input.3.bogus\"";
        QTest::newRow("no such channel")
            << QStringList{"get", "501", "output.17.gain"} << "numbered 1..16";
        QTest::newRow("gain that is no number")
            << QStringList{"set", "501", "input.1.mute", "on", "output.1.gain", "loud"}
            << "\"loud\" is not a number";
        QTest::newRow("speed the unit does not offer")
            << QStringList{"set", "501", "system.rs232", "38400"} << "not one of 9600|19200";
        QTest::newRow("unknown option") << QStringList{"get", "501", "input.1.mute", "--frobnicate"}
                                        << "takes no option --frobnicate";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << "unknown command";
        QTest::newRow("phantom power in line mode")
            << QStringList{"set", "501", "input.2.phantom", "on"}
            << "input.2.phantom cannot be on now";
    }

    void usageErrorsSendNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QSignalSpy requests(&m_rack[0], &SimUnit::requestReceived);
        const CtlRun r = run(args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(writesSeen(requests), 0);
    }

    void passwords_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("environment");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong") << QStringList{"--password", "guess"} << QString() << 1
                               << "refused the password";
        QTest::newRow("none given") << QStringList() << QString() << 1 << "asks for a password";
        QTest::newRow("right") << QStringList{"--password", "1234"} << QString() << 0 << QString();
        QTest::newRow("from the environment") << QStringList() << "1234" << 0 << QString();
        QTest::newRow("option over environment")
            << QStringList{"--password", "guess"} << "1234" << 1 << "refused the password";
    }

    void passwords()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, environment);
        QFETCH(int, code);
        QFETCH(QString, message);
        m_rack.units.clear();
        QVERIFY(m_rack.start(1, m_announcePort, 100, QStringLiteral("1234")));
        QHash<QString, QString> env;
        if (!environment.isEmpty())
            env.insert(QStringLiteral("DAPCTL_PASSWORD"), environment);
        const CtlRun r =
            runDapctl(QStringList{"get", "127.0.0.1", "input.1.mute"} + args + opts(), env);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(r.out.isEmpty(), code != 0);
    }

    void responseIsTheGraphsModelOfTheUnitsFilters()
    {
        // High-pass Butterworth -24 dB/oct at 1 kHz; band 2 +6 dB at 4 kHz; band
        // 12 is beyond the 8 bands of this unit's DSP firmware (2.8) and counts
        // for nothing.
        // Records as the unit takes them: enable, type, slope, frequency; and
        // enable, type, frequency, gain, Q index (43: Q 6.0).
        const QByteArray ch(1, 2);
        writeTo(m_rack[0], OpBlock, Module::InputFilter, FilterCmd::HighPass,
                ch + Le::bytes(quint8(1), quint8(1), quint8(3), 1000.0f));
        const auto band = [](float gain) {
            return Le::bytes(quint8(1), quint8(0), 4000.0f, gain, quint8(43));
        };
        writeTo(m_rack[0], OpBlock, Module::InputFilter, FilterCmd::Band,
                ch + char(1) + band(6.0f));
        writeTo(m_rack[0], OpBlock, Module::InputFilter, FilterCmd::Band,
                ch + char(11) + band(12.0f));

        const CtlRun r = run({"response", "501", "input.3", "--csv"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + FilterTables::Points);
        QCOMPARE(lines[0], QStringLiteral("frequency_hz,total_db"));

        FilterResponse expected;
        expected.setBandCount(8);
        expected.setCut(FilterResponse::HighPass, false, 1, 3, 1000.0f);
        for (int b = 0; b < 16; ++b)
            expected.setBand(b, true, 0, 1000.0f, 0.0f, 6.0f);
        expected.setBand(1, false, 0, 4000.0f, 6.0f, FilterTables::qValue(43));
        int at1k = -1;
        for (int i = 0; i < FilterTables::Points; ++i) {
            const QStringList cells = lines[1 + i].split(QLatin1Char(','));
            QCOMPARE(cells.size(), 2);
            QCOMPARE(cells[0].toDouble(), FilterTables::frequencies()[size_t(i)]);
            QCOMPARE(cells[1], QString::number(double(expected.curve()[size_t(i)]), 'f', 3));
            if (FilterTables::frequencies()[size_t(i)] == 1000.0)
                at1k = i;
        }
        QVERIFY(at1k >= 0);
        QVERIFY(qAbs(lines[1 + at1k].section(QLatin1Char(','), 1).toDouble() + 3.0) < 0.3);
    }

    void traceModuleNamesAndProgressLine()
    {
        const auto filter = [](const char *text) { return TraceCommand::moduleFilter(text); };
        QCOMPARE(filter("inputlevel")->op, quint8(OpBlock));
        QCOMPARE(filter("Settings")->module, int(SysModule::Settings));
        QCOMPARE(filter("3/32")->module, 32);
        QCOMPARE(filter("7")->op, quint8(0)); // module 7 of any op
        QVERIFY(!filter("3/300"));
        QVERIFY(!filter("Mixer"));
        QCOMPARE(ProgressBar::line(QStringLiteral("Exporting..."), 512, 1024),
                 QStringLiteral("Exporting... [###############---------------]  50 %"));
    }
};

QTEST_GUILESS_MAIN(TestDapctl)
#include "tst_dapctl.moc"
