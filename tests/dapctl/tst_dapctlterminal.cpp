// The built dapctl as a user's terminal runs it, in a UTF-8 locale: text and
// file names typed in other scripts arrive as typed, nothing secret or
// unprintable reaches the terminal, and a unit that keeps talking without
// answering cannot hold it past its time-out.

#include "protocol/commands.h"
#include "protocol/frame.h"
#include "sim/labeltables.h"
#include "sim/presetblock.h"
#include "sim/systemstate.h"
#include "tests/devices/devicefixtures.h"
#include "tests/support/testsupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTextCodec>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Proto;

namespace {

// Whether a file exists under the UTF-8 bytes of its name, as other
// programs (and the user's file manager) see it.
bool existsAsUtf8(const QString &path)
{
    struct stat st;
    return ::stat(path.toUtf8().constData(), &st) == 0;
}

bool writeAsUtf8(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(path.toUtf8().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && ok;
}

QByteArray readAsUtf8(const QString &path)
{
    QByteArray bytes;
    const int fd = ::open(path.toUtf8().constData(), O_RDONLY);
    if (fd < 0)
        return bytes;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0)
        bytes.append(buf, int(n));
    ::close(fd);
    return bytes;
}

} // namespace

class TestDapctlTerminal final : public QObject
{
    Q_OBJECT

    SimRack m_rack;
    quint16 m_announcePort = 0;
    std::unique_ptr<ScratchDir> m_dir;

    struct Run
    {
        bool finished = false;
        int code = -1;
        QString out;
        QString err;
    };

