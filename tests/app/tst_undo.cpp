// Undo and redo in the main window against simulated units on loopback: what
// one operator gesture changed is one step, undo writes the values from before
// into the unit and redo the values after, steps of different pages come back
// in reverse order, and the history goes with the unit it was made on.

#include "app/editactions.h"
#include "app/mainwindow.h"
#include "model/edithistory.h"
#include "pages/filters/eqimport.h"
#include "pages/filters/filterbandpanel.h"
#include "pages/filters/filterparams.h"
#include "pages/filters/qinfilter.h"
#include "pages/funcwidget.h"
#include "pages/knobfield.h"
#include "pages/levels/qoutlevel.h"
#include "pages/levels/qpremixlevel.h"
#include "pages/matrix/crosspointgrid.h"
#include "pages/matrix/qmixbutton2.h"
#include "pages/matrix/qmixer.h"
#include "presets/qpreset.h"
#include "protocol/lebytes.h"
#include "protocol/transport.h"
#include "sim/channelblock.h"
#include "sim/filterblock.h"
#include "sim/matrixblock.h"
#include "tests/support/answeringprompt.h"
#include "tests/support/apprig.h"
#include "tests/support/pagetest.h"
#include "tests/support/testsupport.h"
#include "widgets/knob.h"
#include "widgets/qfader.h"

#include <QAction>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

struct Rig : AppRig
{
    using AppRig::AppRig;
    MatrixBlock &matrix(int i = 0) { return block<MatrixBlock>(Proto::Module::Matrix, i); }
    FilterBlock &inputFilters() { return block<FilterBlock>(Proto::Module::InputFilter); }
    ChannelBlock &outputs() { return *model().block(Proto::Module::OutputLevel); }
    ChannelBlock &premix(int i = 0) { return *model(i).block(Proto::Module::PreMixLevel); }
    Model::EditHistory &history() { return *pages().history(); }
    void undo() { window->editActions()->undoAction()->trigger(); }
    void redo() { window->editActions()->redoAction()->trigger(); }
};

// A crosspoint pattern unlike the unit's defaults and unlike "All Mix".
bool patternOn(int output, int input)
{
    return (output + input) % 3 == 0;
}
qint8 patternGain(int output, int input)
{
    return qint8(-((output * 16 + input) % 30));
}

// Two presses: the first selects the crosspoint, the second switches it.
void toggle(QMixButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
}

