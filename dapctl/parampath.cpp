#include "dapctl/parampath.h"

#include "protocol/commands.h"

#include <QStringList>

namespace {

// A channel number 1..16 as written; -1 when it is none.
int channelNumber(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= 1 && n <= 16 ? n - 1 : -1;
}

} // namespace

std::optional<ParamPath> ParamPath::parse(const QString &text, QString &error)
{
    using K = Kind;
    const QStringList p = text.toLower().split(QLatin1Char('.'));
    ParamPath path;
    path.text = text;
    const auto unknown = [&]() -> std::optional<ParamPath> {
        error = QStringLiteral("unknown path \"%1\" (dapctl paths lists them)").arg(text);
        return std::nullopt;
    };
    const auto badChannel = [&](const QString &n) -> std::optional<ParamPath> {
        error = QStringLiteral("%1: no channel %2; channels are 1..16").arg(text, n);
        return std::nullopt;
    };
    const QString family = p.value(0);

    if ((family == QLatin1String("input") || family == QLatin1String("premix") ||
         family == QLatin1String("output")) &&
        p.size() == 3) {
        path.channel = channelNumber(p[1]);
        if (path.channel < 0)
            return badChannel(p[1]);
        const QString &name = p[2];
        if (family == QLatin1String("input")) {
            static const QVector<QPair<QString, K>> names{
                {QStringLiteral("gain"), K::InputGain},
                {QStringLiteral("mute"), K::InputMute},
                {QStringLiteral("mode"), K::InputMode},
                {QStringLiteral("phantom"), K::InputPhantom}};
            for (const auto &n : names)
                if (n.first == name) {
                    path.kind = n.second;
                    return path;
                }
            return unknown();
        }
        path.outputs = family == QLatin1String("output");
        static const QVector<QPair<QString, K>> names{
            {QStringLiteral("gain"), K::LevelGain},
            {QStringLiteral("mute"), K::LevelMute},
            {QStringLiteral("invert"), K::LevelInvert},
            {QStringLiteral("group"), K::LevelGroup},
            {QStringLiteral("priority"), K::LevelPriority},
            {QStringLiteral("max"), K::LevelMax},
            {QStringLiteral("min"), K::LevelMin}};
        for (const auto &n : names)
            if (n.first == name && !(path.outputs && n.second == K::LevelPriority)) {
                path.kind = n.second;
                return path;
            }
        return unknown();
    }

    if (family == QLatin1String("matrix") && (p.size() == 3 || p.size() == 4)) {
        path.channel = channelNumber(p[1]);
        if (path.channel < 0)
            return badChannel(p[1]);
        path.output = channelNumber(p[2]);
        if (path.output < 0)
            return badChannel(p[2]);
        if (p.size() == 3) {
            path.kind = K::MatrixOn;
            return path;
        }
        if (p[3] == QLatin1String("gain")) {
            path.kind = K::MatrixGain;
            return path;
        }
        return unknown();
    }

    if (family == QLatin1String("label") && p.size() == 3) {
        path.kind = K::Label;
        if (p[1] == QLatin1String("input"))
            path.labelTable = Proto::LabelCmd::Inputs;
        else if (p[1] == QLatin1String("output"))
            path.labelTable = Proto::LabelCmd::Outputs;
        else if (p[1] == QLatin1String("panel"))
            path.labelTable = Proto::LabelCmd::Panel;
        else
            return unknown();
        path.outputs = path.labelTable == Proto::LabelCmd::Outputs;
        path.channel = channelNumber(p[2]);
        if (path.channel < 0)
            return badChannel(p[2]);
        return path;
    }

    if (family == QLatin1String("system") && p.size() == 2) {
        static const QVector<QPair<QString, K>> names{
            {QStringLiteral("location"), K::Location},
            {QStringLiteral("description"), K::Description},
            {QStringLiteral("rs232"), K::Rs232Baud},
            {QStringLiteral("gatereport"), K::GateReport},
            {QStringLiteral("allmute"), K::AllMute}};
        for (const auto &n : names)
            if (n.first == p[1]) {
                path.kind = n.second;
                return path;
            }
    }
    return unknown();
}

const QVector<ParamPath::Help> &ParamPath::catalogue()
{
    static const QVector<Help> help{
        {"input.N.gain", "dB, 0.0..50.0 (mic) or -12.0..12.0 (line); sent as preamplifier step "
                         "and trim"},
        {"input.N.mute", "on|off"},
        {"input.N.mode", "mic|line; a change leaves the input at 0.0 dB"},
        {"input.N.phantom", "on|off (48 V, microphone mode only)"},
        {"premix.N.gain", "dB, -56.0..12.0 within the channel's limits; -56.0 is off"},
        {"premix.N.mute", "on|off"},
        {"premix.N.invert", "on|off"},
        {"premix.N.group", "0..8 (0: no link group)"},
        {"premix.N.priority", "on|off"},
        {"premix.N.max", "dB, -56..12: the highest gain allowed"},
        {"premix.N.min", "dB, -56..12: the lowest gain allowed"},
        {"output.N.gain", "dB, -56.0..12.0 within the channel's limits; -56.0 is off"},
        {"output.N.mute", "on|off"},
        {"output.N.invert", "on|off"},
        {"output.N.group", "0..8 (0: no link group)"},
        {"output.N.max", "dB, -56..12: the highest gain allowed"},
        {"output.N.min", "dB, -56..12: the lowest gain allowed"},
        {"matrix.I.O", "on|off: input I routed to output O"},
        {"matrix.I.O.gain", "dB, whole, -56..12; -56 is off"},
        {"label.input.N", "text, up to 16 bytes"},
        {"label.output.N", "text, up to 16 bytes"},
        {"label.panel.N", "text, up to 10 bytes (touch-screen input name)"},
        {"system.location", "text, up to 16 bytes"},
        {"system.description", "text, up to 16 bytes"},
        {"system.rs232", "baud: 9600|19200|57600|115200"},
        {"system.gatereport", "0|1"},
        {"system.allmute", "on|off"},
    };
    return help;
}
