// The filter graph's and the crosspoint grid's keyboard and layout: Tab
// visits the graph's handles and leaves it, handles that would cover each
// other are drawn side by side and still move their own values, the wheel
// over a band asks for its Q, a drag shows the values beside the handle; the
// grid's cursor, Space as a press, and the room its names take.

#include "pages/filters/filtergraph.h"
#include "pages/matrix/crosspointgrid.h"
#include "pages/matrix/qmixbutton.h"
#include "pages/matrix/rotatedlabel.h"
#include "tests/support/testsupport.h"
#include "widgets/elidedlabel.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

void mouse(QWidget *w, QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, at, w->mapToGlobal(at.toPoint()), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void wheel(QWidget *w, QPointF at, int delta)
{
    QWheelEvent e(at, w->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}

// A graph between two fields, in a shown window, with 8 bands apart from
// each other.
struct GraphWindow
{
    GraphWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(graph);
        layout->addWidget(after);
        graph->setGainLimits(15, -15);
        graph->setBandCount(8);
        graph->setMinimumSize(600, 251);
        graph->setHPF(false, 0, 1, 20.0f);
        graph->setLPF(false, 0, 1, 20000.0f);
        for (int b = 0; b < 8; ++b)
            graph->setBand(b, false, 0, 60.0f * float(1 << b), 0.0f, 2.0f);
        window.show();
    }
    QWidget window;
    QLineEdit *before = new QLineEdit(&window);
    FilterGraph *graph = new FilterGraph(&window);
    QLineEdit *after = new QLineEdit(&window);
};

CrosspointGridGeometry smallGeometry()
{
    CrosspointGridGeometry g;
    g.button = QSize(20, 12);
    g.gap = 2;
    g.margin = 4;
    g.headerHeight = 70;
    g.nameElide = 70;
    g.rowHeaderWidth = 60;
    return g;
}

CrosspointGrid *makeGrid(QWidget *parent)
{
    return new CrosspointGrid(
        smallGeometry(), [](int in, int out, QWidget *p) { return new QMixButton(in, out, p); },
        parent);
}

} // namespace

