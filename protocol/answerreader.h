#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The one way a receiver reads an answer's payload.
//
// An answer is used only after its flag and length were checked: exact()
// (the length a command's answer has) or atLeast() (answers whose length
// varies; the minimum their layout needs). Until one of them has succeeded,
// and at offsets outside the checked bytes, every read gives nothing, so a
// short or foreign frame can never be read past its end or half-applied.
//
// Values that drive controls have checked forms: a float that is not finite
// is refused and a finite one is clamped to the control's range before it is
// turned into a whole number; a byte used as an index is refused when it is
// out of range.
class AnswerReader final
{
public:
    AnswerReader(quint8 flag, quint16 length, const QByteArray &payload);

    // flag 0x80 and exactly `length` bytes (the header's length and the
    // payload agree).
    bool exact(int length);
    // flag 0x80 and at least `length` bytes.
    bool atLeast(int length);
    // The unit refused the request (flag 0x82): no value comes with it.
    bool isRefused() const;

    bool isValid() const { return m_valid; }
    int size() const { return m_valid ? int(m_payload.size()) : 0; }
    const QByteArray &payload() const;

    // Raw reads; 0 (or empty) when the reader is not valid or the bytes lie
    // outside the payload.
    quint8 u8(int offset) const;
    qint8 i8(int offset) const;
    quint16 u16(int offset) const;
    quint32 u32(int offset) const;
    float f32(int offset) const;
    QByteArray bytes(int offset, int count) const;
    // A text field of `width` bytes in the local codec, ending at its first
    // NUL; a field that runs past the payload ends with it.
    QString text(int offset, int width) const;

    // A byte below `count` (an output, a band, a type, a level).
    std::optional<quint8> index(int offset, int count) const;
    // A finite float, clamped to [lo, hi].
    std::optional<float> real(int offset, float lo, float hi) const;
    // A finite float clamped to [lo, hi], then truncated toward zero.
    std::optional<int> truncated(int offset, int lo, int hi) const;
    // A finite float clamped to [lo, hi], then rounded to the nearest whole
    // number (halves away from zero).
    std::optional<int> rounded(int offset, int lo, int hi) const;

private:
    bool inside(int offset, int count) const;

    quint8 m_flag;
    quint16 m_length;
    const QByteArray &m_payload;
    bool m_valid = false;
};

namespace Proto {
// A value clamped to [lo, hi] and then truncated toward zero; a value that is
// not finite gives `fallback`. For floats that reach an integer control.
int clampToInt(double value, int lo, int hi, int fallback);
} // namespace Proto
