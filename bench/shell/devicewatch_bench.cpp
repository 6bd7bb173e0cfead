// The device watch's idle cost: one look (the adapter nodes in /dev, the by-id
// links, two watched paths) as the watch takes it twice a second, and the share
// of one core that makes.
#include "devicewatch.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <ctime>

namespace {

void BM_DeviceWatchLook(benchmark::State& state)
{
    QTemporaryDir dir;
    QFile::link(QStringLiteral("/dev/null"), dir.filePath(QStringLiteral("board")));
    const QStringList watched { dir.filePath(QStringLiteral("board")),
        dir.filePath(QStringLiteral("missing")) };
    const std::clock_t start = std::clock();
    for (auto _ : state)
        benchmark::DoNotOptimize(deviceFingerprint(watched));
    const double cpuPerLook = double(std::clock() - start) / CLOCKS_PER_SEC / double(state.iterations());
    // Percent of one core spent while idle, at one look every kIntervalMs.
    state.counters["idle_core_percent"] = cpuPerLook * (1000.0 / DeviceWatch::kIntervalMs) * 100.0;
}
BENCHMARK(BM_DeviceWatchLook)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
