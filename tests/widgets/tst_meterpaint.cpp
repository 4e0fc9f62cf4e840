// What the meters draw when levels move: a meter draws only the segments that
// went on or off and ends up exactly as a meter drawn whole; the meter panel
// does no work while hidden and catches up when shown.

#include "tests/support/testsupport.h"
#include "widgets/meterbank.h"
#include "widgets/meterwidget.h"
#include "widgets/qmeter.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

#include <memory>

namespace {

// Records the areas a widget is asked to paint.
class PaintRecorder final : public QObject
{
public:
    explicit PaintRecorder(QWidget *w) { w->installEventFilter(this); }
    QVector<QRect> rects;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            rects.append(static_cast<QPaintEvent *>(event)->rect());
        return false;
    }
};

// What the window shows of `w` (its backing store), not a fresh drawing.
QImage onScreen(QWidget *w)
{
    QWidget *top = w->window();
    const QPoint at = w->mapTo(top, QPoint(0, 0));
    return top->windowHandle()
        ->screen()
        ->grabWindow(top->winId(), at.x(), at.y(), w->width(), w->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage drawnWhole(bool topDown, int value)
{
    QMeter fresh;
    fresh.resize(20, 160);
    fresh.setRange(-40, 24);
    fresh.setTopDown(topDown);
    fresh.setValue(value);
    return fresh.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestMeterPaint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_scratch = std::make_unique<ScratchDir>();
        QSettings{QStringLiteral("Tarnvale"), QStringLiteral("KR")}.clear();
    }

    void aLevelWithinASegmentDrawsNothing()
    {
        QWidget window;
        auto *meter = new QMeter(&window);
        meter->setGeometry(0, 0, 20, 160);
        meter->setRange(-40, 24);
        meter->setValue(-40);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PaintRecorder paints(meter);

        meter->setValue(-2); // 26 segments over 64 dB: -2 and -1 light the same
        QTest::qWait(20);
        paints.rects.clear();
        meter->setValue(-1);
        QTest::qWait(20);
        QVERIFY(paints.rects.isEmpty());

        meter->setValue(10); // lights more segments: only those are drawn
        QTRY_VERIFY(!paints.rects.isEmpty());
        const QRect drawn = paints.rects.last();
        QVERIFY(drawn.height() < meter->height() / 2);
        QVERIFY(drawn.contains(meter->segmentRect(17)));
        QVERIFY(!drawn.intersects(meter->segmentRect(0)));
        QVERIFY(!drawn.intersects(meter->segmentRect(25)));
    }

    void partialDrawingEndsAsAWholeDrawing_data()
    {
        QTest::addColumn<bool>("topDown");
        QTest::addColumn<QVector<int>>("levels");
        const QVector<int> moves{-40, -12, -11, 24, 23, 0, -39, 30, -100, 5, -20};
        QTest::newRow("bottom up") << false << moves;
        QTest::newRow("top down") << true << moves;
    }

    void partialDrawingEndsAsAWholeDrawing()
    {
        QFETCH(bool, topDown);
        QFETCH(QVector<int>, levels);
        QWidget window;
        auto *meter = new QMeter(&window);
        meter->setGeometry(0, 0, 20, 160);
        meter->setRange(-40, 24);
        meter->setTopDown(topDown);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (int level : levels) {
            meter->setValue(level);
            QTest::qWait(20); // drawn from the event loop, as on screen
            QTRY_COMPARE(onScreen(meter), drawnWhole(topDown, meter->value()));
        }
    }

    // A bank of meters draws a round of new levels in one paint, of the
    // segments and numbers that changed only, and ends up as a bank drawn whole.
    void bankDrawsARoundAtOnceAndEndsAsAWholeDrawing()
    {
        const auto wholeBank = [](const QVector<int> &levels, int floor) {
            MeterBank fresh(4, QStringLiteral("I%1"));
            fresh.resize(120, 140);
            fresh.setRange(floor, 24);
            for (int c = 0; c < levels.size(); ++c)
                fresh.setLevel(c, levels[c]);
            return fresh.grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        QWidget window;
        auto *bank = new MeterBank(4, QStringLiteral("I%1"), &window);
        bank->setGeometry(0, 0, 120, 140);
        bank->setRange(-40, 24);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PaintRecorder paints(bank);
        const QVector<QVector<int>> rounds{
            {-40, -12, 24, 0}, {-39, -12, 23, 30}, {-100, 5, -20, -11}, {-100, 5, -20, -11}};
        for (const QVector<int> &levels : rounds) {
            QTest::qWait(20);
            paints.rects.clear();
            if (levels[0] == -100) { // one by one, as single updates
                for (int c = 0; c < levels.size(); ++c)
                    bank->setLevel(c, levels[c]);
            } else {
                bank->setLevels(levels.constData(), levels.size());
            }
            QTest::qWait(20);
            QTRY_COMPARE(onScreen(bank), wholeBank(levels, -40));
            QVERIFY(paints.rects.size() <= 1); // the round in one paint
            // Each bar is the bar a single meter draws for its level.
            const QImage shown = onScreen(bank);
            for (int c = 0; c < levels.size(); ++c) {
                const QRect bar = bank->barRect(c);
                QImage single(bar.size(), QImage::Format_RGB32);
                QPainter painter(&single);
                const QRect whole(QPoint(0, 0), bar.size());
                QMeter::paintBar(
                    painter, whole, whole, MeterBank::Segments,
                    QMeter::litSegments(bank->barValue(c), -40, 24, MeterBank::Segments),
                    QMeter::firstUpperSegment(0, -40, 24, MeterBank::Segments), false);
                painter.end();
                QCOMPARE(shown.copy(bar), single);
            }
        }
        QVERIFY(paints.rects.isEmpty()); // the same levels again draw nothing
        QCOMPARE(bank->numberText(0), QStringLiteral("-40"));
        QCOMPARE(bank->barValue(3), -11);

        // A lower floor shows the level below the old one, in the bar and the number.
        bank->setRange(-100, 24);
        QTest::qWait(20);
        QCOMPARE(bank->numberText(0), QStringLiteral("-100"));
        QTRY_COMPARE(onScreen(bank), wholeBank(rounds.last(), -100));
        bank->setLevel(4, 3); // no such channel
        QCOMPARE(bank->level(4), -100);
    }

    // Captions never run into their neighbours, whatever the font: a font
    // too wide for the columns is made smaller for the captions only.
    void captionsFitTheirColumns()
    {
        MeterBank bank(16, QStringLiteral("O%1"));
        QFont wide = bank.font();
        wide.setPointSize(14);
        bank.setFont(wide);
        bank.resize(16 * 20, 140);
        bank.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bank));
        const QFont fitted = bank.captionFont();
        QVERIFY(fitted.pointSizeF() < wide.pointSizeF());
        QVERIFY(QFontMetrics(fitted).horizontalAdvance(QStringLiteral("O16")) <= 19);
        bank.resize(16 * 80, 140);
        QTRY_COMPARE(bank.width(), 16 * 80);
        QCOMPARE(bank.captionFont().pointSizeF(), wide.pointSizeF());
    }

    void hiddenPanelDoesNoWorkAndCatchesUp()
    {
        MeterWidget panel;
        panel.setInPostFader(2, -12);
        panel.setOutPreFader(15, 30);
        panel.toggleFloor(); // -100
        panel.setOutPostFader(0, -70);
        // Nothing is made for a panel never shown.
        QVERIFY(panel.findChildren<QMeter *>().isEmpty());

        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        const auto meters = panel.findChildren<QMeter *>();
        QCOMPARE(meters.size(), MeterWidget::kRows * MeterWidget::kChannels);
        QCOMPARE(panel.meter(MeterWidget::InputPostFader, 2)->value(), -12);
        QCOMPARE(panel.meter(MeterWidget::OutputPreFader, 15)->value(), 24);
        QCOMPARE(panel.meter(MeterWidget::OutputPostFader, 0)->value(), -70);
        QCOMPARE(panel.meter(MeterWidget::OutputPostFader, 0)->minimum(), -100);
        QCOMPARE(panel.numberText(MeterWidget::OutputPostFader, 0), QStringLiteral("-70"));

        // Hidden again, levels wait; shown, they are all there.
        const QMeter *watched = panel.meter(MeterWidget::InputPreFader, 7);
        panel.hide();
        panel.setInPreFader(7, 3);
        panel.toggleFloor(); // -40
        QCOMPARE(watched->value(), -40);
        QCOMPARE(watched->minimum(), -100);
        panel.show();
        QCOMPARE(watched->value(), 3);
        QCOMPARE(watched->minimum(), -40);
        QCOMPARE(panel.numberText(MeterWidget::OutputPostFader, 0), QStringLiteral("-40"));
    }

private:
    std::unique_ptr<ScratchDir> m_scratch;
};

QTEST_MAIN(TestMeterPaint)
#include "tst_meterpaint.moc"
