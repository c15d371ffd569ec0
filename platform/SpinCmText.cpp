#include "SpinCmText.h"

#include <climits>
#include <cstddef>

namespace plat {

namespace {

bool StartsWith(const std::string& s, std::size_t pos, const std::string& what) {
  return !what.empty() && s.compare(pos, what.size(), what) == 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The one code point of a short UTF-8 text, or 0 when it holds another count.
char32_t SingleCodePoint(const std::string& s) {
  if (s.empty()) return 0;
  const auto b0 = static_cast<unsigned char>(s[0]);
  std::size_t len = 1;
  char32_t cp = b0;
  if (b0 >= 0xF0) {
    len = 4;
    cp = b0 & 0x07u;
  } else if (b0 >= 0xE0) {
    len = 3;
    cp = b0 & 0x0Fu;
  } else if (b0 >= 0xC0) {
    len = 2;
    cp = b0 & 0x1Fu;
  }
  if (s.size() != len) return 0;
  for (std::size_t i = 1; i < len; ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3Fu);
  return cp;
}

// Whether `s` is one of the two characters that users type as a decimal
// point, whichever their locale prefers.
bool IsPointChar(const std::string& s) { return s == "," || s == "."; }

}  // namespace

bool TryReadHundredths(const std::string& text, const TNumberSeparators& sep, std::int32_t& out) {
  const std::size_t n = text.size();
  // A locale that groups with "," or "." (English, German) reads that
  // character as a group separator only in a text that also holds its own
  // decimal separator ("1,234.56"); otherwise it is the decimal point the
  // user typed ("0,5" on an English desktop).
  const bool grouping = !sep.Group.empty() && sep.Group != sep.Decimal &&
                        (!IsPointChar(sep.Group) || text.find(sep.Decimal) != std::string::npos);
  auto pointAt = [&](std::size_t pos) -> std::size_t {
    if (StartsWith(text, pos, sep.Decimal)) return sep.Decimal.size();
    for (const char* p : {",", "."})
      if (text[pos] == *p && !(grouping && sep.Group == p)) return 1;
    return 0;
  };
  std::size_t i = 0;
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // All mantissa digits in one string; the decimal point only shifts the scale.
  std::string digits;
  long long fracCount = 0;
  bool anyDigit = false;
  while (i < n) {
    if (IsDigit(text[i])) {
      digits += text[i++];
      anyDigit = true;
    } else if (grouping && anyDigit && StartsWith(text, i, sep.Group) && i + sep.Group.size() < n &&
               IsDigit(text[i + sep.Group.size()])) {
      i += sep.Group.size();  // a group separator stands between two digits
    } else {
      break;
    }
  }
  if (const std::size_t point = i < n ? pointAt(i) : 0) {
    i += point;
    while (i < n && IsDigit(text[i])) {
      digits += text[i++];
      ++fracCount;
      anyDigit = true;
    }
  }
  if (!anyDigit) return false;
  long long exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool expNegative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
      expNegative = text[i] == '-';
      ++i;
    }
    if (i >= n || !IsDigit(text[i])) return false;
    for (; i < n && IsDigit(text[i]); ++i)
      if (exponent < 100000000) exponent = exponent * 10 + (text[i] - '0');
    if (expNegative) exponent = -exponent;
  }
  while (i < n && text[i] == ' ') ++i;
  if (i != n) return false;

  // value = digits * 10^scale, with digits stripped of zeros at both ends.
  std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) {
    out = 0;
    return true;
  }
  digits.erase(0, first);
  long long scale = exponent - fracCount + 2;
  while (digits.back() == '0') {
    digits.pop_back();
    ++scale;
  }
  const long long len = static_cast<long long>(digits.size());
  long long magnitude = 0;
  if (scale >= 0) {
    if (len + scale > 10) return false;
    for (char c : digits) magnitude = magnitude * 10 + (c - '0');
    for (long long k = 0; k < scale; ++k) magnitude *= 10;
  } else {
    const long long cut = -scale;  // digits right of the integer part
    const long long keep = len - cut;
    if (keep > 10) return false;
    for (long long k = 0; k < keep; ++k) magnitude = magnitude * 10 + (digits[static_cast<std::size_t>(k)] - '0');
    // The first dropped digit, and whether anything non-zero follows it.
    // Trailing zeros were stripped, so a dropped part longer than one digit
    // always holds a non-zero digit after its first.
    int dropped = 0;
    bool tail = false;
    if (keep >= 0) {
      dropped = digits[static_cast<std::size_t>(keep)] - '0';
      tail = keep + 1 < len;
    } else {
      tail = true;
    }
    if (dropped > 5 || (dropped == 5 && (tail || magnitude % 2 != 0))) ++magnitude;
  }
  if (negative) magnitude = -magnitude;
  if (magnitude < INT32_MIN || magnitude > INT32_MAX) return false;
  out = static_cast<std::int32_t>(magnitude);
  return true;
}

std::string WriteHundredths(std::int32_t v, const TNumberSeparators& sep) {
  const bool negative = v < 0;
  unsigned long long u = negative ? 0ULL - static_cast<unsigned long long>(static_cast<long long>(v))
                                  : static_cast<unsigned long long>(v);
  const std::size_t n = std::to_string(u).size();
  if (n > 5) {  // keep 5 significant digits, halves to even
    unsigned long long p = 1;
    for (std::size_t k = 5; k < n; ++k) p *= 10;
    unsigned long long q = u / p;
    const unsigned long long rem = u % p, half = p / 2;
    if (rem > half || (rem == half && q % 2 != 0)) ++q;
    u = q * p;
  }
  const std::string all = std::to_string(u);
  std::string text = negative ? "-" : "";
  if (all.size() > 7) {  // more than 5 integer digits
    const long long exponent = static_cast<long long>(all.size()) - 3;
    text += all.substr(0, 1) + sep.Decimal + all.substr(1, 4) + "E+" + std::to_string(exponent);
    return text;
  }
  const std::string whole = std::to_string(u / 100);
  for (std::size_t k = 0; k < whole.size(); ++k) {
    if (k > 0 && (whole.size() - k) % 3 == 0) text += sep.Group;
    text += whole[k];
  }
  const unsigned long long cents = u % 100;
  text += sep.Decimal;
  text += static_cast<char>('0' + cents / 10);
  text += static_cast<char>('0' + cents % 10);
  return text;
}

std::int32_t ClampHundredths(std::int32_t v, std::int32_t min, std::int32_t max) {
  if (min == max) return v;
  if (v < min) return min;
  if (v > max) return max;
  return v;
}

bool IsAllowedSpinCmChar(char32_t c, const TNumberSeparators& sep, bool editorEnabled) {
  if (c == 13) return false;
  if (c < 32) return editorEnabled || c != 8;
  if (!editorEnabled) return false;
  if (c == '+' || c == '-' || c == ',' || c == '.' || (c >= '0' && c <= '9')) return true;
  const char32_t point = SingleCodePoint(sep.Decimal);
  return point != 0 && c == point;
}

}  // namespace plat
