// The built dapctl program: exit codes and messages as a script sees them,
// and the trace ending cleanly on Ctrl+C.

#include "tests/devices/devicefixtures.h"
#include "tests/support/testsupport.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <csignal>

class TestDapctlProcess final : public QObject
{
    Q_OBJECT

    SimRack m_rack;
    quint16 m_announcePort = 0;

    void start(QProcess &p, const QStringList &args)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DAPCTL_PASSWORD"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(DAP_RUN_DIR "/dapctl"),
                args + QStringList{"--port", QString::number(m_rack.port), "--bind", "127.0.0.1",
                                   "--announce-port", QString::number(m_announcePort), "--timeout",
                                   "2"});
    }

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qRegisterMetaType<QProcess::ExitStatus>();
        m_announcePort = freeUdpPort();
        QVERIFY(m_rack.start(1, m_announcePort, 100, QStringLiteral("1234")));
    }

    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("set and get")
            << QStringList{"set", "501", "output.2.mute", "on", "--password", "1234"} << 0
            << "output.2.mute = on\n"
            << QString();
        QTest::newRow("unknown path") << QStringList{"get", "501", "output.2.volume"} << 2
                                      << QString() << "unknown path \"output.2.volume\"";
        QTest::newRow("wrong password")
            << QStringList{"get", "127.0.0.1", "output.2.mute", "--password", "4321"} << 1
            << QString() << "dapctl: 127.0.0.1 refused the password";
    }

    // Exit codes and the split between standard output and standard error.
    void exitCodes()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcess p;
        QSignalSpy finished(&p, qOverload<int, QProcess::ExitStatus>(&QProcess::finished));
        start(p, args);
        QVERIFY(finished.wait(15000)); // the simulated unit answers from this event loop
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), code);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), out);
        QVERIFY2(QString::fromUtf8(p.readAllStandardError()).contains(err), qPrintable(err));
    }

    void traceEndsCleanlyOnInterrupt()
    {
        QProcess p;
        QSignalSpy finished(&p, qOverload<int, QProcess::ExitStatus>(&QProcess::finished));
        start(p, {"trace", "501", "--password", "1234", "--module", "InputLevel"});
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += p.readAllStandardOutput(), out.count('\n') >= 5), 15000);
        ::kill(pid_t(p.processId()), SIGINT);
        QVERIFY(finished.wait(5000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        out += p.readAllStandardOutput();
        const QList<QByteArray> lines = out.trimmed().split('\n');
        QVERIFY(lines.first().startsWith("time"));
        // Only the module asked for: the meter reads and their answers.
        for (int i = 1; i < lines.size(); ++i)
            QVERIFY2(lines[i].contains("InputLevel.Meter"), lines[i].constData());
        QVERIFY(out.contains(" TX ") && out.contains(" RX "));
    }
};

QTEST_GUILESS_MAIN(TestDapctlProcess)
#include "tst_dapctlprocess.moc"
