#include "protocol/streamsplitter.h"

#include "protocol/protocollog.h"

#include <cstring>
#include <utility>

namespace {
// The classic loop works while this many bytes are buffered.
constexpr int MinBuffered = 11;
} // namespace

StreamSplitter::StreamSplitter(Sink sink) : m_sink(std::move(sink)) {}

void StreamSplitter::clear()
{
    if (m_busy) {
        m_cleared = true; // the buffer is in use; the running feed drops it
        m_nested.clear();
        return;
    }
    m_buffer.clear();
}

void StreamSplitter::feed(const QByteArray &piece)
{
    if (m_busy) {
        m_nested.append(piece);
        return;
    }
    m_busy = true;
    process(piece);
    while (!m_nested.isEmpty()) {
        const QByteArray next = std::exchange(m_nested, QByteArray());
        process(next);
    }
    m_busy = false;
}

void StreamSplitter::process(const QByteArray &piece)
{
    m_cleared = false;
    if (m_buffer.isEmpty()) {
        // Common case: parse the piece in place and keep only its unfinished rest.
        const int used = parse(piece.constData(), piece.size());
        if (m_cleared)
            m_buffer.clear();
        else if (used < piece.size())
            m_buffer = piece.mid(used);
        return;
    }
    m_buffer.append(piece);
    int used = 0;
    {
        // Parse a copy that shares the data: the sink cannot pull it away.
        const QByteArray data = m_buffer;
        used = parse(data.constData(), data.size());
    }
    if (m_cleared)
        m_buffer.clear();
    else if (used > 0)
        m_buffer.remove(0, used);
}

// Returns how many bytes at the front of `data` are consumed.
int StreamSplitter::parse(const char *data, int size)
{
    const auto *bytes = reinterpret_cast<const uchar *>(data);
    const bool logFaults = lcProtocol().isDebugEnabled();
    int pos = 0;
    while (size - pos >= MinBuffered) {
        if (bytes[pos] != Proto::MagicLo || bytes[pos + 1] != Proto::MagicHi) {
            // Skip junk up to the next magic, but only as far as the byte-wise loop
            // would go: it stops once fewer than 11 bytes remain.
            const int lastStart = size - MinBuffered;
            int next = pos + 1;
            while (next <= lastStart) {
                const void *hit =
                    std::memchr(bytes + next, Proto::MagicLo, size_t(lastStart - next + 1));
                if (!hit) {
                    next = lastStart + 1;
                    break;
                }
                next = int(static_cast<const uchar *>(hit) - bytes);
                if (bytes[next + 1] == Proto::MagicHi)
                    break;
                ++next;
            }
            if (logFaults) {
                for (int i = pos; i < next; ++i)
                    qCDebug(lcProtocol, "PacketHeader Error!!!");
            }
            pos = next;
            continue;
        }
        const int length = bytes[pos + 8] | (bytes[pos + 9] << 8);
        if (size - pos < length + Proto::Overhead)
            break;
        const uchar *tail = bytes + pos + Proto::HeaderSize + length;
        if (tail[0] == Proto::TailLo && tail[1] == Proto::TailHi) {
            m_frame.codeId = quint16(bytes[pos + 2] | (bytes[pos + 3] << 8));
            m_frame.op = bytes[pos + 4];
            m_frame.module = bytes[pos + 5];
            m_frame.cmd = bytes[pos + 6];
            m_frame.flag = bytes[pos + 7];
            m_frame.length = quint16(length);
            m_frame.payload = QByteArray(data + pos + Proto::HeaderSize, length);
            m_sink(m_frame);
            if (m_cleared)
                return pos + length + Proto::Overhead;
        } else if (logFaults) {
            qCDebug(lcProtocol, "PacketTailer Error!!! len=%d", size - pos);
        }
        pos += length + Proto::Overhead;
    }
    return pos;
}
