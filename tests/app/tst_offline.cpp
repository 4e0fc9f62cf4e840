// Working offline end to end: the program's own unit started with a
// configuration file shows the file's labels and filters, edits mark the
// window's title until they are saved, and "Send to Unit…" against a
// simulated unit on loopback lists exactly the paths that differ, then sends
// them, after which the command-line tool finds no difference left.

#include "app/configurationactions.h"
#include "app/differencesdialog.h"
#include "app/mainwindow.h"
#include "app/offlineunit.h"
#include "app/unittransfer.h"
#include "dapctl/ctlconsole.h"
#include "dapctl/ctloptions.h"
#include "dapctl/diffcommand.h"
#include "devices/devicemanager.h"
#include "devices/qdeviceitem.h"
#include "devices/qdevicelist.h"
#include "devices/qdevicetable.h"
#include "model/catalogue.h"
#include "model/unitstate.h"
#include "pages/filters/qinfilter.h"
#include "pages/funcwidget.h"
#include "pages/levels/qoutlevel.h"
#include "pages/levels/qpremixlevel.h"
#include "protocol/lebytes.h"
#include "protocol/transport.h"
#include "sim/channelblock.h"
#include "sim/demostate.h"
#include "sim/filterblock.h"
#include "sim/labeltables.h"
#include "sim/simunit.h"
#include "tests/support/answeringprompt.h"
#include "tests/support/apprig.h"
#include "tests/support/testsupport.h"
#include "widgets/elidedlabel.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A unit holding the demonstration configuration, saved into `path`.
void writeDemoFile(const QString &path)
{
    SimUnitConfig c;
    c.bind = QHostAddress(QStringLiteral("127.0.0.20"));
    c.announce = false;
    SimUnit demo(c);
    loadDemoState(demo.model());
    QVERIFY(demo.start());
    UnitAddress unit{c.bind, demo.serverPort(), {}, false};
    QString error;
    QVERIFY2(UnitTransfer::backup(unit, path, &error), qPrintable(error));
}

QString pathOf(const char *pattern, int channel)
{
    const Model::Catalogue &cat = Model::Catalogue::instance();
    return cat.path(cat.id(pattern, channel));
}

} // namespace

