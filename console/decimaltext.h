// Decimal numbers written as text, handled exactly (no floating point): the
// reading and set-point texts of the board, and the chart's sample conversion.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace decimal {

// A decimal number: sign, integer digits without leading zeros, fraction digits
// without trailing zeros. Zero is never negative.
struct Number {
    bool negative = false;
    QString integer; // "" for zero
    QString fraction; // digits after the point
};

// Parses blanks, an optional sign, digits with an optional point and fraction
// (at least one digit in all), an optional exponent ("e" or "E", optional sign,
// digits) when `exponent` is true, then blanks. Nothing when the text is not such
// a number.
std::optional<Number> parse(const QString& text, bool exponent = false);

// -1, 0 or 1 as a is below, equal to or above b.
int compare(const Number& a, const Number& b);

// The exact sum a + b, and -n.
Number add(const Number& a, const Number& b);
Number negated(Number n);

// Rounds to the nearest whole number, halves to the even neighbour; nothing when
// the result lies outside the 32-bit signed range.
std::optional<std::int32_t> roundToInt32(const Number& n);

} // namespace decimal
