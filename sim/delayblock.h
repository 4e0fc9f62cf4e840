#pragma once

#include "sim/channelblock.h"
#include "sim/simblock.h"

// The input or output delay block (modules 6 and 14): one delay in
// milliseconds per channel, read as 16 floats and written one channel at a
// time. The unit keeps a written delay within 0..maximum and ignores one that
// is no number.
class DelayBlock final : public SimBlock
{
public:
    DelayBlock(quint8 module, float maxMs);

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    QByteArray saveState() const override { return m_table.save(); }
    bool restoreState(const QByteArray &state) override { return m_table.restore(state); }
    void reset() override { m_table.reset(); }

    float delay(int channel) const;

private:
    quint8 m_module;
    float m_maxMs;
    ChannelBlock m_table;
};
