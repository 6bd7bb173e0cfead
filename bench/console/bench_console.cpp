// The console window: the whole receive handler per character, the time from
// creating the window to its first painted frame, and the resident memory after
// ten thousand lines.
#include "benchmain.h"
#include "frmmain.h"
#include "inifile.h"

#include "labclient.h"
#include "lablink.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <optional>
#include <unistd.h>

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

// A private broker on a free port of 127.0.0.1 that takes anyone, for as long
// as the benchmark runs.
class Broker {
public:
    Broker()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        m_port = probe.serverPort();
        probe.close();
        QFile conf(m_dir.filePath(QStringLiteral("mosquitto.conf")));
        if (conf.open(QIODevice::WriteOnly))
            conf.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\n%2")
                           .arg(m_port)
                           .arg(geteuid() == 0 ? QStringLiteral("user root\n") : QString())
                           .toUtf8());
        conf.close();
        m_process.start(QStringLiteral("mosquitto"), { QStringLiteral("-c"), conf.fileName() });
    }
    ~Broker()
    {
        m_process.terminate();
        m_process.waitForFinished(3000);
    }
    QString url() const { return QStringLiteral("mqtt://127.0.0.1:%1").arg(m_port); }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};

// Lines like "25X" CR LF, each through every step: display update, lamps and
// the settings re-read included. Argument 1: with the lab link connected to a
// local broker (every line then also an event and a state message).
void ReceiveHandler(benchmark::State& state)
{
    WritePrivateProfileString(
        QStringLiteral("TEMP"), QStringLiteral("SETTEMP"), QStringLiteral("30"), settingsPath());
    std::optional<Broker> broker;
    frmMain window(benchContext(), QString(), nullptr);
    window.Form_Load();
    if (state.range(0) == 1) {
        broker.emplace();
        window.openLabLink(broker->url());
        QElapsedTimer waited;
        waited.start();
        while (!(window.labLink() && window.labLink()->client().up()) && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!window.labLink() || !window.labLink()->client().up()) {
            state.SkipWithError("the lab link did not come up");
            return;
        }
    }
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
    QCoreApplication::processEvents();
}
BENCHMARK(ReceiveHandler)->Arg(0)->Arg(1);

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
