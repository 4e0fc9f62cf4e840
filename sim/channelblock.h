#pragma once

#include <QByteArray>
#include <QVector>

// Parameters of a block that hold one value per channel for 16 channels: each is
// read as one answer carrying all 16 values and written for one channel at a
// time (payload = channel byte followed by the value's bytes).
class ChannelBlock final
{
public:
    static constexpr int Channels = 16;

    // Declares a parameter `width` bytes wide per channel, answered to reads of
    // `readCmd` and changed by writes of `writeCmd` (0: not writable this way),
    // every channel starting with the bytes of `initial`.
    void addParam(quint8 readCmd, quint8 writeCmd, const QByteArray &initial);

    // Answer to a read of `cmd`; a null array when the block has no such read.
    QByteArray read(quint8 cmd) const;
    // Applies a write; returns false when `cmd` or the payload size is not known.
    bool write(quint8 cmd, const QByteArray &payload);

    // Direct access for the simulated unit's own logic and for tests.
    QByteArray value(quint8 readCmd, int channel) const;
    void setValue(quint8 readCmd, int channel, const QByteArray &bytes);
    template <typename T> T get(quint8 readCmd, int channel) const;
    template <typename T> void set(quint8 readCmd, int channel, T v);

    void reset();
    // Every parameter of every channel, as one byte string; and back (false,
    // and nothing changed, when the bytes do not fit the table).
    QByteArray save() const;
    bool restore(const QByteArray &bytes);

private:
    struct Param
    {
        quint8 readCmd;
        quint8 writeCmd;
        QByteArray initial;
        QByteArray data; // Channels x initial.size() bytes
    };
    const Param *byRead(quint8 cmd) const;
    Param *byRead(quint8 cmd);
    QVector<Param> m_params;
};

#include "protocol/lebytes.h"

template <typename T> T ChannelBlock::get(quint8 readCmd, int channel) const
{
    return Le::get<T>(value(readCmd, channel), 0);
}

template <typename T> void ChannelBlock::set(quint8 readCmd, int channel, T v)
{
    setValue(readCmd, channel, Le::bytes(v));
}
