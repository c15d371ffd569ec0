// The derivative of any formula that parses: Err is 0, and the text is empty
// exactly for formulas with a non-differentiable function, else it parses
// (unless it outgrows the node array) and evaluates without crashing.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "orvanta/engine/FunctionUnit.h"
#include "orvanta/engine/ProizUnit.h"

namespace {

void Check(bool ok, const char* what, const std::string& a, const std::string& b) {
  if (!ok) {
    std::fprintf(stderr, "check failed: %s\n  formula: %s\n  result: %s\n", what, a.c_str(), b.c_str());
    std::abort();
  }
}

// Numbers, x, operators and functions: one node each.
int64_t NodeTokens(const std::string& s) {
  int64_t count = 0;
  for (int32_t pos = 1; pos <= static_cast<int32_t>(s.size());) {
    int32_t kind, prio, len, func;
    long double value;
    GetLexem(s, pos, kind, prio, len, func, value);
    if (kind != lkOpen && kind != lkClose) ++count;
    pos += len < 1 ? 1 : len;
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 512) return 0;
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  objFunc f;
  std::string s = text;
  f.Reset();
  f.Parse(s);
  if (f.ErrorCode != 0) return 0;
  const bool nonDiff = f.NonDiff;
  ProizDigits = 1 + data[0] % 9;
  int32_t err = 7;
  std::string d;
  GetProiz(text, err, d);
  Check(err == 0, "Err is 0", text, d);
  if (nonDiff) {
    Check(d.empty(), "non-differentiable gives an empty text", text, d);
    return 0;
  }
  Check(!d.empty(), "a derivative text", text, d);
  objFunc g;
  std::string ds = d;
  g.Reset();
  g.Parse(ds);
  if (g.ErrorCode != 0) {
    Check(g.ErrorCode == 1 && NodeTokens(ds) > MaxFuncNodes, "the derivative parses", text, d);
    return 0;
  }
  for (long double x : {0.5L, -1.25L, 2.0L}) {
    long double r = 0;
    g.Reset();
    g.Calc(r, x);
    Check(g.ErrorCode == 0 ? std::isfinite(r) : g.ErrorCode <= 13, "derivative evaluates", text, d);
  }
  return 0;
}
