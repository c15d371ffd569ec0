// Number-box texts: the grammar check agrees with a reading by strtold in the
// C locale, values are finite, and the decimal text of a value reads back.
#include <locale.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "orvanta/engine/FuncsUnit.h"

namespace {

void Check(bool ok, const char* what, const std::string& text) {
  if (!ok) {
    std::fprintf(stderr, "check failed: %s\n  text: [%s]\n", what, text.c_str());
    std::abort();
  }
}

bool GrammarOk(const std::string& s) {
  size_t i = 0, n = s.size();
  while (i < n && s[i] == ' ') ++i;
  if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0, points = 0;
  for (; i < n && ((s[i] >= '0' && s[i] <= '9') || s[i] == '.'); ++i) (s[i] == '.' ? points : digits)++;
  // Digits on either side of the point may be missing: a lone point is zero.
  if ((digits == 0 && points == 0) || points > 1) return false;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    size_t e = 0;
    for (; i < n && s[i] >= '0' && s[i] <= '9'; ++i) ++e;
    if (e == 0) return false;
  }
  return i == n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  long double v = 0;
  const bool ok = TryStrToExt(text, &v);
  if (!GrammarOk(text)) {
    Check(!ok, "text outside the grammar read as a number", text);
    Check(StrToExt(text) == 0, "StrToExt of a non-number is 0", text);
  } else {
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const long double ref = strtold_l(text.c_str(), nullptr, c);
    Check(ok == std::isfinite(ref), "in range exactly when finite", text);
    if (ok) Check(v == ref || (std::isnan(v) && std::isnan(ref)), "value as strtold", text);
  }
  if (ok) {
    Check(std::isfinite(v), "finite value", text);
    for (int d : {0, 1, 4, 9, 18}) {
      const std::string t = FormatFixed(v, d);
      long double back = 0;
      const bool read = TryStrToExt(t, &back);
      // Only a value at the very top of the range can round beyond it.
      Check(read || std::fabs(v) > 1.18973149535723176e4932L, "decimal text reads back", t);
      if (read && d == 18 && std::fabs(v) >= 1) {
        // 18 significant digits: within a relative 1e-17 of the value.
        Check(std::fabs(back - v) <= std::fabs(v) * 1e-17L, "decimal text is close", t);
      }
      if (read) Check(std::signbit(back) == std::signbit(v) || back == 0, "sign", t);
      std::string trimmed = t;
      TrimZeros(trimmed);
      Check(trimmed == DecimalText(v, d), "DecimalText is the trimmed text", t);
    }
  }
  int32_t iv = 0;
  if (TryStrToInteger(text, &iv)) Check(StrToInteger(text) == iv, "StrToInteger", text);
  return 0;
}
