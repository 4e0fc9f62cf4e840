// The announcement record, dotted addresses and the choice of the local
// address: pure functions over values.

#include "devices/broadcastmsg.h"
#include "devices/discoveryscope.h"
#include "devices/qipsetting.h"
#include "tests/support/testsupport.h"

#include <QTest>

namespace {

broadcastMsg sample()
{
    broadcastMsg m;
    m.machineid = 0xA1B2C3D4;
    m.ipaddress = 0xC0A8010A;
    m.extra = {{0x10, 0x0E, 0, 0, 0x20, 0x1C, 0, 0}};
    m.status = 3;
    m.armVersion = {{1, 2, 3}};
    m.dspVersion = {{4, 5, 6}};
    m.sn = QStringLiteral("SN123");
    m.model = QStringLiteral("DAP-1616");
    m.location = QStringLiteral("会议室");
    m.description = QStringLiteral("Hall");
    m.preset = QStringLiteral("Speech");
    m.fault = 0x06;
    m.code = 1;
    return m;
}

QNetworkAddressEntry entry(const char *ip, int prefix)
{
    QNetworkAddressEntry e;
    e.setIp(QHostAddress(QLatin1String(ip)));
    e.setPrefixLength(prefix);
    return e;
}

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void recordLayout()
    {
        QByteArray bytes = sample().toBytes();
        QCOMPARE(bytes.size(), 106);
        QCOMPARE(bytes.left(8), hexBytes("D4 C3 B2 A1 0A 01 A8 C0"));
        QCOMPARE(bytes.mid(16, 7), hexBytes("03 01 02 03 04 05 06"));
        QCOMPARE(bytes.mid(23, 6), QByteArray("SN123\0", 6));
        // Local texts travel in GB2312: two bytes a character.
        QCOMPARE(bytes.mid(55, 7), hexBytes("BB E1 D2 E9 CA D2 00"));
        QCOMPARE(bytes.mid(103, 3), hexBytes("06 01 00"));

        const std::optional<broadcastMsg> back = parseBroadcastMsg(bytes);
        QVERIFY(back);
        QCOMPARE(back->machineid, 0xA1B2C3D4u);
        QCOMPARE(back->location, QStringLiteral("会议室"));
        QCOMPARE(back->preset, QStringLiteral("Speech"));
        QCOMPARE(back->runningTime(), 3600u);
        QCOMPARE(back->totalTime(), 7200u);
        QCOMPARE(changedFields(sample(), *back), broadcastMsg::Fields());

        // A full 16-byte field has no NUL: it ends at its width, not in the next field.
        bytes.replace(39, 16, QByteArray(16, 'M'));
        QCOMPARE(parseBroadcastMsg(bytes)->model, QString(16, QLatin1Char('M')));
        QCOMPARE(parseBroadcastMsg(bytes)->location, QStringLiteral("会议室"));
    }

    void textChangesAreDecidedOnTheBytes()
    {
        // Two invalid GB2312 sequences decode to the same replacement text;
        // they are still different locations.
        QByteArray first = sample().toBytes();
        QByteArray second = first;
        first.replace(55, 3, hexBytes("FF 01 00"));
        second.replace(55, 3, hexBytes("FF 02 00"));
        const broadcastMsg a = *parseBroadcastMsg(first);
        const broadcastMsg b = *parseBroadcastMsg(second);
        QVERIFY(changedFields(a, b) == broadcastMsg::Location);
        // Bytes after the field's NUL are not part of the text.
        QByteArray third = first;
        third[60] = 'x';
        QVERIFY(changedFields(a, *parseBroadcastMsg(third)) == broadcastMsg::NoField);
        // A stored record (no bytes kept, as loaded from the registry) equals
        // an announcement of the same texts.
        QVERIFY(changedFields(sample(), *parseBroadcastMsg(sample().toBytes())) ==
                broadcastMsg::NoField);
    }

    void localAddressOnTheUnitsSubnet_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("local");
        QTest::newRow("loopback unit") << "127.0.0.2"
                                       << "127.0.0.1";
        QTest::newRow("lan") << "192.168.1.77"
                             << "192.168.1.5";
        QTest::newRow("narrower subnet wins") << "10.1.2.3"
                                              << "10.1.2.9";
        QTest::newRow("wider subnet") << "10.7.0.1"
                                      << "10.0.0.4";
        QTest::newRow("no interface there") << "172.16.0.1"
                                            << "";
    }

    void localAddressOnTheUnitsSubnet()
    {
        QFETCH(QString, unit);
        QFETCH(QString, local);
        const QList<QNetworkAddressEntry> entries = {entry("127.0.0.1", 8),
                                                     entry("192.168.1.5", 24), entry("10.0.0.4", 8),
                                                     entry("10.1.2.9", 24)};
        QCOMPARE(chooseLocalAddress(QHostAddress(unit), entries), QHostAddress(local));
    }

    void dottedAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<uint>("value");
        QTest::newRow("plain") << "192.168.1.10" << true << 0xC0A8010Au;
        QTest::newRow("leading zero is decimal") << "010.001.002.009" << true << 0x0A010209u;
        QTest::newRow("byte too large") << "10.1.2.256" << false << 0u;
        QTest::newRow("empty part") << "10..2.3" << false << 0u;
    }

    void dottedAddresses()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(uint, value);
        quint32 parsed = 0;
        QCOMPARE(QIpSetting::parseDotted(text, &parsed), valid);
        if (valid) {
            QCOMPARE(parsed, value);
            QCOMPARE(dottedAddress(parsed), QHostAddress(parsed).toString());
        }
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
