// The simulated unit, driven over real loopback sockets.

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "sim/demostate.h"
#include "sim/filterblock.h"
#include "sim/matrixblock.h"
#include "sim/simoptions.h"
#include "sim/simunit.h"
#include "tests/support/testsupport.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>

namespace {

// A plain client of the unit: sends frames, collects the answers.
class Client
{
public:
    explicit Client(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead,
                         [this] { collector.feed(socket.readAll()); });
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.waitForConnected(3000);
    }
    void send(quint8 op, quint8 module, quint8 cmd, quint8 flag, const QByteArray &payload = {})
    {
        socket.write(Proto::makeFrame(1, op, module, cmd, flag, payload));
    }
    // Waits for the first answer to (op, module, cmd) after index `from`.
    const Proto::Frame *waitFor(quint8 op, quint8 module, quint8 cmd, int from = 0)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 3000) {
            for (int i = from; i < collector.frames.size(); ++i) {
                const Proto::Frame &f = collector.frames[i];
                if (f.op == op && f.module == module && f.cmd == cmd)
                    return &f;
            }
            QTest::qWait(5);
        }
        return nullptr;
    }
    QByteArray loginAnswers() const
    {
        QByteArray out;
        for (const Proto::Frame &f : collector.frames)
            if (f.op == 2 && f.module == 1 && f.cmd == 1)
                out.append(f.payload);
        return out;
    }
    QTcpSocket socket;
    FrameCollector collector;
};

SimUnitConfig loopbackConfig(const QString &password = {})
{
    SimUnitConfig c;
    c.port = 0; // any free port, so tests can run side by side
    c.announcePort = 0;
    c.password = password;
    return c;
}

} // namespace

