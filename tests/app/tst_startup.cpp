// The program as a process: it starts in an empty directory, creates cfg.dat,
// and a second copy exits at once with code 0; a stale lock does not block.

#include "app/singleinstance.h"
#include "app/startup.h"
#include "tests/support/testsupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHostInfo>
#include <QProcess>
#include <QTest>

namespace {
const QString Program = QStringLiteral(DAP_RUN_DIR "/dapcontrol");

void startProgram(QProcess &p, const QString &dir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir + QStringLiteral("/.config"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dir);
    p.start(Program, {});
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init() { QFile::remove(SingleInstance::lockFilePath(Program)); }

    void secondStartExitsAtOnce()
    {
        ScratchDir dir;
        QProcess first;
        startProgram(first, dir.path());
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath(QStringLiteral("cfg.dat"))), 10000);
        QCOMPARE(first.state(), QProcess::Running);

        QProcess second;
        QElapsedTimer t;
        t.start();
        startProgram(second, dir.path());
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(first.state() == QProcess::Running); // the first is left alone
        qInfo("second start exited after %lld ms", t.elapsed());

        first.terminate();
        QVERIFY(first.waitForFinished(5000));
    }

    void staleLockDoesNotBlock()
    {
        ScratchDir dir;
        // A lock file of a process that has ended, as a crash leaves it.
        QProcess gone;
        gone.start(QStringLiteral("true"), {});
        QVERIFY(gone.waitForFinished());
        const qint64 deadPid = gone.processId() ? gone.processId() : 999999;
        QFile lock(SingleInstance::lockFilePath(Program));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(deadPid) + "\ndapcontrol\n" +
                   QHostInfo::localHostName().toUtf8() + "\n");
        lock.close();

        QProcess p;
        startProgram(p, dir.path());
        QVERIFY(p.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath(QStringLiteral("cfg.dat"))), 10000);
        QCOMPARE(p.state(), QProcess::Running);
        p.terminate();
        QVERIFY(p.waitForFinished(5000));
    }

    void guardIsPerExecutable()
    {
        QVERIFY(SingleInstance::lockFilePath(QStringLiteral("/a/dapcontrol")) !=
                SingleInstance::lockFilePath(QStringLiteral("/b/dapcontrol")));
        SingleInstance one(QStringLiteral("/nonexistent/one"));
        SingleInstance again(QStringLiteral("/nonexistent/one"));
        QVERIFY(!one.isRunning());
        QVERIFY(again.isRunning());
    }
    // A window larger than the screen (a stored geometry, or the start size
    // under high-DPI scaling) shrinks and moves, frame included, inside the
    // screen's free area; one that fits stays where it is.
    void windowFitsTheScreen_data()
    {
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("fitted");
        QTest::newRow("fits") << QRect(100, 100, 1024, 600) << QRect(0, 0, 1920, 1040)
                              << QRect(100, 100, 1024, 600);
        QTest::newRow("scaled 2x on a small screen")
            << QRect(50, 50, 2048, 1200) << QRect(0, 0, 1366, 728) << QRect(4, 30, 1358, 694);
        QTest::newRow("off the right and bottom")
            << QRect(1000, 600, 1024, 600) << QRect(0, 0, 1366, 728) << QRect(338, 124, 1024, 600);
        QTest::newRow("second screen, panel at the top")
            << QRect(1900, 0, 800, 600) << QRect(1920, 40, 1280, 984) << QRect(1924, 70, 800, 600);
        QTest::newRow("no screen known")
            << QRect(0, 0, 5000, 5000) << QRect() << QRect(0, 0, 5000, 5000);
    }
    void windowFitsTheScreen()
    {
        QFETCH(QRect, geometry);
        QFETCH(QRect, available);
        QFETCH(QRect, fitted);
        QCOMPARE(fittedGeometry(geometry, QMargins(4, 30, 4, 4), available), fitted);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
