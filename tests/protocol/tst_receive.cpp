// The receive path: frames cut out of a stream in arbitrary pieces, junk and
// broken tails skipped with their log lines, and routing by op and module.

#include "protocol/packetrouter.h"
#include "protocol/streamsplitter.h"
#include "tests/support/testsupport.h"

#include <QRandomGenerator>
#include <QTest>

namespace {
QByteArray frame(quint8 op, quint8 module, quint8 cmd, const QByteArray &payload = {})
{
    return Proto::makeFrame(1, op, module, cmd, 0x80, payload);
}
} // namespace

class TestReceive : public QObject
{
    Q_OBJECT

private slots:
    void twoFramesInOnePiece()
    {
        FrameCollector c;
        c.feed(frame(3, 1, 2, QByteArray(16, 1)) + frame(3, 11, 1, QByteArray(16, 2)));
        QCOMPARE(c.frames.size(), 2);
        QCOMPARE(int(c.frames[0].module), 1);
        QCOMPARE(int(c.frames[1].module), 11);
        QCOMPARE(c.frames[1].payload, QByteArray(16, 2));
        QCOMPARE(int(c.frames[1].length), 16);
        QCOMPARE(int(c.frames[1].flag), 0x80);
    }

    void frameSplitAcrossThreePieces()
    {
        const QByteArray f = frame(2, 2, 13, QByteArray(12, 7));
        FrameCollector c;
        c.feed(f.left(3));
        c.feed(f.mid(3, 10));
        QCOMPARE(c.frames.size(), 0);
        c.feed(f.mid(13));
        QCOMPARE(c.frames.size(), 1);
        QCOMPARE(c.frames[0].payload, QByteArray(12, 7));
    }

    void tenBytesWaitForTheRest()
    {
        const QByteArray f = frame(3, 3, 1);
        QCOMPARE(f.size(), 12);
        FrameCollector c;
        c.feed(f.left(10));
        QCOMPARE(c.frames.size(), 0);
        c.feed(f.mid(10));
        QCOMPARE(c.frames.size(), 1);
    }

    void junkBeforeFrameIsLoggedPerByte()
    {
        ProtocolLogCounter headerErrors("PacketHeader Error!!!");
        FrameCollector c;
        c.feed(hexBytes("01 02 03") + frame(3, 1, 1, QByteArray(16, 0)));
        QCOMPARE(headerErrors.count(), 3);
        QCOMPARE(c.frames.size(), 1);
    }

    void wrongTailDropsWholeFrame()
    {
        ProtocolLogCounter tailErrors("PacketTailer Error!!! len=");
        QByteArray bad = frame(3, 1, 2, QByteArray(16, 1));
        bad[bad.size() - 1] = 0x00;
        const QByteArray good = frame(3, 1, 3, QByteArray(64, 0));
        FrameCollector c;
        c.feed(bad + good);
        QCOMPARE(tailErrors.count(), 1);
        QCOMPARE(c.frames.size(), 1);
        QCOMPARE(int(c.frames[0].cmd), 3);
    }

    void tailErrorReportsBufferedSize()
    {
        QByteArray bad = frame(3, 1, 2, QByteArray(4, 1));
        bad[bad.size() - 2] = 0x00;
        const QByteArray rest = frame(3, 1, 3);
        ProtocolLogCounter tailErrors("PacketTailer Error!!! len=");
        FrameCollector c;
        c.feed(bad + rest);
        QCOMPARE(tailErrors.lastMessage(),
                 QStringLiteral("PacketTailer Error!!! len=%1").arg(bad.size() + rest.size()));
    }

    // The results of the byte-at-a-time loop over random streams: same frames,
    // same number of header errors, however the stream is cut into pieces.
    void matchesReferenceLoop()
    {
        QRandomGenerator rng(1234);
        for (int round = 0; round < 200; ++round) {
            QByteArray stream;
            for (int i = 0; i < 20; ++i) {
                switch (rng.bounded(5)) {
                case 0: {
                    QByteArray junk(int(rng.bounded(1, 30)), Qt::Uninitialized);
                    for (char &ch : junk)
                        ch = char(rng.bounded(256));
                    stream += junk;
                    break;
                }
                case 1: {
                    QByteArray f = frame(3, 1, 2, QByteArray(int(rng.bounded(0, 40)), 'a'));
                    f[f.size() - 1] = 0x11; // broken tail
                    stream += f;
                    break;
                }
                default:
                    stream += frame(3, quint8(rng.bounded(1, 18)), 1,
                                    QByteArray(int(rng.bounded(0, 100)), char(i)));
                }
            }
            const auto expected = referenceSplit(stream);
            ProtocolLogCounter headerErrors("PacketHeader Error!!!");
            FrameCollector c;
            for (int pos = 0; pos < stream.size();) {
                const int n = int(rng.bounded(1, 64));
                c.feed(stream.mid(pos, n));
                pos += n;
            }
            QCOMPARE(c.frames.size(), expected.first.size());
            for (int i = 0; i < c.frames.size(); ++i)
                QCOMPARE(c.frames[i].payload, expected.first[i]);
            QCOMPARE(headerErrors.count(), expected.second);
        }
    }

