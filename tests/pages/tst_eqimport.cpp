// Equaliser files without a widget: reading the two text formats, placing a
// file onto a channel's block, the curves and their deviation (checked
// against biquads evaluated here on the unit circle), and export read back.

#include "pages/filters/eqfile.h"
#include "pages/filters/eqimport.h"
#include "pages/filters/filtertables.h"
#include "tests/support/testsupport.h"

#include <QTemporaryDir>
#include <QTest>

#include <complex>

namespace {

using Note = EqImport::Note;
constexpr double Pi = 3.14159265358979323846;
constexpr double Rate = 192000.0;

EqFilterSet parsed(const QByteArray &text)
{
    EqFilterSet set;
    QString error;
    if (!EqFile::parse(text, &set, &error))
        qWarning("%s", qPrintable(error));
    return set;
}

// A channel with every band and both cut filters off.
EqChannel blank(int bandCount)
{
    EqChannel c;
    c.bandCount = bandCount;
    for (auto &b : c.bands)
        b.enable = 0;
    for (auto &cut : c.cuts)
        cut.enable = 0;
    return c;
}

// |H| in dB of a cookbook biquad (kind as FilterSection's: 1 high-pass,
// 2 low-pass, 3 peaking, 4 low shelf, 5 high shelf) at `hz`, evaluated from
// the transfer function on the unit circle.
double biquadDb(int kind, double f0, double q, double gain, double hz)
{
    const double w0 = 2 * Pi * f0 / Rate, c = std::cos(w0), alpha = std::sin(w0) / (2 * q);
    const double a = std::pow(10.0, gain / 40.0), sa = 2 * std::sqrt(a) * alpha;
    double b0, b1, b2, a0, a1, a2;
    switch (kind) {
    case 1:
        b0 = (1 + c) / 2, b1 = -(1 + c), b2 = (1 + c) / 2, a0 = 1 + alpha, a1 = -2 * c,
        a2 = 1 - alpha;
        break;
    case 2:
        b0 = (1 - c) / 2, b1 = 1 - c, b2 = (1 - c) / 2, a0 = 1 + alpha, a1 = -2 * c, a2 = 1 - alpha;
        break;
    case 3:
        b0 = 1 + alpha * a, b1 = -2 * c, b2 = 1 - alpha * a, a0 = 1 + alpha / a, a1 = -2 * c,
        a2 = 1 - alpha / a;
        break;
    case 4:
        b0 = a * ((a + 1) - (a - 1) * c + sa), b1 = 2 * a * ((a - 1) - (a + 1) * c),
        b2 = a * ((a + 1) - (a - 1) * c - sa), a0 = (a + 1) + (a - 1) * c + sa,
        a1 = -2 * ((a - 1) + (a + 1) * c), a2 = (a + 1) + (a - 1) * c - sa;
        break;
    default:
        b0 = a * ((a + 1) + (a - 1) * c + sa), b1 = -2 * a * ((a - 1) + (a + 1) * c),
        b2 = a * ((a + 1) + (a - 1) * c - sa), a0 = (a + 1) - (a - 1) * c + sa,
        a1 = 2 * ((a - 1) - (a + 1) * c), a2 = (a + 1) - (a - 1) * c - sa;
        break;
    }
    const std::complex<double> z1 = std::polar(1.0, -2 * Pi * hz / Rate), z2 = z1 * z1;
    return 20 * std::log10(std::abs((b0 + b1 * z1 + b2 * z2) / (a0 + a1 * z1 + a2 * z2)));
}

// A first-order section as the unit makes it (bilinear, prewarped).
double firstOrderDb(bool high, double f0, double hz)
{
    const double wc = 2 * Pi * f0, k = wc / std::tan(Pi * f0 / Rate);
    const double b0 = high ? k / (wc + k) : wc / (wc + k), b1 = high ? -b0 : b0;
    const double a1 = (wc - k) / (wc + k);
    const std::complex<double> z1 = std::polar(1.0, -2 * Pi * hz / Rate);
    return 20 * std::log10(std::abs((b0 + b1 * z1) / (1.0 + a1 * z1)));
}

double fileDb(const EqFilter &f, double hz)
{
    switch (f.type) {
    case EqFilter::Peaking:
        return biquadDb(3, f.frequency, f.q, f.gain, hz);
    case EqFilter::LowShelf:
        return biquadDb(4, f.frequency, f.q, f.gain, hz);
    case EqFilter::HighShelf:
        return biquadDb(5, f.frequency, f.q, f.gain, hz);
    case EqFilter::HighPass:
        return biquadDb(1, f.frequency, f.q, 0, hz);
    case EqFilter::LowPass:
        return biquadDb(2, f.frequency, f.q, 0, hz);
    case EqFilter::HighPassFirst:
    case EqFilter::LowPassFirst:
        return firstOrderDb(f.type == EqFilter::HighPassFirst, f.frequency, hz);
    default:
        return 0;
    }
}

// The unit's response of a channel, from its values and the tables.
double unitDb(const EqChannel &c, double hz)
{
    static const int orders[] = {1, 2, 3, 4, 6, 8};
    double db = 0;
    for (int which = 0; which < 2; ++which) {
        const CutFilterRecord &r = c.cuts[size_t(which)];
        if (!r.enable)
            continue;
        const int order = orders[r.slope];
        for (int i = 0; i < order / 2; ++i)
            db += biquadDb(which == 0 ? 1 : 2, r.frequency, FilterTables::cutQ(r.type, r.slope, i),
                           0, hz);
        if (order % 2)
            db += firstOrderDb(which == 0, r.frequency, hz);
    }
    for (int b = 0; b < c.bandCount; ++b) {
        const PeqBandRecord &r = c.bands[size_t(b)];
        if (r.enable)
            db += biquadDb(3 + r.type, r.frequency, r.type ? 0.67 : FilterTables::qValue(r.qIndex),
                           r.gain, hz);
    }
    return db;
}

double largestDifference(const EqFilterSet &set, const EqChannel &unit)
{
    double worst = 0;
    for (double hz : FilterTables::frequencies()) {
        if (hz < 20 || hz > 20000)
            continue;
        double file = 0;
        for (const EqFilter &f : set.filters)
            if (f.on)
                file += fileDb(f, hz);
        worst = std::max(worst, std::fabs(file - unitDb(unit, hz)));
    }
    return worst;
}

} // namespace

