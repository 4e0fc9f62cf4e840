#pragma once

#include <QByteArray>

// One channel's limiter settings as the page edits them, and their 17-byte
// form on the wire: enable u8, then threshold (dB), ratio, attack (ms) and
// decay (ms) as float32, little-endian.
struct LimiterParams
{
    static constexpr int Size = 17;
    static constexpr float ThresholdMin = -100.0f;
    static constexpr float ThresholdMax = 0.0f;
    static constexpr int RatioMin = 1;
    static constexpr int RatioMax = 100; // hard limiting
    static constexpr int AttackMin = 1;
    static constexpr int AttackMax = 1000;
    static constexpr int DecayMin = 5;
    static constexpr int DecayMax = 1000;

    bool enable = false;
    float threshold = 0.0f;
    int ratio = 2;
    int attack = 1;
    int decay = 5;

    QByteArray toBytes() const;
};
