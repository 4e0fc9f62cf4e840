// The main window end to end against simulated units on loopback: discovery,
// selection, login, polling, a gain edit reaching the unit, and recovery from
// a dropped connection.

#include "app/mainwindow.h"
#include "app/qlogin.h"
#include "app/qpswmoddialog.h"
#include "cmdtool/commandtoolwidget.h"
#include "cmdtool/prelevelcmdwidget.h"
#include "devices/discoveryscope.h"
#include "devices/qdevicelist.h"
#include "devices/qdevicetable.h"
#include "pages/funcwidget.h"
#include "pages/knobfield.h"
#include "pages/levels/qdevlabel.h"
#include "pages/levels/qinlevel.h"
#include "pages/levels/qoutlevel.h"
#include "pages/levels/qpremixlevel.h"
#include "pages/operatorprompt.h"
#include "pages/qoverview.h"
#include "protocol/transport.h"
#include "sim/labeltables.h"
#include "sim/levelblocks.h"
#include "sim/simunit.h"
#include "tests/support/apprig.h"
#include "tests/support/pagetest.h"
#include "tests/support/testsupport.h"
#include "widgets/elidedlabel.h"
#include "widgets/qfader.h"
#include "widgets/qmeter.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

#include <memory>

namespace {

using Rig = AppRig;

// Answers every question with a fixed button and remembers what was asked.
class ScriptedPrompt final : public OperatorPrompt
{
public:
    explicit ScriptedPrompt(int answer) : m_answer(answer) { install(this); }
    ~ScriptedPrompt() override { install(nullptr); }
    int ask(QWidget *, QMessageBox::Icon, const QString &title, const QString &,
            const QStringList &, int) override
    {
        asked.append(title);
        return m_answer;
    }
    QStringList asked;

private:
    int m_answer;
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void endToEndWithPassword()
    {
        Rig rig(1, QStringLiteral("1234"));
        MainWindow &w = *rig.window;
        w.show();
        QTRY_COMPARE(w.deviceList()->count(), 1);
        const int row = rig.rowOf(0);
        emit w.deviceList()->sig_devChanged(row);
        QTRY_VERIFY(w.loginDialog()->isVisible());
        QVERIFY(!isLoggedIn());
        QCOMPARE(w.overview()->linkText(), QStringLiteral("Unconnected"));

        w.loginDialog()->passwordEdit()->setText(QStringLiteral("1234"));
        w.loginDialog()->accept();
        QTRY_VERIFY(isLoggedIn());
        QCOMPARE(w.overview()->linkText(), QStringLiteral("Connected"));
        QVERIFY(!w.loginDialog()->isVisible());
        QTRY_VERIFY(rig.sim(0).hasLoggedInSession());

        // The overview's poll brings the unit's meters.
        QSet<int> seen;
        QTRY_VERIFY_WITH_TIMEOUT((seen.insert(w.overview()->inputBarValue(0)), seen.size() > 2),
                                 5000);

        // A gain typed on "In Setup" reaches the unit 100 ms later.
        w.funcWidget()->setCurrentPage(FuncWidget::InSetup);
        QInLevel *page = w.funcWidget()->inLevel();
        QLineEdit *edit = page->gainControl(0)->edit();
        typeText(edit, QStringLiteral("7.5"));
        ChannelBlock *inputs = rig.sim(0).model().block(Proto::Module::InputLevel);
        QTRY_COMPARE(inputs->get<float>(Proto::InLevelCmd::Gain, 0), 7.5f);

        // A dropped connection comes back and logs in with the stored password.
        QSignalSpy loginShown(w.loginDialog(), &QDialog::finished);
        rig.sim(0).dropConnections();
        QTRY_VERIFY(!isLoggedIn());
        QTRY_VERIFY_WITH_TIMEOUT(isLoggedIn(), 5000);
        QVERIFY(!w.loginDialog()->isVisible());
        QVERIFY(rig.sim(0).hasLoggedInSession());
    }

    void wrongPasswordAsksAgain()
    {
        Rig rig(1, QStringLiteral("secret"));
        MainWindow &w = *rig.window;
        QTRY_COMPARE(w.deviceList()->count(), 1);
        w.devChanged(rig.rowOf(0));
        QTRY_VERIFY(w.loginDialog()->isVisible());
        w.loginDialog()->passwordEdit()->setText(QStringLiteral("guess"));
        w.loginDialog()->accept();
        QTRY_VERIFY(w.loginDialog()->isVisible()); // asked again, field emptied
        QCOMPARE(w.loginDialog()->password(), QString());
        QVERIFY(!isLoggedIn());
    }