class TestEqImport final : public QObject
{
    Q_OBJECT

private slots:
    void readsAFilterLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("on");
        QTest::addColumn<double>("frequency");
        QTest::addColumn<double>("gain");
        QTest::addColumn<double>("q");
        QTest::newRow("measurement program")
            << QByteArray("Filter  1: ON  PK       Fc   63.0 Hz  Gain  -4.5 dB  Q  4.32")
            << int(EqFilter::Peaking) << true << 63.0 << -4.5 << 4.32;
        QTest::newRow("equaliser configuration, no number")
            << QByteArray("Filter: ON PK Fc 63 Hz Gain -4.5 dB Q 4.32") << int(EqFilter::Peaking)
            << true << 63.0 << -4.5 << 4.32;
        QTest::newRow("decimal commas, off")
            << QByteArray("Filter 2: OFF PEQ Fc 1234,5 Hz Gain 3,25 dB Q 0,7")
            << int(EqFilter::Peaking) << false << 1234.5 << 3.25 << 0.7;
        QTest::newRow("units stuck to numbers, kHz")
            << QByteArray("filter 3: on pk fc 1.5kHz gain -2dB q 2") << int(EqFilter::Peaking)
            << true << 1500.0 << -2.0 << 2.0;
        QTest::newRow("bandwidth of one octave")
            << QByteArray("Filter: ON PK Fc 1000 Hz Gain 3 dB BW Oct 1") << int(EqFilter::Peaking)
            << true << 1000.0 << 3.0 << std::sqrt(2.0);
        QTest::newRow("shelf without Q or slope")
            << QByteArray("Filter: ON LS Fc 100 Hz Gain 5 dB") << int(EqFilter::LowShelf) << true
            << 100.0 << 5.0 << 0.7071;
        // S = 1 gives 1/Q = sqrt(2) whatever the gain.
        QTest::newRow("shelf slope 12 dB")
            << QByteArray("Filter: ON HSC 12 dB Fc 8000 Hz Gain -3 dB") << int(EqFilter::HighShelf)
            << true << 8000.0 << -3.0 << 1 / std::sqrt(2.0);
        QTest::newRow("shelf with Q") << QByteArray("Filter: ON LSC Fc 90 Hz Gain 4 dB Q 0.9")
                                      << int(EqFilter::LowShelf) << true << 90.0 << 4.0 << 0.9;
        QTest::newRow("high-pass without Q")
            << QByteArray("Filter: ON HP Fc 80 Hz") << int(EqFilter::HighPass) << true << 80.0
            << 0.0 << 0.7071;
        QTest::newRow("low-pass with Q") << QByteArray("Filter: ON LPQ Fc 12000 Hz Q 0.5")
                                         << int(EqFilter::LowPass) << true << 12000.0 << 0.0 << 0.5;
        QTest::newRow("first-order high-pass")
            << QByteArray("Filter: ON HP1 Fc 40 Hz") << int(EqFilter::HighPassFirst) << true << 40.0
            << 0.0 << 0.0;
        QTest::newRow("unknown type") << QByteArray("Filter 9: ON NO Fc 50 Hz Q 30")
                                      << int(EqFilter::Unknown) << true << 0.0 << 0.0 << 0.0;
    }
    void readsAFilterLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, type);
        QFETCH(bool, on);
        QFETCH(double, frequency);
        QFETCH(double, gain);
        QFETCH(double, q);
        EqFilterSet set;
        QString error;
        QVERIFY2(EqFile::parse(line, &set, &error), qPrintable(error));
        QCOMPARE(set.filters.size(), 1);
        const EqFilter &f = set.filters[0];
        QCOMPARE(int(f.type), type);
        QCOMPARE(f.on, on);
        QCOMPARE(f.frequency, frequency);
        QCOMPARE(f.gain, gain);
        QVERIFY(std::fabs(f.q - q) < 1e-9);
    }

    void refusesABrokenLineByItsNumber_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("error");
        QTest::newRow("letters for a number")
            << QByteArray("Filter 1: ON PK Fc abc Hz Gain 1 dB Q 1") << "no number after \"Fc\"";
        QTest::newRow("no Q") << QByteArray("Filter 1: ON PK Fc 100 Hz Gain 1 dB") << "no Q";
        QTest::newRow("no ON or OFF")
            << QByteArray("Filter 1: PK Fc 100 Hz Gain 1 dB Q 1") << "ON or OFF expected";
        QTest::newRow("gain on a high-pass")
            << QByteArray("Filter: ON HP Fc 80 Hz Gain 3 dB") << "takes no gain";
        QTest::newRow("Q of 0") << QByteArray("Filter: ON PK Fc 80 Hz Gain 3 dB Q 0") << "the Q";
        QTest::newRow("a thousands separator")
            << QByteArray("Filter: ON PK Fc 1,000.5 Hz Gain 3 dB Q 1") << "no number";
        QTest::newRow("too many digits")
            << QByteArray("Filter: ON PK Fc 123456789 Hz Gain 3 dB Q 1") << "no number";
        QTest::newRow("a Preamp without gain") << QByteArray("Preamp: loud") << "Preamp";
        QTest::newRow("a line past the bound") << QByteArray(2000, 'x') << "longer than";
    }
    void refusesABrokenLineByItsNumber()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, error);
        // Header text, a comment and an empty line before it, with CRLF.
        const QByteArray text = "Filter Settings file\r\n# comment\r\n\r\n" + line + "\r\n";
        EqFilterSet set;
        QString got;
        QVERIFY(!EqFile::parse(text, &set, &got));
        QVERIFY2(got.startsWith(QStringLiteral("line 4: ")), qPrintable(got));
        QVERIFY2(got.contains(error), qPrintable(got));
    }

    void readsAWholeFile()
    {
        const QByteArray text = "\xEF\xBB\xBFRoom EQ V5.20\r\nDated: today\r\nNotes:\r\n"
                                "Equaliser: Generic\r\n"
                                "Preamp: -6.5 dB\r\n"
                                "Filter  1: ON  PK       Fc   63.0 Hz  Gain  -4.5 dB  Q  4.32\r\n"
                                "Filter  2: ON  None\r\n"
                                "Channel: L\r\n"
                                "Preamp: -1 dB\r\n"
                                "Filter  3: ON  HS       Fc   8000 Hz  Gain  2.0 dB\r\n";
        const EqFilterSet set = parsed(text);
        QCOMPARE(set.filters.size(), 2);
        QCOMPARE(set.filters[0].line, 6);
        QCOMPARE(set.filters[1].line, 10);
        QCOMPARE(set.preamp, -7.5);
        QCOMPARE(set.preampLines, (QVector<int>{5, 9}));
        QCOMPARE(set.ignoredLines, QVector<int>{8});
    }

    void checksTheFileBeforeReadingIt()
    {
        QTemporaryDir dir;
        EqFilterSet set;
        QString error;
        QVERIFY(!EqFile::read(dir.path(), &set, &error));
        QVERIFY(error.contains(QStringLiteral("not a regular file")));
        const QString big = dir.filePath(QStringLiteral("big.txt"));
        QFile file(big);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(EqFile::MaxBytes + 1, '#'));
        file.close();
        QVERIFY(!EqFile::read(big, &set, &error));
        QVERIFY(error.contains(QStringLiteral("1 MiB")));
    }

    void tenPeakingFiltersOntoEightBands()
    {
        QByteArray text;
        for (int i = 0; i < 10; ++i)
            text += QStringLiteral("Filter %1: ON PK Fc %2 Hz Gain -3.0 dB Q 2.00\n")
                        .arg(i + 1)
                        .arg(100 * (i + 1))
                        .toLatin1();
        const EqImport plan(parsed(text), blank(8));
        QCOMPARE(plan.count(Note::Placed), 8);
        QCOMPARE(plan.count(Note::NotPlaced), 2);
        QCOMPARE(plan.count(Note::Approximated), 0);
        for (int b = 0; b < 8; ++b) {
            const PeqBandRecord &r = plan.result().bands[size_t(b)];
            QCOMPARE(int(r.enable), 1);
            QCOMPARE(r.frequency, 100.0f * (b + 1));
            QCOMPARE(r.gain, -3.0f);
            QCOMPARE(FilterTables::qValue(r.qIndex), 2.0f);
        }
        const QStringList report = plan.report(QStringLiteral("input.1"));
        QVERIFY(report.last().startsWith(QStringLiteral("line 10: PK 1000 Hz -3 dB Q 2.00 -> "
                                                        "not placed: no band is left")));
        QVERIFY(report[report.size() - 2].startsWith(QStringLiteral("line 9: ")));
        // The file's last two filters are in its curve, not in the unit's.
        QVERIFY(plan.largestDeviation() > 2.5);
    }

    void shelvesAndCutFilters_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected"); // hp/lp: enable type slope Hz; bands: type Hz
        QTest::newRow("a shelf each side, a second-order high-pass")
            << QByteArray("Filter: ON LS Fc 100 Hz Gain 4 dB\nFilter: ON HSC 6 dB Fc 9000 Hz "
                          "Gain -2 dB\nFilter: ON HP Fc 35 Hz\n")
            << "hp 1 1 1 35 | lp 0 | 1:100 2:9000";
        QTest::newRow("a Link-Riley -24 low-pass as two sections")
            << QByteArray("Filter: ON LP Fc 16000 Hz Q 0.71\nFilter: ON LP Fc 16000 Hz Q 0.71\n")
            << "hp 0 | lp 1 2 3 16000 |";
        QTest::newRow("Bessel -18: a section and a first-order one")
            << QByteArray("Filter: ON HPQ Fc 50 Hz Q 0.691\nFilter: ON HP1 Fc 50 Hz\n")
            << "hp 1 0 2 50 | lp 0 |";
        QTest::newRow("first order low-pass keeps the channel's type")
            << QByteArray("Filter: ON LP1 Fc 10000 Hz\n") << "hp 0 | lp 1 2 0 10000 |";
        QTest::newRow("a second high-pass at another frequency is not placed")
            << QByteArray("Filter: ON HP Fc 30 Hz\nFilter: ON HP Fc 60 Hz\n")
            << "hp 1 1 1 30 | lp 0 |";
    }
    void shelvesAndCutFilters()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        EqChannel current = blank(8);
        current.cuts[1].type = 2; // the low-pass was Link-Riley
        current.cuts[0].enable = current.cuts[1].enable = 1;
        const EqImport plan(parsed(text), current);
        const EqChannel &r = plan.result();
        QStringList got;
        for (int which = 0; which < 2; ++which) {
            const CutFilterRecord &c = r.cuts[size_t(which)];
            QString s = QLatin1String(which ? "lp " : "hp ") + QString::number(c.enable);
            if (c.enable)
                s += QStringLiteral(" %1 %2 %3").arg(c.type).arg(c.slope).arg(double(c.frequency));
            got << s;
        }
        QStringList bands;
        for (int b = 0; b < 8; ++b)
            if (r.bands[size_t(b)].enable)
                bands << QStringLiteral("%1:%2")
                             .arg(r.bands[size_t(b)].type)
                             .arg(double(r.bands[size_t(b)].frequency));
        got << bands.join(QLatin1Char(' '));
        QCOMPARE(got.join(QStringLiteral(" | ")).trimmed(), expected);
    }

    void valuesBeyondTheBlock_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("result");
        QTest::newRow("18 Hz taken to 20 Hz") << QByteArray("Filter: ON PK Fc 18 Hz Gain 3 dB Q 2")
                                              << int(Note::Approximated) << "band 1: PEQ 20 Hz";
        QTest::newRow("10 Hz is too far") << QByteArray("Filter: ON PK Fc 10 Hz Gain 3 dB Q 2")
                                          << int(Note::NotPlaced) << "its frequency lies outside";
        QTest::newRow("-23 dB taken to -20 dB")
            << QByteArray("Filter: ON PK Fc 100 Hz Gain -23 dB Q 2") << int(Note::Approximated)
            << "-20.0 dB";
        QTest::newRow("-30 dB is too far") << QByteArray("Filter: ON PK Fc 100 Hz Gain -30 dB Q 2")
                                           << int(Note::NotPlaced) << "its gain lies outside";
        QTest::newRow("Q 4.32 to the nearest entry")
            << QByteArray("Filter: ON PK Fc 100 Hz Gain 1 dB Q 4.32") << int(Note::Approximated)
            << "Q 4.20";
        QTest::newRow("a shelf's Q is the unit's")
            << QByteArray("Filter: ON LSC Fc 100 Hz Gain 4 dB Q 1.2") << int(Note::Approximated)
            << "a shelf's Q is always 0.67";
        QTest::newRow("a notch has no place") << QByteArray("Filter: ON NO Fc 100 Hz")
                                              << int(Note::NotPlaced) << "no filter of this type";
        QTest::newRow("preamp") << QByteArray("Preamp: -6 dB") << int(Note::NotPlaced)
                                << "no gain of its own";
    }
    void valuesBeyondTheBlock()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, kind);
        QFETCH(QString, result);
        const EqImport plan(parsed(line), blank(16));
        QVERIFY(!plan.notes().isEmpty());
        const Note &n = plan.notes().first();
        QCOMPARE(int(n.kind), kind);
        QCOMPARE(n.line, 1);
        QVERIFY2(n.result.contains(result), qPrintable(n.result));
    }

    void unusedBandsAndCutFiltersAreSwitchedOff()
    {
        EqChannel current = blank(8);
        for (auto &b : current.bands)
            b.enable = 1;
        current.cuts[0].enable = 1;
        const EqImport plan(parsed("Filter: ON PK Fc 100 Hz Gain 3 dB Q 2\n"), current);
        for (int b = 1; b < 8; ++b)
            QCOMPARE(int(plan.result().bands[size_t(b)].enable), 0);
        // Bands beyond the unit's count are not the import's.
        QCOMPARE(int(plan.result().bands[8].enable), 1);
        QCOMPARE(int(plan.result().cuts[0].enable), 0);
        QCOMPARE(plan.count(Note::Changed), 2); // bands 2 to 8, the high-pass
    }

    void deviationOfAFileOnTheGrid()
    {
        const QByteArray text = "Filter 1: ON PK Fc 63 Hz Gain -4.5 dB Q 4.50\n"
                                "Filter 2: ON PK Fc 250 Hz Gain 3.2 dB Q 1.00\n"
                                "Filter 3: ON PK Fc 2500 Hz Gain -6.0 dB Q 8.00\n"
                                "Filter 4: ON LSC Fc 80 Hz Gain 4.0 dB Q 0.67\n"
                                "Filter 5: ON HSC Fc 10000 Hz Gain -2.5 dB Q 0.67\n"
                                "Filter 6: ON HP Fc 30 Hz Q 0.5412\n"
                                "Filter 7: ON HP Fc 30 Hz Q 1.3065\n"
                                "Filter 8: ON LP Fc 18000 Hz Q 0.7071\n";
        const EqImport plan(parsed(text), blank(16));
        QCOMPARE(plan.count(Note::Approximated), 0);
        QCOMPARE(plan.count(Note::NotPlaced), 0);
        QVERIFY2(plan.largestDeviation() < 0.05,
                 qPrintable(QString::number(plan.largestDeviation())));
    }

    void deviationOfAnArbitraryFile()
    {
        const QByteArray text = "Filter 1: ON PK Fc 57.3 Hz Gain -7.25 dB Q 3.3\n"
                                "Filter 2: ON PK Fc 131 Hz Gain 2.4 dB Q 0.42\n"
                                "Filter 3: ON PK Fc 3150 Hz Gain -5 dB Q 13\n"
                                "Filter 4: ON LSC 9 dB Fc 120 Hz Gain 5 dB\n"
                                "Filter 5: ON HS Fc 7000 Hz Gain -3 dB Q 1.4\n"
                                "Filter 6: ON HPQ Fc 42 Hz Q 1.1\n"
                                "Filter 7: ON LP1 Fc 15000 Hz\n";
        const EqFilterSet set = parsed(text);
        const EqImport plan(set, blank(8));
        const double expected = largestDifference(set, plan.result());
        QVERIFY(expected > 0.5);
        QVERIFY2(std::fabs(plan.largestDeviation() - expected) < 0.01,
                 qPrintable(QStringLiteral("%1 vs %2").arg(plan.largestDeviation()).arg(expected)));
    }

    void exportReadBackGivesTheSameBands()
    {
        EqChannel channel = blank(16);
        channel.cuts[0] = CutFilterRecord{1, 0, 4, 45.0f};    // Bessel -36
        channel.cuts[1] = CutFilterRecord{0, 2, 2, 15000.0f}; // off, Link-Riley -18
        for (int b = 0; b < 16; ++b) {
            PeqBandRecord &r = channel.bands[size_t(b)];
            r.enable = quint8(b % 3 != 2);
            r.type = quint8(b == 0 ? 1 : b == 15 ? 2 : 0);
            r.frequency = float(31 * (b + 1) * (b + 1));
            r.gain = float(b - 8) * 1.3f;
            r.qIndex = quint8(b * 4);
        }
        channel.bands[0].qIndex = 5; // a shelf's Q index is its drawn Q's
        channel.bands[15].qIndex = 5;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("eq.txt"));
        QString error;
        QVERIFY(EqFile::save(file, EqFile::format({QStringLiteral("test")}, channel.toFilters()),
                             &error));
        EqFilterSet set;
        QVERIFY2(EqFile::read(file, &set, &error), qPrintable(error));
        EqChannel other = blank(16);
        other.cuts[1].type = 1;
        const EqImport plan(set, other);
        QCOMPARE(plan.count(Note::Approximated), 0);
        QCOMPARE(plan.count(Note::NotPlaced), 0);
        for (int b = 0; b < 16; ++b) {
            const PeqBandRecord &got = plan.result().bands[size_t(b)];
            const PeqBandRecord &want = channel.bands[size_t(b)];
            QCOMPARE(got.enable, want.enable);
            QCOMPARE(got.type, want.type);
            QCOMPARE(got.frequency, want.frequency);
            QVERIFY(std::fabs(got.gain - std::round(want.gain * 10) / 10) < 1e-5);
            QCOMPARE(got.qIndex, want.qIndex);
        }
        QCOMPARE(plan.result().cuts[0], channel.cuts[0]);
        QCOMPARE(plan.result().cuts[1], channel.cuts[1]);
    }
};

QTEST_GUILESS_MAIN(TestEqImport)
#include "tst_eqimport.moc"
