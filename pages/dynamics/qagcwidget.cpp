#include "pages/dynamics/qagcwidget.h"

#include "pages/dynamics/qagcgraph.h"
#include "pages/knobfield.h"
#include "widgets/appfont.h"

#include <QLabel>

namespace {
// The single pending entry: every edit sends the whole record.
constexpr int RecordKey = 0;

// The record's fields: the switch, then the parameters in Param order.
constexpr int fieldOf(QAGCWidget::Param p)
{
    return 1 + int(p);
}

ChannelRecordConfig agcConfig()
{
    ChannelRecordConfig c;
    c.module = QAGCWidget::Module;
    c.recordCmd = Proto::AgcCmd::Record;
    c.copyCmd = Proto::AgcCmd::Copy;
    c.resetCmd = Proto::AgcCmd::Reset;
    c.enablePath = "input.#.agc.enable";
    c.holdTicks = 50;
    c.outputs = false;
    c.copyToOutputs = false;
    c.objectName = "agcWidget";
    return c;
}

} // namespace

QAGCWidget::QAGCWidget(QWidget *parent)
    : ChannelRecordPage(agcConfig(), parent), m_graph(new QAGCGraph(this))
{
    setChart(m_graph);
    for (QLabel *&caption : m_captions)
        caption = new QLabel(this);
    // Threshold, target and ratio knobs hold tenths.
    m_fields[Threshold] = addParameter(m_captions[Threshold], fieldOf(Threshold), 10.0f, "%0.1f");
    m_fields[Target] = addParameter(m_captions[Target], fieldOf(Target), 10.0f, "%0.1f");
    m_fields[Ratio] = addParameter(m_captions[Ratio], fieldOf(Ratio), 10.0f, "%0.1f");
    m_fields[Attack] = addParameter(m_captions[Attack], fieldOf(Attack), 1.0f, "%.0f");
    m_fields[Decay] = addParameter(m_captions[Decay], fieldOf(Decay), 1.0f, "%.0f");
    showAll();

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
    m_captions[Threshold]->setToolTip(tr("Threshold: signals below this level are not raised"));
    m_captions[Ratio]->setToolTip(tr("Ratio: how many dB of input above the threshold give one "
                                     "dB of output"));
    m_captions[Attack]->setToolTip(tr("Attack: how fast the gain falls once the threshold is "
                                      "passed"));
    m_captions[Decay]->setToolTip(tr("Decay: how fast the gain comes back once the signal falls "
                                     "below the threshold"));
    m_captions[Target]->setToolTip(tr("Target: the level the gain control holds the signal at"));
    for (QLabel *caption : m_captions)
        caption->setFont(appFont(9));
    updateAccessibleNames();
}

AgcParams QAGCWidget::params() const
{
    AgcParams p;
    p.enable = value(0) != 0;
    p.threshold = float(value(fieldOf(Threshold)));
    p.target = float(value(fieldOf(Target)));
    p.ratio = float(value(fieldOf(Ratio)));
    p.attack = int(value(fieldOf(Attack)));
    p.decay = int(value(fieldOf(Decay)));
    return p;
}

void QAGCWidget::showField(int f)
{
    const float v = float(value(f));
    if (f == 0) {
        m_graph->setBypassed(v == 0);
        return;
    }
    const auto p = Param(f - 1);
    if (p < 0 || p >= ParamCount)
        return;
    m_fields[size_t(p)]->setValue(v);
    if (p == Threshold)
        m_graph->setThreshold(v);
    else if (p == Target)
        m_graph->setTarget(v);
    else if (p == Ratio)
        m_graph->setRatio(v);
}

void QAGCWidget::takeKnob(Param p, float value)
{
    if (takeEdit(fieldOf(p), value))
        deferred().edit(RecordKey);
}

// The state keeps the threshold at or below the target, each at least the
// bottom of its range; a knob that would cross the other goes back to it.
// Levels and ratios are kept in tenths, as the fields show them; attack and
// decay whole.
void QAGCWidget::threshChanged(float value)
{
    const float threshold = tenths(value);
    const float target = float(this->value(fieldOf(Target)));
    if (threshold > target)
        m_fields[Threshold]->setValue(target);
    takeKnob(Threshold, threshold);
}

void QAGCWidget::targetChanged(float value)
{
    const float target = tenths(value);
    const float threshold = float(this->value(fieldOf(Threshold)));
    if (target < threshold)
        m_fields[Target]->setValue(threshold);
    takeKnob(Target, target);
}

void QAGCWidget::ratioChanged(float value)
{
    takeKnob(Ratio, tenths(value));
}

void QAGCWidget::attackChanged(float value)
{
    takeKnob(Attack, value);
}

void QAGCWidget::decayChanged(float value)
{
    takeKnob(Decay, value);
}

void QAGCWidget::takeText(Param p, float value)
{
    const double before = this->value(fieldOf(p));
    double kept = before;
    if (!takeEdit(fieldOf(p), value, &kept))
        return;
    if (kept != before)
        deferred().edit(RecordKey);
    else
        m_fields[size_t(p)]->showText(float(kept));
}

// The fields give the typed value clamped to the knob's range (text that is
// no number reads 0).
void QAGCWidget::threshEditingFinished()
{
    takeText(Threshold, tenths(m_fields[Threshold]->enteredValue()));
}

void QAGCWidget::targetEditingFinished()
{
    takeText(Target, tenths(m_fields[Target]->enteredValue()));
}

void QAGCWidget::ratioEditingFinished()
{
    takeText(Ratio, tenths(m_fields[Ratio]->enteredValue()));
}

void QAGCWidget::attackEditingFinished()
{
    takeText(Attack, m_fields[Attack]->enteredValue());
}

void QAGCWidget::decayEditingFinished()
{
    takeText(Decay, m_fields[Decay]->enteredValue());
}
