// The program in Chinese: after the language is switched the way the menu
// does it, no page, window or menu shows English any more (apart from what is
// no language, see leftoverEnglish), no text is cut off, every page fits the
// 1024 x 600 window, and switching back brings English back.

#include "app/faultreport.h"
#include "app/qlogin.h"
#include "app/qpswmoddialog.h"
#include "devices/connecttimeoutbox.h"
#include "devices/devicetablemodel.h"
#include "devices/qdevicelist.h"
#include "devices/qipsetting.h"
#include "pages/blockpage.h"
#include "pages/filters/eqimportdialog.h"
#include "pages/filters/filterpage.h"
#include "pages/funcwidget.h"
#include "pages/matrix/matrixmixvaluewidget.h"
#include "pages/matrix/qmixer.h"
#include "pages/qoverview.h"
#include "presets/qpreset.h"
#include "protocol/commands.h"
#include "protocol/transport.h"
#include "settings/settings.h"
#include "sim/labeltables.h"
#include "sim/presetblock.h"
#include "tests/support/apprig.h"
#include "widgets/meterwidget.h"
#include "widgets/qchannelselect.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>

#include <memory>

namespace {

const QStringList RunFiles = {QStringLiteral("translations/language.dat"),
                              QStringLiteral("translations/english.qm"),
                              QStringLiteral("translations/chinese.qm")};

// The Latin words that may stay in a Chinese text because they are no
// language: units, and acronyms that Chinese audio equipment writes as they
// are (the processor's parts ARM, DSP, DAC; AEC/ANC next to their Chinese
// names; IP, ID, DPI, TCP; RS232/RS485 give "RS").
const QStringList AllowedWords = {
    QStringLiteral("dB"),  QStringLiteral("dBu"), QStringLiteral("Hz"),  QStringLiteral("KHz"),
    QStringLiteral("ms"),  QStringLiteral("ARM"), QStringLiteral("DSP"), QStringLiteral("DAC"),
    QStringLiteral("AEC"), QStringLiteral("ANC"), QStringLiteral("IP"),  QStringLiteral("ID"),
    QStringLiteral("RS"),  QStringLiteral("DPI"), QStringLiteral("TCP"),
};

// Texts that are names rather than language: the product name on the logo,
// channel designations as the unit's panel prints them ("IN 3", "OUT 12",
// "I3"/"O3" under the overview meters), versions ("V4.2.25") and the slope
// unit "dB/oct".
const QRegularExpression NamePattern(
    QStringLiteral("DAP Control|\\b(IN|OUT) ?\\d+\\b|\\b[IO]\\d+\\b|\\bV\\d+(\\.\\d+)+\\b|dB/oct"));
const QRegularExpression TagPattern(QStringLiteral("<[^>]*>"));
const QRegularExpression WordPattern(QStringLiteral("[A-Za-z]{2,}"));

// The words of `text` that are still English, once what the unit reports
// (`unitTexts`), names and allowed words are taken out.
QStringList leftoverEnglish(QString text, const QStringList &unitTexts)
{
    text.remove(TagPattern);
    for (const QString &u : unitTexts)
        text.remove(u);
    text.remove(NamePattern);
    QStringList words;
    for (auto it = WordPattern.globalMatch(text); it.hasNext();) {
        const QString word = it.next().captured();
        if (!AllowedWords.contains(word))
            words << word;
    }
    return words;
}

// "QMainWindow/.../QGate#gateWidget/QLabel#titleLabel".
QString pathOf(const QObject *o)
{
    QStringList parts;
    for (; o; o = o->parent()) {
        QString part = QString::fromLatin1(o->metaObject()->className());
        if (!o->objectName().isEmpty())
            part += QLatin1Char('#') + o->objectName();
        parts.prepend(part);
    }
    return parts.join(QLatin1Char('/'));
}

struct ShownText
{
    QString where;
    QString text;
};

void addText(QVector<ShownText> &out, const QObject *o, const QString &what, const QString &text)
{
    if (!text.trimmed().isEmpty())
        out.append({pathOf(o) + QLatin1Char(' ') + what, text});
}

void addActions(QVector<ShownText> &out, const QWidget *owner, const QList<QAction *> &actions)
{
    for (const QAction *a : actions) {
        // The language menu names every language in its own words, so that
        // anyone finds theirs.
        if (!a->isVisible() || a->objectName().startsWith(QLatin1String("language")))
            continue;
        addText(out, owner, QStringLiteral("action"), a->text());
        if (a->menu())
            addActions(out, a->menu(), a->menu()->actions());
    }
}

// Every text the operator can see now, in every shown window: labels, button
// texts, group titles, all combo items, table headers, tabs, menus, window
// titles, tool tips, field texts and spin box affixes.
QVector<ShownText> visibleTexts()
{
    QVector<ShownText> out;
    const auto widgets = QApplication::allWidgets();
    for (const QWidget *w : widgets) {
        if (!w->isVisible())
            continue;
        if (w->isWindow())
            addText(out, w, QStringLiteral("window title"), w->windowTitle());
        addText(out, w, QStringLiteral("tool tip"), w->toolTip());
        if (const auto *l = qobject_cast<const QLabel *>(w))
            addText(out, w, QStringLiteral("text"), l->text());
        if (const auto *b = qobject_cast<const QAbstractButton *>(w))
            addText(out, w, QStringLiteral("text"), b->text());
        if (const auto *g = qobject_cast<const QGroupBox *>(w))
            addText(out, w, QStringLiteral("title"), g->title());
        if (const auto *e = qobject_cast<const QLineEdit *>(w)) {
            addText(out, w, QStringLiteral("text"), e->text());
            addText(out, w, QStringLiteral("placeholder"), e->placeholderText());
        }
        if (const auto *c = qobject_cast<const QComboBox *>(w))
            for (int i = 0; i < c->count(); ++i)
                addText(out, w, QStringLiteral("item %1").arg(i), c->itemText(i));
        if (const auto *s = qobject_cast<const QSpinBox *>(w))
            addText(out, w, QStringLiteral("affixes"), s->prefix() + s->suffix());
        if (const auto *s = qobject_cast<const QAbstractSpinBox *>(w))
            addText(out, w, QStringLiteral("special value"), s->specialValueText());
        if (const auto *t = qobject_cast<const QTabBar *>(w))
            for (int i = 0; i < t->count(); ++i)
                addText(out, w, QStringLiteral("tab %1").arg(i), t->tabText(i));
        if (const auto *h = qobject_cast<const QHeaderView *>(w); h && h->model())
            for (int i = 0; i < h->count(); ++i)
                addText(out, w, QStringLiteral("header %1").arg(i),
                        h->model()->headerData(i, h->orientation()).toString());
        if (const auto *v = qobject_cast<const QTableView *>(w); v && v->model())
            for (int r = 0; r < v->model()->rowCount(); ++r)
                for (int c = 0; c < v->model()->columnCount(); ++c)
                    addText(out, w, QStringLiteral("cell %1,%2").arg(r).arg(c),
                            v->model()->index(r, c).data().toString());
        if (const auto *m = qobject_cast<const QMenuBar *>(w))
            addActions(out, w, m->actions());
        if (const auto *rotated = w->inherits("RotatedLabel") ? w : nullptr)
            addText(out, w, QStringLiteral("title"), rotated->property("title").toString());
    }
    return out;
}

// Texts wider than the widget that shows them, in every shown window: single
// line labels (elided ones cut on purpose; wrapped and rich text lay
// themselves out), push buttons and every combo box item.
QStringList clippedTexts()
{
    QStringList clipped;
    const auto widgets = QApplication::allWidgets();
    for (const QWidget *w : widgets) {
        if (!w->isVisible())
            continue;
        const auto check = [&](const QString &text, int room) {
            for (const QString &line : text.split(QLatin1Char('\n'))) {
                const int needed = w->fontMetrics().horizontalAdvance(line);
                if (needed > room)
                    clipped << QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                                   .arg(pathOf(w), line)
                                   .arg(needed)
                                   .arg(room);
            }
        };
        if (const auto *l = qobject_cast<const QLabel *>(w)) {
            if (!l->wordWrap() && !Qt::mightBeRichText(l->text()) && !w->inherits("ElidedLabel"))
                check(l->text(), l->contentsRect().width());
        } else if (const auto *b = qobject_cast<const QPushButton *>(w)) {
            check(b->text(), b->width() - 4);
        } else if (const auto *c = qobject_cast<const QComboBox *>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(c);
            const int room =
                c->style()
                    ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, c)
                    .width();
            for (int i = 0; i < c->count(); ++i)
                check(c->itemText(i), room);
        }
    }
    return clipped;
}

