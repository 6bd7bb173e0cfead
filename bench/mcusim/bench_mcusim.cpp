// Simulated seconds per host second ("realtime" counter): above 1 the board
// keeps up with the wall clock, the rest is spare for the host.
#include <benchmark/benchmark.h>

#include <string>

#include "irwave.h"
#include "simboard.h"

namespace {

using mcusim::SimBoard;

// The board running `name`, or null with the benchmark marked skipped.
std::unique_ptr<SimBoard> loadBoard(benchmark::State& state, const char* name)
{
    std::string error;
    auto board = SimBoard::load(std::string(TUVELA_FIRMWARE_DIR) + "/" + name, error);
    if (!board)
        state.SkipWithError(error.c_str());
    return board;
}

void reportRealtime(benchmark::State& state, double simulatedSeconds)
{
    state.counters["realtime"] = benchmark::Counter(simulatedSeconds, benchmark::Counter::kIsRate);
}

// The temperature controller measuring: mostly asleep between readings.
void BM_TempctlMeasuring(benchmark::State& state)
{
    auto board = loadBoard(state, "tempctl.elf");
    if (!board)
        return;
    board->setAdc(0, 252);
    double simulated = 0;
    for (auto _ : state) {
        board->runFree(board->frequency()); // one second: one reading
        simulated += 1.0;
    }
    reportRealtime(state, simulated);
}
BENCHMARK(BM_TempctlMeasuring)->Unit(benchmark::kMillisecond);

// The temperature controller answering a 64-byte command burst: the
// receiver, the transmitter and the EEPROM busy at once.
void BM_TempctlBurst(benchmark::State& state)
{
    auto board = loadBoard(state, "tempctl.elf");
    if (!board)
        return;
    board->receiveQueue().push_back('3');
    double simulated = 0;
    for (auto _ : state) {
        for (int i = 0; i < 64; ++i)
            board->receiveQueue().push_back(i % 2 ? '5' : '4');
        board->runFree(board->frequency() / 2); // the answers take about 0.3 s at 9600 baud
        simulated += 0.5;
    }
    reportRealtime(state, simulated);
}
BENCHMARK(BM_TempctlBurst)->Unit(benchmark::kMillisecond);

// The infrared receiver decoding ten frames a second (a key held down).
void BM_IrrecvFrames(benchmark::State& state)
{
    auto board = loadBoard(state, "irrecv.elf");
    if (!board)
        return;
    const auto frame = mcusim::necFrame(0x20DF10EF);
    double simulated = 0;
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i)
            board->playInfrared(frame);
        board->runFree(board->frequency()); // ten frames with their pauses fill one second
        simulated += 1.0;
    }
    reportRealtime(state, simulated);
}
BENCHMARK(BM_IrrecvFrames)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
