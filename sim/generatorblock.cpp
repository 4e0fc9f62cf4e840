#include "sim/generatorblock.h"

#include "protocol/commands.h"
#include "protocol/lebytes.h"

#include <cmath>

namespace {
constexpr quint8 TypeCount = 3; // pink noise, sine, white noise
constexpr int StateSize = GeneratorBlock::Channels + 4 + 1 + 4 + 1;

// A finite float from a 4-byte payload, clamped to the unit's range.
bool readFloat(const QByteArray &p, float lo, float hi, float *value)
{
    if (p.size() != 4)
        return false;
    const float v = Le::get<float>(p, 0);
    if (!std::isfinite(v))
        return false;
    *value = qBound(lo, v, hi);
    return true;
}
} // namespace

GeneratorBlock::GeneratorBlock()
{
    reset();
}

bool GeneratorBlock::feeds(int output) const
{
    return output >= 0 && output < Channels && m_outputs[size_t(output)] && !m_mute;
}

void GeneratorBlock::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    using namespace Proto;
    namespace C = GeneratorCmd;
    const QByteArray &p = f.payload;
    if (f.flag == FlagRead) {
        QByteArray a;
        switch (f.cmd) {
        case C::Outputs:
            a = QByteArray(reinterpret_cast<const char *>(m_outputs.data()), Channels);
            break;
        case C::Frequency:
            a = Le::bytes(m_frequency);
            break;
        case C::Type:
            a = QByteArray(1, char(m_type));
            break;
        case C::Gain:
            a = Le::bytes(m_gain);
            break;
        case C::Mute:
            a = QByteArray(1, char(m_mute));
            break;
        default:
            return;
        }
        out.append({OpBlock, Module::Generator, f.cmd, FlagAnswer, a});
        return;
    }
    if (f.flag != FlagWrite)
        return;
    switch (f.cmd) {
    case C::Outputs:
        if (p.size() == 2 && quint8(p.at(0)) < Channels)
            m_outputs[size_t(quint8(p.at(0)))] = p.at(1) ? 1 : 0;
        return;
    case C::Frequency:
        readFloat(p, 0.0f, 24000.0f, &m_frequency);
        return;
    case C::Type:
        if (p.size() == 1 && quint8(p.at(0)) < TypeCount)
            m_type = quint8(p.at(0));
        return;
    case C::Gain:
        readFloat(p, -70.0f, 12.0f, &m_gain);
        return;
    case C::Mute:
        if (p.size() == 1)
            m_mute = p.at(0) ? 1 : 0;
        return;
    default:
        return;
    }
}

QByteArray GeneratorBlock::saveState() const
{
    QByteArray state(reinterpret_cast<const char *>(m_outputs.data()), Channels);
    state += Le::bytes(m_frequency, m_type, m_gain, m_mute);
    return state;
}

bool GeneratorBlock::restoreState(const QByteArray &state)
{
    if (state.size() != StateSize)
        return false;
    for (int o = 0; o < Channels; ++o)
        m_outputs[size_t(o)] = state.at(o) ? 1 : 0;
    // An image from elsewhere may hold anything: keep the values in range.
    const float frequency = Le::get<float>(state, Channels);
    m_frequency = std::isfinite(frequency) ? qBound(0.0f, frequency, 24000.0f) : 1000.0f;
    const auto type = quint8(state.at(Channels + 4));
    m_type = type < TypeCount ? type : 1;
    const float gain = Le::get<float>(state, Channels + 5);
    m_gain = std::isfinite(gain) ? qBound(-70.0f, gain, 12.0f) : -30.0f;
    m_mute = state.at(Channels + 9) ? 1 : 0;
    return true;
}

void GeneratorBlock::reset()
{
    m_outputs.fill(0);
    m_frequency = 1000.0f;
    m_type = 1;
    m_gain = -30.0f;
    m_mute = 0;
}
