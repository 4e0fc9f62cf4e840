#include "dapctl/unittarget.h"

QString UnitTarget::describe() const
{
    if (machineid == 0)
        return address.toString();
    return QStringLiteral("unit %1 (%2)").arg(machineid).arg(address.toString());
}
