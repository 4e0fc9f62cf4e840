#pragma once

#include "sim/simblock.h"

struct SystemState;

// The acoustic echo canceller (module 15): one switch, no channel byte. A
// unit built without one (SystemState::aecSupport 0) refuses the read with
// flag 0x82 and ignores writes.
class AecBlock final : public SimBlock
{
public:
    explicit AecBlock(const SystemState &system);

    quint8 enable() const { return m_enable; }

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    QByteArray saveState() const override;
    bool restoreState(const QByteArray &state) override;
    void reset() override { m_enable = 0; }

private:
    const SystemState &m_system;
    quint8 m_enable = 0;
};
