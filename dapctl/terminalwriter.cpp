#include "dapctl/terminalwriter.h"

#include <QByteArray>

TerminalWriter::TerminalWriter(FILE *file, QObject *parent) : QIODevice(parent), m_file(file)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 TerminalWriter::writeData(const char *data, qint64 size)
{
    // UTF-8 never uses these bytes inside a longer character, so each byte
    // can be judged on its own.
    QByteArray out;
    out.reserve(int(qMin<qint64>(size, 1 << 20)) + 16);
    for (qint64 i = 0; i < size; ++i) {
        const auto c = uchar(data[i]);
        if ((c < 0x20 && c != '\n') || c == 0x7F) {
            static const char hex[] = "0123456789abcdef";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 0xF];
        } else {
            out += char(c);
        }
    }
    if (std::fwrite(out.constData(), 1, size_t(out.size()), m_file) != size_t(out.size()))
        return -1;
    std::fflush(m_file);
    return size;
}
