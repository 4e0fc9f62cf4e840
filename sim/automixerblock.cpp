#include "sim/automixerblock.h"

#include "protocol/commands.h"

using namespace Proto::AutoMixerCmd;

namespace {
bool validNomLevel(int level)
{
    return level >= 1 && level <= 5;
}
} // namespace

AutoMixerBlock::AutoMixerBlock()
{
    m_table.addParam(AutoEnable, AutoEnable, QByteArray(1, '\0'));
    m_table.addParam(OutEnable, OutEnable, QByteArray(1, '\0'));
}

void AutoMixerBlock::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    using namespace Proto;
    if (f.flag == FlagWrite) {
        if (f.cmd == NomLevel) {
            // No channel byte: the step applies to the whole mixer.
            if (f.payload.size() == 1 && validNomLevel(quint8(f.payload.at(0))))
                m_nomLevel = quint8(f.payload.at(0));
            return;
        }
        if (f.payload.size() == 2 && (f.cmd == AutoEnable || f.cmd == OutEnable)) {
            QByteArray p = f.payload;
            p[1] = char(p.at(1) ? 1 : 0);
            m_table.write(f.cmd, p);
        }
        return;
    }
    if (f.flag != FlagRead)
        return;
    QByteArray a = f.cmd == NomLevel ? QByteArray(1, char(m_nomLevel)) : m_table.read(f.cmd);
    if (!a.isNull())
        out.append({OpBlock, Module::AutoMixer, f.cmd, FlagAnswer, a});
}

QByteArray AutoMixerBlock::saveState() const
{
    return m_table.save() + QByteArray(1, char(m_nomLevel));
}

bool AutoMixerBlock::restoreState(const QByteArray &state)
{
    if (state.isEmpty() || !validNomLevel(quint8(state.back())))
        return false;
    if (!m_table.restore(state.left(state.size() - 1)))
        return false;
    m_nomLevel = quint8(state.back());
    return true;
}

void AutoMixerBlock::reset()
{
    m_table.reset();
    m_nomLevel = DefaultNomLevel;
}
