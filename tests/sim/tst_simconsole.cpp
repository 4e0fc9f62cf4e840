// The console commands a soak run drives the simulated unit with: dropping
// connections, junk and split answers switched at run time, a unit switched
// off and on, and the status that tells a polling program from a silent one.

#include "protocol/commands.h"
#include "sim/simconsole.h"
#include "sim/simunit.h"
#include "tests/support/testsupport.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

namespace {

SimUnitConfig loopbackConfig()
{
    SimUnitConfig c;
    c.port = 0; // any free port, so tests can run side by side
    c.announcePort = 0;
    c.announceIntervalMs = 100;
    return c;
}

// A client that keeps every byte it receives.
class Client final
{
public:
    explicit Client(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { raw += socket.readAll(); });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    // Connected, with the unit's first answer (the login) in.
    bool connected() { return socket.waitForConnected(3000) && waitForFrameEnd(); }
    void readVersion()
    {
        socket.write(Proto::makeFrame(1, Proto::OpSystem, Proto::SysModule::Settings,
                                      Proto::SettingsCmd::ArmVersion, Proto::FlagRead, {}));
    }
    // The bytes the next read brings: its answer, with whatever came before.
    QByteArray nextAnswer()
    {
        raw.clear();
        readVersion();
        return waitForFrameEnd() ? raw : QByteArray();
    }
    bool waitForFrameEnd()
    {
        for (int waited = 0; waited < 3000; waited += 5) {
            if (raw.endsWith(QByteArray("\x7D\x82", 2)))
                return true;
            QTest::qWait(5);
        }
        return false;
    }
    QTcpSocket socket;
    QByteArray raw;
};

} // namespace

class TestSimConsole : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void dropJunkAndSplit()
    {
        SimUnit unit(loopbackConfig());
        QVERIFY(unit.start());
        SimConsole console;
        console.addUnit(&unit);
        Client client(unit.serverPort());
        QVERIFY(client.connected());
        const QByteArray clean = client.nextAnswer();
        QVERIFY(clean.startsWith(QByteArray("\x82\x7D", 2)));

        QCOMPARE(console.execute(QStringLiteral("junk 5")), QStringLiteral("junk 5"));
        const QByteArray junky = client.nextAnswer();
        QCOMPARE(junky.size(), 5 + clean.size());
        QVERIFY(!junky.left(5).contains('\x82')); // never the first magic byte
        QCOMPARE(junky.mid(5), clean);

        QCOMPARE(console.execute(QStringLiteral("junk 0")), QStringLiteral("junk 0"));
        QCOMPARE(console.execute(QStringLiteral("split on")), QStringLiteral("split on"));
        QVERIFY(
            console.execute(QStringLiteral("status")).endsWith(QLatin1String("junk 0, split on")));
        QCOMPARE(client.nextAnswer(), clean); // in pieces, whole again at the client
        QCOMPARE(console.execute(QStringLiteral("split off")), QStringLiteral("split off"));
        QCOMPARE(client.nextAnswer(), clean);
        QVERIFY(console.execute(QStringLiteral("split maybe")).startsWith(QLatin1String("split:")));
        QVERIFY(console.execute(QStringLiteral("junk -1")).startsWith(QLatin1String("junk:")));

        QVERIFY(console.execute(QStringLiteral("status")).contains(QLatin1String("1 sessions")));
        QCOMPARE(console.execute(QStringLiteral("drop")), QStringLiteral("dropped"));
        QTRY_COMPARE(client.socket.state(), QAbstractSocket::UnconnectedState);
        QTRY_COMPARE(unit.sessionCount(), 0);
        // The unit stays up: a new connection is served.
        Client again(unit.serverPort());
        QVERIFY(again.connected());
        QCOMPARE(again.nextAnswer(), clean);
    }

    void restartIsOffThenOn()
    {
        SimUnit unit(loopbackConfig());
        QVERIFY(unit.start());
        SimConsole console;
        console.addUnit(&unit);
        Client client(unit.serverPort());
        QVERIFY(client.connected());
        client.readVersion();
        QTRY_VERIFY(
            console.execute(QStringLiteral("status")).contains(QLatin1String("1 requests")));
        const quint32 boots = unit.model().system().bootCount;
        QSignalSpy restarted(&unit, &SimUnit::restarted);

        QCOMPARE(console.execute(QStringLiteral("restart 0.4")), QStringLiteral("restart 0.4"));
        QTRY_COMPARE(client.socket.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(console.execute(QStringLiteral("status")).contains(QLatin1String("off")));
        // Off: nobody gets in.
        QTcpSocket early;
        early.connectToHost(QHostAddress::LocalHost, unit.serverPort());
        QVERIFY(!early.waitForConnected(200) ||
                early.waitForDisconnected(1000)); // refused, or closed at once
        QVERIFY(restarted.wait(3000));
        QCOMPARE(unit.model().system().bootCount, boots + 1);
        Client after(unit.serverPort());
        QVERIFY(after.connected());
        QVERIFY(console.execute(QStringLiteral("status")).contains(QLatin1String("logged in")));
        QVERIFY(console.execute(QStringLiteral("restart x")).startsWith(QLatin1String("restart:")));
    }
};

QTEST_GUILESS_MAIN(TestSimConsole)
#include "tst_simconsole.moc"
