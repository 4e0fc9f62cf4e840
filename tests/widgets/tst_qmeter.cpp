// The segmented meter: which segments light up and in which colour, in both
// directions, and that it repaints only when its value changes.

#include "tests/widgets/widgettest.h"
#include "widgets/qmeter.h"

#include <QTest>

namespace {
class PaintCounter final : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};
} // namespace

class TestQMeter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void segments_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<bool>("topDown");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("lit");
        QTest::addColumn<int>("firstUpper");

        // Range -40..24 with 26 segments: 0 dB reaches 16.25 segments.
        QTest::newRow("0 dB") << 0 << 0 << false << 0 << 17 << 17;
        QTest::newRow("0 dB top down") << 0 << 0 << true << 0 << 17 << 17;
        QTest::newRow("floor") << -40 << 0 << false << -40 << 0 << 17;
        QTest::newRow("above the top is clamped") << 30 << 0 << false << 24 << 26 << 17;
        QTest::newRow("below the floor is clamped") << -70 << 0 << true << -40 << 0 << 17;
        QTest::newRow("threshold at -8") << -8 << -8 << false << -8 << 13 << 13;
        QTest::newRow("threshold above the range") << 24 << 100 << true << 24 << 26 << 26;
    }

    void segments()
    {
        QFETCH(int, value);
        QFETCH(int, threshold);
        QFETCH(bool, topDown);
        QFETCH(int, shown);
        QFETCH(int, lit);
        QFETCH(int, firstUpper);

        QMeter meter;
        meter.setRange(-40, 24);
        meter.setThreshold(threshold);
        meter.setTopDown(topDown);
        meter.setValue(value);
        QCOMPARE(meter.value(), shown);

        // 157 pixels high: segments of 5 pixels with 1-pixel gaps.
        meter.setFixedSize(20, 157);
        const QImage image = meter.grab().toImage();
        for (int i = 0; i < 26; ++i) {
            const int y = topDown ? 3 + 6 * i : 153 - 6 * i;
            const bool upper = i >= firstUpper;
            const QColor expected = i < lit ? (upper ? QColor(255, 255, 0) : QColor(0, 255, 0))
                                            : (upper ? QColor(84, 87, 39) : QColor(38, 90, 41));
            QCOMPARE(image.pixelColor(10, y), expected);
            QCOMPARE(image.pixelColor(10, topDown ? y + 3 : y - 3), QColor(Qt::black));
        }
    }

    void repaintsOnlyOnChange()
    {
        QMeter meter;
        meter.setRange(-40, 24);
        meter.setValue(-40);
        PaintCounter counter;
        meter.installEventFilter(&counter);
        meter.show();
        QVERIFY(QTest::qWaitForWindowExposed(&meter));
        QTRY_VERIFY(counter.count > 0);

        counter.count = 0;
        meter.setValue(-40);
        meter.setValue(-55); // clamps to the same -40
        meter.setThreshold(0);
        meter.setRange(-40, 24);
        QTest::qWait(50);
        QCOMPARE(counter.count, 0);

        meter.setValue(-10);
        QTRY_VERIFY(counter.count > 0);
    }
};

QTEST_MAIN(TestQMeter)
#include "tst_qmeter.moc"
