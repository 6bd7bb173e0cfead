// The two-colour background gradient, computed once per size or colour change
// into a bottom-up 32-bit pixel buffer that the display copies from.
//
// The arithmetic is fixed to the bit: the angle is a 32-bit float, beta, t and
// rr are stored as 32-bit floats, ratio and theta stay double, nearest() rounds
// ties to even, and each pixel is one table lookup (s x + c y) \ 1000. An index
// past the last table entry uses the last entry.
#pragma once

#include <cstdint>
#include <vector>

namespace segraster {

// The buffer and what its header describes: width, height (rows bottom-up),
// 32 bits per pixel. Each pixel is 0x00RRGGBB, bits[0] is the bottom-left pixel.
struct GradientImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> bits;

    bool isEmpty() const { return bits.empty(); }
    // Pixel at (x, y) counted from the top-left corner of the picture.
    std::uint32_t at(int x, int y) const { return bits[std::size_t(height - 1 - y) * width + x]; }
};

enum class GradientResult {
    Built, // image replaced
    Skipped, // width or height below 1: image left as it was
    Overflow, // width^2 + height^2 beyond the 32-bit range, or more pixels than a
              // surface may hold: image left as it was, the caller reports it
};

// c1, c2: resolved colour references 0x00BBGGRR (red in the low byte); the
// failed translation -1 counts as components 255. angle in degrees.
GradientResult BuildGradient(GradientImage& image, int width, int height, std::uint32_t c1, std::uint32_t c2,
    float angle, bool middleOut);

// The gradient's colour table on its own (ramp of `steps` entries from c1 to c2,
// re-ordered middle-out when asked), 0x00RRGGBB entries. Exposed for tests and
// for callers that want a swatch.
std::vector<std::uint32_t> GradientColourTable(int steps, std::uint32_t c1, std::uint32_t c2, bool middleOut);

} // namespace segraster
