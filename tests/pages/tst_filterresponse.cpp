// The filter response without a widget: its frequency table, and its values
// against magnitudes worked out here from the analog prototypes.

#include "pages/filters/filterresponse.h"
#include "pages/filters/filtertables.h"

#include <QLocale>
#include <QTest>

#include <cmath>

namespace {

constexpr int Bessel = 0, Butterworth = 1, LinkRiley = 2;
constexpr int Slope6 = 0, Slope12 = 1, Slope18 = 2, Slope24 = 3, Slope36 = 4, Slope48 = 5;

// Every band and both cut filters bypassed.
FilterResponse silent()
{
    FilterResponse r;
    for (int b = 0; b < FilterResponse::MaxBands; ++b)
        r.setBand(b, true, 0, 1000.0f, 0.0f, 1.0f);
    return r;
}

// Butterworth magnitude of order n: |H|^2 = 1 / (1 + (fc/f)^2n) for a high-pass.
double butterworthHighPassDb(double f, double fc, int order)
{
    return -10.0 * std::log10(1.0 + std::pow(fc / f, 2.0 * order));
}

int indexOf(double frequency)
{
    const auto &t = FilterTables::frequencies();
    return int(std::find(t.begin(), t.end(), frequency) - t.begin());
}

} // namespace

class TestFilterResponse : public QObject
{
    Q_OBJECT

private slots:
    void frequencyTable()
    {
        const auto &t = FilterTables::frequencies();
        QCOMPARE(int(t.size()), 420);
        const double start[] = {10.0, 10.2, 10.4, 10.6, 10.8, 11.0,
                                11.3, 11.5, 11.7, 11.9, 12.2, 12.4};
        for (int i = 0; i < 12; ++i)
            QCOMPARE(t[size_t(i)], start[i]);
        const double middle[] = {68.8, 70.2, 71.5, 72.9, 74.3, 75.8, 77.2, 78.7, 80.3, 81.8};
        for (int i = 0; i < 10; ++i)
            QCOMPARE(t[size_t(100 + i)], middle[i]);
        const double end[] = {24400, 24900, 25400, 25900, 26400, 26900, 27400, 28000,
                              28500, 29100, 29600, 30200, 30800, 31400, 32000};
        for (int i = 0; i < 15; ++i)
            QCOMPARE(t[size_t(405 + i)], end[i]);
        for (size_t i = 1; i < t.size(); ++i) {
            // About 36 steps per octave, each entry with three significant figures.
            const double ratio = t[i] / t[i - 1];
            QVERIFY2(ratio > 1.01 && ratio < 1.03, qPrintable(QString::number(t[i])));
            const double scale = std::pow(10.0, std::floor(std::log10(t[i])) - 2);
            QVERIFY(std::fabs(t[i] / scale - std::round(t[i] / scale)) < 1e-9);
        }
        for (double decade : {100.0, 1000.0, 10000.0})
            QVERIFY(indexOf(decade) < 420);
    }

