// The checked reader every receiver goes through: nothing is read before the
// flag and the length were checked, nothing past the payload, and values that
// drive controls come out finite, in range, or not at all.

#include "protocol/answerreader.h"
#include "protocol/lebytes.h"
#include "tests/support/testsupport.h"

#include <QTest>

#include <limits>

class TestAnswerReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void lengthAndFlagAreCheckedBeforeReading_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("payloadSize");
        QTest::addColumn<bool>("exact4");
        QTest::addColumn<bool>("atLeast3");
        QTest::newRow("answer of 4") << 0x80 << 4 << 4 << true << true;
        QTest::newRow("answer of 5") << 0x80 << 5 << 5 << false << true;
        QTest::newRow("answer of 2") << 0x80 << 2 << 2 << false << false;
        QTest::newRow("write echo") << 0x01 << 4 << 4 << false << false;
        QTest::newRow("refusal") << 0x82 << 4 << 4 << false << false;
        QTest::newRow("length disagrees") << 0x80 << 4 << 3 << false << false;
    }

    void lengthAndFlagAreCheckedBeforeReading()
    {
        QFETCH(int, flag);
        QFETCH(int, length);
        QFETCH(int, payloadSize);
        QFETCH(bool, exact4);
        QFETCH(bool, atLeast3);
        const QByteArray payload(payloadSize, char(7));
        AnswerReader r(quint8(flag), quint16(length), payload);
        QCOMPARE(r.u8(0), quint8(0)); // nothing before a check
        QCOMPARE(r.exact(4), exact4);
        QCOMPARE(r.u8(0), quint8(exact4 ? 7 : 0));
        QCOMPARE(r.atLeast(3), atLeast3);
        QCOMPARE(r.size(), atLeast3 ? payloadSize : 0);
    }

    void readsStayInsideThePayload()
    {
        const QByteArray payload = Le::bytes(quint8(1), quint16(0x0302), 1.5f);
        AnswerReader r(0x80, 7, payload);
        QVERIFY(r.exact(7));
        QCOMPARE(r.u16(1), quint16(0x0302));
        QCOMPARE(r.f32(3), 1.5f);
        QCOMPARE(r.f32(4), 0.0f); // would run one byte past the end
        QCOMPARE(r.u32(-1), 0u);
        QVERIFY(r.bytes(5, 3).isEmpty());
        QCOMPARE(r.text(0, 16).size(), 3); // a field ends at its first NUL
        QCOMPARE(r.text(5, 16).size(), 2); // ... or with the payload
    }

    void checkedValues()
    {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float inf = std::numeric_limits<float>::infinity();
        const QByteArray payload =
            Le::bytes(quint8(16), quint8(15), nan, inf, -200.0f, 0.5f, -2.5f, 99.9f);
        AnswerReader r(0x80, quint16(payload.size()), payload);
        QVERIFY(r.exact(payload.size()));
        QVERIFY(!r.index(0, 16)); // 16 outputs: 0..15
        QCOMPARE(*r.index(1, 16), quint8(15));
        QVERIFY(!r.real(2, -120, 0));
        QVERIFY(!r.truncated(6, -120, 0));         // infinity is skipped, not clamped
        QCOMPARE(*r.truncated(10, -120, 0), -120); // clamped before it is a whole number
        QCOMPARE(*r.truncated(14, 1, 100), 1);     // a ratio of 0.5 is 1
        QCOMPARE(*r.truncated(18, -10, 10), -2);   // toward zero
        QCOMPARE(*r.rounded(18, -10, 10), -3);     // halves away from zero
        QCOMPARE(*r.rounded(22, 0, 24000), 100);
        QCOMPARE(Proto::clampToInt(1e30, -70, 12, 0), 12);
        QCOMPARE(Proto::clampToInt(double(nan), -70, 12, -30), -30);
    }
};

QTEST_MAIN(TestAnswerReader)
#include "tst_answerreader.moc"
