#include "fuzz/capturesocket.h"

#include "fuzz/fuzzsupport.h"
#include "protocol/streamsplitter.h"
#include "protocol/transport.h"

CaptureSocket::CaptureSocket()
{
    setSocketState(QAbstractSocket::ConnectedState);
    setOpenMode(QIODevice::ReadWrite);
}

void CaptureSocket::makeCurrent()
{
    ::setCurrentSocket(this);
}

qint64 CaptureSocket::writeData(const char *data, qint64 size)
{
    m_written.append(data, int(size));
    return size;
}

QVector<Proto::Frame> CaptureSocket::takeFrames()
{
    QVector<Proto::Frame> frames;
    int framed = 0;
    StreamSplitter splitter([&](const Proto::Frame &f) {
        frames.append(f);
        framed += f.length + Proto::Overhead;
        if (f.length > Proto::MaxPayload)
            fuzzFail("a frame was sent with more payload than the transmit buffer holds");
    });
    splitter.feed(m_written);
    if (framed != m_written.size())
        fuzzFail("bytes were sent that are not whole frames");
    m_written.clear();
    return frames;
}
