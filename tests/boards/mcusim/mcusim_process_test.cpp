// mcusim as a program: its command line, the link to its pseudo-terminal,
// and the EEPROM file kept safe however it ends.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "simprocess.h"

namespace {

class McusimProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/mcusim-test-XXXXXX";
        dir = mkdtemp(pattern);
    }
    void TearDown() override
    {
        for (const char* name : { "/link", "/file", "/ee.bin" })
            unlink((dir + name).c_str());
        rmdir(dir.c_str());
    }
    std::string readFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return { std::istreambuf_iterator<char>(in), {} };
    }
    std::string dir;
};

TEST_F(McusimProcess, LinkLeadsToThePseudoTerminalWhileRunning)
{
    const std::string link = dir + "/link";
    {
        SimProcess sim("irrecv.elf", { "--link", link });
        ASSERT_TRUE(sim.started());
        char target[256] = {};
        ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
        EXPECT_EQ(sim.devicePath(), target);
        EXPECT_EQ(sim.quit(), 0);
    }
    struct stat st { };
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "the link goes when mcusim ends";
}

TEST_F(McusimProcess, RefusesToReplaceAFileWithItsLink)
{
    const std::string file = dir + "/file";
    std::ofstream(file) << "operator's notes";
    SimProcess sim("irrecv.elf", { "--link", file });
    EXPECT_FALSE(sim.started());
    EXPECT_EQ(sim.waitForExit(5000), 1);
    EXPECT_EQ(readFile(file), "operator's notes");
}

TEST_F(McusimProcess, WrongFirmwareIsReportedNotRun)
{
    const std::string file = dir + "/file";
    std::ofstream(file) << "not firmware";
    SimProcess sim(file);
    EXPECT_FALSE(sim.started());
    EXPECT_EQ(sim.waitForExit(5000), 1);
}

TEST_F(McusimProcess, EepromIsSavedWhenStoppedOrKilled)
{
    const std::string eeprom = dir + "/ee.bin";
    for (const int how : { SIGTERM, SIGKILL }) {
        SimProcess sim("tempctl.elf", { "--eeprom", eeprom });
        ASSERT_TRUE(sim.started());
        sim.send(how == SIGTERM ? "35" : "34");
        const std::string answer = how == SIGTERM ? "26C\r\n" : "25C\r\n";
        ASSERT_TRUE(sim.waitForLine(answer, 1500));
        // Even power cut right after the change finds it in the file.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        sim.signal(how);
        sim.waitForExit(5000);
        const std::string image = readFile(eeprom);
        ASSERT_EQ(image.size(), 1024u);
        EXPECT_EQ(image[0], how == SIGTERM ? 26 : 25) << "signal " << how;
    }
}

} // namespace