class TestSimUnit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void loginWithPassword()
    {
        SimUnit unit(loopbackConfig(QStringLiteral("1234")));
        QVERIFY(unit.start());
        Client c(unit.serverPort());
        QTRY_COMPARE(c.loginAnswers(), hexBytes("00")); // asks at once

        // Reads are ignored until the login succeeds.
        c.send(2, 2, 3, 0);
        c.send(2, 1, 1, 1, "4321");
        QTRY_COMPARE(c.loginAnswers(), hexBytes("00 00"));
        QVERIFY(!unit.hasLoggedInSession());
        c.send(2, 1, 1, 1, "1234");
        QTRY_COMPARE(c.loginAnswers(), hexBytes("00 00 01"));
        QVERIFY(unit.hasLoggedInSession());
        c.send(2, 2, 3, 0);
        QVERIFY(c.waitFor(2, 2, 3));
        QCOMPARE(c.collector.frames.size(), 4); // the early read was never answered
    }

    void noPasswordLogsInAtOnce()
    {
        SimUnit unit(loopbackConfig());
        QVERIFY(unit.start());
        Client c(unit.serverPort());
        QTRY_COMPARE(c.loginAnswers(), hexBytes("01"));
    }

    void everyStatusReadHasItsLength_data()
    {
        QTest::addColumn<int>("module");
        QTest::addColumn<int>("cmd");
        QTest::addColumn<int>("length");
        const int fixed[][3] = {{2, 2, 3},  {2, 3, 3},   {2, 5, 2},  {2, 6, 4},   {2, 7, 4},
                                {2, 8, 4},  {2, 9, 4},   {2, 12, 7}, {2, 13, 12}, {2, 14, 1},
                                {2, 16, 1}, {2, 17, 4},  {2, 18, 4}, {2, 19, 8},  {2, 20, 32},
                                {2, 23, 1}, {2, 25, 1},  {2, 28, 1}, {4, 1, 6},   {2, 1, 16},
                                {2, 4, 16}, {2, 10, 16}, {2, 11, 16}};
        for (const auto &r : fixed)
            QTest::addRow("module %d cmd %d", r[0], r[1]) << r[0] << r[1] << r[2];
    }

    void everyStatusReadHasItsLength()
    {
        QFETCH(int, module);
        QFETCH(int, cmd);
        QFETCH(int, length);
        SimUnit unit(loopbackConfig());
        QVERIFY(unit.start());
        Client c(unit.serverPort());
        c.send(2, quint8(module), quint8(cmd), 0);
        const Proto::Frame *f = c.waitFor(2, quint8(module), quint8(cmd));
        QVERIFY(f);
        QCOMPARE(int(f->flag), 0x80);
        QCOMPARE(int(f->length), length);
    }

    void meterReadsMove()
    {
        SimUnit unit(loopbackConfig());
        QVERIFY(unit.start());
        Client c(unit.serverPort());
        const quint8 reads[][2] = {{1, 1}, {11, 1}, {7, 7}, {11, 8}};
        QSet<QByteArray> seen;
        for (int round = 0; round < 5; ++round) {
            for (const auto &r : reads) {
                const int from = c.collector.frames.size();
                c.send(3, r[0], r[1], 0);
                const Proto::Frame *f = c.waitFor(3, r[0], r[1], from);
                QVERIFY(f);
                QCOMPARE(int(f->length), 16);
                QCOMPARE(int(f->flag), 0x80);
                for (char level : f->payload)
                    QVERIFY(qint8(level) >= -100 && qint8(level) <= 24);
                if (r[0] == 1)
                    seen.insert(f->payload);
            }
            QTest::qWait(60);
        }
        QVERIFY2(seen.size() > 1, "input meters never changed");
    }

    void writesShowInNextRead()
    {
        SimUnit unit(loopbackConfig());
        QVERIFY(unit.start());
        Client c(unit.serverPort());
        c.send(2, 2, 10, 1, "Stage left");
        c.send(2, 2, 13, 1,
               Le::bytes(quint32(0xC0A8010A), quint32(0xFFFF0000), quint32(0xC0A80101)));
        c.send(2, 2, 16, 1, hexBytes("01"));
        c.send(3, 1, 3, 1, Le::bytes(quint8(2), 7.5f));
        c.send(2, 2, 10, 0);
        c.send(2, 2, 13, 0);
        c.send(2, 2, 16, 0);
        c.send(3, 1, 3, 0);
        const Proto::Frame *loc = c.waitFor(2, 2, 10);
        const Proto::Frame *net = c.waitFor(2, 2, 13);
        const Proto::Frame *mute = c.waitFor(2, 2, 16);
        const Proto::Frame *gain = c.waitFor(3, 1, 3);
        QVERIFY(loc && net && mute && gain);
        QCOMPARE(loc->payload.left(11), QByteArray("Stage left\0", 11));
        QCOMPARE(Le::get<quint32>(net->payload, 0), quint32(0xC0A8010A));
        QCOMPARE(Le::get<quint32>(net->payload, 8), quint32(0xC0A80101));
        QCOMPARE(mute->payload, hexBytes("01"));
        QCOMPARE(int(gain->length), 64);
        QCOMPARE(Le::get<float>(gain->payload, 8), 7.5f);
        QCOMPARE(Le::get<float>(gain->payload, 4), 0.0f);
    }

    void levelLimitsAndLabelsAreWritable()
    {
        SimUnit unit(loopbackConfig());
        QVERIFY(unit.start());
        Client c(unit.serverPort());
        c.send(3, 7, 6, 1, hexBytes("03 06 EC"));                         // input 4: 6 .. -20 dB
        c.send(3, 11, 6, 1, Le::bytes(quint8(1), -3.0f));                 // output 2: gain step
        c.send(2, 3, 2, 1, QByteArray(1, 5) + "Balcony balcony balcony"); // longer than 16
        c.send(3, 7, 6, 0);
        c.send(3, 11, 3, 0);
        c.send(2, 3, 2, 0);
        const Proto::Frame *lim = c.waitFor(3, 7, 6);
        const Proto::Frame *gain = c.waitFor(3, 11, 3);
        const Proto::Frame *names = c.waitFor(2, 3, 2);
        QVERIFY(lim && gain && names);
        QCOMPARE(int(lim->length), 128);
        QCOMPARE(Le::get<float>(lim->payload, 3 * 8), 6.0f);
        QCOMPARE(Le::get<float>(lim->payload, 3 * 8 + 4), -20.0f);
        QCOMPARE(Le::get<float>(gain->payload, 4), -3.0f);
        QCOMPARE(int(names->length), 256);
        QCOMPARE(names->payload.mid(5 * 16, 16), QByteArray("Balcony balcony "));
    }

    void firmwareChunksAcknowledged()
    {
        SimUnit unit(loopbackConfig());
        QVERIFY(unit.start());
        Client c(unit.serverPort());
        c.send(1, 2, 1, 1, Le::bytes(quint16(0)) + QByteArray(1024, 'a'));
        c.send(1, 2, 1, 1, Le::bytes(quint16(1)) + QByteArray(10, 'b'));
        // A chunk that would leave a gap is not the one the unit waits for.
        c.send(1, 2, 1, 1, Le::bytes(quint16(60000)) + QByteArray(4, 'c'));
        c.send(1, 2, 1, 1, Le::bytes(quint16(1)) + QByteArray(12, 'd')); // sent again
        QTRY_COMPARE(c.collector.frames.size(), 4);
        QCOMPARE(c.collector.frames[1].payload, hexBytes("00 00"));
        QCOMPARE(c.collector.frames[2].payload, hexBytes("01 00"));
        QCOMPARE(c.collector.frames[3].payload, hexBytes("01 00"));
        QCOMPARE(unit.model().firmware(2), QByteArray(1024, 'a') + QByteArray(12, 'd'));
    }

    void splitAndJunkAnswersStillParse()
    {
        SimUnit unit(loopbackConfig());
        unit.setSplitAnswers(true);
        unit.setJunkBytes(5);
        QVERIFY(unit.start());
        Client c(unit.serverPort());
        ProtocolLogCounter junk("PacketHeader Error!!!");
        for (quint8 cmd : {2, 3, 5, 13, 20})
            c.send(2, 2, cmd, 0);
        QVERIFY(c.waitFor(2, 2, 20));
        QCOMPARE(c.collector.frames.size(), 6); // login answer and five reads
        QCOMPARE(junk.count(), 6 * 5);
    }

    void dropAndRefuseConnections()
    {
        SimUnit unit(loopbackConfig());
        QVERIFY(unit.start());
        const quint16 port = unit.serverPort();
        Client c(port);
        QTRY_COMPARE(unit.sessionCount(), 1);
        QSignalSpy gone(&c.socket, &QTcpSocket::disconnected);
        unit.dropConnections();
        QVERIFY(gone.wait());

        unit.setRefuseConnections(true);
        QTcpSocket refused;
        QSignalSpy error(&refused, &QTcpSocket::errorOccurred);
        refused.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(error.wait());
        QCOMPARE(refused.error(), QAbstractSocket::ConnectionRefusedError);

        unit.setRefuseConnections(false);
        Client again(port);
        QCOMPARE(again.socket.state(), QAbstractSocket::ConnectedState);
    }

    void announcementsAndSilence()
    {
        QUdpSocket listener;
        QVERIFY(listener.bind(QHostAddress::LocalHost, 0));
        SimUnitConfig config = loopbackConfig();
        config.announcePort = listener.localPort();
        config.announceIntervalMs = 50;
        config.machineId = 0xA1B2C3D4;
        config.code = 7;
        config.sn = QStringLiteral("SN-XYZ");
        SimUnit unit(config);
        unit.setFaultByte(0x06);
        QVERIFY(unit.start());
        QTRY_VERIFY(listener.hasPendingDatagrams());
        const QByteArray a = listener.receiveDatagram().data();
        QCOMPARE(a.size(), 106);
        QCOMPARE(Le::get<quint32>(a, 0), quint32(0xA1B2C3D4));
        QCOMPARE(Le::get<quint32>(a, 4), quint32(0x7F000001));
        QCOMPARE(a.mid(23, 7), QByteArray("SN-XYZ\0", 7));
        QCOMPARE(int(a.at(103)), 6);
        QCOMPARE(Le::get<quint16>(a, 104), quint16(7));

        unit.setAnnouncing(false);
        QTest::qWait(60); // let any datagram already on its way arrive
        while (listener.hasPendingDatagrams())
            listener.receiveDatagram();
        QTest::qWait(200);
        QVERIFY(!listener.hasPendingDatagrams());
    }

    void commandLine()
    {
        SimOptions o;
        QString error;
        QVERIFY(parseSimOptions({QStringLiteral("dapsim"), QStringLiteral("--units"),
                                 QStringLiteral("3"), QStringLiteral("--password"),
                                 QStringLiteral("1234"), QStringLiteral("--machine-id"),
                                 QStringLiteral("500")},
                                o, error));
        QCOMPARE(o.units.size(), 3);
        QCOMPARE(o.units[2].bind, QHostAddress(QStringLiteral("127.0.0.3")));
        QCOMPARE(o.units[2].machineId, 502u);
        QCOMPARE(o.units[0].announceTo, QHostAddress(QHostAddress::LocalHost));
        QCOMPARE(o.units[1].password, QStringLiteral("1234"));
        QVERIFY(!parseSimOptions(
            {QStringLiteral("dapsim"), QStringLiteral("--port"), QStringLiteral("99999")}, o,
            error));
        QVERIFY(error.contains(QLatin1String("--port")));
        QCOMPARE(o.firmwareSilentAfter, -1);
        QVERIFY(parseSimOptions(
            {QStringLiteral("dapsim"), QStringLiteral("--firmware-silent-after=4")}, o, error));
        QCOMPARE(o.firmwareSilentAfter, 4);
    }

    void demonstrationSettingsGoThroughTheBlocks()
    {
        // Every demonstration write must be one the blocks take: a layout
        // mistake would leave the factory state, which a preset image shows.
        SimModel model;
        const QByteArray factory = model.presetState();
        loadDemoState(model);
        const auto &matrix = *model.blockAs<MatrixBlock>(Proto::OpBlock, Proto::Module::Matrix);
        QVERIFY(matrix.isOn(0, 7) && !matrix.isOn(6, 6));
        QCOMPARE(int(matrix.gain(0, 3)), -6);
        const auto &filters =
            *model.blockAs<FilterBlock>(Proto::OpBlock, Proto::Module::InputFilter);
        QCOMPARE(Le::get<float>(filters.band(0, 1), 2), 3150.0f);
        QCOMPARE(quint8(filters.highPass(2).at(0)), quint8(1));
        QVERIFY(model.presetState() != factory);
        model.factoryReset();
        QCOMPARE(model.presetState(), factory);
    }
};

QTEST_GUILESS_MAIN(TestSimUnit)
#include "tst_simunit.moc"
