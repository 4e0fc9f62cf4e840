// The protocol trace hook of the transmit path, the command names and the
// text of a trace line.

#include "protocol/commandnames.h"
#include "protocol/commands.h"
#include "protocol/frametrace.h"
#include "protocol/lebytes.h"
#include "protocol/transport.h"
#include "tests/support/loopbackpeer.h"

#include <QDateTime>
#include <QTest>

class TestFrameTrace : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { FrameTrace::install({}); }

    void sentFramesReachTheHookOnlyWhileInstalled()
    {
        QVector<FrameTrace::Record> seen;
        const auto hook = [&seen](const FrameTrace::Record &r) { seen.append(r); };
        setCurrentSocket(nullptr);
        FrameTrace::install(hook);
        sendPacket(3, 1, 1, 0); // no connection: dropped, so not traced
        QVERIFY(seen.isEmpty());

        LoopbackPeer peer;
        QVERIFY(peer.isReady());
        sendCommand(11, 3, 4, Le::bytes(-6.5f));
        QCOMPARE(seen.size(), 1);
        const FrameTrace::Record &r = seen.first();
        QCOMPARE(r.direction, FrameTrace::Direction::Sent);
        QCOMPARE(int(r.frame.op), 3);
        QCOMPARE(int(r.frame.module), 11);
        QCOMPARE(int(r.frame.cmd), 3);
        QCOMPARE(int(r.frame.flag), 1);
        QCOMPARE(int(r.frame.length), 5);
        QCOMPARE(r.frame.payload, QByteArray(1, 4) + Le::bytes(-6.5f));
        QVERIFY(qAbs(r.time - QDateTime::currentMSecsSinceEpoch()) < 60000);

        FrameTrace::install({});
        QVERIFY(!FrameTrace::isInstalled());
        sendPacket(3, 1, 1, 0);
        QVERIFY(peer.waitForFrames(2));
        QCOMPARE(seen.size(), 1);
        setCurrentSocket(nullptr);
    }

    // The login and the password change carry a password: the hook gets
    // their length but not their bytes, and no line shows them. Other frames
    // of the same modules, and the unit's answers, are shown as they are.
    void passwordsNeverReachTheTrace_data()
    {
        QTest::addColumn<int>("module");
        QTest::addColumn<int>("cmd");
        QTest::addColumn<int>("flag");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("login") << int(Proto::SysModule::Login) << int(Proto::LoginCmd::Login) << 1
                               << true;
        QTest::newRow("password change")
            << int(Proto::SysModule::Settings) << int(Proto::SettingsCmd::Password) << 1 << true;
        QTest::newRow("location") << int(Proto::SysModule::Settings)
                                  << int(Proto::SettingsCmd::Location) << 1 << false;
    }

    void passwordsNeverReachTheTrace()
    {
        QFETCH(int, module);
        QFETCH(int, cmd);
        QFETCH(int, flag);
        QFETCH(bool, hidden);
        const QByteArray secret("S3cretPw!");
        QVector<FrameTrace::Record> seen;
        FrameTrace::install([&seen](const FrameTrace::Record &r) { seen.append(r); });
        LoopbackPeer peer;
        QVERIFY(peer.isReady());
        sendPacket(Proto::OpSystem, quint8(module), quint8(cmd), quint8(flag), secret);
        QCOMPARE(seen.size(), 1);
        const FrameTrace::Record r = seen.first(); // a copy: `seen` grows below
        QCOMPARE(int(r.frame.length), secret.size());
        QCOMPARE(r.frame.payload.isEmpty(), hidden);
        const QString line = FrameTrace::line(r);
        const QString hex = QString::fromLatin1(secret.toHex(' ').toUpper());
        QCOMPARE(line.contains(hex), !hidden);
        QCOMPARE(line.contains(QStringLiteral("9 bytes hidden")), hidden);
        QVERIFY(!line.contains(QLatin1String(secret)));

        // Received the same way (the hook and a record made elsewhere alike).
        Proto::Frame f = r.frame;
        f.payload = secret;
        FrameTrace::received(f);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen.last().frame.payload.isEmpty(), hidden);
        FrameTrace::Record made = r;
        made.frame.payload = secret;
        QCOMPARE(FrameTrace::line(made).contains(hex), !hidden);

        // The unit's answer to a login is no secret.
        made.frame.flag = Proto::FlagAnswer;
        made.frame.payload = QByteArray(1, 1);
        made.frame.length = 1;
        QVERIFY(FrameTrace::line(made).endsWith(QStringLiteral(" 01")));
        setCurrentSocket(nullptr);
    }

    void commandNames_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("module");
        QTest::addColumn<int>("cmd");
        QTest::addColumn<QString>("name");
        QTest::newRow("input meter") << 3 << 1 << 1 << "InputLevel.Meter";
        QTest::newRow("same module number, other op") << 2 << 1 << 1 << "Login.Login";
        QTest::newRow("twin block") << 3 << 12 << 3 << "OutputFilter.Band";
        QTest::newRow("settings") << 2 << 2 << 10 << "Settings.Location";
        QTest::newRow("preset data") << 3 << 32 << 12 << "Preset.ExportData";
        QTest::newRow("unknown command") << 3 << 1 << 9 << "InputLevel";
        QTest::newRow("unknown module") << 3 << 20 << 1 << "";
        QTest::newRow("unknown op") << 4 << 1 << 1 << "";
    }

    void commandNames()
    {
        QFETCH(int, op);
        QFETCH(int, module);
        QFETCH(int, cmd);
        QFETCH(QString, name);
        QCOMPARE(Proto::commandName(quint8(op), quint8(module), quint8(cmd)), name);
    }

    void lineAndFilter()
    {
        FrameTrace::Record r;
        r.time = QDateTime(QDate(2024, 5, 1), QTime(9, 8, 7, 65)).toMSecsSinceEpoch();
        r.direction = FrameTrace::Direction::Received;
        r.frame.op = 3;
        r.frame.module = 7;
        r.frame.cmd = 2;
        r.frame.flag = 0x80;
        r.frame.length = 3;
        r.frame.payload = QByteArray::fromHex("00ff7d");
        QCOMPARE(FrameTrace::line(r),
                 QStringLiteral("09:08:07.065 RX   3   7   2   80     3  PreMix.Gain              "
                                "00 FF 7D"));
        // The heading's captions stand above their columns.
        const QString heading = FrameTrace::heading();
        QCOMPARE(heading.indexOf(QLatin1String("name")), FrameTrace::line(r).indexOf("PreMix"));

        FrameTrace::Filter f;
        QVERIFY(f.accepts(r));
        f.module = 7;
        QVERIFY(f.accepts(r));
        f.op = 2; // module 7 of op 2 is another module
        QVERIFY(!f.accepts(r));
        f = FrameTrace::Filter();
        f.direction = int(FrameTrace::Direction::Sent);
        QVERIFY(!f.accepts(r));
    }
};

QTEST_GUILESS_MAIN(TestFrameTrace)
#include "tst_frametrace.moc"
