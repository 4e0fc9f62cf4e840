#pragma once

#include "pages/dynamics/channelrecordpage.h"
#include "pages/dynamics/limiterparams.h"

#include <array>

class qtLimitCtrl;

// The limiter page design behind QInLimiter and QOutLimiter: threshold,
// ratio, attack and decay on knobs with text fields, the enable switch, and
// the transfer chart of the current settings. Each parameter has its own
// pending send; whichever expires sends the whole record.
class LimiterPage : public ChannelRecordPage
{
    Q_OBJECT
    Q_DISABLE_COPY(LimiterPage)

public:
    // The parameters, also their pending-send keys (in the order they send).
    enum Param
    {
        Threshold,
        Ratio,
        Attack,
        Decay,
        ParamCount
    };

    // A view of the current channel's values in the state.
    LimiterParams params() const;
    KnobField *field(Param p) const { return m_fields[size_t(p)]; }
    qtLimitCtrl *chart() const { return m_chart; }

public slots:
    void threshChanged(float value);
    void ratioChanged(float value);
    void attackChanged(float value);
    void decayChanged(float value);
    void threshEditingFinished();
    void ratioEditingFinished();
    void attackEditingFinished();
    void decayEditingFinished();

protected:
    LimiterPage(const ChannelRecordConfig &config, QWidget *parent);
    void retranslate() override;

    void showField(int field) override;

private:
    // A knob movement: kept and made pending, even when the value it gives is
    // the one already held.
    void takeKnob(Param p, float value);
    // A finished text edit: kept, and made pending only when it changed.
    void takeText(Param p, float value);

    qtLimitCtrl *m_chart;
    std::array<KnobField *, ParamCount> m_fields{};
    std::array<QLabel *, ParamCount> m_captions{};
};
