#include "pages/filters/eqimport.h"

#include "model/unitstate.h"
#include "pages/filters/filterparams.h"
#include "pages/filters/filtersection.h"
#include "pages/filters/filtertables.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

using Cut = FilterResponse::Cut;
constexpr double Nyquist = FilterTables::SampleRate / 2.0;
// How far beyond the block's range a value is still brought to its edge.
constexpr double FrequencyReach = 1.41421356237; // half an octave
constexpr double GainReach = 6.0;                // dB
constexpr double QReach = 2.0;                   // an octave of Q
// Values closer than this to the file's count as the file's.
constexpr double QTolerance = 0.005;  // relative
constexpr double CutTolerance = 0.01; // dB between the curves of a cut filter

int nearestQIndex(double q)
{
    int best = 0;
    for (int i = 1; i < FilterTables::QIndexCount; ++i)
        if (std::fabs(std::log(FilterTables::qValue(i) / q)) <
            std::fabs(std::log(FilterTables::qValue(best) / q)))
            best = i;
    return best;
}

bool sameQ(double a, double b)
{
    return std::fabs(std::log(a / b)) <= QTolerance;
}

float wholeHertz(double f)
{
    return float(qBound(double(FilterTables::MinFrequency), std::round(f),
                        double(FilterTables::MaxFrequency)));
}

QString hertz(double f)
{
    return QString::number(f, 'f', f == std::round(f) ? 0 : 1);
}

QString decibels(double g)
{
    return QString::number(g, 'f', 1);
}

const char *const CutTypeNames[] = {QT_TRANSLATE_NOOP("EqImport", "Bessel"),
                                    QT_TRANSLATE_NOOP("EqImport", "Butterworth"),
                                    QT_TRANSLATE_NOOP("EqImport", "Link-Riley")};
const char *const SlopeNames[] = {"-6", "-12", "-18", "-24", "-36", "-48"};

// The curve of one cut filter alone.
EqImport::Curve cutCurve(Cut which, int type, int slope, float frequency)
{
    FilterResponse r;
    for (int b = 0; b < FilterResponse::MaxBands; ++b)
        r.setBand(b, true, 0, 1000.0f, 0.0f, 1.0f);
    r.setCut(which, false, type, slope, frequency);
    return r.curve();
}

// The largest difference of two curves from 20 Hz to 20 kHz.
double deviation(const float *a, const float *b)
{
    const auto &f = FilterTables::frequencies();
    double worst = 0;
    for (int i = 0; i < FilterTables::Points; ++i)
        if (f[size_t(i)] >= FilterTables::MinFrequency &&
            f[size_t(i)] <= FilterTables::MaxFrequency)
            worst = std::max(worst, std::fabs(double(a[i]) - double(b[i])));
    return worst;
}

// The section of one filter of the file, from its exact values.
FilterSection sectionOf(const EqFilter &f)
{
    switch (f.type) {
    case EqFilter::Peaking:
        return FilterSection::secondOrder(FilterSection::Peaking, f.frequency, f.q, f.gain);
    case EqFilter::LowShelf:
        return FilterSection::secondOrder(FilterSection::LowShelf, f.frequency, f.q, f.gain);
    case EqFilter::HighShelf:
        return FilterSection::secondOrder(FilterSection::HighShelf, f.frequency, f.q, f.gain);
    case EqFilter::HighPass:
        return FilterSection::secondOrder(FilterSection::HighPass, f.frequency, f.q, 0.0);
    case EqFilter::LowPass:
        return FilterSection::secondOrder(FilterSection::LowPass, f.frequency, f.q, 0.0);
    case EqFilter::HighPassFirst:
        return FilterSection::firstOrder(true, f.frequency);
    case EqFilter::LowPassFirst:
        return FilterSection::firstOrder(false, f.frequency);
    case EqFilter::Unknown:
        break;
    }
    return FilterSection();
}

} // namespace

