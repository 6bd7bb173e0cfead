// buzzgen OUT.wav: writes the console's alarm sound (run by the build).
#include "buzzer.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Usage: buzzgen OUT.wav\n");
        return 2;
    }
    const std::vector<std::uint8_t> wav = buzzer::wavFile(buzzer::samples());
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(wav.data()), std::streamsize(wav.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "buzzgen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
