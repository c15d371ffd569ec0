// Any bytes as a formula: preparation, parse and evaluation at several x must
// neither crash nor leave a fault flag raised, give only the defined codes,
// and give a finite value whenever the code is 0.
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "orvanta/engine/FunctionUnit.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "check failed: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An optional x: eight bytes after a NUL.
  std::string text(reinterpret_cast<const char*>(data), size);
  long double extraX = 0.75L;
  size_t nul = text.find('\0');
  if (nul != std::string::npos && size - nul - 1 >= sizeof(double)) {
    double d;
    std::memcpy(&d, data + nul + 1, sizeof d);
    if (std::isfinite(d)) extraX = d;
    text.resize(nul);
  }
  feclearexcept(FE_ALL_EXCEPT);

  objFunc f;
  std::string s = text;
  f.Reset();
  f.Parse(s);
  Check(f.ErrorCode >= 0 && f.ErrorCode <= 2, "parse code");
  Check(f.NodePos >= 1 && f.NodePos <= MaxFuncNodes + 1, "node cursor");
  if (f.ErrorCode != 0) {
    long double r = 5;
    f.Reset();
    f.Calc(r, 1);
    Check(f.ErrorCode == 1 && r == 5, "calc without a parse");
    return 0;
  }
  const bool hasX = f.HasX;
  // The prepared text parses again to the same nodes.
  {
    objFunc g;
    std::string again = s;
    g.Reset();
    g.Parse(again);
    Check(g.ErrorCode == 0 && again == s && g.NodePos == f.NodePos && g.HasX == hasX, "prepared text reparses");
  }
  const long double xs[] = {0, 1, -1, 0.5L, -2.5L, 3.14159L, 1e-300L, -1e300L, 1e4000L, 1e-4940L, extraX};
  for (long double x : xs) {
    long double r = 12345;
    f.Reset();
    f.Calc(r, x);
    Check(f.ErrorCode == 0 || (f.ErrorCode >= 3 && f.ErrorCode <= 13), "calc code");
    if (f.ErrorCode == 0) Check(std::isfinite(r), "finite value");
    Check(fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO) == 0, "fault flags left raised");
  }
  return 0;
}
