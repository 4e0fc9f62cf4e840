#include "pages/qoverview.h"

#include "model/unitstate.h"
#include "pages/overviewpoll.h"
#include "pages/pollclock.h"
#include "protocol/commands.h"
#include "protocol/frame.h"
#include "protocol/sendbatch.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/bgwidget.h"
#include "widgets/meterbank.h"
#include "widgets/meterwidget.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char AppVersion[] = "V4.2.25";

using namespace Proto;

const char *const InfoCaptions[] = {
    QT_TRANSLATE_NOOP("QOverView", "SN :"),       QT_TRANSLATE_NOOP("QOverView", "DSP Usage :"),
    QT_TRANSLATE_NOOP("QOverView", "ARM Ver :"),  QT_TRANSLATE_NOOP("QOverView", "DSP Ver :"),
    QT_TRANSLATE_NOOP("QOverView", "Location :"), QT_TRANSLATE_NOOP("QOverView", "Description :"),
};

QString versionText(uchar major, uchar minor, uchar patch)
{
    const QString text = QString::asprintf("V%d.%d.%d", major, minor, patch);
    return text.startsWith(QLatin1String("V0.0.0")) ? QString() : text;
}

} // namespace

QOverView::QOverView(QWidget *parent)
    : QWidget(parent), m_sn(new QLabel), m_dspUsage(new QLabel), m_armVer(new QLabel),
      m_dspVer(new QLabel), m_location(new QLabel), m_description(new QLabel), m_link(new QLabel),
      m_appVersion(new QLabel(QString::fromLatin1(AppVersion))), m_mute(new QPushButton),
      m_meterWidget(new MeterWidget(this)), m_showTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("overViewWidget"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(5);
    layout->addWidget(buildMeterPanel(QStringLiteral("inBgWidget"), QStringLiteral("I%1"), m_in),
                      1);
    layout->addWidget(buildInfoPanel());
    layout->addWidget(buildMeterPanel(QStringLiteral("outBgWidget"), QStringLiteral("O%1"), m_out),
                      1);
    // The bars are named "IN 3, level" for assistive technology.
    m_in.meters->setChannelNameFormat(QStringLiteral("IN %1"));
    m_out.meters->setChannelNameFormat(QStringLiteral("OUT %1"));

    const auto shortcut = [this](const char *keys, void (QOverView::*slot)()) {
        auto *s = new QShortcut(QKeySequence(QString::fromLatin1(keys)), this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut("Ctrl+N", &QOverView::CtrlNClicked);
    shortcut("Ctrl+M", &QOverView::muteAccess);
    shortcut("Ctrl+L", &QOverView::showMeterWidget);
    connect(m_meterWidget, &MeterWidget::ctrlN, this, [this] { toggleFloor(true); });

    retranslate();
    setLinkState(QAbstractSocket::UnconnectedState);
    // One meter round per tick of the poll clock: the reads go out exactly
    // as they would on every 10th and 20th tick of a 10 ms timer, with a
    // tenth of the wake-ups, and only while a unit is connected.
    connect(PollClock::instance(), &PollClock::tick, this, &QOverView::timeout);
    m_showTimer->setSingleShot(true);
    m_showTimer->setInterval(ShowDelayMs);
    connect(m_showTimer, &QTimer::timeout, this, &QOverView::showPending);
}

BgWidget *QOverView::buildMeterPanel(const QString &objectName, const QString &captionFormat,
                                     Bank &bank)
{
    auto *panel = new BgWidget(this);
    panel->setObjectName(objectName);
    panel->setClickable(true);
    connect(panel, &BgWidget::doubleClicked, this, &QOverView::showMeterWidget);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(5, 4, 5, 4);
    bank.meters = new MeterBank(Channels, captionFormat, panel);
    bank.meters->setRange(m_floor, MeterTop);
    bank.meters->setNumberColour(QColor(78, 78, 78));
    bank.levels.fill(m_floor);
    for (int c = 0; c < Channels; ++c)
        bank.meters->setLevel(c, m_floor);
    layout->addWidget(bank.meters);
    return panel;
}

QWidget *QOverView::buildInfoPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("devInfoBgWidget"));
    panel->setAttribute(Qt::WA_StyledBackground);
    panel->setFixedWidth(210);
    auto *grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(6);
    m_infoGrid = grid; // margins and row spacing follow the font (retranslate)
    QLabel *values[] = {m_sn, m_dspUsage, m_armVer, m_dspVer, m_location, m_description};
    for (int i = 0; i < 6; ++i) {
        m_captions[i] = new QLabel(panel);
        m_captions[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_captions[i]->setStyleSheet(QStringLiteral("color: rgb(90, 100, 110);"));
        values[i]->setParent(panel);
        // The identity can be copied; the usage, new every 200 ms, is plain
        // text (a selectable label lays out a whole text document anew).
        if (values[i] != m_dspUsage)
            values[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(m_captions[i], i, 0);
        grid->addWidget(values[i], i, 1, Qt::AlignLeft | Qt::AlignVCenter);
    }
    // The usage fills its own background in the panel's white (the
    // application's style sheet gives the panel that colour): a new text then
    // does not make the panel draw its rounded frame under it.
    QPalette usagePalette = m_dspUsage->palette();
    usagePalette.setColor(QPalette::Window, QColor(0xff, 0xff, 0xff));
    m_dspUsage->setPalette(usagePalette);
    m_dspUsage->setAutoFillBackground(true);
    m_link->setParent(panel);
    m_appVersion->setParent(panel);
    m_appVersion->setStyleSheet(QStringLiteral("color: rgb(120, 130, 140);"));
    m_mute->setParent(panel);
    m_mute->setObjectName(QStringLiteral("muteButton"));
    m_mute->setCheckable(true);
    m_mute->setFixedSize(45, 25);
    connect(m_mute, &QPushButton::clicked, this, &QOverView::muteClicked);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(6);
    bottom->addWidget(m_link);
    bottom->addWidget(m_appVersion);
    bottom->addStretch(1);
    bottom->addWidget(m_mute);
    grid->setRowStretch(6, 1);
    grid->addLayout(bottom, 7, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return panel;
}

void QOverView::retranslate()
{
    for (int i = 0; i < 6; ++i)
        m_captions[i]->setText(tr(InfoCaptions[i]));
    m_mute->setText(tr("Mute"));
    setLinkState(QAbstractSocket::UnconnectedState);
    const QFont small = appFont(8);
    for (QLabel *l :
         {m_sn, m_dspUsage, m_armVer, m_dspVer, m_location, m_description, m_appVersion})
        l->setFont(small);
    for (QLabel *l : m_captions)
        l->setFont(small);
    m_link->setFont(appFont(8, true));
    // Fonts with taller lines (CJK) carry their own space above and below
    // every row: the panel drops its row spacing and most of its margins, so
    // that it, and the overview with it, keeps its height.
    const int slack = lineSlack(small);
    // The margins are what a 1024 x 600 window leaves when the rows are 14
    // pixels high (DejaVu Sans, 8 points).
    m_infoGrid->setContentsMargins(8, qMax(1, 4 - 2 * slack), 8, qMax(1, 4 - 2 * slack));
    m_infoGrid->setVerticalSpacing(qMax(0, 2 - slack));
    m_mute->setFont(small);
    QFont tiny = small;
    tiny.setPointSizeF(6.5);
    for (Bank *bank : {&m_in, &m_out})
        bank->meters->setFont(tiny);
    // The DSP usage changes with every status round: a fixed size, room for
    // the longest text, keeps it from making Qt lay out the whole window again
    // with each new text.
    const QFontMetrics smallMetrics(small);
    m_dspUsage->setFixedSize(smallMetrics.horizontalAdvance(QStringLiteral("100.0%,100.0%")) + 2,
                             smallMetrics.height());
}

void QOverView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void QOverView::timeout()
{
    const SendBatch batch;
    ++m_ticks;
    // The 100 ms tick is the meter interval; status goes out every second one.
    static_assert(OverviewPoll::MeterIntervalMs == PollClock::IntervalMs,
                  "one meter round per tick");
    OverviewPoll::sendMeterReads();
    if (m_ticks % (OverviewPoll::StatusIntervalMs / PollClock::IntervalMs) == 0)
        OverviewPoll::sendStatusReads();
}

void QOverView::setLinkState(QAbstractSocket::SocketState)
{
    if (isLoggedIn()) {
        m_link->setText(tr("Connected"));
        m_link->setStyleSheet(QStringLiteral("color: rgb(0,0,0);"));
    } else {
        m_link->setText(tr("Unconnected"));
        m_link->setStyleSheet(QStringLiteral("color: rgb(255,0,0);"));
    }
}

void QOverView::setMeter(Bank &bank, uchar channel, int value)
{
    if (channel >= Channels || bank.levels[channel] == value)
        return;
    bank.levels[channel] = value;
    if (!m_showTimer->isActive())
        m_showTimer->start();
}

// The levels of one round arrive in several answers; shown together they cost
// one repaint of each meter bank instead of one each. Most often the answers
// come in one read and the main window shows them when it has handled it; the
// timer shows those that came some other way.
void QOverView::showPending() const
{
    m_showTimer->stop();
    if (m_dspUsagePending) {
        m_dspUsage->setText(*m_dspUsagePending);
        m_dspUsagePending.reset();
    }
    for (const Bank *bank : {&m_in, &m_out})
        bank->meters->setLevels(bank->levels.data(), Channels);
}

void QOverView::setInMeter(uchar channel, int value)
{
    setMeter(m_in, channel, value);
    m_meterWidget->setInPostFader(channel, value);
}

void QOverView::setOutMeter(uchar channel, int value)
{
    setMeter(m_out, channel, value);
    m_meterWidget->setOutPostFader(channel, value);
}

void QOverView::setInPreMeter(uchar channel, int value)
{
    m_meterWidget->setInPreFader(channel, value);
}

void QOverView::setOutPreMeter(uchar channel, int value)
{
    m_meterWidget->setOutPreFader(channel, value);
}

void QOverView::CtrlNClicked()
{
    toggleFloor(false);
}

void QOverView::toggleFloor(bool fromPanel)
{
    m_floor = m_floor != -40 ? -40 : -100;
    showPending();
    for (Bank *bank : {&m_in, &m_out})
        bank->meters->setRange(m_floor, MeterTop);
    if (!fromPanel)
        m_meterWidget->toggleFloor();
}

void QOverView::setUnitState(Model::UnitState *state)
{
    m_state = state;
}

void QOverView::sendMute(bool muted)
{
    if (!m_state)
        m_state = new Model::UnitState(this);
    const Model::ParamId id = m_state->catalogue().id("system.allmute");
    m_state->setNumber(id, muted ? 1 : 0);
    sendFrame(m_state->writeFrameOf(id));
    m_state->commit();
}

void QOverView::muteClicked(bool isChecked)
{
    m_mute->setChecked(isChecked);
    sendMute(isChecked);
}

void QOverView::muteAccess()
{
    m_mute->setChecked(!m_mute->isChecked());
    sendMute(m_mute->isChecked());
}

void QOverView::setAllMute(bool mute)
{
    m_mute->setChecked(mute);
}

void QOverView::setARMVer(uchar major, uchar minor, uchar patch)
{
    m_armVer->setText(versionText(major, minor, patch));
}

void QOverView::setDSPVer(uchar major, uchar minor, uchar patch)
{
    m_dspVer->setText(versionText(major, minor, patch));
}

void QOverView::setLocation(QString text)
{
    m_location->setText(text);
}

void QOverView::setDescription(QString text)
{
    m_description->setText(text);
}

// The usage comes with every status round, right after that round's meter
// answers: it is shown with the meters, in the same repaint.
void QOverView::setDspUsage(float a, float b)
{
    const QString text = QString::asprintf("%0.1f%%,%0.1f%%", double(a), double(b));
    if (text == (m_dspUsagePending ? *m_dspUsagePending : m_dspUsage->text()))
        return;
    m_dspUsagePending = text;
    if (!m_showTimer->isActive())
        m_showTimer->start();
}

void QOverView::setSN(QString text)
{
    m_sn->setText(text);
}

void QOverView::showMeterWidget()
{
    m_meterWidget->show();
    m_meterWidget->raise();
}

void QOverView::clear()
{
    for (int c = 0; c < Channels; ++c) {
        setInMeter(uchar(c), -100);
        setOutMeter(uchar(c), -100);
        setInPreMeter(uchar(c), -100);
        setOutPreMeter(uchar(c), -100);
    }
    m_dspUsagePending.reset();
    showPending();
    m_dspUsage->clear();
    m_mute->setChecked(false);
}

QString QOverView::inputNumberText(int channel) const
{
    showPending();
    return m_in.meters->numberText(channel);
}

QString QOverView::outputNumberText(int channel) const
{
    showPending();
    return m_out.meters->numberText(channel);
}

int QOverView::inputBarValue(int channel) const
{
    showPending();
    return m_in.meters->barValue(channel);
}

QString QOverView::linkText() const
{
    return m_link->text();
}

QString QOverView::armVersionText() const
{
    return m_armVer->text();
}

QString QOverView::dspVersionText() const
{
    return m_dspVer->text();
}

QString QOverView::dspUsageText() const
{
    showPending();
    return m_dspUsage->text();
}
