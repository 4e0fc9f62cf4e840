#include "pages/dynamics/qgate.h"

#include "pages/dynamics/gatelamp.h"
#include "pages/knobfield.h"
#include "protocol/answerreader.h"
#include "protocol/frame.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/knob.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <cmath>

using namespace Proto::GateCmd;

namespace {

// A minus sign and up to three digits, or 0: the clamp takes care of -121..-199.
const char ThresholdPattern[] = "^-(120|1?[0-9]?[0-9]?)|^(0)";

struct ParamRange
{
    int minimum, maximum;
};
constexpr ParamRange Ranges[QGate::ParamCount] = {
    {GateParams::ThresholdMin, GateParams::ThresholdMax},
    {GateParams::AttackMin, GateParams::AttackMax},
    {GateParams::DecayMin, GateParams::DecayMax},
};

// Values are whole numbers: a knob or typed value is truncated toward zero.
int whole(float value, QGate::Param p)
{
    return Proto::clampToInt(double(value), Ranges[p].minimum, Ranges[p].maximum,
                             Ranges[p].minimum);
}

} // namespace

QGate::QGate(QWidget *parent) : BlockPage(parent)
{
    setObjectName(QStringLiteral("gateWidget"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 1, 1, 0);
    row->setSpacing(2);
    for (int c = 0; c < Channels; ++c)
        row->addWidget(buildStrip(c), 1);

    deferred().setSender([this](int key) { sendRecord(key / ParamCount); });
    retranslate();
}

QWidget *QGate::buildStrip(int c)
{
    Strip &s = m_strips[size_t(c)];
    auto *bg = new QWidget(this);
    bg->setObjectName(QStringLiteral("gateCtrlBgWidget"));
    bg->setAttribute(Qt::WA_StyledBackground);
    bg->setMinimumWidth(50);

    s.title = new QLabel(QStringLiteral("IN %1").arg(c + 1), bg);
    s.title->setObjectName(QStringLiteral("titleLabel"));
    s.title->setAlignment(Qt::AlignCenter);

    s.enable = new QPushButton(bg);
    s.enable->setObjectName(QStringLiteral("normalButton"));
    s.enable->setCheckable(true);
    s.enable->setChecked(true);
    s.enable->setFixedSize(50, 25);
    connect(s.enable, &QPushButton::clicked, this, &QGate::enableClicked);

    s.lamp = new GateLamp(bg);

    auto *v = new QVBoxLayout(bg);
    v->setContentsMargins(1, 3, 1, 3);
    v->setSpacing(2);
    v->addWidget(s.title);
    v->addWidget(s.enable, 0, Qt::AlignHCenter);
    v->addSpacing(2);
    v->addWidget(s.lamp, 0, Qt::AlignHCenter);

    const GateParams defaults;
    const int starts[ParamCount] = {defaults.threshold, defaults.attack, defaults.decay};
    for (int p = 0; p < ParamCount; ++p) {
        QLabel *&caption = s.captions[size_t(p)];
        caption = new QLabel(bg);
        caption->setAlignment(Qt::AlignCenter);
        KnobField *&control = s.controls[size_t(p)];
        control = new KnobField(bg);
        control->setFormat("%d");
        control->setRange(float(Ranges[p].minimum), float(Ranges[p].maximum));
        control->knob()->setSize(Knob::Small);
        control->knob()->setStep(1);
        control->edit()->setFixedWidth(40);
        control->setValue(float(starts[p]));
        v->addStretch(1); // the three groups share the height the page has
        v->addWidget(caption);
        v->addWidget(control, 0, Qt::AlignHCenter);
    }
    s.controls[Threshold]->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(ThresholdPattern)), s.controls[Threshold]));
    connect(s.controls[Threshold], &KnobField::knobMoved, this,
            qOverload<float>(&QGate::threshChanged));
    connect(s.controls[Attack], &KnobField::knobMoved, this, &QGate::attackChanged);
    connect(s.controls[Decay], &KnobField::knobMoved, this, &QGate::decayChanged);
    connect(s.controls[Threshold], &KnobField::textEntered, this, &QGate::threshEditingFinished);
    connect(s.controls[Attack], &KnobField::textEntered, this, &QGate::attackEditingFinished);
    connect(s.controls[Decay], &KnobField::textEntered, this, &QGate::decayEditingFinished);
    v->addSpacing(4);
    return bg;
}

void QGate::retranslate()
{
    static const char *const Captions[ParamCount] = {
        QT_TR_NOOP("Thresh(dB)"), QT_TR_NOOP("Attack(ms)"), QT_TR_NOOP("Decay(ms)")};
    const QFont title = appFont(10, true);
    const QFont button = appFont(9);
    QFont caption = appFont(8);
    caption.setPointSizeF(7.5);
    const QFont field = appFont(8);
    for (Strip &s : m_strips) {
        s.title->setFont(title);
        s.enable->setText(tr("Enable"));
        s.enable->setFont(button);
        for (int p = 0; p < ParamCount; ++p) {
            s.captions[size_t(p)]->setText(tr(Captions[p]));
            s.captions[size_t(p)]->setFont(caption);
            s.controls[size_t(p)]->edit()->setFont(field);
        }
    }
}

