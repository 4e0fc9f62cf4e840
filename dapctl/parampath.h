#pragma once

#include <QString>
#include <QVector>

#include <optional>

// A readable name of one parameter of the unit, as dapctl get and set take
// it: "input.3.gain", "output.2.mute", "matrix.3.5", "label.input.4",
// "system.location". Channels are numbered 1..16 in the text and 0..15 here.
struct ParamPath
{
    enum class Kind
    {
        InputGain,
        InputMute,
        InputMode,
        InputPhantom,
        LevelGain, // pre-mix and output level
        LevelMute,
        LevelInvert,
        LevelGroup,
        LevelPriority,
        LevelMax, // the touch-screen gain limits
        LevelMin,
        MatrixOn,
        MatrixGain,
        Label,
        Location,
        Description,
        Rs232Baud,
        GateReport,
        AllMute,
    };

    Kind kind = Kind::InputGain;
    int channel = 0;       // 0-based; the input of a crosspoint
    int output = 0;        // 0-based output of a crosspoint
    bool outputs = false;  // level: the output block (else pre-mix); label: output names
    quint8 labelTable = 0; // label: the table's command (inputs, outputs, touch screen)
    QString text;          // the path as written

    // Parses a path. Empty, with `error`, for a path dapctl does not know.
    static std::optional<ParamPath> parse(const QString &text, QString &error);

    // Every path pattern with its values, for "dapctl paths".
    struct Help
    {
        const char *path;
        const char *values;
    };
    static const QVector<Help> &catalogue();
};
