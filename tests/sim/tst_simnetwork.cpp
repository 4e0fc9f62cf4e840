// The simulated unit's UDP command port, and where a unit told to take an
// address off loopback goes on listening and announcing. (Moving within
// loopback is followed end to end in the device connection tests.)

#include "protocol/lebytes.h"
#include "sim/simcommandlistener.h"
#include "sim/simunit.h"
#include "tests/support/testsupport.h"

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>

#include <memory>

namespace {

QByteArray command(quint32 addressee, quint32 cmd, const QByteArray &payload)
{
    return Le::bytes(addressee, cmd, quint32(payload.size())) + payload;
}

QByteArray ipPayload(quint32 address, quint32 mask, quint32 gateway)
{
    return Le::bytes(address, mask, gateway);
}

// The address field of the next announcement that arrives on `listener`.
quint32 nextAnnouncedAddress(QUdpSocket &listener)
{
    // The unit lives on this thread: wait with the event loop running.
    while (listener.hasPendingDatagrams())
        listener.receiveDatagram();
    for (int waited = 0; !listener.hasPendingDatagrams() && waited < 3000; waited += 50)
        QTest::qWait(50);
    return Le::get<quint32>(listener.receiveDatagram().data(), 4);
}

} // namespace

class TestSimNetwork : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void init()
    {
        QVERIFY(m_announcements.bind(QHostAddress::LocalHost, 0));
        SimUnitConfig c;
        c.bind = QHostAddress(QStringLiteral("127.0.0.2"));
        c.port = 0;
        c.announcePort = m_announcements.localPort();
        c.announceIntervalMs = 100;
        c.machineId = 77;
        m_unit = std::make_unique<SimUnit>(c);
        QVERIFY(m_unit->start());
        m_commands = std::make_unique<SimCommandListener>();
        QVERIFY(m_commands->listen(QHostAddress::LocalHost, 0));
        m_commands->addUnit(m_unit.get());
    }

    void cleanup()
    {
        m_commands.reset();
        m_unit.reset();
        m_announcements.close();
    }

    void onlyWellFormedCommandsForTheUnitApply()
    {
        QSignalSpy received(m_commands.get(), &SimCommandListener::commandReceived);
        const QByteArray wanted = ipPayload(0x0A000005, 0xFF000000, 0x0A000001);
        send(command(77, 2, wanted).left(11)); // shorter than a header
        send(command(77, 2, wanted) + '\0');   // length field disagrees
        send(command(78, 2, wanted));          // another unit
        send(command(77, 3, wanted));          // another command
        send(command(77, 2, wanted.left(8)));  // short payload
        send(command(77, 2, ipPayload(0x0A000006, 0xFFFF0000, 0x0A000002)));
        QTRY_COMPARE(received.size(), 4);
        const SystemState &s = m_unit->model().system();
        QCOMPARE(s.ipAddress, 0x0A000006u);
        QCOMPARE(s.subnetMask, 0xFFFF0000u);
        QCOMPARE(s.gateway, 0x0A000002u);

        SimCommandListener outside; // never listens off loopback
        QVERIFY(!outside.listen(QHostAddress(QStringLiteral("192.0.2.1")), 0));
    }

    void outsideAddressIsReportedButNotUsed()
    {
        send(command(77, 2, ipPayload(0xC0A80105, 0xFFFFFF00, 0xC0A80101)));
        QTRY_COMPARE(m_unit->model().system().ipAddress, 0xC0A80105u);
        // Still on loopback: listening and announcing where it was.
        QCOMPARE(nextAnnouncedAddress(m_announcements), 0x7F000002u);
        QTcpSocket client;
        client.connectToHost(QHostAddress(QStringLiteral("127.0.0.2")), m_unit->serverPort());
        QVERIFY(client.waitForConnected(3000));
    }

private:
    void send(const QByteArray &datagram)
    {
        m_sender.writeDatagram(datagram, QHostAddress::LocalHost, m_commands->port());
    }

    QUdpSocket m_announcements;
    QUdpSocket m_sender;
    std::unique_ptr<SimCommandListener> m_commands;
    std::unique_ptr<SimUnit> m_unit;
};

QTEST_GUILESS_MAIN(TestSimNetwork)
#include "tst_simnetwork.moc"
