#include "pages/dynamics/gateparams.h"

#include "protocol/lebytes.h"

QByteArray GateParams::bytes() const
{
    return Le::bytes(enable, float(threshold), float(attack), float(decay));
}
