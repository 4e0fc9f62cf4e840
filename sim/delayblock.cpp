#include "sim/delayblock.h"

#include "protocol/commands.h"

#include <cmath>

using Proto::DelayCmd::Delay;

DelayBlock::DelayBlock(quint8 module, float maxMs) : m_module(module), m_maxMs(maxMs)
{
    m_table.addParam(Delay, Delay, Le::bytes(0.0f));
}

float DelayBlock::delay(int channel) const
{
    return m_table.get<float>(Delay, channel);
}

void DelayBlock::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    if (f.flag == Proto::FlagRead) {
        const QByteArray a = m_table.read(f.cmd);
        if (!a.isNull())
            out.append({Proto::OpBlock, m_module, f.cmd, Proto::FlagAnswer, a});
        return;
    }
    if (f.flag != Proto::FlagWrite || f.cmd != Delay || f.payload.size() != 5)
        return;
    const float ms = Le::get<float>(f.payload, 1);
    if (!std::isfinite(ms))
        return;
    m_table.write(Delay, f.payload.left(1) + Le::bytes(qBound(0.0f, ms, m_maxMs)));
}