// The texts as the terminal shows them (the log goes through the locale's
// codec).
void logUtf8(const char *what, const QStringList &lines)
{
    for (const QString &line : lines)
        qWarning("%s: %s", what, qUtf8Printable(line));
}

} // namespace

class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        // The style sheet, as start-up sets it: it decides the sizes too.
        MainWindow::initResources();
        QFile sheet(QStringLiteral(":/qss/AppWhite"));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
        m_rig = std::make_unique<AppRig>(1, QString(), true, AppRig::Configure(), RunFiles);
        MainWindow &w = *m_rig->window;
        w.show();
        QTRY_COMPARE(w.deviceList()->count(), 1);
        w.devChanged(m_rig->rowOf(0));
        QTRY_VERIFY(isLoggedIn());

        // The unit's answers are on screen before the switch, so that the
        // texts made from them must follow the language too.
        settings *page = settingsPage();
        QTRY_VERIFY(!page->valueLabel(DeviceStatus::RunTime)->text().isEmpty());
        m_rig->sim(0).setFaultByte(0x0F); // every fault text, and the fault box
        QTRY_VERIFY(w.faultReport()->box()->isVisible());
        m_unitTexts = unitTexts();

        w.action(QStringLiteral("language2"))->trigger();
        QTRY_COMPARE(w.funcWidget()->pageButton(FuncWidget::Settings)->text(),
                     QStringLiteral("设置"));
    }

    void cleanupTestCase() { m_rig.reset(); }

    // Every page in Chinese: no English left and no text cut off.
    void pageInChinese_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < FuncWidget::PageCount; ++i)
            QTest::newRow(FuncWidget::pageTitle(i)) << i;
    }

    void pageInChinese()
    {
        QFETCH(int, index);
        FuncWidget *func = m_rig->window->funcWidget();
        if (index == FuncWidget::Agc) {
            // Its button stays hidden; the page is built and translated all the same.
            func->setCurrentPage(index);
        } else {
            // The ANC button appears when the unit says it has noise reduction.
            QTRY_VERIFY(func->pageButton(index)->isVisible());
            func->pageButton(index)->click();
        }
        QTRY_VERIFY(func->page(index)->isVisible());
        if (index == FuncWidget::Preset) // the names are read when the page is shown
            QTRY_VERIFY(
                !qobject_cast<QPreset *>(func->page(index))->nameField(0)->text().isEmpty());
        expectNoEnglish();
        expectNothingClipped();
    }

    // Every page is shown without scrolling: the page area scrolls once a
    // page needs more room than the window leaves it.
    void pagesFitTheWindow()
    {
        QCOMPARE(m_rig->window->size(), QSize(1024, 600));
        FuncWidget *func = m_rig->window->funcWidget();
        const auto *area =
            m_rig->window->findChild<QScrollArea *>(QStringLiteral("rightScrollArea"));
        const int shownBefore = func->currentIndex();
        QStringList large;
        for (int i = 0; i < FuncWidget::PageCount; ++i) {
            func->setCurrentPage(i);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            const QSize over(area->horizontalScrollBar()->maximum(),
                             area->verticalScrollBar()->maximum());
            if (!over.isNull())
                large << QStringLiteral("%1 is %2 x %3 px too large")
                             .arg(QString::fromLatin1(func->page(i)->metaObject()->className()))
                             .arg(over.width())
                             .arg(over.height());
        }
        func->setCurrentPage(shownBefore);
        QVERIFY2(large.isEmpty(), qPrintable(large.join(QStringLiteral("; "))));
    }

    // The windows the menus and pages open without asking anything first.
    void windowInChinese_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name :
             {"device list", "ip setting", "connect timeout", "device fault", "meters",
              "command tool", "mixer value", "channel select", "login", "password", "eq import"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void windowInChinese()
    {
        QFETCH(QString, window);
        MainWindow &w = *m_rig->window;
        QWidget *shown = nullptr;
        if (window == QLatin1String("device list")) {
            shown = w.deviceTable();
        } else if (window == QLatin1String("ip setting")) {
            shown = w.deviceTable()->ipSettingDialog();
        } else if (window == QLatin1String("connect timeout")) {
            shown = w.deviceTable()->connectTimeoutBox();
        } else if (window == QLatin1String("device fault")) {
            shown = w.faultReport()->box(); // shown since the unit reported its faults
        } else if (window == QLatin1String("meters")) {
            shown = w.overview()->meterWidget();
        } else if (window == QLatin1String("command tool")) {
            w.cmdToolClicked();
            shown = w.findChild<QWidget *>(QStringLiteral("commandToolWidget"));
        } else if (window == QLatin1String("mixer value")) {
            shown = w.funcWidget()->mixer()->editor();
        } else if (window == QLatin1String("channel select")) {
            shown = qobject_cast<FilterPage *>(w.funcWidget()->page(FuncWidget::InFilter))
                        ->channelSelect();
        } else if (window == QLatin1String("login")) {
            shown = w.loginDialog();
        } else if (window == QLatin1String("password")) {
            shown = w.passwordDialog();
        } else if (window == QLatin1String("eq import")) {
            shown = eqImportPreview(w.funcWidget()->page(FuncWidget::InFilter));
        }
        QVERIFY(shown);
        shown->show();
        QTRY_VERIFY(shown->isVisible());
        expectNoEnglish();
        expectNothingClipped();
        shown->hide();
        if (window == QLatin1String("eq import"))
            m_unitTexts = m_shownUnitTexts;
    }

    // Run times carry the translated day word, on the settings page and in the
    // device list (whose format goes through the 8-bit locale codec otherwise).
    void runTimesReadInChinese()
    {
        MainWindow &w = *m_rig->window;
        const QRegularExpression days(QStringLiteral("^\\d+天 \\d\\d:\\d\\d:\\d\\d$"));
        const QString onPage = settingsPage()->valueLabel(DeviceStatus::RunTime)->text();
        QVERIFY2(days.match(onPage).hasMatch(), qPrintable(onPage));
        const QAbstractItemModel *table = w.deviceTable()->view()->model();
        const QString inTable =
            table->index(m_rig->rowOf(0), DeviceTableModel::ColumnTotalTime).data().toString();
        QVERIFY2(days.match(inTable).hasMatch(), qPrintable(inTable));
    }

    void englishComesBack()
    {
        MainWindow &w = *m_rig->window;
        FuncWidget *func = w.funcWidget();
        w.action(QStringLiteral("language1"))->trigger();
        QTRY_COMPARE(func->pageButton(FuncWidget::OutLevel)->text(), QStringLiteral("Out Level"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Digital Audio Processor"));
        QCOMPARE(w.action(QStringLiteral("language2"))->text(), QStringLiteral("中文"));

        settings *page = settingsPage();
        const auto *info = page->findChild<QWidget *>(QStringLiteral("deviceInfoCtrlBgWidget"));
        QCOMPARE(info->findChild<QLabel *>(QStringLiteral("titleLabel"))->text(),
                 QStringLiteral("Device Infomation"));
        QVERIFY2(page->valueLabel(DeviceStatus::RunTime)->text().contains(QLatin1String("day ")),
                 qPrintable(page->valueLabel(DeviceStatus::RunTime)->text()));
        auto *preset = qobject_cast<QPreset *>(func->page(FuncWidget::Preset));
        QCOMPARE(preset->table()->horizontalHeaderItem(QPreset::NameColumn)->text(),
                 QStringLiteral("Name"));
        QCOMPARE(preset->nameField(0)->text(), QStringLiteral("Boot Default"));
        const QVariant header = w.deviceTable()->view()->model()->headerData(
            DeviceTableModel::ColumnRunningTime, Qt::Horizontal);
        QCOMPARE(header.toString(), QStringLiteral("Runing time"));
    }

private:
    settings *settingsPage() const
    {
        return qobject_cast<settings *>(m_rig->window->funcWidget()->page(FuncWidget::Settings));
    }

    // What the unit itself reports: channel names, preset names, model,
    // serial number, location and description. "Boot Default" is left out on
    // purpose: the program shows the boot preset's name in its own words.
    QStringList unitTexts()
    {
        SimModel &model = m_rig->sim(0).model();
        QStringList texts;
        for (auto table : {LabelTables::Inputs, LabelTables::Outputs, LabelTables::Panel})
            for (int c = 0; c < 16; ++c)
                texts << QString::fromLatin1(model.labels().label(table, c));
        const auto *presets = model.blockAs<PresetBlock>(Proto::OpBlock, Proto::Module::Preset);
        for (int slot = 1; slot < QPreset::Slots; ++slot)
            texts << QString::fromLatin1(presets->name(slot));
        const SystemState &s = model.system();
        texts << s.model << s.sn << s.location << s.description;
        texts.removeAll(QString());
        // Longer names first, so that "Handheld 1" goes before "Handheld".
        std::sort(texts.begin(), texts.end(),
                  [](const QString &a, const QString &b) { return a.size() > b.size(); });
        return texts;
    }

    // The preview of an import with a note of every kind. What the file
    // says (its filter lines, its name) is no language of the program.
    QWidget *eqImportPreview(QWidget *parent)
    {
        EqFilterSet set;
        QString error;
        if (!EqFile::parse("Preamp: -3 dB\nChannel: L\nFilter 1: ON PK Fc 63 Hz Gain -4.5 dB "
                           "Q 4.32\nFilter 2: ON LSC Fc 90 Hz Gain 3 dB Q 0.9\nFilter 3: ON "
                           "HP Fc 30 Hz\nFilter 4: ON HP Fc 60 Hz\nFilter 5: ON NO Fc 50 Hz\n",
                           &set, &error))
            return nullptr;
        EqChannel channel;
        channel.bandCount = 8;
        channel.bands[7].enable = 1;
        const EqImport plan(set, channel);
        m_shownUnitTexts = m_unitTexts;
        m_unitTexts << QStringLiteral("room.txt");
        for (const EqImport::Note &n : plan.notes())
            m_unitTexts << n.asked;
        return new EqImportDialog(plan, QStringLiteral("IN 1"), QStringLiteral("room.txt"), parent);
    }

    void expectNoEnglish() const
    {
        QStringList faults;
        for (const ShownText &t : visibleTexts()) {
            const QStringList words = leftoverEnglish(t.text, m_unitTexts);
            if (!words.isEmpty())
                faults << QStringLiteral("%1: \"%2\"").arg(t.where, t.text);
        }
        faults.removeDuplicates();
        logUtf8("still English", faults);
        QVERIFY2(faults.isEmpty(),
                 qPrintable(QStringLiteral("%1 texts are still English").arg(faults.size())));
    }

    void expectNothingClipped() const
    {
        QStringList clipped = clippedTexts();
        clipped.removeDuplicates();
        logUtf8("cut off", clipped);
        QVERIFY2(clipped.isEmpty(),
                 qPrintable(QStringLiteral("%1 texts are cut off").arg(clipped.size())));
    }

    QTemporaryDir m_config;
    std::unique_ptr<AppRig> m_rig;
    QStringList m_unitTexts;
    QStringList m_shownUnitTexts; // while a window adds texts of its own
};

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
