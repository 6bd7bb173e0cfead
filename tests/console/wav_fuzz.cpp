// Arbitrary bytes as the alarm sound file: read, and when read, looped.
#include "wavsound.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString why;
    const auto sound = wav::parse(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), &why);
    if (sound && sound->pcm.size() % sound->bytesPerFrame() != 0)
        __builtin_trap();
    if (sound && wav::period(*sound, 50).size() % sound->bytesPerFrame() != 0)
        __builtin_trap();
    return 0;
}
