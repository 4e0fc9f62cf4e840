// Firmware upgrade: the chunk walk paced by acknowledgements, the checks made
// before anything is sent, the watchdog and cancel of the shared progress
// dialog, and the menu actions that need a login.

#include "app/firmwareupgrade.h"
#include "app/mainwindow.h"
#include "devices/discoveryscope.h"
#include "pages/transferprogressdialog.h"
#include "protocol/lebytes.h"
#include "protocol/progressguard.h"
#include "protocol/transport.h"
#include "tests/presets/badfiles.h"
#include "tests/support/answeringprompt.h"
#include "tests/support/loopbackpeer.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray firmware(int size, bool signature = true)
{
    QByteArray b(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 13 + i / 1024) & 0xFF);
    if (signature && size >= 2)
        b.replace(0, 2, "\x7F\x8C");
    return b;
}

struct Bench
{
    void ack(quint8 module, quint16 index, quint8 flag = 0x80, int extra = 0)
    {
        const QByteArray payload = Le::bytes(index) + QByteArray(extra, '\0');
        upgrade.acknowledge(module, 1, flag, quint16(payload.size()), payload);
    }
    QString write(const QByteArray &contents)
    {
        dir.writeFile(QStringLiteral("fw.bin"), contents);
        return dir.filePath(QStringLiteral("fw.bin"));
    }

    ScratchDir dir;
    AnsweringPrompt prompt;
    LoopbackPeer peer;
    QWidget host;
    TransferProgressDialog progress{&host};
    QProgressDialog *dialog = progress.dialog();
    FirmwareUpgrade upgrade{progress.guard()};
};

} // namespace

