// The device table against simulated units on their own loopback addresses:
// selecting, connecting, retrying, the time-out box, removal and IP setting.

#include "devices/connecttimeoutbox.h"
#include "devices/devicemanager.h"
#include "devices/deviceregistry.h"
#include "devices/devicetablemodel.h"
#include "devices/discoverylistener.h"
#include "devices/qdeviceitem.h"
#include "devices/qdevicelist.h"
#include "devices/qdevicetable.h"
#include "devices/qipsetting.h"
#include "protocol/lebytes.h"
#include "protocol/transport.h"
#include "sim/simcommandlistener.h"
#include "tests/devices/devicefixtures.h"
#include "tests/support/testsupport.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// Counts the appearances of the time-out box and the connection attempts of
// one socket; notes how many attempts had begun at each appearance.
class BoxWatcher final : public QObject
{
public:
    BoxWatcher(QWidget *box, QTcpSocket *socket) : m_box(box)
    {
        box->installEventFilter(this);
        connect(socket, &QAbstractSocket::stateChanged, this, [this](auto state) {
            if (state == QAbstractSocket::ConnectingState)
                ++attempts;
        });
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box && event->type() == QEvent::Show) {
            shows.append(attempts);
            if (autoHide) // the operator closes it each time
                QTimer::singleShot(0, m_box, &QWidget::hide);
        }
        return false;
    }

    QWidget *m_box;
    QVector<int> shows;
    int attempts = 0;
    bool autoHide = true;
};

QString netStatus(QDeviceTable &t, int row)
{
    return t.view()->model()->index(row, DeviceTableModel::ColumnNetStatus).data().toString();
}

} // namespace

