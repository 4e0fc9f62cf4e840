#include "pages/dynamics/qautomixer.h"

#include "pages/dynamics/gatelamp.h"
#include "pages/dynamics/gateparams.h"
#include "pages/knobfield.h"
#include "protocol/answerreader.h"
#include "protocol/frame.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/knob.h"
#include "widgets/qfader.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Proto::AutoMixerCmd;

namespace {

const char ThresholdPattern[] = "^-(120|1?[0-9]?[0-9]?)|^(0)";
constexpr float FaderMin = -56.0f, FaderMax = 0.0f;

QString dbText(int value)
{
    return QString::asprintf("%ddB", value);
}

int wholeThreshold(float value)
{
    return Proto::clampToInt(double(value), GateParams::ThresholdMin, GateParams::ThresholdMax,
                             GateParams::ThresholdMin);
}

QWidget *card(const char *objectName, QWidget *parent)
{
    auto *w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(objectName));
    w->setAttribute(Qt::WA_StyledBackground);
    return w;
}

} // namespace

QAutoMixer::QAutoMixer(QWidget *parent) : BlockPage(parent)
{
    setObjectName(QStringLiteral("autoMixerWidget"));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 1, 1, 0);
    v->setSpacing(2);
    v->addWidget(buildInputs());
    v->addWidget(buildNomArea());
    v->addWidget(buildOutputs(), 1);

    // A threshold edited here is passed on once the knob has come to rest.
    deferred().setSender(
        [this](int c) { emit threshChanged(uchar(c), m_inputs[size_t(c)].threshold); });
    retranslate();
}

QWidget *QAutoMixer::buildInputs()
{
    auto *area = new QWidget(this);
    auto *row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (int c = 0; c < Channels; ++c) {
        InStrip &s = m_inStrips[size_t(c)];
        QWidget *bg = card("autoMixerCtrlBgWidget", area);
        bg->setMinimumWidth(50);
        s.title = new QLabel(QStringLiteral("IN %1").arg(c + 1), bg);
        s.title->setObjectName(QStringLiteral("titleLabel"));
        s.title->setAlignment(Qt::AlignCenter);
        s.autoEnable = new QPushButton(bg);
        s.autoEnable->setObjectName(QStringLiteral("normalButton"));
        s.autoEnable->setCheckable(true);
        s.autoEnable->setFixedSize(48, 20);
        connect(s.autoEnable, &QPushButton::clicked, this, &QAutoMixer::inAutoEnClick);
        s.lamp = new GateLamp(bg);
        s.caption = new QLabel(bg);
        s.caption->setAlignment(Qt::AlignCenter);
        s.threshold = new KnobField(bg);
        s.threshold->setFormat("%d");
        s.threshold->setRange(float(GateParams::ThresholdMin), float(GateParams::ThresholdMax));
        s.threshold->knob()->setSize(Knob::Small);
        s.threshold->knob()->setStep(1);
        s.threshold->edit()->setFixedWidth(40);
        s.threshold->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QString::fromLatin1(ThresholdPattern)), s.threshold));
        s.threshold->setValue(float(m_inputs[size_t(c)].threshold));
        connect(s.threshold, &KnobField::knobMoved, this,
                qOverload<float>(&QAutoMixer::threshChanged));
        connect(s.threshold, &KnobField::textEntered, this, &QAutoMixer::threshEditingFinished);

        auto *v = new QVBoxLayout(bg);
        v->setContentsMargins(1, 3, 1, 3);
        v->setSpacing(2);
        v->addWidget(s.title);
        v->addWidget(s.autoEnable, 0, Qt::AlignHCenter);
        v->addSpacing(1);
        v->addWidget(s.lamp, 0, Qt::AlignHCenter);
        v->addWidget(s.caption);
        v->addWidget(s.threshold, 0, Qt::AlignHCenter);
        row->addWidget(bg, 1);
    }
    return area;
}

QWidget *QAutoMixer::buildNomArea()
{
    QWidget *bg = card("nomWidget", this);
    m_nomCaption = new QLabel(bg);
    m_nomBox = new QComboBox(bg);
    for (int level = NomLevelMin; level <= NomLevelMax; ++level)
        m_nomBox->addItem(QString::number(level));
    m_nomBox->setFixedSize(50, 20);
    connect(m_nomBox, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &QAutoMixer::NomLevelChange);
    m_micCountCaption = new QLabel(bg);
    m_micCountValue = new QLabel(QStringLiteral("0"), bg);
    m_totalNomCaption = new QLabel(bg);
    m_totalNomValue = new QLabel(dbText(0), bg);
    for (QLabel *value : {m_micCountValue, m_totalNomValue}) {
        value->setObjectName(QStringLiteral("titleLabel"));
        value->setMinimumWidth(40);
    }

    auto *h = new QHBoxLayout(bg);
    h->setContentsMargins(8, 2, 8, 2);
    h->setSpacing(6);
    h->addWidget(m_nomCaption);
    h->addWidget(m_nomBox);
    h->addSpacing(24);
    h->addWidget(m_micCountCaption);
    h->addWidget(m_micCountValue);
    h->addSpacing(24);
    h->addWidget(m_totalNomCaption);
    h->addWidget(m_totalNomValue);
    h->addStretch(1);
    return bg;
}

