#include "sim/filterblock.h"

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "sim/simmodel.h"

#include <utility>

using namespace Proto::FilterCmd;

namespace {
// Factory settings: both cut filters off at the ends of the band, the bands
// off and flat, spread over the range, at Q index 43 (Q 6).
const float BandFrequencies[FilterBlock::Bands] = {40,  60,  80,  100, 200,  300,  400,  500,
                                                   600, 700, 800, 900, 1000, 2000, 3000, 4000};
constexpr quint8 DefaultQIndex = 43;
} // namespace

FilterBlock::FilterBlock(quint8 module, const SimModel &model)
    : m_module(module), m_model(model), m_state(defaults().repeated(Channels))
{
}

QByteArray FilterBlock::defaults()
{
    QByteArray channel = Le::bytes(quint8(0), quint8(0), quint8(0), 20.0f);
    channel += Le::bytes(quint8(0), quint8(0), quint8(0), 20000.0f);
    for (float f : BandFrequencies)
        channel += Le::bytes(quint8(0), quint8(0), f, 0.0f, DefaultQIndex);
    return channel;
}

void FilterBlock::reset()
{
    m_state = defaults().repeated(Channels);
}

QByteArray FilterBlock::saveState() const
{
    return m_state;
}

bool FilterBlock::restoreState(const QByteArray &state)
{
    if (state.size() != m_state.size())
        return false;
    m_state = state;
    return true;
}

int FilterBlock::offsetOf(quint8 cmd, int channel, int band) const
{
    if (channel < 0 || channel >= Channels)
        return -1;
    const int base = channel * ChannelSize;
    switch (cmd) {
    case HighPass:
        return base;
    case LowPass:
        return base + CutSize;
    case Band:
        return band >= 0 && band < Bands ? base + 2 * CutSize + band * BandSize : -1;
    default:
        return -1;
    }
}

QByteArray FilterBlock::highPass(int channel) const
{
    const int at = offsetOf(HighPass, channel, 0);
    return at < 0 ? QByteArray() : m_state.mid(at, CutSize);
}

QByteArray FilterBlock::lowPass(int channel) const
{
    const int at = offsetOf(LowPass, channel, 0);
    return at < 0 ? QByteArray() : m_state.mid(at, CutSize);
}

QByteArray FilterBlock::band(int channel, int band) const
{
    const int at = offsetOf(Band, channel, band);
    return at < 0 ? QByteArray() : m_state.mid(at, BandSize);
}

QByteArray FilterBlock::channelRecords(int channel) const
{
    if (channel < 0 || channel >= Channels)
        return QByteArray();
    return m_state.mid(channel * ChannelSize, ChannelSize);
}

void FilterBlock::setChannelRecords(int channel, const QByteArray &records)
{
    if (channel >= 0 && channel < Channels && records.size() == ChannelSize)
        m_state.replace(channel * ChannelSize, ChannelSize, records);
}

void FilterBlock::copy(int source, quint16 inputMask, quint16 outputMask)
{
    const QByteArray records = channelRecords(source);
    using Proto::Module::InputFilter;
    using Proto::Module::OutputFilter;
    for (const auto &[module, mask] :
         {std::pair{InputFilter, inputMask}, std::pair{OutputFilter, outputMask}}) {
        auto *target = m_model.blockAs<FilterBlock>(Proto::OpBlock, module);
        for (int c = 0; target && c < Channels; ++c)
            if (mask & (1u << c))
                target->setChannelRecords(c, records);
    }
}

void FilterBlock::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    const QByteArray &p = f.payload;
    const int channel = p.isEmpty() ? -1 : quint8(p.at(0));
    const bool isBand = f.cmd == Band;
    const int band = isBand && p.size() >= 2 ? quint8(p.at(1)) : 0;
    const int at = offsetOf(f.cmd, channel, band);
    const int size = isBand ? BandSize : CutSize;
    const int head = isBand ? 2 : 1; // channel (and band) bytes

    if (f.flag == Proto::FlagRead) {
        if (at >= 0 && p.size() >= head)
            out.append({Proto::OpBlock, m_module, f.cmd, Proto::FlagAnswer,
                        p.left(head) + m_state.mid(at, size)});
        return;
    }
    if (f.flag != Proto::FlagWrite || channel < 0 || channel >= Channels)
        return;
    if (f.cmd == Copy && p.size() == 5)
        copy(channel, Le::get<quint16>(p, 1), Le::get<quint16>(p, 3));
    else if (f.cmd == Reset && p.size() == 1)
        m_state.replace(channel * ChannelSize, ChannelSize, defaults());
    else if (at >= 0 && p.size() == head + size)
        m_state.replace(at, size, p.mid(head));
}
