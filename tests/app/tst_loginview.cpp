// What the window says about the login, against simulated units on loopback:
// the login box names the unit it asks for and says when a password was
// refused; the device list, the table and the overview agree on when the
// unit is connected; the pages cannot be edited before the login; the
// factory reset names the unit and leaves Cancel as the default.

#include "app/factoryreset.h"
#include "app/mainwindow.h"
#include "app/qlogin.h"
#include "devices/devicetablemodel.h"
#include "devices/qdeviceitem.h"
#include "devices/qdevicelist.h"
#include "pages/blockpage.h"
#include "pages/funcwidget.h"
#include "pages/operatorprompt.h"
#include "pages/qoverview.h"
#include "protocol/transport.h"
#include "tests/support/apprig.h"
#include "tests/support/testsupport.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Password = QStringLiteral("1234");

// Records the one question asked and answers Cancel.
class RecordingPrompt final : public OperatorPrompt
{
public:
    RecordingPrompt() { install(this); }
    ~RecordingPrompt() override { install(nullptr); }
    int ask(QWidget *, QMessageBox::Icon i, const QString &, const QString &t, const QStringList &b,
            int d) override
    {
        icon = i;
        text = t;
        buttons = b;
        defaultButton = d;
        return 1;
    }
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QStringList buttons;
    int defaultButton = -1;
};

QString netStatus(MainWindow &w, int row)
{
    return w.deviceTable()
        ->view()
        ->model()
        ->index(row, DeviceTableModel::ColumnNetStatus)
        .data()
        .toString();
}

} // namespace

class TestLoginView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    // Until the unit takes the password: the list and the table say "Logging
    // in…", the overview "Unconnected", and the pages are greyed; the login
    // box names the unit. A refused password is said so; the right one makes
    // every view say connected and the pages editable.
    void loginSaysWhatHappens()
    {
        AppRig rig(1, Password);
        MainWindow &w = *rig.window;
        w.show();
        FuncWidget *pages = w.funcWidget();
        QVERIFY(!pages->pagesEnabled());
        QVERIFY(pages->pageButton(FuncWidget::Matrix)->isEnabled()); // looking round works
        QVERIFY(rig.select(0));
        QTRY_VERIFY(w.loginDialog()->isVisible());
        QLogin *login = w.loginDialog();
        QCOMPARE(login->unitText(), QStringLiteral("DAP-1616\n127.0.0.2\nRack 1"));
        QCOMPARE(login->refusalText(), QString()); // the unit asked; nothing was refused

        QDeviceItem *item = w.deviceList()->item(0);
        QTRY_VERIFY(item->isConnected());
        QCOMPARE(item->stateText(), QStringLiteral("Logging in…"));
        QCOMPARE(netStatus(w, 0), QStringLiteral("Online(Logging in…)"));
        QCOMPARE(w.overview()->linkText(), QStringLiteral("Unconnected"));
        QVERIFY(!pages->pagesEnabled());

        login->passwordEdit()->setText(QStringLiteral("guess"));
        login->accept();
        QTRY_VERIFY(login->isVisible());
        QVERIFY(!login->refusalText().isEmpty());
        QCOMPARE(login->unitText(), QStringLiteral("DAP-1616\n127.0.0.2\nRack 1"));
        QCOMPARE(item->stateText(), QStringLiteral("Logging in…"));

        login->passwordEdit()->setText(Password);
        login->accept();
        QTRY_VERIFY(isLoggedIn());
        QCOMPARE(item->stateText(), QStringLiteral("Connected"));
        QCOMPARE(netStatus(w, 0), QStringLiteral("Online(Connected)"));
        QCOMPARE(w.overview()->linkText(), QStringLiteral("Connected"));
        QVERIFY(pages->pagesEnabled());

        // The connection drops: every view goes back at once.
        rig.sim(0).dropConnections();
        QTRY_VERIFY(!isLoggedIn());
        QVERIFY(!pages->pagesEnabled());
        QVERIFY(item->stateText() != QStringLiteral("Connected"));
        // It comes back and logs in with the password that worked.
        QTRY_VERIFY_WITH_TIMEOUT(isLoggedIn(), 5000);
        QTRY_COMPARE(item->stateText(), QStringLiteral("Connected"));
        QVERIFY(pages->pagesEnabled());
    }

    // The pages built on their own (as most tests make them) stay editable:
    // only the main window's container disables them.
    void aContainerStartsEnabled()
    {
        FuncWidget container;
        QVERIFY(container.pagesEnabled());
        QVERIFY(container.page(FuncWidget::InSetup)->isEnabled());
        container.setPagesEnabled(false);
        QVERIFY(!container.page(FuncWidget::InSetup)->isEnabled());
        QVERIFY(container.pageButton(FuncWidget::InSetup)->isEnabled());

        // Pages built while disabled come disabled, yet their widgets are
        // what they are to a screen reader (a widget made inside a disabled
        // parent would be a bare one).
        FuncWidget lazy(nullptr, FuncWidget::PageBuild::ShownFirst);
        lazy.setPagesEnabled(false);
        lazy.buildPages();
        BlockPage *matrix = lazy.page(FuncWidget::Matrix);
        QVERIFY(matrix);
        QVERIFY(!matrix->isEnabled());
        const auto buttons = matrix->findChildren<QPushButton *>();
        QVERIFY(!buttons.isEmpty());
        for (QPushButton *b : buttons)
            QVERIFY2(QAccessible::queryAccessibleInterface(b)->role() != QAccessible::Client,
                     qPrintable(b->text()));
    }

    // The reset question names the unit, warns, and Enter chooses Cancel.
    void factoryResetNamesTheUnit()
    {
        AppRig rig(1);
        MainWindow &w = *rig.window;
        w.show();
        QVERIFY(rig.logIn());
        RecordingPrompt prompt;
        w.resetClicked();
        QCOMPARE(prompt.icon, QMessageBox::Warning);
        QCOMPARE(prompt.buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel")}));
        QCOMPARE(prompt.defaultButton, 1);
        QVERIFY2(prompt.text.contains(QLatin1String("DAP-1616, 127.0.0.2, Rack 1")),
                 qPrintable(prompt.text));
        // Cancel: the unit keeps its settings and the connection stays.
        QTest::qWait(50);
        QVERIFY(isLoggedIn());
    }

    // A unit name from the network is text, never markup, in the reset box.
    void factoryResetEscapesTheName()
    {
        setLoggedIn(true);
        RecordingPrompt prompt;
        QVERIFY(!FactoryReset::confirmAndSend(nullptr, QStringLiteral("<b>Hall</b>")));
        QVERIFY(prompt.text.contains(QLatin1String("&lt;b&gt;Hall&lt;/b&gt;")));
        setLoggedIn(false);
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestLoginView)
#include "tst_loginview.moc"
