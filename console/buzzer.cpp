#include "buzzer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace buzzer {
namespace {

    constexpr int kFadeMs = 5;

    int samplesFor(int ms)
    {
        return kSampleRate * ms / 1000;
    }

    void putLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            out.push_back(std::uint8_t(value >> (8 * i)));
    }

    void putTag(std::vector<std::uint8_t>& out, const char (&tag)[5])
    {
        for (int i = 0; i < 4; ++i)
            out.push_back(std::uint8_t(tag[i]));
    }

} // namespace

std::vector<std::int16_t> samples()
{
    const int beep = samplesFor(kBeepMs);
    const int gap = samplesFor(kGapMs);
    const int fade = samplesFor(kFadeMs);
    std::vector<std::int16_t> pcm;
    for (int b = 0; b < kBeeps; ++b) {
        for (int i = 0; i < beep; ++i) {
            const double t = double(i) / kSampleRate;
            const double phase = 2.0 * std::numbers::pi * kPitchHz * t;
            // A third harmonic gives the hard edge of a piezo buzzer.
            const double wave = std::sin(phase) + 0.3 * std::sin(3.0 * phase);
            const double envelope = std::min({ 1.0, double(i) / fade, double(beep - 1 - i) / fade });
            pcm.push_back(std::int16_t(std::lround(wave / 1.3 * envelope * 0.6 * 32767.0)));
        }
        if (b + 1 < kBeeps)
            pcm.insert(pcm.end(), size_t(gap), 0);
    }
    return pcm;
}

std::vector<std::uint8_t> wavFile(const std::vector<std::int16_t>& pcm)
{
    const std::uint32_t dataBytes = std::uint32_t(pcm.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    putLe(out, 36 + dataBytes, 4);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putLe(out, 16, 4); // size of the format chunk
    putLe(out, 1, 2); // PCM
    putLe(out, 1, 2); // mono
    putLe(out, kSampleRate, 4);
    putLe(out, kSampleRate * 2, 4); // bytes per second
    putLe(out, 2, 2); // bytes per frame
    putLe(out, 16, 2); // bits per sample
    putTag(out, "data");
    putLe(out, dataBytes, 4);
    for (const std::int16_t s : pcm)
        putLe(out, std::uint16_t(s), 2);
    return out;
}

} // namespace buzzer
