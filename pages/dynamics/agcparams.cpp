#include "pages/dynamics/agcparams.h"

#include "protocol/lebytes.h"

QByteArray AgcParams::toBytes() const
{
    return Le::bytes(quint8(enable ? 1 : 0), threshold, target, ratio, float(attack), float(decay));
}
