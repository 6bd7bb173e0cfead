// The device watch: its idle cost (one look at the adapter nodes in /dev, the
// by-id links and two watched paths, taken twice a second), and how soon a
// device lost while connected is connected again after it returns.
#include "comport.h"
#include "connectionpanel.h"
#include "devicewatch.h"
#include "portfollower.h"
#include "ptypair.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

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

// Runs the event loop until `done` holds or 10 s pass.
template <typename Done> bool spin(Done done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// From the moment the device's name leads to a device again until the port
// is open on it: a board behind a symbolic link, unplugged and plugged back in.
// The mean is the typical wait; the worst is one interval of the watch.
void BM_ReconnectAfterReturn(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("board"));
    ConnectionPanel panel(ComDevices {}, ConnectionPanel::Arrangement::Column);
    ComPort& port = panel.port();
    auto* follower
        = new PortFollower(panel, { link, "/nonexistent/2", "/nonexistent/3", "/nonexistent/4" }, {});
    auto board = std::make_unique<PtyPair>();
    QFile::link(QString::fromStdString(board->slavePath()), link);
    follower->start();
    panel.cmdConnect_Click();
    int round = 0;
    for (auto _ : state) {
        board->closeMaster();
        spin([&] { return !port.PortOpen(); });
        // Returns spread over the watch's interval, not locked to its phase.
        QElapsedTimer away;
        away.start();
        const int awayMs = (round++ * DeviceWatch::kIntervalMs / 8) % DeviceWatch::kIntervalMs;
        spin([&] { return away.elapsed() >= awayMs; });
        board = std::make_unique<PtyPair>();
        QFile::remove(link);
        QElapsedTimer returned;
        returned.start();
        QFile::link(QString::fromStdString(board->slavePath()), link);
        if (!spin([&] { return port.PortOpen(); }))
            state.SkipWithError("not reconnected within 10 s");
        state.SetIterationTime(double(returned.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_ReconnectAfterReturn)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv(
        "QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
