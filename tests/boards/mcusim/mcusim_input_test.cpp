// What mcusim accepts from its user: the command line, the commands on
// standard input and the EEPROM file.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "command.h"
#include "eepromfile.h"
#include "elfcheck.h"
#include "options.h"

namespace {

using namespace mcusim;
using namespace std::string_literals;

TEST(Commands, UnderstoodLines)
{
    const auto adc = parseCommand("adc 3 1234");
    ASSERT_TRUE(adc.error.empty());
    EXPECT_EQ(std::get<AdcCommand>(adc.command).channel, 3);
    EXPECT_EQ(std::get<AdcCommand>(adc.command).millivolts, 1234);

    const auto ir = parseCommand("  ir 20df10ef\t90\r");
    ASSERT_TRUE(ir.error.empty());
    EXPECT_EQ(std::get<IrCommand>(ir.command).pulses, necFrame(0x20DF10EF, 90));

    EXPECT_EQ(std::get<IrCommand>(parseCommand("irrep").command).pulses, necRepeat());
    EXPECT_EQ(std::get<IrCommand>(parseCommand("irraw 9000 4500 560").command).pulses,
        (Pulses { 9000, 4500, 560 }));
    EXPECT_TRUE(std::holds_alternative<QuitCommand>(parseCommand("quit").command));
    EXPECT_TRUE(std::holds_alternative<NoCommand>(parseCommand("   ").command));
    EXPECT_TRUE(parseCommand("").error.empty());
}

TEST(Commands, RejectedLinesSayWhyAndDoNothing)
{
    for (const char* line : { "adc", "adc 8 100", "adc 0 -1", "adc 0 5001", "adc 0 12x", "adc 0 1 2", "ir",
             "ir 123456789", "ir 0xFF", "ir G0", "ir 1 49", "ir 1 201", "ir 1 100 3", "irrep 10", "irraw",
             "irraw 0", "irraw 1000001", "irraw 5 x", "quit now", "ADC 0 100", "reboot" }) {
        const auto parsed = parseCommand(line);
        EXPECT_FALSE(parsed.error.empty()) << line;
        EXPECT_TRUE(std::holds_alternative<NoCommand>(parsed.command)) << line;
    }
    std::string longest = "irraw";
    for (int i = 0; i < 256; ++i)
        longest += " 562";
    EXPECT_TRUE(parseCommand(longest).error.empty());
    EXPECT_FALSE(parseCommand(longest + " 562").error.empty()) << "257 pulses";
}

TEST(Options, CommandLine)
{
    const auto full = parseOptions({ "--link", "/tmp/COM1", "fw.elf", "--eeprom", "ee.bin" });
    EXPECT_TRUE(full.error.empty());
    EXPECT_EQ(full.options.firmware, "fw.elf");
    EXPECT_EQ(full.options.linkPath, "/tmp/COM1");
    EXPECT_EQ(full.options.eepromPath, "ee.bin");

    EXPECT_TRUE(parseOptions({ "--help" }).options.help);
    EXPECT_TRUE(parseOptions({ "--help" }).error.empty());
    for (const auto& args : std::vector<std::vector<std::string>> {
             {}, { "--link" }, { "fw.elf", "--eeprom" }, { "a.elf", "b.elf" }, { "--speed", "fw.elf" } }) {
        EXPECT_FALSE(parseOptions(args).error.empty()) << args.size();
    }
}

class EepromFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/eeprom-test-XXXXXX";
        dir = mkdtemp(pattern);
        path = dir + "/ee.bin";
    }
    void TearDown() override
    {
        chmod(dir.c_str(), 0700);
        unlink(path.c_str());
        rmdir((dir + "/sub").c_str());
        rmdir(dir.c_str());
    }
    void writeFile(const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    std::string readFile()
    {
        std::ifstream in(path, std::ios::binary);
        return { std::istreambuf_iterator<char>(in), {} };
    }
    std::string dir;
    std::string path;
    std::string error;
    std::vector<std::uint8_t> image = std::vector<std::uint8_t>(16, 0);
};

TEST_F(EepromFile, MissingOrShortFilesReadAsErased)
{
    EXPECT_TRUE(loadEeprom(path, image, error));
    EXPECT_EQ(image, std::vector<std::uint8_t>(16, 0xFF));

    writeFile("\x1c\x00\x07"s);
    EXPECT_TRUE(loadEeprom(path, image, error));
    EXPECT_EQ(image[0], 0x1c);
    EXPECT_EQ(image[1], 0x00);
    EXPECT_EQ(image[2], 0x07);
    EXPECT_EQ(image[3], 0xFF);
}

TEST_F(EepromFile, ForeignFilesAreRefusedAndKept)
{
    const std::string big(17, 'x');
    writeFile(big);
    EXPECT_FALSE(loadEeprom(path, image, error));
    EXPECT_NE(error.find("17 bytes"), std::string::npos) << error;
    EXPECT_EQ(readFile(), big);

    mkdir((dir + "/sub").c_str(), 0700);
    EXPECT_FALSE(loadEeprom(dir + "/sub", image, error));
}

TEST_F(EepromFile, SaveReplacesTheWholeImage)
{
    writeFile("old contents");
    image.assign(16, 0xAB);
    image[0] = 42;
    ASSERT_TRUE(saveEeprom(path, image, error)) << error;
    EXPECT_EQ(readFile(), std::string(reinterpret_cast<const char*>(image.data()), image.size()));

    std::vector<std::uint8_t> back(16);
    EXPECT_TRUE(loadEeprom(path, back, error));
    EXPECT_EQ(back, image);
}

TEST_F(EepromFile, UnwritableFolderIsReportedAndOldImageKept)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes anywhere";
    writeFile("keep");
    chmod(dir.c_str(), 0500);
    EXPECT_FALSE(saveEeprom(path, image, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readFile(), "keep");
}

TEST_F(EepromFile, OnlyAvrElfImagesAreLoaded)
{
    // The simulator library crashes on other files, so they never reach it.
    writeFile("not firmware at all, just text");
    EXPECT_FALSE(isAvrElf(path, error));
    EXPECT_FALSE(isAvrElf("/proc/self/exe", error)) << "an ELF image for the host";
    EXPECT_NE(error.find("not AVR firmware"), std::string::npos) << error;
    EXPECT_FALSE(isAvrElf(dir, error));
    EXPECT_FALSE(isAvrElf(dir + "/missing.elf", error));
#ifdef TUVELA_FIRMWARE_DIR
    const std::string firmware = std::string(TUVELA_FIRMWARE_DIR) + "/tempctl.elf";
    EXPECT_TRUE(isAvrElf(firmware, error)) << error;
    std::ifstream in(firmware, std::ios::binary);
    const std::string image { std::istreambuf_iterator<char>(in), {} };
    writeFile(image.substr(0, image.size() / 2));
    EXPECT_FALSE(isAvrElf(path, error)) << "cut in half";
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;
#endif
}

} // namespace
