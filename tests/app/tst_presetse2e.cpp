// Presets and firmware end to end: the program against two simulated units on
// loopback. Settings saved in one unit travel through a ".pstl" file into the
// other, and a firmware file reaches the unit byte for byte. A unit that stops
// answering an export leaves the file it would replace as it was, and the
// operator is told.

#include "app/firmwareupgrade.h"
#include "app/mainwindow.h"
#include "devices/discoveryscope.h"
#include "devices/qdevicelist.h"
#include "devices/qdevicetable.h"
#include "pages/funcwidget.h"
#include "pages/knobfield.h"
#include "pages/levels/qinlevel.h"
#include "pages/levels/qoutlevel.h"
#include "pages/levels/qpremixlevel.h"
#include "pages/transferprogressdialog.h"
#include "presets/presettransfer.h"
#include "presets/qpreset.h"
#include "protocol/commands.h"
#include "protocol/progressguard.h"
#include "protocol/transport.h"
#include "sim/firmwareblock.h"
#include "sim/presetblock.h"
#include "sim/simunit.h"
#include "tests/presets/faultypresets.h"
#include "tests/support/answeringprompt.h"
#include "tests/support/apprig.h"
#include "tests/support/pagetest.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <memory>

namespace {

// Simulated units and a main window that finds them on loopback only.
struct Rig : AppRig
{
    using AppRig::AppRig;
    PresetBlock &presets(int i) { return block<PresetBlock>(Proto::Module::Preset, i); }
};

} // namespace

class TestPresetsEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void settingsTravelThroughAPresetFile()
    {
        Rig rig(2);
        AnsweringPrompt prompt;
        MainWindow &w = *rig.window;
        FuncWidget *pages = w.funcWidget();
        auto *page = qobject_cast<QPreset *>(pages->page(FuncWidget::Preset));
        QVERIFY(page);
        QSignalSpy done(page->transfer(), &PresetTransfer::finished);
        w.show();
        QTRY_COMPARE(w.deviceList()->count(), 2);
        QVERIFY(rig.select(0));
        QTRY_VERIFY(isLoggedIn());

        // Settings made on the first unit's pages.
        pages->setCurrentPage(FuncWidget::InSetup);
        typeText(pages->inLevel()->gainControl(0), QStringLiteral("7.5"));
        QTest::mouseClick(pages->inLevel()->muteButton(5), Qt::LeftButton);
        pages->setCurrentPage(FuncWidget::PreLevel);
        QTRY_VERIFY(pages->preMixLevel()->muteButton(2)->isVisible());
        QTest::mouseClick(pages->preMixLevel()->muteButton(2), Qt::LeftButton);
        pages->setCurrentPage(FuncWidget::OutLevel);
        QTRY_VERIFY(pages->outLevel()->muteButton(9)->isVisible());
        QTest::mouseClick(pages->outLevel()->muteButton(9), Qt::LeftButton);
        const ChannelBlock *in0 = rig.model(0).block(Proto::Module::InputLevel);
        const ChannelBlock *out0 = rig.model(0).block(Proto::Module::OutputLevel);
        QTRY_COMPARE(in0->get<float>(Proto::InLevelCmd::Gain, 0), 7.5f);
        QTRY_COMPARE(out0->get<quint8>(Proto::OutLevelCmd::Mute, 9), quint8(1));
        QVERIFY(rig.model(0).presetState() != rig.model(1).presetState());

        // Saved into slot 3, then every slot exported.
        pages->setCurrentPage(FuncWidget::Preset);
        QTest::mouseClick(page->button(3, QPreset::SaveColumn), Qt::LeftButton);
        QTRY_VERIFY(rig.presets(0).holdsPreset(3));
        const QByteArray saved = rig.model(0).presetState();
        QCOMPARE(rig.presets(0).state(3), saved);
        QTRY_VERIFY(page->button(3, QPreset::LoadColumn)->isEnabled()); // the list shows it
        prompt.file = rig.dir.filePath(QStringLiteral("first.pstl"));
        QTest::mouseClick(page->exportAllButton(), Qt::LeftButton);
        QTRY_COMPARE(done.size(), 1);
        const QByteArray exported = rig.dir.readFile(QStringLiteral("first.pstl"));
        QCOMPARE(exported.size(), 32 * rig.presets(0).recordSize());

        // The first unit moves on; the file keeps what was saved.
        pages->setCurrentPage(FuncWidget::InSetup);
        typeText(pages->inLevel()->gainControl(0), QStringLiteral("-3"));
        QTRY_COMPARE(in0->get<float>(Proto::InLevelCmd::Gain, 0), -3.0f);

        // Into the second unit, and recalled there.
        QVERIFY(rig.select(1));
        QTRY_VERIFY(isLoggedIn());
        QCOMPARE(currentSocket()->peerAddress(), QHostAddress(QStringLiteral("127.0.0.3")));
        pages->setCurrentPage(FuncWidget::Preset);
        QTest::mouseClick(page->importAllButton(), Qt::LeftButton);
        QTRY_COMPARE(done.size(), 2);
        QTRY_VERIFY(rig.presets(1).holdsPreset(3));
        QTRY_VERIFY(page->button(3, QPreset::LoadColumn)->isEnabled());
        QSignalSpy recallEnded(w.progress()->guard(), &ProgressGuard::ended);
        QTest::mouseClick(page->button(3, QPreset::LoadColumn), Qt::LeftButton);
        QTRY_COMPARE(rig.model(1).presetState(), saved);
        QTRY_COMPARE(recallEnded.size(), 1); // "Loading..." closed at 100
        QTRY_COMPARE(page->currentPreset(), 3);

        // Its pages show the first unit's settings.
        pages->setCurrentPage(FuncWidget::InSetup);
        QTRY_COMPARE(pages->inLevel()->gainControl(0)->edit()->text(), QStringLiteral("7.5"));
        QTRY_VERIFY(pages->inLevel()->muteButton(5)->isChecked());
        pages->setCurrentPage(FuncWidget::PreLevel);
        QTRY_VERIFY(pages->preMixLevel()->muteButton(2)->isChecked());
        pages->setCurrentPage(FuncWidget::OutLevel);
        QTRY_VERIFY(pages->outLevel()->muteButton(9)->isChecked());

        // Imported and exported again, the file is the same to the byte.
        pages->setCurrentPage(FuncWidget::Preset);
        prompt.file = rig.dir.filePath(QStringLiteral("again.pstl"));
        QTest::mouseClick(page->exportAllButton(), Qt::LeftButton);
        QTRY_COMPARE(done.size(), 3);
        QCOMPARE(rig.dir.readFile(QStringLiteral("again.pstl")), exported);
        QCOMPARE(prompt.shown.size(), 2); // Save and Load were asked; nothing failed
    }

    void firmwareReachesTheUnit()
    {
        Rig rig(1);
        AnsweringPrompt prompt;
        MainWindow &w = *rig.window;
        QTRY_COMPARE(w.deviceList()->count(), 1);
        QVERIFY(rig.select(0));
        QTRY_VERIFY(isLoggedIn());

        QByteArray image(300 * 1024, Qt::Uninitialized);
        for (int i = 0; i < image.size(); ++i)
            image[i] = char((i * 31 + i / 977) & 0xFF);
        image[0] = char(0x7F);
        image[1] = char(0x8C);
        rig.dir.writeFile(QStringLiteral("unit.sbin"), image);
        prompt.file = rig.dir.filePath(QStringLiteral("unit.sbin"));
        QSignalSpy finished(w.firmware(), &FirmwareUpgrade::finished);
        w.mcuUpdateClicked();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
        QTRY_COMPARE(rig.model(0).firmware(Proto::FirmwareModule::Arm), image);
        QVERIFY(!w.progress()->dialog()->isVisible());

        // A unit that falls silent after chunk 4: the watchdog ends the
        // upgrade and says so.
        rig.model(0)
            .blockAs<FirmwareBlock>(Proto::OpFirmware, Proto::FirmwareModule::Dsp)
            ->stopAcknowledgingAfter(4);
        w.progress()->guard()->setInterval(300);
        rig.dir.writeFile(QStringLiteral("unit.ldr"), image);
        prompt.file = rig.dir.filePath(QStringLiteral("unit.ldr"));
        w.dspUpdateClicked();
        QTRY_COMPARE(prompt.shown.size(), 1);
        QCOMPARE(prompt.shown.at(0),
                 QStringLiteral("error|The unit stopped answering; the transfer did not finish."));
        QCOMPARE(rig.model(0).firmware(Proto::FirmwareModule::Dsp), image.left(5 * 1024));
        QCOMPARE(finished.size(), 1);
        QVERIFY(!w.progress()->dialog()->isVisible());
    }

    void exportTheUnitDoesNotFinishLeavesTheOldFile_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("chunks"); // export answers before the fault
        using F = FaultyPresets::Fault;
        QTest::newRow("request unanswered") << int(F::SilentBegin) << 0;
        QTest::newRow("silent after 3 chunks") << int(F::SilentAfter) << 3;
        QTest::newRow("connection dropped after 3 chunks") << int(F::DropsAfter) << 3;
    }

    void exportTheUnitDoesNotFinishLeavesTheOldFile()
    {
        QFETCH(int, fault);
        QFETCH(int, chunks);
        Rig rig(1);
        AnsweringPrompt prompt;
        MainWindow &w = *rig.window;
        FaultyPresets::install(rig.sim(0), FaultyPresets::Fault(fault), chunks);
        auto *page = qobject_cast<QPreset *>(w.funcWidget()->page(FuncWidget::Preset));
        QVERIFY(page);
        QVERIFY(rig.logIn(0));
        QSignalSpy requests(&rig.sim(0), &SimUnit::requestReceived);
        w.progress()->guard()->setInterval(300);

        const QByteArray old(40000, 'o');
        rig.dir.writeFile(QStringLiteral("unit.pstl"), old);
        prompt.file = rig.dir.filePath(QStringLiteral("unit.pstl"));
        w.funcWidget()->setCurrentPage(FuncWidget::Preset);
        QTest::mouseClick(page->exportAllButton(), Qt::LeftButton);
        QTRY_COMPARE(prompt.shown,
                     QStringList{QStringLiteral("error|The unit stopped answering; the transfer "
                                                "did not finish.")});
        QVERIFY(!w.progress()->dialog()->isVisible());
        int asked = 0;
        for (const QList<QVariant> &args : qAsConst(requests)) {
            const auto f = args.at(0).value<Proto::Frame>();
            asked += f.op == Proto::OpBlock && f.module == Proto::Module::Preset &&
                     f.cmd == Proto::PresetCmd::ExportData;
        }
        QCOMPARE(asked, fault == int(FaultyPresets::Fault::SilentBegin) ? 0 : chunks + 1);
        QCOMPARE(rig.dir.readFile(QStringLiteral("unit.pstl")), old);
        QCOMPARE(QDir(rig.dir.path()).entryList({QStringLiteral("unit.pstl*")}, QDir::Files),
                 QStringList{QStringLiteral("unit.pstl")});
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestPresetsEndToEnd)
#include "tst_presetse2e.moc"
