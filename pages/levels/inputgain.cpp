#include "pages/levels/inputgain.h"

namespace InputGain {

namespace {
const float Steps[StepCount] = {0, 5, 10, 15, 20, 25, 30, 40, 50};
}

float stepDb(int step)
{
    return Steps[qBound(0, step, StepCount - 1)];
}

Split split(float total, bool lineMode)
{
    if (lineMode)
        return {0, total};
    for (int i = HighestChosenStep; i > 0; --i)
        if (total >= Steps[i])
            return {quint8(i), total - Steps[i]};
    return {0, total};
}

quint8 sanitizeStep(quint8 step)
{
    return step > 8 ? quint8(HighestChosenStep) : step;
}

} // namespace InputGain
