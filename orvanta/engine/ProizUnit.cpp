#include "orvanta/engine/ProizUnit.h"

#include <memory>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"

int32_t ProizDigits = 0;

namespace {

// A parse of a copy of S with a temporary object (on the heap: the derivative
// recurses, and each object holds two node arrays).
struct ParseFacts {
  int32_t error = 0;
  bool hasX = false;
  bool nonDiff = false;
  long double valueAt1 = 0;
  int32_t calcError = 0;
};

ParseFacts ParseCopy(std::string& text, bool evaluate) {
  auto f = std::make_unique<objFunc>();
  ParseFacts facts;
  f->Reset();
  f->Parse(text);
  facts.error = f->ErrorCode;
  facts.hasX = f->HasX;
  facts.nonDiff = f->NonDiff;
  if (facts.error == 0 && evaluate && !facts.hasX) {
    long double v = 0;
    f->Reset();
    f->Calc(v, 1);
    facts.calcError = f->ErrorCode;
    facts.valueAt1 = v;
  }
  return facts;
}

bool HasX(const std::string& s) {
  std::string copy = s;
  return ParseCopy(copy, false).hasX;
}

// The text starts with "-" or has a "+" or "-" outside brackets: as a term
// after an operator or a sign it needs brackets.
bool NeedsBrackets(const std::string& s) {
  if (!s.empty() && s[0] == '-') return true;
  int depth = 0;
  for (char c : s) {
    if (c == '(') ++depth;
    else if (c == ')') --depth;
    else if (depth == 0 && (c == '+' || c == '-')) return true;
  }
  return false;
}

std::string Bracketed(const std::string& s) { return NeedsBrackets(s) ? "(" + s + ")" : s; }

std::string StartsSigned(const std::string& s) { return !s.empty() && s[0] == '-' ? "(" + s + ")" : s; }

std::string Fold(const std::string& s) {
  std::string r;
  FoldConstant(s, ProizDigits, r);
  return r;
}

std::string Derive(const std::string& s);

struct Split {
  int level = 0;     // 0: none
  int32_t kind = 0;  // token kind of the operator, or lkFunction
  int32_t func = 0;
  std::string u, v;
};

// The split of the parser: the last operator of priority 1, 2 or 3 at depth 0,
// else the first function name at depth 0.
Split SplitText(const std::string& s) {
  Split sp;
  int32_t candPos[5] = {0, 0, 0, 0, 0};
  int32_t candLen[5] = {0, 0, 0, 0, 0};
  int32_t candKind[5] = {0, 0, 0, 0, 0};
  int32_t candFunc[5] = {0, 0, 0, 0, 0};
  int64_t depth = 0;
  const int32_t n = static_cast<int32_t>(s.size());
  for (int32_t pos = 1; pos <= n;) {
    int32_t kind, prio, len, func = 0;
    long double value;
    GetLexem(s, pos, kind, prio, len, func, value);
    if (kind == lkInvalid) return sp;
    if (kind == lkOpen) ++depth;
    else if (kind == lkClose) --depth;
    else if (depth == 0 && kind >= lkPlus && kind <= lkFunction && (prio < 4 || candPos[4] == 0)) {
      candPos[prio] = pos;
      candLen[prio] = len;
      candKind[prio] = kind;
      candFunc[prio] = func;
    }
    pos += len < 1 ? 1 : len;
  }
  for (int i = 1; i <= 4; ++i) {
    if (!candPos[i]) continue;
    if (i == 4 && candPos[4] != 1) return sp;
    sp.level = i;
    sp.kind = candKind[i];
    sp.func = candFunc[i];
    sp.u = s.substr(0, candPos[i] - 1);
    sp.v = s.substr(candPos[i] - 1 + candLen[i]);
    return sp;
  }
  return sp;
}

std::string DeriveFunction(int32_t func, const std::string& v, const std::string& dv) {
  if (dv == "0") return "0";
  const bool one = dv == "1";
  // A derivative after "(-" is bracketed when it is a sum or starts with a sign.
  const std::string ndv = Bracketed(dv);
  switch (func) {
    case 1: return one ? "cos" + v : "(" + dv + ")*cos" + v;
    case 2: return one ? "(-sin" + v + ")" : "(-" + ndv + ")*sin" + v;
    case 3: return one ? "1/(cos" + v + ")^2" : "(" + dv + ")/(cos" + v + ")^2";
    case 4: return one ? "-1/(sin" + v + ")^2" : "(-" + ndv + ")/(sin" + v + ")^2";
    case 5: return one ? "1/2@(1-" + v + "^2)" : "(" + dv + ")/2@(1-" + v + "^2)";
    case 6: return one ? "-1/2@(1-" + v + "^2)" : "(-" + ndv + ")/2@(1-" + v + "^2)";
    case 7: return one ? "1/(1+" + v + "^2)" : "(" + dv + ")/(1+" + v + "^2)";
    case 8: return one ? "-1/(1+" + v + "^2)" : "(-" + ndv + ")/(1+" + v + "^2)";
    case 9: return one ? "1/(2*sqrt(" + v + "))" : "(" + dv + ")/(2*sqrt(" + v + "))";
    case 10: return one ? "1/" + v : "(" + dv + ")/" + v;
    case 11: return one ? "1/(ln10*" + v + ")" : "(" + dv + ")/(ln10*" + v + ")";
    case 12: return one ? "exp" + v : "exp" + v + "*(" + dv + ")";
    default: return "";  // abs, fact, rnd, trunc, frac have no derivative
  }
}

// Base u and exponent v with their derivatives and contains-x flags.
std::string DerivePower(const std::string& u, const std::string& v, const std::string& du, const std::string& dv,
                        bool ux, bool vx) {
  if (du == "0" && dv == "0") return "0";
  if (ux && vx) return u + "^" + v + "*(ln(" + u + ")*(" + dv + ")+" + v + "*(" + du + ")/" + u + ")";
  if (vx) return "(" + dv + ")*" + u + "^" + v + "*ln(" + u + ")";
  const std::string e = Fold(v + "-1");
  const std::string head = v + "*(" + du + ")";
  // u^0 is 1, but "x^0" reads as 0 at x = 0: the factor is left out.
  if (e == "0" || e == "(-0)") return head;
  if (e == "1") return head + "*" + u;
  return head + "*" + u + "^" + e;
}

std::string Derive(const std::string& input) {
  std::string s = input;
  int32_t err = 0;
  PrepareExpression(s, err);
  // The parse leaves s in its prepared form, which a text with x keeps.
  const ParseFacts facts = ParseCopy(s, false);
  if (facts.error != 0) return "";  // only texts that parse have a derivative
  // Any non-differentiable function anywhere leaves the whole derivative empty.
  if (facts.nonDiff) return "";
  if (!facts.hasX) return "0";
  if (s == "x") return "1";

  Split sp = SplitText(s);
  if (sp.level == 0) return "";
  if (sp.kind == lkFunction) {
    const std::string v = Fold(sp.v);
    const std::string dv = Derive(v);
    if (dv.empty()) return "";
    return DeriveFunction(sp.func, v, dv);
  }
  std::string u = Fold(sp.u);
  std::string v = Fold(sp.v);
  if (sp.kind == lkRoot) {
    // n@y is y^(1/n): y becomes the base, 1/(n) the exponent.
    const std::string n = u;
    const bool nx = HasX(n);
    const std::string base = v;
    const std::string exponent = nx ? "(1/(" + n + "))" : Fold("1/(" + n + ")");
    const std::string db = Derive(base);
    const std::string de = nx ? Derive("1/(" + n + ")") : "0";
    if (db.empty() || de.empty()) return "";
    return DerivePower(base, exponent, db, de, HasX(base), nx);
  }
  const std::string du = Derive(u);
  const std::string dv = Derive(v);
  if (du.empty() || dv.empty()) return "";
  const bool ux = HasX(u);
  const bool vx = HasX(v);
  switch (sp.kind) {
    case lkPlus: {
      std::string t = du + "+" + StartsSigned(dv);
      if (du == "0") t = dv;
      if (dv == "0") t = du;
      return Fold(t);
    }
    case lkMinus: {
      std::string t = du + "-(" + dv + ")";
      if (du == "0") t = "-(" + dv + ")";
      if (dv == "0") t = du;
      return Fold(t);
    }
    case lkMul:
      if (du == "0" && dv == "0") return "0";
      if (du == "0") return u + "*(" + dv + ")";
      if (dv == "0") return v + "*(" + du + ")";
      return "(" + du + ")*" + v + "+" + u + "*(" + dv + ")";
    case lkDiv: {
      if (!vx) return "(" + du + ")/" + v;
      if (du == "0" && dv == "0") return "0";
      std::string num;
      if (du == "0") num = dv == "1" ? "-" + u : "-" + u + "*(" + dv + ")";
      else if (dv == "0") num = du == "1" ? v : v + "*(" + du + ")";
      else num = "(" + du + ")*" + v + "-" + u + "*(" + dv + ")";
      return "(" + num + ")/" + v + "^2";
    }
    case lkPower:
      return DerivePower(u, v, du, dv, ux, vx);
    default:
      return "";
  }
}

}  // namespace

