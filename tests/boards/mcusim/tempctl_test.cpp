// The temperature controller firmware on the simulated board, driven through
// its serial line as the console drives it.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "simprocess.h"

namespace {

using namespace std::chrono;

// A couple of millivolts above a whole degree, clear of the converter's rounding.
std::string adcForDegrees(int degrees)
{
    return "adc 0 " + std::to_string(degrees * 10 + 2);
}

std::string line(int value, char suffix)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d%c\r\n", value, suffix);
    return text;
}

class TempctlTest : public ::testing::Test {
protected:
    std::string eepromPath()
    {
        if (m_dir.empty()) {
            char pattern[] = "/tmp/tempctl-test-XXXXXX";
            m_dir = mkdtemp(pattern);
        }
        return m_dir + "/eeprom.bin";
    }
    void TearDown() override
    {
        if (!m_dir.empty()) {
            unlink((m_dir + "/eeprom.bin").c_str());
            rmdir(m_dir.c_str());
        }
    }

private:
    std::string m_dir;
};

TEST_F(TempctlTest, SendsOneReadingASecondWithoutDrift)
{
    SimProcess sim("tempctl.elf");
    ASSERT_TRUE(sim.started());
    sim.command(adcForDegrees(25));
    ASSERT_TRUE(sim.waitForLine("25C\r\n", 3000));

    std::vector<SimProcess::Clock::time_point> arrivals;
    for (int i = 0; i <= 10; ++i) {
        SimProcess::Clock::time_point at;
        const auto got = sim.readLine(2000, &at);
        ASSERT_TRUE(got) << "reading " << i << " missing";
        EXPECT_EQ(*got, "25C\r\n");
        arrivals.push_back(at);
    }
    for (std::size_t i = 1; i < arrivals.size(); ++i) {
        const auto gap = duration_cast<milliseconds>(arrivals[i] - arrivals[i - 1]).count();
        EXPECT_NEAR(gap, 1000, 250) << "between readings " << i - 1 << " and " << i;
    }
    // Ten intervals add up to ten seconds: the clock does not wander.
    const auto total = duration_cast<milliseconds>(arrivals.back() - arrivals.front()).count();
    EXPECT_NEAR(total, 10000, 150);
}

TEST_F(TempctlTest, MapsSensorVoltageToWholeDegrees)
{
    struct Case {
        int millivolts;
        const char* line;
    };
    const Case cases[] = {
        { 0, "00C\r\n" },
        { 52, "05C\r\n" },
        { 102, "10C\r\n" },
        { 252, "25C\r\n" },
        { 994, "99C\r\n" },
        { 1002, "100C\r\n" },
        { 1502, "150C\r\n" },
    };
    SimProcess sim("tempctl.elf");
    ASSERT_TRUE(sim.started());
    for (const auto& c : cases) {
        sim.command("adc 0 " + std::to_string(c.millivolts));
        // The reading already under way may still show the previous voltage.
        EXPECT_TRUE(sim.waitForLine(c.line, 2500)) << c.millivolts << " mV";
    }
    // Other channels are not the sensor.
    sim.command("adc 1 800");
    EXPECT_EQ(sim.readLine(1500), "150C\r\n");
}

TEST_F(TempctlTest, SetPointCycleStaysWithinItsLimits)
{
    SimProcess sim("tempctl.elf");
    ASSERT_TRUE(sim.started());
    sim.command(adcForDegrees(31));
    ASSERT_TRUE(sim.waitForLine("31C\r\n", 3000));

    sim.send("5"); // not in set-point mode: ignored
    sim.send("3");
    EXPECT_EQ(sim.readLine(1500), line(25, 'O')); // erased EEPROM: 25
    EXPECT_FALSE(sim.readLine(1500)) << "readings pause in set-point mode";

    for (int expected = 24; expected >= 0; --expected) {
        sim.send("4");
        ASSERT_EQ(sim.readLine(500), line(expected, 'C'));
    }
    sim.send("4");
    EXPECT_EQ(sim.readLine(500), line(0, 'C')) << "no lower than 0";
    sim.send("x\r\n"); // noise is ignored
    for (int expected = 1; expected <= 99; ++expected) {
        sim.send("5");
        ASSERT_EQ(sim.readLine(500), line(expected, 'C'));
    }
    sim.send("5");
    EXPECT_EQ(sim.readLine(500), line(99, 'C')) << "no higher than 99";
    sim.send("3");
    EXPECT_EQ(sim.readLine(500), line(99, 'O')) << "entering again shows the set-point again";

    sim.send("6");
    EXPECT_EQ(sim.readLine(500), line(31, 'N')) << "leaving shows the temperature, not the set-point";
    EXPECT_EQ(sim.readLine(1500), "31C\r\n") << "measuring resumes";
}

TEST_F(TempctlTest, BurstOf64CommandsLosesNone)
{
    SimProcess sim("tempctl.elf");
    ASSERT_TRUE(sim.started());
    sim.send("3");
    ASSERT_EQ(sim.readLine(1500), line(25, 'O'));

    sim.send(std::string(40, '5') + std::string(24, '4'));
    std::vector<std::string> expected;
    for (int v = 26; v <= 65; ++v)
        expected.push_back(line(v, 'C'));
    for (int v = 64; v >= 41; --v)
        expected.push_back(line(v, 'C'));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto got = sim.readLine(2000);
        ASSERT_TRUE(got) << "answer " << i << " of 64 missing";
        EXPECT_EQ(*got, expected[i]) << "answer " << i;
    }
    EXPECT_FALSE(sim.readLine(300));
}

TEST_F(TempctlTest, SetPointSurvivesARestart)
{
    {
        SimProcess sim("tempctl.elf", { "--eeprom", eepromPath() });
        ASSERT_TRUE(sim.started());
        sim.command(adcForDegrees(22));
        sim.send("3555");
        EXPECT_EQ(sim.readLine(1500), line(25, 'O'));
        EXPECT_TRUE(sim.waitForLine(line(28, 'C'), 1000));
        sim.send("6");
        EXPECT_EQ(sim.readLine(500), line(22, 'N'));
        EXPECT_EQ(sim.quit(), 0);
    }
    std::ifstream file(eepromPath(), std::ios::binary);
    const std::vector<char> image { std::istreambuf_iterator<char>(file), {} };
    ASSERT_EQ(image.size(), 1024u);
    EXPECT_EQ(image[0], 28);

    SimProcess again("tempctl.elf", { "--eeprom", eepromPath() });
    ASSERT_TRUE(again.started());
    again.send("3");
    EXPECT_EQ(again.readLine(1500), line(28, 'O'));
}

TEST_F(TempctlTest, DamagedSetPointCellFallsBackTo25)
{
    {
        std::ofstream file(eepromPath(), std::ios::binary);
        file.put(static_cast<char>(150));
    }
    SimProcess sim("tempctl.elf", { "--eeprom", eepromPath() });
    ASSERT_TRUE(sim.started());
    sim.send("3");
    EXPECT_EQ(sim.readLine(1500), line(25, 'O'));
}

} // namespace
