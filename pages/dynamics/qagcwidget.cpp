#include "pages/dynamics/qagcwidget.h"

#include "pages/dynamics/qagcgraph.h"
#include "pages/knobfield.h"
#include "protocol/answerreader.h"
#include "widgets/appfont.h"

#include <QLabel>

#include <cmath>

namespace {
// The single pending entry: every edit sends the whole record.
constexpr int RecordKey = 0;

// Record offsets within an answer (after the channel byte).
constexpr int EnableAt = 1;
constexpr int ThresholdAt = 2;
constexpr int TargetAt = 6;
constexpr int RatioAt = 10;
constexpr int AttackAt = 14;
constexpr int DecayAt = 18;

ChannelRecordConfig agcConfig()
{
    ChannelRecordConfig c;
    c.module = QAGCWidget::Module;
    c.recordCmd = Proto::AgcCmd::Record;
    c.copyCmd = Proto::AgcCmd::Copy;
    c.resetCmd = Proto::AgcCmd::Reset;
    c.recordSize = AgcParams::Size;
    c.holdTicks = 50;
    c.outputs = false;
    c.copyToOutputs = false;
    c.objectName = "agcWidget";
    return c;
}

int whole(float value)
{
    return qBound(AgcParams::TimeMin, int(std::trunc(value)), AgcParams::TimeMax);
}
} // namespace

QAGCWidget::QAGCWidget(QWidget *parent)
    : ChannelRecordPage(agcConfig(), parent), m_graph(new QAGCGraph(this))
{
    using P = AgcParams;
    m_graph->setThreshold(m_params.threshold);
    m_graph->setTarget(m_params.target);
    m_graph->setRatio(m_params.ratio);
    m_graph->setBypassed(!m_params.enable);
    setChart(m_graph);

    for (QLabel *&caption : m_captions)
        caption = new QLabel(this);
    // Threshold, target and ratio knobs hold tenths.
    m_fields[Threshold] =
        addParameter(m_captions[Threshold], P::LevelMin, P::LevelMax, 10.0f, "%0.1f");
    m_fields[Target] = addParameter(m_captions[Target], P::LevelMin, P::LevelMax, 10.0f, "%0.1f");
    m_fields[Ratio] = addParameter(m_captions[Ratio], P::RatioMin, P::RatioMax, 10.0f, "%0.1f");
    m_fields[Attack] = addParameter(m_captions[Attack], P::TimeMin, P::TimeMax, 1.0f, "%.0f");
    m_fields[Decay] = addParameter(m_captions[Decay], P::TimeMin, P::TimeMax, 1.0f, "%.0f");
    m_fields[Threshold]->setValue(m_params.threshold);
    m_fields[Target]->setValue(m_params.target);
    m_fields[Ratio]->setValue(m_params.ratio);
    m_fields[Attack]->setValue(float(m_params.attack));
    m_fields[Decay]->setValue(float(m_params.decay));

    connect(m_fields[Threshold], &KnobField::knobMoved, this, &QAGCWidget::threshChanged);
    connect(m_fields[Target], &KnobField::knobMoved, this, &QAGCWidget::targetChanged);
    connect(m_fields[Ratio], &KnobField::knobMoved, this, &QAGCWidget::ratioChanged);
    connect(m_fields[Attack], &KnobField::knobMoved, this, &QAGCWidget::attackChanged);
    connect(m_fields[Decay], &KnobField::knobMoved, this, &QAGCWidget::decayChanged);
    connect(m_fields[Threshold], &KnobField::textEntered, this, &QAGCWidget::threshEditingFinished);
    connect(m_fields[Target], &KnobField::textEntered, this, &QAGCWidget::targetEditingFinished);
    connect(m_fields[Ratio], &KnobField::textEntered, this, &QAGCWidget::ratioEditingFinished);
    connect(m_fields[Attack], &KnobField::textEntered, this, &QAGCWidget::attackEditingFinished);
    connect(m_fields[Decay], &KnobField::textEntered, this, &QAGCWidget::decayEditingFinished);

    QAGCWidget::retranslate();
}

void QAGCWidget::retranslate()
{
    ChannelRecordPage::retranslate();
    m_captions[Threshold]->setText(tr("Thresh(dB)"));
    m_captions[Target]->setText(tr("Target(dB)"));
    m_captions[Ratio]->setText(tr("Ratio"));
    m_captions[Attack]->setText(tr("Attack(ms)"));
    m_captions[Decay]->setText(tr("Decay(ms)"));
    for (QLabel *caption : m_captions)
        caption->setFont(appFont(9));
}

QByteArray QAGCWidget::record() const
{
    return m_params.toBytes();
}

bool QAGCWidget::setThreshold(float value)
{
    if (value == m_params.threshold)
        return false;
    m_params.threshold = value;
    m_fields[Threshold]->setValue(value);
    m_graph->setThreshold(value);
    return true;
}

