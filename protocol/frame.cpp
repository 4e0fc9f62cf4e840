#include "protocol/frame.h"

#include <QString>

#include <cstring>

namespace Proto {

int encodeFrame(char *out, quint16 codeId, quint8 op, quint8 module, quint8 cmd, quint8 flag,
                const char *payload, quint16 length)
{
    auto *p = reinterpret_cast<uchar *>(out);
    p[0] = MagicLo;
    p[1] = MagicHi;
    p[2] = uchar(codeId & 0xFF);
    p[3] = uchar(codeId >> 8);
    p[4] = op;
    p[5] = module;
    p[6] = cmd;
    p[7] = flag;
    p[8] = uchar(length & 0xFF);
    p[9] = uchar(length >> 8);
    if (length != 0)
        std::memcpy(p + HeaderSize, payload, length);
    p[HeaderSize + length] = TailLo;
    p[HeaderSize + length + 1] = TailHi;
    return length + Overhead;
}

QByteArray makeFrame(quint16 codeId, quint8 op, quint8 module, quint8 cmd, quint8 flag,
                     const QByteArray &payload)
{
    const auto length = quint16(payload.size());
    QByteArray frame(length + Overhead, Qt::Uninitialized);
    encodeFrame(frame.data(), codeId, op, module, cmd, flag, payload.constData(), length);
    return frame;
}

QString hexText(const QByteArray &bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    QString text;
    text.reserve(bytes.size() * 3);
    for (int i = 0; i < bytes.size(); ++i) {
        const auto b = uchar(bytes.at(i));
        if (i != 0)
            text += QLatin1Char(' ');
        text += QLatin1Char(digits[b >> 4]);
        text += QLatin1Char(digits[b & 0x0F]);
    }
    return text;
}

} // namespace Proto
