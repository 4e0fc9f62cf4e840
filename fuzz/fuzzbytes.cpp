#include "fuzz/fuzzbytes.h"

#include <cstring>

FuzzBytes::FuzzBytes(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

quint8 FuzzBytes::u8()
{
    return m_pos < m_size ? m_data[m_pos++] : 0;
}

quint16 FuzzBytes::u16()
{
    const quint16 lo = u8();
    return quint16(lo | (u8() << 8));
}

quint32 FuzzBytes::u32()
{
    const quint32 lo = u16();
    return lo | (quint32(u16()) << 16);
}

double FuzzBytes::f64()
{
    const QByteArray b = bytes(sizeof(double)).leftJustified(sizeof(double), '\0');
    double value;
    std::memcpy(&value, b.constData(), sizeof value);
    return value;
}

QByteArray FuzzBytes::bytes(size_t count)
{
    const size_t n = qMin(count, remaining());
    const QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), int(n));
    m_pos += n;
    return out;
}

QByteArray FuzzBytes::rest()
{
    return bytes(remaining());
}

QString FuzzBytes::utf16(size_t maxChars)
{
    QString out;
    const size_t n = qMin(maxChars, remaining() / 2);
    out.reserve(int(n));
    for (size_t i = 0; i < n; ++i)
        out.append(QChar(u16()));
    return out;
}
