// The parts of the control server that need no unit: its command line, the
// meter paths and the matching of pipelined reads with their answers.

#include "dapd/dapdoptions.h"
#include "dapd/meterpaths.h"
#include "dapd/paths.h"
#include "tests/support/testsupport.h"
#include "unitlink/readqueue.h"

#include <QTest>

class TestDapdParts : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("parsed");
        QTest::addColumn<QString>("listen");
        QTest::addColumn<int>("units");
        const int run = int(DapdOptions::Parsed::Run), error = int(DapdOptions::Parsed::Error);
        QTest::newRow("defaults") << QStringList{} << run << "127.0.0.1:6790" << 0;
        QTest::newRow("listen") << QStringList{"--listen", "10.0.0.5:7000"} << run
                                << "10.0.0.5:7000" << 0;
        QTest::newRow("ipv6") << QStringList{"--listen", "[::1]:7000"} << run << "::1:7000" << 0;
        QTest::newRow("localhost")
            << QStringList{"--listen", "localhost:7000"} << run << "127.0.0.1:7000" << 0;
        QTest::newRow("units") << QStringList{"--unit", "10.20.0.15", "--unit", "10.20.0.16"} << run
                               << "127.0.0.1:6790" << 2;
        QTest::newRow("help") << QStringList{"--unit", "1.2.3.4", "--help"}
                              << int(DapdOptions::Parsed::Help) << "" << 0;
        QTest::newRow("no port") << QStringList{"--listen", "127.0.0.1"} << error << "" << 0;
        QTest::newRow("port too large")
            << QStringList{"--listen", "127.0.0.1:65536"} << error << "" << 0;
        QTest::newRow("port not a number")
            << QStringList{"--listen", "127.0.0.1:+80"} << error << "" << 0;
        QTest::newRow("bad address") << QStringList{"--listen", "300.0.0.1:80"} << error << "" << 0;
        QTest::newRow("unit a name") << QStringList{"--unit", "hall"} << error << "" << 0;
        QTest::newRow("value missing") << QStringList{"--unit"} << error << "" << 0;
        QTest::newRow("unit port zero") << QStringList{"--unit-port", "0"} << error << "" << 0;
        QTest::newRow("no password option") << QStringList{"--password", "x"} << error << "" << 0;
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, parsed);
        QFETCH(QString, listen);
        QFETCH(int, units);
        DapdOptions options;
        QString error;
        QCOMPARE(int(options.parse(args, error)), parsed);
        QCOMPARE(error.isEmpty(), parsed != int(DapdOptions::Parsed::Error));
        if (parsed != int(DapdOptions::Parsed::Run))
            return;
        QCOMPARE(
            QStringLiteral("%1:%2").arg(options.listenAddress.toString()).arg(options.listenPort),
            listen);
        QCOMPARE(options.units.size(), units);
    }

    void meterPaths_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::newRow("one") << "meter.output.3" << 1 << "meter.output.3";
        QTest::newRow("a group") << "meter.premix.*" << 16 << "meter.premix.1";
        QTest::newRow("a group without *") << "meter.outputpre" << 16 << "meter.outputpre.1";
        QTest::newRow("a channel of every group") << "meter.*.16" << 4 << "meter.input.16";
        QTest::newRow("every meter") << "meter.*" << 64 << "meter.input.1";
        QTest::newRow("channel 0") << "meter.input.0" << 0 << "";
        QTest::newRow("channel 17") << "meter.input.17" << 0 << "";
        QTest::newRow("not a number") << "meter.input.1x" << 0 << "";
        QTest::newRow("unknown group") << "meter.side.1" << 0 << "";
        QTest::newRow("too deep") << "meter.input.1.peak" << 0 << "";
        QTest::newRow("a parameter") << "output.3.gain" << 1 << "output.3.gain";
    }
    void meterPaths()
    {
        QFETCH(QString, pattern);
        QFETCH(int, count);
        QFETCH(QString, first);
        QString error;
        const QVector<Model::ParamId> ids = Paths::expand(pattern, &error);
        QCOMPARE(ids.size(), count);
        QCOMPARE(error.isEmpty(), count > 0);
        if (count == 0)
            return;
        QCOMPARE(Paths::path(ids.first()), first);
        // A meter's path names it again; only parameters may be set.
        for (const Model::ParamId &id : ids) {
            QCOMPARE(Paths::expand(Paths::path(id), nullptr), QVector<Model::ParamId>{id});
            QCOMPARE(Paths::whyNotWritable(id).isEmpty(), !MeterPaths::isMeter(id));
        }
    }

    void meterAnswersAreCheckedBeforeUse()
    {
        qint8 levels[16] = {};
        const QByteArray sixteen = QByteArray::fromHex("9c00f6") + QByteArray(13, 0);
        const Proto::Frame good = frameOf(3, 11, 8, Proto::FlagAnswer, sixteen);
        QCOMPARE(MeterPaths::groupOfAnswer(good), 3);
        QVERIFY(MeterPaths::levels(good, levels));
        QCOMPARE(int(levels[0]), -100);
        QCOMPARE(int(levels[2]), -10);
        QVERIFY(
            !MeterPaths::levels(frameOf(3, 11, 8, Proto::FlagAnswer, sixteen.left(15)), levels));
        QVERIFY(!MeterPaths::levels(frameOf(3, 11, 8, Proto::FlagRefused, sixteen), levels));
        QCOMPARE(MeterPaths::groupOfAnswer(frameOf(3, 11, 2, Proto::FlagAnswer, sixteen)), -1);
    }

    // Answers are taken by the oldest read of their command whose selector
    // they repeat; a refusal repeats nothing.
    void readsAreMatchedWithTheirAnswers_data()
    {
        QTest::addColumn<QByteArray>("answerPayload");
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("tag");
        QTest::newRow("channel 2") << QByteArray::fromHex("02aa") << int(Proto::FlagAnswer) << 1;
        QTest::newRow("channel 0, the oldest")
            << QByteArray::fromHex("00aa") << int(Proto::FlagAnswer) << 0;
        QTest::newRow("a channel not asked")
            << QByteArray::fromHex("05aa") << int(Proto::FlagAnswer) << -1;
        QTest::newRow("a refusal") << QByteArray() << int(Proto::FlagRefused) << 0;
        QTest::newRow("a write's echo")
            << QByteArray::fromHex("02aa") << int(Proto::FlagWrite) << -1;
    }
    void readsAreMatchedWithTheirAnswers()
    {
        QFETCH(QByteArray, answerPayload);
        QFETCH(int, flag);
        QFETCH(int, tag);
        ReadQueue q;
        q.sent(ReadQueue::fromFrame(frameOf(3, 4, 3, 0, QByteArray::fromHex("00"))), 0);
        q.sent(ReadQueue::fromFrame(frameOf(3, 4, 3, 0, QByteArray::fromHex("02"))), 1);
        q.sent(ReadQueue::fromFrame(frameOf(3, 4, 1, 0)), 2);
        QCOMPARE(q.take(frameOf(3, 4, 3, quint8(flag), answerPayload)), tag);
        QCOMPARE(q.waiting(), tag < 0 ? 3 : 2);
        // Another command's answer takes its own read, whatever its payload.
        QCOMPARE(q.take(frameOf(3, 4, 1, Proto::FlagAnswer, answerPayload)), 2);
        QCOMPARE(q.take(frameOf(3, 4, 1, Proto::FlagAnswer, answerPayload)), -1);
    }
};

QTEST_MAIN(TestDapdParts)
#include "tst_dapdparts.moc"
