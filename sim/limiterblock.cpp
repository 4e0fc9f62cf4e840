#include "sim/limiterblock.h"

#include "protocol/commands.h"
#include "protocol/lebytes.h"

LimiterBlock::LimiterBlock(quint8 module)
    : RecordBlock(module,
                  {Proto::LimiterCmd::Record, Proto::LimiterCmd::Copy, Proto::LimiterCmd::Reset},
                  defaultRecord())
{
    // Until linkWith() a copy reaches the block's own channels only.
    if (module == Proto::Module::OutputLimiter)
        m_outputs = this;
    else
        m_inputs = this;
}

QByteArray LimiterBlock::defaultRecord()
{
    return Le::bytes(quint8(0), 0.0f, 2.0f, 1.0f, 5.0f);
}

void LimiterBlock::linkWith(LimiterBlock &inputs, LimiterBlock &outputs)
{
    for (LimiterBlock *b : {&inputs, &outputs}) {
        b->m_inputs = &inputs;
        b->m_outputs = &outputs;
    }
}

void LimiterBlock::copy(const QByteArray &payload)
{
    // channel u8, input mask u16, output mask u16
    if (payload.size() != 5)
        return;
    const QByteArray source = record(quint8(payload.at(0)));
    const auto inputMask = Le::get<quint16>(payload, 1);
    const auto outputMask = Le::get<quint16>(payload, 3);
    for (int c = 0; c < Channels; ++c) {
        if (m_inputs && (inputMask >> c & 1))
            m_inputs->setRecord(c, source);
        if (m_outputs && (outputMask >> c & 1))
            m_outputs->setRecord(c, source);
    }
}