    void emptyPasswordSendsLengthZero()
    {
        Rig rig(1, QStringLiteral("x"));
        MainWindow &w = *rig.window;
        QSignalSpy requests(&rig.sim(0), &SimUnit::requestReceived);
        QTRY_COMPARE(w.deviceList()->count(), 1);
        w.devChanged(rig.rowOf(0));
        QTRY_VERIFY(w.loginDialog()->isVisible());
        w.loginDialog()->accept();
        const auto loginRequest = [&requests]() -> const Proto::Frame * {
            static Proto::Frame found;
            for (const QList<QVariant> &args : qAsConst(requests)) {
                found = args.at(0).value<Proto::Frame>();
                if (found.op == 2 && found.module == 1 && found.cmd == 1)
                    return &found;
            }
            return nullptr;
        };
        QTRY_VERIFY(loginRequest());
        QCOMPARE(int(loginRequest()->length), 0);
        QCOMPARE(int(loginRequest()->flag), 1);
    }

    void selectingAnotherUnitLogsOutAtOnce()
    {
        Rig rig(2);
        MainWindow &w = *rig.window;
        QTRY_COMPARE(w.deviceList()->count(), 2);
        w.devChanged(rig.rowOf(0));
        QTRY_VERIFY(isLoggedIn());
        QTcpSocket *oldSocket = currentSocket();
        QTRY_VERIFY(!w.overview()->dspUsageText().isEmpty());
        w.devChanged(rig.rowOf(1));
        QVERIFY(!isLoggedIn());
        QCOMPARE(w.overview()->dspUsageText(), QString()); // the old unit's values are cleared
        QVERIFY(currentSocket() != oldSocket);
        QCOMPARE(w.overview()->linkText(), QStringLiteral("Unconnected"));
        // The old connection is closed at once; frames already on their way may
        // still land, but nothing reaches the old unit afterwards although the
        // overview keeps polling.
        QTRY_COMPARE(rig.sim(0).sessionCount(), 0);
        QSignalSpy oldUnit(&rig.sim(0), &SimUnit::requestReceived);
        QTest::qWait(300);
        QCOMPARE(oldUnit.count(), 0);
        QCOMPARE(rig.sim(0).sessionCount(), 0);
        QTRY_VERIFY(isLoggedIn());
        QCOMPARE(currentSocket()->peerAddress(), QHostAddress(QStringLiteral("127.0.0.3")));
    }

    void labelsAndOutputGainEndToEnd()
    {
        Rig rig(1);
        MainWindow &w = *rig.window;
        w.show();
        QTRY_COMPARE(w.deviceList()->count(), 1);
        w.devChanged(rig.rowOf(0));
        QTRY_VERIFY(isLoggedIn());
        // After the login the names are read and handed to the pages.
        QOutLevel *out = w.funcWidget()->outLevel();
        QTRY_COMPARE(out->nameLabel(0)->text(), QStringLiteral("Main L"));

        w.funcWidget()->setCurrentPage(FuncWidget::Label);
        QLineEdit *field = w.funcWidget()->devLabel()->field(QDevLabel::Outputs, 2);
        typeText(field, QStringLiteral("Balcony"));
        QCOMPARE(out->nameLabel(2)->text(), QStringLiteral("Balcony"));
        QCOMPARE(out->nameLabel(2)->parentWidget()->toolTip(), QStringLiteral("Balcony"));
        QTRY_COMPARE(rig.sim(0).model().labels().label(LabelTables::Outputs, 2),
                     QByteArray("Balcony"));

        // A fader dragged to the bottom reaches the unit as "off".
        w.funcWidget()->setCurrentPage(FuncWidget::OutLevel);
        QFader *fader = out->fader(4);
        QTRY_VERIFY(fader->isVisible());
        const QPoint from = fader->handleRect().center().toPoint();
        dragMouse(fader, from, QPoint(from.x(), fader->height() + 30));
        ChannelBlock *outputs = rig.sim(0).model().block(Proto::Module::OutputLevel);
        QTRY_COMPARE(outputs->get<float>(Proto::OutLevelCmd::Gain, 4), -100.0f);
    }

