// The frame and the transmit path: bytes on the wire for the documented cases.

#include "protocol/frame.h"
#include "protocol/lebytes.h"
#include "protocol/transport.h"
#include "tests/support/loopbackpeer.h"

#include <QTest>

class TestTransmit : public QObject
{
    Q_OBJECT

private slots:
    void init() { setCodeId(1); }
    void cleanup() { setCodeId(1); }

    void frameBytes_data()
    {
        QTest::addColumn<quint16>("code");
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("module");
        QTest::addColumn<int>("cmd");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("read without payload")
            << quint16(1) << 3 << 3 << 1 << 0 << QByteArray()
            << hexBytes("82 7D 01 00 03 03 01 00 00 00 7D 82");
        QTest::newRow("code 0x0102 low byte first")
            << quint16(0x0102) << 3 << 3 << 1 << 0 << QByteArray()
            << hexBytes("82 7D 02 01 03 03 01 00 00 00 7D 82");
        QTest::newRow("global mute")
            << quint16(1) << 2 << 2 << 16 << 1 << hexBytes("01")
            << hexBytes("82 7D 01 00 02 02 10 01 01 00 01 7D 82");
        QTest::newRow("empty login")
            << quint16(1) << 2 << 1 << 1 << 1 << QByteArray()
            << hexBytes("82 7D 01 00 02 01 01 01 00 00 7D 82");
        QTest::newRow("pre-mix gain 0 dB channel 1")
            << quint16(1) << 3 << 7 << 2 << 1 << Le::bytes(quint8(0), 0.0f)
            << hexBytes("82 7D 01 00 03 07 02 01 05 00 00 00 00 00 00 7D 82");
    }

    void frameBytes()
    {
        QFETCH(quint16, code);
        QFETCH(int, op);
        QFETCH(int, module);
        QFETCH(int, cmd);
        QFETCH(int, flag);
        QFETCH(QByteArray, payload);
        QFETCH(QByteArray, expected);

        // The pure encoder and the transmit path produce the same bytes.
        QCOMPARE(Proto::makeFrame(code, quint8(op), quint8(module), quint8(cmd), quint8(flag),
                                  payload),
                 expected);
        LoopbackPeer peer;
        QVERIFY(peer.isReady());
        setCodeId(code);
        sendPacket(quint8(op), quint8(module), quint8(cmd), quint8(flag), payload);
        QTRY_COMPARE(peer.rawReceived(), expected);
    }

    void sendCommandPrependsChannel()
    {
        LoopbackPeer peer;
        QVERIFY(peer.isReady());
        sendCommand(1, 2, 5, nullptr, 0);
        sendCommand(11, 3, 2, Le::bytes(-100.0f));
        QVERIFY(peer.waitForFrames(2));
        const Proto::Frame &a = peer.frames().at(0);
        QCOMPARE(int(a.op), 3);
        QCOMPARE(int(a.flag), 1);
        QCOMPARE(int(a.length), 1);
        QCOMPARE(a.payload, hexBytes("05"));
        QCOMPARE(peer.frames().at(1).payload, hexBytes("02 00 00 C8 C2"));
    }

    void dropsWithoutConnectedSocket()
    {
        setCurrentSocket(nullptr);
        sendPacket(2, 2, 16, 1, hexBytes("01")); // nothing to write to: no crash, no effect

        // A socket that is still connecting gets nothing either.
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QTcpSocket connecting;
        setCurrentSocket(&connecting);
        connecting.connectToHost(QHostAddress::LocalHost, server.serverPort());
        QVERIFY(connecting.state() != QAbstractSocket::ConnectedState);
        sendPacket(2, 2, 16, 1, hexBytes("01"));
        QCOMPARE(connecting.bytesToWrite(), qint64(0));
        setCurrentSocket(nullptr);
    }

    void forgetsDestroyedSocket()
    {
        {
            LoopbackPeer peer;
            QVERIFY(currentSocket() == peer.client());
        }
        QVERIFY(currentSocket() == nullptr);
        sendPacket(3, 1, 1, 0); // must not touch the destroyed socket
    }

    void lengthIsLow16BitsAndTailFollowsPayload()
    {
        LoopbackPeer peer;
        QVERIFY(peer.isReady());
        const QByteArray payload(300, 'x');
        sendPacket(3, 32, 5, 1, payload);
        QVERIFY(peer.waitForFrames(1));
        const QByteArray raw = peer.rawReceived();
        QCOMPARE(raw.size(), 312);
        QCOMPARE(raw.mid(8, 2), hexBytes("2C 01"));
        QCOMPARE(raw.right(2), hexBytes("7D 82"));
    }

    void oversizedPayloadIsRefused()
    {
        LoopbackPeer peer;
        QVERIFY(peer.isReady());
        sendPacket(3, 32, 5, 1, QByteArray(Proto::MaxPayload + 1, 'x'));
        sendPacket(3, 32, 5, 1, QByteArray(Proto::MaxPayload, 'y'));
        QVERIFY(peer.waitForFrames(1));
        QVERIFY(peer.staysQuiet(100));
        QCOMPARE(peer.frames().size(), 1);
        QCOMPARE(peer.frames().at(0).payload.at(0), 'y');
    }

    void hexTextOfAFrame()
    {
        QCOMPARE(Proto::hexText(hexBytes("82 7D 01 00 03 07 01 01 02 00 02 01 7D 82")),
                 QStringLiteral("82 7D 01 00 03 07 01 01 02 00 02 01 7D 82"));
        QCOMPARE(Proto::hexText(QByteArray()), QString());
    }

    void littleEndianHelpers()
    {
        const QByteArray b = Le::bytes(quint16(0x0102), -56.0f, quint32(0x7F000001));
        QCOMPARE(b, hexBytes("02 01 00 00 60 C2 01 00 00 7F"));
        QCOMPARE(Le::get<quint16>(b, 0), quint16(0x0102));
        QCOMPARE(Le::get<float>(b, 2), -56.0f);
        QCOMPARE(Le::get<quint32>(b, 6), quint32(0x7F000001));
        // Reads beyond the end give the fallback instead of touching other memory.
        QCOMPARE(Le::get<quint32>(b, 7, 99u), 99u);
        QCOMPARE(Le::get<float>(b, -1), 0.0f);
    }
};

QTEST_GUILESS_MAIN(TestTransmit)
#include "tst_transmit.moc"
