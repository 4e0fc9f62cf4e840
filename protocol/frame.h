#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QtGlobal>

// The binary frame spoken with the unit over TCP, in both directions:
//   82 7D | codeId u16 | op | module | cmd | flag | length u16 | payload | 7D 82
// All multi-byte fields are little-endian; there is no checksum.
namespace Proto {

constexpr quint8 MagicLo = 0x82; // first byte of every frame
constexpr quint8 MagicHi = 0x7D;
constexpr quint8 TailLo = 0x7D; // first byte of the tail
constexpr quint8 TailHi = 0x82;
constexpr int HeaderSize = 10;
constexpr int Overhead = 12; // header plus tail
constexpr int MaxPayload = 2036; // what fits the 2048-byte transmit buffer

enum Op : quint8 { OpFirmware = 1, OpSystem = 2, OpBlock = 3 };

enum Flag : quint8 {
    FlagRead = 0x00,
    FlagWrite = 0x01,
    FlagAnswer = 0x80,
    FlagRefused = 0x82,
};

// One frame as cut out of a stream: the header fields and a copy of the payload.
struct Frame
{
    quint16 codeId = 0;
    quint8 op = 0;
    quint8 module = 0;
    quint8 cmd = 0;
    quint8 flag = 0;
    quint16 length = 0;
    QByteArray payload;

    // True when this is an answer (flag 0x80) of exactly the expected length.
    bool isAnswer(int expectedLength) const
    {
        return flag == FlagAnswer && length == expectedLength;
    }
};

// Writes a complete frame (length + 12 bytes) to `out`, which must have room for
// it. Returns the number of bytes written. Every frame the program or the
// simulated unit produces comes from here.
int encodeFrame(char *out, quint16 codeId, quint8 op, quint8 module, quint8 cmd, quint8 flag,
                const char *payload, quint16 length);

// Same, returning the frame as a new byte array.
QByteArray makeFrame(quint16 codeId, quint8 op, quint8 module, quint8 cmd, quint8 flag,
                     const QByteArray &payload = QByteArray());

// The frame as upper-case hexadecimal bytes separated by single spaces
// ("82 7D 01 00 ..."), the text form external controllers are given.
QString hexText(const QByteArray &bytes);

} // namespace Proto

Q_DECLARE_METATYPE(Proto::Frame)
