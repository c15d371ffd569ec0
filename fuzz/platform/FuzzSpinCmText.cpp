// The decimal spin edit's texts: reading never fails loudly, a read value's
// text reads back to a value with the same text, texts of values with at
// most 5 significant digits read back exactly, and the typed-character test
// agrees with the reader on the separator. The first byte picks the locale.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/SpinCmText.h"

namespace {

void Check(bool ok, const char* what, const std::string& text) {
  if (!ok) {
    std::fprintf(stderr, "check failed: %s\n  text: [%s]\n", what, text.c_str());
    std::abort();
  }
}

const plat::TNumberSeparators kLocales[] = {
    {",", "\xC2\xA0"},  // Russian
    {",", "."},         // German
    {".", ","},         // English
    {",", "\xE2\x80\xAF"},
    {".", "'"},
    {",", " "},
};

long long Magnitude(std::int32_t v) { return v < 0 ? -static_cast<long long>(v) : v; }

// Above this, 5 significant digits round past the 32-bit range.
constexpr long long kLastFive = 2147450000LL;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const plat::TNumberSeparators& sep = kLocales[data[0] % (sizeof kLocales / sizeof kLocales[0])];
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

  std::int32_t v = 0;
  if (plat::TryReadHundredths(text, sep, v)) {
    const std::string written = plat::WriteHundredths(v, sep);
    std::int32_t back = 0;
    const bool read = plat::TryReadHundredths(written, sep, back);
    Check(read || Magnitude(v) > kLastFive, "a written text reads", written);
    if (read) Check(plat::WriteHundredths(back, sep) == written, "the text is stable", written);
    if (Magnitude(v) < 100000) Check(back == v, "five digits read back exactly", written);
  }

  // Any 32-bit value taken from the bytes: its text reads back.
  if (size >= 5) {
    std::uint32_t raw = 0;
    for (int k = 1; k <= 4; ++k) raw = (raw << 8) | data[k];
    const auto value = static_cast<std::int32_t>(raw);
    const std::string written = plat::WriteHundredths(value, sep);
    std::int32_t back = 0;
    const bool read = plat::TryReadHundredths(written, sep, back);
    Check(read || Magnitude(value) > kLastFive, "the text of any value reads", written);
    if (read) Check(plat::WriteHundredths(back, sep) == written, "any value's text is stable", written);
  }

  const std::int32_t lo = static_cast<std::int32_t>(size) - 100, hi = 100 - static_cast<std::int32_t>(data[0]);
  const std::int32_t c = plat::ClampHundredths(v, lo, hi);
  if (lo != hi) Check(c == lo || c == hi || (c > lo && c < hi), "clamped into the limits", text);
  return 0;
}
