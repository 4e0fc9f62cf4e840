#pragma once

#include "model/paramid.h"
#include "pages/filters/eqfile.h"
#include "pages/filters/filterrecords.h"
#include "pages/filters/filterresponse.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

#include <array>

namespace Model {
class UnitState;
}
class FilterParams;

// One channel's filter block as plain values.
struct EqChannel
{
    std::array<CutFilterRecord, 2> cuts; // high-pass, low-pass
    std::array<PeqBandRecord, FilterResponse::MaxBands> bands;
    int bandCount = FilterResponse::MaxBands; // the bands the unit has (16 or 8)

    // A channel of the unit state.
    static EqChannel of(const Model::UnitState &state, const FilterParams &params, int channel,
                        int bandCount);
    // Gives a response these values as the graph draws them, band count included.
    void fill(FilterResponse &response) const;
    // Stores the values in the unit state as the controls would (bands
    // beyond the band count are left alone) and returns the parameters
    // whose value changed: what has to be written.
    QVector<Model::ParamId> store(Model::UnitState &state, const FilterParams &params,
                                  int channel) const;
    // The channel as equaliser-file filters: the bands below the band count
    // ("PK", "LSC", "HSC", OFF when switched off), then each cut filter as
    // its sections ("HP"/"LP" of the type's Qs, "HP1"/"LP1" for a first-order
    // one), OFF when the filter is off.
    QVector<EqFilter> toFilters() const;
};

// Places the filters of an equaliser file onto a channel's filter block and
// says what came of each.
//
// Peaking filters and shelves take bands, in file order, at most the band
// count. A filter switched off in the file takes a band switched off, unless
// bands are short: then the filters that are on go first. Frequencies are
// taken to whole hertz, gains to tenths of a dB (what the page's fields
// take), Q to the nearest entry of the Q table (on a logarithmic scale); a
// shelf is always made with the unit's fixed shelf Q. A value outside what a
// band takes is brought to the nearest value it takes when that is within
// half an octave (frequency), 6 dB (gain) or an octave (Q) of it; further off
// the filter is not placed. The high-pass filters of the file (at one
// frequency, their orders added) become the high-pass filter with the type
// and slope whose curve lies nearest theirs; likewise the low-pass. What the
// file does not use is switched off: bands below the band count and the cut
// filters. The preamplifier gain and the commands the block has no part in
// are reported, not placed.
//
// The file's curve is computed from its exact values (every filter that is
// on and of a known type, placed or not, the preamplifier left out); the
// unit's curve from the values the channel will hold, as the graph draws it.
class EqImport final
{
    Q_DECLARE_TR_FUNCTIONS(EqImport)

public:
    static constexpr int Points = FilterResponse::Points;
    using Curve = std::array<float, Points>;

    struct Note
    {
        enum Kind
        {
            Placed,       // as the file asks
            Approximated, // on the nearest values the block takes
            NotPlaced,
            Changed // something the file does not use, changed (a band switched off)
        };
        Kind kind = Placed;
        int line = 0;   // of the file, 0 for none
        QString asked;  // the filter as the file has it
        QString result; // what the unit will do, or why nothing
    };

    EqImport(const EqFilterSet &set, const EqChannel &current);

    // The channel as it will be.
    const EqChannel &result() const { return m_result; }
    const QVector<Note> &notes() const { return m_notes; }
    int count(Note::Kind kind) const;

    const Curve &fileCurve() const { return m_fileCurve; }
    const Curve &unitCurve() const { return m_unitCurve; }
    // The largest difference of the two curves from 20 Hz to 20 kHz, in dB.
    double largestDeviation() const { return m_deviation; }

    // The report as lines: a summary, the deviation, then one line per note.
    QStringList report(const QString &channelName) const;
    // The text of one note ("line 4: PK 63 Hz -4.5 dB Q 4.32 -> band 1: ...").
    static QString noteText(const Note &note);

private:
    void placeBands(const QVector<EqFilter> &filters);
    void placeCut(FilterResponse::Cut which, const QVector<EqFilter> &filters);
    void computeCurves(const EqFilterSet &set);
    // Why a filter cannot be placed (empty when it can).
    QString outOfRange(const EqFilter &f) const;
    void add(Note::Kind kind, int line, const QString &asked, const QString &result);

    EqChannel m_result;
    QVector<Note> m_notes;
    Curve m_fileCurve{};
    Curve m_unitCurve{};
    double m_deviation = 0;
};
