// The filter response graph as a widget: handle geometry, drags and keys,
// the band count, and export of what it shows.

#include "pages/filters/filtergraph.h"
#include "pages/operatorprompt.h"
#include "tests/support/testsupport.h"

#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

namespace {

// Records what the graph tells the operator instead of showing a box.
class RecordingPrompt final : public OperatorPrompt
{
public:
    RecordingPrompt() { install(this); }
    ~RecordingPrompt() override { install(nullptr); }
    void inform(QWidget *, QMessageBox::Icon, const QString &, const QString &text) override
    {
        messages.append(text);
    }
    QStringList messages;
};

void mouse(QWidget *w, QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, at, w->mapToGlobal(at.toPoint()), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void drag(FilterGraph &g, QPointF from, QPointF to)
{
    mouse(&g, QEvent::MouseButtonPress, from, Qt::LeftButton);
    mouse(&g, QEvent::MouseMove, to, Qt::LeftButton);
    mouse(&g, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

// A graph as the pages set it up, at a height that is no multiple of 36.
void setUp(FilterGraph &g)
{
    g.setGainLimits(15, -15);
    g.setDivisions(6);
    g.resize(600, 251);
}

} // namespace

class TestFilterGraph : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void handlesSitOnTheirValues()
    {
        FilterGraph g;
        setUp(g);
        g.setBand(0, false, 0, 1000.0f, 6.0f, 2.0f);
        const QRectF plot = g.plotRect();
        const double h = plot.height() + 1.0;
        const QPointF band = g.handleRect(0).center();
        QVERIFY(std::fabs(band.y() - (plot.top() + 12.0 / 36.0 * h)) < 0.01);
        const double decades = std::log10(24000.0 / 10.0);
        QVERIFY(std::fabs(band.x() -
                          (plot.left() + std::log10(100.0) / decades * (plot.width() + 1))) < 0.01);
        // H and L lie on the 0 dB line, in the middle of the plot.
        for (int i : {FilterGraph::HighPassHandle, FilterGraph::LowPassHandle}) {
            const QPointF c = g.handleRect(i).center();
            QVERIFY(std::isfinite(c.y()));
            QVERIFY(std::fabs(c.y() - (plot.top() + h / 2)) < 0.01);
        }
        QCOMPARE(g.handleRect(0).size(), QSizeF(16, 16));
    }

    void dragABandFollowsThePointer()
    {
        FilterGraph g;
        setUp(g);
        QSignalSpy peq(&g, &FilterGraph::peqChanged);
        const QPointF from = g.handleRect(2).center(); // band 3 at 80 Hz, 0 dB
        const QPointF to(from.x() + 120, from.y() - 40);
        drag(g, from, to);
        QCOMPARE(peq.size(), 1);
        QCOMPARE(peq.at(0).at(0).value<uchar>(), uchar(2));
        const float freq = peq.at(0).at(1).toFloat();
        const float gain = peq.at(0).at(2).toFloat();
        QCOMPARE(g.response().band(2).frequency, freq);
        QVERIFY(freq > 80.0f && gain > 0.0f);
        // The handle is where the pointer let go of it.
        QVERIFY(QLineF(g.handleRect(2).center(), to).length() < 1.0);
        // Above the plot: the gain stops at the limit the page set.
        drag(g, g.handleRect(2).center(), QPointF(to.x(), -50));
        QCOMPARE(peq.last().at(2).toFloat(), 15.0f);
        // Left of the plot: the frequency stops at 20 Hz.
        drag(g, g.handleRect(2).center(), QPointF(-100, to.y()));
        QCOMPARE(peq.last().at(1).toFloat(), 20.0f);
    }

    void dragsAwayFromHandlesAndWithoutMovement()
    {
        FilterGraph g;
        setUp(g);
        QSignalSpy peq(&g, &FilterGraph::peqChanged);
        QSignalSpy hp(&g, &FilterGraph::HPFilterChanged);
        drag(g, QPointF(g.width() / 2, 20), QPointF(g.width() / 2 + 50, 40)); // empty spot
        const QPointF h = g.handleRect(FilterGraph::HighPassHandle).center();
        drag(g, h, h); // no movement, no change
        QCOMPARE(peq.size() + hp.size(), 0);
        // A move after the release drags nothing.
        mouse(&g, QEvent::MouseMove, QPointF(300, 100), Qt::LeftButton);
        QCOMPARE(peq.size() + hp.size(), 0);
    }

    void eightBandsKeepTheCutHandles()
    {
        FilterGraph g;
        setUp(g);
        g.setBandCount(8);
        QCOMPARE(g.bandCount(), 8);
        QVERIFY(g.handleRect(8).isEmpty());
        QVERIFY(g.handleRect(15).isEmpty());
        QSignalSpy peq(&g, &FilterGraph::peqChanged);
        QSignalSpy hp(&g, &FilterGraph::HPFilterChanged);
        QSignalSpy lp(&g, &FilterGraph::LPFilterChanged);
        const QPointF h = g.handleRect(FilterGraph::HighPassHandle).center();
        drag(g, h, h + QPointF(60, 30));
        QCOMPARE(hp.size(), 1);
        QVERIFY(hp.at(0).at(0).toFloat() > 20.0f);
        const QPointF l = g.handleRect(FilterGraph::LowPassHandle).center();
        drag(g, l, l - QPointF(80, 0));
        QCOMPARE(lp.size(), 1);
        QVERIFY(lp.at(0).at(0).toFloat() < 20000.0f);
        QCOMPARE(peq.size(), 0);
        QVERIFY(!g.grab().isNull());
    }

    void arrowKeysMoveTheClickedHandle()
    {
        FilterGraph g;
        setUp(g);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QSignalSpy peq(&g, &FilterGraph::peqChanged);
        QSignalSpy selected(&g, &FilterGraph::handleSelected);
        const QPointF b = g.handleRect(13).center(); // band 14 at 2 kHz
        mouse(&g, QEvent::MouseButtonPress, b, Qt::LeftButton);
        mouse(&g, QEvent::MouseButtonRelease, b, Qt::NoButton);
        QCOMPARE(g.currentHandle(), 13);
        QCOMPARE(selected.size(), 1);
        QTest::keyClick(&g, Qt::Key_Right);
        QTest::keyClick(&g, Qt::Key_Up);
        QCOMPARE(peq.size(), 2);
        const auto &table = FilterTables::frequencies();
        const double next = *std::upper_bound(table.begin(), table.end(), 2000.0);
        QCOMPARE(double(g.response().band(13).frequency), double(float(next)));
        QCOMPARE(g.response().band(13).gain, 0.5f);
        for (int i = 0; i < 40; ++i)
            QTest::keyClick(&g, Qt::Key_Up);
        QCOMPARE(g.response().band(13).gain, 15.0f);
        // H moves along the table and stops at 20 Hz; it has no gain.
        g.setCurrentHandle(FilterGraph::HighPassHandle);
        QSignalSpy hp(&g, &FilterGraph::HPFilterChanged);
        QTest::keyClick(&g, Qt::Key_Left);
        QTest::keyClick(&g, Qt::Key_Up);
        QCOMPARE(hp.size(), 0); // already at 20 Hz
        QTest::keyClick(&g, Qt::Key_Right);
        QCOMPARE(hp.size(), 1);
        QVERIFY(hp.at(0).at(0).toFloat() > 20.0f);
    }

    void settersThatWouldBreakTheDrawing()
    {
        FilterGraph g;
        setUp(g);
        g.setDivisions(1);
        g.setDivisions(0);
        QCOMPARE(g.divisions(), 6);
        g.setBand(3, false, 0, 0.0f, std::nanf(""), std::nanf(""));
        g.setHPF(false, 1, 3, std::nanf(""));
        g.setLPF(false, 9, 9, -1.0f);
        for (int i = 0; i < FilterGraph::HandleCount; ++i) {
            const QRectF r = g.handleRect(i);
            QVERIFY(std::isfinite(r.x()) && std::isfinite(r.y()));
        }
        g.resize(20, 10); // smaller than the margins
        QVERIFY(!g.grab().isNull());
    }

    void exportWritesWhatIsShown()
    {
        ScratchDir dir;
        RecordingPrompt prompt;
        FilterGraph g;
        setUp(g);
        for (int b = 0; b < 16; ++b)
            g.setBand(b, b != 4, 0, 1000.0f, 0.0f, 1.0f);
        g.setBand(4, false, 0, 1000.0f, -6.0f, 1.4f);
        g.setLPF(false, 1, 1, 10000.0f);

        QVERIFY(g.exportCsv(dir.filePath(QStringLiteral("response.csv"))));
        const QList<QByteArray> lines =
            dir.readFile(QStringLiteral("response.csv")).trimmed().split('\n');
        QCOMPARE(lines.size(), 421);
        QCOMPARE(lines.first(), QByteArray("Frequency (Hz),LPF 1 (dB),Band 5 (dB),Total (dB)"));
        bool seen = false;
        for (const QByteArray &line : lines.mid(1)) {
            const QList<QByteArray> cells = line.split(',');
            QCOMPARE(cells.size(), 4);
            if (cells.at(0) == "1000") {
                seen = true;
                QVERIFY(std::fabs(cells.at(2).toDouble() + 6.0) < 0.2);
                QVERIFY(std::fabs(cells.at(3).toDouble() + 6.0) < 0.2);
            }
            if (cells.at(0) == "10000")
                QVERIFY(std::fabs(cells.at(1).toDouble() + 3.0) < 0.2);
        }
        QVERIFY(seen);

        QVERIFY(g.exportPng(dir.filePath(QStringLiteral("response.png"))));
        QCOMPARE(QImage(dir.filePath(QStringLiteral("response.png"))).size(), g.size());
        QVERIFY(prompt.messages.isEmpty());

        // A file that cannot be written is reported, not passed over.
        QVERIFY(!g.exportCsv(dir.filePath(QStringLiteral("missing/folder/response.csv"))));
        QCOMPARE(prompt.messages.size(), 1);
        QVERIFY(prompt.messages.first().contains(QStringLiteral("response.csv")));
    }
};

QTEST_MAIN(TestFilterGraph)
#include "tst_filtergraph.moc"
