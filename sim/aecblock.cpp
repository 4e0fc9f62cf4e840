#include "sim/aecblock.h"

#include "protocol/commands.h"
#include "sim/systemstate.h"

AecBlock::AecBlock(const SystemState &system) : m_system(system) {}

void AecBlock::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    using namespace Proto;
    if (f.cmd != AecCmd::Enable)
        return;
    if (!m_system.aecSupport) {
        if (f.flag == FlagRead)
            out.append({OpBlock, Module::Aec, f.cmd, FlagRefused, QByteArray()});
        return;
    }
    if (f.flag == FlagRead && f.payload.isEmpty())
        out.append({OpBlock, Module::Aec, f.cmd, FlagAnswer, QByteArray(1, char(m_enable))});
    else if (f.flag == FlagWrite && f.payload.size() == 1)
        m_enable = f.payload.at(0) ? 1 : 0;
}

QByteArray AecBlock::saveState() const
{
    return QByteArray(1, char(m_enable));
}

bool AecBlock::restoreState(const QByteArray &state)
{
    if (state.size() != 1)
        return false;
    m_enable = state.at(0) ? 1 : 0;
    return true;
}
