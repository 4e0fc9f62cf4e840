#pragma once

#include <QByteArray>
#include <QFlags>
#include <QMetaType>
#include <QString>

#include <array>
#include <optional>

// The record a unit announces about itself on UDP: 106 bytes, little-endian,
// texts NUL-terminated in the local 8-bit codec.
//   0 machineid u32 | 4 ipaddress u32 | 8 eight bytes kept as they come
//  16 status | 17 ARM version x3 | 20 DSP version x3 | 23 sn[16] | 39 model[16]
//  55 location[16] | 71 description[16] | 87 preset[16] | 103 fault | 104 code u16
struct broadcastMsg
{
    static constexpr int Size = 106;
    static constexpr int TextWidth = 16;
    // A code that lists the units of every code.
    static constexpr quint16 AnyCode = 5318;

    enum Field
    {
        NoField = 0,
        Address = 1 << 0,
        Model = 1 << 1,
        ArmVersion = 1 << 2,
        DspVersion = 1 << 3,
        Location = 1 << 4,
        Description = 1 << 5,
        Sn = 1 << 6,
        Status = 1 << 7,
        Preset = 1 << 8,
        Fault = 1 << 9,
        Extra = 1 << 10,
    };
    Q_DECLARE_FLAGS(Fields, Field)

    quint32 machineid = 0;
    quint32 ipaddress = 0; // most significant byte = first byte of the dotted form
    std::array<quint8, 8> extra{};
    quint8 status = 0;
    std::array<quint8, 3> armVersion{};
    std::array<quint8, 3> dspVersion{};
    QString sn;
    QString model;
    QString location;
    QString description;
    QString preset;
    // The bytes of the five texts as announced, up to each field's first NUL;
    // empty for a record that did not come from an announcement. Invalid
    // GB2312 bytes decode lossily, so whether a text changed is decided on
    // these bytes, not on the decoded texts.
    enum TextField
    {
        SnText,
        ModelText,
        LocationText,
        DescriptionText,
        PresetText,
        TextFields
    };
    std::array<QByteArray, TextFields> rawTexts;
    bool hasRawTexts = false;
    quint8 fault = 0;
    quint16 code = 0;

    // Bytes 8..15 read as two u32: seconds since the unit started and its total
    // running time. Discovery does not rely on them; the device table shows them.
    quint32 runningTime() const;
    quint32 totalTime() const;

    quint32 armFirmware() const { return packVersion(armVersion); }
    quint32 dspFirmware() const { return packVersion(dspVersion); }

    // The record as it travels (texts cut to their 16-byte fields).
    QByteArray toBytes() const;
    // The bytes of one text: as announced, or the text encoded when the record
    // did not come from an announcement.
    QByteArray textBytes(TextField field) const;

    static quint32 packVersion(const std::array<quint8, 3> &v);
    static std::array<quint8, 3> unpackVersion(quint32 packed);
};
Q_DECLARE_OPERATORS_FOR_FLAGS(broadcastMsg::Fields)
Q_DECLARE_METATYPE(broadcastMsg)
Q_DECLARE_METATYPE(broadcastMsg *)

// The record carried by an announcement datagram, or nothing when the datagram
// is not exactly 106 bytes long.
std::optional<broadcastMsg> parseBroadcastMsg(const QByteArray &datagram);

// True when a unit announcing `announced` belongs to a program whose code is
// `own` (the code 5318 takes every unit).
bool acceptsCode(quint16 announced, quint16 own);

// The fields in which `announced` differs from `stored`.
broadcastMsg::Fields changedFields(const broadcastMsg &stored, const broadcastMsg &announced);

// Dotted form of an address held as u32, most significant byte first.
QString dottedAddress(quint32 address);