    void cutFilterAtItsCorner_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("expected");
        // Butterworth: -3 dB at the corner; Link-Riley (two Butterworth
        // filters of half the order): -6 dB.
        QTest::newRow("Butterworth -24") << Butterworth << butterworthHighPassDb(1000, 1000, 4);
        QTest::newRow("Link-Riley -24") << LinkRiley << 2 * butterworthHighPassDb(1000, 1000, 2);
    }
    void cutFilterAtItsCorner()
    {
        QFETCH(int, type);
        QFETCH(double, expected);
        for (auto which : {FilterResponse::HighPass, FilterResponse::LowPass}) {
            FilterResponse r = silent();
            r.setCut(which, false, type, Slope24, 1000.0f);
            QVERIFY(std::fabs(r.dbAt(1000.0) - expected) <= 0.2);
            // The drawn curve has the same value at its 1 kHz point.
            QVERIFY(std::fabs(r.curve()[size_t(indexOf(1000.0))] - expected) <= 0.2);
        }
    }

    void cutFilterOrderFromSlope_data()
    {
        QTest::addColumn<int>("slope");
        QTest::addColumn<int>("order");
        QTest::addColumn<int>("sections");
        QTest::newRow("-6") << Slope6 << 1 << 1;
        QTest::newRow("-12") << Slope12 << 2 << 1;
        QTest::newRow("-18") << Slope18 << 3 << 2;
        QTest::newRow("-24") << Slope24 << 4 << 2;
        QTest::newRow("-36") << Slope36 << 6 << 3;
        QTest::newRow("-48") << Slope48 << 8 << 4;
    }
    void cutFilterOrderFromSlope()
    {
        QFETCH(int, slope);
        QFETCH(int, order);
        QFETCH(int, sections);
        for (int type : {Bessel, Butterworth, LinkRiley}) {
            FilterResponse r = silent();
            r.setCut(FilterResponse::HighPass, false, type, slope, 10000.0f);
            QCOMPARE(r.sections().size(), sections);
            // Far below the corner the response falls by 20 dB per decade and order.
            const double fall = r.dbAt(100.0) - r.dbAt(10.0);
            QVERIFY2(std::fabs(fall - 20.0 * order) < 0.5, qPrintable(QString::number(fall)));
        }
        // Every type of every slope: Butterworth alone reads -3 dB at its corner.
        FilterResponse r = silent();
        r.setCut(FilterResponse::LowPass, false, Butterworth, slope, 2000.0f);
        QVERIFY(std::fabs(r.dbAt(2000.0) + 3.01) < 0.2);
    }

    void peakingBand()
    {
        FilterResponse r = silent();
        r.setBand(4, false, 0, 1000.0f, 6.0f, 1.4f);
        QVERIFY(std::fabs(r.dbAt(1000.0) - 6.0) <= 0.2);
        QVERIFY(std::fabs(r.dbAt(10.0)) <= 0.2); // two decades below
        QVERIFY(std::fabs(r.curve()[size_t(indexOf(1000.0))] - 6.0f) <= 0.2f);
        QVERIFY(std::fabs(r.curve()[0]) <= 0.2f);
        // Shelves: the full gain far on their side, nothing far on the other.
        r.setBand(4, false, 1, 1000.0f, -9.0f, 0.67f);
        QVERIFY(std::fabs(r.dbAt(20.0) + 9.0) <= 0.2);
        QVERIFY(std::fabs(r.dbAt(20000.0)) <= 0.2);
        r.setBand(4, false, 2, 1000.0f, -9.0f, 0.67f);
        QVERIFY(std::fabs(r.dbAt(20000.0) + 9.0) <= 0.2);
        QVERIFY(std::fabs(r.dbAt(20.0)) <= 0.2);
    }

    void bypassedIsFlatAndBandCountLimitsTheSum()
    {
        FilterResponse r = silent();
        for (float v : r.curve())
            QCOMPARE(v, 0.0f);
        QVERIFY(r.sections().isEmpty());
        // Bands beyond the band count are not summed.
        r.setBand(11, false, 0, 500.0f, 12.0f, 2.0f);
        QVERIFY(r.dbAt(500.0) > 11.5);
        r.setBandCount(8);
        QCOMPARE(r.dbAt(500.0), 0.0);
        QCOMPARE(r.curve()[size_t(indexOf(1000.0))], 0.0f);
        r.setBandCount(16);
        QVERIFY(r.dbAt(500.0) > 11.5);
    }

    void valuesThatCannotBeDrawn()
    {
        FilterResponse r = silent();
        r.setCut(FilterResponse::HighPass, false, Butterworth, Slope6, 0.0f);
        QCOMPARE(r.cut(FilterResponse::HighPass).frequency, 20.0f);
        r.setCut(FilterResponse::LowPass, false, Butterworth, Slope12, std::nanf(""));
        QCOMPARE(r.cut(FilterResponse::LowPass).frequency, 20000.0f); // kept
        r.setBand(0, false, 0, -5.0f, std::nanf(""), 0.0f);
        QCOMPARE(r.band(0).frequency, 20.0f);
        r.setBand(1, false, 0, INFINITY, 30.0f, -1.0f);
        QCOMPARE(r.band(1).q, 1.0f); // kept
        for (float v : r.curve())
            QVERIFY(std::isfinite(v));
        // Unknown kinds, slopes and types contribute nothing rather than 0/0.
        FilterResponse odd = silent();
        odd.setCut(FilterResponse::HighPass, false, 7, Slope24, 1000.0f);
        odd.setCut(FilterResponse::LowPass, false, Butterworth, 9, 1000.0f);
        odd.setBand(2, false, 5, 1000.0f, 6.0f, 1.0f);
        for (float v : odd.curve())
            QCOMPARE(v, 0.0f);
        QVERIFY(!FilterSection::secondOrder(6, 1000.0, 1.0, 0.0).isActive());
        QCOMPARE(FilterSection::secondOrder(6, 1000.0, 1.0, 0.0).dbAt(1000.0), 0.0);
    }

    void dragUpdatesMatchAFreshCurve()
    {
        // Section curves are kept between updates: after a series of moves the
        // curve must equal one computed from scratch with the final values.
        FilterResponse moved = silent();
        moved.setCut(FilterResponse::HighPass, false, Bessel, Slope18, 60.0f);
        moved.setBand(3, false, 0, 200.0f, 3.0f, 2.0f);
        moved.setBand(7, false, 2, 5000.0f, -4.0f, 0.67f);
        moved.curve();
        for (int step = 0; step < 20; ++step) {
            moved.setBandPoint(3, 200.0f + 37.0f * step, 3.0f - 0.5f * step);
            moved.curve();
        }
        moved.setCutFrequency(FilterResponse::HighPass, 90.0f);
        FilterResponse fresh = silent();
        fresh.setCut(FilterResponse::HighPass, false, Bessel, Slope18, 90.0f);
        fresh.setBand(3, false, 0, 200.0f + 37.0f * 19, 3.0f - 0.5f * 19, 2.0f);
        fresh.setBand(7, false, 2, 5000.0f, -4.0f, 0.67f);
        QCOMPARE(moved.curve(), fresh.curve());
    }

    void csvRows()
    {
        QLocale::setDefault(QLocale(QLocale::German)); // "," decimal point must not leak in
        FilterResponse r = silent();
        r.setCut(FilterResponse::HighPass, false, Butterworth, Slope12, 1000.0f);
        r.setBand(2, false, 0, 1000.0f, 6.0f, 1.0f);
        const QList<QByteArray> lines = r.toCsv().trimmed().split('\n');
        QLocale::setDefault(QLocale::c());
        QCOMPARE(lines.size(), 421);
        QCOMPARE(lines.first(), QByteArray("Frequency (Hz),HPF 1 (dB),Band 3 (dB),Total (dB)"));
        const QList<QByteArray> row = lines.at(1 + indexOf(1000.0)).split(',');
        QCOMPARE(row.size(), 4);
        QCOMPARE(row.at(0), QByteArray("1000"));
        QVERIFY(std::fabs(row.at(1).toDouble() - butterworthHighPassDb(1000, 1000, 2)) < 0.2);
        QVERIFY(std::fabs(row.at(2).toDouble() - 6.0) < 0.2);
        QVERIFY(std::fabs(row.at(3).toDouble() - row.at(1).toDouble() - row.at(2).toDouble()) <
                0.002);
        QCOMPARE(lines.at(1).split(',').at(0), QByteArray("10"));
        QCOMPARE(lines.last().split(',').at(0), QByteArray("32000"));
    }
};

QTEST_APPLESS_MAIN(TestFilterResponse)
#include "tst_filterresponse.moc"
