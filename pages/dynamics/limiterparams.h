#pragma once

// One channel's limiter settings as values: threshold in dB, ratio (100: hard
// limiting), attack and decay in ms.
struct LimiterParams
{
    bool enable = false;
    float threshold = 0.0f;
    int ratio = 2;
    int attack = 1;
    int decay = 5;
};
