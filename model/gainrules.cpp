#include "model/gainrules.h"

namespace GainRules {

float clampLevel(float gain, int lowerLimit, int upperLimit)
{
    return gain > float(upperLimit) ? float(upperLimit) : qMax(float(lowerLimit), gain);
}

float levelOnWire(float gain)
{
    return gain <= LevelMin ? LevelOff : gain;
}

int clampCrosspoint(int gain)
{
    return qBound(CrosspointMin, gain, CrosspointMax);
}

qint8 crosspointOnWire(int gain)
{
    return qint8(gain <= CrosspointMin ? CrosspointOff : clampCrosspoint(gain));
}

} // namespace GainRules
