// The firmware's pure logic built for the host: sensor scaling, set-point
// rules, line formats and the NEC decoder fed with the simulator's waveforms.
#include <gtest/gtest.h>

#include <string>

#include "irwave.h"
#include "nec.h"
#include "thermo.h"

namespace {

std::string formatted(std::uint16_t value, char suffix)
{
    char line[THERMO_LINE_MAX];
    const auto length = thermo_format_line(line, value, suffix);
    EXPECT_EQ(length, std::string(line).size());
    return line;
}

TEST(Thermo, DegreesRoundToNearest)
{
    struct Case {
        std::uint32_t adc;
        std::uint16_t degrees;
    };
    // One converter step is 500/1024 of a degree.
    for (const auto c : { Case { 0, 0 }, Case { 1, 0 }, Case { 2, 1 }, Case { 51, 25 }, Case { 61, 30 },
             Case { 205, 100 }, Case { 1023, 500 } }) {
        EXPECT_EQ(thermo_degrees(c.adc * 8u, 8), c.degrees) << c.adc;
    }
    // The average of differing samples, not the last one.
    EXPECT_EQ(thermo_degrees(50u + 52u, 2), 25);
    EXPECT_EQ(thermo_degrees(123, 0), 0) << "no samples must not divide by zero";
}

TEST(Thermo, EveryDegreeSurvivesTheConverterJustAboveIt)
{
    // The simulated converter scales by 1023 where the chip scales by 1024;
    // two millivolts above each whole degree must read as that degree on both.
    for (std::uint32_t scale : { 1023u, 1024u }) {
        for (std::uint32_t degrees = 0; degrees <= 150; ++degrees) {
            const std::uint32_t adc = (degrees * 10u + 2u) * scale / 5000u;
            EXPECT_EQ(thermo_degrees(adc * 8u, 8), degrees) << degrees << " at " << scale;
        }
    }
}

TEST(Thermo, SetPointCellAndSteps)
{
    EXPECT_EQ(thermo_setpoint_from_cell(0), 0);
    EXPECT_EQ(thermo_setpoint_from_cell(99), 99);
    EXPECT_EQ(thermo_setpoint_from_cell(100), 25);
    EXPECT_EQ(thermo_setpoint_from_cell(0xFF), 25) << "erased";

    EXPECT_EQ(thermo_setpoint_step(25, 1), 26);
    EXPECT_EQ(thermo_setpoint_step(0, -1), 0);
    EXPECT_EQ(thermo_setpoint_step(99, 1), 99);
    EXPECT_EQ(thermo_setpoint_step(1, -1), 0);
}

TEST(Thermo, LinesHaveAtLeastTwoDigits)
{
    EXPECT_EQ(formatted(0, 'C'), "00C\r\n");
    EXPECT_EQ(formatted(7, 'O'), "07O\r\n");
    EXPECT_EQ(formatted(25, 'N'), "25N\r\n");
    EXPECT_EQ(formatted(150, 'C'), "150C\r\n");
    EXPECT_EQ(formatted(65535, 'C'), "65535C\r\n");
}

// Feeds a waveform to a fresh decoder and collects what it reports. The idle
// line before it ends as the first mark begins.
std::vector<nec_result> decode(const mcusim::Pulses& pulses, std::uint32_t* code = nullptr)
{
    nec_decoder decoder;
    nec_reset(&decoder);
    std::vector<nec_result> results;
    nec_pulse(&decoder, 0, 65535);
    for (std::size_t i = 0; i < pulses.size(); ++i) {
        const auto us = static_cast<std::uint16_t>(std::min<std::uint32_t>(pulses[i], 65535));
        const nec_result r = nec_pulse(&decoder, i % 2 == 0, us);
        if (r != NEC_NONE)
            results.push_back(r);
    }
    if (code)
        *code = decoder.code;
    return results;
}

TEST(NecDecoder, DecodesFramesAndRepeats)
{
    for (std::uint32_t sent : { 0x20DF10EFu, 0x00FF00FFu, 0xFFFF00FFu, 0x12ED00FFu }) {
        std::uint32_t code = 0;
        EXPECT_EQ(decode(mcusim::necFrame(sent), &code), std::vector { NEC_CODE });
        EXPECT_EQ(code, sent);
    }
    EXPECT_EQ(decode(mcusim::necRepeat()), std::vector { NEC_REPEAT });
    EXPECT_EQ(decode(mcusim::necFrame(0x20DF10EE)), std::vector { NEC_REJECTED });
}

TEST(NecDecoder, AcceptsUpToAFifthOffNominal)
{
    struct Case {
        int percent;
        bool accepted;
    };
    for (const auto c : { Case { 81, true }, Case { 119, true }, Case { 100, true }, Case { 79, false },
             Case { 121, false } }) {
        const auto frame = decode(mcusim::necFrame(0x20DF10EF, c.percent));
        const auto repeat = decode(mcusim::necRepeat(c.percent));
        EXPECT_EQ(frame == std::vector { NEC_CODE }, c.accepted) << c.percent << " %";
        EXPECT_EQ(repeat == std::vector { NEC_REPEAT }, c.accepted) << "repeat at " << c.percent << " %";
    }
}

TEST(NecDecoder, BackToBackFramesAfterAnInterruptedOne)
{
    mcusim::Pulses pulses = mcusim::necFrame(0x20DF10EF);
    pulses.resize(41);
    pulses.push_back(20000);
    for (std::uint32_t code : { 0x807F40BFu, 0x00FF00FFu }) {
        const auto frame = mcusim::necFrame(code);
        pulses.insert(pulses.end(), frame.begin(), frame.end());
        pulses.push_back(40000);
    }
    EXPECT_EQ(decode(pulses), (std::vector { NEC_CODE, NEC_CODE }));
}

TEST(NecDecoder, FormatsEightUpperCaseDigits)
{
    char text[11];
    nec_format_code(text, 0x0A0bC0deu);
    EXPECT_STREQ(text, "0A0BC0DE\r\n");
    nec_format_code(text, 0xFFFFFFFFu);
    EXPECT_STREQ(text, "FFFFFFFF\r\n");
}

} // namespace
