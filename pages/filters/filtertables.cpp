#include "pages/filters/filtertables.h"

#include <cmath>
#include <utility>

namespace FilterTables {

namespace {

// Rounds to three significant figures. Dividing by a power of ten (rather
// than multiplying by its inverse) gives the nearest double of "10.2".
double threeFigures(double value)
{
    const int exponent = int(std::floor(std::log10(value))) - 2;
    if (exponent < 0) {
        const double scale = std::pow(10.0, -exponent);
        return std::round(value * scale) / scale;
    }
    const double scale = std::pow(10.0, exponent);
    return std::round(value / scale) * scale;
}

std::array<double, Points> buildFrequencies()
{
    // Fixed points of the table (index, Hz); the entries between two of them
    // are spaced evenly on a logarithmic scale. The decades are on the table
    // so that 100 Hz, 1 kHz and 10 kHz are points of the curve.
    static const std::pair<int, double> anchors[] = {
        {0, 10.0},      {1, 10.2},    {2, 10.4},    {3, 10.6},    {4, 10.8},    {5, 11.0},
        {6, 11.3},      {7, 11.5},    {8, 11.7},    {9, 11.9},    {10, 12.2},   {11, 12.4},
        {100, 68.8},    {101, 70.2},  {102, 71.5},  {103, 72.9},  {104, 74.3},  {105, 75.8},
        {106, 77.2},    {107, 78.7},  {108, 80.3},  {109, 81.8},  {119, 100.0}, {239, 1000.0},
        {359, 10000.0}, {405, 24400}, {406, 24900}, {407, 25400}, {408, 25900}, {409, 26400},
        {410, 26900},   {411, 27400}, {412, 28000}, {413, 28500}, {414, 29100}, {415, 29600},
        {416, 30200},   {417, 30800}, {418, 31400}, {419, 32000},
    };
    std::array<double, Points> table{};
    const int count = int(sizeof anchors / sizeof anchors[0]);
    for (int a = 0; a + 1 < count; ++a) {
        const auto [i0, f0] = anchors[a];
        const auto [i1, f1] = anchors[a + 1];
        const double ratio = std::pow(f1 / f0, 1.0 / (i1 - i0));
        table[size_t(i0)] = f0;
        for (int i = i0 + 1; i < i1; ++i)
            table[size_t(i)] = threeFigures(f0 * std::pow(ratio, i - i0));
    }
    table[Points - 1] = anchors[count - 1].second;
    return table;
}

// Q of the second-order sections by type and slope index 1..5, in section order.
constexpr double CutQ[CutTypes][Slopes][4] = {
    // Bessel
    {{},
     {0.5773},
     {0.691},
     {0.5219, 0.8055},
     {0.5103, 0.6112, 1.0234},
     {0.506, 1.2258, 0.7109, 0.5596}},
    // Butterworth
    {{},
     {0.7071},
     {1.0},
     {0.5412, 1.3065},
     {0.5177, 0.7071, 1.932},
     {0.5098, 0.6013, 0.8999, 2.5628}},
    // Link-Riley
    {{}, {0.5}, {0.6}, {0.71, 0.71}, {0.5, 1.0, 1.0}, {0.54, 1.34, 0.54, 1.34}},
};

constexpr int Orders[Slopes] = {1, 2, 3, 4, 6, 8};

constexpr float QValues[QIndexCount] = {
    0.5f,  0.53f, 0.56f, 0.59f, 0.63f, 0.67f, 0.71f, 0.75f, 0.79f, 0.84f, 0.89f, 0.94f, 1.0f,
    1.06f, 1.12f, 1.19f, 1.26f, 1.3f,  1.4f,  1.5f,  1.6f,  1.7f,  1.8f,  1.9f,  2.0f,  2.1f,
    2.2f,  2.4f,  2.5f,  2.7f,  2.8f,  3.0f,  3.2f,  3.4f,  3.6f,  3.8f,  4.0f,  4.2f,  4.5f,
    4.8f,  5.0f,  5.3f,  5.7f,  6.0f,  6.3f,  6.7f,  7.1f,  7.6f,  8.0f,  8.5f,  9.0f,  9.5f,
    10.1f, 10.7f, 11.3f, 12.0f, 12.7f, 13.5f, 14.0f, 15.0f, 16.0f, 17.0f, 18.0f, 19.0f, 20.0f,
};

} // namespace

const std::array<double, Points> &frequencies()
{
    static const std::array<double, Points> table = buildFrequencies();
    return table;
}

int cutOrder(int slope)
{
    return slope >= 0 && slope < Slopes ? Orders[slope] : 0;
}

double cutQ(int type, int slope, int section)
{
    if (type < 0 || type >= CutTypes || slope < 0 || slope >= Slopes || section < 0 ||
        section >= cutOrder(slope) / 2)
        return 0.0;
    return CutQ[type][slope][section];
}

float qValue(int index)
{
    return index >= 0 && index < QIndexCount ? QValues[index] : 0.0f;
}

int bandCount(int dspMajor, int dspMinor)
{
    return (dspMajor < 2 || (dspMajor == 2 && dspMinor < 8)) ? 16 : 8;
}

} // namespace FilterTables