    static QProcessEnvironment utf8Environment()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DAPCTL_PASSWORD"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        return env;
    }

    QStringList rackOptions(quint16 port) const
    {
        return {"--port",          QString::number(port),           "--bind",    "127.0.0.1",
                "--announce-port", QString::number(m_announcePort), "--timeout", "2"};
    }

    // Runs dapctl to its end (the simulated units answer from this event loop).
    Run dapctl(const QStringList &args, int waitMs = 20000)
    {
        QProcess p;
        p.setProcessEnvironment(utf8Environment());
        QSignalSpy finished(&p, qOverload<int, QProcess::ExitStatus>(&QProcess::finished));
        p.start(QStringLiteral(DAP_RUN_DIR "/dapctl"), args);
        Run r;
        r.finished = finished.wait(waitMs);
        if (!r.finished) {
            p.kill();
            p.waitForFinished(5000);
        }
        r.code = p.exitCode();
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        // This process stands for the user's terminal: the command lines it
        // starts dapctl with are UTF-8 bytes.
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
        qRegisterMetaType<QProcess::ExitStatus>();
        m_announcePort = freeUdpPort();
        QVERIFY(m_rack.start(1, m_announcePort, 100));
    }

    void init() { m_dir = std::make_unique<ScratchDir>(); }
    void cleanup() { m_dir.reset(); }

    // Typed in a UTF-8 terminal, stored in the unit as GB2312, read back as
    // typed.
    void chineseTextArrivesAsTyped()
    {
        const QString lectern = QString::fromUtf8("讲台");
        const QString left = QString::fromUtf8("讲台左 Mic");
        const Run set =
            dapctl(QStringList{"set", "501", "system.location", lectern, "label.input.1", left} +
                   rackOptions(m_rack.port));
        QVERIFY2(set.finished && set.code == 0, qPrintable(set.err));
        QCOMPARE(set.out,
                 QStringLiteral("system.location = %1\nlabel.input.1 = %2\n").arg(lectern, left));
        QCOMPARE(m_rack[0].model().system().location, lectern);
        QCOMPARE(m_rack[0].model().labels().label(LabelTables::Inputs, 0),
                 QByteArray("\xBD\xB2\xCC\xA8\xD7\xF3 Mic"));
        const Run get = dapctl(QStringList{"get", "501", "system.location", "label.input.1"} +
                               rackOptions(m_rack.port));
        QCOMPARE(get.out, set.out);
    }

    void presetFilesNamedInOtherScripts_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("exported");
        QTest::addColumn<QString>("imported");
        QTest::newRow("Chinese folder")
            << QString::fromUtf8("桌面") << QString::fromUtf8("预设一.pst")
            << QString::fromUtf8("预设二.pst");
        QTest::newRow("accents") << QString::fromUtf8("Présets") << QString::fromUtf8("Ñandú.pst")
                                 << QString::fromUtf8("Søren ß.pst");
    }

    void presetFilesNamedInOtherScripts()
    {
        QFETCH(QString, folder);
        QFETCH(QString, exported);
        QFETCH(QString, imported);
        const QString dir = m_dir->filePath(folder);
        QCOMPARE(::mkdir(dir.toUtf8().constData(), 0755), 0);
        const QStringList options = rackOptions(m_rack.port);
        QCOMPARE(dapctl(QStringList{"set", "501", "output.6.invert", "on"} + options).code, 0);
        QCOMPARE(dapctl(QStringList{"preset", "501", "save", "4"} + options).code, 0);

        const QString out = dir + QLatin1Char('/') + exported;
        const Run e = dapctl(QStringList{"preset", "501", "export", "4", out} + options);
        QVERIFY2(e.finished && e.code == 0, qPrintable(e.err));
        QVERIFY2(existsAsUtf8(out), qPrintable(e.out));
        QVERIFY(e.out.contains(out));

        const QString in = dir + QLatin1Char('/') + imported;
        QVERIFY(writeAsUtf8(in, readAsUtf8(out)));
        const Run i = dapctl(QStringList{"preset", "501", "import", "9", in} + options);
        QVERIFY2(i.finished && i.code == 0, qPrintable(i.err));
        const auto *presets = m_rack[0].model().blockAs<PresetBlock>(OpBlock, Module::Preset);
        QVERIFY(presets->holdsPreset(8));
        QCOMPARE(presets->state(8), presets->state(3));
    }

    // A real login against the simulated unit: the trace shows the login's
    // length, never the password, in hexadecimal or as text.
    void traceHidesThePassword()
    {
        SimRack locked;
        const quint16 announcePort = freeUdpPort();
        QVERIFY(locked.start(1, announcePort, 100, QStringLiteral("S3cretPw!")));
        QProcess p;
        p.setProcessEnvironment(utf8Environment());
        QSignalSpy finished(&p, qOverload<int, QProcess::ExitStatus>(&QProcess::finished));
        p.start(QStringLiteral(DAP_RUN_DIR "/dapctl"),
                {"trace", loopback(1).toString(), "--password", "S3cretPw!", "--no-poll", "--port",
                 QString::number(locked.port), "--bind", "127.0.0.1", "--timeout", "2"});
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += p.readAllStandardOutput(), out.contains("Login.Login")),
                                 15000);
        QTRY_VERIFY_WITH_TIMEOUT(locked[0].hasLoggedInSession(), 5000);
        ::kill(pid_t(p.processId()), SIGINT);
        QVERIFY(finished.wait(5000));
        out += p.readAllStandardOutput();
        QVERIFY2(out.contains("9 bytes hidden"), out.constData());
        QVERIFY(!out.contains(QByteArray("S3cretPw!").toHex(' ').toUpper()));
        QVERIFY(!out.contains(QByteArray("S3cretPw!").toHex(' ')));
        QVERIFY(!out.contains("S3cretPw!"));
        QVERIFY(!p.readAllStandardError().contains("S3cretPw!"));
    }

    // Whatever prints a unit's name, the terminal gets no control character.
    void noControlCharacterReachesTheTerminal()
    {
        m_rack[0].model().system().model = QStringLiteral("DAP\x1b[2J");
        const Run r =
            dapctl(QStringList{"backup", "501", m_dir->filePath(QStringLiteral("b.dapbak"))} +
                   rackOptions(m_rack.port));
        m_rack[0].model().system().model = SystemState().model;
        QVERIFY2(r.finished && r.code == 0, qPrintable(r.err));
        QVERIFY2(r.out.contains(QStringLiteral("DAP\\x1b[2J")), qPrintable(r.out));
        QVERIFY(!r.out.contains(QChar(0x1b)));
    }

    // A unit that logs dapctl in, then sends a frame every 100 ms that
    // answers nothing asked and never answers a read.
    void unrelatedFramesDoNotHoldARead_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::newRow("status") << QStringList{"status", "127.0.0.1"};
        QTest::newRow("get") << QStringList{"get", "127.0.0.1", "system.location"};
        QTest::newRow("preset list") << QStringList{"preset", "127.0.0.1", "list"};
    }

    void unrelatedFramesDoNotHoldARead()
    {
        QFETCH(QStringList, command);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QTimer chatter;
        QTcpSocket *client = nullptr;
        connect(&server, &QTcpServer::newConnection, this, [&] {
            client = server.nextPendingConnection();
            client->write(Proto::makeFrame(1, OpSystem, SysModule::Login, LoginCmd::Login,
                                           FlagAnswer, QByteArray(1, 1)));
            chatter.start(100);
        });
        quint8 tick = 0;
        connect(&chatter, &QTimer::timeout, this, [&] {
            if (client && client->state() == QAbstractSocket::ConnectedState)
                client->write(Proto::makeFrame(1, OpSystem, SysModule::Settings, SettingsCmd::Fault,
                                               FlagAnswer, QByteArray(1, char(++tick & 1))));
        });
        QElapsedTimer t;
        t.start();
        const Run r = dapctl(command + QStringList{"--port", QString::number(server.serverPort()),
                                                   "--bind", "127.0.0.1", "--timeout", "0.5"},
                             15000);
        chatter.stop();
        QVERIFY2(r.finished, "dapctl was still waiting after 15 s");
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("did not answer within 0.5 s")), qPrintable(r.err));
        QVERIFY2(t.elapsed() < 10000, qPrintable(QStringLiteral("%1 ms").arg(t.elapsed())));
        QVERIFY(tick > 3); // the unit kept talking meanwhile
    }
};

QTEST_GUILESS_MAIN(TestDapctlTerminal)
#include "tst_dapctlterminal.moc"
