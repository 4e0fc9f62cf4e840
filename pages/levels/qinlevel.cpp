#include "pages/levels/qinlevel.h"

#include "pages/knobfield.h"
#include "pages/levels/factorytestwindow.h"
#include "pages/levels/inputgain.h"
#include "protocol/answerreader.h"
#include "protocol/frame.h"
#include "protocol/lebytes.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/elidedlabel.h"
#include "widgets/lazycombobox.h"
#include "widgets/knob.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Proto::InLevelCmd;

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

void QInLevel::retranslate()
{
    const QFont font = appFont(8);
    const QFont title = appFont(10, true);
    for (Strip &s : m_strips) {
        s.mode->setItemText(Mic, tr("Mic"));
        s.mode->setItemText(Line, tr("Line"));
        s.mute->setText(tr("Mute"));
        s.gainCaption->setText(tr("Gain(dBu)"));
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
}

void QInLevel::refresh()
{
    for (quint8 cmd : {Mute, Gain, Mode, Phantom, Step})
        sendPacket(Proto::OpBlock, Module, cmd, Proto::FlagRead);
}

float QInLevel::totalGain(int c) const
{
    const Channel &ch = m_channels[size_t(c)];
    const float total = InputGain::stepDb(ch.preampStep) + ch.digitalGain;
    return m_strips[size_t(c)].gain->clamp(total);
}

void QInLevel::showTotal(int c)
{
    m_strips[size_t(c)].gain->setValue(totalGain(c));
}

// Stores a new total for channel c, split into step and trim, and shows it.
void QInLevel::applyGain(int c, float total, bool markPending)
{
    Channel &ch = m_channels[size_t(c)];
    const InputGain::Split split =
        InputGain::split(m_strips[size_t(c)].gain->clamp(total), ch.mode != Mic);
    ch.preampStep = split.step;
    ch.digitalGain = split.digital;
    if (markPending)
        deferred().edit(c);
}

void QInLevel::setGainFromOperator(int c, float total)
{
    KnobField *field = m_strips[size_t(c)].gain;
    total = field->clamp(total);
    if (total != totalGain(c)) {
        applyGain(c, total, true);
        field->setValue(total);
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
        applyGain(c, value, false);
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

void QInLevel::sendGain(int c)
{
    const Channel &ch = m_channels[size_t(c)];
    sendCommand(Module, Step, quint8(c), QByteArray(1, char(ch.preampStep)));
    sendCommand(Module, Gain, quint8(c), Le::bytes(ch.digitalGain));
}

void QInLevel::muteClicked(bool isChecked)
{
    const int c = channelOf(sender());
    if (c < 0)
        return;
    m_channels[size_t(c)].mute = isChecked ? 1 : 0;
    sendCommand(Module, Mute, quint8(c), QByteArray(1, char(isChecked ? 1 : 0)));
}

void QInLevel::_48VClicked(bool isChecked)
{
    const int c = channelOf(sender());
    if (c < 0)
        return;
    m_channels[size_t(c)].phantom = isChecked ? 1 : 0;
    sendCommand(Module, Phantom, quint8(c), QByteArray(1, char(isChecked ? 1 : 0)));
}

void QInLevel::modeChanged(int index)
{
    const int c = channelOf(sender());
    if (c < 0 || index < 0)
        return;
    applyMode(c, quint8(index));
    sendCommand(Module, Mode, quint8(c), QByteArray(1, char(index)));
    // A mode change always leaves the channel at 0 dB total.
    Channel &ch = m_channels[size_t(c)];
    if (const auto reset = InputGain::resetAfterModeChange(ch.preampStep, ch.digitalGain)) {
        ch.preampStep = reset->step;
        ch.digitalGain = reset->digital;
        m_strips[size_t(c)].gain->setValue(0.0f);
        deferred().edit(c);
    }
}

void QInLevel::applyMode(int c, quint8 mode)
{
    mode = mode ? Line : Mic;
    Channel &ch = m_channels[size_t(c)];
    Strip &s = m_strips[size_t(c)];
    if (mode == ch.mode)
        return;
    ch.mode = mode;
    if (mode == Line) {
        if (ch.preampStep != 0) {
            // Line inputs have no preamplifier step: keep the trim as the total.
            applyGain(c, ch.digitalGain, true);
            showTotal(c);
        }
        s.gain->setRange(InputGain::minimum(true), InputGain::maximum(true));
        if (ch.phantom) {
            ch.phantom = 0; // switched off locally; the unit does it on its own
            setCheckedSilently(s.phantom, false);
        }
        s.phantom->setEnabled(false);
    } else {
        s.gain->setRange(InputGain::minimum(false), InputGain::maximum(false));
        s.phantom->setEnabled(true);
    }
    showTotal(c);
    const QSignalBlocker blocker(s.mode);
    s.mode->setCurrentIndex(mode);
}

void QInLevel::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    if (cmd < Meter || cmd > Step)
        return;
    AnswerReader answer(flag, length, payload);
    if (!answer.exact(cmd == Gain ? Channels * 4 : Channels))
        return;
    if (cmd == Meter) {
        for (int c = 0; c < Channels; ++c)
            emit meterChanged(uchar(c), int(answer.i8(c)));
        return;
    }
    if (deferred().isHolding())
        return; // the operator's edit wins over answers to earlier reads

    for (int c = 0; c < Channels; ++c) {
        Channel &ch = m_channels[size_t(c)];
        const quint8 byte = answer.u8(c);
        switch (cmd) {
        case Mute:
            ch.mute = byte ? 1 : 0;
            setCheckedSilently(m_strips[size_t(c)].mute, ch.mute);
            break;
        case Phantom:
            ch.phantom = byte ? 1 : 0;
            setCheckedSilently(m_strips[size_t(c)].phantom, ch.phantom);
            break;
        case Gain: {
            // The widest trim any mode allows; the total is clamped to the mode.
            const std::optional<float> gain =
                answer.real(c * 4, -InputGain::TrimLimit, InputGain::TrimLimit);
            if (gain && *gain != ch.digitalGain) {
                ch.digitalGain = *gain;
                showTotal(c);
            }
            break;
        }
        case Mode:
            applyMode(c, byte);
            break;
        case Step: {
            const quint8 step = InputGain::sanitizeStep(byte);
            if (step != ch.preampStep) {
                ch.preampStep = step;
                showTotal(c);
            }
            break;
        }
        default:
            break;
        }
    }
}

void QInLevel::setInputName(int channel, const QString &name)
{
    if (channel < 0 || channel >= Channels)
        return;
    const Strip &s = m_strips[size_t(channel)];
    showChannelName(s.title, s.name, name);
}

void QInLevel::testClicked()
{
    if (!m_testWindow)
        m_testWindow = new FactoryTestWindow(this);
    m_testWindow->show();
    m_testWindow->raise();
}
