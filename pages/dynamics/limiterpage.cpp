#include "pages/dynamics/limiterpage.h"

#include "pages/dynamics/qtlimitctrl.h"
#include "pages/knobfield.h"
#include "protocol/answerreader.h"
#include "widgets/appfont.h"

#include <QLabel>
#include <QRegularExpressionValidator>

#include <cmath>

namespace {
// -100 .. -0 with at most one decimal, or 0 written as "0", "0.", ".0", "0.0".
const char ThresholdPattern[] = "(^-(100|[1-9]?\\d(\\.\\d{1})?))|(^(0?\\.?0?))$";
const char RatioPattern[] = "100|([0-9]{0,2})";

// Record offsets within an answer (after the channel byte).
constexpr int EnableAt = 1;
constexpr int ThresholdAt = 2;
constexpr int RatioAt = 6;
constexpr int AttackAt = 10;
constexpr int DecayAt = 14;

int whole(float value, int minimum, int maximum)
{
    return qBound(minimum, int(std::trunc(value)), maximum);
}
} // namespace

LimiterPage::LimiterPage(const ChannelRecordConfig &config, QWidget *parent)
    : ChannelRecordPage(config, parent), m_chart(new qtLimitCtrl(this))
{
    using P = LimiterParams;
    m_chart->setThreshold(m_params.threshold);
    m_chart->setRatio(m_params.ratio);
    m_chart->setBypassed(!m_params.enable);
    setChart(m_chart);

    for (QLabel *&caption : m_captions)
        caption = new QLabel(this);
    // The threshold knob holds tenths of a dB.
    m_fields[Threshold] =
        addParameter(m_captions[Threshold], P::ThresholdMin, P::ThresholdMax, 10.0f, "%0.1f");
    m_fields[Ratio] = addParameter(m_captions[Ratio], P::RatioMin, P::RatioMax, 1.0f, "%.0f");
    m_fields[Attack] = addParameter(m_captions[Attack], P::AttackMin, P::AttackMax, 1.0f, "%.0f");
    m_fields[Decay] = addParameter(m_captions[Decay], P::DecayMin, P::DecayMax, 1.0f, "%.0f");
    KnobField *threshold = m_fields[Threshold];
    threshold->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(ThresholdPattern)), threshold));
    m_fields[Ratio]->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(RatioPattern)), m_fields[Ratio]));

    m_fields[Threshold]->setValue(m_params.threshold);
    m_fields[Ratio]->setValue(float(m_params.ratio));
    m_fields[Attack]->setValue(float(m_params.attack));
    m_fields[Decay]->setValue(float(m_params.decay));

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
    for (QLabel *caption : m_captions)
        caption->setFont(appFont(9));
}

QByteArray LimiterPage::record() const
{
    return m_params.toBytes();
}

bool LimiterPage::setThreshold(float value)
{
    if (value == m_params.threshold)
        return false;
    m_params.threshold = value;
    m_fields[Threshold]->setValue(value);
    m_chart->setThreshold(double(value));
    return true;
}

bool LimiterPage::setRatio(int value)
{
    if (value == m_params.ratio)
        return false;
    m_params.ratio = value;
    m_fields[Ratio]->setValue(float(value));
    m_chart->setRatio(value);
    return true;
}

bool LimiterPage::setAttack(int value)
{
    if (value == m_params.attack)
        return false;
    m_params.attack = value;
    m_fields[Attack]->setValue(float(value));
    return true;
}

bool LimiterPage::setDecay(int value)
{
    if (value == m_params.decay)
        return false;
    m_params.decay = value;
    m_fields[Decay]->setValue(float(value));
    return true;
}

void LimiterPage::setEnable(bool on)
{
    m_params.enable = on;
    m_chart->setBypassed(!on);
}

// A knob movement always makes its parameter pending, even when the value it
// gives is the one already held.
void LimiterPage::threshChanged(float value)
{
    setThreshold(tenths(value));
    deferred().edit(Threshold);
}

void LimiterPage::ratioChanged(float value)
{
    setRatio(whole(value, LimiterParams::RatioMin, LimiterParams::RatioMax));
    deferred().edit(Ratio);
}

void LimiterPage::attackChanged(float value)
{
    setAttack(whole(value, LimiterParams::AttackMin, LimiterParams::AttackMax));
    deferred().edit(Attack);
}

void LimiterPage::decayChanged(float value)
{
    setDecay(whole(value, LimiterParams::DecayMin, LimiterParams::DecayMax));
    deferred().edit(Decay);
}

void LimiterPage::takeText(Param p, bool changed, float shown)
{
    if (changed)
        deferred().edit(p);
    else
        m_fields[size_t(p)]->showText(shown);
}

// The field gives the typed value clamped to the knob's range, text that is
// no number read as 0 (so an empty ratio becomes 1).
void LimiterPage::threshEditingFinished()
{
    const float value = tenths(m_fields[Threshold]->enteredValue());
    takeText(Threshold, setThreshold(value), value);
}

void LimiterPage::ratioEditingFinished()
{
    const int value =
        whole(m_fields[Ratio]->enteredValue(), LimiterParams::RatioMin, LimiterParams::RatioMax);
    takeText(Ratio, setRatio(value), float(value));
}

void LimiterPage::attackEditingFinished()
{
    const int value =
        whole(m_fields[Attack]->enteredValue(), LimiterParams::AttackMin, LimiterParams::AttackMax);
    takeText(Attack, setAttack(value), float(value));
}

void LimiterPage::decayEditingFinished()
{
    const int value =
        whole(m_fields[Decay]->enteredValue(), LimiterParams::DecayMin, LimiterParams::DecayMax);
    takeText(Decay, setDecay(value), float(value));
}

void LimiterPage::applyRecord(const AnswerReader &a)
{
    // Field by field; a value that is no finite number leaves its field as it
    // is, and every value is brought into its control's range before it is
    // made whole.
    using P = LimiterParams;
    if (const auto v = a.real(ThresholdAt, P::ThresholdMin, P::ThresholdMax))
        setThreshold(*v);
    if (const auto v = a.truncated(RatioAt, P::RatioMin, P::RatioMax))
        setRatio(*v);
    if (const auto v = a.truncated(AttackAt, P::AttackMin, P::AttackMax))
        setAttack(*v);
    if (const auto v = a.truncated(DecayAt, P::DecayMin, P::DecayMax))
        setDecay(*v);
    const bool on = a.u8(EnableAt) != 0;
    if (on != m_params.enable) {
        setEnable(on);
        showEnable(on);
    }
}
