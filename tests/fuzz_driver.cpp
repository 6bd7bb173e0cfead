// Stand-alone driver for the fuzz targets when libFuzzer is not available:
// replays every file of the folders given on the command line, then a fixed
// number of pseudo-random inputs and byte-level mutations of the seeds. The
// sequence is deterministic, so a failure repeats on the next run.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::string> readSeeds(int argc, char** argv)
{
    std::vector<std::string> seeds;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i], ec)) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    return seeds;
}

void run(const std::string& input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> seeds = readSeeds(argc, argv);
    for (const std::string& s : seeds)
        run(s);

    const char* env = std::getenv("FUZZ_RUNS");
    const int runs = env ? std::atoi(env) : 4000;
    std::mt19937 rng(12345);
    const std::string alphabet = "0123456789-+.,:eE \t\r\nONC{}[]\":truefalsn\\/x";
    for (int i = 0; i < runs; ++i) {
        std::string input;
        if (!seeds.empty() && (i % 2) == 0) {
            input = seeds[rng() % seeds.size()];
            const int edits = 1 + int(rng() % 8);
            for (int e = 0; e < edits; ++e) {
                const size_t pos = input.empty() ? 0 : rng() % (input.size() + 1);
                switch (rng() % 3) {
                case 0:
                    input.insert(pos, 1, char(rng()));
                    break;
                case 1:
                    if (pos < input.size())
                        input.erase(pos, 1);
                    break;
                default:
                    if (pos < input.size())
                        input[pos] = char(rng());
                    break;
                }
            }
        } else {
            const size_t len = rng() % 512;
            for (size_t k = 0; k < len; ++k)
                input.push_back((rng() % 4) ? alphabet[rng() % alphabet.size()] : char(rng()));
        }
        run(input);
    }
    std::printf("fuzz driver: %zu seeds, %d generated inputs, no crash\n", seeds.size(), runs);
    return 0;
}
