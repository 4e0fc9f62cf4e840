// Fuzz target for the command builder: passwords of any UTF-16 text, any
// channel byte and any gain (not a number, infinities, huge values). Every
// frame it returns must parse back with the receive splitter as one whole
// frame that fits the transmit buffer and carries what was asked for, and its
// hexadecimal text must give the same bytes back.

#include "fuzz/fuzzbytes.h"
#include "fuzz/fuzzsupport.h"
#include "protocol/commandbuilder.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "protocol/streamsplitter.h"

#include <QStringList>

#include <cstring>

namespace {

Proto::Frame parseOne(const QByteArray &bytes)
{
    QVector<Proto::Frame> frames;
    StreamSplitter splitter([&](const Proto::Frame &f) { frames.append(f); });
    splitter.feed(bytes);
    if (frames.size() != 1 || splitter.bufferedSize() != 0 ||
        bytes.size() != frames.first().length + Proto::Overhead)
        fuzzFail("a built command is not exactly one frame");
    const Proto::Frame f = frames.first();
    if (f.length > Proto::MaxPayload)
        fuzzFail("a built command does not fit the transmit buffer");
    if (f.codeId != CommandBuilder::CodeId || f.flag != Proto::FlagWrite)
        fuzzFail("a built command is not a write with code 1");
    const QStringList hex = Proto::hexText(bytes).split(QLatin1Char(' '));
    if (hex.size() != bytes.size())
        fuzzFail("the text of a command has the wrong number of bytes");
    for (int i = 0; i < hex.size(); ++i) {
        bool ok = false;
        if (hex[i].size() != 2 || hex[i].toUpper() != hex[i] ||
            hex[i].toInt(&ok, 16) != uchar(bytes[i]) || !ok)
            fuzzFail("the text of a command does not give its bytes");
    }
    return f;
}

void expect(const QByteArray &bytes, quint8 op, quint8 module, quint8 cmd,
            const QByteArray &payload)
{
    const Proto::Frame f = parseOne(bytes);
    if (f.op != op || f.module != module || f.cmd != cmd || f.payload != payload)
        fuzzFail("a built command does not say what was asked");
}

QByteArray gainPayload(quint8 channel, float value)
{
    return Le::bytes(channel, value);
}

float fixedGain(double dB)
{
    return dB <= CommandBuilder::GainOffLimit ? CommandBuilder::GainOffValue : float(dB);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool ready = [] {
        quietLogging();
        return true;
    }();
    (void)ready;

    using namespace Proto;
    FuzzBytes in(data, size);
    const quint8 channel = in.u8();
    const bool on = in.flag();
    const double dB = in.f64();
    const QString password = in.utf16(4096);

    const auto login = CommandBuilder::login(password);
    bool latin1 = password.size() <= MaxPayload;
    for (const QChar c : password)
        latin1 = latin1 && c.unicode() <= 0xFF;
    if (login.has_value() != latin1)
        fuzzFail("a password was refused that fits, or taken that does not");
    if (login)
        expect(*login, OpSystem, SysModule::Login, LoginCmd::Login, password.toLatin1());

    const QByteArray flagPayload = Le::bytes(channel, quint8(on));
    expect(CommandBuilder::preMixMute(channel, on), OpBlock, Module::PreMixLevel, PreMixCmd::Mute,
           flagPayload);
    expect(CommandBuilder::preMixInvert(channel, on), OpBlock, Module::PreMixLevel,
           PreMixCmd::Invert, flagPayload);
    expect(CommandBuilder::outLevelMute(channel, on), OpBlock, Module::OutputLevel,
           OutLevelCmd::Mute, flagPayload);
    expect(CommandBuilder::outLevelInvert(channel, on), OpBlock, Module::OutputLevel,
           OutLevelCmd::Invert, flagPayload);
    expect(CommandBuilder::preMixGain(channel, dB), OpBlock, Module::PreMixLevel, PreMixCmd::Gain,
           gainPayload(channel, fixedGain(dB)));
    expect(CommandBuilder::outLevelGain(channel, dB), OpBlock, Module::OutputLevel,
           OutLevelCmd::Gain, gainPayload(channel, fixedGain(dB)));
    expect(CommandBuilder::preMixGainDelta(channel, dB), OpBlock, Module::PreMixLevel,
           PreMixCmd::GainDelta, gainPayload(channel, float(dB)));
    expect(CommandBuilder::outLevelGainDelta(channel, dB), OpBlock, Module::OutputLevel,
           OutLevelCmd::GainDelta, gainPayload(channel, float(dB)));
    expect(CommandBuilder::presetRecall(channel), OpBlock, Module::Preset, PresetCmd::ToolRecall,
           Le::bytes(channel));
    expect(CommandBuilder::allMute(on), OpSystem, SysModule::Settings, SettingsCmd::AllMute,
           Le::bytes(quint8(on)));
    return 0;
}