QWidget *QAutoMixer::buildOutputs()
{
    auto *area = new QWidget(this);
    auto *row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (int c = 0; c < Channels; ++c) {
        OutStrip &s = m_outStrips[size_t(c)];
        QWidget *bg = card("outAutoMixerCtrlBgWidget", area);
        bg->setMinimumWidth(50);
        s.title = new QLabel(QStringLiteral("OUT %1").arg(c + 1), bg);
        s.title->setObjectName(QStringLiteral("titleLabel"));
        s.title->setAlignment(Qt::AlignCenter);
        s.enable = new QPushButton(bg);
        s.enable->setObjectName(QStringLiteral("normalButton"));
        s.enable->setCheckable(true);
        s.enable->setFixedSize(48, 20);
        connect(s.enable, &QPushButton::clicked, this, &QAutoMixer::outEnableClick);
        s.attenuation = new QLineEdit(dbText(0), bg);
        s.attenuation->setReadOnly(true);
        s.attenuation->setFocusPolicy(Qt::NoFocus);
        s.attenuation->setAlignment(Qt::AlignCenter);
        s.attenuation->setFixedWidth(44);
        // The fader only shows the attenuation the unit applies.
        s.fader = new QFader(bg);
        s.fader->setRange(FaderMin, FaderMax);
        s.fader->setValue(0.0f);
        s.fader->setFixedSize(50, 145);
        s.fader->setAttribute(Qt::WA_TransparentForMouseEvents);

        auto *v = new QVBoxLayout(bg);
        v->setContentsMargins(0, 3, 0, 3);
        v->setSpacing(2);
        v->addWidget(s.title);
        v->addWidget(s.enable, 0, Qt::AlignHCenter);
        v->addWidget(s.attenuation, 0, Qt::AlignHCenter);
        v->addWidget(s.fader, 0, Qt::AlignHCenter);
        v->addStretch(1);
        row->addWidget(bg, 1);
    }
    return area;
}

void QAutoMixer::retranslate()
{
    const QFont title = appFont(9, true);
    const QFont font = appFont(8);
    QFont caption = font;
    caption.setPointSizeF(7.5);
    for (InStrip &s : m_inStrips) {
        s.title->setFont(title);
        s.autoEnable->setText(tr("Auto En"));
        s.autoEnable->setFont(font);
        s.caption->setText(tr("Thresh(dB)"));
        s.caption->setFont(caption);
        s.threshold->edit()->setFont(font);
    }
    for (OutStrip &s : m_outStrips) {
        s.title->setFont(title);
        s.enable->setText(tr("Enable"));
        s.enable->setFont(font);
        s.attenuation->setFont(font);
    }
    m_nomCaption->setText(tr("Nom level :"));
    m_micCountCaption->setText(tr("Mic counts :"));
    m_totalNomCaption->setText(tr("Total nom :"));
    for (QWidget *w : std::initializer_list<QWidget *>{m_nomCaption, m_nomBox, m_micCountCaption,
                                                       m_totalNomCaption})
        w->setFont(appFont(9));
    m_micCountValue->setFont(appFont(9, true));
    m_totalNomValue->setFont(appFont(9, true));
}

void QAutoMixer::setInputName(int channel, const QString &name)
{
    if (channel < 0 || channel >= Channels)
        return;
    QLabel *title = m_inStrips[size_t(channel)].title;
    title->setToolTip(name);
    title->parentWidget()->setToolTip(name);
}

void QAutoMixer::setOutputName(int channel, const QString &name)
{
    if (channel < 0 || channel >= Channels)
        return;
    QLabel *title = m_outStrips[size_t(channel)].title;
    title->setToolTip(name);
    title->parentWidget()->setToolTip(name);
}

int QAutoMixer::inputOf(QObject *control) const
{
    for (int c = 0; c < Channels; ++c) {
        const InStrip &s = m_inStrips[size_t(c)];
        if (control == s.autoEnable || control == s.threshold)
            return c;
    }
    return -1;
}

int QAutoMixer::outputOf(QObject *control) const
{
    for (int c = 0; c < Channels; ++c)
        if (control == m_outStrips[size_t(c)].enable)
            return c;
    return -1;
}

void QAutoMixer::refresh()
{
    using namespace Proto;
    for (int c = 0; c < Channels; ++c)
        sendPacket(OpBlock, Module::Gate, GateCmd::Record, FlagRead, QByteArray(1, char(c)));
    sendPacket(OpBlock, Module::Gate, GateCmd::State, FlagRead);
    for (quint8 cmd : {AutoEnable, OutEnable, NomLevel})
        sendPacket(OpBlock, Module, cmd, FlagRead);
}