// ---- EqChannel --------------------------------------------------------------

EqChannel EqChannel::of(const Model::UnitState &state, const FilterParams &params, int channel,
                        int bandCount)
{
    EqChannel c;
    c.cuts[Cut::HighPass] = params.cutValues(state, Cut::HighPass, channel);
    c.cuts[Cut::LowPass] = params.cutValues(state, Cut::LowPass, channel);
    for (int b = 0; b < FilterResponse::MaxBands; ++b)
        c.bands[size_t(b)] = params.bandValues(state, channel, b);
    c.bandCount = qBound(1, bandCount, FilterResponse::MaxBands);
    return c;
}

void EqChannel::fill(FilterResponse &response) const
{
    response.setBandCount(bandCount);
    for (Cut which : {Cut::HighPass, Cut::LowPass}) {
        const CutFilterRecord &r = cuts[which];
        response.setCut(which, !r.enable, r.type, r.slope, r.frequency);
    }
    for (int b = 0; b < FilterResponse::MaxBands; ++b) {
        const PeqBandRecord &r = bands[size_t(b)];
        response.setBand(b, !r.enable, r.type, r.frequency, r.gain, r.drawnQ());
    }
}

QVector<Model::ParamId> EqChannel::store(Model::UnitState &state, const FilterParams &params,
                                         int channel) const
{
    QVector<Model::ParamId> changed;
    const auto set = [&](const Model::ParamId &id, double value) {
        if (state.number(id) != value) {
            state.setNumber(id, value);
            changed.append(id);
        }
    };
    for (Cut which : {Cut::HighPass, Cut::LowPass}) {
        const CutFilterRecord &r = cuts[which];
        set(params.cut(which, FilterParams::CutEnable, channel), r.enable ? 1 : 0);
        set(params.cut(which, FilterParams::CutType, channel), r.type);
        set(params.cut(which, FilterParams::CutSlope, channel), r.slope);
        set(params.cut(which, FilterParams::CutFrequency, channel), double(r.frequency));
    }
    for (int b = 0; b < bandCount; ++b) {
        const PeqBandRecord &r = bands[size_t(b)];
        set(params.band(FilterParams::BandEnable, channel, b), r.enable ? 1 : 0);
        set(params.band(FilterParams::BandType, channel, b), r.type);
        set(params.band(FilterParams::BandFrequency, channel, b), double(r.frequency));
        set(params.band(FilterParams::BandGain, channel, b), double(r.gain));
        const Model::ParamId q = params.band(FilterParams::BandQ, channel, b);
        if (state.tableIndex(q) != r.qIndex) {
            state.setNumber(q, double(FilterTables::qValue(r.qIndex)));
            changed.append(q);
        }
    }
    return changed;
}

QVector<EqFilter> EqChannel::toFilters() const
{
    static const char *const bandTypes[] = {"PK", "LSC", "HSC"};
    QVector<EqFilter> out;
    for (int b = 0; b < bandCount; ++b) {
        const PeqBandRecord &r = bands[size_t(b)];
        EqFilter f;
        f.on = r.enable;
        f.type = r.type == 1   ? EqFilter::LowShelf
                 : r.type == 2 ? EqFilter::HighShelf
                               : EqFilter::Peaking;
        f.typeText = QLatin1String(bandTypes[r.type < 3 ? r.type : 0]);
        f.frequency = double(r.frequency);
        f.gain = double(r.gain);
        f.q = double(r.drawnQ());
        f.qGiven = true;
        out.append(f);
    }
    for (Cut which : {Cut::HighPass, Cut::LowPass}) {
        const CutFilterRecord &r = cuts[which];
        const bool high = which == Cut::HighPass;
        const int order = FilterTables::cutOrder(r.slope);
        EqFilter f;
        f.on = r.enable;
        f.frequency = double(r.frequency);
        f.qGiven = true;
        for (int i = 0; i < order / 2; ++i) {
            f.type = high ? EqFilter::HighPass : EqFilter::LowPass;
            f.typeText = QLatin1String(high ? "HP" : "LP");
            f.q = FilterTables::cutQ(r.type, r.slope, i);
            out.append(f);
        }
        if (order % 2) {
            f.type = high ? EqFilter::HighPassFirst : EqFilter::LowPassFirst;
            f.typeText = QLatin1String(high ? "HP1" : "LP1");
            f.q = 0;
            f.qGiven = false;
            out.append(f);
        }
    }
    return out;
}

