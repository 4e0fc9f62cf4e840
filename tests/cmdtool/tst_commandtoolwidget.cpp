// The command tool window as the operator uses it: pick a tab, set the form,
// press "Generate Command", copy the text.

#include "cmdtool/commandtoolwidget.h"
#include "cmdtool/logincmdwidget.h"

#include <QAbstractSpinBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>

namespace {

// Stands in for a loaded language: every text comes back in upper case.
class UpperCaseTranslator final : public QTranslator
{
public:
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        return QString::fromUtf8(sourceText).toUpper();
    }
    bool isEmpty() const override { return false; }
};

// Types text key by key, including characters beyond ASCII, which
// QTest::keyClicks cannot map to keys.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestCommandToolWidget : public QObject
{
    Q_OBJECT

private:
    QTabWidget *tabs(CommandToolWidget &tool)
    {
        return tool.findChild<QTabWidget *>(QStringLiteral("cmdTabWidget"));
    }

    void chooseTab(CommandToolWidget &tool, int index)
    {
        QTabBar *bar = tabs(tool)->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        QCOMPARE(tabs(tool)->currentIndex(), index);
    }

    // A control of the tab on screen (the two level tabs share their names).
    template <typename T> T *control(CommandToolWidget &tool, const QString &name)
    {
        T *found = tabs(tool)->currentWidget()->findChild<T *>(name);
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }

    QLineEdit *commandEdit(CommandToolWidget &tool)
    {
        return tool.findChild<QLineEdit *>(QStringLiteral("cmdLineEdit"));
    }

private slots:
    void generate_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("box");    // combo box to step down in, or empty
        QTest::addColumn<int>("boxSteps");   // presses of the down key
        QTest::addColumn<QString>("toggle"); // switch to check, or empty
        QTest::addColumn<QString>("field");  // field to type into, or empty
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("generate"); // the "Generate Command" button
        QTest::addColumn<QString>("expected");

        const QString none;
        QTest::newRow("login, Latin-1 password")
            << 0 << none << 0 << none << "passwordEdit" << QString::fromUtf8("pw\xC3\xA9")
            << "pwdGenButton"
            << "82 7D 01 00 02 01 01 01 03 00 70 77 E9 7D 82";
        QTest::newRow("pre-mix mute, input 3")
            << 1 << "channelBox" << 2 << "muteToggle" << none << none << "muteGenButton"
            << "82 7D 01 00 03 07 01 01 02 00 02 01 7D 82";
        QTest::newRow("pre-mix gain 0.0 dB, input 1")
            << 1 << none << 0 << none << none << none << "gainGenButton"
            << "82 7D 01 00 03 07 02 01 05 00 00 00 00 00 00 7D 82";
        QTest::newRow("pre-mix gain step -0.1 dB, input 2")
            << 1 << "channelBox" << 1 << none << "gainDeltaSpinBox"
            << "-0.1"
            << "gainDeltaGenButton"
            << "82 7D 01 00 03 07 05 01 05 00 01 CD CC CC BD 7D 82";
        QTest::newRow("pre-mix invert, input 1")
            << 1 << none << 0 << "invertToggle" << none << none << "invertGenButton"
            << "82 7D 01 00 03 07 03 01 02 00 00 01 7D 82";
        QTest::newRow("output gain typed -56 is off, output 16")
            << 2 << "channelBox" << 15 << none << "gainSpinBox"
            << "-56"
            << "gainGenButton"
            << "82 7D 01 00 03 0B 03 01 05 00 0F 00 00 C8 C2 7D 82";
        QTest::newRow("output unmute, output 5")
            << 2 << "channelBox" << 4 << none << none << none << "muteGenButton"
            << "82 7D 01 00 03 0B 02 01 02 00 04 00 7D 82";
        QTest::newRow("preset 32")
            << 3 << "presetBox" << 31 << none << none << none << "loadGenButton"
            << "82 7D 01 00 03 20 03 01 01 00 1F 7D 82";
        QTest::newRow("all mute on")
            << 4 << none << 0 << "allMuteToggle" << none << none << "muteGenButton"
            << "82 7D 01 00 02 02 10 01 01 00 01 7D 82";
    }

    void generate()
    {
        QFETCH(int, tab);
        QFETCH(QString, box);
        QFETCH(int, boxSteps);
        QFETCH(QString, toggle);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, generate);
        QFETCH(QString, expected);

        CommandToolWidget tool;
        tool.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tool));
        chooseTab(tool, tab);

        if (!box.isEmpty()) {
            auto *combo = control<QComboBox>(tool, box);
            QVERIFY(combo);
            for (int i = 0; i < boxSteps; ++i)
                QTest::keyClick(combo, Qt::Key_Down);
            QCOMPARE(combo->currentIndex(), boxSteps);
        }
        if (!toggle.isEmpty()) {
            auto *button = control<QPushButton>(tool, toggle);
            QVERIFY(button);
            QTest::mouseClick(button, Qt::LeftButton);
            QVERIFY(button->isChecked());
        }
        if (!field.isEmpty()) {
            auto *edit = control<QWidget>(tool, field);
            QVERIFY(edit);
            if (auto *spin = qobject_cast<QAbstractSpinBox *>(edit))
                spin->selectAll();
            typeText(edit, typed);
        }
        auto *button = control<QPushButton>(tool, generate);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);

        QCOMPARE(commandEdit(tool)->text(), expected);
        QCOMPARE(tool.commandText(), expected);
    }

    void refusedPasswordLeavesNoCommand()
    {
        CommandToolWidget tool;
        tool.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tool));
        auto *login = tool.findChild<LoginCmdWidget *>();
        auto *edit = login->findChild<QLineEdit *>(QStringLiteral("passwordEdit"));
        auto *generate = login->findChild<QPushButton *>(QStringLiteral("pwdGenButton"));
        auto *copy = tool.findChild<QPushButton *>(QStringLiteral("copyButton"));

        QTest::mouseClick(generate, Qt::LeftButton);
        QCOMPARE(tool.commandText(), QStringLiteral("82 7D 01 00 02 01 01 01 00 00 7D 82"));
        QVERIFY(copy->isEnabled());

        // A character no byte stands for: the earlier command goes, a note appears.
        typeText(edit, QString::fromUtf8("x\xE4\xB8\xAD"));
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(tool.commandText().isEmpty());
        QVERIFY(!copy->isEnabled());
        QVERIFY(login->isPasswordRefused());
        QVERIFY(login->findChild<QLabel *>(QStringLiteral("pwdRefusedLabel"))->isVisible());

        // Editing the password clears the note; a valid one generates again.
        QTest::keyClick(edit, Qt::Key_Backspace);
        QVERIFY(!login->isPasswordRefused());
        QTest::mouseClick(generate, Qt::LeftButton);
        QCOMPARE(tool.commandText(), QStringLiteral("82 7D 01 00 02 01 01 01 01 00 78 7D 82"));
    }

    void copyPutsCommandOnClipboard()
    {
        CommandToolWidget tool;
        tool.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tool));
        auto *copy = tool.findChild<QPushButton *>(QStringLiteral("copyButton"));
        QVERIFY(!copy->isEnabled()); // nothing to copy yet

        chooseTab(tool, 3);
        QTest::mouseClick(control<QPushButton>(tool, QStringLiteral("loadGenButton")),
                          Qt::LeftButton);
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        QVERIFY(copy->isEnabled());
        QTest::mouseClick(copy, Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("82 7D 01 00 03 20 03 01 01 00 00 7D 82"));
    }

    void languageChangeRetranslates()
    {
        CommandToolWidget tool;
        UpperCaseTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);

        QCOMPARE(tool.windowTitle(), QStringLiteral("HEXADECIMAL PROTOCOL TOOL V1.0.1"));
        QCOMPARE(tabs(tool)->tabText(1), QStringLiteral("LEVEL PRE MIX"));
        auto *out = tabs(tool)->widget(2);
        QCOMPARE(out->findChild<QComboBox *>(QStringLiteral("channelBox"))->itemText(15),
                 QStringLiteral("OUTPUT 16"));
        QCOMPARE(out->findChild<QPushButton *>(QStringLiteral("gainGenButton"))->text(),
                 QStringLiteral("GENERATE COMMAND"));
        QCOMPARE(out->findChild<QAbstractSpinBox *>(QStringLiteral("gainSpinBox"))->text(),
                 QStringLiteral("0.0 DB"));
        QCOMPARE(tabs(tool)
                     ->widget(4)
                     ->findChild<QPushButton *>(QStringLiteral("allMuteToggle"))
                     ->text(),
                 QStringLiteral("ALL MUTE"));

        QCoreApplication::removeTranslator(&translator);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(tabs(tool)->tabText(1), QStringLiteral("Level Pre Mix"));
    }
};

QTEST_MAIN(TestCommandToolWidget)
#include "tst_commandtoolwidget.moc"
