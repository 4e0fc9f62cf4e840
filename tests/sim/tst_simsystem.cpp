// The simulated unit's system settings: writes of the settings module, the
// factory reset and restart, moving within loopback after a network write,
// and control of fault and voltages from the command line and the console.

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "sim/simconsole.h"
#include "sim/simoptions.h"
#include "sim/simunit.h"
#include "sim/systemblock.h"
#include "tests/support/testsupport.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

namespace {

Proto::Frame request(quint8 cmd, quint8 flag, const QByteArray &payload = {}, quint8 module = 2)
{
    return frameOf(2, module, cmd, flag, payload);
}

QByteArray read(SimModel &m, quint8 cmd, quint8 *flag = nullptr, quint8 module = 2)
{
    const QVector<SimAnswer> answers = m.handle(request(cmd, 0, {}, module));
    if (answers.size() != 1)
        return QByteArray("no answer");
    if (flag)
        *flag = answers[0].flag;
    return answers[0].payload;
}

SimUnitConfig unitAt(const char *address)
{
    SimUnitConfig c;
    c.bind = QHostAddress(QString::fromLatin1(address));
    c.port = 0;
    c.announcePort = 0;
    return c;
}

} // namespace

class TestSimSystem : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void settingsWritesShowInReads()
    {
        SimModel m;
        m.handle(request(12, 1, QByteArray::fromHex("1e2d0c0f00061c"))); // 2028-06-15 12:45:30
        m.handle(request(17, 1, Le::bytes(quint32(19200))));
        m.handle(request(23, 1, QByteArray(1, 1)));
        m.handle(request(11, 1, "Front of house"));
        const QByteArray clock = read(m, 12);
        QCOMPARE(clock.size(), 7);
        const QDateTime unitTime(QDate(2000 + clock[6], clock[5], clock[3]),
                                 QTime(clock[2], clock[1], clock[0]));
        QVERIFY(qAbs(unitTime.secsTo(QDateTime(QDate(2028, 6, 15), QTime(12, 45, 30)))) <= 2);
        QCOMPARE(read(m, 17), Le::bytes(quint32(19200)));
        QCOMPARE(read(m, 23), QByteArray(1, 1));
        QCOMPARE(read(m, 11).left(14), QByteArray("Front of house"));
        QCOMPARE(read(m, 1, nullptr, 4).size(), 6); // module 4: the code ID
    }

    void voltagesCanBeRefused()
    {
        SimUnit unit(unitAt("127.0.0.1"));
        unit.setVoltages({{1, 2, 3, 4, 5, 6, 7}});
        quint8 flag = 0;
        QCOMPARE(read(unit.model(), 20, &flag).size(), 32);
        QCOMPARE(int(flag), 0x80);
        unit.setReportsVoltages(false);
        QCOMPARE(read(unit.model(), 20, &flag).size(), 0);
        QCOMPARE(int(flag), 0x82);
    }

    void factoryResetRestartsTheUnit()
    {
        SimUnitConfig c = unitAt("127.0.0.1");
        c.password = QStringLiteral("1234");
        SimUnit unit(c);
        QVERIFY(unit.start());
        SystemState &s = unit.model().system();
        s.location = QStringLiteral("Booth");
        unit.model().block(Proto::Module::OutputLevel)->set<quint8>(Proto::OutLevelCmd::Mute, 3, 1);
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, unit.serverPort());
        QVERIFY(client.waitForConnected(3000));
        client.write(Proto::makeFrame(1, 2, 1, 1, 1, "1234"));
        QTRY_VERIFY(unit.hasLoggedInSession());

        QSignalSpy restarted(&unit, &SimUnit::restarted);
        client.write(Proto::makeFrame(1, 2, 2, 21, 1));
        QVERIFY(restarted.wait(2000));
        QTRY_COMPARE(client.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(s.location, QStringLiteral("Rack 1"));
        QCOMPARE(s.password, QString());
        QCOMPARE(unit.model()
                     .block(Proto::Module::OutputLevel)
                     ->get<quint8>(Proto::OutLevelCmd::Mute, 3),
                 quint8(0));
        QCOMPARE(s.bootCount, 43u);
        QVERIFY(s.runTime() < 2);
    }

    void networkWriteMovesWithinLoopbackOnly()
    {
        SimUnit unit(unitAt("127.0.0.2"));
        QVERIFY(unit.start());
        QTcpSocket client;
        client.connectToHost(QHostAddress(QStringLiteral("127.0.0.2")), unit.serverPort());
        QVERIFY(client.waitForConnected(3000));
        // Outside loopback: kept and reported, but the unit stays.
        client.write(Proto::makeFrame(
            1, 2, 2, 13, 1, Le::bytes(quint32(0xC0A80164), quint32(0xFFFFFF00), quint32(0))));
        QTRY_COMPARE(unit.model().system().ipAddress, quint32(0xC0A80164));
        QTest::qWait(100);
        QCOMPARE(unit.address(), QHostAddress(QStringLiteral("127.0.0.2")));
        QCOMPARE(client.state(), QAbstractSocket::ConnectedState);
        // Inside loopback the unit moves and its connections drop.
        client.write(Proto::makeFrame(
            1, 2, 2, 13, 1, Le::bytes(quint32(0x7F000006), quint32(0xFF000000), quint32(0))));
        QTRY_COMPARE(unit.address(), QHostAddress(QStringLiteral("127.0.0.6")));
        QTRY_COMPARE(client.state(), QAbstractSocket::UnconnectedState);
        QTcpSocket again;
        again.connectToHost(QHostAddress(QStringLiteral("127.0.0.6")), unit.serverPort());
        QVERIFY(again.waitForConnected(3000));
    }

    void voltageLists_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("refused");
        QTest::newRow("commas") << "12,-12,5,-5,3.3,2.5,48" << true << false;
        QTest::newRow("null") << "NULL" << true << true;
        QTest::newRow("six values") << "1,2,3,4,5,6" << false << false;
        QTest::newRow("not a number") << "1,2,3,4,5,6,x" << false << false;
        QTest::newRow("infinite") << "1,2,3,4,5,6,inf" << false << false;
    }

    void voltageLists()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(bool, refused);
        std::array<float, 7> volts{};
        bool isRefused = false;
        QCOMPARE(parseVoltages(text, volts, isRefused), valid);
        if (valid)
            QCOMPARE(isRefused, refused);
        SimOptions o;
        QString error;
        QCOMPARE(parseSimOptions({QStringLiteral("dapsim"), QStringLiteral("--voltages"), text}, o,
                                 error),
                 valid);
        if (valid && !refused)
            QCOMPARE(o.voltages->at(4), 3.3f);
    }

    void consoleCommands()
    {
        SimUnit a(unitAt("127.0.0.1"));
        SimUnit b(unitAt("127.0.0.2"));
        SimConsole console;
        console.addUnit(&a);
        console.addUnit(&b);
        QCOMPARE(console.execute(QStringLiteral(" fault 0x09 ")), QStringLiteral("fault 9"));
        QCOMPARE(int(a.model().system().fault), 9);
        QCOMPARE(int(b.model().system().fault), 9);
        QVERIFY(console.execute(QStringLiteral("fault 300")).contains(QLatin1String("0..255")));
        QCOMPARE(int(a.model().system().fault), 9);
        console.execute(QStringLiteral("voltages null"));
        QVERIFY(!b.model().system().reportsVoltages);
        console.execute(QStringLiteral("voltages 1 2 3 4 5 6 7"));
        QVERIFY(b.model().system().reportsVoltages);
        QCOMPARE(b.model().system().voltages[6], 7.0f);
        QVERIFY(console.execute(QStringLiteral("jump")).startsWith(QLatin1String("unknown")));
        QCOMPARE(console.execute(QString()), QString());
    }
};

QTEST_GUILESS_MAIN(TestSimSystem)
#include "tst_simsystem.moc"
