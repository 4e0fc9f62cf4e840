// The device table's cells and colours, the device list, the IP setting
// dialog, the database error box, the stored geometry and language changes.

#include "devices/connecttimeoutbox.h"
#include "devices/devicemanager.h"
#include "devices/devicetablemodel.h"
#include "devices/qdeviceitem.h"
#include "devices/qdevicelist.h"
#include "devices/qdevicetable.h"
#include "devices/qipsetting.h"
#include "protocol/transport.h"
#include "tests/devices/devicefixtures.h"
#include "tests/support/testsupport.h"
#include "widgets/elidedlabel.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>
#include <QValidator>

#include <memory>

namespace {

broadcastMsg record(quint32 id, quint32 address)
{
    broadcastMsg m;
    m.machineid = id;
    m.ipaddress = address;
    m.extra = {{0x10, 0x0E, 0, 0, 0x58, 0x6E, 0x01, 0}}; // 3600 s and 93784 s
    m.armVersion = {{1, 2, 3}};
    m.dspVersion = {{4, 5, 6}};
    m.sn = QStringLiteral("SN-0042");
    m.model = QStringLiteral("DAP-1616");
    m.location = QStringLiteral("Stage");
    m.description = QStringLiteral("Front of house");
    m.preset = QStringLiteral("Speech");
    m.code = 1;
    return m;
}

} // namespace

class TestDeviceWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QStringLiteral("Tarnvale"), QStringLiteral("KR")).clear();
    }

    void init()
    {
        m_dir = std::make_unique<ScratchDir>();
        m_port = freeUdpPort();
    }

    void cleanup()
    {
        setCurrentSocket(nullptr);
        m_dir.reset();
    }

    void cellsAndNetStatusColours()
    {
        {
            QTcpServer unit; // stands in for a unit that accepts connections
            QVERIFY(unit.listen(QHostAddress::LocalHost, 0));
            QDeviceTable t(DiscoveryScope::loopback(m_port, freeUdpPort(), unit.serverPort()));
            QAbstractItemModel *model = t.view()->model();
            QCOMPARE(model->columnCount(), 11);
            QStringList headers;
            for (int c = 0; c < 11; ++c)
                headers << model->headerData(c, Qt::Horizontal).toString();
            QCOMPARE(headers, (QStringList{"Device ID", "IP Address", "Device model", "ARM ver",
                                           "DSP ver", "Location", "Description", "Device SN",
                                           "Net Status", "Runing time", "Total time"}));

            announce(record(4242, 0x7F000001));
            QTRY_COMPARE(model->rowCount(), 1);
            QStringList cells;
            for (int c = 0; c < 11; ++c)
                cells << model->index(0, c).data().toString();
            QCOMPARE(cells,
                     (QStringList{"4242", "127.0.0.1", "DAP-1616", "V1.2.3", "V4.5.6", "Stage",
                                  "Front of house", "SN-0042", "Online(Disconnected)",
                                  "0day 01:00:00", "1day 02:03:04"}));
            const QModelIndex status = model->index(0, DeviceTableModel::ColumnNetStatus);
            QCOMPARE(status.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));

            t.devChanged(0);
            t.connectDevice(0);
            QTRY_COMPARE(status.data().toString(), QStringLiteral("Online(Connected)"));
            QCOMPARE(status.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0, 128, 0));
            QCOMPARE(status.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::white));
        }

        // Known only from the registry: offline, grey, no times.
        QDeviceTable later(DiscoveryScope::loopback(freeUdpPort(), freeUdpPort(), 2698));
        const QModelIndex old = later.view()->model()->index(0, DeviceTableModel::ColumnNetStatus);
        QCOMPARE(old.data().toString(), QStringLiteral("Offline"));
        QCOMPARE(old.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0, 0, 0, 20));
        QCOMPARE(old.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 0, 80));
        QCOMPARE(later.view()->model()->index(0, 4).data().toString(), QStringLiteral("V4.5.6"));
        QCOMPARE(later.view()->model()->index(0, 9).data().toString(), QString());
    }

    void ipFieldsAcceptOnlyAddresses_data()
    {
        QTest::addColumn<int>("field"); // 0 address, 1 mask
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("state");
        const int ok = QValidator::Acceptable, bad = QValidator::Invalid,
                  partial = QValidator::Intermediate;
        QTest::newRow("address") << 0 << "192.168.1.10" << ok;
        QTest::newRow("multicast address") << 0 << "224.0.0.1" << bad;
        QTest::newRow("byte 256") << 0 << "10.0.256.1" << bad;
        QTest::newRow("unfinished") << 0 << "10.0." << partial;
        QTest::newRow("mask") << 1 << "255.255.255.0" << ok;
        QTest::newRow("mask byte 300") << 1 << "255.300.0.0" << bad;
    }

    void ipFieldsAcceptOnlyAddresses()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(int, state);
        QIpSetting dialog;
        QLineEdit *edit = field == 0 ? dialog.addressEdit() : dialog.maskEdit();
        int pos = 0;
        QCOMPARE(int(edit->validator()->validate(text, pos)), state);
    }

    void ipDialogOkNeedsThreeCompleteFields()
    {
        QIpSetting dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("ip Settings"));
        QPushButton *ok = dialog.buttons()->button(QDialogButtonBox::Ok);
        dialog.setValues(0xC0A8010A, 0xFFFFFF00, 0xC0A80101);
        QVERIFY(ok->isEnabled());
        QCOMPARE(dialog.gatewayEdit()->text(), QStringLiteral("192.168.1.1"));
        dialog.gatewayEdit()->setText(QStringLiteral("192.168.1"));
        QVERIFY(!ok->isEnabled());
        dialog.gatewayEdit()->setText(QStringLiteral("192.168.1.1"));
        dialog.addressEdit()->setText(QStringLiteral("0.1.2.3")); // passes the pattern only
        QVERIFY(!ok->isEnabled());
    }

    void narrowListWithAWideFontKeepsTheAddressReadable()
    {
        // Without a language list the program runs with the platform's default
        // font, which may be wide: nothing may be cut off without a trace.
        QDeviceList list;
        QFont wide = list.font();
        wide.setPointSize(13);
        list.setFont(wide);
        broadcastMsg m = record(1, 0x7F000001);
        m.model = QStringLiteral("DAP-1616 Conference");
        list.addItem(&m);
        list.setConnected(0, true);
        list.setFixedWidth(144);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        for (auto *label : list.item(0)->findChildren<ElidedLabel *>()) {
            const QString shown = label->elidedText();
            QVERIFY2(shown == label->text() || shown.contains(QChar(0x2026)), qPrintable(shown));
            QCOMPARE(label->toolTip(), label->text());
        }
        QCOMPARE(list.item(0)->addressText(), QStringLiteral("127.0.0.1"));
    }

    void deviceListFollowsTheTable()
    {
        QDeviceTable t(DiscoveryScope::loopback(m_port, freeUdpPort(), 2698));
        QDeviceList list;
        t.attachList(&list);
        announce(record(1, 0xC0A8010A));
        QTRY_COMPARE(list.count(), 1);
        QDeviceItem *item = list.item(0);
        QCOMPARE(item->stateText(), QStringLiteral("Online"));
        broadcastMsg changed = record(1, 0xC0A8010B);
        changed.preset = QStringLiteral("Music");
        changed.fault = 2;
        changed.model = QStringLiteral("DAP-0808");
        announce(changed);
        QTRY_COMPARE(item->presetText(), QStringLiteral("Music"));
        QCOMPARE(item->addressText(), QStringLiteral("192.168.1.11"));
        QCOMPARE(item->modelText(), QStringLiteral("DAP-0808"));
        QCOMPARE(int(item->fault()), 2);

        // A click picks the unit; the context menu offers IP setting and removal.
        QSignalSpy picked(&list, &QDeviceList::sig_devChanged);
        QListWidget *w = list.listWidget();
        list.resize(240, 300);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QPoint centre = w->visualItemRect(w->item(0)).center();
        QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(picked.size(), 1);

        emit w->customContextMenuRequested(centre);
        auto *menu = list.findChild<QMenu *>(QStringLiteral("deviceContextMenu"));
        QVERIFY(menu);
        const QList<QAction *> actions = menu->actions();
        QCOMPARE(actions.size(), 2);
        actions[0]->trigger();
        QVERIFY(t.ipSettingDialog()->isVisible()); // the table answers the list
        QCOMPARE(t.ipSettingDialog()->addressEdit()->text(), QStringLiteral("192.168.1.11"));
        t.ipSettingDialog()->reject();
    }

    void missingDatabaseWarnsAndListsForTheRun()
    {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("device.db")));
        QDeviceTable t(DiscoveryScope::loopback(m_port, freeUdpPort(), 2698));
        QTRY_VERIFY(t.databaseErrorBox() && t.databaseErrorBox()->isVisible());
        QMessageBox *box = t.databaseErrorBox();
        QCOMPARE(box->windowTitle(), QStringLiteral("Cannot open database"));
        QVERIFY(
            box->text().startsWith(QLatin1String("Unable to establish a database connection.\n")));
        QVERIFY(box->text().endsWith(QLatin1String("\n\nClick Cancel to exit.")));
        QCOMPARE(box->windowModality(), Qt::NonModal);
        announce(record(7, 0x7F000001));
        QTRY_COMPARE(t.count(), 1);
    }

    void geometryIsKept()
    {
        {
            QDeviceTable t(DiscoveryScope::loopback(m_port, freeUdpPort(), 2698));
            t.show();
            QVERIFY(QTest::qWaitForWindowExposed(&t));
            t.resize(700, 333);
            QTRY_COMPARE(t.size(), QSize(700, 333));
            t.hide();
        }
        QDeviceTable again(DiscoveryScope::loopback(m_port, freeUdpPort(), 2698));
        QCOMPARE(again.size(), QSize(700, 333));
    }

private:
    void announce(const broadcastMsg &m)
    {
        m_sender.writeDatagram(m.toBytes(), QHostAddress::LocalHost, m_port);
    }

    std::unique_ptr<ScratchDir> m_dir;
    QUdpSocket m_sender;
    quint16 m_port = 0;
};

QTEST_MAIN(TestDeviceWidgets)
#include "tst_devicewidgets.moc"
