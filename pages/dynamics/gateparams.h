#pragma once

#include <QByteArray>

// One channel's gate settings as the unit stores them: a 13-byte record,
// packed, little-endian (enable u8, then threshold, attack and decay as
// float32 values that hold whole numbers).
struct GateParams
{
    static constexpr int Size = 13;
    static constexpr int ThresholdMin = -120, ThresholdMax = 0;
    static constexpr int AttackMin = 1, AttackMax = 1000;
    static constexpr int DecayMin = 20, DecayMax = 1000;

    quint8 enable = 1;
    int threshold = -65; // dB
    int attack = 1;      // ms
    int decay = 20;      // ms

    QByteArray bytes() const;
};
