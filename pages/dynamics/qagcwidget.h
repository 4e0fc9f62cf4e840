#pragma once

#include "pages/dynamics/agcparams.h"
#include "pages/dynamics/channelrecordpage.h"
#include "protocol/commands.h"

#include <array>

class QAGCGraph;

// The automatic gain control of the 16 inputs: threshold, target, ratio,
// attack and decay on knobs with text fields, the enable switch and the gain
// graph. The threshold never exceeds the target: a knob or field that would
// cross the other is held at it. Any edit makes the one record pending.
class QAGCWidget final : public ChannelRecordPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QAGCWidget)

public:
    static constexpr quint8 Module = Proto::Module::Agc;

    enum Param
    {
        Threshold,
        Target,
        Ratio,
        Attack,
        Decay,
        ParamCount
    };

    explicit QAGCWidget(QWidget *parent = nullptr);

    // A view of the current channel's values in the state.
    AgcParams params() const;
    KnobField *field(Param p) const { return m_fields[size_t(p)]; }
    QAGCGraph *graph() const { return m_graph; }

public slots:
    void threshChanged(float value);
    void targetChanged(float value);
    void ratioChanged(float value);
    void attackChanged(float value);
    void decayChanged(float value);
    void threshEditingFinished();
    void targetEditingFinished();
    void ratioEditingFinished();
    void attackEditingFinished();
    void decayEditingFinished();

protected:
    void retranslate() override;
    void showField(int field) override;

private:
    // A knob movement: kept, and the record made pending.
    void takeKnob(Param p, float value);
    // A finished text edit: kept, and the record made pending only when it
    // changed.
    void takeText(Param p, float value);

    QAGCGraph *m_graph;
    std::array<KnobField *, ParamCount> m_fields{};
    std::array<QLabel *, ParamCount> m_captions{};
};
