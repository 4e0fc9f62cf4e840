// What a screen reader finds: the accessibility tree of every page and
// window of the program against a simulated unit, walked through the Qt
// accessibility API. Every focusable control has a name, every value control
// a value; the hand-drawn controls name their channel and its label. And the
// keys of the knob, the fader, the matrix grid and the filter graph reach the
// unit as the mouse does.

#include "app/qlogin.h"
#include "app/qpswmoddialog.h"
#include "devices/qipsetting.h"
#include "pages/dynamics/gatelamp.h"
#include "pages/dynamics/qgate.h"
#include "pages/filters/eqimportdialog.h"
#include "pages/filters/filterbandpanel.h"
#include "pages/filters/filtergraph.h"
#include "pages/filters/filterpage.h"
#include "pages/filters/filtertables.h"
#include "pages/filters/qinfilter.h"
#include "pages/funcwidget.h"
#include "pages/knobfield.h"
#include "pages/levels/qinlevel.h"
#include "pages/levels/qoutlevel.h"
#include "pages/matrix/crosspointgrid.h"
#include "pages/matrix/matrixmixvaluewidget.h"
#include "pages/matrix/qmixbutton.h"
#include "pages/matrix/qmixer.h"
#include "pages/qoverview.h"
#include "protocol/lebytes.h"
#include "sim/channelblock.h"
#include "sim/filterblock.h"
#include "sim/matrixblock.h"
#include "tests/support/answeringprompt.h"
#include "tests/support/apprig.h"
#include "widgets/knob.h"
#include "widgets/meterwidget.h"
#include "widgets/qchannelselect.h"
#include "widgets/qfader.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QFile>
#include <QSaveFile>
#include <QTest>
#include <QWheelEvent>

#include <memory>

