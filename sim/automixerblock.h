#pragma once

#include "sim/channelblock.h"
#include "sim/simblock.h"

// The automatic mixer (module 10): which inputs take part, which outputs it
// attenuates (one flag per channel each), and the attenuation step per
// additional open microphone (1..5 dB).
class AutoMixerBlock final : public SimBlock
{
public:
    static constexpr quint8 DefaultNomLevel = 3;

    AutoMixerBlock();

    ChannelBlock &table() { return m_table; }
    const ChannelBlock &table() const { return m_table; }
    quint8 nomLevel() const { return m_nomLevel; }

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    QByteArray saveState() const override;
    bool restoreState(const QByteArray &state) override;
    void reset() override;

private:
    ChannelBlock m_table;
    quint8 m_nomLevel = DefaultNomLevel;
};
