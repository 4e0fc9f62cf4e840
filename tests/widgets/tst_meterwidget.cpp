// The meter panel: setters that clamp and ignore unknown channels, the
// -40/-100 floor switch, the remembered geometry and retranslation.

#include "tests/support/testsupport.h"
#include "tests/widgets/widgettest.h"
#include "widgets/meterwidget.h"
#include "widgets/qmeter.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

using Setter = std::function<void(MeterWidget &, int, int)>;
Q_DECLARE_METATYPE(Setter)
Q_DECLARE_METATYPE(MeterWidget::Row)

class TestMeterWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_scratch = std::make_unique<ScratchDir>();
        QSettings{QStringLiteral("Tarnvale"), QStringLiteral("KR")}.clear();
    }

    void setters_data()
    {
        QTest::addColumn<Setter>("setter");
        QTest::addColumn<MeterWidget::Row>("row");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("shown");

        const Setter inPre = &MeterWidget::setInPreFader, inPost = &MeterWidget::setInPostFader;
        const Setter outPre = &MeterWidget::setOutPreFader, outPost = &MeterWidget::setOutPostFader;
        QTest::newRow("input pre") << inPre << MeterWidget::InputPreFader << 0 << -12 << -12;
        QTest::newRow("input post, above the top")
            << inPost << MeterWidget::InputPostFader << 15 << 30 << 24;
        QTest::newRow("output pre, below the floor")
            << outPre << MeterWidget::OutputPreFader << 3 << -70 << -40;
        QTest::newRow("output post") << outPost << MeterWidget::OutputPostFader << 9 << 0 << 0;
        QTest::newRow("channel 16 is ignored")
            << outPost << MeterWidget::OutputPostFader << 16 << 0 << 0;
        QTest::newRow("channel -1 is ignored")
            << inPre << MeterWidget::InputPreFader << -1 << 0 << 0;
    }

    void setters()
    {
        QFETCH(Setter, setter);
        QFETCH(MeterWidget::Row, row);
        QFETCH(int, channel);
        QFETCH(int, level);
        QFETCH(int, shown);

        MeterWidget panel;
        setter(panel, channel, level);
        for (int r = 0; r < MeterWidget::kRows; ++r) {
            for (int c = 0; c < MeterWidget::kChannels; ++c) {
                const bool target = r == row && c == channel;
                const QMeter *meter = panel.meter(MeterWidget::Row(r), c);
                QCOMPARE(meter->minimum(), -40);
                QCOMPARE(meter->maximum(), 24);
                QCOMPARE(meter->value(), target ? shown : -40);
                QCOMPARE(panel.numberText(MeterWidget::Row(r), c),
                         QString::number(target ? shown : -40));
            }
        }
    }

    void floorSwitch()
    {
        MeterWidget panel;
        QSignalSpy spy(&panel, &MeterWidget::ctrlN);
        panel.setOutPostFader(2, -70);
        panel.show();
        QApplication::setActiveWindow(&panel);
        QVERIFY(QTest::qWaitForWindowActive(&panel));

        QTest::keyClick(&panel, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(panel.floor(), -100);
        QCOMPARE(panel.meter(MeterWidget::InputPreFader, 0)->minimum(), -100);
        QCOMPARE(panel.meter(MeterWidget::OutputPostFader, 2)->value(), -70);
        QCOMPARE(panel.numberText(MeterWidget::OutputPostFader, 2), QStringLiteral("-70"));
        QCOMPARE(spy.count(), 1);

        // The owner's own switch does not echo back.
        panel.toggleFloor();
        QCOMPARE(panel.floor(), -40);
        QCOMPARE(panel.numberText(MeterWidget::OutputPostFader, 2), QStringLiteral("-40"));
        QCOMPARE(spy.count(), 1);
    }

    void geometryIsRemembered()
    {
        {
            MeterWidget panel;
            QCOMPARE(panel.size(), QSize(800, 600));
            panel.resize(640, 480);
        }
        const QSettings settings{QStringLiteral("Tarnvale"), QStringLiteral("KR")};
        QVERIFY(settings.contains(QStringLiteral("MeterGeometry")));
        QVERIFY2(settings.fileName().contains(QStringLiteral("qttest")),
                 "outside the test location");
        MeterWidget again;
        QCOMPARE(again.size(), QSize(640, 480));
    }

private:
    std::unique_ptr<ScratchDir> m_scratch;
};

QTEST_MAIN(TestMeterWidget)
#include "tst_meterwidget.moc"