float bandGain(FilterBlock &filters, int channel, int band)
{
    return Le::get<float>(filters.band(channel, band), 6);
}

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void faderDragIsOneStep()
    {
        Rig rig;
        MainWindow &w = *rig.window;
        w.show();
        rig.outputs().set<float>(Proto::OutLevelCmd::Gain, 4, -6.0f);
        QVERIFY(rig.logIn());
        w.funcWidget()->setCurrentPage(FuncWidget::OutLevel);
        QOutLevel *out = w.funcWidget()->outLevel();
        QFader *fader = out->fader(4);
        QTRY_COMPARE(fader->value(), -6.0f);

        // Many movements, one send, one step.
        const QPoint from = fader->handleRect().center().toPoint();
        sendMouse(fader, QEvent::MouseButtonPress, from, Qt::LeftButton);
        for (int dy = 4; dy <= 40; dy += 4)
            sendMouse(fader, QEvent::MouseMove, from + QPoint(0, dy), Qt::LeftButton);
        sendMouse(fader, QEvent::MouseButtonRelease, from + QPoint(0, 40), Qt::NoButton);
        const float dragged = fader->value();
        QVERIFY(dragged < -6.0f);
        QTRY_COMPARE(rig.outputs().get<float>(Proto::OutLevelCmd::Gain, 4), dragged);
        QTRY_VERIFY(!rig.history().undoText().isEmpty());
        QCOMPARE(w.editActions()->undoAction()->text(),
                 QStringLiteral("Undo ") + rig.history().undoText());
        QVERIFY(rig.history().undoText().startsWith(QStringLiteral("OUT 5")));

        rig.undo();
        QTRY_COMPARE(rig.outputs().get<float>(Proto::OutLevelCmd::Gain, 4), -6.0f);
        QVERIFY(!rig.history().canUndo()); // the drag was one step
        QTRY_COMPARE(fader->value(), -6.0f);

        rig.redo();
        QTRY_COMPARE(rig.outputs().get<float>(Proto::OutLevelCmd::Gain, 4), dragged);
        QTRY_COMPARE(fader->value(), dragged);
    }

    void allMixUndoneWritesEveryCrosspoint()
    {
        Rig rig;
        for (int o = 0; o < 16; ++o)
            for (int i = 0; i < 16; ++i) {
                rig.matrix().setOn(o, i, patternOn(o, i));
                rig.matrix().setGain(o, i, patternGain(o, i));
            }
        MainWindow &w = *rig.window;
        w.show();
        QVERIFY(rig.logIn());
        w.funcWidget()->setCurrentPage(FuncWidget::Matrix);
        QMixer *page = w.funcWidget()->mixer();
        QTRY_VERIFY(page->isMixOn(15, 15) && !page->isMixOn(1, 0));

        AnsweringPrompt prompt;
        page->allMixButton()->click();
        const auto all = [](const std::function<bool(int, int)> &holds) {
            for (int o = 0; o < 16; ++o)
                for (int i = 0; i < 16; ++i)
                    if (!holds(o, i))
                        return false;
            return true;
        };
        QTRY_VERIFY(all([&](int o, int i) { return rig.matrix().isOn(o, i); }));
        QCOMPARE(rig.history().undoText(), QStringLiteral("All Mix"));

        rig.undo();
        QTRY_VERIFY(all([&](int o, int i) {
            return rig.matrix().isOn(o, i) == patternOn(o, i) &&
                   rig.matrix().gain(o, i) == patternGain(o, i);
        }));
        QTRY_VERIFY(!page->isMixOn(1, 0) && page->isMixOn(0, 0));
    }

    void undoAcrossPagesInReverseOrder()
    {
        Rig rig;
        MainWindow &w = *rig.window;
        w.show();
        QVERIFY(rig.logIn());
        FuncWidget &pages = *w.funcWidget();
        pages.setCurrentPage(FuncWidget::InFilter);
        QInFilter *filter = pages.inFilter();
        const int band = filter->band();
        QTRY_VERIFY(filter->bandPanel()->gain()->knob()->isEnabled());
        const float before = bandGain(rig.inputFilters(), 0, band);
        emit filter->bandPanel()->gain()->knob()->valueChanged(before * 10.0f + 45.0f);
        QTRY_COMPARE(bandGain(rig.inputFilters(), 0, band), before + 4.5f);

        pages.setCurrentPage(FuncWidget::Matrix);
        QMixer *mixer = pages.mixer();
        const bool on = rig.matrix().isOn(4, 2);
        QTRY_COMPARE(mixer->isMixOn(2, 4), on);
        toggle(mixer->grid()->button(2, 4));
        QTRY_COMPARE(rig.matrix().isOn(4, 2), !on);

        rig.undo();
        QTRY_COMPARE(rig.matrix().isOn(4, 2), on);
        QCOMPARE(bandGain(rig.inputFilters(), 0, band), before + 4.5f);
        QVERIFY(rig.history().undoText().contains(QStringLiteral("IN 1")));
        rig.undo();
        QTRY_COMPARE(bandGain(rig.inputFilters(), 0, band), before);
        QCOMPARE(rig.matrix().isOn(4, 2), on);
        QVERIFY(!rig.history().canUndo());
        QVERIFY(rig.history().canRedo());
    }

    void eqImportIsOneStep()
    {
        Rig rig;
        MainWindow &w = *rig.window;
        w.show();
        QVERIFY(rig.logIn());
        FuncWidget &pages = *w.funcWidget();
        pages.setCurrentPage(FuncWidget::InFilter);
        QInFilter *filter = pages.inFilter();
        // Taken once the page holds the channel; the same values write nothing.
        QTRY_VERIFY(filter->applyFilterSet(
            0, EqChannel::of(*pages.unitState(), FilterParams(false), 0, 16)));
        const QByteArray before = rig.inputFilters().channelRecords(0);
        EqChannel target = EqChannel::of(*pages.unitState(), FilterParams(false), 0, 16);
        for (int b : {0, 5, 11})
            target.bands[size_t(b)].gain = -3.5f - float(b);
        QVERIFY(filter->applyFilterSet(0, target));
        QTRY_COMPARE(bandGain(rig.inputFilters(), 0, 11), -14.5f);
        QCOMPARE(bandGain(rig.inputFilters(), 0, 0), -3.5f);
        QVERIFY(rig.history().undoText().startsWith(QStringLiteral("Import EQ")));

        rig.undo();
        QTRY_COMPARE(rig.inputFilters().channelRecords(0), before);
        QVERIFY(!rig.history().canUndo()); // three bands, one step
        rig.redo();
        QTRY_COMPARE(bandGain(rig.inputFilters(), 0, 5), -8.5f);
    }

    void newEditDropsRedo()
    {
        Rig rig;
        MainWindow &w = *rig.window;
        w.show();
        QVERIFY(rig.logIn());
        QPreMixLevel *premix = w.funcWidget()->preMixLevel();
        QTest::mouseClick(premix->muteButton(2), Qt::LeftButton);
        QTRY_COMPARE(rig.premix().get<quint8>(Proto::PreMixCmd::Mute, 2), quint8(1));
        rig.undo();
        QTRY_COMPARE(rig.premix().get<quint8>(Proto::PreMixCmd::Mute, 2), quint8(0));
        QVERIFY(rig.history().canRedo());
        QVERIFY(w.editActions()->redoAction()->isEnabled());

        QTest::mouseClick(premix->muteButton(3), Qt::LeftButton);
        QTRY_COMPARE(rig.premix().get<quint8>(Proto::PreMixCmd::Mute, 3), quint8(1));
        QTRY_VERIFY(rig.history().canUndo());
        QVERIFY(!rig.history().canRedo());
        QVERIFY(!w.editActions()->redoAction()->isEnabled());
        rig.redo(); // nothing to redo: the first mute stays undone
        QCOMPARE(rig.premix().get<quint8>(Proto::PreMixCmd::Mute, 2), quint8(0));
    }

    void historyClearsOnRecallAndUnitChange()
    {
        Rig rig(2);
        AnsweringPrompt prompt; // yes to saving and to recalling the preset
        MainWindow &w = *rig.window;
        w.show();
        QVERIFY(rig.logIn(0));
        FuncWidget &pages = *w.funcWidget();
        auto *presets = qobject_cast<QPreset *>(pages.page(FuncWidget::Preset));
        pages.setCurrentPage(FuncWidget::Preset);
        QTest::mouseClick(presets->button(3, QPreset::SaveColumn), Qt::LeftButton);
        QTRY_VERIFY(presets->button(3, QPreset::LoadColumn)->isEnabled());

        QPreMixLevel *premix = pages.preMixLevel();
        QTest::mouseClick(premix->muteButton(2), Qt::LeftButton);
        QTRY_VERIFY(rig.history().canUndo());
        QTest::mouseClick(presets->button(3, QPreset::LoadColumn), Qt::LeftButton);
        QVERIFY(!rig.history().canUndo());
        QVERIFY(!w.editActions()->undoAction()->isEnabled());
        QVERIFY(w.statusBar()->currentMessage().contains(QStringLiteral("preset")));

        QTRY_COMPARE(rig.premix().get<quint8>(Proto::PreMixCmd::Mute, 2), quint8(0));
        QTest::mouseClick(premix->muteButton(5), Qt::LeftButton);
        QTRY_VERIFY(rig.history().canUndo());
        QVERIFY(rig.logIn(1));
        QVERIFY(!rig.history().canUndo());
        // Undo now would write the first unit's values into the second.
        rig.undo();
        QTest::qWait(100);
        QCOMPARE(rig.premix(0).get<quint8>(Proto::PreMixCmd::Mute, 5), quint8(1));
        QCOMPARE(rig.premix(1).get<quint8>(Proto::PreMixCmd::Mute, 5), quint8(0));
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
