// The pure parts of the console's receive handler and chart tick: the reading
// in a received line, the alarm test and the chart's sample value.
#pragma once

#include "decimaltext.h"

#include <QString>
#include <cstdint>
#include <optional>

// The reading in a line framed by LineFramer (CR LF already cut): the board's
// further character before CR LF is dropped as well, and of a very long line
// only the newest characters count, as many as LineFramer keeps pending
// including the CR LF. A bare CR LF is handed over whole, as "\r\n".
QString readingOfLine(const QString& line);

// The alarm test: is the reading at or above the set-point? No set-point (empty
// or blank: none stored yet) never is. When both texts are decimal numbers they
// are compared as numbers (100 above 30, 9 below 30); otherwise as texts, by
// character code.
bool readingAtOrAbove(const QString& reading, const QString& setpoint);

// Whether a raised alarm clears at this reading: the reading is below the
// set-point minus `deadBand` (exact decimal arithmetic). With a zero dead band,
// or when either text is not a number, exactly when it is not at or above.
bool readingBelowClearLevel(const QString& reading, const QString& setpoint, const decimal::Number& deadBand);

// The chart's sample of a reading text: blanks around it allowed, an optional
// exponent, fractions rounded to the nearest whole number with halves to the
// even neighbour; nothing when the text is not a number or leaves the 32-bit
// range.
std::optional<std::int32_t> chartSample(const QString& text);