class TestConnection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        QStandardPaths::setTestModeEnabled(true);
    }

    void init()
    {
        m_dir = std::make_unique<ScratchDir>();
        m_announcePort = freeUdpPort();
    }

    void cleanup()
    {
        setCurrentSocket(nullptr);
        m_dir.reset();
    }

    void selectingConnectsToTheUnitsOwnAddress()
    {
        SimRack rack;
        QVERIFY(rack.start(3, m_announcePort));
        QDeviceTable t(scope(rack.port));
        QTRY_COMPARE(t.count(), 3);
        const int row = t.manager()->rowOf(502);
        QSignalSpy data(&t, &QDeviceTable::sig_tcpData);
        QSignalSpy current(&t, &QDeviceTable::sig_currentSocketChanged);

        select(t, row);
        QCOMPARE(currentSocket(), t.socket(row));
        QCOMPARE(current.size(), 1);
        QTRY_COMPARE(t.socket(row)->state(), QAbstractSocket::ConnectedState);
        QCOMPARE(t.socket(row)->peerAddress(), loopback(2));
        QCOMPARE(t.socket(row)->localAddress(), loopback(1));
        QTRY_COMPARE(rack[1].sessionCount(), 1);
        QCOMPARE(rack[0].sessionCount() + rack[2].sessionCount(), 0);
        QTRY_VERIFY(!data.isEmpty()); // the unit's login answer
        QCOMPARE(data.first().first().toByteArray(), Proto::makeFrame(1, 2, 1, 1, 0x80, "\x01"));
        QCOMPARE(netStatus(t, row), QStringLiteral("Online(Connected)"));

        // Selecting the selected unit again drops and remakes its connection.
        QSignalSpy closed(&rack[1], &SimUnit::sessionClosed);
        QSignalSpy opened(&rack[1], &SimUnit::sessionOpened);
        select(t, row);
        QVERIFY(closed.wait());
        QTRY_COMPARE(opened.size(), 1);
        QTRY_COMPARE(t.socket(row)->state(), QAbstractSocket::ConnectedState);

        // Another unit: the first connection ends, the new one comes up.
        const int third = t.manager()->rowOf(503);
        select(t, third);
        QTRY_COMPARE(rack[1].sessionCount(), 0);
        QTRY_COMPARE(t.socket(third)->state(), QAbstractSocket::ConnectedState);
        QCOMPARE(t.socket(third)->peerAddress(), loopback(3));
        QCOMPARE(netStatus(t, row), QStringLiteral("Online(Disconnected)"));
        QCOMPARE(currentSocket(), t.socket(third));
    }

    // A unit known from the registry at an old address comes back at a new one
    // and is selected as soon as it is heard (the program does so for the unit
    // used last): the first attempt already goes to the new address.
    void unitBackAtNewAddressIsReachedThere()
    {
        {
            DeviceRegistry registry;
            QVERIFY(registry.open());
            broadcastMsg stale;
            stale.machineid = 501;
            stale.ipaddress = loopback(5).toIPv4Address();
            QVERIFY(registry.sqlAdd(stale));
        }
        SimRack rack;
        QVERIFY(rack.start(1, m_announcePort));
        QDeviceTable t(scope(rack.port));
        QCOMPARE(t.count(), 1); // offline, from the registry
        QStringList attempts;
        connect(t.socket(0), &QAbstractSocket::stateChanged, this,
                [&](QAbstractSocket::SocketState state) {
                    if (state == QAbstractSocket::ConnectingState)
                        attempts << t.socket(0)->peerName();
                });
        connect(&t, &QDeviceTable::sig_netState, this, [&](uint row, bool online) {
            if (online && t.selectedRow() < 0)
                select(t, int(row));
        });
        QTRY_COMPARE(t.socket(0)->state(), QAbstractSocket::ConnectedState);
        QCOMPARE(attempts, QStringList{loopback(1).toString()});
        QCOMPARE(rack[0].sessionCount(), 1);
    }

    void refusedConnectionWarnsOncePerAttempt()
    {
        SimRack rack;
        QVERIFY(rack.start(1, m_announcePort));
        rack[0].setRefuseConnections(true);
        QDeviceTable t(scope(rack.port));
        t.setConnectRetryInterval(300);
        QTRY_COMPARE(t.count(), 1);
        BoxWatcher w(t.connectTimeoutBox(), t.socket(0));
        select(t, 0);

        QTRY_VERIFY(w.shows.size() >= 3);
        QCOMPARE(w.shows.mid(0, 3), (QVector<int>{1, 2, 3}));

        // Offline: retried, but no box.
        rack[0].setAnnouncing(false);
        QTRY_VERIFY_WITH_TIMEOUT(!t.isOnline(0), 4000);
        const int shown = w.shows.size();
        const int attempts = w.attempts;
        QTRY_VERIFY(w.attempts >= attempts + 3);
        QCOMPARE(w.shows.size(), shown);

        // Online again: the box returns, until the operator declines it.
        w.autoHide = false;
        rack[0].setAnnouncing(true);
        QTRY_VERIFY(t.connectTimeoutBox()->isVisible());
        t.connectTimeoutBox()->doNotRemindButton()->click();
        QVERIFY(!t.connectTimeoutBox()->isVisible());
        QVERIFY(!t.remindsOnTimeout());
        const int declinedAt = w.shows.size();
        const int afterDecline = w.attempts;
        QTRY_VERIFY(w.attempts >= afterDecline + 3);
        QCOMPARE(w.shows.size(), declinedAt);

        // The unit accepts again: the next retry connects.
        rack[0].setRefuseConnections(false);
        QTRY_COMPARE(t.socket(0)->state(), QAbstractSocket::ConnectedState);
    }

    void droppedConnectionIsTakenUpAgain()
    {
        SimRack rack;
        QVERIFY(rack.start(1, m_announcePort, 200, QStringLiteral("1234")));
        FrameCollector frames;
        QVector<QAbstractSocket::SocketState> states;
        QDeviceTable t(scope(rack.port));
        t.setConnectRetryInterval(500);
        QTRY_COMPARE(t.count(), 1);
        connect(&t, &QDeviceTable::sig_tcpData, &t,
                [&frames](const QByteArray &d) { frames.feed(d); });
        connect(&t, &QDeviceTable::sig_socketStateChanged, &t,
                [&states](QAbstractSocket::SocketState s) { states.append(s); });
        select(t, 0);
        QTRY_COMPARE(frames.frames.size(), 1);
        QCOMPARE(frames.frames[0].payload, hexBytes("00")); // asks for the login

        states.clear();
        rack[0].dropConnections();
        QTRY_COMPARE(frames.frames.size(), 2); // asked again, on a new connection
        QCOMPARE(frames.frames[1].payload, hexBytes("00"));
        QCOMPARE(t.socket(0)->state(), QAbstractSocket::ConnectedState);
        QCOMPARE(rack[0].sessionCount(), 1);
        QVERIFY(states.contains(QAbstractSocket::UnconnectedState));
        QCOMPARE(states.last(), QAbstractSocket::ConnectedState);
        QVERIFY(!t.connectTimeoutBox()->isVisible());

        // Deselected, a dropped unit is left alone.
        t.devChanged(-1);
        QVERIFY(!currentSocket());
        QTRY_COMPARE(rack[0].sessionCount(), 0);
        QSignalSpy heard(t.manager()->discovery(), &DiscoveryListener::announcement);
        QTRY_VERIFY(heard.size() >= 5); // a second, two retry intervals
        QCOMPARE(rack[0].sessionCount(), 0);
        QCOMPARE(t.socket(0)->state(), QAbstractSocket::UnconnectedState);
    }

    void removalKeepsTheSelectionOnItsUnit()
    {
        SimRack rack;
        QVERIFY(rack.start(3, m_announcePort));
        QDeviceTable t(scope(rack.port));
        QDeviceList list;
        t.attachList(&list);
        QTRY_COMPARE(t.count(), 3);
        QCOMPARE(list.count(), 3);
        for (int i = 0; i < 3; ++i)
            rack[i].setAnnouncing(false); // a removed unit that announces comes back
        select(t, 2);
        const quint32 selectedId = t.record(2)->machineid;
        QCOMPARE(list.currentRow(), 2);
        QTRY_VERIFY(list.item(2)->isConnected());
        QCOMPARE(list.item(2)->stateText(), QStringLiteral("Connected"));

        QSignalSpy removed(&t, &QDeviceTable::sig_removeDev);
        QSignalSpy changed(&t, &QDeviceTable::sig_devChanged);
        t.removeDev(0);
        QCOMPARE(removed.size(), 1);
        QCOMPARE(t.selectedRow(), 1);
        QCOMPARE(t.record(1)->machineid, selectedId);
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.currentRow(), 1);
        QCOMPARE(t.socket(1)->state(), QAbstractSocket::ConnectedState);
        QVERIFY(changed.isEmpty());

        // Removing the selected unit leaves no selection and no current socket.
        list.sig_removeRow(1);
        QCOMPARE(t.selectedRow(), -1);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().first().toInt(), -1);
        QVERIFY(!currentSocket());
        QCOMPARE(t.count(), 1);
        QCOMPARE(list.count(), 1);
        QTRY_COMPARE(rack[0].sessionCount() + rack[1].sessionCount() + rack[2].sessionCount(), 0);
    }

    void ipSettingReachesTheUnit()
    {
        SimRack rack;
        QVERIFY(rack.start(2, m_announcePort));
        SimCommandListener commands;
        QVERIFY(commands.listen(QHostAddress::LocalHost, 0));
        commands.addUnit(&rack[0]);
        commands.addUnit(&rack[1]);
        FrameCollector frames;
        QDeviceTable t(scope(rack.port, commands.port()));
        QTRY_COMPARE(t.count(), 2);
        const int row = t.manager()->rowOf(502);
        connect(&t, &QDeviceTable::sig_tcpData, &t,
                [&frames](const QByteArray &d) { frames.feed(d); });
        select(t, row);
        QTRY_COMPARE(frames.frames.size(), 1);

        t.ipClicked(row);
        QIpSetting *dialog = t.ipSettingDialog();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->addressEdit()->text(), QStringLiteral("127.0.0.2"));
        type(dialog->addressEdit(), "10.20.30.40");
        type(dialog->maskEdit(), "255.255.0.0");
        type(dialog->gatewayEdit(), "10.20.0.1");
        QPushButton *ok = dialog->buttons()->button(QDialogButtonBox::Ok);
        QVERIFY(ok->isEnabled());
        QSignalSpy received(&commands, &SimCommandListener::commandReceived);
        ok->click();
        QVERIFY(received.wait());
        QCOMPARE(received.first().at(0).toUInt(), 502u);
        QCOMPARE(received.first().at(1).toUInt(), 2u);
        QCOMPARE(rack[1].model().system().ipAddress, 0x0A141E28u);
        QCOMPARE(rack[0].model().system().ipAddress, 0x7F000001u);

        // The unit reports the new settings in its network read.
        sendPacket(2, 2, 13, 0);
        QTRY_COMPARE(frames.frames.size(), 2);
        QCOMPARE(frames.frames[1].payload,
                 Le::bytes(quint32(0x0A141E28), quint32(0xFFFF0000), quint32(0x0A140001)));
    }

    void unitMovedToNewAddressIsFollowed()
    {
        SimRack rack;
        QVERIFY(rack.start(1, m_announcePort));
        SimCommandListener commands;
        QVERIFY(commands.listen(QHostAddress::LocalHost, 0));
        commands.addUnit(&rack[0]);
        QDeviceTable t(scope(rack.port, commands.port()));
        t.setConnectRetryInterval(400);
        QTRY_COMPARE(t.count(), 1);
        select(t, 0);
        QTRY_COMPARE(t.socket(0)->state(), QAbstractSocket::ConnectedState);

        QSignalSpy moved(&t, &QDeviceTable::sig_ipaddr);
        QCOMPARE(t.manager()->sendIpSetting(501, 0x7F000009, 0xFF000000, 0x7F0000FE), 1);
        QVERIFY(moved.wait());
        QCOMPARE(moved.first().at(1).toUInt(), 0x7F000009u);
        QTRY_COMPARE(t.socket(0)->state(), QAbstractSocket::ConnectedState);
        QCOMPARE(t.socket(0)->peerAddress(), loopback(9));
        QCOMPARE(rack[0].sessionCount(), 1);
    }

private:
    DiscoveryScope scope(quint16 unitPort, quint16 commandPort = 0) const
    {
        return DiscoveryScope::loopback(m_announcePort, commandPort ? commandPort : freeUdpPort(),
                                        unitPort);
    }

    // What the main window does when a unit is picked.
    static void select(QDeviceTable &t, int row)
    {
        t.devChanged(row);
        t.connectDevice(row);
    }

    static void type(QLineEdit *edit, const char *text)
    {
        edit->clear();
        QTest::keyClicks(edit, QLatin1String(text));
    }

    std::unique_ptr<ScratchDir> m_dir;
    quint16 m_announcePort = 0;
};

QTEST_MAIN(TestConnection)
#include "tst_connection.moc"
