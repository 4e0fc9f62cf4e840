// The crosspoint editor: gains on the wire, switching, the shown crosspoint,
// pending gains that follow their selection, the matrix page's link to it,
// and the drag-scroll area.

#include "pages/matrix/crosspointgrid.h"
#include "pages/matrix/dragscrollarea.h"
#include "pages/matrix/matrixmixvaluewidget.h"
#include "pages/matrix/qmixbutton2.h"
#include "pages/matrix/qmixer.h"
#include "pages/matrix/qmtxwidget.h"
#include "tests/support/loopbackpeer.h"
#include "tests/support/pagetest.h"
#include "widgets/qfader.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

void press(MatrixMixValueWidget &editor, int input, int output)
{
    QTest::mouseClick(editor.mixButton(input, output), Qt::LeftButton);
}

// A band on the grid's background over the crosspoints from (in0, out0) to (in1, out1).
void band(CrosspointGrid *grid, int in0, int out0, int in1, int out1)
{
    const QPoint shift(CrosspointGrid::BandShift, CrosspointGrid::BandShift);
    const QPoint from = grid->button(in0, out0)->geometry().topLeft() + shift;
    const QPoint to = grid->button(in1, out1)->geometry().bottomRight() + shift;
    dragMouse(grid->mtxWidget(), from, to);
}

} // namespace