namespace {

QString describe(QAccessibleInterface *iface)
{
    QString path;
    for (QAccessibleInterface *i = iface; i; i = i->parent()) {
        QObject *o = i->object();
        QString step =
            o ? (o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                           : o->objectName())
              : QStringLiteral("[part %1]").arg(i->text(QAccessible::Name));
        const QAccessibleTableCellInterface *cell = i->tableCellInterface();
        if (cell)
            step = QStringLiteral("[cell %1, %2]").arg(cell->rowIndex()).arg(cell->columnIndex());
        path = path.isEmpty() ? step : step + QLatin1Char('/') + path;
        if (o && o->isWidgetType() && static_cast<QWidget *>(o)->isWindow())
            break;
    }
    return path;
}

// The widget a table's cell holds (the cell has no text of its own then), or
// null.
QWidget *cellWidget(QAccessibleInterface *iface)
{
    QAccessibleTableCellInterface *cell = iface->tableCellInterface();
    QAccessibleInterface *table = cell ? cell->table() : nullptr;
    auto *view = table ? qobject_cast<QAbstractItemView *>(table->object()) : nullptr;
    if (!view || !view->model())
        return nullptr;
    return view->indexWidget(view->model()->index(cell->rowIndex(), cell->columnIndex()));
}

bool hasName(QAccessibleInterface *iface)
{
    if (!iface->text(QAccessible::Name).trimmed().isEmpty())
        return true;
    QWidget *held = cellWidget(iface);
    QAccessibleInterface *heldIface = held ? QAccessible::queryAccessibleInterface(held) : nullptr;
    return heldIface && !heldIface->text(QAccessible::Name).trimmed().isEmpty();
}

// The shown controls below `iface` a screen reader could not tell apart:
// focusable without a name, or value controls without a value. A label that
// can be selected takes the focus, but what it says is its text.
void collectFaults(QAccessibleInterface *iface, QStringList &faults, int &controls)
{
    const QAccessible::State state = iface->state();
    if (state.invisible)
        return;
    const bool focusable =
        state.focusable && !state.disabled && iface->role() != QAccessible::StaticText;
    if (focusable || iface->valueInterface())
        ++controls;
    if (focusable && !hasName(iface))
        faults << describe(iface) + QStringLiteral(": no name");
    if (QAccessibleValueInterface *value = iface->valueInterface()) {
        if (iface->text(QAccessible::Value).trimmed().isEmpty() || !value->currentValue().isValid())
            faults << describe(iface) + QStringLiteral(": no value");
    }
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface *child = iface->child(i))
            collectFaults(child, faults, controls);
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        QAccessible::setActive(true);
        MainWindow::initResources();
        QFile sheet(QStringLiteral(":/qss/AppWhite"));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
        m_rig = std::make_unique<AppRig>(1);
        MainWindow &w = *m_rig->window;
        w.show();
        QVERIFY(m_rig->logIn());
        // The channel names are the unit's ("Handheld 2" is input 3).
        QTRY_COMPARE(mixer()->grid()->inputLabel(2), QStringLiteral("IN 3 Handheld 2"));
    }

    void cleanupTestCase() { m_rig.reset(); }

    void page_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < FuncWidget::PageCount; ++i)
            QTest::newRow(FuncWidget::pageTitle(i)) << i;
    }

    // The window with the page on screen: the page, the overview, the device
    // list and the page buttons.
    void page()
    {
        QFETCH(int, index);
        FuncWidget *func = m_rig->pages().page(index) ? &m_rig->pages() : nullptr;
        QVERIFY(func);
        func->setCurrentPage(index);
        QTRY_VERIFY(func->page(index)->isVisible());
        expectNamedControls(m_rig->window.get());
    }

    void window_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name : {"mixer value", "channel select", "meters", "login", "password",
                                 "device list", "ip setting", "eq import"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void window()
    {
        QFETCH(QString, window);
        MainWindow &w = *m_rig->window;
        QWidget *shown = nullptr;
        if (window == QLatin1String("mixer value"))
            shown = mixer()->editor();
        else if (window == QLatin1String("channel select"))
            shown = qobject_cast<FilterPage *>(m_rig->pages().page(FuncWidget::InFilter))
                        ->channelSelect();
        else if (window == QLatin1String("meters"))
            shown = w.overview()->meterWidget();
        else if (window == QLatin1String("login"))
            shown = w.loginDialog();
        else if (window == QLatin1String("password"))
            shown = w.passwordDialog();
        else if (window == QLatin1String("device list"))
            shown = w.deviceTable();
        else if (window == QLatin1String("ip setting"))
            shown = w.deviceTable()->ipSettingDialog();
        else if (window == QLatin1String("eq import"))
            shown = eqImportPreview();
        QVERIFY(shown);
        shown->show();
        QTRY_VERIFY(shown->isVisible());
        expectNamedControls(shown);
        shown->hide();
    }

    // The hand-drawn controls name their channel and its label, and tell
    // their values with the unit.
    void controlsNameTheirChannel()
    {
        FuncWidget &f = m_rig->pages();
        f.setCurrentPage(FuncWidget::InSetup);
        auto *in = qobject_cast<QInLevel *>(f.page(FuncWidget::InSetup));
        QAccessibleInterface *knob =
            QAccessible::queryAccessibleInterface(in->gainControl(2)->knob());
        QCOMPARE(knob->text(QAccessible::Name), QStringLiteral("IN 3 Handheld 2, gain"));
        QVERIFY2(knob->text(QAccessible::Value).endsWith(QLatin1String(" dBu")),
                 qPrintable(knob->text(QAccessible::Value)));

        f.setCurrentPage(FuncWidget::Gate);
        auto *gate = qobject_cast<QGate *>(f.page(FuncWidget::Gate));
        QAccessibleInterface *lamp = QAccessible::queryAccessibleInterface(gate->lamp(2));
        QCOMPARE(lamp->role(), QAccessible::Indicator);
        QCOMPARE(lamp->text(QAccessible::Name), QStringLiteral("IN 3 Handheld 2, gate open"));
        QVERIFY(!lamp->text(QAccessible::Value).isEmpty());

        f.setCurrentPage(FuncWidget::Matrix);
        QAccessibleInterface *crosspoint =
            QAccessible::queryAccessibleInterface(mixer()->grid()->button(2, 4));
        QCOMPARE(crosspoint->text(QAccessible::Name),
                 QStringLiteral("IN 3 Handheld 2 to OUT 5 Foyer"));
        QCOMPARE(crosspoint->role(), QAccessible::CheckBox);

        f.setCurrentPage(FuncWidget::InFilter);
        QAccessibleInterface *graph = QAccessible::queryAccessibleInterface(f.inFilter()->graph());
        QCOMPARE(graph->role(), QAccessible::Chart);
        QCOMPARE(graph->childCount(), f.inFilter()->bandCount() + 2); // bands, H and L
        QAccessibleInterface *band2 = graph->child(2);
        QCOMPARE(band2->text(QAccessible::Name),
                 QStringLiteral("IN 1 Lectern, filter response, Band 2"));
        QVERIFY2(band2->text(QAccessible::Value).contains(QLatin1String(" dB, Q ")),
                 qPrintable(band2->text(QAccessible::Value)));
        QCOMPARE(band2->parent(), graph);
    }

    // An arrow or page key on a knob is an edit like a drag: it reaches the
    // unit after the deferred send.
    void knobKeysReachTheUnit()
    {
        activateWindow();
        FuncWidget &f = m_rig->pages();
        f.setCurrentPage(FuncWidget::InFilter);
        QInFilter *page = f.inFilter();
        KnobField *gain = page->bandPanel()->gain();
        QTRY_VERIFY(gain->isEnabled()); // the band's record has been read
        const int band = page->band();
        const float before = page->bandRecord(band).gain;
        gain->knob()->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(gain->knob()->hasFocus());
        QTest::keyClick(gain->knob(), Qt::Key_PageUp); // ten steps of 0.1 dB
        QTest::keyClick(gain->knob(), Qt::Key_Up);
        QTRY_COMPARE(Le::get<float>(filters().band(0, band), 6), before + 1.1f);
    }

    void faderKeysReachTheUnit()
    {
        activateWindow();
        FuncWidget &f = m_rig->pages();
        f.setCurrentPage(FuncWidget::OutLevel);
        QFader *fader = f.outLevel()->fader(4);
        fader->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(fader->hasFocus());
        QTest::keyClick(fader, Qt::Key_End);
        ChannelBlock *outputs = m_rig->model().block(Proto::Module::OutputLevel);
        QTRY_COMPARE(outputs->get<float>(Proto::OutLevelCmd::Gain, 4), fader->maximum());
        QTest::keyClick(fader, Qt::Key_PageDown); // ten steps of 0.1 dB
        QTRY_COMPARE(outputs->get<float>(Proto::OutLevelCmd::Gain, 4), fader->maximum() - 1.0f);
    }

    // The cursor moves with the arrows; Space selects, then switches.
    void gridKeysSwitchACrosspoint()
    {
        activateWindow();
        FuncWidget &f = m_rig->pages();
        f.setCurrentPage(FuncWidget::Matrix);
        CrosspointGrid *grid = mixer()->grid();
        QVERIFY(!m_rig->block<MatrixBlock>(Proto::Module::Matrix).isOn(4, 2));
        grid->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(grid->hasFocus());
        grid->setCursorPosition(0, 0);
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right,
                            Qt::Key_Right})
            QTest::keyClick(grid, key);
        QCOMPARE(grid->cursorInput(), 2);
        QCOMPARE(grid->cursorOutput(), 4);
        QVERIFY(grid->button(2, 4)->hasCursorMark());
        QAccessibleInterface *focused = QAccessible::queryAccessibleInterface(grid)->focusChild();
        QVERIFY(focused);
        QCOMPARE(focused->object(), grid->button(2, 4));
        QTest::keyClick(grid, Qt::Key_Space);
        QVERIFY(grid->isSelected(2, 4));
        QVERIFY(!grid->isOn(2, 4));
        QTest::keyClick(grid, Qt::Key_Space);
        QVERIFY(grid->isOn(2, 4));
        QTRY_VERIFY(m_rig->block<MatrixBlock>(Proto::Module::Matrix).isOn(4, 2));
        QVERIFY(focused->state().checked);
    }

    // Tab reaches the graph and its handles; the arrows move the selected
    // one; the wheel over a band changes its Q through the page.
    void graphKeysMoveABand()
    {
        activateWindow();
        FuncWidget &f = m_rig->pages();
        f.setCurrentPage(FuncWidget::InFilter);
        QInFilter *page = f.inFilter();
        FilterGraph *graph = page->graph();
        QTRY_VERIFY(page->bandPanel()->gain()->isEnabled());
        graph->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(graph->hasFocus());
        QCOMPARE(graph->currentHandle(), int(FilterGraph::HighPassHandle));
        QTest::keyClick(graph, Qt::Key_Tab);
        QTest::keyClick(graph, Qt::Key_Tab);
        QCOMPARE(graph->currentHandle(), 1);
        QVERIFY(graph->hasFocus());
        QTRY_COMPARE(page->band(), 1); // the page follows the selected handle
        QTRY_VERIFY(page->bandPanel()->gain()->isEnabled());
        const float before = page->bandRecord(1).gain;
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(graph, Qt::Key_Up);
        QVERIFY(!graph->readoutText().isEmpty()); // its values beside it
        QTRY_COMPARE(Le::get<float>(filters().band(0, 1), 6), before + 3.0f);

        const int q = page->bandRecord(1).qIndex;
        const QPointF at = graph->handleRect(1).center();
        QWheelEvent wheel(at, graph->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(graph, &wheel);
        QCOMPARE(page->bandRecord(1).qIndex, q + 1);
        QTRY_COMPARE(int(quint8(filters().band(0, 1).at(10))), q + 1); // the Q's index

        // Past the last handle Tab leaves the graph.
        for (int i = 0; i < graph->handleOrder().size(); ++i)
            QTest::keyClick(graph, Qt::Key_Tab);
        QTRY_VERIFY(!graph->hasFocus());
    }

    void shots()
    {
        const QString dir = qEnvironmentVariable("DAP_A11Y_SHOTS");
        if (dir.isEmpty())
            QSKIP("no shots");
        MainWindow &w = *m_rig->window;
        w.resize(1024, 600);
        activateWindow();
        FuncWidget &f = m_rig->pages();
        auto shot = [&](const QString &name) {
            QCoreApplication::processEvents();
            w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
        };
        f.setCurrentPage(FuncWidget::InFilter);
        QTRY_VERIFY(f.inFilter()->bandPanel()->gain()->isEnabled());
        f.inFilter()->bandPanel()->gain()->knob()->setFocus(Qt::TabFocusReason);
        shot(QStringLiteral("knob"));
        FilterGraph *graph = f.inFilter()->graph();
        graph->setBand(2, false, 0, 20.0f, 0.0f, 2.0f);
        graph->setFocus(Qt::TabFocusReason);
        QTest::keyClick(graph, Qt::Key_Tab);
        QTest::keyClick(graph, Qt::Key_Tab);
        QTest::keyClick(graph, Qt::Key_Up);
        shot(QStringLiteral("graph"));
        f.setCurrentPage(FuncWidget::OutLevel);
        f.outLevel()->fader(2)->setFocus(Qt::TabFocusReason);
        shot(QStringLiteral("fader"));
        f.setCurrentPage(FuncWidget::Matrix);
        mixer()->grid()->setFocus(Qt::TabFocusReason);
        mixer()->grid()->setCursorPosition(2, 4);
        shot(QStringLiteral("grid"));
        f.setCurrentPage(FuncWidget::InLimiter);
        shot(QStringLiteral("limiter"));
        f.setCurrentPage(FuncWidget::Agc);
        shot(QStringLiteral("agc"));
    }

private:
    QMixer *mixer() { return m_rig->pages().mixer(); }
    // The preview of an equaliser file on input 1, once the page holds the
    // channel's filters (until then the page declines, through the prompt).
    QWidget *eqImportPreview()
    {
        auto *page = qobject_cast<FilterPage *>(m_rig->pages().page(FuncWidget::InFilter));
        const QString name = m_config.filePath(QStringLiteral("room.txt"));
        QSaveFile file(name);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write("Filter Settings file\r\n"
                       "Filter  1: ON  PK       Fc   125 Hz  Gain  2.5 dB  Q  1.00\r\n") < 0 ||
            !file.commit())
            return nullptr;
        AnsweringPrompt prompt;
        m_rig->pages().setCurrentPage(FuncWidget::InFilter);
        if (!QTest::qWaitFor([&] { return page->importEqFile(name); }))
            return nullptr;
        return page->eqImportDialog();
    }
    // Keys go to the focus widget of the active window.
    void activateWindow()
    {
        m_rig->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_rig->window.get()));
    }
    FilterBlock &filters() { return m_rig->block<FilterBlock>(Proto::Module::InputFilter); }

    void expectNamedControls(QWidget *window)
    {
        // Widgets put into a shown layout are shown by a queued call.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(window);
        QVERIFY(root);
        QStringList faults;
        int controls = 0;
        collectFaults(root, faults, controls);
        faults.removeDuplicates();
        for (const QString &f : qAsConst(faults))
            qWarning("%s", qUtf8Printable(f));
        QVERIFY2(controls > 0, "no controls found");
        QVERIFY2(faults.isEmpty(),
                 qPrintable(QStringLiteral("%1 of %2 controls cannot be told apart")
                                .arg(faults.size())
                                .arg(controls)));
    }

    QTemporaryDir m_config;
    std::unique_ptr<AppRig> m_rig;
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
