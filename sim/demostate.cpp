#include "sim/demostate.h"

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "sim/simmodel.h"

#include <initializer_list>

using namespace Proto;

namespace {

void write(SimModel &model, quint8 module, quint8 cmd, const QByteArray &payload)
{
    Frame f;
    f.op = OpBlock;
    f.module = module;
    f.cmd = cmd;
    f.flag = FlagWrite;
    f.length = quint16(payload.size());
    f.payload = payload;
    model.handle(f);
}

QByteArray u8(int v)
{
    return QByteArray(1, char(v));
}

// A cut filter: enable, type (0 Bessel, 1 Butterworth, 2 Link-Riley), slope
// index (3 is -24 dB/oct), frequency.
QByteArray cut(int type, int slope, float hz)
{
    return u8(1) + u8(type) + u8(slope) + Le::bytes(hz);
}

// A band: enable, type (0 peaking, 1 low shelf, 2 high shelf), frequency,
// gain, index into the Q table.
QByteArray band(int type, float hz, float dB, int qIndex)
{
    return u8(1) + u8(type) + Le::bytes(hz, dB) + u8(qIndex);
}

void route(SimModel &model, int output, std::initializer_list<int> inputs, int gain)
{
    QByteArray all = u8(output);
    for (int in = 0; in < 16; ++in)
        all += u8(in);
    write(model, Module::Matrix, MatrixCmd::On, all + u8(0));
    QByteArray some = u8(output);
    for (int in : inputs)
        some += u8(in);
    write(model, Module::Matrix, MatrixCmd::On, some + u8(1));
    write(model, Module::Matrix, MatrixCmd::Gain, some + u8(gain));
}

} // namespace

void loadDemoState(SimModel &model)
{
    // Four microphones (three on phantom power), two playback channels; the
    // unused inputs and outputs muted.
    const float micTrim[] = {3.0f, 1.5f, 1.5f, -2.0f};
    for (int c = 0; c < 4; ++c) {
        write(model, Module::InputLevel, InLevelCmd::Mode, u8(c) + u8(0));
        write(model, Module::InputLevel, InLevelCmd::Phantom, u8(c) + u8(c < 3));
        write(model, Module::InputLevel, InLevelCmd::Step, u8(c) + u8(5));
        write(model, Module::InputLevel, InLevelCmd::Gain, u8(c) + Le::bytes(micTrim[c]));
    }
    const float preGain[] = {-2.0f, 0.0f, 0.0f, 1.5f, -6.0f, -6.0f, -4.5f, -4.5f};
    for (int c = 0; c < 16; ++c) {
        if (c < 8)
            write(model, Module::PreMixLevel, PreMixCmd::Gain, u8(c) + Le::bytes(preGain[c]));
        else
            write(model, Module::PreMixLevel, PreMixCmd::Mute, u8(c) + u8(1));
        if (c >= 9)
            write(model, Module::OutputLevel, OutLevelCmd::Mute, u8(c) + u8(1));
    }
    for (int c : {1, 2}) // the handheld pair moves together
        write(model, Module::PreMixLevel, PreMixCmd::Group, u8(c) + u8(1));
    write(model, Module::PreMixLevel, PreMixCmd::Priority, u8(0) + u8(1));
    for (int c : {0, 1})
        write(model, Module::OutputLevel, OutLevelCmd::Gain, u8(c) + Le::bytes(-3.0f));

    // Microphones 1-4: high-pass against handling noise, less mud, more
    // presence; the lapel microphone a little brighter.
    for (int c = 0; c < 4; ++c) {
        write(model, Module::InputFilter, FilterCmd::HighPass, u8(c) + cut(1, 3, 90.0f + 10 * c));
        write(model, Module::InputFilter, FilterCmd::LowPass, u8(c) + cut(2, 3, 16000.0f));
        write(model, Module::InputFilter, FilterCmd::Band, u8(c) + u8(0) + band(0, 250, -4.5f, 20));
        write(model, Module::InputFilter, FilterCmd::Band,
              u8(c) + u8(1) + band(0, 3150, 3.0f + (c == 3), 24));
        write(model, Module::InputFilter, FilterCmd::Band, u8(c) + u8(2) + band(2, 9000, 2.0f, 43));
    }
    // Loudspeakers: some weight in the low end, a notch at a room mode.
    for (int c = 0; c < 2; ++c) {
        write(model, Module::OutputFilter, FilterCmd::HighPass, u8(c) + cut(1, 2, 45.0f));
        write(model, Module::OutputFilter, FilterCmd::Band, u8(c) + u8(0) + band(1, 100, 3.0f, 43));
        write(model, Module::OutputFilter, FilterCmd::Band,
              u8(c) + u8(1) + band(0, 630, -6.0f, 40));
    }

    // Talkers and playback to the main pair; talkers to the hearing loop and
    // the recorder; the delay zone and the foyer follow the mains.
    route(model, 0, {0, 1, 2, 3, 6, 7}, -6);
    route(model, 1, {0, 1, 2, 3, 6, 7}, -6);
    route(model, 2, {6, 7}, -10);
    route(model, 3, {0, 1, 2, 3, 6, 7}, -9);
    route(model, 4, {0, 1, 2, 3}, -12);
    route(model, 5, {0, 1, 2, 3, 6}, 0);
    route(model, 6, {0, 1, 2, 3}, -3);

    // Limiters on the loudspeaker outputs: threshold, ratio, attack, decay.
    for (int c : {0, 1, 2})
        write(model, Module::OutputLimiter, LimiterCmd::Record,
              u8(c) + u8(1) + Le::bytes(-6.0f, 4.0f, 5.0f, 120.0f));
    write(model, Module::InputLimiter, LimiterCmd::Record,
          u8(0) + u8(1) + Le::bytes(-18.0f, 3.0f, 2.0f, 80.0f));
    // The delay zone stands 4.25 m behind the mains.
    write(model, Module::OutputDelay, DelayCmd::Delay, u8(3) + Le::bytes(12.5f));
    // Gates on the microphones; automatic gain on the PC audio.
    for (int c = 0; c < 4; ++c)
        write(model, Module::Gate, GateCmd::Record,
              u8(c) + u8(1) + Le::bytes(-48.0f - 2 * c, 2.0f, 180.0f));
    write(model, Module::Agc, AgcCmd::Record,
          u8(6) + u8(1) + Le::bytes(-50.0f, -18.0f, 3.0f, 40.0f, 400.0f));
    write(model, Module::AutoMixer, AutoMixerCmd::AutoEnable, u8(0) + u8(1));
    write(model, Module::AutoMixer, AutoMixerCmd::AutoEnable, u8(1) + u8(1));
    write(model, Module::AutoMixer, AutoMixerCmd::OutEnable, u8(0) + u8(1));
}
