#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

// Reads values off the front of a fuzz input. Past its end every read gives
// zero (or nothing), so a target never has to check what is left before it
// asks: a short input simply ends in zeros.
class FuzzBytes final
{
public:
    FuzzBytes(const uint8_t *data, size_t size);

    bool atEnd() const { return m_pos >= m_size; }
    size_t remaining() const { return m_size - m_pos; }

    quint8 u8();
    quint16 u16();
    quint32 u32();
    double f64();
    bool flag() { return u8() & 1; }
    // At most `count` bytes (fewer when the input ends first).
    QByteArray bytes(size_t count);
    // Whatever is left.
    QByteArray rest();
    // A string of at most `maxChars` UTF-16 units, taken two bytes each, so
    // lone surrogates and every code point reach the code under test.
    QString utf16(size_t maxChars);

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};