void QGate::setInputName(int channel, const QString &name)
{
    if (channel < 0 || channel >= Channels)
        return;
    const Strip &s = m_strips[size_t(channel)];
    s.title->setToolTip(name);
    s.title->parentWidget()->setToolTip(name);
}

bool QGate::isGateOpen(int c) const
{
    return m_strips[size_t(c)].lamp->isOpen();
}

int QGate::channelOf(QObject *control) const
{
    for (int c = 0; c < Channels; ++c) {
        const Strip &s = m_strips[size_t(c)];
        if (control == s.enable)
            return c;
        for (const KnobField *k : s.controls)
            if (control == k)
                return c;
    }
    return -1;
}

int &QGate::field(GateParams &params, Param p)
{
    switch (p) {
    case Attack:
        return params.attack;
    case Decay:
        return params.decay;
    default:
        return params.threshold;
    }
}

bool QGate::apply(int c, Param p, int value)
{
    int &stored = field(m_params[size_t(c)], p);
    if (stored == value)
        return false;
    stored = value;
    m_strips[size_t(c)].controls[size_t(p)]->setValue(float(value));
    if (p == Threshold)
        emit threshValue(uchar(c), value);
    return true;
}

void QGate::knobEdited(Param p, float value)
{
    const int c = channelOf(sender());
    if (c < 0)
        return;
    apply(c, p, whole(value, p));
    // A movement that stays within the same whole number still restarts the
    // wait, so the record goes out once the knob has come to rest.
    deferred().edit(c * ParamCount + p);
}

void QGate::fieldEdited(Param p)
{
    auto *control = qobject_cast<KnobField *>(sender());
    const int c = channelOf(control);
    if (c < 0)
        return;
    // The field's value is already clamped to the knob's range.
    const int value = whole(control->enteredValue(), p);
    if (apply(c, p, value))
        deferred().edit(c * ParamCount + p);
    else
        control->showText(float(value));
}

void QGate::threshChanged(float value)
{
    knobEdited(Threshold, value);
}

void QGate::attackChanged(float value)
{
    knobEdited(Attack, value);
}

void QGate::decayChanged(float value)
{
    knobEdited(Decay, value);
}

void QGate::threshEditingFinished()
{
    fieldEdited(Threshold);
}

void QGate::attackEditingFinished()
{
    fieldEdited(Attack);
}

void QGate::decayEditingFinished()
{
    fieldEdited(Decay);
}

void QGate::enableClicked(bool isChecked)
{
    const int c = channelOf(sender());
    if (c < 0)
        return;
    m_params[size_t(c)].enable = isChecked ? 1 : 0;
    setCheckedSilently(m_strips[size_t(c)].enable, isChecked);
    sendRecord(c);
}

void QGate::threshChanged(uchar ucChannel, int value)
{
    if (ucChannel >= Channels)
        return;
    apply(ucChannel, Threshold, qBound(GateParams::ThresholdMin, value, GateParams::ThresholdMax));
    sendRecord(ucChannel);
}

void QGate::sendRecord(int c)
{
    sendCommand(Module, Record, quint8(c), m_params[size_t(c)].bytes());
}

void QGate::refresh()
{
    for (int c = 0; c < Channels; ++c)
        sendPacket(Proto::OpBlock, Module, Record, Proto::FlagRead, QByteArray(1, char(c)));
}

void QGate::onTick()
{
    if (++m_pollTicks % PollTicks == 0)
        sendPacket(Proto::OpBlock, Module, State, Proto::FlagRead);
}

void QGate::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    // The operator's edit wins over answers to earlier reads, lamps included.
    if (deferred().isHolding())
        return;
    AnswerReader answer(flag, length, payload);
    if (cmd == State) {
        if (!answer.exact(Channels))
            return;
        for (int c = 0; c < Channels; ++c) {
            const bool open = answer.u8(c) != 0;
            if (m_strips[size_t(c)].lamp->setOpen(open))
                emit gateState(uchar(c), open);
        }
        return;
    }
    if (cmd != Record || !answer.exact(1 + GateParams::Size))
        return;
    const std::optional<quint8> channel = answer.index(0, Channels);
    if (!channel)
        return;
    const int c = *channel;
    const quint8 enable = answer.u8(1) ? 1 : 0;
    if (enable != m_params[size_t(c)].enable) {
        m_params[size_t(c)].enable = enable;
        setCheckedSilently(m_strips[size_t(c)].enable, enable);
    }
    for (int p = 0; p < ParamCount; ++p) {
        const std::optional<int> value =
            answer.truncated(2 + 4 * p, Ranges[p].minimum, Ranges[p].maximum);
        if (value)
            apply(c, Param(p), *value);
    }
}
