// Characters per second delivered through ComPort from a pseudo-terminal, with
// one OnComm and one one-character Input per character.
#include "benchmain.h"
#include "comport.h"
#include "ptypair.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <cerrno>
#include <unistd.h>

namespace {

void BM_ComPortReceive(benchmark::State& state)
{
    const int chunk = int(state.range(0));
    PtyPair pty;
    ComPort port;
    port.devices().setPath(1, QString::fromStdString(pty.slavePath()));
    port.setCommPort(1);
    port.setInputLen(1);
    port.setRThreshold(1);
    port.setPortOpen(true);
    qint64 received = 0;
    QObject::connect(&port, &ComPort::OnComm, [&] {
        if (port.CommEvent() == ComPort::kEvReceive)
            received += port.Input().size();
    });
    const std::string data(size_t(chunk), 'x');
    for (auto _ : state) {
        received = 0;
        size_t written = 0;
        while (received < chunk) {
            if (written < data.size()) {
                const ssize_t n = ::write(pty.master(), data.data() + written, data.size() - written);
                if (n > 0)
                    written += size_t(n);
            }
            QCoreApplication::processEvents();
        }
    }
    state.SetItemsProcessed(state.iterations() * chunk);
    state.counters["chars_per_s"]
        = benchmark::Counter(double(state.iterations() * chunk), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ComPortReceive)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
