#pragma once

#include "sim/recordblock.h"

// The automatic gain control of the inputs (module 16): per channel enable u8,
// threshold, target, ratio, attack and decay as float32 (21 bytes). A copy
// carries an input mask only.
class AgcBlock final : public RecordBlock
{
public:
    static constexpr int Size = 21;

    AgcBlock();

    // The initial record: off, threshold -120 dB, target 0 dB, ratio 1,
    // attack 20 ms, decay 20 ms.
    static QByteArray defaultRecord();

protected:
    void copy(const QByteArray &payload) override;
};
