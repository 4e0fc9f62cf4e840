// Typing while the unit is polled: every field the operator types in, on
// every page, typed key by key. Between the keys the unit's value of the field
// changes (as another controller would change it) and a round of the page's
// reads is answered. The answers must neither change the text being typed
// nor (when they equal what is shown) disturb a selection, and the value that
// reaches the unit is the one typed. A new page is covered by a new row.

#include "pages/dynamics/limiterpage.h"
#include "pages/dynamics/qagcwidget.h"
#include "pages/dynamics/qautomixer.h"
#include "pages/dynamics/qgate.h"
#include "pages/filters/cutfilterpanel.h"
#include "pages/filters/delaypage.h"
#include "pages/filters/filterbandpanel.h"
#include "pages/filters/filterpage.h"
#include "pages/knobfield.h"
#include "pages/matrix/generatorpanel.h"
#include "pages/levels/levelpage.h"
#include "pages/matrix/matrixmixvaluewidget.h"
#include "pages/levels/qdevlabel.h"
#include "pages/levels/qinlevel.h"
#include "pages/matrix/qmixbutton2.h"
#include "pages/matrix/qmixer.h"
#include "presets/qpreset.h"
#include "protocol/commands.h"
#include "protocol/frame.h"
#include "settings/gainlimitpanel.h"
#include "settings/settings.h"
#include "tests/support/apprig.h"
#include "tests/support/pagetest.h"

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

using Field = std::function<QWidget *(AppRig &)>;
// A write that changes the unit's value of the field, to one of two values
// (neither of them the one typed); written from the command tables.
using Change = std::function<Proto::Frame(bool second)>;

Proto::Frame write(quint8 op, quint8 module, quint8 cmd, const QByteArray &payload)
{
    return frameOf(op, module, cmd, Proto::FlagWrite, payload);
}

Proto::Frame block(quint8 module, quint8 cmd, const QByteArray &payload)
{
    return write(Proto::OpBlock, module, cmd, payload);
}

float pick(bool second, float a, float b)
{
    return second ? b : a;
}

// The line edit the operator types in: the field itself or a spin box's own.
QLineEdit *lineOf(QWidget *field)
{
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        return edit;
    return field->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
}

QString textOf(QWidget *field)
{
    return lineOf(field)->text();
}

// The page on screen is read now, and its answers are handled: an input meter
// read follows the page's reads on the same connection, and the unit answers
// in order, so once its answer is handled so are the page's.
bool pollRound(AppRig &rig)
{
    auto *inLevel = rig.page<QInLevel>(FuncWidget::InSetup);
    QSignalSpy meters(inLevel, &QInLevel::meterChanged);
    rig.pages().timeout();
    sendPacket(Proto::OpBlock, Proto::Module::InputLevel, Proto::InLevelCmd::Meter,
               Proto::FlagRead);
    return meters.wait(3000);
}

void typeInto(QWidget *field, const QString &text, const std::function<void()> &between)
{
    if (auto *box = qobject_cast<QAbstractSpinBox *>(field))
        typeText(box, text, between);
    else
        typeText(qobject_cast<QLineEdit *>(field), text, between);
}

template <typename Page> Page *pageOf(AppRig &rig, int index)
{
    return rig.page<Page>(index);
}

MatrixMixValueWidget *openEditor(AppRig &rig)
{
    MatrixMixValueWidget *editor = pageOf<QMixer>(rig, FuncWidget::Matrix)->editor();
    if (!editor->isVisible()) {
        editor->show();
        editor->activateWindow();
        if (!QTest::qWaitForWindowActive(editor))
            return nullptr;
        QTest::mouseClick(editor->mixButton(2, 4), Qt::LeftButton); // selects it alone
    }
    return editor;
}

} // namespace

Q_DECLARE_METATYPE(Field)
Q_DECLARE_METATYPE(Change)

