#include "pages/levels/qinlevel.h"

#include "pages/accessibility.h"

#include "model/inputgain.h"
#include "model/unitstate.h"
#include "pages/knobfield.h"
#include "pages/levels/factorytestwindow.h"
#include "protocol/answerreader.h"
#include "protocol/frame.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/elidedlabel.h"
#include "widgets/knob.h"
#include "widgets/lazycombobox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Proto::InLevelCmd;

namespace {
// The input level's parameters in the unit's state.
namespace P {
enum Param
{
    Mute,
    Trim,
    Mode,
    Phantom,
    Step,
    Total
};
} // namespace P

Model::ParamId param(int which, int c)
{
    static const int index[] = {
        Model::Catalogue::instance().paramIndex("input.#.mute"),
        Model::Catalogue::instance().paramIndex("input.#.trim"),
        Model::Catalogue::instance().paramIndex("input.#.mode"),
        Model::Catalogue::instance().paramIndex("input.#.phantom"),
        Model::Catalogue::instance().paramIndex("input.#.step"),
        Model::Catalogue::instance().paramIndex("input.#.gain"),
    };
    return Model::ParamId{index[which], c, 0};
}
} // namespace

QInLevel::QInLevel(QWidget *parent) : BlockPage(parent)
{
    setObjectName(QStringLiteral("inLevelWidget"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 1, 1, 0);
    grid->setSpacing(2);
    for (int c = 0; c < Channels; ++c)
        grid->addWidget(buildStrip(c), c / 8, c % 8);

    deferred().setSender([this](int c) { sendGain(c); });

    // While this page is shown, wherever the focus is in the window.
    auto *test = new QShortcut(QKeySequence(QStringLiteral("Ctrl+T")), this);
    test->setContext(Qt::WindowShortcut);
    connect(test, &QShortcut::activated, this, &QInLevel::testClicked);
    retranslate();
}

QWidget *QInLevel::buildStrip(int c)
{
    Strip &s = m_strips[size_t(c)];
    auto *bg = new QWidget(this);
    bg->setObjectName(QStringLiteral("inLevelCtrlBgWidget"));
    bg->setAttribute(Qt::WA_StyledBackground);

    s.title = new QLabel(QStringLiteral("IN %1").arg(c + 1), bg);
    s.title->setObjectName(QStringLiteral("titleLabel"));
    s.title->setAlignment(Qt::AlignCenter);
    s.name = new ElidedLabel(bg);
    s.name->setFixedHeight(20);
    s.name->setAlignment(Qt::AlignCenter);

    s.mode = new LazyComboBox(appFont(8), bg);
    s.mode->setFixedSize(50, 20);
    s.mode->addItems({QString(), QString()});
    s.mode->setCurrentIndex(Line);
    connect(s.mode, qOverload<int>(&QComboBox::currentIndexChanged), this, &QInLevel::modeChanged);

    s.mute = new QPushButton(bg);
    s.mute->setObjectName(QStringLiteral("muteButton"));
    s.mute->setFixedSize(50, 20);
    s.mute->setCheckable(true);
    connect(s.mute, &QPushButton::clicked, this, &QInLevel::muteClicked);
    s.phantom = new QPushButton(QStringLiteral("48V"), bg);
    s.phantom->setObjectName(QStringLiteral("phantomPowerButton"));
    s.phantom->setFixedSize(50, 20);
    s.phantom->setCheckable(true);
    s.phantom->setEnabled(false); // inputs start in line mode
    connect(s.phantom, &QPushButton::clicked, this, &QInLevel::_48VClicked);

    s.gainCaption = new QLabel(bg);
    s.gainCaption->setAlignment(Qt::AlignCenter);
    s.gain = new KnobField(bg);
    s.gain->setScale(10);
    s.gain->setRange(InputGain::minimum(true), InputGain::maximum(true));
    s.gain->knob()->setSize(Knob::Medium);
    s.gain->knob()->setStep(1);
    s.gain->edit()->setFixedWidth(34);
    s.gain->setValue(0.0f);
    connect(s.gain, &KnobField::knobMoved, this, &QInLevel::gainChanged);
    connect(s.gain, &KnobField::textEntered, this, &QInLevel::gainEditingFinished);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(s.mute);
    buttons->addWidget(s.phantom);

    auto *v = new QVBoxLayout(bg);
    v->setContentsMargins(2, 3, 2, 3);
    v->setSpacing(3);
    v->addWidget(s.title);
    v->addWidget(s.name);
    v->addWidget(s.mode, 0, Qt::AlignHCenter);
    v->addLayout(buttons);
    v->addWidget(s.gainCaption);
    v->addWidget(s.gain, 0, Qt::AlignHCenter);
    v->addStretch(1);
    return bg;
}

int QInLevel::channelOf(QObject *control) const
{
    for (int c = 0; c < Channels; ++c) {
        const Strip &s = m_strips[size_t(c)];
        if (control == s.mode || control == s.mute || control == s.phantom || control == s.gain)
            return c;
    }
    return -1;
}

// On a page with room for them (a large window) the gain knobs are large.
// The large knobs make the page's least size larger: when the window shrinks
// the page is held at that size, found too small and given the medium knobs
// back, so it shrinks with the window again. A hidden page is not resized
// with the window, so it keeps the medium knobs until it is shown: its least
// size would otherwise hold the window's other pages large.
void QInLevel::resizeEvent(QResizeEvent *event)
{
    BlockPage::resizeEvent(event);
    fitKnobs();
}

void QInLevel::showEvent(QShowEvent *event)
{
    BlockPage::showEvent(event);
    fitKnobs();
}

void QInLevel::hideEvent(QHideEvent *event)
{
    BlockPage::hideEvent(event);
    setLargeKnobs(false);
}

void QInLevel::fitKnobs()
{
    constexpr int Rows = 2;
    constexpr int Columns = 8;
    constexpr int StripFrame = 12;
    if (!isVisible())
        return;
    const bool large = m_strips[0].gain->knob()->size().width() >= LargeKnobSide;
    if (!large)
        m_mediumKnobsHeight = minimumSizeHint().height();
    const bool room = width() >= Columns * (LargeKnobSide + StripFrame) &&
                      height() >= m_mediumKnobsHeight + Rows * (LargeKnobSide - MediumKnobSide + 4);
    setLargeKnobs(room);
}

void QInLevel::setLargeKnobs(bool large)
{
    if ((m_strips[0].gain->knob()->size().width() >= LargeKnobSide) == large)
        return;
    for (Strip &s : m_strips)
        s.gain->knob()->setSize(large ? Knob::Large : Knob::Medium);
}

void QInLevel::retranslate()
{
    const QFont font = appFont(8);
    const QFont title = appFont(10, true);
    for (Strip &s : m_strips) {
        s.mode->setItemText(Mic, tr("Mic"));
        s.mode->setItemText(Line, tr("Line"));
        s.mute->setText(tr("Mute"));
        s.gainCaption->setText(tr("Gain(dBu)"));
        s.mode->setToolTip(tr("Mic: microphone level, with the preamplifier's gain; "
                              "Line: line level"));
        s.phantom->setToolTip(tr("48 V phantom power for condenser microphones"));
        for (QWidget *w :
             {static_cast<QWidget *>(s.name), static_cast<QWidget *>(s.mode),
              static_cast<QWidget *>(s.mute), static_cast<QWidget *>(s.phantom),
              static_cast<QWidget *>(s.gainCaption), static_cast<QWidget *>(s.gain->edit())})
            w->setFont(font);
        s.title->setFont(title);
        // Fonts with taller lines (CJK) bring their own space between the
        // rows; the strips keep their height.
        s.title->parentWidget()->layout()->setSpacing(qMax(0, 3 - lineSlack(font)));
    }
    for (int c = 0; c < Channels; ++c)
        updateAccessibleNames(c);
}

void QInLevel::updateAccessibleNames(int c)
{
    const Strip &s = m_strips[size_t(c)];
    const QString channel = channelLabel(s.title, s.name);
    nameControls(
        channel,
        {{s.mode, tr("Mic/Line")}, {s.mute, s.mute->text()}, {s.phantom, tr("48V phantom power")}});
    s.gain->setAccessibleLabel(channel + QStringLiteral(", ") + tr("gain"), QStringLiteral("dBu"));
}

void QInLevel::refresh()
{
    for (quint8 cmd : {Mute, Gain, Mode, Phantom, Step})
        sendPacket(Proto::OpBlock, Module, cmd, Proto::FlagRead);
}

QInLevel::Channel QInLevel::channel(int c) const
{
    const Model::UnitState &s = state();
    Channel ch;
    ch.mute = s.isOn(param(P::Mute, c)) ? 1 : 0;
    ch.mode = s.isOn(param(P::Mode, c)) ? Line : Mic;
    ch.phantom = s.isOn(param(P::Phantom, c)) ? 1 : 0;
    ch.preampStep = quint8(qMax(0, s.tableIndex(param(P::Step, c))));
    ch.digitalGain = float(s.number(param(P::Trim, c)));
    return ch;
}

float QInLevel::totalGain(int c) const
{
    // The state keeps the total within the mode's range, as the knob does.
    return float(state().number(param(P::Total, c)));
}

// Shows one input as the state holds it; nothing is sent or emitted.
void QInLevel::showChannel(int c)
{
    const Model::UnitState &s = state();
    const Strip &strip = m_strips[size_t(c)];
    const bool line = s.isOn(param(P::Mode, c));
    setCheckedSilently(strip.mute, s.isOn(param(P::Mute, c)));
    setCheckedSilently(strip.phantom, s.isOn(param(P::Phantom, c)));
    strip.phantom->setEnabled(!line);
    strip.gain->setRange(InputGain::minimum(line), InputGain::maximum(line));
    strip.gain->setValue(totalGain(c));
    const QSignalBlocker blocker(strip.mode);
    strip.mode->setCurrentIndex(line ? Line : Mic);
}

void QInLevel::setGainFromOperator(int c, float total)
{
    KnobField *field = m_strips[size_t(c)].gain;
    total = field->clamp(total);
    if (total != totalGain(c)) {
        state().setNumber(param(P::Total, c), double(total));
        deferred().edit(c);
        showChannel(c);
    } else {
        field->showText(total);
    }
}

void QInLevel::gainChanged(float value)
{
    const int c = channelOf(sender());
    if (c < 0)
        return;
    // The knob already shows the value; the field follows it.
    if (value != totalGain(c)) {
        state().setNumber(param(P::Total, c), double(value));
        m_strips[size_t(c)].gain->showText(value);
    }
    deferred().edit(c);
}

void QInLevel::gainEditingFinished()
{
    auto *field = qobject_cast<KnobField *>(sender());
    const int c = channelOf(field);
    if (c >= 0)
        setGainFromOperator(c, field->enteredValue());
}

// The step, then the trim: the unit adds the trim to the step it has.
void QInLevel::sendGain(int c)
{
    sendWrite(state().writeFrameOf(param(P::Step, c)));
    sendWrite(state().writeFrameOf(param(P::Trim, c)));
}

void QInLevel::sendSwitch(int which, int c, bool on)
{
    const Model::ParamId id = param(which, c);
    state().setNumber(id, on ? 1 : 0);
    sendWrite(state().writeFrameOf(id));
}

void QInLevel::muteClicked(bool isChecked)
{
    const int c = channelOf(sender());
    if (c >= 0)
        sendSwitch(P::Mute, c, isChecked);
}

void QInLevel::_48VClicked(bool isChecked)
{
    const int c = channelOf(sender());
    if (c >= 0)
        sendSwitch(P::Phantom, c, isChecked);
}

void QInLevel::modeChanged(int index)
{
    const int c = channelOf(sender());
    if (c < 0 || index < 0)
        return;
    const Channel before = channel(c);
    // The state leaves the input at 0 dB total (a line input without
    // phantom power, switched off here only: the unit does it on its own).
    state().setNumber(param(P::Mode, c), index == Mic ? Mic : Line);
    sendWrite(state().writeFrameOf(param(P::Mode, c)));
    if (before.preampStep != 0 || before.digitalGain != 0.0f)
        deferred().edit(c);
    showChannel(c);
}

// A line input reported for an input in microphone mode: the trim becomes the
// whole total (clamped as the microphone range had it), which goes out after
// the hold, and phantom power is off here (the unit switches it off itself).
void QInLevel::lineModeReported(int c)
{
    Model::UnitState &s = state();
    if (s.tableIndex(param(P::Step, c)) > 0) {
        const float trim = float(s.number(param(P::Trim, c)));
        s.setNumber(param(P::Total, c), double(InputGain::clampTotal(trim, false)));
        deferred().edit(c);
    }
    s.setNumber(param(P::Phantom, c), 0);
}

void QInLevel::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    if (cmd < Meter || cmd > Step)
        return;
    if (cmd == Meter) {
        AnswerReader answer(flag, length, payload);
        if (!answer.exact(Channels))
            return;
        for (int c = 0; c < Channels; ++c)
            emit meterChanged(uchar(c), int(answer.i8(c)));
        return;
    }
    if (deferred().isHolding())
        return; // the operator's edit wins over answers to earlier reads
    std::array<bool, Channels> wasLine{};
    for (int c = 0; c < Channels; ++c)
        wasLine[size_t(c)] = state().isOn(param(P::Mode, c));
    if (length != payload.size() || !state().apply(Proto::OpBlock, Module, cmd, flag, payload))
        return;
    for (int c = 0; c < Channels; ++c) {
        if (cmd == Mode && !wasLine[size_t(c)] && state().isOn(param(P::Mode, c)))
            lineModeReported(c);
        showChannel(c);
    }
}

void QInLevel::setInputName(int channel, const QString &name)
{
    if (channel < 0 || channel >= Channels)
        return;
    const Strip &s = m_strips[size_t(channel)];
    showChannelName(s.title, s.name, name);
    updateAccessibleNames(channel);
}

void QInLevel::testClicked()
{
    if (!m_testWindow)
        m_testWindow = new FactoryTestWindow(this);
    m_testWindow->show();
    m_testWindow->raise();
}
