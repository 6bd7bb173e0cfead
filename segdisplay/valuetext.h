// Turning the display's Value text into cells: normalising, the sign, the
// split into main row and exponent, the segment patterns and the mark
// positions. Nothing here needs a widget.
#pragma once

#include <QString>

#include <array>
#include <string_view>
#include <vector>

// The character each row of kSegmentPatterns shows, in row order; the blank
// is the burn-in cell.
inline constexpr std::u16string_view kPatternCharacters = u"0123456789 -ABCDEF";

// Segment pattern rows: character k (0..6) lit for segments a..g.
inline constexpr std::array<std::string_view, 18> kSegmentPatterns = {
    "1111110", // 0
    "0110000", // 1
    "1101101", // 2
    "1111001", // 3
    "0110011", // 4
    "1011011", // 5
    "1011111", // 6
    "1110000", // 7
    "1111111", // 8
    "1111011", // 9
    "0000000", // 10: blank cell with burn-in, every segment unlit
    "0000001", // 11: minus
    "1110111", // 12: A
    "0011111", // 13: b
    "1001110", // 14: C
    "0111101", // 15: d
    "1001111", // 16: E
    "1000111", // 17: F
};

inline constexpr int kMaxDigits = 50;
inline constexpr int kMaxDigitsExp = 5;

// Digit counts as drawing uses them: stored values may be anything.
int drawnDigits(int numDigits);
int drawnDigitsExp(int numDigitsExp);

// Upper case, one character for one, and "0" in front of a leading ".".
void normaliseValue(QString& text);

// True when the leading number of the text is below zero: blanks are
// skipped anywhere, then an optional sign, digits and at most one "."; only
// "-" followed by a non-zero digit makes it negative.
bool valueIsNegative(const QString& text);

struct SplitText {
    QString main;
    QString exponent;
    bool hasExponent = false;
};

// Splits at the first "E+" (else the first "E-"); the exponent comes back
// padded with "0" and preceded by its sign ("-" or a blank).
SplitText splitValue(const QString& text, int numDigitsExp);

// Row of kSegmentPatterns for one character (row 0 for one it has no row
// for), or -1 for a blank cell without burn-in.
int patternIndex(QChar ch, bool showBurnIn);

// The rightmost `count` characters of the text, blank-padded on the left.
QString alignRight(const QString& text, int count);

// Which main cells are followed by a thousands mark (entry 0 = leftmost).
std::vector<bool> markThousands(const QString& main, int numDigits, int grouping);

// The cell (0-based) of the character before the first `mark` in `main`
// once the mark is removed and the text right-aligned in `numDigits` cells;
// -1 when there is no such mark, -2 when its cell lies outside the row.
int markCell(const QString& main, QChar mark, int numDigits);

// Removes the first occurrence of `mark`, if any.
void removeFirst(QString& main, QChar mark);
