#pragma once
// The texts of the decimal spin edit: a value is a whole number of hundredths
// of the number the box shows ("2970" shows "29,70" under a decimal-comma
// locale). Qt-free, so the rules can be tested and fuzzed under any locale:
// the locale's separators come in as parameters (UTF-8).
#include <cstdint>
#include <string>

namespace plat {

struct TNumberSeparators {
  std::string Decimal = ",";
  std::string Group = "\xC2\xA0";  // no-break space
};

// Reads `text` as a decimal number times 100, rounded half to even from the
// exact decimal value: surrounding blanks, an optional sign, digits with at
// most one decimal point, the group separator between digits of the integer
// part, and an optional exponent ("E" or "e", optional sign, digits).
// The decimal point is the locale's separator, "," or ".": users type the
// one of their habit whatever the desktop's language. A group separator
// that is "," or "." counts as one only in a text that also holds the
// locale's decimal separator (English "1,234.56"); elsewhere it is the point.
// Returns false for anything else or when the result leaves the 32-bit range.
bool TryReadHundredths(const std::string& text, const TNumberSeparators& sep, std::int32_t& out);

// The text of `v` hundredths: two decimals, the integer part grouped by
// thousands, at most 5 significant digits; a number with more than 5 integer
// digits is written in exponent form ("1,2346E+5").
std::string WriteHundredths(std::int32_t v, const TNumberSeparators& sep);

// Equal limits mean no limits; otherwise below min gives min and anything
// else above max gives max (min is tested first).
std::int32_t ClampHundredths(std::int32_t v, std::int32_t min, std::int32_t max);

// Whether a character typed into the box is kept: "+", "-", digits, the
// decimal separator, "," and "." and control characters other than Enter. With the editor
// disabled, only control characters other than Backspace and Enter.
bool IsAllowedSpinCmChar(char32_t c, const TNumberSeparators& sep, bool editorEnabled);

}  // namespace plat
