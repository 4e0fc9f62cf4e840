#pragma once

#include "protocol/frame.h"

#include <QByteArray>

#include <functional>

// Cuts frames out of a byte stream that arrives in arbitrary pieces.
//
// Results are those of the classic byte-at-a-time loop: while at least 11 bytes
// are buffered, a byte that does not start the magic 82 7D is dropped (one
// "PacketHeader Error!!!" line each); a frame whose tail is wrong is dropped whole
// ("PacketTailer Error!!! len=" and the buffered size); a complete frame is
// handed to the sink; fewer than 11 bytes, or an incomplete frame, wait for the
// next piece. The work is linear in the bytes received: the splitter keeps a
// read offset, finds the next magic with a scan and compacts once per call.
class StreamSplitter final
{
public:
    using Sink = std::function<void(const Proto::Frame &)>;

    explicit StreamSplitter(Sink sink);

    // Appends a piece of the stream and hands every complete frame to the sink,
    // in order. A sink that feeds or clears the splitter while it works (a
    // nested event loop, a reconnection) is safe: a nested piece is queued
    // behind the current one, and a clear ends the current work.
    void feed(const QByteArray &piece);

    // Forgets buffered bytes (a new connection must not see the old one's rest).
    void clear();

    int bufferedSize() const { return m_buffer.size(); }

private:
    int parse(const char *data, int size);

    void process(const QByteArray &piece);

    Sink m_sink;
    QByteArray m_buffer;
    QByteArray m_nested; // pieces fed from inside the sink
    bool m_busy = false;
    bool m_cleared = false; // clear() was called from inside the sink
    Proto::Frame m_frame;   // reused so its payload storage is reused where possible
};
