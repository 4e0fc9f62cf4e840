#include "pages/funcwidget.h"

#include "model/edithistory.h"
#include "model/unitstate.h"
#include "pages/blockpage.h"
#include "pages/devicestatus.h"
#include "pages/dynamics/ancwidget.h"
#include "pages/dynamics/qaec.h"
#include "pages/dynamics/qagcwidget.h"
#include "pages/dynamics/qautomixer.h"
#include "pages/dynamics/qgate.h"
#include "pages/dynamics/qinlimiter.h"
#include "pages/dynamics/qoutlimiter.h"
#include "pages/filters/filtertables.h"
#include "pages/filters/qfeedback.h"
#include "pages/filters/qindelay.h"
#include "pages/filters/qinfilter.h"
#include "pages/filters/qoutdelay.h"
#include "pages/filters/qoutfilter.h"
#include "pages/levels/qdevlabel.h"
#include "pages/levels/qinlevel.h"
#include "pages/levels/qoutlevel.h"
#include "pages/levels/qpremixlevel.h"
#include "pages/matrix/qmixer.h"
#include "pages/pagestack.h"
#include "pages/placeholderpage.h"
#include "pages/pollclock.h"
#include "protocol/answerreader.h"
#include "protocol/commands.h"
#include "protocol/packetrouter.h"
#include "protocol/sendbatch.h"
#include "protocol/startuptrace.h"
#include "widgets/appfont.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

// Button texts in page order.
const char *const PageTitles[FuncWidget::PageCount] = {
    QT_TRANSLATE_NOOP("FuncWidget", "In Setup"),    QT_TRANSLATE_NOOP("FuncWidget", "Gate"),
    QT_TRANSLATE_NOOP("FuncWidget", "AGC"),         QT_TRANSLATE_NOOP("FuncWidget", "Feedback"),
    QT_TRANSLATE_NOOP("FuncWidget", "In Filter"),   QT_TRANSLATE_NOOP("FuncWidget", "In Limiter"),
    QT_TRANSLATE_NOOP("FuncWidget", "In Delay"),    QT_TRANSLATE_NOOP("FuncWidget", "Pre Level"),
    QT_TRANSLATE_NOOP("FuncWidget", "Matrix"),      QT_TRANSLATE_NOOP("FuncWidget", "AEC"),
    QT_TRANSLATE_NOOP("FuncWidget", "Automixer"),   QT_TRANSLATE_NOOP("FuncWidget", "Out Level"),
    QT_TRANSLATE_NOOP("FuncWidget", "Out Filter"),  QT_TRANSLATE_NOOP("FuncWidget", "ANC"),
    QT_TRANSLATE_NOOP("FuncWidget", "Out Limiter"), QT_TRANSLATE_NOOP("FuncWidget", "Out Delay"),
    QT_TRANSLATE_NOOP("FuncWidget", "Preset"),      QT_TRANSLATE_NOOP("FuncWidget", "Label"),
    QT_TRANSLATE_NOOP("FuncWidget", "Settings"),
};

// Special replies of the device settings module.
constexpr quint8 SettingsModule = Proto::SysModule::Settings;
constexpr quint8 Settings4Module = Proto::SysModule::Settings4;
constexpr quint8 DspVersionCmd = Proto::SettingsCmd::DspVersion;
constexpr quint8 AecSupportCmd = Proto::SettingsCmd::AecSupport;
constexpr quint8 AncSupportCmd = Proto::SettingsCmd::AncSupport;

} // namespace

