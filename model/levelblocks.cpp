// The level blocks: input level, pre-mix and output level with their gain
// limits, the matrix crosspoints, the signal generator and the channel labels.

#include "model/gainrules.h"
#include "model/inputgain.h"
#include "model/tablehelpers.h"
#include "model/unitstate.h"

namespace Model {

namespace {

using namespace Tables;
using namespace Proto;

// ---- input level: the total gain is a preamplifier step and a trim --------

bool lineMode(const UnitState &s, const ParamId &id)
{
    return s.number(s.catalogue().id("input.#.mode", id.a)) != 0;
}

void totalRange(const UnitState &s, const ParamId &id, double *lo, double *hi)
{
    *lo = InputGain::minimum(lineMode(s, id));
    *hi = InputGain::maximum(lineMode(s, id));
}

// The trim keeps the total within the mode's range.
void trimRange(const UnitState &s, const ParamId &id, double *lo, double *hi)
{
    const double step = s.number(s.catalogue().id("input.#.step", id.a));
    totalRange(s, id, lo, hi);
    *lo -= step;
    *hi -= step;
}

double totalGain(const UnitState &s, const ParamId &id)
{
    const Catalogue &c = s.catalogue();
    return InputGain::clampTotal(
        float(s.number(c.id("input.#.step", id.a)) + s.number(c.id("input.#.trim", id.a))),
        lineMode(s, id));
}

void assignTotal(UnitState &s, const ParamId &id, double value)
{
    const Catalogue &c = s.catalogue();
    const bool line = lineMode(s, id);
    const InputGain::Split split =
        InputGain::split(InputGain::clampTotal(float(value), line), line);
    s.store(c.id("input.#.step", id.a), InputGain::stepDb(split.step));
    s.store(c.id("input.#.trim", id.a), double(split.digital));
}

// A change of mode leaves the input at 0 dB, and line inputs have no phantom
// power.
void modeEdited(UnitState &s, const ParamId &id)
{
    const Catalogue &c = s.catalogue();
    s.store(c.id("input.#.step", id.a), 0.0);
    s.store(c.id("input.#.trim", id.a), 0.0);
    if (lineMode(s, id))
        s.store(c.id("input.#.phantom", id.a), 0.0);
}

void phantomRange(const UnitState &s, const ParamId &id, double *lo, double *hi)
{
    *lo = 0;
    *hi = lineMode(s, id) ? 0 : 1;
}

double stepIndex(double raw)
{
    return InputGain::sanitizeStep(quint8(raw));
}

double nonZero(double raw)
{
    return raw != 0 ? 1 : 0;
}

// ---- pre-mix and output level ---------------------------------------------

// A level stays within its channel's limits.
template <bool Outputs>
void levelRange(const UnitState &s, const ParamId &id, double *lo, double *hi)
{
    const Catalogue &c = s.catalogue();
    const double upper = s.number(c.id(Outputs ? "output.#.max" : "premix.#.max", id.a));
    const double lower = s.number(c.id(Outputs ? "output.#.min" : "premix.#.min", id.a));
    *lo = qMax(double(GainRules::LevelMin), lower);
    *hi = qMax(*lo, qMin(double(GainRules::LevelMax), upper));
}

double levelToWire(double gain)
{
    return GainRules::levelOnWire(float(gain));
}

double levelFromWire(double gain)
{
    return qMax(gain, double(GainRules::LevelMin));
}

double crosspointToWire(double gain)
{
    return GainRules::crosspointOnWire(int(gain));
}

double crosspointFromWire(double gain)
{
    return GainRules::clampCrosspoint(int(gain));
}

QVector<NamedValue> groups()
{
    return {{0, "none"}, {1, "1"}, {2, "2"}, {3, "3"}, {4, "4"},
            {5, "5"},    {6, "6"}, {7, "7"}, {8, "8"}};
}

template <bool Outputs> void addLevel(Catalogue &c)
{
    const quint8 module = Outputs ? Module::OutputLevel : Module::PreMixLevel;
    // The output block's tables may be longer than 16 values; the first 16 count.
    const bool exact = !Outputs;
    const quint8 muteCmd = Outputs ? OutLevelCmd::Mute : PreMixCmd::Mute;
    const quint8 gainCmd = Outputs ? OutLevelCmd::Gain : PreMixCmd::Gain;
    const quint8 invertCmd = Outputs ? OutLevelCmd::Invert : PreMixCmd::Invert;
    const quint8 groupCmd = Outputs ? OutLevelCmd::Group : PreMixCmd::Group;
    const quint8 limitsCmd = Outputs ? OutLevelCmd::Limits : PreMixCmd::Limits;
    const char *name = Outputs ? "output level" : "pre-mix level";

    // The limits come as two floats per channel and go as two bytes.
    RecordDesc limits = table(name, OpBlock, module, limitsCmd, 8);
    limits.writeElement = 2;
    const int lim = c.addRecord(limits);
    // Whole dB: reported values are truncated, as the settings page shows them.
    ParamDesc max = with(number(Outputs ? "output.#.max" : "premix.#.max", "dB",
                                GainRules::LimitMin, GainRules::LimitMax, 0, GainRules::LimitMax,
                                "the highest gain allowed (the touch screen's limit)"),
                         Whole);
    ParamDesc min = with(number(Outputs ? "output.#.min" : "premix.#.min", "dB",
                                GainRules::LimitMin, GainRules::LimitMax, 0, GainRules::LimitMin,
                                "the lowest gain allowed (the touch screen's limit)"),
                         Whole);
    c.addParam(lim, FieldDesc{0, Wire::F32, 0, Wire::I8, 0}, max);
    c.addParam(lim, FieldDesc{4, Wire::F32, 1, Wire::I8, 0}, min);

    ParamDesc gain = number(Outputs ? "output.#.gain" : "premix.#.gain", "dB", GainRules::LevelMin,
                            GainRules::LevelMax, 1, 0,
                            "within the channel's limits; -56.0 is off (sent as -100)");
    gain.flags |= AnswerInRange;
    gain.rules.range = &levelRange<Outputs>;
    gain.rules.toWire = &levelToWire;
    gain.rules.fromWire = &levelFromWire;
    c.addParam(c.addRecord(table(name, OpBlock, module, muteCmd, 1, exact)), at(0, Wire::U8),
               onOff(Outputs ? "output.#.mute" : "premix.#.mute", 0, "muted"));
    c.addParam(c.addRecord(table(name, OpBlock, module, gainCmd, 4, exact)), at(0, Wire::F32),
               gain);
    c.addParam(c.addRecord(table(name, OpBlock, module, invertCmd, 1, exact)), at(0, Wire::U8),
               onOff(Outputs ? "output.#.invert" : "premix.#.invert", 0, "polarity inverted"));
    c.addParam(c.addRecord(table(name, OpBlock, module, groupCmd, 1, exact)), at(0, Wire::I8),
               choice(Outputs ? "output.#.group" : "premix.#.group", groups(), 0,
                      "link group: channels of a group move together on the page"));
    if (!Outputs)
        c.addParam(c.addRecord(table(name, OpBlock, module, PreMixCmd::Priority, 1)),
                   at(0, Wire::U8), onOff("premix.#.priority", 0, "priority channel"));
}

void addInputLevel(Catalogue &c)
{
    const auto rec = [&c](quint8 cmd, int element) {
        return c.addRecord(table("input level", OpBlock, Module::InputLevel, cmd, element));
    };
    c.addParam(rec(InLevelCmd::Mute, 1), at(0, Wire::U8), onOff("input.#.mute", 0, "muted"));
    ParamDesc trim = number("input.#.trim", "dB", -InputGain::TrimLimit, InputGain::TrimLimit, 1, 0,
                            "digital trim after the preamplifier step; the total stays within "
                            "the mode's range");
    trim.rules.range = &trimRange;
    c.addParam(rec(InLevelCmd::Gain, 4), at(0, Wire::F32), trim);
    ParamDesc mode =
        choice("input.#.mode", {{0, "mic"}, {1, "line"}}, 1,
               "microphone or line; a change leaves the input at 0 dB (line: no phantom power)");
    mode.rules.sanitize = &nonZero;
    mode.rules.afterEdit = &modeEdited;
    c.addParam(rec(InLevelCmd::Mode, 1), at(0, Wire::U8), mode);
    ParamDesc phantom = onOff("input.#.phantom", 0, "48 V phantom power (microphone mode only)");
    phantom.rules.range = &phantomRange;
    c.addParam(rec(InLevelCmd::Phantom, 1), at(0, Wire::U8), phantom);
    ParamDesc step = number("input.#.step", "dB", 0, 50, 0, 0, "preamplifier step");
    step.names = {{0, "0"},   {5, "5"},   {10, "10"}, {15, "15"}, {20, "20"},
                  {25, "25"}, {30, "30"}, {40, "40"}, {50, "50"}};
    step.rules.sanitize = &stepIndex;
    c.addParam(rec(InLevelCmd::Step, 1), at(0, Wire::U8), step);

    ParamDesc total = number("input.#.gain", "dB", -12, 50, 1, 0,
                             "0.0..50.0 (mic) or -12.0..12.0 (line); sent as preamplifier step "
                             "and trim");
    total.rules.range = &totalRange;
    total.rules.compute = &totalGain;
    total.rules.assign = &assignTotal;
    c.addDerived(total, {"input.#.step", "input.#.trim", "input.#.mode"});
}

void addMatrix(Catalogue &c)
{
    const auto row = [&c](quint8 cmd) {
        RecordDesc r;
        r.name = "matrix";
        r.op = OpBlock;
        r.module = Module::Matrix;
        r.readCmd = cmd;
        r.writeCmd = cmd;
        r.shape = Shape::Row;
        r.dims = Dims::InputOutput;
        r.answerElement = 1;
        r.writeElement = 1;
        return c.addRecord(r);
    };
    c.addParam(row(MatrixCmd::On), at(0, Wire::U8),
               onOff("matrix.#.#.on", 0, "input routed to output (also matrix.I.O)"));
    ParamDesc gain = number("matrix.#.#.gain", "dB", GainRules::CrosspointMin,
                            GainRules::CrosspointMax, 0, 0, "crosspoint gain; -56 is off");
    gain.rules.toWire = &crosspointToWire;
    gain.rules.fromWire = &crosspointFromWire;
    c.addParam(row(MatrixCmd::Gain), at(0, Wire::I8), gain);
}

void addGenerator(Catalogue &c)
{
    const quint8 m = Module::Generator;
    c.addParam(c.addRecord(table("generator", OpBlock, m, GeneratorCmd::Outputs, 1)),
               at(0, Wire::U8), onOff("generator.output.#", 0, "the generator feeds this output"));
    c.addParam(
        c.addRecord(single("generator", OpBlock, m, GeneratorCmd::Frequency, 4)), at(0, Wire::F32),
        with(number("generator.frequency", "Hz", 0, 24000, 0, 1000, "sine frequency"), WholeRound));
    c.addParam(c.addRecord(single("generator", OpBlock, m, GeneratorCmd::Type, 1)), at(0, Wire::U8),
               choice("generator.type", {{0, "pink"}, {1, "sine"}, {2, "white"}}, 1,
                      "pink noise, sine or white noise"));
    c.addParam(c.addRecord(single("generator", OpBlock, m, GeneratorCmd::Mute, 1)), at(0, Wire::U8),
               onOff("generator.mute", 0, "muted"));
    c.addParam(c.addRecord(single("generator", OpBlock, m, GeneratorCmd::Gain, 4)),
               at(0, Wire::F32),
               with(number("generator.gain", "dB", -70, 12, 0, -30, "level"), WholeRound));
}

void addLabels(Catalogue &c)
{
    const auto labels = [&c](quint8 cmd, int width, const char *path, const char *help) {
        RecordDesc r = table("labels", OpSystem, SysModule::Labels, cmd, width);
        c.addParam(c.addRecord(r), textField(width), text(path, width, help));
    };
    labels(LabelCmd::Inputs, 16, "label.input.#", "the input's name");
    labels(LabelCmd::Outputs, 16, "label.output.#", "the output's name");
    labels(LabelCmd::Panel, 10, "label.panel.#", "the input's name on the touch screen");
}

} // namespace

void addLevelBlocks(Catalogue &c)
{
    addInputLevel(c);
    addLevel<false>(c);
    addMatrix(c);
    addGenerator(c);
    addLevel<true>(c);
    addLabels(c);
}

} // namespace Model
