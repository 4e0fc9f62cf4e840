#include "sim/ancblock.h"

#include "protocol/commands.h"

void AncBlock::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    using namespace Proto;
    if (f.cmd != AncCmd::State)
        return;
    if (f.flag == FlagRead && f.payload.isEmpty())
        out.append({OpBlock, Module::Anc, f.cmd, FlagAnswer, saveState()});
    else if (f.flag == FlagWrite)
        set(f.payload);
}

bool AncBlock::set(const QByteArray &bytes)
{
    if (bytes.size() != 2 || quint8(bytes.at(0)) >= Outputs || quint8(bytes.at(1)) >= Levels)
        return false;
    m_channel = quint8(bytes.at(0));
    m_level = quint8(bytes.at(1));
    return true;
}

QByteArray AncBlock::saveState() const
{
    QByteArray state(2, '\0');
    state[0] = char(m_channel);
    state[1] = char(m_level);
    return state;
}

bool AncBlock::restoreState(const QByteArray &state)
{
    return set(state);
}

void AncBlock::reset()
{
    m_channel = 0;
    m_level = 0;
}
