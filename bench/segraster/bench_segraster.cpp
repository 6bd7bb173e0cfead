// Raster costs the display pays: the gradient at full-screen size, building
// the shape sets, painting one cell's seven segments filled or framed, erasing
// a mark through its shape, and the rounded outline with its border ring.
#include "gradient.h"
#include "shapes.h"
#include "surface.h"

#include <benchmark/benchmark.h>

using namespace segraster;

namespace {

void BM_Gradient(benchmark::State& state)
{
    const auto angle = static_cast<float>(state.range(0));
    GradientImage g;
    for (auto _ : state) {
        BuildGradient(g, 1920, 1080, 0x0000FF, 0xFF8000, angle, state.range(1) != 0);
        benchmark::DoNotOptimize(g.bits.data());
    }
}
BENCHMARK(BM_Gradient)->Args({ 90, 0 })->Args({ 33, 1 })->Args({ 200, 0 })->Unit(benchmark::kMillisecond);

void BM_BuildShapeSets(benchmark::State& state)
{
    for (auto _ : state) {
        for (int entry = 0; entry < 8; ++entry) {
            benchmark::DoNotOptimize(MakeSegmentShape(entry, 20, 8));
            benchmark::DoNotOptimize(MakeSegmentShape(entry, 10, 8));
        }
        benchmark::DoNotOptimize(MakeMarkShape(0, 20, 8, 5));
        benchmark::DoNotOptimize(MakeMarkShape(1, 20, 8, 5));
    }
}
BENCHMARK(BM_BuildShapeSets)->Unit(benchmark::kMicrosecond);

// One cell of the hexagonal style at H 20, W 8, G 1: the seven places.
void paintCell(Surface& s, const Region& upright, const Region& lying, bool framed)
{
    constexpr int X = 40, Y = 2, H = 20, G = 1, w2 = 4;
    const struct {
        const Region* shape;
        int x, y;
    } places[] = { { &lying, X + w2 + G, Y }, { &upright, X + H + 2 * G, Y + w2 + G },
        { &upright, X + H + 2 * G, Y + H + w2 + 3 * G }, { &lying, X + w2 + G, Y + 2 * H + 4 * G },
        { &upright, X, Y + H + w2 + 3 * G }, { &upright, X, Y + w2 + G },
        { &lying, X + w2 + G, Y + H + 2 * G } };
    for (const auto& p : places) {
        if (framed)
            s.frame(*p.shape, 0x00FFFF, p.x, p.y);
        else
            s.fill(*p.shape, 0x00FFFF, p.x, p.y);
    }
}

void BM_PaintCell(benchmark::State& state)
{
    Surface s(403, 60);
    const Region upright = MakeSegmentShape(kHexUpright, 20, 8), lying = MakeSegmentShape(kHexLying, 20, 8);
    for (auto _ : state) {
        paintCell(s, upright, lying, state.range(0) != 0);
        benchmark::DoNotOptimize(s.scanLine(0));
    }
}
BENCHMARK(BM_PaintCell)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RestoreThroughComma(benchmark::State& state)
{
    Surface screen(403, 60), background(403, 60);
    const Region comma = *MakeMarkShape(0, 20, 8, 5);
    for (auto _ : state) {
        screen.copyInRegion(background, comma, 100, 30);
        benchmark::DoNotOptimize(screen.scanLine(0));
    }
}
BENCHMARK(BM_RestoreThroughComma)->Unit(benchmark::kMicrosecond);

void BM_OutlineAndRing(benchmark::State& state)
{
    Surface s(403, 31);
    for (auto _ : state) {
        const Region outer = MakeRoundedRegion(0, 0, 403, 31, 10, 10, 10, 10);
        s.fill(MakeBorderRing(403, 31, 3, 10, 10, 10, 10), 0x808080);
        benchmark::DoNotOptimize(outer);
    }
}
BENCHMARK(BM_OutlineAndRing)->Unit(benchmark::kMicrosecond);

void BM_BackgroundCopy(benchmark::State& state)
{
    Surface screen(403, 31);
    GradientImage g;
    BuildGradient(g, 403, 31, 0x0000FF, 0xFF8000, 90.0f, false);
    for (auto _ : state) {
        screen.drawBottomUpBits(3, 3, 397, 25, g.bits.data(), g.width, g.height, 3, 3);
        benchmark::DoNotOptimize(screen.scanLine(0));
    }
}
BENCHMARK(BM_BackgroundCopy)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
