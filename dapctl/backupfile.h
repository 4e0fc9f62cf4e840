#pragma once

#include "dapctl/livevalues.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// A whole-unit backup: the image of all 32 presets (as a ".pstl" file holds
// it) with the preset that was active, the channel labels, location and
// description, RS232 speed, gate report and the gain limits of every input
// and output; from format 2 on also the live value of every stored parameter
// of the unit model ("live", nested by path as "dapctl get --json" prints
// it), so edits not saved into a preset survive a backup and restore.
//
// The file is JSON, so an integrator can read what it holds. It carries its
// format and version, and a SHA-256 checksum over everything else: a restore
// refuses a file that is damaged or of a format it does not know before it
// writes anything to a unit.
struct BackupFile
{
    static constexpr int FormatVersion = 2;
    static constexpr int Channels = 16;
    static constexpr int Slots = 32;
    // Far more than 32 presets take; a larger file is refused unread.
    static constexpr int MaxFileSize = 16 * 1024 * 1024;

    // Where it came from (shown, not restored).
    quint32 unitId = 0;
    QString model;
    QString serial;
    QString armVersion;
    QString dspVersion;
    QDateTime created;
    int version = FormatVersion; // of the file read; format 1 has no live values

    QByteArray presetImage; // 32 records of equal size
    int currentPreset = 0;  // 0-based
    QStringList inputLabels, outputLabels, panelLabels;
    QString location;
    QString description;
    quint32 rs232Baud = 115200;
    int gateReport = 0;
    // Per channel: the highest and the lowest gain allowed (dB).
    std::array<std::array<int, 2>, Channels> inputLimits{};
    std::array<std::array<int, 2>, Channels> outputLimits{};
    // Format 2: the live values, as written, and as read and checked.
    QJsonObject live;
    LiveValues liveValues;

    // True when record `slot` of the preset image holds a preset.
    bool slotHoldsPreset(int slot) const;
    int presetCount() const;

    QByteArray toJson() const;
    // A file's bytes from its JSON object, with the checksum over the rest
    // (the last step of toJson(); tools and tests that edit a file use it).
    static QByteArray sealed(QJsonObject object);
    // Reads and checks a file's bytes: size, format, version, checksum, then
    // every value: numbers whole and in their field's range before they are
    // converted, gain limits whose maximum is not below their minimum, texts
    // of at most LocalText::maxInputLength() characters for their field;
    // in format 2 every live path one the unit has and may be written, every
    // value valid for its parameter (LiveValues).
    // Nothing (and `error`, naming the field) for a file that fails any check.
    static std::optional<BackupFile> fromJson(const QByteArray &bytes, QString &error);
};
