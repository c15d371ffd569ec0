// The plotter's spin edit reading any text with any limits: the value is the
// text's integer exactly when a plain reading finds one (blanks, a sign,
// digits, 32 bits), MinValue otherwise; the clamp stays inside the limits,
// leaves a value in range alone, and changes nothing when the limits are equal.
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/SpinText.h"

namespace {

void Check(bool ok, const char* what, const std::string& text) {
  if (!ok) {
    std::fprintf(stderr, "check failed: %s for \"%s\"\n", what, text.c_str());
    std::abort();
  }
}

// The same rule written another way: std::from_chars on the digits.
bool Reference(const std::string& text, int& out) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return false;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  const std::string digits = text.substr(i);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return false;
  const std::size_t first = digits.find_first_not_of('0');
  if (first != std::string::npos && digits.size() - first > 10) return false;
  long long v = 0;
  const char* b = digits.data() + (first == std::string::npos ? digits.size() - 1 : first);
  if (std::from_chars(b, digits.data() + digits.size(), v).ec != std::errc()) return false;
  if (negative) v = -v;
  if (v < INT_MIN || v > INT_MAX) return false;
  out = static_cast<int>(v);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  std::int32_t lo = 0, hi = 0;
  std::memcpy(&lo, data, 4);
  std::memcpy(&hi, data + 4, 4);
  const std::string text(reinterpret_cast<const char*>(data + 8), size - 8);

  int got = 12345, want = 54321;
  const bool ok = plat::TryStrToInt(text, got);
  Check(ok == Reference(text, want), "accepts the same texts", text);
  if (ok) {
    Check(got == want, "the same value", text);
    int again = 0;
    Check(plat::TryStrToInt(std::to_string(got), again) && again == got, "the value's own text", text);
  }
  const int v = plat::SpinTextValue(text, lo);
  Check(v == (ok ? got : lo), "MinValue for no integer", text);

  const int c = plat::SpinCheckValue(v, lo, hi);
  if (lo == hi) {
    Check(c == v, "equal limits are no limits", text);
  } else if (lo < hi) {
    Check(c >= lo && c <= hi, "clamped into the limits", text);
    Check(v < lo || v > hi || c == v, "a value in range stays", text);
    Check(plat::SpinCheckValue(c, lo, hi) == c, "clamping twice changes nothing", text);
  }
  return 0;
}
