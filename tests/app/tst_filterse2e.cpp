// The filter page end to end against a simulated unit on loopback: a band
// dragged on the graph reaches the unit and comes back through the next
// refresh; "Copy to" copies the unit's records.

#include "app/mainwindow.h"
#include "devices/discoveryscope.h"
#include "devices/qdevicelist.h"
#include "devices/qdevicetable.h"
#include "pages/filters/cutfilterpanel.h"
#include "pages/filters/filterbandpanel.h"
#include "pages/filters/filtergraph.h"
#include "pages/filters/qinfilter.h"
#include "pages/funcwidget.h"
#include "pages/knobfield.h"
#include "protocol/lebytes.h"
#include "protocol/transport.h"
#include "sim/filterblock.h"
#include "sim/simunit.h"
#include "tests/support/apprig.h"
#include "tests/support/testsupport.h"
#include "widgets/knob.h"
#include "widgets/qchannelselect.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QUdpSocket>

#include <cmath>
#include <memory>

namespace {

// One simulated unit and a main window that finds it on loopback.
struct Rig : AppRig
{
    FilterBlock &inputFilters() { return block<FilterBlock>(Proto::Module::InputFilter); }
};

void mouse(QWidget *w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

class TestFiltersEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void dragAndCopyReachTheUnit()
    {
        Rig rig;
        MainWindow &w = *rig.window;
        w.resize(1024, 600);
        w.show();
        QVERIFY(rig.logIn());
        QInFilter *page = w.funcWidget()->inFilter();
        // The unit's DSP version (2.8) gives 8 bands.
        QTRY_COMPARE(page->bandCount(), 8);
        w.funcWidget()->setCurrentPage(FuncWidget::InFilter);
        FilterGraph *graph = page->graph();
        QVERIFY(QTest::qWaitForWindowExposed(graph));
        // The page edits what it has read from this unit (the cut filters
        // come with the page's first refresh).
        QTRY_VERIFY(page->highPassPanel()->isEnabled());

        // Drag band 2 up and to the right.
        const QPoint from = graph->handleRect(1).center().toPoint();
        const QPoint to = from + QPoint(150, -40);
        mouse(graph, QEvent::MouseButtonPress, from, Qt::LeftButton);
        mouse(graph, QEvent::MouseMove, to, Qt::LeftButton);
        mouse(graph, QEvent::MouseButtonRelease, to, Qt::NoButton);
        QCOMPARE(page->band(), 1);
        const float freq = page->bandRecord(1).frequency;
        const float gain = page->bandRecord(1).gain;
        QVERIFY(freq > 60.0f && gain > 2.0f && gain <= 15.0f);

        const auto unitBand = [&rig] { return rig.inputFilters().band(0, 1); };
        QTRY_COMPARE(Le::get<float>(unitBand(), 2), freq);
        QCOMPARE(Le::get<float>(unitBand(), 6), gain);

        // After the hold the page's refresh brings the unit's values back, and
        // knob, fields and graph show the same band.
        const float shown = std::round(freq);
        QTRY_COMPARE_WITH_TIMEOUT(page->bandRecord(1).frequency, shown, 3000);
        FilterBandPanel *panel = page->bandPanel();
        QCOMPARE(panel->frequency()->edit()->text(), QString::number(int(shown)));
        QCOMPARE(panel->frequency()->knob()->value(), shown);
        QCOMPARE(panel->gain()->edit()->text(), QString::asprintf("%0.1f", double(gain)));
        QVERIFY(std::fabs(panel->gain()->knob()->value() - gain * 10.0f) < 1e-3f);
        QCOMPARE(graph->response().band(1).frequency, shown);
        QCOMPARE(graph->response().band(1).gain, gain);
        QVERIFY(QLineF(graph->handleRect(1).center(), to).length() < 3.0);

        // "Copy to" inputs 2..4: the unit's records of 2..4 equal input 1's.
        page->copyButton()->click();
        QChannelSelect *select = page->channelSelect();
        QTRY_VERIFY(select->isVisible());
        for (int c : {1, 2, 3})
            QTest::mouseClick(select->inputButton(c), Qt::LeftButton);
        QTest::mouseClick(select->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
        const QByteArray source = rig.inputFilters().channelRecords(0);
        for (int c : {1, 2, 3})
            QTRY_COMPARE(rig.inputFilters().channelRecords(c), source);
        QVERIFY(rig.inputFilters().channelRecords(4) != source);
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestFiltersEndToEnd)
#include "tst_filterse2e.moc"
