#include "sim/levelblocks.h"

#include "protocol/lebytes.h"
#include "sim/simmodel.h"

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
    using namespace Proto::InLevelCmd;
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
    using namespace Proto::PreMixCmd;
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
    using namespace Proto::OutLevelCmd;
    ChannelBlock b;
    b.addParam(Mute, Mute, u8(0));
    b.addParam(Gain, Gain, Le::bytes(0.0f));
    b.addParam(Invert, Invert, u8(0));
    b.addParam(Group, Group, u8(0));
    b.addParam(Limits, 0, Le::bytes(12.0f, -56.0f));
    return b;
}

LevelBlock::LevelBlock(quint8 module, ChannelBlock table, const SimModel &model)
    : m_module(module), m_table(std::move(table)), m_model(model)
{
}

QByteArray LevelBlock::saveState() const
{
    return m_table.save();
}

bool LevelBlock::restoreState(const QByteArray &state)
{
    return m_table.restore(state);
}

void LevelBlock::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    using namespace Proto;
    ChannelBlock &b = m_table;
    if (f.flag == FlagWrite) {
        const bool isPre = m_module == Module::PreMixLevel;
        const bool isOut = m_module == Module::OutputLevel;
        const quint8 limitsCmd = isPre ? PreMixCmd::Limits : OutLevelCmd::Limits;
        const quint8 deltaCmd = isPre ? PreMixCmd::GainDelta : OutLevelCmd::GainDelta;
        const quint8 gainCmd = isPre ? PreMixCmd::Gain : OutLevelCmd::Gain;
        const int channel = f.payload.isEmpty() ? -1 : quint8(f.payload.at(0));
        if ((isPre || isOut) && f.cmd == limitsCmd && f.payload.size() == 3 && channel < 16) {
            // Limits are written as whole dB (maximum, minimum) and read as floats.
            b.setValue(limitsCmd, channel,
                       Le::bytes(float(qint8(f.payload.at(1))), float(qint8(f.payload.at(2)))));
        } else if ((isPre || isOut) && f.cmd == deltaCmd && f.payload.size() == 5 && channel < 16) {
            const float gain = b.get<float>(gainCmd, channel) + Le::get<float>(f.payload, 1);
            b.set<float>(gainCmd, channel, qBound(-56.0f, gain, 12.0f));
        } else {
            b.write(f.cmd, f.payload);
        }
        return;
    }
    if (f.flag != FlagRead)
        return;

    // Meter reads are computed; everything else comes from the parameter table.
    QByteArray a;
    qint8 (SimModel::*meter)(int) const = nullptr;
    if (m_module == Module::InputLevel && f.cmd == InLevelCmd::Meter)
        meter = &SimModel::inputMeter;
    else if (m_module == Module::PreMixLevel && f.cmd == PreMixCmd::Meter)
        meter = &SimModel::preMixMeter;
    else if (m_module == Module::OutputLevel && f.cmd == OutLevelCmd::Meter)
        meter = &SimModel::outputMeter;
    else if (m_module == Module::OutputLevel && f.cmd == OutLevelCmd::PreMeter)
        meter = &SimModel::outputPreMeter;
    if (meter) {
        for (int c = 0; c < ChannelBlock::Channels; ++c)
            a.append(char((m_model.*meter)(c)));
    } else {
        a = b.read(f.cmd);
        if (a.isNull())
            return;
    }
    out.append({OpBlock, m_module, f.cmd, FlagAnswer, a});
}