void QAutoMixer::setThreshold(int c, int value)
{
    m_inputs[size_t(c)].threshold = value;
    m_inStrips[size_t(c)].threshold->setValue(float(value));
}

void QAutoMixer::threshChanged(float value)
{
    const int c = inputOf(sender());
    if (c < 0)
        return;
    const int whole = wholeThreshold(value);
    if (whole != m_inputs[size_t(c)].threshold)
        setThreshold(c, whole);
    deferred().markPending(c);
}

void QAutoMixer::threshEditingFinished()
{
    auto *control = qobject_cast<KnobField *>(sender());
    const int c = inputOf(control);
    if (c < 0)
        return;
    const int whole = wholeThreshold(control->enteredValue());
    if (whole != m_inputs[size_t(c)].threshold) {
        setThreshold(c, whole);
        deferred().markPending(c);
    } else {
        control->showText(float(whole));
    }
}

void QAutoMixer::setThreshValue(uchar ucChannel, int value)
{
    if (ucChannel >= Channels)
        return;
    value = qBound(GateParams::ThresholdMin, value, GateParams::ThresholdMax);
    if (value != m_inputs[ucChannel].threshold)
        setThreshold(ucChannel, value);
}

void QAutoMixer::setGateOn(uchar ucChannel, bool isEnable)
{
    if (ucChannel >= Channels)
        return;
    m_inputs[ucChannel].gateOpen = isEnable ? 1 : 0;
    m_inStrips[ucChannel].lamp->setOpen(isEnable);
}

void QAutoMixer::inAutoEnClick(bool isChecked)
{
    const int c = inputOf(sender());
    if (c < 0)
        return;
    m_inputs[size_t(c)].autoEnable = isChecked ? 1 : 0;
    setCheckedSilently(m_inStrips[size_t(c)].autoEnable, isChecked);
    sendCommand(Module, AutoEnable, quint8(c), QByteArray(1, char(isChecked ? 1 : 0)));
}

void QAutoMixer::outEnableClick(bool isChecked)
{
    const int c = outputOf(sender());
    if (c < 0)
        return;
    m_outputs[size_t(c)].enable = isChecked ? 1 : 0;
    setCheckedSilently(m_outStrips[size_t(c)].enable, isChecked);
    sendCommand(Module, OutEnable, quint8(c), QByteArray(1, char(isChecked ? 1 : 0)));
}

void QAutoMixer::NomLevelChange(int index)
{
    if (index < 0)
        return;
    m_nomLevel = quint8(NomLevelMin + index);
    sendPacket(Proto::OpBlock, Module, NomLevel, Proto::FlagWrite, QByteArray(1, char(m_nomLevel)));
}

void QAutoMixer::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    AnswerReader answer(flag, length, payload);
    switch (cmd) {
    case AutoEnable:
    case OutEnable:
        // One flag per channel; a shorter answer sets the channels it covers.
        if (answer.atLeast(1))
            receiveEnables(answer.payload().left(Channels), cmd == OutEnable);
        break;
    case NomLevel:
        if (!answer.exact(1))
            return;
        if (const quint8 level = answer.u8(0);
            level >= NomLevelMin && level <= NomLevelMax && level != m_nomLevel) {
            m_nomLevel = level;
            const QSignalBlocker blocker(m_nomBox);
            m_nomBox->setCurrentIndex(level - NomLevelMin);
        }
        recompute();
        break;
    default:
        break;
    }
}

void QAutoMixer::receiveEnables(const QByteArray &flags, bool outputs)
{
    for (int c = 0; c < flags.size(); ++c) {
        // Kept as 0/1: any non-zero byte both shows and applies the switch.
        const quint8 on = flags.at(c) ? 1 : 0;
        if (outputs) {
            m_outputs[size_t(c)].enable = on;
            setCheckedSilently(m_outStrips[size_t(c)].enable, on);
        } else {
            m_inputs[size_t(c)].autoEnable = on;
            setCheckedSilently(m_inStrips[size_t(c)].autoEnable, on);
        }
    }
}

void QAutoMixer::recompute()
{
    int open = 0;
    for (const Input &in : m_inputs)
        if (in.gateOpen && in.autoEnable)
            ++open;
    m_micCount = open;
    m_totalNom = open > 1 ? (open - 1) * m_nomLevel : 0;
    m_micCountValue->setText(QString::number(open));
    m_totalNomValue->setText(dbText(-m_totalNom));
    for (int c = 0; c < Channels; ++c) {
        Output &out = m_outputs[size_t(c)];
        const int attenuation = out.enable ? -m_totalNom : 0;
        if (attenuation == out.attenuation)
            continue;
        out.attenuation = attenuation;
        m_outStrips[size_t(c)].attenuation->setText(dbText(attenuation));
        m_outStrips[size_t(c)].fader->setValue(float(attenuation));
    }
}
