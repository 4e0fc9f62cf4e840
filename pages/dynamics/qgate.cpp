#include "pages/dynamics/qgate.h"

#include "pages/accessibility.h"

#include "model/unitstate.h"
#include "pages/dynamics/gatelamp.h"
#include "pages/knobfield.h"
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

#include <algorithm>

using namespace Proto::GateCmd;

namespace {

// A minus sign and up to three digits, or 0: the clamp takes care of -121..-199.
const char ThresholdPattern[] = "^-(120|1?[0-9]?[0-9]?)|^(0)";

const char *const ParamPaths[QGate::ParamCount] = {"input.#.gate.threshold", "input.#.gate.attack",
                                                   "input.#.gate.decay"};

} // namespace

QGate::QGate(QWidget *parent)
    : BlockPage(parent),
      m_enableParam(Model::UnitState::catalogue().paramIndex("input.#.gate.enable")),
      m_openParam(Model::UnitState::catalogue().paramIndex("input.#.gate.open"))
{
    for (int p = 0; p < ParamCount; ++p)
        m_params[size_t(p)] = Model::UnitState::catalogue().paramIndex(ParamPaths[p]);
    setObjectName(QStringLiteral("gateWidget"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 1, 1, 0);
    row->setSpacing(2);
    for (int c = 0; c < Channels; ++c)
        row->addWidget(buildStrip(c), 1);

    deferred().setSender([this](int key) { sendRecord(key / ParamCount); });
    connect(&state(), &Model::UnitState::changed, this, &QGate::showParam);
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
    s.enable->setChecked(state().isOn(Model::ParamId{m_enableParam, c, 0}));
    s.enable->setFixedSize(50, 25);
    connect(s.enable, &QPushButton::clicked, this, &QGate::enableClicked);

    s.lamp = new GateLamp(bg);
    s.lamp->setOpen(state().isOn(Model::ParamId{m_openParam, c, 0}));

    auto *v = new QVBoxLayout(bg);
    v->setContentsMargins(1, 3, 1, 3);
    v->setSpacing(2);
    v->addWidget(s.title);
    v->addWidget(s.enable, 0, Qt::AlignHCenter);
    v->addSpacing(2);
    v->addWidget(s.lamp, 0, Qt::AlignHCenter);

    for (int p = 0; p < ParamCount; ++p) {
        const Model::ParamDesc &d = Model::UnitState::catalogue().param(m_params[size_t(p)]);
        QLabel *&caption = s.captions[size_t(p)];
        caption = new QLabel(bg);
        caption->setAlignment(Qt::AlignCenter);
        KnobField *&control = s.controls[size_t(p)];
        control = new KnobField(bg);
        control->setFormat("%d");
        control->setRange(float(d.minimum), float(d.maximum));
        control->knob()->setSize(Knob::Small);
        control->knob()->setStep(1);
        control->edit()->setFixedWidth(40);
        control->setValue(float(state().number(id(c, Param(p)))));
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
    static const char *const Tips[ParamCount] = {
        QT_TR_NOOP("Threshold: the gate opens when the input rises above this level"),
        QT_TR_NOOP("Attack: how fast the gate opens"),
        QT_TR_NOOP("Decay: how fast the gate closes once the input falls below the threshold")};
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
            s.captions[size_t(p)]->setToolTip(tr(Tips[p]));
            s.controls[size_t(p)]->edit()->setFont(field);
        }
    }
    for (int c = 0; c < Channels; ++c)
        updateAccessibleNames(c);
}

// The channel's name is kept as the title's tooltip.
void QGate::updateAccessibleNames(int c)
{
    const Strip &s = m_strips[size_t(c)];
    const QString channel = channelLabel(s.title->text(), s.title->toolTip());
    nameControls(channel, {{s.enable, s.enable->text()}, {s.lamp, tr("gate open")}});
    static const char *const Units[ParamCount] = {"dB", "ms", "ms"};
    static const char *const Names[ParamCount] = {QT_TR_NOOP("threshold"), QT_TR_NOOP("attack"),
                                                  QT_TR_NOOP("decay")};
    for (int p = 0; p < ParamCount; ++p)
        s.controls[size_t(p)]->setAccessibleLabel(channel + QStringLiteral(", ") + tr(Names[p]),
                                                  QString::fromLatin1(Units[p]));
}

void QGate::setInputName(int channel, const QString &name)
{
    if (channel < 0 || channel >= Channels)
        return;
    const Strip &s = m_strips[size_t(channel)];
    s.title->setToolTip(name);
    s.title->parentWidget()->setToolTip(name);
    updateAccessibleNames(channel);
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

Model::ParamId QGate::id(int c, Param p) const
{
    return Model::ParamId{m_params[size_t(p)], c, 0};
}

GateParams QGate::params(int c) const
{
    GateParams p;
    p.enable = state().isOn(Model::ParamId{m_enableParam, c, 0}) ? 1 : 0;
    p.threshold = int(state().number(id(c, Threshold)));
    p.attack = int(state().number(id(c, Attack)));
    p.decay = int(state().number(id(c, Decay)));
    return p;
}

void QGate::showParam(const Model::ParamId &changed)
{
    const int c = changed.a;
    if (c < 0 || c >= Channels)
        return;
    Strip &s = m_strips[size_t(c)];
    if (changed.param == m_openParam) {
        const bool open = state().isOn(changed);
        if (s.lamp->setOpen(open))
            emit gateState(uchar(c), open);
        return;
    }
    if (changed.param == m_enableParam) {
        setCheckedSilently(s.enable, state().isOn(changed));
        return;
    }
    const auto it = std::find(m_params.begin(), m_params.end(), changed.param);
    if (it == m_params.end())
        return;
    const auto p = Param(it - m_params.begin());
    const int value = int(state().number(changed));
    s.controls[size_t(p)]->setValue(float(value));
    if (p == Threshold)
        emit threshValue(uchar(c), value);
}

void QGate::knobEdited(Param p, float value)
{
    const int c = channelOf(sender());
    if (c < 0)
        return;
    state().setNumber(id(c, p), double(value));
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
    // The field's value is already clamped to the knob's range; the state
    // keeps it whole.
    const double before = state().number(id(c, p));
    const double value = state().setNumber(id(c, p), double(control->enteredValue()));
    if (value != before)
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
    state().setNumber(Model::ParamId{m_enableParam, c, 0}, isChecked ? 1 : 0);
    setCheckedSilently(m_strips[size_t(c)].enable, isChecked);
    sendRecord(c);
}

void QGate::threshChanged(uchar ucChannel, int value)
{
    if (ucChannel >= Channels)
        return;
    state().setNumber(id(ucChannel, Threshold), value);
    sendRecord(ucChannel);
}

void QGate::sendRecord(int c)
{
    sendWrite(state().writeFrameOf(Model::ParamId{m_enableParam, c, 0}));
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
    if (deferred().isHolding() || length != payload.size())
        return;
    if (cmd == State || cmd == Record)
        state().apply(Proto::OpBlock, Module, cmd, flag, payload);
}
