#include "pages/filters/filtersection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include <QtGlobal>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr float PowerFloor = 1e-30f;
constexpr float PowerCeiling = 1e30f;

// The digital frequency of `hz`, taken to 0.1 Hz: round(10 f) * pi / 960000.
double phiOf(double hz)
{
    const double w = std::round(10.0 * hz) * Pi / (10.0 * FilterTables::SampleRate / 2.0);
    const double s = std::sin(w / 2.0);
    return s * s;
}

const std::array<double, FilterTables::Points> &phiTable()
{
    static const std::array<double, FilterTables::Points> table = [] {
        std::array<double, FilterTables::Points> t{};
        const auto &f = FilterTables::frequencies();
        for (size_t i = 0; i < t.size(); ++i)
            t[i] = phiOf(f[i]);
        return t;
    }();
    return table;
}

// 10 log10(x) for a power ratio, in single precision. log10f itself is the
// bulk of a redraw and its calls keep the loop from being vectorised, so the
// logarithm is computed here: x = 2^k m with m in [sqrt(1/2), sqrt(2)), and
// ln m = 2 atanh(s) with s = (m - 1) / (m + 1), |s| < 0.172, by its series to
// s^7 (error below 1e-7 dB). Powers are kept within -300..+300 dB, so an
// exact zero (or an infinity) draws as a very low (high) value.
inline float powerToDb(float x)
{
    x = x > PowerFloor ? x : PowerFloor; // also takes NaN to the floor
    x = x < PowerCeiling ? x : PowerCeiling;
    quint32 bits;
    std::memcpy(&bits, &x, sizeof bits);
    bits += 0x3F800000u - 0x3F3504F3u; // moves the split point of m to sqrt(1/2)
    const int k = int(bits >> 23) - 0x7F;
    bits = (bits & 0x007FFFFFu) + 0x3F3504F3u;
    float m;
    std::memcpy(&m, &bits, sizeof m);
    const float s = (m - 1.0f) / (m + 1.0f);
    const float z = s * s;
    const float lnM = 2.0f * s * (1.0f + z * (1.0f / 3 + z * (1.0f / 5 + z * (1.0f / 7))));
    constexpr float Ln2 = 0.693147180559945f;
    constexpr float DbPerNeper = 4.342944819032518f; // 10 / ln 10
    return DbPerNeper * (float(k) * Ln2 + lnM);
}

// |H|^2 is taken to single precision, as the curve is.
inline float toDb(double num, double den)
{
    return powerToDb(float(num / den));
}

} // namespace

FilterSection FilterSection::fromCoefficients(double b0, double b1, double b2, double a0, double a1,
                                              double a2)
{
    FilterSection s;
    const double num[3] = {(b0 + b1 + b2) * (b0 + b1 + b2),
                           -4.0 * (b0 * b1 + 4.0 * b0 * b2 + b1 * b2), 16.0 * b0 * b2};
    const double den[3] = {(a0 + a1 + a2) * (a0 + a1 + a2),
                           -4.0 * (a0 * a1 + 4.0 * a0 * a2 + a1 * a2), 16.0 * a0 * a2};
    for (int i = 0; i < 3; ++i)
        if (!std::isfinite(num[i]) || !std::isfinite(den[i]))
            return s;
    // A denominator that is zero (or a numerator and denominator that are
    // both zero, as an unknown kind designs) has no response to draw.
    if (den[0] == 0.0 && den[1] == 0.0 && den[2] == 0.0)
        return s;
    for (int i = 0; i < 3; ++i) {
        s.m_num[i] = num[i];
        s.m_den[i] = den[i];
    }
    s.m_active = true;
    return s;
}

FilterSection FilterSection::secondOrder(int kind, double frequency, double q, double gainDb)
{
    if (!(frequency > 0.0) || !(q > 0.0) || !std::isfinite(gainDb))
        return FilterSection();
    const double w0 = 2.0 * Pi * frequency / FilterTables::SampleRate;
    const double alpha = std::sin(w0) / (2.0 * q);
    const double A = std::pow(10.0, gainDb / 40.0);
    const double c = std::cos(w0);
    const double r = 2.0 * std::sqrt(A) * alpha;
    switch (kind) {
    case AllPass:
        return fromCoefficients(1 - alpha, -2 * c, 1 + alpha, 1 + alpha, -2 * c, 1 - alpha);
    case HighPass:
        return fromCoefficients((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
    case LowPass:
        return fromCoefficients((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
    case Peaking:
        return fromCoefficients(1 + alpha * A, -2 * c, 1 - alpha * A, 1 + alpha / A, -2 * c,
                                1 - alpha / A);
    case LowShelf:
        return fromCoefficients(A * ((A + 1) - (A - 1) * c + r), 2 * A * ((A - 1) - (A + 1) * c),
                                A * ((A + 1) - (A - 1) * c - r), (A + 1) + (A - 1) * c + r,
                                -2 * ((A - 1) + (A + 1) * c), (A + 1) + (A - 1) * c - r);
    case HighShelf:
        return fromCoefficients(A * ((A + 1) + (A - 1) * c + r), -2 * A * ((A - 1) + (A + 1) * c),
                                A * ((A + 1) + (A - 1) * c - r), (A + 1) - (A - 1) * c + r,
                                2 * ((A - 1) - (A + 1) * c), (A + 1) - (A - 1) * c - r);
    default:
        return FilterSection();
    }
}

FilterSection FilterSection::firstOrder(bool highPass, double frequency)
{
    if (!(frequency > 0.0))
        return FilterSection();
    const double wc = 2.0 * Pi * frequency;
    const double k = wc / std::tan(Pi * frequency / FilterTables::SampleRate);
    const double a1 = (wc - k) / (wc + k);
    if (highPass)
        return fromCoefficients(k / (wc + k), -k / (wc + k), 0.0, 1.0, a1, 0.0);
    return fromCoefficients(wc / (wc + k), wc / (wc + k), 0.0, 1.0, a1, 0.0);
}

double FilterSection::dbAt(double hz) const
{
    if (!m_active)
        return 0.0;
    const double phi = phiOf(hz);
    return toDb(m_num[0] + phi * (m_num[1] + phi * m_num[2]),
                m_den[0] + phi * (m_den[1] + phi * m_den[2]));
}

void FilterSection::evaluate(float *db) const
{
    if (!m_active) {
        std::fill(db, db + FilterTables::Points, 0.0f);
        return;
    }
    const double *__restrict phi = phiTable().data();
    float *__restrict out = db;
    const double n0 = m_num[0], n1 = m_num[1], n2 = m_num[2];
    const double d0 = m_den[0], d1 = m_den[1], d2 = m_den[2];
    // Two plain loops the compiler vectorises: the power ratio in double
    // precision, then its logarithm in single precision.
    float power[FilterTables::Points];
    for (int i = 0; i < FilterTables::Points; ++i) {
        const double p = phi[i];
        power[i] = float((n0 + p * (n1 + p * n2)) / (d0 + p * (d1 + p * d2)));
    }
    for (int i = 0; i < FilterTables::Points; ++i)
        out[i] = powerToDb(power[i]);
}

bool FilterSection::operator==(const FilterSection &other) const
{
    if (m_active != other.m_active)
        return false;
    for (int i = 0; i < 3; ++i)
        if (m_num[i] != other.m_num[i] || m_den[i] != other.m_den[i])
            return false;
    return true;
}
