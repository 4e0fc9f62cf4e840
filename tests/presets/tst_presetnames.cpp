// What the preset page tells the operator about the slots: a save names the
// slot and offers the name it will get, the active preset stands out beyond
// its coloured button, and a slot's context menu renames and runs its
// commands. The unit is a loopback peer; what the page sends is checked.

#include "presets/qpreset.h"
#include "protocol/localtext.h"
#include "protocol/progressguard.h"
#include "tests/support/answeringprompt.h"
#include "tests/support/loopbackpeer.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

QByteArray list545(quint8 current, const QMap<int, QByteArray> &names)
{
    QByteArray list(1, char(current));
    for (int slot = 0; slot < 32; ++slot)
        list += char(names.contains(slot) ? 1 : 0) + names.value(slot).leftJustified(16, '\0');
    return list;
}

struct Bench
{
    explicit Bench(quint8 current = 0)
    {
        page.receive(1, 0x80, 545,
                     list545(current, {{0, "Boot Default"}, {3, "Choir"}, {9, "Lecture"}}));
    }
    // (cmd, payload) of every frame the page sent.
    QVector<QPair<int, QByteArray>> sent()
    {
        QVector<QPair<int, QByteArray>> out;
        for (const Proto::Frame &f : peer.frames())
            out.append({f.cmd, f.payload});
        return out;
    }
    QAction *action(QMenu *menu, const QString &text)
    {
        for (QAction *a : menu->actions())
            if (a->text() == text)
                return a;
        return nullptr;
    }

    AnsweringPrompt prompt;
    LoopbackPeer peer;
    ProgressGuard progress;
    QPreset page{&progress};
};

using Frames = QVector<QPair<int, QByteArray>>;

} // namespace

class TestPresetNames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void saveNamesTheSlot_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("button"); // 0 OK, 1 Cancel
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<Frames>("frames");

        const auto save = [](int slot) { return qMakePair(2, QByteArray(1, char(slot))); };
        const auto rename = [](int slot, const QByteArray &name) {
            QByteArray payload(1, char(slot));
            payload.append(name);
            return qMakePair(5, payload);
        };
        QTest::newRow("named slot, name kept") << 3 << 0 << QString() << "Choir" << Frames{save(3)};
        QTest::newRow("named slot, new name") << 3 << 0 << "Choir 2"
                                              << "Choir" << Frames{save(3), rename(3, "Choir 2")};
        QTest::newRow("empty slot gets the default name")
            << 5 << 0 << QString() << "Preset 6" << Frames{save(5), rename(5, "Preset 6")};
        QTest::newRow("boot preset keeps its name")
            << 0 << 0 << QString() << "Boot Default" << Frames{save(0)};
        QTest::newRow("blank name: the unit names it") << 5 << 0 << "   "
                                                       << "Preset 6" << Frames{save(5)};
        QTest::newRow("two-byte name")
            << 7 << 0 << QStringLiteral("讲台") << "Preset 8"
            << Frames{save(7), rename(7, LocalText::encode(QStringLiteral("讲台")))};
        QTest::newRow("cancelled") << 3 << 1 << QString() << "Choir" << Frames{};
        QTest::newRow("too long: refused, nothing saved")
            << 3 << 0 << QStringLiteral("会议室会议室会议室") << "Choir" << Frames{};
    }

    void saveNamesTheSlot()
    {
        QFETCH(int, slot);
        QFETCH(QString, typed);
        QFETCH(QString, offered);
        QFETCH(Frames, frames);
        Bench b;
        QFETCH(int, button);
        b.prompt.button = button;
        b.prompt.typed = typed;
        QCOMPARE(b.page.offeredName(slot), offered);
        QTest::mouseClick(b.page.button(slot, QPreset::SaveColumn), Qt::LeftButton);
        QVERIFY(b.prompt.shown.value(0).contains(QStringLiteral("into preset %1?").arg(slot + 1)));
        QVERIFY(b.prompt.shown.value(0).endsWith(QLatin1Char('|') + offered));
        if (frames.isEmpty()) {
            QVERIFY(b.peer.staysQuiet());
            return;
        }
        QVERIFY(b.peer.waitForFrames(frames.size()));
        QVERIFY(b.peer.staysQuiet(100));
        QCOMPARE(b.sent(), frames);
        // A new name shows at once.
        if (frames.size() > 1)
            QCOMPARE(b.page.nameField(slot)->text(),
                     LocalText::decode(frames.last().second.mid(1)));
    }

    // The active preset: its number marked in the row header, its name bold
    // and its "Load" button coloured; the mark moves with the unit's answer.
    void activePresetIsMarked()
    {
        Bench b(3);
        QTableWidget *table = b.page.table();
        const auto marked = [&](int slot) {
            return table->verticalHeaderItem(slot)->text().startsWith(QChar(0x25B6)) &&
                   b.page.nameField(slot)->font().bold() &&
                   !b.page.button(slot, QPreset::LoadColumn)->styleSheet().isEmpty();
        };
        QVERIFY(marked(3));
        QCOMPARE(table->verticalHeaderItem(3)->text(), QString(QChar(0x25B6)) + " 4");
        QVERIFY(!marked(9));
        b.page.receive(1, 0x80, 545, list545(9, {{3, "Choir"}, {9, "Lecture"}}));
        QVERIFY(marked(9));
        QVERIFY(!marked(3));
        QCOMPARE(table->verticalHeaderItem(3)->text(), QStringLiteral("4"));
        QVERIFY(!b.page.nameField(3)->font().bold());
        // A language change keeps the mark.
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&b.page, &change);
        QVERIFY(marked(9));
    }

    void slotMenu()
    {
        Bench b;
        b.page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.page));
        std::unique_ptr<QMenu> empty(b.page.slotMenu(5));
        QVERIFY(!b.action(empty.get(), "Load")->isEnabled());
        QVERIFY(!b.action(empty.get(), "Delete")->isEnabled());
        QVERIFY(b.action(empty.get(), "Save")->isEnabled());

        // Rename: the name is selected for typing; leaving it sends it.
        std::unique_ptr<QMenu> named(b.page.slotMenu(9));
        b.action(named.get(), "Rename")->trigger();
        QLineEdit *field = b.page.nameField(9);
        QTRY_VERIFY(field->hasFocus());
        QCOMPARE(field->selectedText(), QStringLiteral("Lecture"));
        QTest::keyClicks(field, "Sermon");
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(b.peer.waitForFrames(1));
        QCOMPARE(b.sent().value(0), qMakePair(5, QByteArray("\x09Sermon")));

        b.action(named.get(), "Load")->trigger();
        QCOMPARE(b.prompt.shown.last(), QStringLiteral("warning|Load preset?|OK,Cancel"));
        QVERIFY(b.peer.waitForFrames(2));
        QCOMPARE(b.sent().value(1), qMakePair(9, QByteArray(1, 9)));
    }

    // A double click or F2 selects the whole name, ready to be replaced.
    void doubleClickAndF2SelectTheName()
    {
        Bench b;
        b.page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.page));
        QLineEdit *field = b.page.nameField(3);
        QTest::mouseDClick(field, Qt::LeftButton, {}, QPoint(4, field->height() / 2));
        QCOMPARE(field->selectedText(), QStringLiteral("Choir"));
        field->deselect();
        QTest::keyClick(field, Qt::Key_F2);
        QCOMPARE(field->selectedText(), QStringLiteral("Choir"));
        QVERIFY(b.peer.staysQuiet(50));
    }
};

QTEST_MAIN(TestPresetNames)
#include "tst_presetnames.moc"
