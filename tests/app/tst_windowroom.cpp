// The pages in windows of the sizes installers use, offscreen: on a large
// window the matrix grid and the input knobs grow into the room; when the
// window is made small again they shrink with it, and the page area needs
// no scroll bar at 1024 x 600.

#include "app/mainwindow.h"
#include "app/startup.h"
#include "pages/dynamics/qtlimitctrl.h"
#include "pages/funcwidget.h"
#include "pages/matrix/crosspointgrid.h"
#include "pages/matrix/qmixbutton.h"
#include "pages/matrix/qmixer.h"
#include "tests/support/apprig.h"
#include "tests/support/testsupport.h"
#include "widgets/knob.h"

#include <QFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

class TestWindowRoom : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        // The style sheet, palette and the languages' fonts, as start-up sets
        // them: they decide the sizes.
        prepareApplication(*qApp);
        m_rig = std::make_unique<AppRig>(1, QString(), true, AppRig::Configure(),
                                         QStringList{QStringLiteral("translations/language.dat"),
                                                     QStringLiteral("translations/english.qm"),
                                                     QStringLiteral("translations/chinese.qm")});
        m_rig->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_rig->window.get()));
    }

    // Sizes in the order an operator might resize: each step starts from the
    // layout the last one left, so growing and shrinking back are both seen.
    void pagesUseTheRoom_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("knobSide");
        QTest::addColumn<bool>("gridGrown");
        QTest::newRow("1024 x 600") << 0 << QSize(1024, 600) << 70 << false;
        QTest::newRow("1366 x 768") << 0 << QSize(1366, 768) << 100 << true;
        QTest::newRow("back to 1024 x 600") << 0 << QSize(1024, 600) << 70 << false;
        QTest::newRow("1920 x 1080") << 0 << QSize(1920, 1080) << 100 << true;
        QTest::newRow("Chinese, 1920 x 1080") << 1 << QSize(1920, 1080) << 100 << true;
        QTest::newRow("Chinese, 1024 x 600") << 1 << QSize(1024, 600) << 70 << false;
        QTest::newRow("Chinese, 1366 x 768") << 1 << QSize(1366, 768) << 100 << true;
    }
    void pagesUseTheRoom()
    {
        QFETCH(int, language);
        QFETCH(QSize, size);
        QFETCH(int, knobSide);
        QFETCH(bool, gridGrown);
        MainWindow &w = *m_rig->window;
        w.applyLanguage(language);
        w.resize(size);
        auto *scroll = w.findChild<QScrollArea *>(QStringLiteral("rightScrollArea"));
        QVERIFY(scroll);

        FuncWidget &f = m_rig->pages();
        f.setCurrentPage(FuncWidget::InSetup);
        const auto knobs = f.page(FuncWidget::InSetup)->findChildren<Knob *>();
        QCOMPARE(knobs.size(), 16);
        QTRY_COMPARE(knobs.first()->width(), knobSide);
        QCOMPARE(knobs.last()->width(), knobSide);
        QTRY_VERIFY(!scroll->verticalScrollBar()->isVisible());

        f.setCurrentPage(FuncWidget::Matrix);
        const QMixButton *b = f.mixer()->grid()->button(15, 15);
        QTRY_COMPARE(b->width() > 36 && b->height() > 18, gridGrown);
        if (!gridGrown)
            QCOMPARE(b->size(), QSize(36, 18));
        // The grid, grown or not, lies inside the page.
        const QRect page = f.mixer()->rect();
        QVERIFY(page.contains(QRect(b->mapTo(f.mixer(), QPoint()), b->size())));
        QTRY_VERIFY(!scroll->verticalScrollBar()->isVisible());
        QVERIFY(!scroll->horizontalScrollBar()->isVisible());

        // The limiter's chart: square, inside its page, larger on a larger one.
        f.setCurrentPage(FuncWidget::InLimiter);
        QWidget *limiter = f.page(FuncWidget::InLimiter);
        const auto *chart = limiter->findChild<qtLimitCtrl *>();
        QVERIFY(chart);
        QTRY_VERIFY(chart->width() >= (gridGrown ? 420 : 280));
        QCOMPARE(chart->height(), chart->width());
        QVERIFY(limiter->rect().contains(QRect(chart->mapTo(limiter, QPoint()), chart->size())));
        QTRY_VERIFY(!scroll->verticalScrollBar()->isVisible());
    }

    void cleanupTestCase() { m_rig.reset(); }

private:
    QTemporaryDir m_config;
    std::unique_ptr<AppRig> m_rig;
};

QTEST_MAIN(TestWindowRoom)
#include "tst_windowroom.moc"