void FoldConstant(const std::string& S, int32_t Digits, std::string& Res) {
  if (S.empty()) {
    Res.clear();
    return;
  }
  std::string text = S;
  ParseFacts facts = ParseCopy(text, true);
  // A text that does not parse, or that contains x, stays as it is.
  if (facts.error != 0 || facts.hasX) {
    Res = S;
    return;
  }
  const long double v = facts.calcError != 0 ? 0 : facts.valueAt1;
  std::string t = DecimalText(v, Digits);
  // A value at the very top of the range can round beyond it: keep the text.
  if (!TryStrToExt(t, nullptr)) {
    Res = S;
    return;
  }
  // Every negative text, "-0" included, is bracketed so that it can follow an operator.
  if (!t.empty() && t[0] == '-') t = "(" + t + ")";
  Res = t;
}

void ExamineExpression(const std::string& S, int32_t Digits, bool& HasX, bool& NonDiff, std::string& Prepared) {
  std::string text = S;
  ParseFacts facts = ParseCopy(text, false);
  HasX = facts.hasX;
  NonDiff = facts.nonDiff;
  FoldConstant(text, Digits, Prepared);
}

void GetProiz(const std::string& S, int32_t& Err, std::string& Res) {
  Err = 0;
  Res = Derive(S);
}
