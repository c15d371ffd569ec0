#include "orvanta/engine/ProizUnit.h"

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"

int32_t ProizDigits = 0;

void FoldConstant(const std::string& S, int32_t Digits, std::string& Res) {
  if (S.empty()) {
    Res.clear();
    return;
  }
  objFunc f;
  std::string text = S;
  f.Reset();
  f.Parse(text);
  // A text that does not parse, or that contains x, stays as it is.
  if (f.ErrorCode != 0 || f.HasX) {
    Res = S;
    return;
  }
  long double v = 0;
  f.Reset();
  f.Calc(v, 1);
  if (f.ErrorCode != 0) v = 0;
  std::string t = DecimalText(v, Digits);
  // Every negative text, "-0" included, is bracketed so that it can follow an operator.
  if (!t.empty() && t[0] == '-') t = "(" + t + ")";
  Res = t;
}

void ExamineExpression(const std::string& S, int32_t Digits, bool& HasX, bool& NonDiff, std::string& Prepared) {
  objFunc f;
  std::string text = S;
  f.Reset();
  f.Parse(text);
  HasX = f.HasX;
  NonDiff = f.NonDiff;
  FoldConstant(text, Digits, Prepared);
}

void GetProiz(const std::string& S, int32_t& Err, std::string& Res) {
  Err = 0;
  Res.clear();
}
