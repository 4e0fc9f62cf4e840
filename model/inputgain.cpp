#include "model/inputgain.h"

namespace InputGain {

namespace {
const float Steps[StepCount] = {0, 5, 10, 15, 20, 25, 30, 40, 50};
constexpr float MicMin = 0, MicMax = 50, LineMin = -12, LineMax = 12;
} // namespace

float stepDb(int step)
{
    return Steps[qBound(0, step, StepCount - 1)];
}

float minimum(bool lineMode)
{
    return lineMode ? LineMin : MicMin;
}

float maximum(bool lineMode)
{
    return lineMode ? LineMax : MicMax;
}

float clampTotal(float total, bool lineMode)
{
    return qBound(minimum(lineMode), total, maximum(lineMode));
}

float total(quint8 step, float digital, bool lineMode)
{
    return clampTotal(stepDb(step) + digital, lineMode);
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

std::optional<Split> resetAfterModeChange(quint8 step, float digital)
{
    if (step == 0 && digital == 0.0f)
        return std::nullopt;
    return Split{0, 0.0f};
}

quint8 sanitizeStep(quint8 step)
{
    return step > 8 ? quint8(HighestChosenStep) : step;
}

} // namespace InputGain
