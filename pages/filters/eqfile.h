#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QVector>

// One filter of an equaliser file, with the file's exact values.
struct EqFilter
{
    enum Type
    {
        Peaking,
        LowShelf,
        HighShelf,
        HighPass,      // second order
        LowPass,       // second order
        HighPassFirst, // first order
        LowPassFirst,  // first order
        Unknown        // a type the block has nothing for (notch, band-pass, ...)
    };

    int line = 0; // 1-based line of the file
    bool on = true;
    Type type = Unknown;
    QString typeText; // as written, upper case: "PK", "LSC", "NO"
    double frequency = 0;
    double gain = 0;
    double q = 0;          // the section's Q (from Q, a bandwidth or a shelf slope)
    double slope = 0;      // a shelf's slope in dB/oct when the file gave one
    bool qGiven = false;   // Q (or a bandwidth) written in the file
    bool hasValues = true; // false for an unknown type read without checking its values

    bool isBand() const { return type == Peaking || type == LowShelf || type == HighShelf; }
    bool isHighPass() const { return type == HighPass || type == HighPassFirst; }
    bool isLowPass() const { return type == LowPass || type == LowPassFirst; }
    // The filter as a line of the file shows it, for reports: "PK 63 Hz -4.5 dB Q 4.32".
    QString text() const;
};

// What an equaliser file holds: its filters in file order, its preamplifier
// gain and the lines of commands the filter block cannot follow.
struct EqFilterSet
{
    QVector<EqFilter> filters;
    double preamp = 0;           // the sum of the Preamp lines, dB
    QVector<int> preampLines;    // where they are
    QVector<int> ignoredLines;   // lines of commands other than Filter and Preamp
    QStringList ignoredCommands; // the command of each ignored line ("Channel")
};

// Equaliser files as measurement programs and system-wide equalisers write
// them: "Filter 1: ON PK Fc 63.0 Hz Gain -4.5 dB Q 4.32" lines (with or
// without the number), "Preamp: -6 dB" lines, '#' comments and any header
// text. Types: PK/PEQ, LS/HS/LSC/HSC (a Q, a bandwidth "BW Oct", or a slope
// "LSC 6 dB" in dB/oct; without one a Q of 0.7071), HP/LP (second order, Q
// 0.7071 unless given), HPQ/LPQ (Q given), HP1/LP1 (first order). Decimals
// may be written with a comma; lines may end in CRLF.
class EqFile final
{
    Q_DECLARE_TR_FUNCTIONS(EqFile)

public:
    static constexpr qint64 MaxBytes = 1 << 20; // no equaliser file is near this
    static constexpr int MaxLineLength = 1024;
    static constexpr int MaxFilters = 256;
    static constexpr double DefaultQ = 0.7071;

    // Reads the text of a file: false, with `error` naming the line, for a
    // line it cannot read (a filter line with a broken value, a Preamp line
    // without its gain) or a file past the bounds.
    static bool parse(const QByteArray &bytes, EqFilterSet *set, QString *error);
    // Reads a file: it must be a regular file of at most MaxBytes.
    static bool read(const QString &fileName, EqFilterSet *set, QString *error);

    // The equaliser-configuration text of a filter list: '#' comment lines,
    // then one "Filter N: ON|OFF ..." line per filter.
    static QByteArray format(const QStringList &comments, const QVector<EqFilter> &filters);
    // Writes bytes with QSaveFile; false with `error` on failure.
    static bool save(const QString &fileName, const QByteArray &bytes, QString *error);
};
