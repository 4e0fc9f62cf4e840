#include "sim/feedbackblock.h"

#include "protocol/commands.h"

using Proto::FeedbackCmd::Enable;

FeedbackBlock::FeedbackBlock()
{
    m_table.addParam(Enable, Enable, QByteArray(1, '\0'));
}

quint8 FeedbackBlock::enable(int channel) const
{
    return m_table.get<quint8>(Enable, channel);
}

void FeedbackBlock::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    if (f.flag == Proto::FlagRead) {
        const QByteArray a = m_table.read(f.cmd);
        if (!a.isNull())
            out.append({Proto::OpBlock, Proto::Module::Feedback, f.cmd, Proto::FlagAnswer, a});
    } else if (f.flag == Proto::FlagWrite) {
        m_table.write(f.cmd, f.payload);
    }
}
