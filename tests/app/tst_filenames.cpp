// The program's files named in other scripts, in a UTF-8 locale: preset
// files and firmware in folders such as ~/桌面 or named with accents are
// written and read under the names the user chose, through the file dialog
// as the operator answers it.

#include "app/firmwareupgrade.h"
#include "app/mainwindow.h"
#include "devices/qdevicelist.h"
#include "pages/funcwidget.h"
#include "presets/presettransfer.h"
#include "presets/qpreset.h"
#include "protocol/commands.h"
#include "protocol/transport.h"
#include "sim/presetblock.h"
#include "tests/support/answeringprompt.h"
#include "tests/support/apprig.h"
#include "tests/support/testsupport.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file as other programs see it: by the UTF-8 bytes of its name.
QByteArray readAsUtf8(const QString &path)
{
    QByteArray bytes;
    const int fd = ::open(path.toUtf8().constData(), O_RDONLY);
    if (fd < 0)
        return bytes;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0)
        bytes.append(buf, int(n));
    ::close(fd);
    return bytes;
}

bool writeAsUtf8(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(path.toUtf8().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && ok;
}

} // namespace

class TestFileNames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void presetFiles_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("exported");
        QTest::addColumn<QString>("imported");
        QTest::newRow("desktop in Chinese")
            << QString::fromUtf8("桌面") << QString::fromUtf8("全部预设.pstl")
            << QString::fromUtf8("讲台.pstl");
        QTest::newRow("accents") << QString::fromUtf8("Données")
                                 << QString::fromUtf8("Présets.pstl")
                                 << QString::fromUtf8("Ñandú ø.pstl");
    }

    void presetFiles()
    {
        QFETCH(QString, folder);
        QFETCH(QString, exported);
        QFETCH(QString, imported);
        AppRig rig(1);
        AnsweringPrompt prompt;
        MainWindow &w = *rig.window;
        FuncWidget *pages = w.funcWidget();
        auto *page = qobject_cast<QPreset *>(pages->page(FuncWidget::Preset));
        QVERIFY(page);
        QSignalSpy done(page->transfer(), &PresetTransfer::finished);
        w.show();
        QTRY_COMPARE(w.deviceList()->count(), 1);
        QVERIFY(rig.select(0));
        QTRY_VERIFY(isLoggedIn());
        const QString dir = rig.dir.filePath(folder);
        QCOMPARE(::mkdir(dir.toUtf8().constData(), 0755), 0);

        auto *presets = rig.model(0).blockAs<PresetBlock>(Proto::OpBlock, Proto::Module::Preset);
        pages->setCurrentPage(FuncWidget::Preset);
        QTest::mouseClick(page->button(2, QPreset::SaveColumn), Qt::LeftButton);
        QTRY_VERIFY(presets->holdsPreset(2));
        prompt.file = dir + QLatin1Char('/') + exported;
        QTest::mouseClick(page->exportAllButton(), Qt::LeftButton);
        QTRY_COMPARE(done.size(), 1);
        const QByteArray image = readAsUtf8(prompt.file);
        QCOMPARE(image.size(), 32 * presets->recordSize());

        // Slot 3 emptied, then the file under another name brings it back.
        rig.model(0).handle([] {
            Proto::Frame f;
            f.op = Proto::OpBlock;
            f.module = Proto::Module::Preset;
            f.cmd = Proto::PresetCmd::Delete;
            f.flag = Proto::FlagWrite;
            f.payload = QByteArray(1, 2);
            f.length = 1;
            return f;
        }());
        QVERIFY(!presets->holdsPreset(2));
        prompt.file = dir + QLatin1Char('/') + imported;
        QVERIFY(writeAsUtf8(prompt.file, image));
        QTest::mouseClick(page->importAllButton(), Qt::LeftButton);
        QTRY_COMPARE(done.size(), 2);
        QTRY_VERIFY(presets->holdsPreset(2));
        for (const QString &shown : qAsConst(prompt.shown))
            QVERIFY2(!shown.contains(QStringLiteral("cannot")), qPrintable(shown));
    }

    void firmwareFile()
    {
        AppRig rig(1);
        AnsweringPrompt prompt;
        MainWindow &w = *rig.window;
        QTRY_COMPARE(w.deviceList()->count(), 1);
        QVERIFY(rig.select(0));
        QTRY_VERIFY(isLoggedIn());
        QByteArray image(20 * 1024, '\x5a');
        image[0] = char(0x7F);
        image[1] = char(0x8C);
        const QString dir = rig.dir.filePath(QString::fromUtf8("固件"));
        QCOMPARE(::mkdir(dir.toUtf8().constData(), 0755), 0);
        prompt.file = dir + QString::fromUtf8("/Mise à jour.sbin");
        QVERIFY(writeAsUtf8(prompt.file, image));
        QSignalSpy finished(w.firmware(), &FirmwareUpgrade::finished);
        w.mcuUpdateClicked();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
        QTRY_COMPARE(rig.model(0).firmware(Proto::FirmwareModule::Arm), image);
        for (const QString &shown : qAsConst(prompt.shown))
            QVERIFY2(!shown.contains(QStringLiteral("cannot")), qPrintable(shown));
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestFileNames)
#include "tst_filenames.moc"