class TestGraphGridKeys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void tabVisitsTheHandlesThenLeaves()
    {
        GraphWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QSignalSpy selected(w.graph, &FilterGraph::handleSelected);
        w.before->setFocus();
        QTRY_VERIFY(w.before->hasFocus());
        QTest::keyClick(w.before, Qt::Key_Tab);
        QTRY_VERIFY(w.graph->hasFocus());
        const QVector<int> order = w.graph->handleOrder();
        QCOMPARE(order.size(), 10); // H, 8 bands, L
        QCOMPARE(order.first(), int(FilterGraph::HighPassHandle));
        QCOMPARE(order.last(), int(FilterGraph::LowPassHandle));
        QVector<int> visited{w.graph->currentHandle()};
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(w.graph, Qt::Key_Tab);
            QVERIFY(w.graph->hasFocus());
            visited.append(w.graph->currentHandle());
        }
        QCOMPARE(visited, order);
        QCOMPARE(selected.size(), order.size());
        QTest::keyClick(w.graph, Qt::Key_Tab);
        QTRY_VERIFY(w.after->hasFocus());
        // Shift+Tab comes back to the last handle, and goes back through them.
        QTest::keyClick(w.after, Qt::Key_Backtab);
        QTRY_VERIFY(w.graph->hasFocus());
        QCOMPARE(w.graph->currentHandle(), int(FilterGraph::LowPassHandle));
        QTest::keyClick(w.graph, Qt::Key_Backtab);
        QCOMPARE(w.graph->currentHandle(), 7);
        // The selected handle's values are shown while the keys move it.
        QTest::keyClick(w.graph, Qt::Key_Up);
        QCOMPARE(w.graph->readoutText(), w.graph->handleValueText(7));
        QVERIFY2(w.graph->readoutText().contains(QLatin1String("+0.5 dB")),
                 qPrintable(w.graph->readoutText()));
    }

    void overlappingHandlesSitSideBySide_data()
    {
        QTest::addColumn<float>("frequency");
        QTest::addColumn<int>("other");
        QTest::newRow("band at H") << 20.0f << int(FilterGraph::HighPassHandle);
        QTest::newRow("band at L") << 20000.0f << int(FilterGraph::LowPassHandle);
        QTest::newRow("band on band") << 120.0f << 1;
    }

    // Handles at one point are drawn apart; a drag of either moves its own
    // values, from where they are, not from where the handle is drawn.
    void overlappingHandlesSitSideBySide()
    {
        QFETCH(float, frequency);
        QFETCH(int, other);
        GraphWindow w;
        w.graph->setBand(4, false, 0, frequency, 0.0f, 2.0f);
        const QRectF moved = w.graph->handleRect(4);
        const QRectF apart = w.graph->handleRect(other);
        QVERIFY(!moved.intersects(apart));
        QCOMPARE(moved.center().y(), apart.center().y());
        QVERIFY(QLineF(w.graph->handlePoint(4), w.graph->handlePoint(other)).length() < 1.0);

        QSignalSpy peq(w.graph, &FilterGraph::peqChanged);
        const QPointF from = moved.center();
        mouse(w.graph, QEvent::MouseButtonPress, from, Qt::LeftButton);
        mouse(w.graph, QEvent::MouseMove, from + QPointF(0, -30), Qt::LeftButton);
        QVERIFY(!w.graph->readoutText().isEmpty()); // the values beside the pointer
        mouse(w.graph, QEvent::MouseButtonRelease, from + QPointF(0, -30), Qt::NoButton);
        QVERIFY(w.graph->readoutText().isEmpty());
        QCOMPARE(peq.size(), 1);
        QCOMPARE(peq.at(0).at(0).value<uchar>(), uchar(4));
        QVERIFY(std::abs(peq.at(0).at(1).toFloat() - frequency) < frequency * 0.02f);
        QVERIFY(peq.at(0).at(2).toFloat() > 3.0f);
    }

    void wheelOverABandAsksForItsQ()
    {
        GraphWindow w;
        QSignalSpy q(w.graph, &FilterGraph::qStepped);
        QSignalSpy selected(w.graph, &FilterGraph::handleSelected);
        wheel(w.graph, w.graph->handleRect(2).center(), -240);
        QCOMPARE(q.size(), 1);
        QCOMPARE(q.at(0).at(0).value<uchar>(), uchar(2));
        QCOMPARE(q.at(0).at(1).toInt(), -2);
        QCOMPARE(w.graph->currentHandle(), 2);
        QCOMPARE(selected.size(), 1);
        // H and L have no Q; empty places take no wheel.
        wheel(w.graph, w.graph->handleRect(FilterGraph::HighPassHandle).center(), 120);
        wheel(w.graph, QPointF(w.graph->width() / 2.0, 12), 120);
        QCOMPARE(q.size(), 1);
    }

    void gridCursorAndSpace()
    {
        QWidget window;
        CrosspointGrid *grid = makeGrid(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        grid->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(grid->hasFocus());
        QVERIFY(grid->button(0, 0)->hasCursorMark());
        QSignalSpy switched(grid, &CrosspointGrid::switched);
        // The cursor stops at the edges.
        for (Qt::Key key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Down, Qt::Key_End, Qt::Key_Right})
            QTest::keyClick(grid, key);
        QCOMPARE(grid->cursorInput(), 1);
        QCOMPARE(grid->cursorOutput(), 15);
        QVERIFY(!grid->button(0, 0)->hasCursorMark());
        QVERIFY(grid->button(1, 15)->hasCursorMark());
        QTest::keyClick(grid, Qt::Key_Space);
        QVERIFY(grid->isSelected(1, 15));
        QCOMPARE(switched.size(), 0);
        QTest::keyClick(grid, Qt::Key_Space);
        QCOMPARE(switched.size(), 1);
        QVERIFY(grid->isOn(1, 15));
        // A click moves the cursor there; without the focus no ring shows.
        QTest::mouseClick(grid->button(5, 6), Qt::LeftButton);
        QCOMPARE(grid->cursorInput(), 5);
        QCOMPARE(grid->cursorOutput(), 6);
        grid->clearFocus();
        QVERIFY(!grid->button(5, 6)->hasCursorMark());
    }

    // Given more room, the grid gives its names what they need first, then
    // grows its buttons; names are cut in the middle only when they must be.
    void namesTakeTheRoomTheGridIsGiven()
    {
        QWidget window;
        CrosspointGrid *grid = makeGrid(&window);
        const QString longName = QStringLiteral("Wireless handheld 12");
        grid->setInputName(3, longName);
        grid->setOutputName(4, longName);
        window.resize(1000, 800);
        window.show(); // a hidden widget is laid out when shown
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize base = grid->size();
        QCOMPARE(base, grid->minimumSizeHint());
        QVERIFY(grid->inputName(3)->elidedText() != longName);
        // A row name with room for part of it keeps both its ends.
        ElidedLabel *rowName = grid->inputName(3);
        rowName->resize(rowName->fontMetrics().horizontalAdvance(longName) / 2, rowName->height());
        const QString cut = rowName->elidedText();
        QVERIFY2(cut.startsWith(QLatin1Char('W')) && cut.endsWith(QLatin1String("12")) &&
                     cut.contains(QChar(0x2026)),
                 qPrintable(cut));
        QVERIFY(grid->outputHeading(4)->elidedName() != longName);
        QVERIFY(grid->outputHeading(4)->elidedName().contains(QChar(0x2026)));
        QVERIFY2(grid->outputHeading(4)->elidedName().endsWith(QLatin1String("12")),
                 qPrintable(grid->outputHeading(4)->elidedName()));

        grid->resize(base + QSize(400, 300));
        QCOMPARE(grid->inputName(3)->elidedText(), longName);
        QCOMPARE(grid->outputHeading(4)->elidedName(), longName);
        QVERIFY(grid->button(0, 0)->width() > smallGeometry().button.width());
        QVERIFY(grid->button(0, 0)->height() > smallGeometry().button.height());
        // Every button still lies inside the grid.
        const QRect last = grid->button(15, 15)->geometry().translated(grid->buttonArea()->pos());
        QVERIFY(grid->rect().contains(last));
        QCOMPARE(grid->inputLabel(3), QStringLiteral("IN 4 ") + longName);
        QCOMPARE(grid->outputLabel(0), QStringLiteral("OUT 1"));
    }
};

QTEST_MAIN(TestGraphGridKeys)
#include "tst_graphgridkeys.moc"
