// Runs of identical log lines are written once plus a count, so a stream of
// junk cannot flood the log.

#include "protocol/logcompressor.h"
#include "protocol/protocollog.h"
#include "protocol/streamsplitter.h"

#include <QStringList>
#include <QTest>

namespace {
QStringList g_lines;
void capture(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_lines.append(message);
}
} // namespace

class TestLogCompressor : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        g_lines.clear();
        qInstallMessageHandler(capture);
        LogCompressor::install(100);
        const_cast<QLoggingCategory &>(lcProtocol()).setEnabled(QtDebugMsg, true);
    }
    void cleanup()
    {
        LogCompressor::uninstall();
        qInstallMessageHandler(nullptr);
        const_cast<QLoggingCategory &>(lcProtocol()).setEnabled(QtDebugMsg, false);
    }

    void junkIsOneLinePlusACount()
    {
        StreamSplitter splitter([](const Proto::Frame &) {});
        splitter.feed(QByteArray(5000, 'x')); // junk, then a quiet line ends the run
        qCDebug(lcProtocol, "PacketTailer Error!!! len=12");
        QCOMPARE(g_lines.size(), 3);
        QCOMPARE(g_lines.at(0), QStringLiteral("PacketHeader Error!!!"));
        // The splitter keeps the last 10 bytes for a frame that may still come.
        QCOMPARE(g_lines.at(1), QStringLiteral("(the line above repeated 4989 more times)"));
        QCOMPARE(g_lines.at(2), QStringLiteral("PacketTailer Error!!! len=12"));
    }

    void aQuietSpellEndsTheRun()
    {
        for (int i = 0; i < 3; ++i)
            qCDebug(lcProtocol, "same");
        QCOMPARE(g_lines, QStringList{QStringLiteral("same")});
        QTRY_COMPARE(g_lines.size(), 2);
        QCOMPARE(g_lines.at(1), QStringLiteral("(the line above repeated 2 more times)"));
        qCDebug(lcProtocol, "same"); // a new run starts with the line itself
        QCOMPARE(g_lines.size(), 3);
    }

    void differentLinesPassAsTheyCome()
    {
        qCDebug(lcProtocol, "a");
        qCDebug(lcProtocol, "b");
        qCWarning(lcProtocol, "b"); // another kind of line is another run
        qCDebug(lcProtocol, "a");
        QCOMPARE(g_lines, (QStringList{"a", "b", "b", "a"}));
    }
};

QTEST_MAIN(TestLogCompressor)
#include "tst_logcompressor.moc"
