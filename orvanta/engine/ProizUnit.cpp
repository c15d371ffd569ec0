#include "orvanta/engine/ProizUnit.h"

#include <memory>

#include "orvanta/engine/FormulaParser.h"
#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"

int32_t ProizDigits = 0;

namespace {

// A parse of a copy of S with a temporary object (on the heap: the derivative
// recurses, and each object holds a node array).
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

// The split of the parser (SplitAtLoosest): the operation and its operand texts.
struct Split {
  bool found = false;
  int32_t kind = 0;  // token kind of the operator, or lkFunction
  int32_t func = 0;
  std::string u, v;
};

Split SplitText(const std::string& s) {
  Split sp;
  const orv_engine::TSplit at = orv_engine::SplitAtLoosest(s);
  if (!at.found) return sp;
  sp.found = true;
  sp.kind = at.token.kind;
  sp.func = at.token.func;
  sp.u = s.substr(0, at.at);
  sp.v = s.substr(at.at + at.token.len);
  return sp;
}

std::string DeriveFunction(int32_t func, const std::string& v, const std::string& dv) {
  if (dv == "0") return "0";
  const bool one = dv == "1";
  // A derivative after "(-" is bracketed when it is a sum or starts with a sign.
  const std::string ndv = Bracketed(dv);
  switch (func) {
    case fnSin: return one ? "cos" + v : "(" + dv + ")*cos" + v;
    case fnCos: return one ? "(-sin" + v + ")" : "(-" + ndv + ")*sin" + v;
    case fnTg: return one ? "1/(cos" + v + ")^2" : "(" + dv + ")/(cos" + v + ")^2";
    case fnCtg: return one ? "-1/(sin" + v + ")^2" : "(-" + ndv + ")/(sin" + v + ")^2";
    case fnArcSin: return one ? "1/2@(1-" + v + "^2)" : "(" + dv + ")/2@(1-" + v + "^2)";
    case fnArcCos: return one ? "-1/2@(1-" + v + "^2)" : "(-" + ndv + ")/2@(1-" + v + "^2)";
    case fnArcTg: return one ? "1/(1+" + v + "^2)" : "(" + dv + ")/(1+" + v + "^2)";
    case fnArcCtg: return one ? "-1/(1+" + v + "^2)" : "(-" + ndv + ")/(1+" + v + "^2)";
    case fnSqrt: return one ? "1/(2*sqrt(" + v + "))" : "(" + dv + ")/(2*sqrt(" + v + "))";
    case fnLn: return one ? "1/" + v : "(" + dv + ")/" + v;
    case fnLg: return one ? "1/(ln10*" + v + ")" : "(" + dv + ")/(ln10*" + v + ")";
    case fnExp: return one ? "exp" + v : "exp" + v + "*(" + dv + ")";
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
  if (!sp.found) return "";
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
