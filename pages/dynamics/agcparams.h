#pragma once

// One channel's automatic gain control settings as values: threshold and
// target in dB (the threshold never above the target), ratio, attack and
// decay in ms.
struct AgcParams
{
    bool enable = false;
    float threshold = -120.0f;
    float target = 0.0f;
    float ratio = 1.0f;
    int attack = 20;
    int decay = 20;
};
