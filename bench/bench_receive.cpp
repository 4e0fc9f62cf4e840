// Throughput and scaling of the receive path: mixed answer streams of 1 MiB and
// 16 MiB fed in TCP-sized pieces, and long runs of junk.
// Run: build/bench/bench_receive

#include "protocol/frame.h"
#include "protocol/streamsplitter.h"

#include <benchmark/benchmark.h>

#include <QLoggingCategory>

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

// Meter answers, 64-byte state answers and 545-byte preset lists, in the mix a
// connected unit produces (many small, some large).
QByteArray mixedStream(int bytes)
{
    const QByteArray meter = Proto::makeFrame(1, 3, 1, 1, 0x80, QByteArray(16, '\xE0'));
    const QByteArray state = Proto::makeFrame(1, 3, 11, 3, 0x80, QByteArray(64, '\x10'));
    const QByteArray presets = Proto::makeFrame(1, 3, 32, 1, 0x80, QByteArray(545, 'p'));
    QByteArray out;
    out.reserve(bytes + 600);
    // Whole frames only, so that the stream can be sent again back to back.
    for (int i = 0; out.size() < bytes; ++i)
        out += (i % 10 == 9) ? presets : (i % 3 == 0 ? state : meter);
    return out;
}

QByteArray junkStream(int bytes)
{
    QByteArray out(bytes, Qt::Uninitialized);
    for (int i = 0; i < bytes; ++i)
        out[i] = char((i * 131 + 7) % 251 == 0x82 ? 0x11 : (i * 131 + 7) % 251);
    return out;
}

std::vector<QByteArray> pieces(const QByteArray &stream, int pieceSize)
{
    std::vector<QByteArray> out;
    for (int pos = 0; pos < stream.size(); pos += pieceSize)
        out.push_back(stream.mid(pos, pieceSize));
    return out;
}

// Feeds the pieces `rounds` times through one splitter, as one long stream.
long long feedAll(const std::vector<QByteArray> &parts, int rounds = 1)
{
    long long frames = 0;
    StreamSplitter splitter([&frames](const Proto::Frame &) { ++frames; });
    for (int r = 0; r < rounds; ++r)
        for (const QByteArray &p : parts)
            splitter.feed(p);
    return frames;
}

void runStream(benchmark::State &state, const QByteArray &stream)
{
    const auto parts = pieces(stream, int(state.range(1)));
    long long frames = 0;
    for (auto _ : state)
        frames += feedAll(parts);
    state.SetBytesProcessed(state.iterations() * stream.size());
    state.counters["frames/s"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
}

void BM_Mixed(benchmark::State &state)
{
    runStream(state, mixedStream(int(state.range(0))));
}
BENCHMARK(BM_Mixed)
    ->ArgNames({"bytes", "piece"})
    ->Args({1 << 20, 1460})
    ->Args({16 << 20, 1460})
    ->Args({1 << 20, 1 << 20})
    ->Args({16 << 20, 16 << 20})
    ->Unit(benchmark::kMillisecond);

void BM_Junk(benchmark::State &state)
{
    runStream(state, junkStream(int(state.range(0))));
}
BENCHMARK(BM_Junk)
    ->ArgNames({"bytes", "piece"})
    ->Args({1 << 20, 1460})
    ->Args({1 << 20, 1 << 20})
    ->Unit(benchmark::kMillisecond);

// Mean time of one pass, over as many passes as fit in about half a second.
double secondsPerPass(const std::vector<QByteArray> &parts, int rounds = 1)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    int passes = 0;
    double elapsed = 0;
    do {
        benchmark::DoNotOptimize(feedAll(parts, rounds));
        ++passes;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < 0.5);
    return elapsed / passes;
}

} // namespace

int main(int argc, char **argv)
{
    // The protocol's debug lines stay off, as in normal use.
    QLoggingCategory::setFilterRules(QStringLiteral("dap.*.debug=false"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();

    const auto small = pieces(mixedStream(1 << 20), 1460);
    const auto large = pieces(mixedStream(16 << 20), 1460);
    secondsPerPass(small); // warm up
    const double t1 = secondsPerPass(small);
    // 16 MiB arriving piece by piece, each piece fresh as from the socket: the
    // splitter's own scaling.
    const double t16 = secondsPerPass(small, 16);
    // 16 MiB prepared in memory beforehand: adds the cost of reading cold memory.
    const double t16cold = secondsPerPass(large);
    std::printf("scaling: 1 MiB in %.3f ms; 16 MiB streamed in %.2f ms, ratio t16 / (16 x t1) = %.2f\n",
                t1 * 1e3, t16 * 1e3, t16 / (16 * t1));
    std::printf("         16 MiB from cold memory in %.2f ms, ratio %.2f (includes cache misses)\n",
                t16cold * 1e3, t16cold / (16 * t1));
    return 0;
}
