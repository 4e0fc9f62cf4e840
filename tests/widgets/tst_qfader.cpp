// The fader: the two-part scale puts 0 at upper/total of the travel, a drag
// that starts on the handle moves it, the wheel moves one step per event.

#include "tests/widgets/widgettest.h"
#include "widgets/qfader.h"

#include <QSignalSpy>
#include <QTest>

namespace {
// 55 x 172 gives a travel of 129 pixels: 0 of -56..12 sits 43 pixels down.
void setUp(QFader &fader, float minimum, float maximum)
{
    fader.setDecimals(1);
    fader.setRange(minimum, maximum);
    fader.setStep(0.1f);
    fader.setFixedSize(55, 172);
}
} // namespace

class TestQFader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void handlePosition_data()
    {
        QTest::addColumn<float>("minimum");
        QTest::addColumn<float>("maximum");
        QTest::addColumn<float>("value");
        QTest::addColumn<double>("top");

        QTest::newRow("maximum at the top") << -56.f << 12.f << 12.f << 0.0;
        QTest::newRow("6 halfway down the upper part") << -56.f << 12.f << 6.f << 21.5;
        QTest::newRow("0 at one third") << -56.f << 12.f << 0.f << 43.0;
        QTest::newRow("-28 halfway down the lower part") << -56.f << 12.f << -28.f << 86.0;
        QTest::newRow("minimum at the bottom") << -56.f << 12.f << -56.f << 129.0;
        QTest::newRow("below 0 only: linear") << -56.f << 0.f << -14.f << 32.25;
    }

    void handlePosition()
    {
        QFETCH(float, minimum);
        QFETCH(float, maximum);
        QFETCH(float, value);
        QFETCH(double, top);

        QFader fader;
        setUp(fader, minimum, maximum);
        fader.setValue(value);
        QCOMPARE(fader.handleRect(), QRectF(19, top, 21, value == minimum ? 42.5 : 43));
    }

    void drag_data()
    {
        QTest::addColumn<float>("maximum");
        QTest::addColumn<int>("dy");
        QTest::addColumn<float>("expected");

        // The handle starts at 0 (centre 64.5 on -56..12, 21.5 on -56..0); dy moves the centre.
        QTest::newRow("to the top") << 12.f << -43 << 12.f;
        QTest::newRow("above the top") << 12.f << -100 << 12.f;
        QTest::newRow("into the upper part") << 12.f << -22 << 6.1f;
        QTest::newRow("halfway down") << 12.f << 43 << -28.f;
        QTest::newRow("below the bottom") << 12.f << 300 << -56.f;
        QTest::newRow("below 0 only: middle") << 0.f << 65 << -28.2f;
        QTest::newRow("below 0 only: bottom") << 0.f << 129 << -56.f;
    }

    void drag()
    {
        QFETCH(float, maximum);
        QFETCH(int, dy);
        QFETCH(float, expected);

        QFader fader;
        setUp(fader, -56, maximum);
        QSignalSpy spy(&fader, &QFader::valueChanged);
        // Grabbed 10.5 pixels below its centre: the grab point stays under the pointer.
        const QPoint grab(30, int(fader.handleRect().center().y() + 10.5));
        sendMouse(&fader, QEvent::MouseButtonPress, grab);
        sendMouse(&fader, QEvent::MouseMove, grab + QPoint(0, dy));
        sendMouse(&fader, QEvent::MouseMove, grab + QPoint(0, dy)); // same value: no signal
        sendMouse(&fader, QEvent::MouseButtonRelease, grab + QPoint(0, dy), Qt::NoButton);
        QCOMPARE(fader.value(), expected);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toFloat(), expected);
    }

    void pressOutsideHandleIsPassedOn()
    {
        QFader fader;
        setUp(fader, -56, 12);
        QSignalSpy spy(&fader, &QFader::valueChanged);
        QVERIFY(!sendMouse(&fader, QEvent::MouseButtonPress, QPoint(30, 150)));
        sendMouse(&fader, QEvent::MouseMove, QPoint(30, 10));
        QCOMPARE(fader.value(), 0.f);
        QCOMPARE(spy.count(), 0);
    }

    void wheel_data()
    {
        QTest::addColumn<float>("step");
        QTest::addColumn<float>("start");
        QTest::addColumn<int>("delta");
        QTest::addColumn<float>("expected");
        QTest::addColumn<int>("emitted");

        QTest::newRow("notch up") << 0.1f << 0.f << 120 << 0.1f << 1;
        QTest::newRow("two notches is one step") << 0.1f << 0.f << 240 << 0.1f << 1;
        QTest::newRow("half notch lowers") << 0.1f << 0.f << 60 << -0.1f << 1;
        QTest::newRow("notch down") << 0.1f << -3.f << -120 << -3.1f << 1;
        QTest::newRow("stops at maximum") << 0.5f << 11.8f << 120 << 12.f << 1;
        QTest::newRow("stops at minimum") << 0.5f << -55.8f << -120 << -56.f << 1;
        QTest::newRow("at maximum") << 0.1f << 12.f << 120 << 12.f << 0;
        QTest::newRow("at minimum") << 0.1f << -56.f << -120 << -56.f << 0;
    }

    void wheel()
    {
        QFETCH(float, step);
        QFETCH(float, start);
        QFETCH(int, delta);
        QFETCH(float, expected);
        QFETCH(int, emitted);

        QFader fader;
        setUp(fader, -56, 12);
        fader.setStep(step);
        fader.setValue(start);
        QSignalSpy spy(&fader, &QFader::valueChanged);
        sendWheel(&fader, delta);
        QCOMPARE(fader.value(), expected);
        QCOMPARE(spy.count(), emitted);
    }

    void decimalsKeepUnits()
    {
        QFader fader;
        fader.setRange(-56, 12);
        fader.setStep(1);
        fader.setValue(-20);
        fader.setDecimals(1);
        QCOMPARE(fader.minimum(), -56.f);
        QCOMPARE(fader.maximum(), 12.f);
        QCOMPARE(fader.value(), -20.f);
        sendWheel(&fader, 120);
        QCOMPARE(fader.value(), -19.f);
        fader.setValue(-60); // setters clamp
        QCOMPARE(fader.value(), -56.f);
    }

    void handleImageIsDrawn()
    {
        QFader fader;
        setUp(fader, -56, 12);
        fader.setHandleColor(QColor(200, 0, 0));
        const QImage image = fader.grab().toImage();
        // The light cap above its middle, the grip line in the handle colour.
        QVERIFY(qGray(image.pixel(30, 58)) > 190);
        QCOMPARE(image.pixelColor(30, 64), QColor(200, 0, 0));
    }
};

QTEST_MAIN(TestQFader)
#include "tst_qfader.moc"
