#pragma once

#include "protocol/commands.h"
#include "sim/channelblock.h"
#include "sim/simblock.h"

class SimModel;

// Builders for the parameter tables of the level blocks.
ChannelBlock makeInputLevelBlock();
ChannelBlock makePreMixLevelBlock();
ChannelBlock makeOutputLevelBlock();

// The preamplifier steps of the input stage, in dB, by step index.
float preampStepDb(int index);

// One level block (input, pre-mix or output level): a parameter table of 16
// channels, with the pre-mix and output blocks' limit and gain-step writes,
// and meter reads computed by the model.
class LevelBlock final : public SimBlock
{
public:
    LevelBlock(quint8 module, ChannelBlock table, const SimModel &model);

    ChannelBlock &table() { return m_table; }
    const ChannelBlock &table() const { return m_table; }

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    QByteArray saveState() const override;
    bool restoreState(const QByteArray &state) override;
    void reset() override { m_table.reset(); }

private:
    quint8 m_module;
    ChannelBlock m_table;
    const SimModel &m_model;
};