class TestTyping : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        m_rig = std::make_unique<AppRig>();
        m_rig->window->resize(1280, 800);
        m_rig->window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_rig->window.get()));
        QVERIFY(m_rig->logIn());
        m_rig->pages().buildPages();
    }

    void cleanupTestCase() { m_rig.reset(); }

    void typedWhilePolled_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<Field>("field");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // what the field shows once the unit has it

        using P = FuncWidget;
        namespace M = Proto::Module;
        const auto row = [](const char *name, int page, Field field, Change change,
                            const char *typed, const char *shown) {
            QTest::newRow(name) << page << field << change << QString::fromUtf8(typed)
                                << QString::fromUtf8(shown);
        };
        const auto cut = [](quint8 module, quint8 cmd, float a, float b) -> Change {
            return [=](bool second) {
                return block(
                    module, cmd,
                    Le::bytes(quint8(0), quint8(1), quint8(1), quint8(1), pick(second, a, b)));
            };
        };
        const auto band = [](quint8 module, float freq, float gain) -> Change {
            return [=](bool second) {
                return block(module, Proto::FilterCmd::Band,
                             Le::bytes(quint8(0), quint8(0), quint8(1), quint8(0),
                                       freq + (second ? 100.0f : 0.0f),
                                       gain + (second ? 1.0f : 0.0f), quint8(20)));
            };
        };
        const auto perChannel = [](quint8 module, quint8 cmd, quint8 channel, float a,
                                   float b) -> Change {
            return [=](bool second) {
                return block(module, cmd, Le::bytes(channel, pick(second, a, b)));
            };
        };
        const auto limiter = [](quint8 module, float threshold, float attack) -> Change {
            return [=](bool second) {
                return block(module, Proto::LimiterCmd::Record,
                             Le::bytes(quint8(0), quint8(1), threshold - (second ? 3 : 0), 4.0f,
                                       attack + (second ? 7 : 0), 100.0f));
            };
        };
        const auto gate = [](quint8 channel, float threshold, float decay) -> Change {
            return [=](bool second) {
                return block(M::Gate, Proto::GateCmd::Record,
                             Le::bytes(channel, quint8(1), threshold - (second ? 5 : 0), 10.0f,
                                       decay + (second ? 50 : 0)));
            };
        };
        const auto text = [](quint8 op, quint8 module, quint8 cmd, const QByteArray &prefix,
                             const char *a, const char *b) -> Change {
            return [=](bool second) {
                return write(op, module, cmd, prefix + QByteArray(second ? b : a));
            };
        };
        row(
            "input gain", P::InSetup,
            [](AppRig &r) { return pageOf<QInLevel>(r, P::InSetup)->gainControl(2)->edit(); },
            perChannel(M::InputLevel, Proto::InLevelCmd::Gain, 2, 3.0f, 5.0f), "12", "12.0");
        row(
            "pre-mix gain", P::PreLevel,
            [](AppRig &r) { return pageOf<LevelPage>(r, P::PreLevel)->gainEdit(2); },
            perChannel(M::PreMixLevel, Proto::PreMixCmd::Gain, 2, -20.0f, -21.0f), "-7.5", "-7.5");
        row(
            "output gain", P::OutLevel,
            [](AppRig &r) { return pageOf<LevelPage>(r, P::OutLevel)->gainEdit(3); },
            perChannel(M::OutputLevel, Proto::OutLevelCmd::Gain, 3, -30.0f, -31.0f), "-12.5",
            "-12.5");
        row(
            "crosspoint gain", P::Matrix,
            [](AppRig &r) -> QWidget * {
                MatrixMixValueWidget *editor = openEditor(r);
                return editor ? editor->gainEdit() : nullptr;
            },
            [](bool second) {
                return block(M::Matrix, Proto::MatrixCmd::Gain,
                             Le::bytes(quint8(4), quint8(2), qint8(second ? -40 : -41)));
            },
            "-15", "-15");
        row(
            "generator frequency", P::Matrix,
            [](AppRig &r) { return pageOf<QMixer>(r, P::Matrix)->generator()->frequencyEdit(); },
            [](bool second) {
                return block(M::Generator, Proto::GeneratorCmd::Frequency,
                             Le::bytes(pick(second, 900.0f, 800.0f)));
            },
            "2500", "2500");
        row(
            "generator gain", P::Matrix,
            [](AppRig &r) { return pageOf<QMixer>(r, P::Matrix)->generator()->gainEdit(); },
            [](bool second) {
                return block(M::Generator, Proto::GeneratorCmd::Gain,
                             Le::bytes(pick(second, -40.0f, -41.0f)));
            },
            "-23", "-23");
        row(
            "input label", P::Label,
            [](AppRig &r) { return pageOf<QDevLabel>(r, P::Label)->field(QDevLabel::Inputs, 4); },
            text(Proto::OpSystem, Proto::SysModule::Labels, Proto::LabelCmd::Inputs,
                 QByteArray(1, 4), "Podium", "Choir"),
            "Lectern", "Lectern");
        row(
            "high-pass frequency", P::InFilter,
            [](AppRig &r) {
                return pageOf<FilterPage>(r, P::InFilter)->highPassPanel()->frequency()->edit();
            },
            cut(M::InputFilter, Proto::FilterCmd::HighPass, 900.0f, 800.0f), "150", "150");
        row(
            "band frequency", P::InFilter,
            [](AppRig &r) {
                return pageOf<FilterPage>(r, P::InFilter)->bandPanel()->frequency()->edit();
            },
            band(M::InputFilter, 900.0f, 3.0f), "2500", "2500");
        row(
            "band gain", P::OutFilter,
            [](AppRig &r) {
                return pageOf<FilterPage>(r, P::OutFilter)->bandPanel()->gain()->edit();
            },
            band(M::OutputFilter, 900.0f, 3.0f), "-6.5", "-6.5");
        row(
            "low-pass frequency", P::OutFilter,
            [](AppRig &r) {
                return pageOf<FilterPage>(r, P::OutFilter)->lowPassPanel()->frequency()->edit();
            },
            cut(M::OutputFilter, Proto::FilterCmd::LowPass, 900.0f, 800.0f), "8000", "8000");
        row(
            "input delay, ms", P::InDelay,
            [](AppRig &r) { return pageOf<DelayPage>(r, P::InDelay)->msBox(1); },
            perChannel(M::InputDelay, Proto::DelayCmd::Delay, 1, 30.0f, 40.0f), "12.5", "12.50");
        row(
            "input delay, meters", P::InDelay,
            [](AppRig &r) { return pageOf<DelayPage>(r, P::InDelay)->metersBox(2); },
            perChannel(M::InputDelay, Proto::DelayCmd::Delay, 2, 30.0f, 40.0f), "3.4", "3.400");
        row(
            "output delay, feet", P::OutDelay,
            [](AppRig &r) { return pageOf<DelayPage>(r, P::OutDelay)->feetBox(3); },
            perChannel(M::OutputDelay, Proto::DelayCmd::Delay, 3, 30.0f, 40.0f), "100", "100.000");
        row(
            "input limiter threshold", P::InLimiter,
            [](AppRig &r) {
                return pageOf<LimiterPage>(r, P::InLimiter)->field(LimiterPage::Threshold)->edit();
            },
            limiter(M::InputLimiter, -30.0f, 10.0f), "-12.5", "-12.5");
        row(
            "output limiter attack", P::OutLimiter,
            [](AppRig &r) {
                return pageOf<LimiterPage>(r, P::OutLimiter)->field(LimiterPage::Attack)->edit();
            },
            limiter(M::OutputLimiter, -30.0f, 10.0f), "30", "30");
        row(
            "AGC target", P::Agc,
            [](AppRig &r) {
                return pageOf<QAGCWidget>(r, P::Agc)->field(QAGCWidget::Target)->edit();
            },
            [](bool second) {
                return block(M::Agc, Proto::AgcCmd::Record,
                             Le::bytes(quint8(0), quint8(1), -60.0f, pick(second, -30.0f, -35.0f),
                                       2.0f, 50.0f, 300.0f));
            },
            "-15", "-15.0");
        row(
            "gate threshold", P::Gate,
            [](AppRig &r) {
                return pageOf<QGate>(r, P::Gate)->control(2, QGate::Threshold)->edit();
            },
            gate(2, -80.0f, 100.0f), "-45", "-45");
        row(
            "gate decay", P::Gate,
            [](AppRig &r) { return pageOf<QGate>(r, P::Gate)->control(5, QGate::Decay)->edit(); },
            gate(5, -80.0f, 100.0f), "350", "350");
        row(
            "automixer threshold", P::Automixer,
            [](AppRig &r) {
                return pageOf<QAutoMixer>(r, P::Automixer)->thresholdControl(1)->edit();
            },
            gate(1, -80.0f, 100.0f), "-52", "-52");
        row(
            "location", P::Settings,
            [](AppRig &r) { return pageOf<settings>(r, P::Settings)->locationEdit(); },
            text(Proto::OpSystem, Proto::SysModule::Settings, Proto::SettingsCmd::Location, {},
                 "Foyer", "Annex"),
            "Hall B", "Hall B");
        row(
            "description", P::Settings,
            [](AppRig &r) { return pageOf<settings>(r, P::Settings)->descriptionEdit(); },
            text(Proto::OpSystem, Proto::SysModule::Settings, Proto::SettingsCmd::Description, {},
                 "Left", "Right"),
            "Rack 2", "Rack 2");
        row(
            "gain limit", P::Settings,
            [](AppRig &r) {
                return pageOf<settings>(r, P::Settings)
                    ->gainLimits()
                    ->spinBox(GainLimitPanel::Output, GainLimitPanel::Maximum, 2);
            },
            [](bool second) {
                return block(M::OutputLevel, Proto::OutLevelCmd::Limits,
                             Le::bytes(quint8(2), qint8(second ? 9 : 10), qint8(-40)));
            },
            "6", "6");
        row(
            "preset name", P::Preset,
            [](AppRig &r) { return pageOf<QPreset>(r, P::Preset)->nameField(0); },
            text(Proto::OpBlock, M::Preset, Proto::PresetCmd::Rename, QByteArray(1, 0), "Morning",
                 "Noon"),
            "Evening", "Evening");
    }

    void typedWhilePolled()
    {
        QFETCH(int, page);
        QFETCH(Field, field);
        QFETCH(Change, change);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        AppRig &rig = *m_rig;
        rig.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        rig.pages().setCurrentPage(page);
        QWidget *w = field(rig);
        QVERIFY(w);
        QVERIFY(pollRound(rig));
        QTRY_VERIFY(w->isEnabled()); // the page holds what the unit reported
        // The field follows the unit while nobody types in it.
        QVERIFY(pollRound(rig));
        const QString first = textOf(w);
        rig.model().handle(change(true));
        QTRY_VERIFY_WITH_TIMEOUT((pollRound(rig), textOf(w) != first), 3000);
        const QString before = textOf(w);
        QVERIFY(before != shown);

        // An answer equal to what is shown leaves the field as it is: a
        // selection made in it stays.
        w->setFocus();
        QTRY_VERIFY(w->hasFocus());
        lineOf(w)->selectAll();
        QVERIFY(pollRound(rig));
        QCOMPARE(textOf(w), before);
        QVERIFY(lineOf(w)->hasSelectedText());

        // Typing: after every key the unit's value changes and the page's
        // reads are answered.
        QString sofar;
        QStringList overwritten;
        int key = 0;
        typeInto(w, typed, [&] {
            rig.model().handle(change(key % 2 == 1));
            if (!pollRound(rig))
                overwritten << QStringLiteral("no answer");
            sofar = typed.left(++key);
            if (textOf(w) != sofar)
                overwritten << textOf(w);
        });
        QVERIFY2(overwritten.isEmpty(), qPrintable(overwritten.join(QStringLiteral(", "))));

        // What reached the unit: away and back ends the page's hold, and the
        // page's next read shows the unit's value.
        rig.pages().setCurrentPage(page == FuncWidget::Label ? FuncWidget::InSetup
                                                             : FuncWidget::Label);
        rig.pages().setCurrentPage(page);
        if (auto *editor = pageOf<QMixer>(rig, FuncWidget::Matrix)->editor();
            page == FuncWidget::Matrix && editor->isVisible()) {
            editor->hide();
            editor->show();
        }
        w->clearFocus();
        QTRY_VERIFY_WITH_TIMEOUT((pollRound(rig), textOf(w) == shown), 5000);
        pageOf<QMixer>(rig, FuncWidget::Matrix)->editor()->hide();
    }

private:
    QTemporaryDir m_config;
    std::unique_ptr<AppRig> m_rig;
};

QTEST_MAIN(TestTyping)
#include "tst_typing.moc"
