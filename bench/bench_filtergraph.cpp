// Cost of the filter response: a full recompute of 24 sections at the 420
// table frequencies (high-pass and low-pass at -48 dB/oct, 16 bands), and the
// update after one band was dragged (one section and the sum).
// Run: build/bench/bench_filtergraph

#include "pages/filters/filterresponse.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>

namespace {

constexpr int Slope48 = 5;

FilterResponse busyResponse()
{
    FilterResponse r;
    r.setCut(FilterResponse::HighPass, false, 1, Slope48, 80.0f);
    r.setCut(FilterResponse::LowPass, false, 2, Slope48, 12000.0f);
    for (int b = 0; b < FilterResponse::MaxBands; ++b)
        r.setBand(b, false, b % 3, 50.0f * float(b + 1), float(b % 7) - 3.0f, 1.0f + 0.5f * b);
    r.curve();
    return r;
}

void fullRecompute(FilterResponse &r)
{
    r.invalidate();
    benchmark::DoNotOptimize(r.curve().data());
}

void dragStep(FilterResponse &r, int i)
{
    // A handle moving back and forth, as a drag does.
    r.setBandPoint(5, 300.0f + float(i % 64), float(i % 24) * 0.5f - 6.0f);
    benchmark::DoNotOptimize(r.curve().data());
}

void BM_FullRecompute(benchmark::State &state)
{
    FilterResponse r = busyResponse();
    for (auto _ : state)
        fullRecompute(r);
    state.counters["sections"] = double(r.sections().size());
}
BENCHMARK(BM_FullRecompute)->Unit(benchmark::kMicrosecond);

void BM_DragOneBand(benchmark::State &state)
{
    FilterResponse r = busyResponse();
    int i = 0;
    for (auto _ : state)
        dragStep(r, ++i);
}
BENCHMARK(BM_DragOneBand)->Unit(benchmark::kMicrosecond);

double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Mean microseconds of processor time per call, over about half a second of
// it. Processor time rather than wall time, so that other work on a shared
// machine does not count.
template <typename F> double microsPerCall(F &&call)
{
    const double start = threadSeconds();
    long calls = 0;
    double elapsed = 0;
    do {
        for (int k = 0; k < 100; ++k)
            call(int(calls + k));
        calls += 100;
        elapsed = threadSeconds() - start;
    } while (elapsed < 0.5);
    return elapsed * 1e6 / double(calls);
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();

    FilterResponse r = busyResponse();
    const double full = microsPerCall([&r](int) { fullRecompute(r); });
    const double drag = microsPerCall([&r](int i) { dragStep(r, i); });
    std::printf("processor time per call\nfull recompute, %d sections x %d points: %.2f us\n",
                int(r.sections().size()), FilterResponse::Points, full);
    std::printf("drag of one band (one section and the sum): %.2f us\n", drag);
    return 0;
}