    void largePiecesAndLongJunk()
    {
        QByteArray stream(1 << 20, '\x33'); // 1 MiB of junk
        for (int i = 0; i < 5000; ++i)
            stream += frame(2, 1 + i % 4, 2, QByteArray(545, char(i)));
        FrameCollector c;
        c.feed(stream);
        QCOMPARE(c.frames.size(), 5000);
        QCOMPARE(c.frames.last().payload, QByteArray(545, char(4999)));
        QVERIFY(c.bufferedSize() == 0);
    }

    void clearForgetsPartialFrame()
    {
        const QByteArray f = frame(3, 1, 2, QByteArray(16, 1));
        FrameCollector c;
        c.feed(f.left(20));
        c.clear();
        c.feed(f);
        QCOMPARE(c.frames.size(), 1);
    }

    // A sink may feed or clear the splitter (a nested event loop, a new
    // connection) without corrupting what is being parsed.
    void sinkMayFeedAndClear()
    {
        const QByteArray a = frame(3, 1, 1, QByteArray(16, 1));
        const QByteArray b = frame(3, 1, 2, QByteArray(16, 2));
        const QByteArray c = frame(3, 1, 3, QByteArray(64, 3));
        QVector<int> seen;
        StreamSplitter *self = nullptr;
        StreamSplitter splitter([&](const Proto::Frame &f) {
            seen.append(f.cmd);
            if (f.cmd == 1)
                self->feed(c); // arrives while the first piece is parsed
        });
        self = &splitter;
        splitter.feed(a); // the stream is a, then c (fed from the sink), then b
        splitter.feed(b);
        QCOMPARE(seen, (QVector<int>{1, 3, 2}));

        seen.clear();
        StreamSplitter clearing([&](const Proto::Frame &f) {
            seen.append(f.cmd);
            if (f.cmd == 1)
                self->clear(); // a new connection: the rest is stale
        });
        self = &clearing;
        clearing.feed(QByteArray(3, 'x') + a + b + c.left(20));
        QCOMPARE(seen, QVector<int>{1});
        QCOMPARE(clearing.bufferedSize(), 0);
        clearing.feed(b);
        QCOMPARE(seen, (QVector<int>{1, 2}));
    }

    void routesByOpAndModule()
    {
        PacketRouter router;
        QStringList seen;
        router.setRoute(
            2, 1, [&](const Proto::Frame &f) { seen << QStringLiteral("login %1").arg(f.cmd); });
        router.setFallback(
            2, [&](const Proto::Frame &f) { seen << QStringLiteral("system %1").arg(f.module); });
        router.setRoute(3, 1, [&](const Proto::Frame &) { seen << QStringLiteral("in level"); });
        router.setRoute(1, 2, [&](const Proto::Frame &) { seen << QStringLiteral("dsp fw"); });

        StreamSplitter splitter([&](const Proto::Frame &f) { router.dispatch(f); });
        splitter.feed(frame(2, 1, 1, hexBytes("00")) + frame(2, 3, 1) + frame(3, 1, 2) +
                      frame(3, 20, 1) + frame(1, 2, 1) + frame(1, 3, 1) + frame(4, 1, 1) +
                      frame(0, 1, 1));
        QCOMPARE(seen, (QStringList{QStringLiteral("login 1"), QStringLiteral("system 3"),
                                    QStringLiteral("in level"), QStringLiteral("dsp fw")}));
        QVERIFY(!router.hasRoute(3, 20));
        router.setRoute(3, 1, {});
        QVERIFY(!router.hasRoute(3, 1));
    }

private:
    // The classic loop, written as plainly as possible, as the reference.
    static QPair<QVector<QByteArray>, int> referenceSplit(QByteArray buf)
    {
        QVector<QByteArray> payloads;
        int headerErrors = 0;
        while (buf.size() >= 11) {
            if (uchar(buf[0]) != 0x82 || uchar(buf[1]) != 0x7D) {
                ++headerErrors;
                buf.remove(0, 1);
                continue;
            }
            const int len = uchar(buf[8]) | (uchar(buf[9]) << 8);
            if (buf.size() < len + 12)
                break;
            if (uchar(buf[10 + len]) == 0x7D && uchar(buf[11 + len]) == 0x82)
                payloads.append(buf.mid(10, len));
            buf.remove(0, len + 12);
        }
        return {payloads, headerErrors};
    }
};

QTEST_GUILESS_MAIN(TestReceive)
#include "tst_receive.moc"
