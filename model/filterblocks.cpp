// The filter blocks (high-pass, low-pass and parametric bands of every input
// and output), the delays and the feedback suppressor.

#include "model/tablehelpers.h"
#include "pages/filters/filtertables.h"

namespace Model {

namespace {

using namespace Tables;
using namespace Proto;

const double BandFrequencies[Channels] = {40,  60,  80,  100, 200,  300,  400,  500,
                                          600, 700, 800, 900, 1000, 2000, 3000, 4000};

QVector<NamedValue> qTable()
{
    QVector<NamedValue> q;
    for (int i = 0; i < FilterTables::QIndexCount; ++i)
        q.append(NamedValue{double(FilterTables::qValue(i)), ""});
    return q;
}

ParamDesc frequency(const char *path, double initial)
{
    return with(number(path, "Hz", FilterTables::MinFrequency, FilterTables::MaxFrequency, 0,
                       initial, "corner frequency (a graph drag may leave a fraction)"),
                WholeRound | KeepsFraction);
}

template <bool Outputs> void addFilter(Catalogue &c)
{
    const quint8 module = Outputs ? Module::OutputFilter : Module::InputFilter;
    const char *name = Outputs ? "output filter" : "input filter";
    const auto cut = [&](quint8 cmd, const char *enable, const char *type, const char *slope,
                         const char *freq, double initial) {
        // The filter pages have always taken an answer longer than the
        // record (a later firmware may add fields) and read its start.
        RecordDesc record = keyed(name, module, cmd, Dims::Channel, 7);
        record.exact = false;
        const int r = c.addRecord(record);
        c.addParam(r, at(0, Wire::U8), onOff(enable, 0, "filter on"));
        c.addParam(
            r, at(1, Wire::U8),
            choice(type, {{0, "bessel"}, {1, "butterworth"}, {2, "link-riley"}}, 0, "filter type"));
        c.addParam(r, at(2, Wire::U8),
                   choice(slope, {{0, "6"}, {1, "12"}, {2, "18"}, {3, "24"}, {4, "36"}, {5, "48"}},
                          0, "slope in dB per octave"));
        c.addParam(r, at(3, Wire::F32), frequency(freq, initial));
    };
    if (Outputs) {
        cut(FilterCmd::HighPass, "output.#.hpf.enable", "output.#.hpf.type", "output.#.hpf.slope",
            "output.#.hpf.frequency", FilterTables::MinFrequency);
        cut(FilterCmd::LowPass, "output.#.lpf.enable", "output.#.lpf.type", "output.#.lpf.slope",
            "output.#.lpf.frequency", FilterTables::MaxFrequency);
    } else {
        cut(FilterCmd::HighPass, "input.#.hpf.enable", "input.#.hpf.type", "input.#.hpf.slope",
            "input.#.hpf.frequency", FilterTables::MinFrequency);
        cut(FilterCmd::LowPass, "input.#.lpf.enable", "input.#.lpf.type", "input.#.lpf.slope",
            "input.#.lpf.frequency", FilterTables::MaxFrequency);
    }

    RecordDesc bandRecord = keyed(name, module, FilterCmd::Band, Dims::ChannelBand, 11);
    bandRecord.exact = false;
    const int band = c.addRecord(bandRecord);
    c.addParam(band, at(0, Wire::U8),
               onOff(Outputs ? "output.#.eq.#.enable" : "input.#.eq.#.enable", 0, "band on"));
    c.addParam(band, at(1, Wire::U8),
               choice(Outputs ? "output.#.eq.#.type" : "input.#.eq.#.type",
                      {{0, "peq"}, {1, "lowshelf"}, {2, "highshelf"}}, 0,
                      "peaking, low shelf or high shelf"));
    ParamDesc f = frequency(Outputs ? "output.#.eq.#.frequency" : "input.#.eq.#.frequency", 1000);
    f.initials = QVector<double>(std::begin(BandFrequencies), std::end(BandFrequencies));
    c.addParam(band, at(2, Wire::F32), f);
    c.addParam(
        band, at(6, Wire::F32),
        with(number(Outputs ? "output.#.eq.#.gain" : "input.#.eq.#.gain", "dB", -20, 20, 1, 0,
                    "band gain (the knob and the graph go to +-15; a graph drag may "
                    "leave a finer fraction)"),
             KeepsFraction));
    ParamDesc q = number(Outputs ? "output.#.eq.#.q" : "input.#.eq.#.q", "", 0, 0, 2, 0,
                         "Q, one of 65 values (a shelf is drawn with 0.67 whatever it holds)");
    q.names = qTable();
    q.minimum = q.names.first().value;
    q.maximum = q.names.last().value;
    q.initial = q.names[43].value; // Q 6.0
    c.addParam(band, at(10, Wire::U8), q);
}

} // namespace

void addFilterBlocks(Catalogue &c)
{
    c.addParam(c.addRecord(table("feedback", OpBlock, Module::Feedback, FeedbackCmd::Enable, 1)),
               at(0, Wire::U8), onOff("input.#.feedback", 0, "feedback suppressor on"));
    addFilter<false>(c);
    addFilter<true>(c);
    c.addParam(c.addRecord(table("input delay", OpBlock, Module::InputDelay, DelayCmd::Delay, 4)),
               at(0, Wire::F32),
               with(number("input.#.delay", "ms", 0, 1000, 2, 0,
                           "delay (typed as a distance it keeps finer fractions)"),
                    KeepsFraction));
    c.addParam(c.addRecord(table("output delay", OpBlock, Module::OutputDelay, DelayCmd::Delay, 4)),
               at(0, Wire::F32),
               with(number("output.#.delay", "ms", 0, 2000, 2, 0,
                           "delay (typed as a distance it keeps finer fractions)"),
                    KeepsFraction));
}

} // namespace Model
