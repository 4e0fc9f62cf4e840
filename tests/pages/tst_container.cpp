// The page container and the overview: page row, routing, capability answers,
// polling, meters and the global mute.

#include "pages/blockpage.h"
#include "pages/deferredsend.h"
#include "pages/funcwidget.h"
#include "pages/levels/factorytestwindow.h"
#include "pages/levels/qinlevel.h"
#include "pages/qoverview.h"
#include "protocol/packetrouter.h"
#include "protocol/transport.h"
#include "tests/support/loopbackpeer.h"
#include "widgets/meterwidget.h"
#include "widgets/qmeter.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QVBoxLayout>

namespace {
Proto::Frame answer(quint8 op, quint8 module, quint8 cmd, const QByteArray &payload)
{
    return frameOf(op, module, cmd, 0x80, payload);
}
} // namespace

class TestContainer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        QStandardPaths::setTestModeEnabled(true);
    }

    void deferredSendTiming()
    {
        DeferredSend d(15);
        QVector<int> sent;
        d.setSender([&](int key) { sent.append(key); });
        d.edit(3);
        d.edit(1);
        for (int i = 0; i < 9; ++i)
            d.tick();
        QVERIFY(sent.isEmpty());
        d.edit(3); // a new edit restarts its count
        d.tick();
        QCOMPARE(sent, QVector<int>{1});
        for (int i = 0; i < 8; ++i)
            d.tick();
        QCOMPARE(sent, QVector<int>{1});
        QVERIFY(d.isHolding());
        d.tick();
        QCOMPARE(sent, (QVector<int>{1, 3}));
        for (int i = 0; i < 4; ++i)
            d.tick();
        QVERIFY(d.isHolding());
        d.tick();
        QVERIFY(!d.isHolding()); // the 15th tick after the last edit
    }

    void deferredSendFlushesForItsTarget()
    {
        // An edit goes out for the target it was made for: a flush before the
        // target changes sends it at once, in key order, and only once.
        DeferredSend d;
        int target = 1;
        QVector<QPair<int, int>> sent; // key, target at send time
        d.setSender([&](int key) { sent.append({key, target}); });
        d.edit(5);
        d.edit(2);
        d.flush();
        target = 2;
        QCOMPARE(sent, (QVector<QPair<int, int>>{{2, 1}, {5, 1}}));
        QVERIFY(d.isHolding()); // a flush alone keeps the hold
        for (int i = 0; i < 10; ++i)
            d.tick();
        QCOMPARE(sent.size(), 2);
        d.edit(7);
        d.settle(); // what hiding a page does
        QCOMPARE(sent.size(), 3);
        QVERIFY(!d.isHolding());
        QVERIFY(!d.isBusy());
    }

    void deferredSendDropsEditsOfAnotherUnit()
    {
        LoopbackPeer first;
        DeferredSend d;
        QVector<int> sent;
        d.setSender([&](int key) { sent.append(key); });
        d.edit(1);
        LoopbackPeer second; // another unit becomes current
        d.edit(2);
        d.flush();
        QCOMPARE(sent, QVector<int>{2});
        d.edit(3);
        d.dropPending();
        d.flush();
        QCOMPARE(sent, QVector<int>{2});
        QVERIFY(!d.isHolding());
    }

    void factoryTestOpensFromTheInputPageWhereverTheFocusIs()
    {
        QWidget window;
        auto *elsewhere = new QLineEdit(&window);
        auto *func = new FuncWidget(&window);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(elsewhere);
        layout->addWidget(func);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        elsewhere->setFocus();
        const auto testWindowShown = [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (qobject_cast<FactoryTestWindow *>(w) && w->isVisible())
                    return true;
            return false;
        };
        func->setCurrentPage(FuncWidget::PreLevel);
        QTest::keyClick(elsewhere, Qt::Key_T, Qt::ControlModifier);
        QVERIFY(!testWindowShown()); // only while the input page is shown
        func->setCurrentPage(FuncWidget::InSetup);
        QTest::keyClick(elsewhere, Qt::Key_T, Qt::ControlModifier);
        QTRY_VERIFY(testWindowShown());
    }

    void startsOnPreLevelWithAgcAndAncHidden()
    {
        FuncWidget w;
        w.show();
        QCOMPARE(w.currentIndex(), int(FuncWidget::PreLevel));
        QVERIFY(w.pageButton(FuncWidget::PreLevel)->isChecked());
        QCOMPARE(w.pageButton(FuncWidget::PreLevel)->text(), QStringLiteral("Pre Level"));
        QCOMPARE(w.pageButton(FuncWidget::InSetup)->text(), QStringLiteral("In Setup"));
        QVERIFY(!w.pageButton(FuncWidget::Agc)->isVisible());
        QVERIFY(!w.pageButton(FuncWidget::Anc)->isVisible());
        QVERIFY(w.pageButton(FuncWidget::Aec)->isVisible());

        w.systemDispatch(answer(2, 2, 28, QByteArray(1, 1)));
        QVERIFY(w.pageButton(FuncWidget::Anc)->isVisible());
        w.systemDispatch(answer(2, 2, 28, QByteArray(1, 0)));
        QVERIFY(!w.pageButton(FuncWidget::Anc)->isVisible());
        w.systemDispatch(answer(2, 2, 25, QByteArray(1, 0)));
        QVERIFY(!w.pageButton(FuncWidget::Aec)->isVisible());
        w.systemDispatch(answer(2, 2, 25, QByteArray(2, 1))); // wrong length: ignored
        QVERIFY(!w.pageButton(FuncWidget::Aec)->isVisible());

        QTest::mouseClick(w.pageButton(FuncWidget::InSetup), Qt::LeftButton);
        QCOMPARE(w.currentIndex(), int(FuncWidget::InSetup));
    }

    void versionDecidesBandCount()
    {
        FuncWidget w;
        w.systemDispatch(answer(2, 2, 3, QByteArray::fromHex("020700")));
        QCOMPARE(w.bandCount(), 16);
        w.systemDispatch(answer(2, 2, 3, QByteArray::fromHex("020800")));
        QCOMPARE(w.bandCount(), 8);
        w.systemDispatch(answer(2, 2, 3, QByteArray::fromHex("010900")));
        QCOMPARE(w.bandCount(), 16);
    }

    void routesBlockAnswersAndRelaysMeters()
    {
        FuncWidget w;
        PacketRouter router;
        w.installRoutes(router);
        QSignalSpy meters(&w, &FuncWidget::inlevelMeterChanged);
        QVERIFY(router.dispatch(answer(3, 1, 1, QByteArray(16, char(-12)))));
        QCOMPARE(meters.size(), 16);
        QCOMPARE(meters.at(5).at(1).toInt(), -12);
        router.dispatch(answer(3, 20, 1, QByteArray(16, 0))); // nobody's module: ignored
        QCOMPARE(meters.size(), 16);
    }

    void refreshesOnlyThePageOnScreen()
    {
        LoopbackPeer peer;
        FuncWidget w;
        w.show();
        w.setCurrentPage(FuncWidget::InSetup);
        QVERIFY(peer.waitForFrames(5, 1000));
        for (const Proto::Frame &f : peer.frames())
            QCOMPARE(int(f.module), 1);
        w.setEnabled(false);
        QTest::qWait(50);
        peer.clear();
        QVERIFY(peer.staysQuiet(300));
    }

    void meterFloorAndNumbers()
    {
        QOverView o;
        o.setInMeter(0, -70);
        QCOMPARE(o.inputNumberText(0), QStringLiteral("-40"));
        QCOMPARE(o.inputBarValue(0), -40);
        o.CtrlNClicked();
        QCOMPARE(o.meterFloor(), -100);
        QCOMPARE(o.inputNumberText(0), QStringLiteral("-70"));
        QCOMPARE(o.inputBarValue(0), -70);
        QCOMPARE(o.meterWidget()->floor(), -100); // the panel follows
        o.setInMeter(16, 3);                      // no such channel
        // The panel's own Ctrl+N switches the overview back without looping.
        o.meterWidget()->CtrlNClicked();
        QCOMPARE(o.meterFloor(), -40);
        QCOMPARE(o.meterWidget()->floor(), -40);
        QCOMPARE(o.inputNumberText(0), QStringLiteral("-40"));
    }

    void identityTexts()
    {
        QOverView o;
        o.setARMVer(0, 0, 0);
        QCOMPARE(o.armVersionText(), QString());
        o.setDSPVer(2, 8, 11);
        QCOMPARE(o.dspVersionText(), QStringLiteral("V2.8.11"));
        o.setDspUsage(23.44f, 5.0f);
        QCOMPARE(o.dspUsageText(), QStringLiteral("23.4%,5.0%"));
        setLoggedIn(false);
        o.setLinkState(QAbstractSocket::ConnectedState);
        QCOMPARE(o.linkText(), QStringLiteral("Unconnected"));
        setLoggedIn(true);
        o.setLinkState(QAbstractSocket::UnconnectedState);
        QCOMPARE(o.linkText(), QStringLiteral("Connected"));
        setLoggedIn(false);
        o.clear();
        QCOMPARE(o.dspUsageText(), QString());
        QCOMPARE(o.inputBarValue(3), -40); // -100 shown at the floor
    }

    void muteSendsExactlyOneFrame()
    {
        LoopbackPeer peer;
        QOverView o;
        o.show();
        QTest::qWait(1); // let the poll start; its reads are filtered out below
        peer.clear();
        QTest::mouseClick(o.muteButton(), Qt::LeftButton);
        QTRY_VERIFY(peer.rawReceived().contains(QByteArray::fromHex("827D0100020210010100017D82")));
        // Ctrl+M toggles and sends the new state; a status answer only sets the button.
        QVERIFY(o.muteButton()->isChecked());
        o.muteAccess();
        QVERIFY(!o.muteButton()->isChecked());
        QTRY_VERIFY(peer.rawReceived().contains(QByteArray::fromHex("827D0100020210010100007D82")));
        o.setAllMute(true);
        QVERIFY(o.muteButton()->isChecked());
    }

    void pollsMetersAndStatus()
    {
        LoopbackPeer peer;
        QOverView o;
        QVERIFY(peer.waitForFrames(28, 1500)); // two meter rounds and one status round
        QVector<QPair<int, int>> order;
        for (const Proto::Frame &f : peer.frames().mid(0, 14))
            order.append({f.module, f.cmd});
        const QVector<QPair<int, int>> expected{{1, 1},  {11, 1}, {7, 7},  {11, 8}, {1, 1},
                                                {11, 1}, {7, 7},  {11, 8}, {2, 2},  {2, 3},
                                                {2, 10}, {2, 11}, {2, 19}, {2, 16}};
        QCOMPARE(order, expected);
    }
};

QTEST_MAIN(TestContainer)
#include "tst_container.moc"
