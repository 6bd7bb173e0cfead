// The temperature controller's behaviour on the serial line, without any I/O.
//
// A reading line is the two-digit reading, one further character and CR LF. The
// further character is "C" on measuring lines, "O" on the line that enters
// set-point mode (carrying the set-point) and "N" on the one that leaves it
// (carrying the current temperature: the console tests that line against the
// set-point in force, so the set-point there would be a false alarm whenever
// it was raised above the temperature). The console never sees a mode signal
// outside a line.
//
// Two ways to play a bench: hovering keeps the readings within two degrees of
// a temperature, at or above it and below it in turn (an alarm threshold's
// worst case); hanging stops the board after a number of readings as a hung
// firmware would: it sends nothing and answers no command (the set-point and
// the mode stay as they were), for a while or for good.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

struct TempBoardOptions {
    int intervalMs = 1000;
    int start = 25;
    int min = 18;
    int max = 35;
    int setpoint = 30;
    std::uint32_t seed = 1;
    bool scripted = false;
    std::vector<std::string> script; // readings to send in order instead of the drift
    std::optional<int> hover; // readings around this temperature instead of the drift
    std::optional<int> hangAfter; // readings sent before the board goes silent
    int hangForMs = 0; // how long it stays silent then; 0: for good
};

class TempBoard {
public:
    static constexpr int kLowest = 0;
    static constexpr int kHighest = 99;

    explicit TempBoard(const TempBoardOptions& options);

    // The line for one interval: the current reading, or the set-point in
    // set-point mode; "" once a script is used up and while the board hangs.
    std::string tick();
    // The answer to one received character ("" for characters the board ignores
    // and for every character while it hangs): "3" enters set-point mode, "5"/"4"
    // raise/lower the set-point, "6" leaves (answered with the current temperature).
    std::string command(char c);

    bool hanging() const;

    bool setpointMode() const { return m_setpointMode; }
    int setpoint() const { return m_setpoint; }
    int temperature() const { return m_temperature; }

    static std::string line(int value, char further);

private:
    std::string reading();
    void advance();
    void drift();
    int hoverStep();
    std::string currentLine(char further) const;

    TempBoardOptions m_options;
    std::mt19937 m_rng;
    int m_temperature;
    int m_setpoint;
    bool m_setpointMode = false;
    bool m_hoverAbove = true; // whether the next hovering reading is at or above the mark
    int m_sent = 0; // interval lines sent so far
    int m_silentTicks = 0; // intervals spent hanging
    int m_hangTicks = 0; // intervals a hang lasts; 0: for good
    size_t m_scriptPos = 0;
    std::string m_lastScripted;
};
