// The console window: the whole receive handler per character, the time from
// creating the window to its first painted frame, and the resident memory after
// ten thousand lines.
#include "benchmain.h"
#include "frmmain.h"
#include "inifile.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// The settings file beside the program, and port devices that do not exist.
ProgramContext benchContext()
{
    ProgramContext context { settingsPath(), {} };
    for (int port = 1; port <= kComPortCount; ++port)
        context.devices.setPath(port, QStringLiteral("/nonexistent/bench%1").arg(port));
    return context;
}

void feed(frmMain& window, const QString& text)
{
    for (const QChar c : text)
        window.receiveChunk(QString(c));
}

// Lines like "25X" CR LF, each through every step: display update, lamps and
// the settings re-read included.
void ReceiveHandler(benchmark::State& state)
{
    WritePrivateProfileString(
        QStringLiteral("TEMP"), QStringLiteral("SETTEMP"), QStringLiteral("30"), settingsPath());
    frmMain window(benchContext(), QString(), nullptr);
    window.Form_Load();
    window.show();
    QCoreApplication::processEvents();
    const QString lines[]
        = { QStringLiteral("25X\r\n"), QStringLiteral("31X\r\n"), QStringLiteral("28X\r\n") };
    std::int64_t chars = 0;
    int i = 0;
    for (auto _ : state) {
        const QString& line = lines[i++ % 3];
        feed(window, line);
        chars += line.size();
    }
    state.counters["chars_per_s"] = benchmark::Counter(double(chars), benchmark::Counter::kIsRate);
}
BENCHMARK(ReceiveHandler);

// Creating, loading and showing the window until its first paint has been
// delivered.
class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

void StartToFirstFrame(benchmark::State& state)
{
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        FirstPaint watcher;
        frmMain window(benchContext(), QString(), nullptr);
        window.installEventFilter(&watcher);
        window.Form_Load();
        window.show();
        while (!watcher.painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
    }
}
BENCHMARK(StartToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

void ResidentAfterTenThousandLines(benchmark::State& state)
{
    double resident = 0;
    for (auto _ : state) {
        frmMain window(benchContext(), QString(), nullptr);
        window.Form_Load();
        window.show();
        for (int i = 0; i < 10000; ++i) {
            feed(window, QStringLiteral("%1X\r\n").arg(20 + i % 15));
            if (i % 100 == 0) {
                window.Timer2_Timer();
                QCoreApplication::processEvents();
            }
        }
        resident = residentMegabytes();
    }
    state.counters["resident_MB"] = resident;
}
BENCHMARK(ResidentAfterTenThousandLines)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatform();
    QApplication app(argc, argv);
    const int status = runBenchmarks(argc, argv);
    QFile::remove(settingsPath());
    return status;
}
