#include "pages/dynamics/qautomixer.h"

#include "pages/accessibility.h"

#include "model/unitstate.h"
#include "pages/dynamics/gatelamp.h"
#include "pages/knobfield.h"
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

const Model::Catalogue &catalogue()
{
    return Model::UnitState::catalogue();
}

QWidget *card(const char *objectName, QWidget *parent)
{
    auto *w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(objectName));
    w->setAttribute(Qt::WA_StyledBackground);
    return w;
}

} // namespace

QAutoMixer::QAutoMixer(QWidget *parent)
    : BlockPage(parent), m_params{catalogue().paramIndex("input.#.automixer"),
                                  catalogue().paramIndex("output.#.automixer"),
                                  catalogue().paramIndex("automixer.nom"),
                                  catalogue().paramIndex("input.#.gate.threshold"),
                                  catalogue().paramIndex("input.#.gate.open")}
{
    setObjectName(QStringLiteral("autoMixerWidget"));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 1, 1, 0);
    v->setSpacing(2);
    v->addWidget(buildInputs());
    v->addWidget(buildNomArea());
    v->addWidget(buildOutputs(), 1);

    // A threshold edited here is passed on once the knob has come to rest.
    deferred().setSender([this](int c) { emit threshChanged(uchar(c), threshold(c)); });
    connect(&state(), &Model::UnitState::changed, this, &QAutoMixer::showParam);
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
        s.autoEnable->setChecked(isAutoEnabled(c));
        connect(s.autoEnable, &QPushButton::clicked, this, &QAutoMixer::inAutoEnClick);
        s.lamp = new GateLamp(bg);
        s.lamp->setOpen(isGateOpen(c));
        s.caption = new QLabel(bg);
        s.caption->setAlignment(Qt::AlignCenter);
        s.threshold = new KnobField(bg);
        s.threshold->setFormat("%d");
        const Model::ParamDesc &threshold = catalogue().param(m_params.threshold);
        s.threshold->setRange(float(threshold.minimum), float(threshold.maximum));
        s.threshold->knob()->setSize(Knob::Small);
        s.threshold->knob()->setStep(1);
        s.threshold->edit()->setFixedWidth(40);
        s.threshold->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QString::fromLatin1(ThresholdPattern)), s.threshold));
        s.threshold->setValue(float(this->threshold(c)));
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
    m_nomBox->setCurrentIndex(nomLevel() - NomLevelMin);
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
        s.enable->setChecked(isOutputEnabled(c));
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
        s.fader->setFocusPolicy(Qt::NoFocus);

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
        s.autoEnable->setToolTip(tr("Auto enable: this input takes part in the automixer"));
        s.caption->setToolTip(tr("Threshold of the input's gate, shared with the Gate page"));
        s.caption->setFont(caption);
        s.threshold->edit()->setFont(font);
    }
    for (OutStrip &s : m_outStrips) {
        s.title->setFont(title);
        s.enable->setText(tr("Enable"));
        s.enable->setToolTip(tr("Apply the automixer's attenuation to this output"));
        s.enable->setFont(font);
        s.attenuation->setFont(font);
    }
    m_nomCaption->setText(tr("Nom level :"));
    m_micCountCaption->setText(tr("Mic counts :"));
    m_totalNomCaption->setText(tr("Total nom :"));
    const QString nom = tr("Number of open microphones: the attenuation in dB for each open "
                           "microphone beyond the first");
    m_nomCaption->setToolTip(nom);
    m_nomBox->setToolTip(nom);
    m_micCountCaption->setToolTip(tr("How many inputs' gates are open now"));
    m_totalNomCaption->setToolTip(tr("Total attenuation for the microphones open now"));
    for (QWidget *w : std::initializer_list<QWidget *>{m_nomCaption, m_nomBox, m_micCountCaption,
                                                       m_totalNomCaption})
        w->setFont(appFont(9));
    m_micCountValue->setFont(appFont(9, true));
    m_totalNomValue->setFont(appFont(9, true));
    updateAccessibleNames();
}

// The channels' names are kept as the titles' tooltips.
void QAutoMixer::updateAccessibleNames()
{
    for (const InStrip &s : m_inStrips) {
        const QString channel = channelLabel(s.title->text(), s.title->toolTip());
        nameControls(channel, {{s.autoEnable, tr("automatic mixing")}, {s.lamp, tr("gate open")}});
        s.threshold->setAccessibleLabel(channel + QStringLiteral(", ") + tr("threshold"),
                                        QStringLiteral("dB"));
    }
    for (const OutStrip &s : m_outStrips)
        nameControls(channelLabel(s.title->text(), s.title->toolTip()),
                     {{s.enable, s.enable->text()},
                      {s.attenuation, tr("attenuation")},
                      {s.fader, tr("attenuation")}});
    m_nomBox->setAccessibleName(tr("Nominal level"));
}

void QAutoMixer::setInputName(int channel, const QString &name)
{
    if (channel < 0 || channel >= Channels)
        return;
    QLabel *title = m_inStrips[size_t(channel)].title;
    title->setToolTip(name);
    title->parentWidget()->setToolTip(name);
    updateAccessibleNames();
}