    void commandToolTextEqualsThePagesFrame()
    {
        Rig rig(1);
        MainWindow &w = *rig.window;
        QTRY_COMPARE(w.deviceList()->count(), 1);
        w.devChanged(rig.rowOf(0));
        QTRY_VERIFY(isLoggedIn());
        QSignalSpy requests(&rig.sim(0), &SimUnit::requestReceived);
        QTest::mouseClick(w.funcWidget()->preMixLevel()->muteButton(2), Qt::LeftButton);
        QByteArray sent;
        QTRY_VERIFY([&] {
            for (const QList<QVariant> &args : qAsConst(requests)) {
                const auto f = args.at(0).value<Proto::Frame>();
                if (f.op == 3 && f.module == 7 && f.flag == 1)
                    sent = Proto::makeFrame(f.codeId, f.op, f.module, f.cmd, f.flag, f.payload);
            }
            return !sent.isEmpty();
        }());

        w.cmdToolClicked();
        auto *tool = w.findChild<CommandToolWidget *>();
        QVERIFY(tool);
        auto *tab = tool->findChild<PreLevelCmdWidget *>();
        tab->findChild<QComboBox *>(QStringLiteral("channelBox"))->setCurrentIndex(2);
        tab->findChild<QPushButton *>(QStringLiteral("muteToggle"))->setChecked(true);
        tab->findChild<QPushButton *>(QStringLiteral("muteGenButton"))->click();
        QCOMPARE(tool->commandText(), Proto::hexText(sent));
    }

    void highDpiChoiceIsStoredAndAsksToRestart()
    {
        Rig rig(1);
        MainWindow &w = *rig.window;
        ScriptedPrompt prompt(1); // "No, take effect at next startup"
        w.action(QStringLiteral("0"))->trigger();
        QCOMPARE(prompt.asked, QStringList{QStringLiteral("Restart to take effect")});
        QVERIFY(!w.restartRequested());
        QVERIFY(w.action(QStringLiteral("0"))->isChecked());
        QVERIFY(!w.action(QStringLiteral("1"))->isChecked());
        QVERIFY(rig.dir.readFile(QStringLiteral("cfg.dat")).contains("HighDpiScaling:0\r\n"));
        w.action(QStringLiteral("0"))->trigger(); // no change: no question
        QCOMPARE(prompt.asked.size(), 1);
    }