class TestOffline : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void offlineFileEditSaveAndSend()
    {
        AppRig rig;
        AnsweringPrompt prompt;
        const QString demoFile = rig.dir.filePath(QStringLiteral("demo.json"));
        writeDemoFile(demoFile);
        if (QTest::currentTestFailed())
            return;
        // The unit on the network starts with the same configuration.
        const UnitAddress target{
            QHostAddress(QStringLiteral("127.0.0.2")), rig.sim().serverPort(), {}, false};
        QString report, error;
        QVERIFY2(UnitTransfer::restore(target, demoFile, &report, &error), qPrintable(error));

        MainWindow &w = *rig.window;
        w.show();
        ConfigurationActions *files = w.configuration();
        QVERIFY(files->workOffline(demoFile));
        QTRY_VERIFY(isLoggedIn());
        QCOMPARE(currentSocket()->peerAddress(), QHostAddress(QHostAddress::LocalHost));
        QCOMPARE(currentSocket()->peerPort(), files->offlineUnit()->port());
        const int row = files->offlineRow();
        QVERIFY(row >= 0);
        QVERIFY(w.deviceList()->item(row)->isWorkingOffline());
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("demo.json - ")));

        // The file's labels and filters.
        FuncWidget &pages = *w.funcWidget();
        QOutLevel *out = pages.outLevel();
        QTRY_COMPARE(out->nameLabel(0)->text(),
                     QString::fromUtf8(rig.model().labels().label(LabelTables::Outputs, 0)));
        pages.setCurrentPage(FuncWidget::InFilter);
        auto &filters =
            *rig.model().blockAs<FilterBlock>(Proto::OpBlock, Proto::Module::InputFilter);
        int band = 0;
        while (band < 15 && Le::get<float>(filters.band(0, band), 6) == 0.0f)
            ++band;
        const float gain = Le::get<float>(filters.band(0, band), 6);
        QVERIFY(gain != 0.0f);
        QTRY_COMPARE(pages.inFilter()->bandRecord(band).gain, gain);

        // Two edits: the title marks them until they are saved.
        pages.setCurrentPage(FuncWidget::PreLevel);
        QTest::mouseClick(pages.preMixLevel()->muteButton(2), Qt::LeftButton);
        pages.setCurrentPage(FuncWidget::OutLevel);
        const Model::Catalogue &cat = Model::Catalogue::instance();
        QTRY_VERIFY(pages.unitState()->isKnown(cat.recordOf(cat.id("output.#.mute", 9))));
        QTest::mouseClick(out->muteButton(9), Qt::LeftButton);
        QTRY_VERIFY(w.windowTitle().startsWith(QStringLiteral("demo.json* - ")));
        const QString saved = rig.dir.filePath(QStringLiteral("saved.json"));
        QVERIFY(files->saveConfiguration(saved));
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("saved.json - ")));

        // Sent to the unit on the network: the two paths, then none.
        QTRY_VERIFY(rig.rowOf(0) >= 0);
        QVERIFY(files->sendToUnit(rig.rowOf(0)));
        DifferencesDialog *dialog = files->differences();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->count(), 2);
        QCOMPARE(dialog->paths(),
                 (QStringList{pathOf("premix.#.mute", 2), pathOf("output.#.mute", 9)}));
        QVERIFY(dialog->sendButton()->isVisible());
        QVERIFY(files->send());
        QCOMPARE(dialog->count(), 0);
        QVERIFY(!dialog->sendButton()->isVisible());

        // The command-line tool agrees.
        QString out1, err1;
        CtlOptions options;
        options.port = rig.sim().serverPort();
        {
            CtlConsole console(&out1, &err1);
            DiffCommand diff;
            QCOMPARE(diff.run({QStringLiteral("127.0.0.2"), saved}, options, console), 0);
            console.flush();
        }
        QCOMPARE(out1, QString());
    }

    void offlineMarkAndFileErrors()
    {
        AppRig rig(0);
        AnsweringPrompt prompt;
        MainWindow &w = *rig.window;
        ConfigurationActions *files = w.configuration();
        rig.dir.writeFile(QStringLiteral("broken.json"), "{\"format\": 2, \"presets\": [");
        QVERIFY(!files->workOffline(rig.dir.filePath(QStringLiteral("broken.json"))));
        QCOMPARE(prompt.shown.size(), 1);
        QVERIFY(prompt.shown.at(0).startsWith(QStringLiteral("error|")));

        // Without a file: the simulated unit's own configuration, no title mark.
        const QString title = w.windowTitle();
        QVERIFY(files->workOffline());
        QTRY_VERIFY(isLoggedIn());
        QCOMPARE(w.windowTitle(), title);
        QDeviceItem *item = w.deviceList()->item(files->offlineRow());
        QVERIFY(item->isWorkingOffline());
        QVERIFY(w.deviceTable()->isLocal(files->offlineRow()));

        // An edit of it is in no file yet; opening a file asks about it first.
        FuncWidget &pages = *w.funcWidget();
        const Model::Catalogue &cat = Model::Catalogue::instance();
        QTRY_VERIFY(pages.unitState()->isKnown(cat.recordOf(cat.id("premix.#.mute", 4))));
        QTest::mouseClick(pages.preMixLevel()->muteButton(4), Qt::LeftButton);
        QTRY_VERIFY(w.windowTitle().startsWith(QStringLiteral("Untitled* - ")));
        prompt.shown.clear();
        prompt.button = 2; // cancel: nothing is opened
        QVERIFY(!files->openConfiguration(rig.dir.filePath(QStringLiteral("broken.json"))));
        QCOMPARE(prompt.shown.size(), 1);
        QVERIFY(prompt.shown.at(0).startsWith(QStringLiteral("Unsaved changes|")));
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("Untitled* - ")));
        // Saved, the title names the file.
        prompt.button = 0;
        prompt.file = rig.dir.filePath(QStringLiteral("first.json"));
        QVERIFY(files->maySave());
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("first.json - ")));
        QVERIFY(QFileInfo(prompt.file).size() > 0);
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestOffline)
#include "tst_offline.moc"
