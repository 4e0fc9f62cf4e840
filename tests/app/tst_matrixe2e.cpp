// The matrix page and the crosspoint editor end to end against a simulated
// unit on loopback: a route and its gain reach the unit, the unit's output
// meter follows the routed input, and after a reconnection the page and the
// editor show what the unit holds.

#include "app/mainwindow.h"
#include "devices/discoveryscope.h"
#include "devices/qdevicelist.h"
#include "devices/qdevicetable.h"
#include "pages/funcwidget.h"
#include "pages/matrix/crosspointgrid.h"
#include "pages/matrix/matrixmixvaluewidget.h"
#include "pages/matrix/qmixbutton2.h"
#include "pages/matrix/qmixer.h"
#include "protocol/transport.h"
#include "sim/matrixblock.h"
#include "sim/simunit.h"
#include "tests/support/apprig.h"
#include "tests/support/pagetest.h"
#include "tests/support/testsupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <memory>

namespace {

// One simulated unit and a main window that finds it on loopback.
struct Rig : AppRig
{
    MatrixBlock &matrix() { return block<MatrixBlock>(Proto::Module::Matrix); }
};

// Two presses: the first selects the crosspoint, the second switches it.
void toggle(QMixButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
}

// The last level the container reported for `output` since `from`.
int lastOutputLevel(const QSignalSpy &spy, int output, int from)
{
    for (int i = spy.size() - 1; i >= from; --i)
        if (spy.at(i).at(0).toInt() == output)
            return spy.at(i).at(1).toInt();
    return 1000; // none yet
}

} // namespace

class TestMatrixEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void routeGainMeterAndReconnect()
    {
        Rig rig;
        MainWindow &w = *rig.window;
        w.show();
        QVERIFY(rig.logIn());
        w.funcWidget()->setCurrentPage(FuncWidget::Matrix);
        QMixer *page = w.funcWidget()->mixer();
        CrosspointGrid *grid = page->grid();
        // The page shows the unit's routing: each input to its own output.
        QTRY_VERIFY(page->isMixOn(4, 4));

        // Output 5 takes input 3 instead of input 5.
        toggle(grid->button(4, 4));
        toggle(grid->button(2, 4));
        QTRY_VERIFY(rig.matrix().isOn(4, 2) && !rig.matrix().isOn(4, 4));

        // -12 dB for that crosspoint in the editor.
        page->mixValueButton()->click();
        MatrixMixValueWidget *editor = page->editor();
        QVERIFY(editor->isVisible());
        QVERIFY(editor->isMixOn(2, 4));
        QTest::mouseClick(editor->mixButton(2, 4), Qt::LeftButton);
        typeText(editor->gainEdit(), QStringLiteral("-12"));
        QTRY_COMPARE(int(rig.matrix().gain(4, 2)), -12);
        QVERIFY(rig.matrix().isOn(4, 2));

        // The output meter of 5 follows input 3, not input 5.
        QSignalSpy meters(w.funcWidget(), &FuncWidget::outlevelMeterChanged);
        ChannelBlock *inputs = rig.model().block(Proto::Module::InputLevel);
        inputs->set<quint8>(Proto::InLevelCmd::Mute, 4, 1);
        int from = meters.size();
        QTRY_VERIFY_WITH_TIMEOUT(lastOutputLevel(meters, 4, from) != 1000, 3000);
        QVERIFY(lastOutputLevel(meters, 4, from) > -100);
        inputs->set<quint8>(Proto::InLevelCmd::Mute, 2, 1);
        from = meters.size();
        QTRY_COMPARE_WITH_TIMEOUT(lastOutputLevel(meters, 4, from), -100, 3000);
        inputs->set<quint8>(Proto::InLevelCmd::Mute, 2, 0);
        from = meters.size();
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(lastOutputLevel(meters, 4, from)) < 100, 3000);

        // While the unit is away its state changes; back again, the page and
        // the editor show what the unit holds.
        rig.sim().setRefuseConnections(true);
        rig.sim().dropConnections();
        QTRY_VERIFY(!isLoggedIn());
        rig.matrix().setOn(7, 1, true);
        rig.matrix().setGain(7, 1, -20);
        rig.matrix().setGain(4, 2, -6);
        rig.sim().setRefuseConnections(false);
        QTRY_VERIFY_WITH_TIMEOUT(isLoggedIn(), 5000);
        QTRY_VERIFY(page->isMixOn(1, 7));
        QTRY_COMPARE(editor->mixGain(1, 7), -20);
        QTRY_COMPARE(editor->mixGain(2, 4), -6);
        QCOMPARE(editor->mixButton(2, 4)->text(), QStringLiteral("-6dB"));
        QVERIFY(editor->isMixOn(1, 7) && editor->isMixOn(2, 4) && !editor->isMixOn(4, 4));
        QVERIFY(page->isMixOn(2, 4) && !page->isMixOn(4, 4));
        editor->close();
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestMatrixEndToEnd)
#include "tst_matrixe2e.moc"
