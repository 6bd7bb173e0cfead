// Costs of the display's hot paths: a Value change that alters one cell
// (against a stock LCD widget of the same size and digit count doing the
// same with a synchronous repaint), a full repaint, and the gradient.
#include "benchmain.h"
#include "displaycanvas.h"
#include "segmentdisplay.h"

#include <QApplication>
#include <QLCDNumber>

#include <benchmark/benchmark.h>

namespace {

constexpr int kWidth = 403; // the default look's size
constexpr int kHeight = 31;

const QString kValues[2] = { QStringLiteral("1234567890"), QStringLiteral("1234567891") };

// Both widgets sit in a shown window, as on a form, so repaint() paints.
QWidget* g_form = nullptr;

QWidget& form()
{
    return *g_form;
}

void showSized(QWidget& widget, int w, int h)
{
    widget.setParent(&form());
    widget.resize(w, h);
    widget.show();
    QCoreApplication::processEvents();
}

void BM_ValueOneCell_SegmentDisplay(benchmark::State& state)
{
    SegmentDisplay display;
    showSized(display, kWidth, kHeight);
    const int cellsBefore = display.counters().cellPaints;
    int i = 0;
    for (auto _ : state) {
        display.setValue(kValues[++i & 1]);
        display.repaint();
    }
    state.counters["cells/op"]
        = benchmark::Counter(display.counters().cellPaints - cellsBefore, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ValueOneCell_SegmentDisplay);

void BM_ValueOneCell_StockLcd(benchmark::State& state)
{
    QLCDNumber lcd(20, nullptr);
    lcd.setSegmentStyle(QLCDNumber::Filled);
    showSized(lcd, kWidth, kHeight);
    int i = 0;
    for (auto _ : state) {
        lcd.display(kValues[++i & 1]);
        lcd.repaint();
    }
}
BENCHMARK(BM_ValueOneCell_StockLcd);

void BM_RepaintAll(benchmark::State& state)
{
    SegmentDisplay display;
    showSized(display, kWidth, kHeight);
    for (auto _ : state)
        benchmark::DoNotOptimize(display.RepaintAll());
}
BENCHMARK(BM_RepaintAll)->Unit(benchmark::kMicrosecond);

void BM_BuildGradient_1920x1080(benchmark::State& state)
{
    DisplayProperties props;
    props.BackColor1 = 0x0000FF;
    props.BackColor2 = 0xFF8000;
    props.BackAngle = 30.0f;
    DrawCounters counters;
    DisplayCanvas canvas(props, counters);
    canvas.setSize(1920, 1080);
    for (auto _ : state)
        canvas.BuildGradient();
}
BENCHMARK(BM_BuildGradient_1920x1080)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatform();
    QApplication app(argc, argv);
    QWidget window;
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.resize(2000, 1200);
    window.show();
    g_form = &window;
    return runBenchmarks(argc, argv);
}
