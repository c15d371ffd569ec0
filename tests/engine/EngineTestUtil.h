#pragma once
// Helpers the engine tests share: a formula parsed and evaluated in the
// callers' order (Reset, Parse, test; Reset, Calc, test).
#include <cstdint>
#include <string>

#include "orvanta/engine/FunctionUnit.h"

namespace engtest {

struct Outcome {
  int32_t code;       // the parse's code if it failed, else Calc's
  long double value;  // the result variable, which starts at `start`
};

inline int32_t ParseCode(const std::string& text) {
  objFunc f;
  std::string s = text;
  f.Reset();
  f.Parse(s);
  return f.ErrorCode;
}

inline Outcome Eval(const std::string& text, long double x = 0, long double start = 777) {
  objFunc f;
  std::string s = text;
  f.Reset();
  f.Parse(s);
  if (f.ErrorCode) return {f.ErrorCode, start};
  long double r = start;
  f.Reset();
  f.Calc(r, x);
  return {f.ErrorCode, r};
}

inline std::string Prepared(std::string s, int32_t* err = nullptr) {
  int32_t e = 0;
  PrepareExpression(s, e);
  if (err) *err = e;
  return s;
}

}  // namespace engtest