// ---- EqImport ---------------------------------------------------------------

EqImport::EqImport(const EqFilterSet &set, const EqChannel &current) : m_result(current)
{
    QVector<EqFilter> bands, cuts[2];
    for (const EqFilter &f : set.filters) {
        if (f.isBand())
            bands.append(f);
        else if (f.isHighPass())
            cuts[Cut::HighPass].append(f);
        else if (f.isLowPass())
            cuts[Cut::LowPass].append(f);
        else
            add(Note::NotPlaced, f.line, f.text(),
                tr("the filter block has no filter of this type"));
    }
    placeBands(bands);
    placeCut(Cut::HighPass, cuts[Cut::HighPass]);
    placeCut(Cut::LowPass, cuts[Cut::LowPass]);
    if (set.preamp != 0 && !set.preampLines.isEmpty())
        add(Note::NotPlaced, set.preampLines.first(),
            QStringLiteral("Preamp %1 dB").arg(decibels(set.preamp)),
            tr("the filter block has no gain of its own; set the channel's level instead"));
    for (int i = 0; i < set.ignoredLines.size(); ++i)
        add(Note::NotPlaced, set.ignoredLines[i], set.ignoredCommands[i] + QLatin1Char(':'),
            tr("a command the filter block does not follow; every filter of the file is placed "
               "on this channel"));
    // In the order of the file; what the file does not use last.
    std::stable_sort(m_notes.begin(), m_notes.end(), [](const Note &a, const Note &b) {
        return (a.line == 0 ? INT_MAX : a.line) < (b.line == 0 ? INT_MAX : b.line);
    });
    computeCurves(set);
}

void EqImport::add(Note::Kind kind, int line, const QString &asked, const QString &result)
{
    m_notes.append(Note{kind, line, asked, result});
}

int EqImport::count(Note::Kind kind) const
{
    return int(std::count_if(m_notes.begin(), m_notes.end(),
                             [kind](const Note &n) { return n.kind == kind; }));
}

QString EqImport::outOfRange(const EqFilter &f) const
{
    const double low = FilterTables::MinFrequency, high = FilterTables::MaxFrequency;
    if (f.frequency < low / FrequencyReach || f.frequency > high * FrequencyReach)
        return tr("its frequency lies outside what the block takes (%1 to %2 Hz)")
            .arg(low)
            .arg(high);
    if (f.isBand() && std::fabs(f.gain) > PeqBandRecord::GainLimit + GainReach)
        return tr("its gain lies outside what a band takes (%1 to %2 dB)")
            .arg(-PeqBandRecord::GainLimit)
            .arg(PeqBandRecord::GainLimit);
    const double qLow = FilterTables::qValue(0), qHigh = FilterTables::qValue(64);
    if (f.type == EqFilter::Peaking && (f.q < qLow / QReach || f.q > qHigh * QReach))
        return tr("its Q lies outside what a band takes (%1 to %2)").arg(qLow).arg(qHigh);
    return QString();
}

