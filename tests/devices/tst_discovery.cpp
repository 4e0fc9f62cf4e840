// Discovery and the registry together: announcements on loopback reach the
// device manager, which lists, records and ages the units.

#include "devices/devicemanager.h"
#include "devices/discoverylistener.h"
#include "protocol/transport.h"
#include "tests/devices/devicefixtures.h"
#include "tests/support/testsupport.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace {

broadcastMsg record(quint32 id, quint16 code = 1)
{
    broadcastMsg m;
    m.machineid = id;
    m.ipaddress = 0x7F000000 + id;
    m.model = QStringLiteral("DAP-1616");
    m.armVersion = {{1, 2, 3}};
    m.dspVersion = {{2, 8, 1}};
    m.sn = QStringLiteral("SN%1").arg(id);
    m.location = QStringLiteral("Rack");
    m.preset = QStringLiteral("Speech");
    m.code = code;
    return m;
}

int idOf(quint32 machineid)
{
    QSqlQuery q;
    q.prepare(QStringLiteral("select ID from devicetable where machineid = ?"));
    q.addBindValue(machineid);
    return q.exec() && q.next() ? q.value(0).toInt() : -1;
}

} // namespace

class TestDiscovery : public QObject
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
        m_port = freeUdpPort();
        setCodeId(1);
    }

    void cleanup()
    {
        setCodeId(1);
        m_dir.reset();
    }

    void storedUnitsListedOfflineAtStart()
    {
        {
            DeviceManager first(scope());
            announce(record(11));
            announce(record(12));
            QTRY_COMPARE(first.count(), 2);
        }
        DeviceManager second(scope());
        QCOMPARE(second.count(), 2);
        for (int row = 0; row < 2; ++row) {
            QVERIFY(!second.isOnline(row));
            QVERIFY(!second.hasAnnounced(row));
        }
        QCOMPARE(second.record(1)->machineid, 12u);
        QCOMPARE(second.record(1)->armFirmware(), 66051u);

        QSignalSpy net(&second, &DeviceManager::sig_netState);
        announce(record(12));
        QVERIFY(net.wait());
        QCOMPARE(net.first(), (QVariantList{1u, true}));
        QVERIFY(second.isOnline(1));
        QVERIFY(!second.isOnline(0));
        QCOMPARE(second.count(), 2);
    }

    void onlyChangedFieldsAreWritten()
    {
        DeviceManager m(scope());
        QSignalSpy added(&m, &DeviceManager::sig_addDev);
        announce(record(21));
        QVERIFY(added.wait());
        QCOMPARE(qvariant_cast<broadcastMsg *>(added.first().first())->machineid, 21u);
        QCOMPARE(m.registry().writeCount(), 1);
        QSqlQuery arm(QStringLiteral("select ARMFirmware from devicetable"));
        QVERIFY(arm.next());
        QCOMPARE(arm.value(0).toUInt(), 66051u);

        QSignalSpy address(&m, &DeviceManager::sig_ipaddr);
        QSignalSpy preset(&m, &DeviceManager::sig_preset);
        QSignalSpy model(&m, &DeviceManager::sig_model);
        QSignalSpy fault(&m, &DeviceManager::sig_fault);
        QSignalSpy net(&m, &DeviceManager::sig_netState);
        announce(record(21));
        QVERIFY(net.wait());
        QCOMPARE(m.registry().writeCount(), 1);
        QCOMPARE(address.size() + preset.size() + model.size() + fault.size(), 0);

        // A preset change on the unit reaches the list with no write and no TCP.
        broadcastMsg next = record(21);
        next.preset = QStringLiteral("Music");
        next.fault = 4;
        announce(next);
        QVERIFY(preset.wait());
        QCOMPARE(preset.first(), (QVariantList{0u, QStringLiteral("Music")}));
        QCOMPARE(fault.size(), 1);
        QCOMPARE(m.registry().writeCount(), 1);

        // Every stored field changes: one UPDATE each, into its own column,
        // texts bound as values.
        next.ipaddress = 0x7F000063;
        next.model = QStringLiteral("DAP-0808");
        next.armVersion = {{3, 0, 0}};
        next.dspVersion = {{2, 9, 0}};
        next.location = QStringLiteral("会议室 'A'; --");
        next.description = QStringLiteral("Hall");
        next.sn = QStringLiteral("NEW");
        announce(next);
        QVERIFY(address.wait());
        QCOMPARE(address.first(), (QVariantList{0u, 0x7F000063u}));
        QCOMPARE(model.size(), 1);
        QCOMPARE(m.registry().writeCount(), 8);
        QSqlQuery row(QStringLiteral("select ipaddress, model, ARMFirmware, DSPFirmware, location, "
                                     "description, sn from devicetable"));
        QVERIFY(row.next());
        QCOMPARE(row.value(0).toUInt(), 0x7F000063u);
        QCOMPARE(row.value(1).toString(), QStringLiteral("DAP-0808"));
        QCOMPARE(row.value(2).toUInt(), 196608u);
        QCOMPARE(row.value(3).toUInt(), 133376u);
        QCOMPARE(row.value(4).toString(), QStringLiteral("会议室 'A'; --"));
        QCOMPARE(row.value(5).toString(), QStringLiteral("Hall"));
        QCOMPARE(row.value(6).toString(), QStringLiteral("NEW"));
    }

    void malformedAndForeignAnnouncementsIgnored()
    {
        DeviceManager m(scope());
        QByteArray shortOne = record(31).toBytes();
        shortOne.chop(1);
        send(shortOne);
        send(record(32).toBytes() + '\0');
        announce(record(33, 5));
        announce(record(34)); // marker: everything sent before it has been handled
        QTRY_COMPARE(m.count(), 1);
        QCOMPARE(m.record(0)->machineid, 34u);

        setCodeId(broadcastMsg::AnyCode);
        announce(record(33, 5));
        QTRY_COMPARE(m.count(), 2);
        QCOMPARE(m.record(1)->code, quint16(5));
    }

    void silentUnitGoesOfflineAfterTwoSeconds()
    {
        SimRack rack;
        QVERIFY(rack.start(1, m_port, 1000));
        DeviceManager m(scope(rack.port));
        QElapsedTimer sinceLast;
        connect(m.discovery(), &DiscoveryListener::announcement, &m,
                [&sinceLast] { sinceLast.start(); });
        QTRY_COMPARE(m.count(), 1);
        QVERIFY(m.isOnline(0));

        // Announcing every second keeps it online: three announcements span
        // more than the two seconds of the offline timer.
        QSignalSpy net(&m, &DeviceManager::sig_netState);
        QSignalSpy heard(m.discovery(), &DiscoveryListener::announcement);
        QTRY_VERIFY_WITH_TIMEOUT(heard.size() >= 3, 5000);
        for (const QVariantList &args : qAsConst(net))
            QVERIFY(args.at(1).toBool());

        rack[0].setAnnouncing(false);
        net.clear();
        QTRY_VERIFY_WITH_TIMEOUT(!net.isEmpty() && !net.last().at(1).toBool(), 4000);
        const qint64 silence = sinceLast.elapsed();
        QVERIFY2(silence >= 1900 && silence <= 2600, qPrintable(QString::number(silence)));
        QVERIFY(!m.isOnline(0));
        QCOMPARE(m.count(), 1); // the entry stays
    }

    void removedUnitReturnsAsNewRow()
    {
        DeviceManager m(scope());
        announce(record(41));
        announce(record(42));
        QTRY_COMPARE(m.count(), 2);
        const int firstId = idOf(41);
        QSignalSpy removed(&m, &DeviceManager::sig_removeDev);
        m.removeDev(0);
        QCOMPARE(removed.size(), 1);
        QCOMPARE(removed.first().first().toInt(), 0);
        QCOMPARE(m.count(), 1);
        QCOMPARE(m.record(0)->machineid, 42u);
        QCOMPARE(idOf(41), -1);

        QSignalSpy added(&m, &DeviceManager::sig_addDev);
        announce(record(41));
        QVERIFY(added.wait());
        QCOMPARE(m.rowOf(41), 1);
        QVERIFY(idOf(41) > firstId);
    }

private:
    DiscoveryScope scope(quint16 unitPort = 2698) const
    {
        return DiscoveryScope::loopback(m_port, freeUdpPort(), unitPort);
    }

    void send(const QByteArray &datagram)
    {
        m_sender.writeDatagram(datagram, QHostAddress::LocalHost, m_port);
    }

    void announce(const broadcastMsg &m) { send(m.toBytes()); }

    std::unique_ptr<ScratchDir> m_dir;
    QUdpSocket m_sender;
    quint16 m_port = 0;
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "tst_discovery.moc"
