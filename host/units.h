#pragma once
// Host units: twips (1/1440 inch) and hundredths of a millimetre, both at the
// usual 96 dots per inch.
#include <cmath>

namespace units {

inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsFromPixels(int pixels)
{
    return pixels * kTwipsPerPixel;
}

// Whole pixels covering a twip length, rounded to the nearest pixel.
inline int pixelsFromTwips(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

// An extent in hundredths of a millimetre (2540 to the inch).
inline int extentFromPixels(int pixels)
{
    return int(std::lround(pixels * 2540.0 / 96.0));
}
inline int pixelsFromExtent(int extent)
{
    return int(std::lround(extent * 96.0 / 2540.0));
}

} // namespace units
