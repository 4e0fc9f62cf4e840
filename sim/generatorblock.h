#pragma once

#include "sim/simblock.h"

#include <array>

// The test signal generator of the simulated unit (op 3, module 9): the
// outputs it feeds, frequency, signal type, level and mute. Apart from the
// output switches its values carry no channel byte.
class GeneratorBlock final : public SimBlock
{
public:
    static constexpr int Channels = 16;

    GeneratorBlock();

    bool feeds(int output) const;
    bool isMuted() const { return m_mute != 0; }
    float frequency() const { return m_frequency; }
    quint8 type() const { return m_type; }
    // Level in dB.
    float gain() const { return m_gain; }

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    QByteArray saveState() const override;
    bool restoreState(const QByteArray &state) override;
    void reset() override;

private:
    std::array<quint8, Channels> m_outputs{};
    float m_frequency = 1000.0f;
    quint8 m_type = 1; // sine
    float m_gain = -30.0f;
    quint8 m_mute = 0;
};
