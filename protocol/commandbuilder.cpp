#include "protocol/commandbuilder.h"

#include "protocol/commands.h"
#include "protocol/frame.h"
#include "protocol/lebytes.h"

namespace CommandBuilder {

namespace {

// The modules and commands the tool writes.
constexpr quint8 SystemLogin = Proto::SysModule::Login;
constexpr quint8 SystemSettings = Proto::SysModule::Settings;
constexpr quint8 BlockPreMix = Proto::Module::PreMixLevel;
constexpr quint8 BlockOutLevel = Proto::Module::OutputLevel;
constexpr quint8 BlockPresets = Proto::Module::Preset;

constexpr quint8 LoginCmd = Proto::LoginCmd::Login;
constexpr quint8 AllMuteCmd = Proto::SettingsCmd::AllMute;
constexpr quint8 PreMixMuteCmd = Proto::PreMixCmd::Mute;
constexpr quint8 PreMixGainCmd = Proto::PreMixCmd::Gain;
constexpr quint8 PreMixInvertCmd = Proto::PreMixCmd::Invert;
constexpr quint8 PreMixGainDeltaCmd = Proto::PreMixCmd::GainDelta;
constexpr quint8 OutMuteCmd = Proto::OutLevelCmd::Mute;
constexpr quint8 OutGainCmd = Proto::OutLevelCmd::Gain;
constexpr quint8 OutInvertCmd = Proto::OutLevelCmd::Invert;
constexpr quint8 OutGainDeltaCmd = Proto::OutLevelCmd::GainDelta;
constexpr quint8 PresetRecallCmd = Proto::PresetCmd::ToolRecall;

QByteArray write(quint8 op, quint8 module, quint8 cmd, const QByteArray &payload)
{
    return Proto::makeFrame(CodeId, op, module, cmd, Proto::FlagWrite, payload);
}

QByteArray block(quint8 module, quint8 cmd, const QByteArray &payload)
{
    return write(Proto::OpBlock, module, cmd, payload);
}

float fixedGain(double dB)
{
    return dB <= GainOffLimit ? GainOffValue : float(dB);
}

} // namespace

std::optional<QByteArray> login(const QString &password)
{
    if (password.size() > Proto::MaxPayload)
        return std::nullopt;
    QByteArray payload;
    payload.reserve(password.size());
    for (const QChar c : password) {
        // Beyond Latin-1 (including either half of a surrogate pair) there is
        // no single byte that stands for the character.
        if (c.unicode() > 0xFF)
            return std::nullopt;
        payload.append(char(c.unicode()));
    }
    return write(Proto::OpSystem, SystemLogin, LoginCmd, payload);
}

QByteArray preMixMute(quint8 channel, bool mute)
{
    return block(BlockPreMix, PreMixMuteCmd, Le::bytes(channel, quint8(mute)));
}

QByteArray preMixInvert(quint8 channel, bool invert)
{
    return block(BlockPreMix, PreMixInvertCmd, Le::bytes(channel, quint8(invert)));
}

QByteArray preMixGain(quint8 channel, double dB)
{
    return block(BlockPreMix, PreMixGainCmd, Le::bytes(channel, fixedGain(dB)));
}

QByteArray preMixGainDelta(quint8 channel, double dB)
{
    return block(BlockPreMix, PreMixGainDeltaCmd, Le::bytes(channel, float(dB)));
}

QByteArray outLevelMute(quint8 channel, bool mute)
{
    return block(BlockOutLevel, OutMuteCmd, Le::bytes(channel, quint8(mute)));
}

QByteArray outLevelInvert(quint8 channel, bool invert)
{
    return block(BlockOutLevel, OutInvertCmd, Le::bytes(channel, quint8(invert)));
}

QByteArray outLevelGain(quint8 channel, double dB)
{
    return block(BlockOutLevel, OutGainCmd, Le::bytes(channel, fixedGain(dB)));
}

QByteArray outLevelGainDelta(quint8 channel, double dB)
{
    return block(BlockOutLevel, OutGainDeltaCmd, Le::bytes(channel, float(dB)));
}

QByteArray presetRecall(quint8 index)
{
    return block(BlockPresets, PresetRecallCmd, Le::bytes(index));
}

QByteArray allMute(bool on)
{
    return write(Proto::OpSystem, SystemSettings, AllMuteCmd, Le::bytes(quint8(on)));
}

} // namespace CommandBuilder
