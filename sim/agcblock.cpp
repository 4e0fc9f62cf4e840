#include "sim/agcblock.h"

#include "protocol/commands.h"
#include "protocol/lebytes.h"

AgcBlock::AgcBlock()
    : RecordBlock(Proto::Module::Agc,
                  {Proto::AgcCmd::Record, Proto::AgcCmd::Copy, Proto::AgcCmd::Reset},
                  defaultRecord())
{
}

QByteArray AgcBlock::defaultRecord()
{
    return Le::bytes(quint8(0), -120.0f, 0.0f, 1.0f, 20.0f, 20.0f);
}

void AgcBlock::copy(const QByteArray &payload)
{
    // channel u8, input mask u16
    if (payload.size() != 3)
        return;
    const QByteArray source = record(quint8(payload.at(0)));
    const auto inputMask = Le::get<quint16>(payload, 1);
    for (int c = 0; c < Channels; ++c)
        if (inputMask >> c & 1)
            setRecord(c, source);
}
