#pragma once

#include <QByteArray>
#include <QtGlobal>

class AnswerReader;

// The two records of the filter block as they travel to and from the unit
// (little-endian, packed), after the channel byte (and, for a band, the band
// byte).

// A high-pass or low-pass filter: 7 bytes.
struct CutFilterRecord
{
    static constexpr int Size = 7;

    quint8 enable = 0;
    quint8 type = 0;  // 0 Bessel, 1 Butterworth, 2 Link-Riley
    quint8 slope = 0; // 0 -6, 1 -12, 2 -18, 3 -24, 4 -36, 5 -48 dB/oct
    float frequency = 20.0f;

    QByteArray toBytes() const;
    // Takes the record of an answer starting at `offset`: enable from its
    // byte, the type and slope only when they are known, the frequency
    // rounded to whole Hz within 20..20000. A field that cannot be read (out
    // of range, not a number) keeps its value.
    void readAnswer(const AnswerReader &answer, int offset);
    bool operator==(const CutFilterRecord &other) const;
    bool operator!=(const CutFilterRecord &other) const { return !(*this == other); }
};

// One parametric band: 11 bytes.
struct PeqBandRecord
{
    static constexpr int Size = 11;
    static constexpr quint8 DefaultQIndex = 43; // Q 6.0
    static constexpr float GainLimit = 20.0f;   // the widest gain a band takes

    quint8 enable = 0;
    quint8 type = 0; // 0 peaking, 1 low shelf, 2 high shelf
    float frequency = 1000.0f;
    float gain = 0.0f;
    quint8 qIndex = DefaultQIndex;

    QByteArray toBytes() const;
    // Takes the record of an answer starting at `offset`, as CutFilterRecord
    // does; the gain is limited to +-20 dB and a Q index without a Q table
    // entry leaves the Q as it was.
    void readAnswer(const AnswerReader &answer, int offset);
    // The Q the band is drawn with: its Q table entry for a peaking band, the
    // fixed shelf Q for the two shelves.
    float drawnQ() const;
    bool operator==(const PeqBandRecord &other) const;
    bool operator!=(const PeqBandRecord &other) const { return !(*this == other); }
};
