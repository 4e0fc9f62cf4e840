#include "pages/dynamics/agccurve.h"

QVector<QPointF> agcCurve(double threshold, double target, double ratio, bool bypassed,
                          double minimum, double maximum)
{
    if (bypassed || !(ratio > 1.0))
        return {{minimum, minimum}, {maximum, maximum}};
    return {{minimum, minimum},
            {threshold, threshold},
            {threshold, target - (target - threshold) / ratio},
            {maximum, target + (maximum - target) / ratio}};
}
