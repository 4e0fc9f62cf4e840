#pragma once

#include "sim/recordblock.h"

// The input limiter (module 5) or the output limiter (module 13): per channel
// enable u8, threshold, ratio, attack and decay as float32 (17 bytes).
//
// A copy carries an input mask and an output mask: the source record goes to
// every input limiter and every output limiter named, so the two blocks know
// each other (linkWith()).
class LimiterBlock final : public RecordBlock
{
public:
    static constexpr int Size = 17;

    explicit LimiterBlock(quint8 module);

    // The initial record: off, 0.0 dB, ratio 2, attack 1 ms, decay 5 ms.
    static QByteArray defaultRecord();
    // Makes `inputs` and `outputs` the targets of each other's copies.
    static void linkWith(LimiterBlock &inputs, LimiterBlock &outputs);

protected:
    void copy(const QByteArray &payload) override;

private:
    LimiterBlock *m_inputs = nullptr;
    LimiterBlock *m_outputs = nullptr;
};
