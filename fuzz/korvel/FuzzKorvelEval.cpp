// One formula text, compiled and evaluated at several x and coefficients.
// Invariants: Lexan gives -1..10; Interpret is always finite, 0 with GetDraw 0
// when the text did not compile, and the same whether or not a failure flag
// is up on entry; no call changes the caller's floating-point flags.
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "korvel/korvel.h"

namespace {

constexpr long double Inf = std::numeric_limits<long double>::infinity();
const long double Xs[] = {0, -0.0L, 1, -1, 0.5L, 2, -3.75L, 1e-4000L, 1e300L, -1e4000L, 9223372036854775808.0L,
                          std::numeric_limits<long double>::quiet_NaN(), Inf};
const long double Coefficients[][3] = {
    {0, 0, 0}, {1, 2, 3}, {-0.5L, 1e-10L, 1e10L}, {1e4000L, -1e4000L, 0}, {Inf, 1, std::numeric_limits<long double>::quiet_NaN()}};

// Reports the failed invariant by its line before stopping.
void CheckAt(bool ok, int line) {
  if (ok) return;
  std::fprintf(stderr, "invariant at line %d failed\n", line);
  std::abort();
}
#define Check(ok) CheckAt((ok), __LINE__)

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t slot = (data[0] & 1) + 1;
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  text = text.substr(0, std::strlen(text.c_str()));  // Lexan reads to the first zero

  std::feclearexcept(FE_ALL_EXCEPT);
  Init_Number(slot);
  Lex_Analiz_Init();
  const int32_t code = Lexan(text.data());
  Check(code >= -1 && code <= 10);
  const char* msg = nullptr;
  Error(code, &msg);
  Check(msg != nullptr && msg[0] != 0);

  for (const auto& abc : Coefficients) {
    Init_ABC(abc[0], abc[1], abc[2]);
    for (long double x : Xs) {
      const long double v = Interpret(x);
      const uint8_t draw = GetDraw();
      Check(std::isfinite(v));
      Check(draw == 0 || draw == 1);
      if (code != 0) Check(v == 0 && draw == 0);
      Check(std::fetestexcept(FE_ALL_EXCEPT) == 0);
      // With a failure flag up on entry every step is tested one by one:
      // the same value and Draw, bit for bit, and the caller's flags kept.
      std::feraiseexcept(FE_OVERFLOW);
      const int flags = std::fetestexcept(FE_ALL_EXCEPT);
      const long double again = Interpret(x);
      Check(std::memcmp(&again, &v, 10) == 0 && GetDraw() == draw);
      Check(std::fetestexcept(FE_ALL_EXCEPT) == flags);
      std::feclearexcept(FE_ALL_EXCEPT);
    }
  }
  Lex_Analiz_Init();
  return 0;
}