class TestMixValue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void typedGainOnTheWire_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("sent");
        QTest::newRow("bottom is off") << "-56" << -56 << -70;
        QTest::newRow("above the bottom") << "-55" << -55 << -55;
        QTest::newRow("below the bottom") << "-100" << -56 << -70;
        QTest::newRow("above the top") << "20" << 12 << 12;
        QTest::newRow("no number") << "" << 0 << 0;
    }

    void typedGainOnTheWire()
    {
        QFETCH(QString, text);
        QFETCH(int, shown);
        QFETCH(int, sent);
        LoopbackPeer peer;
        MatrixMixValueWidget editor;
        editor.show();
        QSignalSpy gainSpy(&editor, &MatrixMixValueWidget::mixGainChanged);
        press(editor, 1, 2);
        typeText(editor.gainEdit(), text);
        QCOMPARE(editor.gainEdit()->text(), QString::number(shown));
        QCOMPARE(editor.fader()->value(), float(shown));
        QCOMPARE(editor.mixGain(1, 2), shown);
        QCOMPARE(editor.mixButton(1, 2)->text(), QStringLiteral("%1dB").arg(shown));
        QCOMPARE(gainSpy.size(), 1);
        QCOMPARE(gainSpy.at(0).at(0).toFloat(), float(shown));
        QVERIFY(peer.waitForFrames(1));
        const Proto::Frame &f = peer.frames().at(0);
        QCOMPARE(int(f.module), 8);
        QCOMPARE(int(f.cmd), 2);
        QCOMPARE(f.payload, QByteArray::fromHex("0201") + char(qint8(sent)));
    }

    void switchingTwoOutputs()
    {
        LoopbackPeer peer;
        MatrixMixValueWidget editor;
        editor.show();
        QSignalSpy clicked(&editor, &MatrixMixValueWidget::mixButtonClicked);
        band(editor.grid(), 4, 6, 5, 7);
        press(editor, 5, 7);
        QVERIFY(editor.isHolding());
        QVERIFY(peer.waitForFrames(2));
        QVERIFY(peer.staysQuiet(100));
        QCOMPARE(peer.frames().size(), 2);
        QCOMPARE(int(peer.frames().at(0).cmd), 1);
        QCOMPARE(peer.frames().at(0).payload, QByteArray::fromHex("06040501"));
        QCOMPARE(peer.frames().at(1).payload, QByteArray::fromHex("07040501"));
        QCOMPARE(clicked.size(), 4);
        QVector<QVariantList> expected{{4, 6, true}, {5, 6, true}, {4, 7, true}, {5, 7, true}};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(QVariantList(clicked.at(i)), expected.at(i));
        QCOMPARE(editor.inputField()->text(), QStringLiteral("IN 6"));
        QCOMPARE(editor.outputField()->text(), QStringLiteral("OUT 8"));
    }

    void shownCrosspointFollowsSelection()
    {
        MatrixMixValueWidget editor;
        editor.show();
        editor.setMixGain(2, 1, -20);
        band(editor.grid(), 2, 1, 3, 2);
        QCOMPARE(editor.inputField()->text(), QStringLiteral("IN 3"));
        QCOMPARE(editor.outputField()->text(), QStringLiteral("OUT 2"));
        QCOMPARE(editor.gainEdit()->text(), QStringLiteral("-20"));
        // A gain from the unit for the shown crosspoint shows at once.
        editor.setMixGain(2, 1, -9);
        QCOMPARE(editor.fader()->value(), -9.0f);
        QCOMPARE(editor.gainEdit()->text(), QStringLiteral("-9"));
        editor.setMixGain(3, 2, 4); // not the shown one: only its button
        QCOMPARE(editor.gainEdit()->text(), QStringLiteral("-9"));
        QCOMPARE(editor.mixButton(3, 2)->text(), QStringLiteral("4dB"));
        // Nothing selected: nothing shown.
        sendMouse(editor.grid()->mtxWidget(), QEvent::MouseButtonPress, QPoint(1, 1),
                  Qt::LeftButton);
        QCOMPARE(editor.inputField()->text(), QStringLiteral("--"));
        QCOMPARE(editor.outputField()->text(), QStringLiteral("--"));
        sendMouse(editor.grid()->mtxWidget(), QEvent::MouseButtonRelease, QPoint(1, 1),
                  Qt::NoButton);
    }

    void pendingGainGoesToTheSelectionItWasMadeFor()
    {
        LoopbackPeer peer;
        MatrixMixValueWidget editor;
        editor.show();
        press(editor, 1, 2);
        typeText(editor.gainEdit(), QStringLiteral("-12"));
        press(editor, 5, 6); // another selection before the deferred send
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(peer.frames().at(0).payload, QByteArray::fromHex("0201") + char(-12));
        QVERIFY(peer.staysQuiet(200)); // and not again for the new selection
        QCOMPARE(editor.mixGain(5, 6), 0);
        QCOMPARE(editor.gainEdit()->text(), QStringLiteral("0"));
    }

    void hidingSendsThePendingGainAndClearsTheSelection()
    {
        LoopbackPeer peer;
        MatrixMixValueWidget editor;
        editor.show();
        QVERIFY(editor.isTimerRunning());
        press(editor, 0, 15);
        emit editor.fader()->valueChanged(2.6f);
        QCOMPARE(editor.mixButton(0, 15)->text(), QStringLiteral("3dB"));
        editor.hide();
        QVERIFY(!editor.isTimerRunning());
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(peer.frames().at(0).payload, QByteArray::fromHex("0F0003"));
        QVERIFY(!editor.grid()->hasSelection());
        QCOMPARE(editor.inputField()->text(), QStringLiteral("--"));
    }

    void pageAndEditorWorkTogether()
    {
        LoopbackPeer peer;
        QMixer page;
        page.show();
        QTest::mouseClick(page.grid()->button(0, 0), Qt::LeftButton); // selected on the page
        page.mixValueButton()->click();
        MatrixMixValueWidget *editor = page.editor();
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->windowModality(), Qt::ApplicationModal);

        // A gain edit is written by the editor for its own selection only: no
        // 0 dB write follows for what is selected on the page's grid.
        press(*editor, 3, 4);
        typeText(editor->gainEdit(), QStringLiteral("-10"));
        QVERIFY(page.isHolding());
        QVERIFY(peer.waitForFrames(1));
        QVERIFY(peer.staysQuiet(250));
        QCOMPARE(peer.frames().size(), 1);
        QCOMPARE(peer.frames().at(0).payload, QByteArray::fromHex("0403") + char(-10));

        // A switch in the editor shows on the page, which sends nothing itself.
        peer.clear();
        press(*editor, 3, 4);
        QVERIFY(page.isMixOn(3, 4));
        QVERIFY(peer.waitForFrames(1));
        QVERIFY(peer.staysQuiet(150));
        QCOMPARE(peer.frames().size(), 1);
        QCOMPARE(peer.frames().at(0).payload, QByteArray::fromHex("040301"));
        editor->close();
        QVERIFY(!editor->isVisible());
    }

    void dragScrollFollowsThePointerAfterTheDeadZone()
    {
        MatrixMixValueWidget editor;
        editor.resize(420, 320);
        editor.show();
        DragScrollArea *area = editor.scrollArea();
        QScrollBar *h = area->horizontalScrollBar();
        QScrollBar *v = area->verticalScrollBar();
        QVERIFY(h->maximum() > 100 && v->maximum() > 100);
        h->setValue(60);
        v->setValue(60);
        QWidget *port = area->viewport();
        sendMouse(port, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton);
        sendMouse(port, QEvent::MouseMove, QPoint(101, 100), Qt::LeftButton); // recorded
        sendMouse(port, QEvent::MouseMove, QPoint(110, 92), Qt::LeftButton);  // inside
        QCOMPARE(h->value(), 60);
        QCOMPARE(v->value(), 60);
        QVERIFY(!area->isDragging());
        sendMouse(port, QEvent::MouseMove, QPoint(112, 100), Qt::LeftButton); // left it
        QVERIFY(area->isDragging());
        QCOMPARE(h->value(), 49);
        QCOMPARE(v->value(), 60);
        sendMouse(port, QEvent::MouseMove, QPoint(102, 110), Qt::LeftButton);
        QCOMPARE(h->value(), 59);
        QCOMPARE(v->value(), 50);
        sendMouse(port, QEvent::MouseButtonRelease, QPoint(102, 110), Qt::NoButton);
        sendMouse(port, QEvent::MouseMove, QPoint(50, 50), Qt::NoButton);
        QCOMPARE(h->value(), 59);
        QVERIFY(!area->isDragging());
    }

    void destroyedWithAnEditInItsGainFieldSendsNothing()
    {
        // The field loses the focus only while QWidget's destructor hides the
        // window, when the editor's own parts are gone: its edit must reach
        // neither them (the sanitizer build reports such a call) nor the unit.
        LoopbackPeer peer;
        auto *editor = new MatrixMixValueWidget;
        editor->show();
        QVERIFY(QTest::qWaitForWindowActive(editor));
        press(*editor, 1, 2);
        editor->gainEdit()->setFocus();
        QVERIFY(editor->gainEdit()->hasFocus());
        QTest::keyClicks(editor->gainEdit(), QStringLiteral("-20"));
        peer.staysQuiet(100); // what the press sent
        peer.clear();
        delete editor;
        QVERIFY(peer.staysQuiet());
    }

    void geometryIsKept()
    {
        QSettings(QStringLiteral("Tarnvale"), QStringLiteral("KR"))
            .remove(QStringLiteral("MixValueGeometry"));
        {
            MatrixMixValueWidget editor;
            editor.resize(640, 410);
        }
        QVERIFY(QSettings(QStringLiteral("Tarnvale"), QStringLiteral("KR"))
                    .contains(QStringLiteral("MixValueGeometry")));
        MatrixMixValueWidget again;
        QCOMPARE(again.size(), QSize(640, 410));
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestMixValue)
#include "tst_mixvalue.moc"
