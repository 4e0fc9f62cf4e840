// The dynamics blocks: gate, automixer, the input and output limiters, the
// automatic gain control, the echo canceller and the noise reduction.

#include "model/tablehelpers.h"
#include "model/unitstate.h"

namespace Model {

namespace {

using namespace Tables;
using namespace Proto;

void addGate(Catalogue &c)
{
    // Which gates are open: a figure of the moment.
    RecordDesc state = table("gate", OpBlock, Module::Gate, GateCmd::State, 1);
    state.writeCmd = 0;
    c.addParam(
        c.addRecord(state), at(0, Wire::U8),
        with(onOff("input.#.gate.open", 0, "the gate is open (reported)"), ReadOnly | RunTime));

    const int r = c.addRecord(keyed("gate", Module::Gate, GateCmd::Record, Dims::Channel, 13));
    c.addParam(r, at(0, Wire::U8), onOff("input.#.gate.enable", 1, "gate on"));
    c.addParam(r, at(1, Wire::F32),
               with(number("input.#.gate.threshold", "dB", -120, 0, 0, -65,
                           "opens above it (also the automixer's threshold)"),
                    Whole));
    c.addParam(r, at(5, Wire::F32),
               with(number("input.#.gate.attack", "ms", 1, 1000, 0, 1, "attack"), Whole));
    c.addParam(r, at(9, Wire::F32),
               with(number("input.#.gate.decay", "ms", 20, 1000, 0, 20, "decay"), Whole));
}

void addAutomixer(Catalogue &c)
{
    const quint8 m = Module::AutoMixer;
    c.addParam(c.addRecord(table("automixer", OpBlock, m, AutoMixerCmd::AutoEnable, 1, false)),
               at(0, Wire::U8), onOff("input.#.automixer", 0, "the input takes part"));
    c.addParam(c.addRecord(table("automixer", OpBlock, m, AutoMixerCmd::OutEnable, 1, false)),
               at(0, Wire::U8), onOff("output.#.automixer", 0, "the attenuation applies"));
    c.addParam(c.addRecord(single("automixer", OpBlock, m, AutoMixerCmd::NomLevel, 1)),
               at(0, Wire::U8),
               choice("automixer.nom", {{1, "1"}, {2, "2"}, {3, "3"}, {4, "4"}, {5, "5"}}, 1,
                      "dB of attenuation per additional open microphone"));
}

template <bool Outputs> void addLimiter(Catalogue &c)
{
    const int r = c.addRecord(keyed(Outputs ? "output limiter" : "input limiter",
                                    Outputs ? Module::OutputLimiter : Module::InputLimiter,
                                    LimiterCmd::Record, Dims::Channel, 17));
    c.addParam(
        r, at(0, Wire::U8),
        onOff(Outputs ? "output.#.limiter.enable" : "input.#.limiter.enable", 0, "limiter on"));
    c.addParam(r, at(1, Wire::F32),
               number(Outputs ? "output.#.limiter.threshold" : "input.#.limiter.threshold", "dB",
                      -100, 0, 1, 0, "threshold"));
    c.addParam(r, at(5, Wire::F32),
               with(number(Outputs ? "output.#.limiter.ratio" : "input.#.limiter.ratio", "", 1, 100,
                           0, 2, "ratio (100: hard limiting)"),
                    Whole));
    c.addParam(r, at(9, Wire::F32),
               with(number(Outputs ? "output.#.limiter.attack" : "input.#.limiter.attack", "ms", 1,
                           1000, 0, 1, "attack"),
                    Whole));
    c.addParam(r, at(13, Wire::F32),
               with(number(Outputs ? "output.#.limiter.decay" : "input.#.limiter.decay", "ms", 5,
                           1000, 0, 5, "decay"),
                    Whole));
}

// The threshold never exceeds the target.
void thresholdRange(const UnitState &s, const ParamId &id, double *lo, double *hi)
{
    *lo = -120;
    *hi = s.number(s.catalogue().id("input.#.agc.target", id.a));
}

void targetRange(const UnitState &s, const ParamId &id, double *lo, double *hi)
{
    *lo = s.number(s.catalogue().id("input.#.agc.threshold", id.a));
    *hi = 0;
}

// An answer's threshold and target are taken as a pair: a consistent pair as
// it is, whatever was held before; an inconsistent one keeps the threshold at
// the target.
void agcPair(const UnitState &s, const RecordId &rec, QVector<std::optional<double>> &values)
{
    constexpr int Threshold = 1, Target = 2;
    const Catalogue &c = s.catalogue();
    if (values[Threshold])
        values[Threshold] =
            qMin(*values[Threshold],
                 values[Target] ? *values[Target] : s.number(c.id("input.#.agc.target", rec.a)));
    else if (values[Target])
        values[Target] = qMax(*values[Target], s.number(c.id("input.#.agc.threshold", rec.a)));
}

void addAgc(Catalogue &c)
{
    RecordDesc record =
        keyed("automatic gain control", Module::Agc, AgcCmd::Record, Dims::Channel, 21);
    record.fixup = &agcPair;
    const int r = c.addRecord(record);
    c.addParam(r, at(0, Wire::U8), onOff("input.#.agc.enable", 0, "automatic gain control on"));
    ParamDesc threshold = number("input.#.agc.threshold", "dB", -120, 0, 1, -120,
                                 "works above it; at most the target");
    threshold.rules.range = &thresholdRange;
    c.addParam(r, at(1, Wire::F32), threshold);
    ParamDesc target = number("input.#.agc.target", "dB", -120, 0, 1, 0,
                              "the level it aims at; at least the threshold");
    target.rules.range = &targetRange;
    c.addParam(r, at(5, Wire::F32), target);
    c.addParam(r, at(9, Wire::F32), number("input.#.agc.ratio", "", 1, 100, 1, 1, "ratio"));
    c.addParam(r, at(13, Wire::F32),
               with(number("input.#.agc.attack", "ms", 20, 1000, 0, 20, "attack"), Whole));
    c.addParam(r, at(17, Wire::F32),
               with(number("input.#.agc.decay", "ms", 20, 1000, 0, 20, "decay"), Whole));
}

void addVoice(Catalogue &c)
{
    c.addParam(
        c.addRecord(single("echo canceller", OpBlock, Module::Aec, AecCmd::Enable, 1)),
        at(0, Wire::U8),
        with(onOff("aec.enable", 0, "echo cancellation on (not every unit has it)"), Optional));
    const int anc = c.addRecord(single("noise reduction", OpBlock, Module::Anc, AncCmd::State, 2));
    c.addParam(
        anc, at(0, Wire::U8),
        choice("anc.channel",
               {{0, "1"}, {1, "2"}, {2, "3"}, {3, "4"}, {4, "5"}, {5, "6"}, {6, "7"}, {7, "8"}}, 0,
               "the output the noise reduction works on"));
    c.addParam(anc, at(1, Wire::U8),
               choice("anc.level", {{0, "off"}, {1, "weak"}, {2, "strong"}, {3, "strongest"}}, 0,
                      "noise reduction level"));
}

} // namespace

void addDynamicsBlocks(Catalogue &c)
{
    addGate(c);
    addAutomixer(c);
    addLimiter<false>(c);
    addLimiter<true>(c);
    addAgc(c);
    addVoice(c);
}

} // namespace Model