class TestFirmwareUpgrade : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void chunksFollowAcknowledgements_data()
    {
        QTest::addColumn<int>("module");
        QTest::addColumn<int>("size");
        QTest::addColumn<QVector<int>>("lengths");
        QTest::addColumn<bool>("closedBySend"); // else by the acknowledgement of the last

        QTest::newRow("2500 bytes") << 1 << 2500 << QVector<int>{1026, 1026, 454} << true;
        QTest::newRow("2048 bytes") << 1 << 2048 << QVector<int>{1026, 1026} << false;
        QTest::newRow("2046 bytes") << 1 << 2046 << QVector<int>{1026, 1024} << true;
        QTest::newRow("DSP, 1024 bytes") << 2 << 1024 << QVector<int>{1026} << false;
    }

    void chunksFollowAcknowledgements()
    {
        QFETCH(int, module);
        QFETCH(int, size);
        Bench b;
        const QByteArray image = firmware(size);
        QCOMPARE(b.upgrade.start(quint8(module), b.write(image)), FirmwareUpgrade::Result::Started);
        QCOMPARE(b.dialog->maximum(), size / 1024 + 1);
        QCOMPARE(b.dialog->labelText(), QStringLiteral("updating..."));
        // Play the unit: acknowledge each chunk until the dialog closes.
        int acks = 0;
        for (; acks < 10 && b.dialog->isVisible(); ++acks) {
            QVERIFY(b.peer.waitForFrames(acks + 1));
            QCOMPARE(b.dialog->value(), acks);
            b.ack(quint8(module), quint16(acks));
        }
        b.peer.waitForFrames(acks + 1, 300); // a last chunk that closed the dialog
        QVERIFY(b.peer.staysQuiet());
        QVector<int> lengths;
        for (const Proto::Frame &f : b.peer.frames()) {
            QCOMPARE(QVector<int>({f.op, f.module, f.cmd, f.flag}),
                     QVector<int>({1, module, 1, 1}));
            QCOMPARE(int(Le::get<quint16>(f.payload, 0)), lengths.size());
            QCOMPARE(f.payload.mid(2), image.mid(lengths.size() * 1024, 1024));
            lengths << int(f.length);
        }
        QTEST(lengths, "lengths");
        QTEST(lengths.size() > acks, "closedBySend");
        QVERIFY(b.prompt.shown.isEmpty());
    }

    void refusedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<int>("module");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("kind");          // BadFile, or -1: a file of `contents`
        QTest::addColumn<qint64>("sparseSize"); // grown to this size without writing
        QTest::addColumn<QString>("message");   // empty: started

        const qint64 big = qint64(70) << 20;
        const QString tooLarge =
            QStringLiteral("The file is too large for a firmware upgrade (at most 64 MiB).");
        const QString cannotOpen = QStringLiteral("The file cannot be opened.");
        const QString notAFile = QStringLiteral("This is not a regular file.");
        const QString empty = QStringLiteral("The file is empty; there is nothing to send.");
        QTest::newRow("other signature")
            << 1 << firmware(2500, false) << -1 << 0LL << QStringLiteral("Bad file format");
        QTest::newRow("one byte") << 1 << QByteArray("\x7F") << -1 << 0LL
                                  << QStringLiteral("Bad file format");
        QTest::newRow("no file") << 1 << QByteArray() << int(BadFile::Missing) << 0LL << cannotOpen;
        QTest::newRow("70 MiB") << 1 << firmware(2) << -1 << big << tooLarge;
        QTest::newRow("70 MiB DSP") << 2 << firmware(2) << -1 << big << tooLarge;
        QTest::newRow("other signature as DSP")
            << 2 << firmware(2500, false) << -1 << 0LL << QString();
        QTest::newRow("empty") << 1 << QByteArray() << -1 << 0LL << empty;
        QTest::newRow("empty DSP") << 2 << QByteArray() << -1 << 0LL << empty;
        QTest::newRow("FIFO") << 1 << QByteArray() << int(BadFile::Fifo) << 0LL << notAFile;
        QTest::newRow("FIFO DSP") << 2 << QByteArray() << int(BadFile::Fifo) << 0LL << notAFile;
        QTest::newRow("folder") << 2 << QByteArray() << int(BadFile::Folder) << 0LL << notAFile;
        QTest::newRow("unreadable")
            << 2 << QByteArray() << int(BadFile::Unreadable) << 0LL << cannotOpen;
    }

    void refusedBeforeAnythingIsSent()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, kind);
        QFETCH(qint64, sparseSize);
        QFETCH(QString, message);
        Bench b;
        QSignalSpy finished(&b.upgrade, &FirmwareUpgrade::finished);
        const QString path = kind < 0
                                 ? b.write(contents)
                                 : makeBadFile(b.dir.path(), QStringLiteral("fw"), BadFile(kind));
        if (sparseSize > 0)
            QVERIFY(QFile(path).resize(sparseSize));
        QFETCH(int, module);
        PermissionsEnforced permissions;
        const FirmwareUpgrade::Result result = b.upgrade.start(quint8(module), path);
        QCOMPARE(FirmwareUpgrade::errorText(result), message);
        const bool started = message.isEmpty();
        QCOMPARE(b.dialog->isVisible(), started);
        QCOMPARE(b.peer.waitForFrames(1, 300), started);
        QVERIFY(finished.isEmpty());
    }

    // An acknowledgement names the chunk the unit took: one that was never
    // sent ends the upgrade as a failure, whatever its number.
    void acknowledgementOfAChunkNotSentFails_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("acknowledged"); // after chunk 0 and 1 were taken
        QTest::newRow("0xFFFF") << 5000 << 0xFFFF;
        QTest::newRow("0xFFFF, file of whole chunks") << 4096 << 0xFFFF;
        QTest::newRow("the next but one") << 5000 << 3;
        QTest::newRow("the next") << 5000 << 2;
    }

    void acknowledgementOfAChunkNotSentFails()
    {
        QFETCH(int, size);
        QFETCH(int, acknowledged);
        Bench b;
        QSignalSpy finished(&b.upgrade, &FirmwareUpgrade::finished);
        QSignalSpy failed(&b.upgrade, &FirmwareUpgrade::failed);
        QCOMPARE(b.upgrade.start(1, b.write(firmware(size))), FirmwareUpgrade::Result::Started);
        QVERIFY(b.peer.waitForFrames(1));
        b.ack(1, 0);
        QVERIFY(b.peer.waitForFrames(2));
        b.ack(1, quint16(acknowledged));
        QCOMPARE(failed.size(), 1);
        QCOMPARE(failed.at(0).at(0).toString(),
                 QStringLiteral("The unit acknowledged chunk %1, which was not sent; the "
                                "upgrade did not finish.")
                     .arg(acknowledged));
        QVERIFY(finished.isEmpty());
        QVERIFY(!b.dialog->isVisible());
        QVERIFY(b.peer.staysQuiet());
        b.ack(1, 1); // late: the upgrade is over
        QVERIFY(b.peer.staysQuiet());
    }

    void watchdogTellsTheOperatorAndLateAcknowledgementsSendNothing()
    {
        Bench b;
        QCOMPARE(b.progress.guard()->interval(), 2000);
        b.progress.guard()->setInterval(100);
        QCOMPARE(b.upgrade.start(1, b.write(firmware(2500))), FirmwareUpgrade::Result::Started);
        QVERIFY(b.peer.waitForFrames(1));
        QTRY_VERIFY(!b.dialog->isVisible());
        QCOMPARE(b.prompt.shown, QStringList{QStringLiteral("error|The unit stopped answering; "
                                                            "the transfer did not finish.")});
        b.ack(1, 0);
        QVERIFY(b.peer.staysQuiet());
        // A new start sends from chunk 0 again.
        QCOMPARE(b.upgrade.start(1, b.upgrade.path(1)), FirmwareUpgrade::Result::Started);
        QVERIFY(b.peer.waitForFrames(2));
        QCOMPARE(b.peer.frames().at(1).payload.left(2), QByteArray("\0\0", 2));
    }

    void foreignAcknowledgementsAndCancel()
    {
        Bench b;
        QCOMPARE(b.upgrade.start(1, b.write(firmware(5000))), FirmwareUpgrade::Result::Started);
        QVERIFY(b.peer.waitForFrames(1));
        b.ack(1, 0, 0x80, 1); // length 3
        b.ack(1, 0, 0x00);    // not an answer
        b.ack(2, 0);          // the other firmware
        QVERIFY(b.peer.staysQuiet());
        b.ack(1, 0);
        QVERIFY(b.peer.waitForFrames(2));
        b.progress.guard()->setInterval(100);
        b.dialog->findChild<QPushButton *>()->click(); // the operator's cancel
        QVERIFY(!b.dialog->isVisible());
        b.ack(1, 1);
        QVERIFY(b.peer.staysQuiet(300)); // nothing sent, and no watchdog message
        QVERIFY(b.prompt.shown.isEmpty());
    }

    void menuActionsNeedALogin()
    {
        ScratchDir dir;
        AnsweringPrompt prompt;
        MainWindow w(DiscoveryScope::loopback(0, 0, 1), nullptr);
        // After the File and Edit menus.
        const QList<QAction *> update = w.menuBar()->actions().at(2)->menu()->actions();
        QVERIFY(update.at(0)->isEnabled() && update.at(1)->isEnabled());
        update.at(0)->trigger();
        QVERIFY(prompt.asked.isEmpty());

        setLoggedIn(true);
        dir.writeFile(QStringLiteral("bad.sbin"), firmware(3000, false));
        prompt.file = dir.filePath(QStringLiteral("bad.sbin"));
        update.at(0)->trigger();
        update.at(1)->trigger(); // no unit: chunk 0 is dropped, the dialog stays up
        setLoggedIn(false);
        QCOMPARE(prompt.asked, (QStringList{QStringLiteral("Find Files|sbin Files (*.sbin)"),
                                            QStringLiteral("Find Files|ldr Files (*.ldr)")}));
        QCOMPARE(prompt.shown, QStringList{QStringLiteral("error|Bad file format|Yes,No")});
        QVERIFY(w.progress()->dialog()->isVisible());
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestFirmwareUpgrade)
#include "tst_firmwareupgrade.moc"
