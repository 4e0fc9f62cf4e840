#pragma once

#include "sim/simblock.h"

// Noise reduction (module 17): the output it works on (0..7) and its
// strength (0 off .. 3 strongest), read and written together.
class AncBlock final : public SimBlock
{
public:
    static constexpr int Outputs = 8;
    static constexpr int Levels = 4;

    quint8 channel() const { return m_channel; }
    quint8 level() const { return m_level; }

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    QByteArray saveState() const override;
    bool restoreState(const QByteArray &state) override;
    void reset() override;

private:
    // False, and nothing changed, when either byte is out of range.
    bool set(const QByteArray &bytes);

    quint8 m_channel = 0;
    quint8 m_level = 0;
};
