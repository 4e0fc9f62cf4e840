#pragma once

#include "protocol/frame.h"

#include <QString>

#include <functional>

// The protocol trace: every frame the transmit path writes and every frame
// the receive path cuts out of the current connection can be handed to one
// hook. Without a hook the two paths pay one test of a flag per frame.
namespace FrameTrace {

enum class Direction : quint8
{
    Sent,
    Received
};

struct Record
{
    qint64 time = 0; // milliseconds since the epoch
    Direction direction = Direction::Sent;
    Proto::Frame frame;
};

using Hook = std::function<void(const Record &)>;

// Installs the hook (an empty one removes it). There is one hook at a time;
// installing replaces the one before.
void install(Hook hook);
bool isInstalled();

namespace Detail {
extern bool active;
void reportSent(const char *bytes, qint64 size);
void reportReceived(const Proto::Frame &frame);
} // namespace Detail

// True for the frames whose payload is a password (the login and the password
// change): every view shows their length but never their bytes, and the hook
// receives them with the payload already removed.
bool hidesPayload(const Proto::Frame &frame);

// The transmit path: the bytes of one frame that were written.
inline void sent(const char *bytes, qint64 size)
{
    if (Q_UNLIKELY(Detail::active))
        Detail::reportSent(bytes, size);
}
// The receive path: one frame cut out of the stream.
inline void received(const Proto::Frame &frame)
{
    if (Q_UNLIKELY(Detail::active))
        Detail::reportReceived(frame);
}

// Which frames a view shows: one module (any op when `op` is 0; every module
// when `module` is negative) and one direction (both when unset).
struct Filter
{
    quint8 op = 0;
    int module = -1;
    int direction = -1; // -1 both, else a Direction

    bool accepts(const Record &record) const;
};

// One record as a line of text: local time with milliseconds, direction
// ("TX" sent, "RX" received), op, module, cmd, flag, length, the command's
// name where known, the payload in hexadecimal.
QString line(const Record &record);
// The captions of the columns of line().
QString heading();

// The parts of a line, for views with columns.
QString timeText(qint64 time);
QString directionText(Direction direction);
// The payload in hexadecimal, or "(N bytes hidden)" for a frame that carries
// a password.
QString payloadText(const Proto::Frame &frame);

} // namespace FrameTrace