void QAutoMixer::setOutputName(int channel, const QString &name)
{
    if (channel < 0 || channel >= Channels)
        return;
    QLabel *title = m_outStrips[size_t(channel)].title;
    title->setToolTip(name);
    title->parentWidget()->setToolTip(name);
    updateAccessibleNames();
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

double QAutoMixer::value(int param, int c) const
{
    return state().number(Model::ParamId{param, c, 0});
}

void QAutoMixer::showParam(const Model::ParamId &id)
{
    const int c = id.a;
    if (id.param == m_params.nom) {
        const QSignalBlocker blocker(m_nomBox);
        m_nomBox->setCurrentIndex(nomLevel() - NomLevelMin);
    } else if (c < 0 || c >= Channels) {
        return;
    } else if (id.param == m_params.autoEnable) {
        setCheckedSilently(m_inStrips[size_t(c)].autoEnable, isAutoEnabled(c));
    } else if (id.param == m_params.outputEnable) {
        setCheckedSilently(m_outStrips[size_t(c)].enable, isOutputEnabled(c));
    } else if (id.param == m_params.threshold) {
        m_inStrips[size_t(c)].threshold->setValue(float(threshold(c)));
    } else if (id.param == m_params.open) {
        m_inStrips[size_t(c)].lamp->setOpen(isGateOpen(c));
    }
}

// A knob movement always makes the threshold pending; a finished text only
// when it changed the threshold.
void QAutoMixer::takeThreshold(int c, float value)
{
    state().setNumber(Model::ParamId{m_params.threshold, c, 0}, double(value));
    deferred().markPending(c);
}

void QAutoMixer::threshChanged(float value)
{
    const int c = inputOf(sender());
    if (c >= 0)
        takeThreshold(c, value);
}

void QAutoMixer::threshEditingFinished()
{
    auto *control = qobject_cast<KnobField *>(sender());
    const int c = inputOf(control);
    if (c < 0)
        return;
    const int before = threshold(c);
    const double value = state().setNumber(Model::ParamId{m_params.threshold, c, 0},
                                           double(control->enteredValue()));
    if (int(value) != before)
        deferred().markPending(c);
    else
        control->showText(float(value));
}

void QAutoMixer::setThreshValue(uchar ucChannel, int value)
{
    if (ucChannel < Channels)
        state().setNumber(Model::ParamId{m_params.threshold, ucChannel, 0}, value);
}

void QAutoMixer::setGateOn(uchar ucChannel, bool isEnable)
{
    if (ucChannel < Channels)
        state().store(Model::ParamId{m_params.open, ucChannel, 0}, isEnable ? 1 : 0);
}

void QAutoMixer::inAutoEnClick(bool isChecked)
{
    const int c = inputOf(sender());
    if (c < 0)
        return;
    const Model::ParamId id{m_params.autoEnable, c, 0};
    state().setNumber(id, isChecked ? 1 : 0);
    setCheckedSilently(m_inStrips[size_t(c)].autoEnable, isChecked);
    sendWrite(state().writeFrameOf(id));
}

void QAutoMixer::outEnableClick(bool isChecked)
{
    const int c = outputOf(sender());
    if (c < 0)
        return;
    const Model::ParamId id{m_params.outputEnable, c, 0};
    state().setNumber(id, isChecked ? 1 : 0);
    setCheckedSilently(m_outStrips[size_t(c)].enable, isChecked);
    sendWrite(state().writeFrameOf(id));
}

void QAutoMixer::NomLevelChange(int index)
{
    if (index < 0)
        return;
    const Model::ParamId id{m_params.nom, 0, 0};
    state().setNumber(id, NomLevelMin + index);
    sendWrite(state().writeFrameOf(id));
}

void QAutoMixer::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    if (length != payload.size() || (cmd != AutoEnable && cmd != OutEnable && cmd != NomLevel))
        return;
    // The counts follow the nom level's answer (the last of a refresh).
    if (state().apply(Proto::OpBlock, Module, cmd, flag, payload) && cmd == NomLevel)
        recompute();
}

void QAutoMixer::recompute()
{
    int open = 0;
    for (int c = 0; c < Channels; ++c)
        if (isGateOpen(c) && isAutoEnabled(c))
            ++open;
    m_micCount = open;
    m_totalNom = open > 1 ? (open - 1) * nomLevel() : 0;
    m_micCountValue->setText(QString::number(open));
    m_totalNomValue->setText(dbText(-m_totalNom));
    for (int c = 0; c < Channels; ++c) {
        const int attenuation = isOutputEnabled(c) ? -m_totalNom : 0;
        if (attenuation == m_attenuation[size_t(c)])
            continue;
        m_attenuation[size_t(c)] = attenuation;
        m_outStrips[size_t(c)].attenuation->setText(dbText(attenuation));
        m_outStrips[size_t(c)].fader->setValue(float(attenuation));
    }
}
