#pragma once

#include "dapctl/parampath.h"
#include "dapctl/paramvalue.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

class DeviceStatus;
class UnitLink;

// Reads and writes the parameters dapctl names, with the rules of the pages
// that edit them: the input gain split into preamplifier step and trim and
// clamped to the mode's range, level gains clamped to the channel's limits
// and -56 dB sent as off, crosspoint gains whole and -56 dB sent as off,
// texts cut to the unit's field at a whole character. Values a control would
// clamp are clamped (and the clamp reported); values no control offers
// (an unknown speed, a group of 9, text that is no number) are refused.
class ParamAccess final
{
public:
    using Value = ParamValue;

    enum class Status
    {
        Ok,
        Failure, // the unit did not answer as it should
        Usage,   // a value dapctl cannot send
    };

    explicit ParamAccess(UnitLink &link);

    // The gain limits one command sets: a channel's other limit is taken from
    // them rather than from the unit, so the order of the two does not
    // matter. Why they cannot be sent (a maximum below its minimum, which
    // mutes the channel), or nothing. Called before anything is sent.
    QString planLimits(const QVector<ParamPath> &paths, const QStringList &values);

    std::optional<Value> read(const ParamPath &path);
    // Sends the value (nothing when it is already the unit's, where a page
    // would send nothing either). note() then tells of a clamp or a cut.
    Status write(const ParamPath &path, const QString &value);

    QString errorString() const { return m_error; }
    QString note() const { return m_note; }

private:
    struct Read;
    struct InputState
    {
        bool line = true;
        quint8 step = 0;
        float trim = 0.0f;
        bool mute = false;
        bool phantom = false;
    };
    struct LevelState
    {
        float gain = 0.0f;
        bool mute = false;
        bool invert = false;
        bool priority = false;
        int group = -1; // -1: the unit's value is no group
        int upper = 12;
        int lower = -56;
    };
    struct Crosspoint
    {
        bool on = false;
        int gain = 0;
    };

    bool fetch(const QVector<Read> &reads, QVector<QByteArray> &payloads);
    std::optional<InputState> readInput(int channel);
    std::optional<LevelState> readLevel(bool outputs, int channel);
    std::optional<Crosspoint> readCrosspoint(int input, int output);
    std::optional<QString> readLabel(quint8 table, int channel);
    bool readSystem(DeviceStatus &status);
    std::optional<bool> readAllMute();

    Status writeInput(const ParamPath &path, const QString &value);
    Status writeLevel(const ParamPath &path, const QString &value);
    Status writeSystem(const ParamPath &path, const QString &value);
    Status usage(const ParamPath &path, const QString &text);

    struct Limits
    {
        std::optional<int> upper, lower;
    };

    UnitLink &m_link;
    QHash<int, Limits> m_plannedLimits; // by side and channel
    QString m_error;
    QString m_note;
};
