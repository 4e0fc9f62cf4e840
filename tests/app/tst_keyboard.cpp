// The program with the keyboard alone, against a simulated unit on loopback:
// from the start, pick the unit, switch input 3 to output 5 on the matrix,
// raise band 2 of the input filter by 3 dB on its graph and save a preset.
// Every step is a key event sent to the widget that has the focus, as the
// operator's keyboard sends it; each result is read from the simulated unit.
// The steps run in order on one window, each from where the last one left.

#include "app/mainwindow.h"
#include "devices/qdevicelist.h"
#include "pages/filters/filterbandpanel.h"
#include "pages/filters/filtergraph.h"
#include "pages/filters/qinfilter.h"
#include "pages/funcwidget.h"
#include "pages/matrix/crosspointgrid.h"
#include "pages/matrix/qmixer.h"
#include "presets/qpreset.h"
#include "protocol/lebytes.h"
#include "protocol/transport.h"
#include "sim/filterblock.h"
#include "sim/matrixblock.h"
#include "sim/presetblock.h"
#include "tests/support/answeringprompt.h"
#include "tests/support/apprig.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// Tab presses it may take to reach a control: the device list, the
// overview, 19 page buttons and a page's controls lie before some of them.
constexpr int TabLimit = 400;

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        m_rig = std::make_unique<AppRig>(1);
        MainWindow &w = *m_rig->window;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_COMPARE(w.deviceList()->count(), 1);
    }

    void cleanupTestCase() { m_rig.reset(); }

    // Tab to the device list, move to the unit and pick it with Return.
    void pickTheUnit()
    {
        QListWidget *list = m_rig->window->deviceList()->listWidget();
        QVERIFY2(tabUntil([list](QWidget *w) { return w == list; }), "no Tab reaches the list");
        if (list->currentRow() < 0)
            press(Qt::Key_Down);
        QCOMPARE(list->currentRow(), 0);
        press(Qt::Key_Return);
        QTRY_VERIFY(isLoggedIn());
        QVERIFY(pages().pagesEnabled());
    }

    // Ctrl+PgDn from the page shown at start (Pre Level) to the matrix; Tab
    // into the grid, whose cursor starts at IN 1 / OUT 1; the arrows move it to
    // IN 3 / OUT 5; Space selects the crosspoint, Space again switches it.
    void switchInput3ToOutput5()
    {
        MatrixBlock &unit = m_rig->block<MatrixBlock>(Proto::Module::Matrix);
        QVERIFY(!unit.isOn(4, 2));
        QVERIFY(stepPagesTo(FuncWidget::Matrix, Qt::Key_PageDown));
        QMixer *mixer = pages().mixer();
        CrosspointGrid *grid = mixer->grid();
        QVERIFY(tabUntil([grid](QWidget *w) { return grid == w || grid->isAncestorOf(w); }));
        for (int i = 0; i < 2; ++i)
            press(Qt::Key_Down);
        for (int i = 0; i < 4; ++i)
            press(Qt::Key_Right);
        press(Qt::Key_Space);
        QTRY_VERIFY(grid->isSelected(2, 4));
        press(Qt::Key_Space);
        QTRY_VERIFY(unit.isOn(4, 2));
        QVERIFY(mixer->isMixOn(2, 4));
        // Nothing else changed: input 3 still reaches output 3 only besides 5.
        for (int out = 0; out < 16; ++out)
            QCOMPARE(unit.isOn(out, 2), out == 2 || out == 4);
    }

    // Ctrl+PgUp back to the input filter; Tab reaches the graph and then
    // moves through its handles; six Up arrows of 0.5 dB raise band 2.
    void raiseBand2By3dB()
    {
        QVERIFY(stepPagesTo(FuncWidget::InFilter, Qt::Key_PageUp));
        QInFilter *page = pages().inFilter();
        FilterGraph *graph = page->graph();
        FilterBlock &unit = m_rig->block<FilterBlock>(Proto::Module::InputFilter);
        const auto unitGain = [&unit] { return Le::get<float>(unit.band(0, 1), 6); };
        const float before = unitGain();
        // The page edits bands once it holds what the unit reported, and
        // selects the first band again when the unit's DSP version sets
        // the number of bands.
        QTRY_VERIFY(page->bandPanel()->isEnabled());
        QTRY_COMPARE(graph->bandCount(), pages().bandCount());
        QVERIFY(tabUntil([graph](QWidget *w) { return w == graph; }));
        for (int i = 0; i < 18 && graph->currentHandle() != 1 && focus() == graph; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(graph->currentHandle(), 1);
        QCOMPARE(focus(), static_cast<QWidget *>(graph));
        // Selecting the handle selects its band, which is read at once; the
        // page takes edits of it once the answer is in.
        QTRY_COMPARE(page->band(), 1);
        QTRY_VERIFY(page->bandPanel()->isEditable());
        for (int i = 0; i < 6; ++i)
            press(Qt::Key_Up);
        QTRY_COMPARE(unitGain(), before + 3.0f);
        QCOMPARE(page->bandRecord(1).gain, before + 3.0f);
    }

    // Ctrl+PgDn on to the presets; Tab to the "Save" of slot 3 and Space;
    // the name offered is taken (the question is answered through the
    // prompt, which stands in for the operator's Enter).
    void saveAPreset()
    {
        AnsweringPrompt prompt;
        prompt.typed = QStringLiteral("Keys only");
        QVERIFY(stepPagesTo(FuncWidget::Preset, Qt::Key_PageDown));
        auto *page = qobject_cast<QPreset *>(pages().page(FuncWidget::Preset));
        QPushButton *save = page->button(2, QPreset::SaveColumn);
        QVERIFY2(tabUntil([save](QWidget *w) { return w == save; }), "no Tab reaches Save");
        press(Qt::Key_Space);
        QCOMPARE(prompt.shown.size(), 1);
        PresetBlock &unit = m_rig->block<PresetBlock>(Proto::Module::Preset);
        QTRY_VERIFY(unit.holdsPreset(2));
        QTRY_COMPARE(unit.name(2), QByteArray("Keys only"));
        QTRY_COMPARE(page->nameField(2)->text(), QStringLiteral("Keys only"));
    }

    // Ctrl+PgUp/PgDn go round the row and pass over the pages the unit does
    // not have (the AGC button is never shown); the page buttons are reached
    // with Tab.
    void pageKeys()
    {
        FuncWidget &f = pages();
        f.setCurrentPage(FuncWidget::Feedback);
        press(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(f.currentIndex(), int(FuncWidget::Gate));
        press(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(f.currentIndex(), int(FuncWidget::Feedback)); // AGC passed over
        f.setCurrentPage(FuncWidget::Settings);
        press(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(f.currentIndex(), int(FuncWidget::InSetup));
        press(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(f.currentIndex(), int(FuncWidget::Settings));

        // Tab stops at the button of the page shown; the arrows go along the
        // row and open the page they reach.
        f.setCurrentPage(FuncWidget::Label);
        QVERIFY(tabUntil([&f](QWidget *w) { return w == f.pageButton(FuncWidget::Label); }));
        press(Qt::Key_Right);
        QCOMPARE(f.currentIndex(), int(FuncWidget::Settings));
        QCOMPARE(focus(), static_cast<QWidget *>(f.pageButton(FuncWidget::Settings)));
        press(Qt::Key_Left);
        QCOMPARE(f.currentIndex(), int(FuncWidget::Label));
        // From a focused page button the page keys take the focus along.
        press(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(f.currentIndex(), int(FuncWidget::Preset));
        QCOMPARE(focus(), static_cast<QWidget *>(f.pageButton(FuncWidget::Preset)));
        // The overview's mute is one stop of the chain, the scroll area none.
        QVERIFY(tabUntil([](QWidget *w) { return w->objectName() == "muteButton"; }));
        press(Qt::Key_Backtab);
        QCOMPARE(focus(), static_cast<QWidget *>(m_rig->window->deviceList()->listWidget()));
    }

private:
    FuncWidget &pages() { return m_rig->pages(); }

    QWidget *focus() const
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w : m_rig->window.get();
    }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focus(), Qt::Key(key), modifiers);
    }

    // Presses Tab until `found` holds for the focus widget.
    bool tabUntil(const std::function<bool(QWidget *)> &found)
    {
        for (int i = 0; i < TabLimit; ++i) {
            if (found(focus()))
                return true;
            press(Qt::Key_Tab);
        }
        return found(focus());
    }

    // Ctrl+PgUp or Ctrl+PgDn until the page is shown.
    bool stepPagesTo(int index, int key)
    {
        for (int i = 0; i < FuncWidget::PageCount && pages().currentIndex() != index; ++i)
            press(key, Qt::ControlModifier);
        return pages().currentIndex() == index;
    }

    QTemporaryDir m_config;
    std::unique_ptr<AppRig> m_rig;
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
