#pragma once

#include "sim/channelblock.h"
#include "sim/simblock.h"

// The feedback suppressor (module 3): one switch per input, read as 16 bytes
// and written one input at a time.
class FeedbackBlock final : public SimBlock
{
public:
    FeedbackBlock();

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    QByteArray saveState() const override { return m_table.save(); }
    bool restoreState(const QByteArray &state) override { return m_table.restore(state); }
    void reset() override { m_table.reset(); }

    quint8 enable(int channel) const;

private:
    ChannelBlock m_table;
};