FuncWidget::FuncWidget(QWidget *parent, PageBuild build)
    : QWidget(parent), m_state(new Model::UnitState(this)),
      m_history(new Model::EditHistory(m_state, this)), m_group(new QButtonGroup(this)),
      m_stack(new PageStack(this)), m_status(new DeviceStatus(this))
{
    setObjectName(QStringLiteral("funcWidget"));
    // One state of the unit for every page: what one page edits, the others
    // show.
    BlockPage::provideState(this, m_state);
    m_status->setUnitState(m_state);
    connect(m_status, &DeviceStatus::sig_armVer, this, &FuncWidget::sig_armVer);
    connect(m_status, &DeviceStatus::sig_dspVer, this, &FuncWidget::sig_dspVer);
    connect(m_status, &DeviceStatus::sig_location, this, &FuncWidget::sig_location);
    connect(m_status, &DeviceStatus::sig_description, this, &FuncWidget::sig_description);
    connect(m_status, &DeviceStatus::sig_dspUsage, this, &FuncWidget::sig_dspUsage);
    connect(m_status, &DeviceStatus::sig_allMute, this, &FuncWidget::sig_allMute);
    connect(m_status, &DeviceStatus::sig_sn, this, &FuncWidget::sig_sn);
    connect(m_status, &DeviceStatus::sig_fault, this, &FuncWidget::sig_fault);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(0, 1, 1, 1);
    buttonRow->setSpacing(2);
    for (int i = 0; i < PageCount; ++i) {
        auto *button = new QPushButton(this);
        button->setObjectName(QStringLiteral("normalButton2"));
        button->setCheckable(true);
        button->setFixedHeight(32);
        // The shown page's button is the row's one stop of the Tab chain
        // (showTabStop()); the arrows move along the row from there.
        button->setFocusPolicy(Qt::NoFocus);
        button->installEventFilter(this);
        button->setMinimumWidth(10);
        m_group->addButton(button, i);
        buttonRow->addWidget(button);
        m_buttons.append(button);
    }
    connect(m_group, &QButtonGroup::idClicked, this, [this](int index) {
        buildPages();
        m_stack->setCurrentIndex(index);
        showTabStop();
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 1, 1, 0);
    layout->setSpacing(0);
    layout->addLayout(buttonRow);
    layout->addWidget(m_stack, 1);
    // The pages are made for an area this high; the area keeps it whichever
    // page is shown, so the overview above does not change its size with the
    // page (a taller page scrolls).
    m_stack->setMinimumHeight(PageAreaHeight);

    // The page shown at start first; the others take empty places until
    // buildPages() puts them there.
    m_preMix = new QPreMixLevel(m_stack);
    connect(m_preMix, &QPreMixLevel::meterChanged, this, &FuncWidget::inPreLevelMeterChanged);
    m_blockPages.insert(QPreMixLevel::Module, m_preMix);
    m_inputNamePages.append(m_preMix);
    for (int i = 0; i < PageCount; ++i)
        m_stack->addWidget(i == PreLevel ? m_preMix : new QWidget(m_stack));
    StartupTrace::mark("page QPreMixLevel");

    setCurrentPage(PreLevel);
    m_buttons[Agc]->hide();
    m_buttons[Anc]->hide();
    retranslate();

    // Ctrl+PgUp and Ctrl+PgDn go to the page before and after, wherever the
    // focus is in the window.
    const std::pair<int, int> pageKeys[] = {{Qt::CTRL | Qt::Key_PageUp, -1},
                                            {Qt::CTRL | Qt::Key_PageDown, 1}};
    for (const auto &[key, step] : pageKeys) {
        auto *shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { stepPage(step); });
    }

    // The page on screen is read every second tick of the poll clock (200 ms),
    // in the same write as the overview's reads of that tick.
    connect(PollClock::instance(), &PollClock::tick, this, [this] {
        if (++m_refreshTicks % RefreshTicks == 0)
            timeout();
    });

    if (build == PageBuild::All)
        buildPages();
}

const char *FuncWidget::pageTitle(int index)
{
    return index >= 0 && index < PageCount ? PageTitles[index] : "";
}

void FuncWidget::installRoutes(PacketRouter &router)
{
    router.setFallback(Proto::OpBlock, [this](const Proto::Frame &f) { blockDispatch(f); });
    router.setFallback(Proto::OpSystem, [this](const Proto::Frame &f) { systemDispatch(f); });
}

void FuncWidget::blockDispatch(const Proto::Frame &f)
{
    buildPages();
    m_history->observe(f);
    // The matrix page takes two modules: the generator's answers have their own handler.
    if (f.module == QMixer::GeneratorModule) {
        m_mixer->receiveGenerator(f.cmd, f.flag, f.length, f.payload);
        return;
    }
    if (BlockPage *p = m_blockPages.value(f.module))
        p->receive(f.cmd, f.flag, f.length, f.payload);
}

void FuncWidget::systemDispatch(const Proto::Frame &f)
{
    buildPages();
    m_history->observe(f);
    if (f.module == QDevLabel::Module) {
        m_devLabel->receive(f.cmd, f.flag, f.length, f.payload);
        return;
    }
    if (f.module != SettingsModule) {
        if (f.module == Settings4Module)
            m_status->handle(f);
        return;
    }
    AnswerReader answer(f.flag, f.length, f.payload);
    if (f.cmd == DspVersionCmd && answer.exact(3)) {
        m_bandCount = FilterTables::bandCount(answer.u8(0), answer.u8(1));
        m_inFilter->setBandCount(m_bandCount);
        m_outFilter->setBandCount(m_bandCount);
    } else if ((f.cmd == AecSupportCmd || f.cmd == AncSupportCmd) && answer.exact(1)) {
        setButtonShown(f.cmd == AecSupportCmd ? Aec : Anc, answer.u8(0) != 0);
        // The settings page shows the support too, so it gets the answer as well.
    }
    m_status->handle(f);
    // The unit state holds the system settings too (what a backup, a
    // comparison or an undo reads).
    m_state->apply(f);
}