void EqImport::placeBands(const QVector<EqFilter> &filters)
{
    QVector<EqFilter> placeable;
    for (const EqFilter &f : filters) {
        const QString why = outOfRange(f);
        if (why.isEmpty())
            placeable.append(f);
        else
            add(Note::NotPlaced, f.line, f.text(), why);
    }
    const int count = m_result.bandCount;
    // Filters switched off in the file keep their places only when every
    // filter finds a band.
    const bool keepOff = placeable.size() <= count;
    int band = 0;
    for (const EqFilter &f : qAsConst(placeable)) {
        if (!f.on && !keepOff) {
            add(Note::NotPlaced, f.line, f.text(),
                tr("switched off in the file, and no band is left for it"));
            continue;
        }
        if (band >= count) {
            add(Note::NotPlaced, f.line, f.text(),
                tr("no band is left for it (the unit has %1 bands)").arg(count));
            continue;
        }
        PeqBandRecord r;
        r.enable = f.on ? 1 : 0;
        r.type = f.type == EqFilter::LowShelf ? 1 : f.type == EqFilter::HighShelf ? 2 : 0;
        r.frequency = wholeHertz(f.frequency);
        r.gain = float(qBound(-double(PeqBandRecord::GainLimit), std::round(f.gain * 10.0) / 10.0,
                              double(PeqBandRecord::GainLimit)));
        r.qIndex = quint8(nearestQIndex(f.q));
        m_result.bands[size_t(band)] = r;
        const bool exact = std::fabs(double(r.frequency) - f.frequency) <= 1e-6 * f.frequency &&
                           std::fabs(double(r.gain) - f.gain) <= 1e-5 && sameQ(r.drawnQ(), f.q);
        static const char *const typeNames[] = {QT_TRANSLATE_NOOP("EqImport", "PEQ"),
                                                QT_TRANSLATE_NOOP("EqImport", "LowShelf"),
                                                QT_TRANSLATE_NOOP("EqImport", "HighShelf")};
        QString result =
            tr("band %1: %2 %3 Hz %4 dB")
                .arg(band + 1)
                .arg(tr(typeNames[r.type]), hertz(double(r.frequency)), decibels(double(r.gain)));
        if (r.type == 0)
            result += QStringLiteral(" Q %1").arg(double(r.drawnQ()), 0, 'f', 2);
        else if (!sameQ(r.drawnQ(), f.q))
            result += tr(" (a shelf's Q is always %1)").arg(double(FilterTables::ShelfQ));
        if (!f.on)
            result += tr(", switched off");
        add(exact ? Note::Placed : Note::Approximated, f.line, f.text(), result);
        ++band;
    }
    if (band < count) {
        bool wasOn = false;
        for (int b = band; b < count; ++b) {
            wasOn = wasOn || m_result.bands[size_t(b)].enable;
            m_result.bands[size_t(b)].enable = 0;
        }
        if (wasOn)
            add(Note::Changed, 0,
                band + 1 == count ? tr("band %1").arg(count)
                                  : tr("bands %1 to %2").arg(band + 1).arg(count),
                tr("not used by the file: switched off"));
    }
}

