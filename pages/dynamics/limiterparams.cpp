#include "pages/dynamics/limiterparams.h"

#include "protocol/lebytes.h"

QByteArray LimiterParams::toBytes() const
{
    return Le::bytes(quint8(enable ? 1 : 0), threshold, float(ratio), float(attack), float(decay));
}