bool QAGCWidget::setTarget(float value)
{
    if (value == m_params.target)
        return false;
    m_params.target = value;
    m_fields[Target]->setValue(value);
    m_graph->setTarget(value);
    return true;
}

bool QAGCWidget::setRatio(float value)
{
    if (value == m_params.ratio)
        return false;
    m_params.ratio = value;
    m_fields[Ratio]->setValue(value);
    m_graph->setRatio(value);
    return true;
}

bool QAGCWidget::setAttack(int value)
{
    if (value == m_params.attack)
        return false;
    m_params.attack = value;
    m_fields[Attack]->setValue(float(value));
    return true;
}

bool QAGCWidget::setDecay(int value)
{
    if (value == m_params.decay)
        return false;
    m_params.decay = value;
    m_fields[Decay]->setValue(float(value));
    return true;
}

void QAGCWidget::setEnable(bool on)
{
    m_params.enable = on;
    m_graph->setBypassed(!on);
}

void QAGCWidget::threshChanged(float value)
{
    float threshold = tenths(value);
    if (threshold > m_params.target) {
        // Not above the target: the knob goes back to it.
        threshold = m_params.target;
        m_fields[Threshold]->setValue(threshold);
    }
    setThreshold(threshold);
    deferred().edit(RecordKey);
}

void QAGCWidget::targetChanged(float value)
{
    float target = tenths(value);
    if (target < m_params.threshold) {
        target = m_params.threshold;
        m_fields[Target]->setValue(target);
    }
    setTarget(target);
    deferred().edit(RecordKey);
}

void QAGCWidget::ratioChanged(float value)
{
    setRatio(qBound(AgcParams::RatioMin, tenths(value), AgcParams::RatioMax));
    deferred().edit(RecordKey);
}

void QAGCWidget::attackChanged(float value)
{
    setAttack(whole(value));
    deferred().edit(RecordKey);
}

void QAGCWidget::decayChanged(float value)
{
    setDecay(whole(value));
    deferred().edit(RecordKey);
}

void QAGCWidget::takeText(Param p, bool changed, float shown)
{
    if (changed)
        deferred().edit(RecordKey);
    else
        m_fields[size_t(p)]->showText(shown);
}

// The fields give the typed value clamped to the knob's range (text that is
// no number reads 0); threshold and target are further held on their side
// of each other. Typed levels and ratios keep one decimal, as shown.
void QAGCWidget::threshEditingFinished()
{
    const float value = qMin(tenths(m_fields[Threshold]->enteredValue()), m_params.target);
    takeText(Threshold, setThreshold(value), value);
}

void QAGCWidget::targetEditingFinished()
{
    const float value = qMax(tenths(m_fields[Target]->enteredValue()), m_params.threshold);
    takeText(Target, setTarget(value), value);
}

void QAGCWidget::ratioEditingFinished()
{
    const float value =
        qBound(AgcParams::RatioMin, tenths(m_fields[Ratio]->enteredValue()), AgcParams::RatioMax);
    takeText(Ratio, setRatio(value), value);
}

void QAGCWidget::attackEditingFinished()
{
    const int value = whole(m_fields[Attack]->enteredValue());
    takeText(Attack, setAttack(value), float(value));
}

void QAGCWidget::decayEditingFinished()
{
    const int value = whole(m_fields[Decay]->enteredValue());
    takeText(Decay, setDecay(value), float(value));
}

void QAGCWidget::applyRecord(const AnswerReader &a)
{
    // Field by field; a value that is no finite number leaves its field as it
    // is, and every value is brought into its control's range first. The
    // threshold and target are checked as a pair, so a consistent pair is
    // taken as it is whatever the page held before, and an inconsistent one
    // keeps the threshold at the target.
    using P = AgcParams;
    std::optional<float> threshold = a.real(ThresholdAt, P::LevelMin, P::LevelMax);
    std::optional<float> target = a.real(TargetAt, P::LevelMin, P::LevelMax);
    if (threshold)
        threshold = qMin(*threshold, target ? *target : m_params.target);
    else if (target)
        target = qMax(*target, m_params.threshold);
    if (threshold)
        setThreshold(*threshold);
    if (target)
        setTarget(*target);
    if (const auto v = a.real(RatioAt, P::RatioMin, P::RatioMax))
        setRatio(*v);
    if (const auto v = a.truncated(AttackAt, P::TimeMin, P::TimeMax))
        setAttack(*v);
    if (const auto v = a.truncated(DecayAt, P::TimeMin, P::TimeMax))
        setDecay(*v);
    const bool on = a.u8(EnableAt) != 0;
    if (on != m_params.enable) {
        setEnable(on);
        showEnable(on);
    }
}
