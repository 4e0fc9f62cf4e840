#include "sim/simblock.h"

SimBlock::~SimBlock() = default;

QByteArray SimBlock::saveState() const
{
    return QByteArray();
}

bool SimBlock::restoreState(const QByteArray &state)
{
    return state.isEmpty();
}
