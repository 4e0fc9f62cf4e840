// The channel selection dialog: masks from the checked buttons on OK, nothing
// on Cancel, and a clean dialog (unchecked, enabled) after every closing.

#include "tests/widgets/widgettest.h"
#include "widgets/appfont.h"
#include "widgets/qchannelselect.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

namespace {
const QString kChecked = QStringLiteral("border-radius:0px;background-color:#AA5500");
const QString kUnchecked = QStringLiteral("background-color: rgb(234, 234, 234);");

void clickStandardButton(QChannelSelect &dialog, QDialogButtonBox::StandardButton which)
{
    QTest::mouseClick(dialog.findChild<QDialogButtonBox *>()->button(which), Qt::LeftButton);
}

// Clicks input and output buttons by their shown numbers (1..16).
void clickChannels(QChannelSelect &dialog, const QList<int> &inputs, const QList<int> &outputs)
{
    for (int n : inputs)
        QTest::mouseClick(dialog.inputButton(n - 1), Qt::LeftButton);
    for (int n : outputs)
        QTest::mouseClick(dialog.outputButton(n - 1), Qt::LeftButton);
}

bool allClean(const QChannelSelect &dialog)
{
    for (int c = 0; c < QChannelSelect::kChannels; ++c) {
        for (QPushButton *b : {dialog.inputButton(c), dialog.outputButton(c)}) {
            if (b->isChecked() || !b->isEnabled() || b->styleSheet() != kUnchecked)
                return false;
        }
    }
    return true;
}
} // namespace

class TestQChannelSelect : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Each row first accepts input 3 and output 4, then opens the dialog again,
    // disables input 6 and output 1, clicks and closes.
    void close_data()
    {
        QTest::addColumn<QList<int>>("inputs");
        QTest::addColumn<QList<int>>("outputs");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("inputMask");
        QTest::addColumn<int>("outputMask");

        QTest::newRow("inputs 2 and 5") << QList<int>{2, 5} << QList<int>{} << true << 0x0012 << 0;
        QTest::newRow("first and last")
            << QList<int>{1, 16} << QList<int>{16} << true << 0x8001 << 0x8000;
        QTest::newRow("disabled buttons stay off")
            << QList<int>{6, 7} << QList<int>{1} << true << 0x0040 << 0;
        QTest::newRow("nothing") << QList<int>{} << QList<int>{} << true << 0 << 0;
        QTest::newRow("clicked twice is off")
            << QList<int>{3, 3, 4} << QList<int>{2, 3, 2} << true << 0x0008 << 0x0004;
        QTest::newRow("cancel keeps the masks")
            << QList<int>{7, 8} << QList<int>{2} << false << 0x0004 << 0x0008;
    }

    void close()
    {
        QFETCH(QList<int>, inputs);
        QFETCH(QList<int>, outputs);
        QFETCH(bool, ok);
        QFETCH(int, inputMask);
        QFETCH(int, outputMask);

        QChannelSelect dialog;
        dialog.open();
        clickChannels(dialog, {3}, {4});
        dialog.acceptClicked();
        QCOMPARE(int(dialog.inputMask()), 0x0004);
        QVERIFY(allClean(dialog));

        dialog.setInputChannelEnabled(5, false);
        dialog.setOutputChannelEnabled(0, false);
        dialog.setInputChannelEnabled(16, false); // no such channel: ignored
        dialog.open();
        clickChannels(dialog, inputs, outputs);
        for (int c = 0; c < QChannelSelect::kChannels; ++c) {
            const QPushButton *b = dialog.inputButton(c);
            QCOMPARE(b->styleSheet(), b->isChecked() ? kChecked : kUnchecked);
        }
        clickStandardButton(dialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        QCOMPARE(dialog.result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(int(dialog.inputMask()), inputMask);
        QCOMPARE(int(dialog.outputMask()), outputMask);
        QVERIFY(allClean(dialog));
    }

    void outputGroupCanBeHidden()
    {
        QChannelSelect dialog;
        dialog.setOutputGroupVisible(false);
        dialog.open();
        QVERIFY(!dialog.outputButton(0)->isVisible());
        clickChannels(dialog, {16}, {});
        dialog.acceptClicked();
        QCOMPARE(int(dialog.inputMask()), 0x8000);
        QCOMPARE(int(dialog.outputMask()), 0);
    }

    void followsLanguage()
    {
        QChannelSelect dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Channel"));
        BracketTranslator translator;
        setCurrentFontFamily(QStringLiteral("Liberation Serif"));
        QCoreApplication::installTranslator(&translator);
        QCoreApplication::processEvents(); // LanguageChange is posted
        QCoreApplication::removeTranslator(&translator);
        setCurrentFontFamily(QString());

        QCOMPARE(dialog.windowTitle(), QStringLiteral("[Select Channel]"));
        QCOMPARE(dialog.findChildren<QGroupBox *>().at(1)->title(),
                 QStringLiteral("[Output channel]"));
        QCOMPARE(dialog.inputButton(0)->font().family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(dialog.inputButton(0)->font().pointSize(), 8);
    }
};

QTEST_MAIN(TestQChannelSelect)
#include "tst_qchannelselect.moc"
