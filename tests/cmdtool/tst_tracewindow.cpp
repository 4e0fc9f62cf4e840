// The protocol trace window and its model: the ring of the last frames, the
// batched updates, filter and pause, recording only while open, saving.

#include "cmdtool/tracemodel.h"
#include "cmdtool/tracewindow.h"
#include "protocol/commands.h"
#include "protocol/frametrace.h"
#include "protocol/transport.h"
#include "tests/support/answeringprompt.h"
#include "tests/support/loopbackpeer.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

FrameTrace::Record record(int n, quint8 op = 3, quint8 module = 1,
                          FrameTrace::Direction d = FrameTrace::Direction::Received)
{
    FrameTrace::Record r;
    r.time = 1000 + n;
    r.direction = d;
    r.frame.op = op;
    r.frame.module = module;
    r.frame.cmd = quint8(n);
    r.frame.flag = 0x80;
    r.frame.payload = QByteArray(1, char(n));
    r.frame.length = 1;
    return r;
}

QVector<int> shownCmds(const TraceModel &m)
{
    QVector<int> cmds;
    for (int row = 0; row < m.rowCount(); ++row)
        cmds << m.record(row).frame.cmd;
    return cmds;
}

} // namespace

class TestTraceWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        FrameTrace::install({});
        setCurrentSocket(nullptr);
    }

    void ringKeepsTheNewestFramesInOrder()
    {
        TraceModel m;
        m.setCapacity(5);
        for (int n = 0; n < 3; ++n)
            m.append(record(n));
        QCOMPARE(m.rowCount(), 0); // batched
        m.flush();
        QCOMPARE(shownCmds(m), (QVector<int>{0, 1, 2}));
        for (int n = 3; n < 9; ++n)
            m.append(record(n));
        m.flush();
        QCOMPARE(shownCmds(m), (QVector<int>{4, 5, 6, 7, 8}));
        QCOMPARE(m.storedCount(), 5);
        // A batch larger than the ring keeps its own newest frames.
        for (int n = 9; n < 21; ++n)
            m.append(record(n));
        m.flush();
        QCOMPARE(shownCmds(m), (QVector<int>{16, 17, 18, 19, 20}));
    }

    void filterAndPauseLoseNothingTheRingHolds()
    {
        TraceModel m;
        m.setCapacity(6);
        m.append(record(1, 3, 1));
        m.append(record(2, 2, 1)); // module 1 of op 2: the login
        m.append(record(3, 3, 1, FrameTrace::Direction::Sent));
        m.append(record(4, 3, 11));
        m.flush();
        FrameTrace::Filter inputLevel;
        inputLevel.op = 3;
        inputLevel.module = 1;
        m.setFilter(inputLevel);
        QCOMPARE(shownCmds(m), (QVector<int>{1, 3}));
        inputLevel.direction = int(FrameTrace::Direction::Sent);
        m.setFilter(inputLevel);
        QCOMPARE(shownCmds(m), (QVector<int>{3}));

        m.setFilter(FrameTrace::Filter());
        m.setPaused(true);
        for (int n = 5; n < 9; ++n)
            m.append(record(n));
        m.flush();
        QCOMPARE(m.rowCount(), 4);
        m.setPaused(false);
        QCOMPARE(shownCmds(m), (QVector<int>{3, 4, 5, 6, 7, 8}));
    }

    void hundredThousandFrames()
    {
        TraceModel m;
        QCOMPARE(m.capacity(), TraceModel::DefaultCapacity);
        QElapsedTimer t;
        t.start();
        // Ten seconds of heavy polling per batch, far more than the ring holds.
        for (int batch = 0; batch < 15; ++batch) {
            for (int n = 0; n < 10000; ++n)
                m.append(record(batch * 10000 + n));
            m.flush();
        }
        qInfo("150000 frames through the ring in %lld ms", t.elapsed());
        QCOMPARE(m.rowCount(), TraceModel::DefaultCapacity);
        QCOMPARE(m.record(0).time, qint64(1000 + 50000));
        QCOMPARE(m.record(m.rowCount() - 1).time, qint64(1000 + 149999));
    }

    void windowRecordsOnlyWhileOpen()
    {
        LoopbackPeer peer;
        QVERIFY(peer.isReady());
        TraceWindow w;
        QVERIFY(!FrameTrace::isInstalled());
        w.show();
        QVERIFY(FrameTrace::isInstalled());
        sendPacket(3, 11, 1, 0);
        QTRY_COMPARE(w.model()->rowCount(), 1);
        QCOMPARE(w.model()->lineAt(0).mid(13), QStringLiteral("TX   3  11   1   00     0  "
                                                              "OutputLevel.Meter"));
        // Filtered by the module box: the output level is not the input level.
        w.moduleBox()->setCurrentIndex(w.moduleBox()->findText(QStringLiteral("InputLevel (3/1)")));
        QCOMPARE(w.model()->rowCount(), 0);
        w.moduleBox()->setCurrentIndex(0);
        QCOMPARE(w.model()->rowCount(), 1);

        w.close();
        QVERIFY(!FrameTrace::isInstalled());
        sendPacket(3, 11, 1, 0);
        QVERIFY(peer.waitForFrames(2));
        w.model()->flush();
        QCOMPARE(w.model()->rowCount(), 1);
    }

    // A login and a password change show their length, never the password:
    // not in the table, its tooltip, a copied or saved text.
    void passwordsAreNeitherShownNorSaved()
    {
        const QByteArray secret("S3cretPw!");
        const QString hex = QString::fromLatin1(secret.toHex(' ').toUpper());
        ScratchDir dir;
        AnsweringPrompt prompt;
        LoopbackPeer peer;
        QVERIFY(peer.isReady());
        TraceWindow w;
        w.show();
        sendPacket(Proto::OpSystem, Proto::SysModule::Login, Proto::LoginCmd::Login,
                   Proto::FlagWrite, secret);
        sendPacket(Proto::OpSystem, Proto::SysModule::Settings, Proto::SettingsCmd::Password,
                   Proto::FlagWrite, secret + secret);
        QTRY_COMPARE(w.model()->rowCount(), 2);
        // A record that reached the model another way is shown the same.
        FrameTrace::Record made = w.model()->record(0);
        made.frame.payload = secret;
        w.model()->append(made);
        w.model()->flush();
        QCOMPARE(w.model()->rowCount(), 3);
        for (int row = 0; row < 3; ++row) {
            for (int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole)}) {
                const QString shown =
                    w.model()->index(row, TraceModel::PayloadColumn).data(role).toString();
                QVERIFY2(!shown.contains(hex) && !shown.contains(QLatin1String(secret)),
                         qPrintable(shown));
            }
            QVERIFY(!w.model()->lineAt(row).contains(hex));
        }
        QCOMPARE(w.model()->index(1, TraceModel::LengthColumn).data().toInt(), 18);
        QVERIFY(w.model()->lineAt(1).contains(QStringLiteral("18 bytes hidden")));

        prompt.file = dir.filePath(QStringLiteral("trace.txt"));
        w.saveAs();
        const QByteArray saved = dir.readFile(QStringLiteral("trace.txt"));
        QCOMPARE(saved.count('\n'), 4);
        QVERIFY(!saved.contains(hex.toLatin1()) && !saved.contains(secret));
        QVERIFY(!w.text().contains(hex));
        setCurrentSocket(nullptr);
    }

    void savesTheShownRowsAsText()
    {
        ScratchDir dir;
        AnsweringPrompt prompt;
        TraceWindow w;
        w.model()->append(record(1));
        w.model()->append(record(2, 2, 2));
        w.model()->flush();
        prompt.file = dir.filePath(QStringLiteral("trace.txt"));
        w.saveAs();
        const QStringList lines = QString::fromUtf8(dir.readFile(QStringLiteral("trace.txt")))
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], FrameTrace::heading());
        QCOMPARE(lines[2], w.model()->lineAt(1));
        QVERIFY(prompt.shown.isEmpty());

        prompt.file = dir.filePath(QStringLiteral("no/such/folder/trace.txt"));
        w.saveAs();
        QCOMPARE(prompt.shown.size(), 1);
        QVERIFY(prompt.shown.first().contains(QStringLiteral("could not be saved")));
    }
};

QTEST_MAIN(TestTraceWindow)
#include "tst_tracewindow.moc"
