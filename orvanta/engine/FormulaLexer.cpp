// Tokens: numbers, the constants "p" and "e", x, operators, brackets and
// function names.
#include "orvanta/engine/FormulaLexer.h"

#include <cstring>

#include "orvanta/engine/EngineMath.h"
#include "orvanta/engine/FuncsUnit.h"

namespace orv_engine {
namespace {

inline bool IsDigitOrPoint(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// One token of S at the 0-based offset p < S.size(). Without wantValue the
// value of a number is not computed (its kind still is: a digit run too long
// to be sure it fits the extended range is converted anyway).
void Lex(const std::string& S, size_t p, int32_t& Kind, int32_t& Priority, int32_t& Len, int32_t& FuncIndex,
         long double& Value, bool wantValue) {
  const size_t n = S.size();
  const char c = S[p];
  if (IsDigitOrPoint(c)) {
    size_t q = p;
    bool point = false;
    bool bad = false;
    while (q < n && IsDigitOrPoint(S[q])) {
      if (S[q] == '.') {
        if (q == p || point) bad = true;
        point = true;
      }
      ++q;
    }
    // An invalid number takes its whole run of digits and points.
    Len = static_cast<int32_t>(q - p);
    if (bad) return;
    if (wantValue || q - p > 4000) {
      long double v;
      if (!DecimalToExt(S.data() + p, q - p, &v)) return;  // beyond the extended range
      if (wantValue) Value = v;
    }
    Kind = lkNumber;
    return;
  }
  Len = 1;
  for (const TOperatorRow& row : OperatorTable) {
    if (row.Symbol == c) {
      Kind = row.Kind;
      Priority = row.Priority;
      return;
    }
  }
  for (int32_t i = 1; i <= kFuncCount; ++i) {
    const char* name = FuncNames[i];
    if (name[0] != c) continue;
    const size_t len = std::strlen(name);
    if (p + len <= n && std::memcmp(S.data() + p, name, len) == 0) {
      Kind = lkFunction;
      Priority = kFunctionPriority;
      Len = static_cast<int32_t>(len);
      FuncIndex = i;
      return;
    }
  }
  switch (c) {
    case 'p': Kind = lkNumber; if (wantValue) Value = kPi; return;
    case 'e': Kind = lkNumber; if (wantValue) Value = kE; return;
    case 'x': Kind = lkX; return;
    default: return;  // invalid
  }
}

}  // namespace

Token LexAt(const std::string& S, size_t p, bool wantValue) {
  Token t;
  Lex(S, p, t.kind, t.priority, t.len, t.func, t.value, wantValue);
  if (t.len < 1) t.len = 1;
  return t;
}

}  // namespace orv_engine

void GetLexem(const std::string& S, int32_t Start, int32_t& Kind, int32_t& Priority, int32_t& Len,
              int32_t& FuncIndex, long double& Value) {
  Kind = 0;
  Priority = 0;
  Len = 0;
  if (Start < 1 || static_cast<size_t>(Start) > S.size()) {
    // The end of the text reads as one invalid character.
    if (Start >= 1 && static_cast<size_t>(Start) == S.size() + 1) Len = 1;
    return;
  }
  orv_engine::Lex(S, static_cast<size_t>(Start - 1), Kind, Priority, Len, FuncIndex, Value, true);
}
