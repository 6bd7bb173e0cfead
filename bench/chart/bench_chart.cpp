// One sample on a full 100-point chart of 600 x 150 pixels: the shift, the
// whole redraw into the back buffer and the copy onto the surface.
#include "benchmain.h"
#include "uchistogram.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// A shown, borderless 600 x 150 chart already holding its 100 samples.
void fill(ucHistogram& chart)
{
    chart.setBorderStyle(0);
    chart.resize(600, 150);
    chart.show();
    QCoreApplication::processEvents();
    for (int i = 0; i < 100; ++i)
        chart.NextPoint(i % 100);
}

void NextPointAndRedraw(benchmark::State& state)
{
    ucHistogram chart;
    fill(chart);
    int v = 0;
    for (auto _ : state) {
        chart.NextPoint(v);
        v = (v + 37) % 100;
        QCoreApplication::processEvents(); // the queued repaint of the surface
    }
}
BENCHMARK(NextPointAndRedraw)->Unit(benchmark::kMicrosecond);

// The same without showing the result on screen: the back buffer and the copy only.
void NextPointOffScreen(benchmark::State& state)
{
    ucHistogram chart;
    fill(chart);
    chart.hide();
    int v = 0;
    for (auto _ : state) {
        chart.NextPoint(v);
        v = (v + 37) % 100;
    }
}
BENCHMARK(NextPointOffScreen)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatform();
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