void FuncWidget::setButtonShown(int index, bool shown)
{
    if (m_buttons[index]->isHidden() == shown)
        m_buttons[index]->setVisible(shown);
}

QWidget *FuncWidget::pageParent() const
{
    return m_stack;
}

QPushButton *FuncWidget::pageButton(int index) const
{
    return m_buttons.value(index);
}

BlockPage *FuncWidget::page(int index) const
{
    return qobject_cast<BlockPage *>(m_stack->widget(index));
}

int FuncWidget::currentIndex() const
{
    return m_stack->currentIndex();
}

void FuncWidget::setCurrentPage(int index)
{
    if (index < 0 || index >= PageCount)
        return;
    if (index != PreLevel)
        buildPages();
    m_stack->setCurrentIndex(index);
    m_buttons[index]->setChecked(true);
    showTabStop();
}

// Like a row of radio buttons: Tab stops at the button of the page shown,
// and a click leaves the focus where it was.
void FuncWidget::showTabStop()
{
    const int current = currentIndex();
    for (int i = 0; i < PageCount; ++i)
        m_buttons[i]->setFocusPolicy(i == current ? Qt::TabFocus : Qt::NoFocus);
}

bool FuncWidget::eventFilter(QObject *watched, QEvent *event)
{
    // Left and Right on a page button open the page before or after it.
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier &&
            (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) &&
            m_buttons.contains(qobject_cast<QPushButton *>(watched))) {
            stepPage(key->key() == Qt::Key_Left ? -1 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FuncWidget::stepPage(int step)
{
    // Hidden buttons (a block the unit lacks) are passed over; the row wraps.
    int index = currentIndex();
    for (int i = 0; i < PageCount; ++i) {
        index = (index + step + PageCount) % PageCount;
        if (!m_buttons[index]->isHidden())
            break;
    }
    if (index == currentIndex())
        return;
    setCurrentPage(index);
    // The focus follows to the page's button when it was on the row.
    if (auto *focus = qobject_cast<QPushButton *>(window()->focusWidget());
        focus && m_buttons.contains(focus))
        m_buttons[index]->setFocus(Qt::TabFocusReason);
}

void FuncWidget::setPagesEnabled(bool enabled)
{
    // The page buttons stay: the operator may look round every page, but
    // nothing looks editable that would not reach a unit. Each built page is
    // disabled rather than the stack: a widget made inside a disabled parent
    // gets a bare accessible interface cached while it is being constructed
    // (no button or label role, no name), so pages are built enabled.
    m_pagesEnabled = enabled;
    for (int i = 0; i < PageCount; ++i)
        if (BlockPage *built = page(i))
            built->setEnabled(enabled);
}

bool FuncWidget::pagesEnabled() const
{
    return m_pagesEnabled;
}

void FuncWidget::timeout()
{
    if (!isEnabled())
        return;
    const SendBatch batch;
    if (BlockPage *p = page(currentIndex()))
        p->refresh();
}

void FuncWidget::refreshLabelPage()
{
    buildPages();
    if (currentIndex() != Label)
        if (BlockPage *p = page(Label))
            p->refresh();
}

void FuncWidget::refreshSettings()
{
    if (BlockPage *p = page(Settings))
        p->refresh();
}

void FuncWidget::clearSettings()
{
    m_status->clear();
}

quint8 FuncWidget::faultByte() const
{
    return m_status->fault();
}

void FuncWidget::setInlabel(uchar channel, QString string)
{
    buildPages();
    for (BlockPage *p : qAsConst(m_inputNamePages))
        p->setInputName(channel, string);
}

void FuncWidget::setOutlabel(uchar channel, QString string)
{
    buildPages();
    for (BlockPage *p : qAsConst(m_outputNamePages))
        p->setOutputName(channel, string);
}

void FuncWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void FuncWidget::retranslate()
{
    // Small enough that all page buttons fit the row of a 1024-pixel window.
    QFont font = appFont(8);
    font.setPointSizeF(7.5);
    for (int i = 0; i < PageCount; ++i) {
        m_buttons[i]->setText(QCoreApplication::translate("FuncWidget", PageTitles[i]));
        m_buttons[i]->setFont(font);
    }
}
