#include "sim/recordblock.h"

RecordBlock::RecordBlock(quint8 module, Commands commands, QByteArray defaults)
    : m_module(module), m_commands(commands), m_defaults(std::move(defaults))
{
    reset();
}

QByteArray RecordBlock::record(int channel) const
{
    return channel >= 0 && channel < Channels ? m_records[size_t(channel)] : QByteArray();
}

void RecordBlock::setRecord(int channel, const QByteArray &record)
{
    if (channel >= 0 && channel < Channels && record.size() == m_defaults.size())
        m_records[size_t(channel)] = record;
}

void RecordBlock::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    const int channel = f.payload.isEmpty() ? -1 : quint8(f.payload.at(0));
    if (channel < 0 || channel >= Channels)
        return;
    if (f.cmd == m_commands.record && f.flag == Proto::FlagRead && f.payload.size() == 1) {
        out.append({Proto::OpBlock, m_module, f.cmd, Proto::FlagAnswer,
                    f.payload.left(1) + m_records[size_t(channel)]});
        return;
    }
    if (f.flag != Proto::FlagWrite)
        return;
    if (f.cmd == m_commands.record && f.payload.size() == 1 + recordSize())
        m_records[size_t(channel)] = f.payload.mid(1);
    else if (f.cmd == m_commands.reset && f.payload.size() == 1)
        m_records[size_t(channel)] = m_defaults;
    else if (f.cmd == m_commands.copy)
        copy(f.payload);
}

QByteArray RecordBlock::saveState() const
{
    QByteArray state;
    for (const QByteArray &r : m_records)
        state += r;
    return state;
}

bool RecordBlock::restoreState(const QByteArray &state)
{
    if (state.size() != Channels * recordSize())
        return false;
    for (int c = 0; c < Channels; ++c)
        m_records[size_t(c)] = state.mid(c * recordSize(), recordSize());
    return true;
}

void RecordBlock::reset()
{
    m_records.fill(m_defaults);
}
