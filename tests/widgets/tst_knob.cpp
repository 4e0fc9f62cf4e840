// The knob: drag, wheel and arrow keys change the value and signal it, setters
// never signal, and the indicator is drawn at the angle of the value.

#include "tests/widgets/widgettest.h"
#include "widgets/knob.h"

#include <QSignalSpy>
#include <QTest>
#include <QtMath>

class TestKnob : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void operatorInput_data()
    {
        QTest::addColumn<float>("maximum");
        QTest::addColumn<float>("start");
        QTest::addColumn<QPoint>("drag");
        QTest::addColumn<int>("wheel");
        QTest::addColumn<int>("key");
        QTest::addColumn<float>("expected");
        QTest::addColumn<int>("emitted");

        // Range -maximum..maximum, step 2.5; 200 pixels of drag cover the range.
        const QPoint none;
        QTest::newRow("drag 10 px right") << 120.f << 0.f << QPoint(10, 0) << 0 << 0 << 12.f << 1;
        QTest::newRow("drag 10 px up") << 120.f << 0.f << QPoint(0, -10) << 0 << 0 << 12.f << 1;
        QTest::newRow("drag right and down") << 120.f << 0.f << QPoint(7, 7) << 0 << 0 << 0.f << 1;
        QTest::newRow("drag past the top") << 1.f << 0.9f << QPoint(300, 0) << 0 << 0 << 1.f << 1;
        QTest::newRow("drag past the bottom")
            << 1.f << 0.f << QPoint(0, 300) << 0 << 0 << -1.f << 1;
        QTest::newRow("wheel notch up") << 120.f << 0.f << none << 120 << 0 << 2.5f << 1;
        QTest::newRow("wheel 239") << 120.f << 0.f << none << 239 << 0 << 2.5f << 1;
        QTest::newRow("wheel two notches down") << 120.f << 0.f << none << -240 << 0 << -5.f << 1;
        QTest::newRow("wheel half notch") << 120.f << 0.f << none << 60 << 0 << 0.f << 0;
        QTest::newRow("wheel half notch down") << 120.f << 0.f << none << -60 << 0 << 0.f << 0;
        QTest::newRow("key up") << 120.f << 0.f << none << 0 << int(Qt::Key_Up) << 2.5f << 1;
        QTest::newRow("key right") << 120.f << 0.f << none << 0 << int(Qt::Key_Right) << 2.5f << 1;
        QTest::newRow("key down") << 120.f << 0.f << none << 0 << int(Qt::Key_Down) << -2.5f << 1;
        QTest::newRow("key left") << 120.f << 0.f << none << 0 << int(Qt::Key_Left) << -2.5f << 1;
        QTest::newRow("other key") << 120.f << 0.f << none << 0 << int(Qt::Key_A) << 0.f << 0;
    }

    void operatorInput()
    {
        QFETCH(float, maximum);
        QFETCH(float, start);
        QFETCH(QPoint, drag);
        QFETCH(int, wheel);
        QFETCH(int, key);
        QFETCH(float, expected);
        QFETCH(int, emitted);

        Knob knob;
        knob.setRange(-maximum, maximum);
        knob.setStep(2.5f);
        knob.setValue(start);
        QSignalSpy spy(&knob, &Knob::valueChanged);
        sendMouse(&knob, QEvent::MouseMove, QPoint(60, 5), Qt::NoButton); // hover: no change
        if (!drag.isNull())
            dragBy(&knob, QPoint(35, 35), drag);
        if (wheel)
            sendWheel(&knob, wheel);
        if (key)
            QTest::keyClick(&knob, Qt::Key(key));
        QCOMPARE(knob.value(), expected);
        QCOMPARE(spy.count(), emitted);
        if (emitted)
            QCOMPARE(spy.at(0).at(0).toFloat(), expected);
    }

    void settersClampAndStaySilent()
    {
        Knob knob;
        QSignalSpy spy(&knob, &Knob::valueChanged);
        knob.setRange(0, 500);
        knob.setValue(600);
        QCOMPARE(knob.value(), 500.f);
        knob.setRange(10, -10); // put in order, value clamped again
        QCOMPARE(knob.minimum(), -10.f);
        QCOMPARE(knob.value(), 10.f);
        knob.setSize(0);
        QCOMPARE(knob.size(), QSize(50, 50));
        knob.setSize(3); // ignored
        QCOMPARE(knob.size(), QSize(50, 50));
        QCOMPARE(spy.count(), 0);
    }

    // The indicator turns clockwise from -120 degrees at the minimum to +120 at the maximum.
    void indicatorAngle_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<float>("value");
        for (int size : {0, 1, 2}) {
            for (float value : {-120.f, -60.f, 0.f, 120.f})
                QTest::addRow("size %d, %g", size, double(value)) << size << value;
        }
    }

    void indicatorAngle()
    {
        QFETCH(int, size);
        QFETCH(float, value);

        Knob knob;
        knob.setSize(size);
        knob.setRange(-120, 120);
        knob.setValue(value);
        const QImage image = knob.grab().toImage();
        const double centre = knob.width() / 2.0;
        const double radius = knob.width() * 0.25;
        auto pointAt = [&](double degrees) {
            const double a = qDegreesToRadians(degrees);
            return QPoint(qRound(centre + radius * std::sin(a)),
                          qRound(centre - radius * std::cos(a)));
        };
        QVERIFY2(brightestAround(image, pointAt(value)) > 230, "indicator not at its angle");
        QVERIFY2(brightestAround(image, pointAt(value + 180.0)) < 100, "knob face not dark");
    }
};

QTEST_MAIN(TestKnob)
#include "tst_knob.moc"