    void languageSwitchRetranslatesAndIsStored()
    {
        ScratchDir dir;
        for (const char *name : {"language.dat", "english.qm", "chinese.qm"}) {
            QFile f(QStringLiteral(DAP_RUN_DIR "/translations/") + QLatin1String(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            dir.writeFile(QStringLiteral("translations/") + QLatin1String(name), f.readAll());
        }
        MainWindow w(DiscoveryScope::loopback(freeUdpPort(), 0, 1), nullptr);
        QCOMPARE(w.windowTitle(), QStringLiteral("Digital Audio Processor"));
        QVERIFY(w.action(QStringLiteral("language2"))->isVisible());
        QVERIFY(!w.action(QStringLiteral("language3"))->isVisible());
        w.action(QStringLiteral("language2"))->trigger();
        QCOMPARE(w.windowTitle(), QStringLiteral("数字音频处理器"));
        QTRY_COMPARE(w.action(QStringLiteral("language2"))->text(), QStringLiteral("中文"));
        QTRY_COMPARE(w.funcWidget()->pageButton(FuncWidget::OutLevel)->text(),
                     QStringLiteral("输出电平"));
        QVERIFY(dir.readFile(QStringLiteral("cfg.dat")).startsWith("current lang:1\r\n"));
        w.action(QStringLiteral("language1"))->trigger();
        QTRY_COMPARE(w.funcWidget()->pageButton(FuncWidget::OutLevel)->text(),
                     QStringLiteral("Out Level"));
    }

    void lastUnitIsSelectedAgainAtStart()
    {
        {
            Rig first(2);
            QTRY_COMPARE(first.window->deviceList()->count(), 2);
            first.window->devChanged(first.rowOf(1));
            QTRY_VERIFY(isLoggedIn());
        }
        QVERIFY(!isLoggedIn());
        Rig second(2, QString(), false);
        QTRY_VERIFY(isLoggedIn());
        QCOMPARE(currentSocket()->peerAddress(), QHostAddress(QStringLiteral("127.0.0.3")));
    }

    // The program's own start: the window shows with the page on screen, the
    // others are built after the first paint one per turn of the event loop,
    // and something that needs them builds the rest at once.
    void visibleFirstBuildsTheRestAfterThePaint_data()
    {
        QTest::addColumn<bool>("neededEarly");
        QTest::newRow("after the paint") << false;
        QTest::newRow("needed while being built") << true;
    }

    void visibleFirstBuildsTheRestAfterThePaint()
    {
        QFETCH(bool, neededEarly);
        MainWindow w(DiscoveryScope::loopback(freeUdpPort(), freeUdpPort(), 1), nullptr,
                     MainWindow::Start::VisibleFirst);
        FuncWidget *func = w.funcWidget();
        QVERIFY(qobject_cast<QPreMixLevel *>(func->page(FuncWidget::PreLevel)));
        QVERIFY(!qobject_cast<QInLevel *>(func->page(FuncWidget::InSetup)));
        QSignalSpy completed(&w, &MainWindow::startCompleted);

        // A timer of the event loop sees pages built and others still to come.
        int turnsWhileBuilding = 0;
        QTimer turns;
        turns.setInterval(0);
        connect(&turns, &QTimer::timeout, [&] {
            if (func->pagesBuilt() || !qobject_cast<QInLevel *>(func->page(FuncWidget::InSetup)))
                return;
            ++turnsWhileBuilding;
            if (neededEarly)
                w.completeStart(); // e.g. the unit's first answer arrives
        });
        turns.start();
        w.show();
        QVERIFY(completed.wait());
        turns.stop();
        QCOMPARE(completed.count(), 1);
        QVERIFY(w.isStartComplete() && func->pagesBuilt());
        QVERIFY(turnsWhileBuilding >= 1);
        if (neededEarly)
            QCOMPARE(turnsWhileBuilding, 1);
        QVERIFY(qobject_cast<QInLevel *>(func->page(FuncWidget::InSetup)));
        QVERIFY(qobject_cast<QOutLevel *>(func->page(FuncWidget::OutLevel)));
        QCOMPARE(QString::fromLatin1(func->page(FuncWidget::Preset)->metaObject()->className()),
                 QStringLiteral("QPreset"));
        QCOMPARE(QString::fromLatin1(func->page(FuncWidget::Settings)->metaObject()->className()),
                 QStringLiteral("settings"));
        w.completeStart(); // nothing more to do
        QCOMPARE(completed.count(), 1);
    }

    void passwordDialogNeedsTwoEqualTexts()
    {
        QPSWModDialog d;
        QVERIFY(!d.okButton()->isEnabled());
        d.newEdit()->setText(QStringLiteral("abc"));
        QVERIFY(!d.okButton()->isEnabled());
        d.confirmEdit()->setText(QStringLiteral("abd"));
        QVERIFY(!d.okButton()->isEnabled());
        d.confirmEdit()->setText(QStringLiteral("abc"));
        QVERIFY(d.okButton()->isEnabled());
        d.newEdit()->clear();
        d.confirmEdit()->clear();
        QVERIFY(!d.okButton()->isEnabled());
        d.newEdit()->setText(QStringLiteral("n3w"));
        d.confirmEdit()->setText(QStringLiteral("n3w"));
        QTest::mouseClick(d.okButton(), Qt::LeftButton);
        QCOMPARE(d.newPassword(), QStringLiteral("n3w"));
        QVERIFY(d.newEdit()->text().isEmpty());
    }

    void passwordChangeReachesUnitAndIsUsedOnReconnect()
    {
        Rig rig(1, QStringLiteral("old"));
        MainWindow &w = *rig.window;
        QTRY_COMPARE(w.deviceList()->count(), 1);
        w.devChanged(rig.rowOf(0));
        QTRY_VERIFY(w.loginDialog()->isVisible());
        w.loginDialog()->passwordEdit()->setText(QStringLiteral("old"));
        w.loginDialog()->accept();
        QTRY_VERIFY(isLoggedIn());
        w.pwdModTriggered();
        QVERIFY(w.passwordDialog()->isVisible());
        w.passwordDialog()->newEdit()->setText(QStringLiteral("new"));
        w.passwordDialog()->confirmEdit()->setText(QStringLiteral("new"));
        w.passwordDialog()->Accept();
        QTRY_COMPARE(rig.sim(0).model().system().password, QStringLiteral("new"));
        rig.sim(0).dropConnections();
        QTRY_VERIFY(!isLoggedIn());
        QTRY_VERIFY_WITH_TIMEOUT(isLoggedIn(), 5000);
        QVERIFY(!w.loginDialog()->isVisible());
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
