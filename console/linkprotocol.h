// The pure parts of the console's receive handler and chart tick: gathering
// characters into reading lines, the alarm test and the chart's sample value.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// Gathers received characters into lines ended by CR LF. A complete line loses
// its last three characters (CR, LF and the board's further character); a line
// of fewer than three characters (a bare CR LF) is handed over whole. A line
// that never ends keeps only its last kMaxLine characters.
class RxLineFramer {
public:
    static constexpr int kMaxLine = 4096;

    // Adds the characters of one read; returns the reading text once the line is
    // complete (the buffer is then empty again).
    std::optional<QString> add(const QString& chunk);

    const QString& buffer() const { return m_buffer; }
    void clear() { m_buffer.clear(); }

private:
    QString m_buffer;
};

// The alarm test: is the reading at or above the set-point? No set-point (empty
// or blank: none stored yet) never is. When both texts are decimal numbers they
// are compared as numbers (100 above 30, 9 below 30); otherwise as texts, by
// character code.
bool readingAtOrAbove(const QString& reading, const QString& setpoint);

// The chart's sample of a reading text: blanks around it allowed, an optional
// exponent, fractions rounded to the nearest whole number with halves to the
// even neighbour; nothing when the text is not a number or leaves the 32-bit
// range.
std::optional<std::int32_t> chartSample(const QString& text);
