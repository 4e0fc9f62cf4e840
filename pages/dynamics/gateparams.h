#pragma once

#include <QtGlobal>

// One channel's gate settings as values (enable, threshold in dB, attack and
// decay in ms, all whole numbers).
struct GateParams
{
    quint8 enable = 1;
    int threshold = -65;
    int attack = 1;
    int decay = 20;
};
