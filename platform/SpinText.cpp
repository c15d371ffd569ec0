#include "SpinText.h"

#include <climits>

namespace plat {

bool TryStrToInt(const std::string& text, int& out) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (negative) v = -v;
  if (v < INT_MIN || v > INT_MAX) return false;
  out = static_cast<int>(v);
  return true;
}

int SpinTextValue(const std::string& text, int minValue) {
  int v = 0;
  return TryStrToInt(text, v) ? v : minValue;
}

int SpinCheckValue(int v, int minValue, int maxValue) {
  if (maxValue != minValue) {
    if (v < minValue) return minValue;
    if (v > maxValue) return maxValue;
  }
  return v;
}

}  // namespace plat
