#pragma once

#include <QByteArray>

// One channel's automatic gain control settings as the page edits them, and
// their 21-byte form on the wire: enable u8, then threshold (dB), target (dB),
// ratio, attack (ms) and decay (ms) as float32, little-endian. The threshold
// never exceeds the target.
struct AgcParams
{
    static constexpr int Size = 21;
    static constexpr float LevelMin = -120.0f; // threshold and target
    static constexpr float LevelMax = 0.0f;
    static constexpr float RatioMin = 1.0f;
    static constexpr float RatioMax = 100.0f;
    static constexpr int TimeMin = 20; // attack and decay, ms
    static constexpr int TimeMax = 1000;

    bool enable = false;
    float threshold = -120.0f;
    float target = 0.0f;
    float ratio = 1.0f;
    int attack = 20;
    int decay = 20;

    QByteArray toBytes() const;
};
