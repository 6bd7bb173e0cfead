#include "gradient.h"

#include "surface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace segraster {

namespace {

    // The 32-bit float constants of the computation, as the doubles they widen to.
    constexpr double kDegreesPerRadian = 57.2957763671875; // 57.295776f
    constexpr double kRadiansPerDegree = 0.01745329238474369; // 0.017453292f
    constexpr double kHalfPi = 1.5707963705062866; // 1.5707964f

    struct Rgb {
        int r, g, b;
    };

    // 0x00BBGGRR reference -> components (red in the low byte).
    Rgb split(std::uint32_t c)
    {
        return { int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF) };
    }

    std::uint32_t pixel(int r, int g, int b)
    {
        return std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
    }

    // Where the gradient runs: quadrant, angle inside it, the colour steps and
    // the per-pixel weights in thousandths.
    struct Direction {
        int quadrant = 0;
        int steps = 1;
        int s = 0, c = 0;
    };

    Direction direction(int W, int H, int d)
    {
        Direction dir;
        dir.quadrant = d / 90;
        const int r = d % 90;
        const bool even = dir.quadrant % 2 == 0;
        const double ratio = even ? double(W) / double(H) : double(H) / double(W);
        const float beta = static_cast<float>(std::atan(ratio) * kDegreesPerRadian);
        const float t = static_cast<float>((90.0 - std::fabs(r - double(beta))) * kRadiansPerDegree);
        const float rr = static_cast<float>(r * kRadiansPerDegree);
        const std::int64_t diagonal2 = std::int64_t(W) * W + std::int64_t(H) * H;
        const double steps = std::nearbyint(std::sqrt(double(diagonal2)) * std::sin(double(t)));
        dir.steps = std::max(1, static_cast<int>(steps));
        const double theta = even ? double(rr) : kHalfPi - double(rr);
        dir.s = static_cast<int>(std::nearbyint(std::sin(theta) * 1000.0));
        dir.c = static_cast<int>(std::nearbyint(std::cos(theta) * 1000.0));
        return dir;
    }

    // Fills one stored row: entry (s x + base) \ 1000 for x = 0 .. W-1, stepped
    // without a division per pixel.
    void fillRow(std::uint32_t* out, int W, int s, int base, const std::vector<std::uint32_t>& table)
    {
        const int last = static_cast<int>(table.size()) - 1;
        const std::uint32_t* entries = table.data();
        // Division by the constant 1000 compiles to a multiply; the clamp to
        // the last entry is only needed where the row runs past the table.
        int x = 0;
        const int safeEnd = (s * (W - 1) + base) / 1000 <= last ? W : 0;
        for (; x < safeEnd; ++x)
            out[x] = entries[(s * x + base) / 1000];
        for (; x < W; ++x)
            out[x] = entries[std::min((s * x + base) / 1000, last)];
    }

} // namespace

std::vector<std::uint32_t> GradientColourTable(int steps, std::uint32_t c1, std::uint32_t c2, bool middleOut)
{
    steps = std::max(steps, 1);
    const Rgb a = split(c1), b = split(c2);
    std::vector<std::uint32_t> ramp(static_cast<std::size_t>(steps));
    if (steps == 1) {
        ramp[0] = pixel(a.r / 2 + b.r / 2, a.g / 2 + b.g / 2, a.b / 2 + b.b / 2);
    } else {
        const int n = steps - 1;
        for (int k = 0; k <= n; ++k)
            ramp[std::size_t(k)]
                = pixel(a.r + k * (b.r - a.r) / n, a.g + k * (b.g - a.g) / n, a.b + k * (b.b - a.b) / n);
    }
    if (!middleOut)
        return ramp;
    // First colour out to the second and back: even entries up, odd ones down.
    std::vector<std::uint32_t> table;
    table.reserve(ramp.size());
    for (std::size_t k = 0; k < ramp.size(); k += 2)
        table.push_back(ramp[k]);
    const int n = steps - 1;
    for (int k = n % 2 == 1 ? n : n - 1; k >= 1; k -= 2)
        table.push_back(ramp[std::size_t(k)]);
    return table;
}

GradientResult BuildGradient(
    GradientImage& image, int W, int H, std::uint32_t c1, std::uint32_t c2, float angle, bool middleOut)
{
    if (W < 1 || H < 1)
        return GradientResult::Skipped;
    const std::int64_t diagonal2 = std::int64_t(W) * W + std::int64_t(H) * H;
    if (diagonal2 > INT32_MAX || std::int64_t(W) * H > kMaxSurfacePixels || !std::isfinite(angle))
        return GradientResult::Overflow;

    if (middleOut && angle >= 91.0f && angle <= 270.0f)
        std::swap(c1, c2);
    int d = static_cast<int>(std::fmod(std::nearbyint(90.0 - double(angle)), 360.0));
    if (d < 0)
        d += 360;
    const Direction dir = direction(W, H, d);
    if (dir.quadrant > 1)
        std::swap(c1, c2);
    const std::vector<std::uint32_t> table = GradientColourTable(dir.steps, c1, c2, middleOut);

    // Nothing can fail from here on, so the buffer is rewritten in place
    // (no new allocation when the size is unchanged). Every pixel is written.
    image.width = W;
    image.height = H;
    image.bits.resize(std::size_t(W) * std::size_t(H));
    const bool flip = dir.quadrant % 2 == 1;
    for (int y = 0; y < H; ++y) {
        const int stored = flip ? H - 1 - y : y;
        fillRow(image.bits.data() + std::size_t(stored) * std::size_t(W), W, dir.s, dir.c * y, table);
    }
    return GradientResult::Built;
}

} // namespace segraster
