#include "sim/matrixblock.h"

#include "protocol/commands.h"

MatrixBlock::MatrixBlock()
{
    reset();
}

bool MatrixBlock::inRange(int output, int input)
{
    return output >= 0 && output < Channels && input >= 0 && input < Channels;
}

bool MatrixBlock::isOn(int output, int input) const
{
    return inRange(output, input) && m_on[size_t(output)][size_t(input)];
}

qint8 MatrixBlock::gain(int output, int input) const
{
    return inRange(output, input) ? m_gain[size_t(output)][size_t(input)] : 0;
}

void MatrixBlock::setOn(int output, int input, bool on)
{
    if (inRange(output, input))
        m_on[size_t(output)][size_t(input)] = on ? 1 : 0;
}

void MatrixBlock::setGain(int output, int input, qint8 gain)
{
    if (inRange(output, input))
        m_gain[size_t(output)][size_t(input)] = gain;
}

void MatrixBlock::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    using namespace Proto;
    if (f.cmd != MatrixCmd::On && f.cmd != MatrixCmd::Gain)
        return;
    const QByteArray &p = f.payload;
    const int output = p.isEmpty() ? -1 : quint8(p.at(0));
    if (output >= Channels)
        return;
    if (f.flag == FlagRead) {
        if (p.size() != 1)
            return;
        QByteArray a(1, char(output));
        for (int in = 0; in < Channels; ++in)
            a.append(f.cmd == MatrixCmd::On ? char(m_on[size_t(output)][size_t(in)])
                                            : char(m_gain[size_t(output)][size_t(in)]));
        out.append({OpBlock, Module::Matrix, f.cmd, FlagAnswer, a});
        return;
    }
    if (f.flag != FlagWrite || p.size() < 3)
        return;
    // output, k inputs, value
    const QByteArray inputs = p.mid(1, p.size() - 2);
    for (char in : inputs)
        if (quint8(in) >= Channels)
            return;
    const char value = p.at(p.size() - 1);
    for (char in : inputs) {
        if (f.cmd == MatrixCmd::On)
            setOn(output, quint8(in), value != 0);
        else
            setGain(output, quint8(in), qint8(value));
    }
}

QByteArray MatrixBlock::saveState() const
{
    QByteArray state;
    for (const auto &row : m_on)
        state.append(reinterpret_cast<const char *>(row.data()), Channels);
    for (const auto &row : m_gain)
        state.append(reinterpret_cast<const char *>(row.data()), Channels);
    return state;
}

bool MatrixBlock::restoreState(const QByteArray &state)
{
    if (state.size() != 2 * Channels * Channels)
        return false;
    for (int o = 0; o < Channels; ++o)
        for (int in = 0; in < Channels; ++in) {
            m_on[size_t(o)][size_t(in)] = state.at(o * Channels + in) ? 1 : 0;
            m_gain[size_t(o)][size_t(in)] =
                qint8(state.at(Channels * Channels + o * Channels + in));
        }
    return true;
}

void MatrixBlock::reset()
{
    for (int o = 0; o < Channels; ++o)
        for (int in = 0; in < Channels; ++in) {
            m_on[size_t(o)][size_t(in)] = o == in ? 1 : 0;
            m_gain[size_t(o)][size_t(in)] = 0;
        }
}
