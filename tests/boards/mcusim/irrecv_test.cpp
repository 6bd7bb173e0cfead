// The infrared receiver firmware on the simulated board: NEC frames played
// on its input pin come out as code lines on the serial line.
#include <gtest/gtest.h>

#include <string>

#include "irwave.h"
#include "simprocess.h"

namespace {

std::string raw(const mcusim::Pulses& pulses)
{
    std::string text = "irraw";
    // Appended piece by piece: GCC 12 warns (-Wrestrict, wrongly) inside the
    // standard library for `" " + std::to_string(us)`.
    for (const auto us : pulses) {
        text += ' ';
        text += std::to_string(us);
    }
    return text;
}

class IrrecvTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.started()); }

    // After a frame that must be dropped, the next good frame is the next line.
    void expectDroppedThenRecovers(const std::string& bad, const std::string& why)
    {
        sim.command(bad);
        sim.command("ir 20DF10EF");
        EXPECT_EQ(sim.readLine(1500), "20DF10EF\r\n") << why;
    }

    SimProcess sim { "irrecv.elf" };
};

TEST_F(IrrecvTest, SendsEachCodeAsEightHexDigits)
{
    for (const char* code : { "20DF10EF", "00FF00FF", "807F40BF", "FFFF00FF", "1CE3D02F" }) {
        sim.command(std::string("ir ") + code);
        EXPECT_EQ(sim.readLine(1500), std::string(code) + "\r\n");
    }
    sim.command("ir 0ff00ff"); // fewer digits: leading zeros
    EXPECT_EQ(sim.readLine(1500), "00FF00FF\r\n");
}

TEST_F(IrrecvTest, RepeatFrameSendsAllOnes)
{
    sim.command("ir 20DF10EF");
    sim.command("irrep");
    sim.command("irrep");
    EXPECT_EQ(sim.readLine(1500), "20DF10EF\r\n");
    EXPECT_EQ(sim.readLine(1500), "FFFFFFFF\r\n");
    EXPECT_EQ(sim.readLine(1500), "FFFFFFFF\r\n");
}

TEST_F(IrrecvTest, ToleratesTimingWithinAFifth)
{
    for (const char* percent : { "85", "115" }) {
        sim.command(std::string("ir 807F40BF ") + percent);
        EXPECT_EQ(sim.readLine(1500), "807F40BF\r\n") << percent << " %";
        sim.command(std::string("irrep ") + percent);
        EXPECT_EQ(sim.readLine(1500), "FFFFFFFF\r\n") << percent << " %";
    }
}

TEST_F(IrrecvTest, DropsFramesTooFarOffTime)
{
    for (const char* percent : { "75", "125", "60", "150" }) {
        expectDroppedThenRecovers(std::string("ir 807F40BF ") + percent, std::string(percent) + " %");
        expectDroppedThenRecovers(
            std::string("irrep ") + percent, std::string("repeat at ") + percent + " %");
    }
}

TEST_F(IrrecvTest, DropsBadFramesAndRecovers)
{
    expectDroppedThenRecovers("ir 20DF10EE", "command byte does not match its inverse");
    expectDroppedThenRecovers("ir 00000000", "all zeros fails the inverse check");

    mcusim::Pulses frame = mcusim::necFrame(0x20DF10EF);
    expectDroppedThenRecovers(raw({ frame.begin(), frame.begin() + 20 }), "frame cut short");

    mcusim::Pulses stretched = frame;
    stretched[11] = 1000; // one space between a zero and a one
    expectDroppedThenRecovers(raw(stretched), "one bit off time");

    mcusim::Pulses noisy = frame;
    noisy[30] = 200; // a glitch splits a mark in two
    noisy.insert(noisy.begin() + 31, { 100, 262 });
    expectDroppedThenRecovers(raw(noisy), "noise in the middle of a frame");
}

TEST_F(IrrecvTest, FrameRightAfterABrokenOneIsDecoded)
{
    // A remote whose first frame is cut short by an obstacle: the next leader
    // follows without the usual pause and must still be recognised.
    mcusim::Pulses pulses = mcusim::necFrame(0x20DF10EF);
    pulses.resize(31); // ends with a mark
    pulses.push_back(3000); // the space after the cut
    const mcusim::Pulses next = mcusim::necFrame(0x807F40BF);
    pulses.insert(pulses.end(), next.begin(), next.end());
    sim.command(raw(pulses));
    EXPECT_EQ(sim.readLine(1500), "807F40BF\r\n");
}

} // namespace
