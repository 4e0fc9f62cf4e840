#include "sim/firmwareblock.h"

#include "protocol/commands.h"
#include "protocol/lebytes.h"

void FirmwareBlock::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    if (f.cmd != Proto::FirmwareCmd::Chunk || f.flag != Proto::FlagWrite || f.payload.size() < 2)
        return;
    const quint16 index = Le::get<quint16>(f.payload, 0);
    if (m_lastAcknowledged >= 0 && index > m_lastAcknowledged)
        return;
    if (index == 0)
        m_image.clear();
    // Chunks come in order; one that would leave a gap is not the chunk the
    // unit waits for and gets no answer. The image thus only grows by what
    // was sent, rather than by up to 64 MiB of zeros for one bad index.
    const int offset = index * 1024;
    if (m_image.size() < offset)
        return;
    m_image.replace(offset, qMin(m_image.size() - offset, f.payload.size() - 2), f.payload.mid(2));
    out.append({Proto::OpFirmware, m_module, f.cmd, Proto::FlagAnswer, Le::bytes(index)});
}