void EqImport::placeCut(Cut which, const QVector<EqFilter> &filters)
{
    CutFilterRecord &r = m_result.cuts[which];
    const QString name = which == Cut::HighPass ? tr("high-pass") : tr("low-pass");
    // The first filter that is on (else the first one) and those of the
    // same state at its frequency make the block's filter.
    int lead = -1;
    for (int i = 0; i < filters.size() && lead < 0; ++i)
        if (filters[i].on)
            lead = i;
    if (lead < 0 && !filters.isEmpty())
        lead = 0;
    QVector<EqFilter> group;
    for (int i = 0; i < filters.size(); ++i) {
        const EqFilter &f = filters[i];
        if (lead >= 0 && f.on == filters[lead].on && f.frequency == filters[lead].frequency)
            group.append(f);
        else
            add(Note::NotPlaced, f.line, f.text(),
                tr("the unit has one %1 filter, taken by line %2")
                    .arg(name)
                    .arg(filters[lead].line));
    }
    const QString why = group.isEmpty() ? QString() : outOfRange(group.first());
    if (group.isEmpty() || !why.isEmpty()) {
        if (!why.isEmpty())
            for (const EqFilter &f : qAsConst(group))
                add(Note::NotPlaced, f.line, f.text(), why);
        if (r.enable)
            add(Note::Changed, 0, name,
                group.isEmpty() ? tr("the file has none: switched off") : tr("switched off"));
        r.enable = 0;
        return;
    }

    // The type and slope whose curve lies nearest the group's; on a tie
    // (first order) the channel's type stays.
    const float frequency = wholeHertz(group.first().frequency);
    float wanted[FilterTables::Points] = {};
    int order = 0;
    QStringList asked;
    for (const EqFilter &f : qAsConst(group)) {
        float db[FilterTables::Points];
        sectionOf(f).evaluate(db);
        for (int i = 0; i < FilterTables::Points; ++i)
            wanted[i] += db[i];
        order += f.type == EqFilter::HighPassFirst || f.type == EqFilter::LowPassFirst ? 1 : 2;
        asked << f.text();
    }
    int bestType = r.type < FilterTables::CutTypes ? r.type : 0, bestSlope = 0;
    double best = -1;
    for (int slope = 0; slope < FilterTables::Slopes; ++slope)
        for (int type = 0; type < FilterTables::CutTypes; ++type) {
            const double d = deviation(cutCurve(which, type, slope, frequency).data(), wanted);
            if (best < 0 || d < best - 1e-6 || (d <= best + 1e-6 && type == r.type)) {
                best = d;
                bestType = type;
                bestSlope = slope;
            }
        }
    r.enable = group.first().on ? 1 : 0;
    r.type = quint8(bestType);
    r.slope = quint8(bestSlope);
    r.frequency = frequency;
    const bool exact = order == FilterTables::cutOrder(bestSlope) && best <= CutTolerance &&
                       double(frequency) == group.first().frequency;
    QString result = tr("%1 %2 %3 dB/oct %4 Hz")
                         .arg(name, tr(CutTypeNames[bestType]),
                              QLatin1String(SlopeNames[bestSlope]), hertz(double(frequency)));
    if (!r.enable)
        result += tr(", switched off");
    add(exact ? Note::Placed : Note::Approximated, group.first().line,
        asked.join(QStringLiteral(" + ")), result);
}

void EqImport::computeCurves(const EqFilterSet &set)
{
    m_fileCurve.fill(0.0f);
    float db[FilterTables::Points];
    for (const EqFilter &f : set.filters) {
        if (!f.on || !f.hasValues || f.type == EqFilter::Unknown || f.frequency >= Nyquist)
            continue;
        sectionOf(f).evaluate(db);
        for (int i = 0; i < Points; ++i)
            m_fileCurve[size_t(i)] += db[i];
    }
    FilterResponse unit;
    m_result.fill(unit);
    m_unitCurve = unit.curve();
    m_deviation = deviation(m_fileCurve.data(), m_unitCurve.data());
}

QString EqImport::noteText(const Note &note)
{
    QString result = note.result;
    if (note.kind == Note::Approximated)
        result = tr("approximated: %1").arg(note.result);
    else if (note.kind == Note::NotPlaced)
        result = tr("not placed: %1").arg(note.result);
    const QString text = note.asked + QStringLiteral(" -> ") + result;
    return note.line > 0 ? tr("line %1: %2").arg(note.line).arg(text) : text;
}

QStringList EqImport::report(const QString &channelName) const
{
    const int placed = count(Note::Placed), approximated = count(Note::Approximated);
    QStringList lines;
    lines << tr("%1: %2 placed as the file asks, %3 approximated, %4 not placed")
                 .arg(channelName)
                 .arg(placed)
                 .arg(approximated)
                 .arg(count(Note::NotPlaced));
    lines << tr("largest deviation from the file's curve, 20 Hz to 20 kHz: %1 dB")
                 .arg(m_deviation, 0, 'f', 2);
    for (const Note &n : m_notes)
        lines << noteText(n);
    return lines;
}
