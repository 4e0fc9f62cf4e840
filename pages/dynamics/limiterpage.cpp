#include "pages/dynamics/limiterpage.h"

#include "pages/dynamics/qtlimitctrl.h"
#include "pages/knobfield.h"
#include "widgets/appfont.h"

#include <QLabel>
#include <QRegularExpressionValidator>

namespace {
// -100 .. -0 with at most one decimal, or 0 written as "0", "0.", ".0", "0.0".
const char ThresholdPattern[] = "(^-(100|[1-9]?\\d(\\.\\d{1})?))|(^(0?\\.?0?))$";
const char RatioPattern[] = "100|([0-9]{0,2})";

// The record's fields: the switch, then the parameters in Param order.
constexpr int fieldOf(LimiterPage::Param p)
{
    return 1 + int(p);
}
} // namespace

LimiterPage::LimiterPage(const ChannelRecordConfig &config, QWidget *parent)
    : ChannelRecordPage(config, parent), m_chart(new qtLimitCtrl(this))
{
    setChart(m_chart);
    for (QLabel *&caption : m_captions)
        caption = new QLabel(this);
    // The threshold knob holds tenths of a dB.
    m_fields[Threshold] = addParameter(m_captions[Threshold], fieldOf(Threshold), 10.0f, "%0.1f");
    m_fields[Ratio] = addParameter(m_captions[Ratio], fieldOf(Ratio), 1.0f, "%.0f");
    m_fields[Attack] = addParameter(m_captions[Attack], fieldOf(Attack), 1.0f, "%.0f");
    m_fields[Decay] = addParameter(m_captions[Decay], fieldOf(Decay), 1.0f, "%.0f");
    KnobField *threshold = m_fields[Threshold];
    threshold->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(ThresholdPattern)), threshold));
    m_fields[Ratio]->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(RatioPattern)), m_fields[Ratio]));
    showAll();

    connect(m_fields[Threshold], &KnobField::knobMoved, this, &LimiterPage::threshChanged);
    connect(m_fields[Ratio], &KnobField::knobMoved, this, &LimiterPage::ratioChanged);
    connect(m_fields[Attack], &KnobField::knobMoved, this, &LimiterPage::attackChanged);
    connect(m_fields[Decay], &KnobField::knobMoved, this, &LimiterPage::decayChanged);
    connect(m_fields[Threshold], &KnobField::textEntered, this,
            &LimiterPage::threshEditingFinished);
    connect(m_fields[Ratio], &KnobField::textEntered, this, &LimiterPage::ratioEditingFinished);
    connect(m_fields[Attack], &KnobField::textEntered, this, &LimiterPage::attackEditingFinished);
    connect(m_fields[Decay], &KnobField::textEntered, this, &LimiterPage::decayEditingFinished);

    LimiterPage::retranslate();
}

void LimiterPage::retranslate()
{
    ChannelRecordPage::retranslate();
    m_captions[Threshold]->setText(tr("Thresh(dB)"));
    m_captions[Ratio]->setText(tr("Ratio"));
    m_captions[Attack]->setText(tr("Attack(ms)"));
    m_captions[Decay]->setText(tr("Decay(ms)"));
    m_captions[Threshold]->setToolTip(tr("Threshold: the level above which the gain is reduced"));
    m_captions[Ratio]->setToolTip(tr("Ratio: how many dB of input above the threshold give one "
                                     "dB of output"));
    m_captions[Attack]->setToolTip(tr("Attack: how fast the gain falls once the threshold is "
                                      "passed"));
    m_captions[Decay]->setToolTip(tr("Decay: how fast the gain comes back once the signal falls "
                                     "below the threshold"));
    for (QLabel *caption : m_captions)
        caption->setFont(appFont(9));
    updateAccessibleNames();
}

LimiterParams LimiterPage::params() const
{
    LimiterParams p;
    p.enable = value(0) != 0;
    p.threshold = float(value(fieldOf(Threshold)));
    p.ratio = int(value(fieldOf(Ratio)));
    p.attack = int(value(fieldOf(Attack)));
    p.decay = int(value(fieldOf(Decay)));
    return p;
}

void LimiterPage::showField(int f)
{
    const double v = value(f);
    if (f == 0) {
        m_chart->setBypassed(v == 0);
        return;
    }
    const auto p = Param(f - 1);
    if (p < 0 || p >= ParamCount)
        return;
    m_fields[size_t(p)]->setValue(float(v));
    if (p == Threshold)
        m_chart->setThreshold(v);
    else if (p == Ratio)
        m_chart->setRatio(v);
}

void LimiterPage::takeKnob(Param p, float value)
{
    if (takeEdit(fieldOf(p), value))
        deferred().edit(p);
}

// The state keeps ratio, attack and decay whole; the page keeps a threshold
// in tenths of a dB, as the field shows it.
void LimiterPage::threshChanged(float value)
{
    takeKnob(Threshold, tenths(value));
}

void LimiterPage::ratioChanged(float value)
{
    takeKnob(Ratio, value);
}

void LimiterPage::attackChanged(float value)
{
    takeKnob(Attack, value);
}

void LimiterPage::decayChanged(float value)
{
    takeKnob(Decay, value);
}

void LimiterPage::takeText(Param p, float value)
{
    const double before = this->value(fieldOf(p));
    double kept = before;
    if (!takeEdit(fieldOf(p), value, &kept))
        return;
    if (kept != before)
        deferred().edit(p);
    else
        m_fields[size_t(p)]->showText(float(kept));
}

// The field gives the typed value clamped to the knob's range, text that is
// no number read as 0 (so an empty ratio becomes 1).
void LimiterPage::threshEditingFinished()
{
    takeText(Threshold, tenths(m_fields[Threshold]->enteredValue()));
}

void LimiterPage::ratioEditingFinished()
{
    takeText(Ratio, m_fields[Ratio]->enteredValue());
}

void LimiterPage::attackEditingFinished()
{
    takeText(Attack, m_fields[Attack]->enteredValue());
}

void LimiterPage::decayEditingFinished()
{
    takeText(Decay, m_fields[Decay]->enteredValue());
}
