// The limiter and automatic gain control pages end to end: the main window
// logged in to a simulated unit on loopback, settings made on the pages, and
// the unit's records checked byte for byte.

#include "app/mainwindow.h"
#include "devices/discoveryscope.h"
#include "devices/qdevicetable.h"
#include "pages/dynamics/qagcwidget.h"
#include "pages/dynamics/qinlimiter.h"
#include "pages/dynamics/qtlimitctrl.h"
#include "pages/funcwidget.h"
#include "pages/knobfield.h"
#include "protocol/lebytes.h"
#include "protocol/transport.h"
#include "sim/agcblock.h"
#include "sim/limiterblock.h"
#include "sim/simunit.h"
#include "tests/support/apprig.h"
#include "tests/support/pagetest.h"
#include "tests/support/testsupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QUdpSocket>

#include <memory>

namespace {

// One simulated unit and a main window, shown, that logs in to it.
struct Rig : AppRig
{
    bool logIn()
    {
        window->show();
        return AppRig::logIn();
    }
};

} // namespace

class TestDynamicsE2E : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void limiterOnInput4()
    {
        Rig rig;
        QVERIFY(rig.logIn());
        FuncWidget *f = rig.window->funcWidget();
        QTest::mouseClick(f->pageButton(FuncWidget::InLimiter), Qt::LeftButton);
        auto *page = qobject_cast<QInLimiter *>(f->page(FuncWidget::InLimiter));
        QVERIFY(page && page->isVisible());
        // The unit's channel names reach the page through the container.
        QTRY_COMPARE(page->channelButton(3)->toolTip(), QStringLiteral("IN 4 : Lapel"));

        QTest::mouseClick(page->channelButton(3), Qt::LeftButton);
        QTRY_VERIFY(page->enableButton()->isEnabled()); // input 4's record has come
        typeText(page->field(LimiterPage::Threshold), "-20.5");
        typeText(page->field(LimiterPage::Ratio), "8");
        typeText(page->field(LimiterPage::Attack), "30");
        typeText(page->field(LimiterPage::Decay), "250");
        QTest::mouseClick(page->enableButton(), Qt::LeftButton);

        const auto *inputs = rig.model().blockAs<LimiterBlock>(Proto::OpBlock, 5);
        const QByteArray expected = Le::bytes(quint8(1), -20.5f, 8.0f, 30.0f, 250.0f);
        QTRY_COMPARE(inputs->record(3), expected);
        QCOMPARE(inputs->record(2), LimiterBlock::defaultRecord());

        // Away and back: the page shows what the unit holds for input 4.
        QTest::mouseClick(page->channelButton(0), Qt::LeftButton);
        QTRY_COMPARE(page->params().ratio, 2);
        QVERIFY(page->chart()->isBypassed());
        QTest::mouseClick(page->channelButton(3), Qt::LeftButton);
        QTRY_COMPARE(page->params().ratio, 8);
        QCOMPARE(page->params().threshold, -20.5f);
        QVERIFY(page->enableButton()->isChecked());
    }

    void agcOnInput2()
    {
        Rig rig;
        QVERIFY(rig.logIn());
        FuncWidget *f = rig.window->funcWidget();
        QVERIFY(f->pageButton(FuncWidget::Agc)->isHidden());
        f->setCurrentPage(FuncWidget::Agc); // the page exists behind its hidden button
        auto *page = qobject_cast<QAGCWidget *>(f->page(FuncWidget::Agc));
        QVERIFY(page && page->isVisible());

        QTest::mouseClick(page->channelButton(1), Qt::LeftButton);
        QTRY_VERIFY(page->enableButton()->isEnabled()); // input 2's record has come
        typeText(page->field(QAGCWidget::Target), "-10");
        typeText(page->field(QAGCWidget::Threshold), "-50");
        typeText(page->field(QAGCWidget::Ratio), "3.5");
        typeText(page->field(QAGCWidget::Attack), "100");
        typeText(page->field(QAGCWidget::Decay), "500");
        QTest::mouseClick(page->enableButton(), Qt::LeftButton);

        const auto *agc = rig.model().blockAs<AgcBlock>(Proto::OpBlock, 16);
        const QByteArray expected = Le::bytes(quint8(1), -50.0f, -10.0f, 3.5f, 100.0f, 500.0f);
        QTRY_COMPARE(agc->record(1), expected);
        QCOMPARE(agc->record(0), AgcBlock::defaultRecord());

        QTest::mouseClick(page->channelButton(0), Qt::LeftButton);
        QTRY_COMPARE(page->params().threshold, -120.0f);
        QTest::mouseClick(page->channelButton(1), Qt::LeftButton);
        QTRY_COMPARE(page->params().threshold, -50.0f);
        QCOMPARE(page->params().ratio, 3.5f);
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestDynamicsE2E)
#include "tst_dynamicse2e.moc"
