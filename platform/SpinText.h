#pragma once
// How the plotter's spin edit reads its text and keeps its value in range.
// Qt-free, so the fuzz build can run the same code as the control.
#include <string>

namespace plat {

// Reads a whole text as a 32-bit integer the way the class library's StrToInt
// does: leading blanks, an optional sign, decimal digits and nothing else.
bool TryStrToInt(const std::string& text, int& out);

// The spin edit's value: the text read as an integer, `minValue` when it is
// no integer (empty, a lone "-", too long for 32 bits).
int SpinTextValue(const std::string& text, int minValue);

// `v` clamped to [minValue, maxValue]; equal limits mean no limits.
int SpinCheckValue(int v, int minValue, int maxValue);

}  // namespace plat
