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

    const AgcParams &params() const { return m_params; }
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
    QByteArray record() const override;
    void applyRecord(const AnswerReader &answer) override;
    void setEnable(bool on) override;

private:
    // Each stores the value when it differs and shows it; true when it did.
    bool setThreshold(float value);
    bool setTarget(float value);
    bool setRatio(float value);
    bool setAttack(int value);
    bool setDecay(int value);
    void takeText(Param p, bool changed, float shown);

    AgcParams m_params;
    QAGCGraph *m_graph;
    std::array<KnobField *, ParamCount> m_fields{};
    std::array<QLabel *, ParamCount> m_captions{};
};
