#include "sim/levelblocks.h"

#include "protocol/lebytes.h"

namespace {
QByteArray u8(quint8 v)
{
    return QByteArray(1, char(v));
}
} // namespace

float preampStepDb(int index)
{
    static const float steps[] = {0, 5, 10, 15, 20, 25, 30, 40, 50};
    return steps[qBound(0, index, 8)];
}

ChannelBlock makeInputLevelBlock()
{
    using namespace InLevelCmd;
    ChannelBlock b;
    b.addParam(Mute, Mute, u8(0));
    b.addParam(Gain, Gain, Le::bytes(0.0f));
    b.addParam(Mode, Mode, u8(1));
    b.addParam(Phantom, Phantom, u8(0));
    b.addParam(Step, Step, u8(0));
    return b;
}

ChannelBlock makePreMixLevelBlock()
{
    using namespace PreMixCmd;
    ChannelBlock b;
    b.addParam(Mute, Mute, u8(0));
    b.addParam(Gain, Gain, Le::bytes(0.0f));
    b.addParam(Invert, Invert, u8(0));
    b.addParam(Group, Group, u8(0));
    b.addParam(Limits, 0, Le::bytes(12.0f, -56.0f)); // written as two i8 values
    b.addParam(Priority, Priority, u8(0));
    return b;
}

ChannelBlock makeOutputLevelBlock()
{
    using namespace OutLevelCmd;
    ChannelBlock b;
    b.addParam(Mute, Mute, u8(0));
    b.addParam(Gain, Gain, Le::bytes(0.0f));
    b.addParam(Invert, Invert, u8(0));
    b.addParam(Group, Group, u8(0));
    b.addParam(Limits, 0, Le::bytes(12.0f, -56.0f));
    return b;
}
