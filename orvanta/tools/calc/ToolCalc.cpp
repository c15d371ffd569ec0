#include "orvanta/tools/calc/ToolCalc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"
#include "orvanta/engine/ProizUnit.h"
#include "platform/Cp1251.h"

namespace tools {

const char* const MsgNonDiff = "Недифферинцируемая функция";
const char* const MsgCalcError = "Ошибка при вычислении";
const char* const MsgZeroDerivative =
    "Производная в данной точке равна нулю. Задайте другое значение точки пересечения.";
const char* const MsgLinePoints = "Неправильное расположение точек.";
const char* const MsgParabolaPoints =
    "Неправильное расположение точек. Возможно, что они лежат на одной прямой.";
const char* const MsgSaveError = "Ошибка при сохранении файла";
const char* const MsgTooManyTerms =
    "Слишком малый шаг интегрирования для этих пределов (больше 10000000 шагов). "
    "Увеличьте шаг или сузьте пределы.";
const char* const MsgStepLost =
    "Слишком малый шаг интегрирования для таких больших пределов (при сложении с ними шаг "
    "теряется). Увеличьте шаг или возьмите пределы ближе к нулю.";
const char* const MsgTableCut = "Таблица обрезана: показаны первые 9999 строк.";
const char* const MsgOverflow = "Переполнение при вычислении с плавающей точкой";

namespace {

// A division by zero, an overflow or an invalid operation in the tools' own
// arithmetic. The operands are always finite (the boxes hold finite numbers),
// so a result that is not finite is exactly such a fault.
struct FpFault {};

long double Checked(long double r) {
  if (!std::isfinite(r)) throw FpFault{};
  return r;
}
long double Add(long double a, long double b) { return Checked(a + b); }
long double Sub(long double a, long double b) { return Checked(a - b); }
long double Mul(long double a, long double b) { return Checked(a * b); }
long double Div(long double a, long double b) {
  if (b == 0) throw FpFault{};
  return Checked(a / b);
}

bool IsZeroText(const std::string& s) { return s == "0" || s == "-0"; }


bool CannotDifferentiate(const std::string& formula) {
  bool hasX = false, nonDiff = false;
  std::string prepared;
  ExamineExpression(formula, 0, hasX, nonDiff, prepared);
  return nonDiff;
}

// The formula parsed into f can be differentiated; otherwise `message` says
// why (the engine's error or the refusal of a non-differentiable formula).
bool Differentiable(const objFunc& f, const std::string& formula, std::string& message);

// f at x; false when the engine reports an error.
bool CalcAt(objFunc& f, long double x, long double& y) {
  f.Reset();
  f.Calc(y, x);
  return f.ErrorCode == 0;
}

}  // namespace

std::unique_ptr<objFunc> ParseFormula(const std::string& text) {
  auto f = std::make_unique<objFunc>();
  f->Reset();
  f->Expression = text;
  f->Parse(f->Expression);
  return f;
}

std::string EngineMessage(int32_t code) {
  if (code < errIncorrect || code > kErrorCount) return "";
  return ErrorMessages[code];
}

bool ReadNumber(const std::string& text, long double& value) { return TryStrToExt(text, &value); }

namespace {

bool Differentiable(const objFunc& f, const std::string& formula, std::string& message) {
  if (f.ErrorCode != 0) {
    message = EngineMessage(f.ErrorCode);
    return false;
  }
  if (CannotDifferentiate(formula)) {
    message = MsgNonDiff;
    return false;
  }
  return true;
}

}  // namespace

// ---------------------------------------------------------------- derivative

TDerivative Derivative(const std::string& formula, int digits) {
  TDerivative r;
  const auto f = ParseFormula(formula);
  if (!Differentiable(*f, formula, r.Message)) return r;
  ProizDigits = digits;
  int32_t err = 0;
  GetProiz(formula, err, r.Text);
  r.Heading = "(" + f->Expression + ")' =";
  return r;
}

// ---------------------------------------------------------------- tangent, normal

std::string KasatEquation(long double slope, long double b, int digits) {
  std::string part = DecimalText(slope, digits);
  if (part == "-1")
    part = "-";
  else if (part == "1")
    part.clear();
  else
    part += "*";
  if (b < 0) return part + "x" + DecimalText(b, digits);
  if (b > 0) return part + "x+" + DecimalText(b, digits);
  return part + "x";
}

TTangent TangentLine(const std::string& formula, long double x0, int digits, bool normal) {
  TTangent r;
  const auto f = ParseFormula(formula);
  if (!Differentiable(*f, formula, r.Message)) return r;
  long double y0 = 0;
  if (!CalcAt(*f, x0, y0)) {
    r.Message = MsgCalcError;
    return r;
  }
  ProizDigits = digits;
  int32_t err = 0;
  std::string derivative;
  GetProiz(f->Expression, err, derivative);
  f->Expression = derivative;
  f->Reset();
  f->Parse(f->Expression);
  long double k = 0;
  if (f->ErrorCode != 0 || !CalcAt(*f, x0, k)) {
    r.Message = MsgCalcError;
    return r;
  }
  if (normal && k == 0) {
    r.Message = MsgZeroDerivative;
    return r;
  }
  try {
    const long double slope = normal ? Div(-1.0L, k) : k;
    const long double b = Add(Mul(-x0, slope), y0);
    r.Equation = KasatEquation(slope, b, digits);
  } catch (const FpFault&) {
    r.Overflow = true;
  }
  return r;
}

// ---------------------------------------------------------------- integral

TIntegral Integrate(objFunc& f, long double a, long double b, long double dx, bool absolute) {
  TIntegral r;
  if (!(b > a)) return r;  // reversed limits: no term, the sum stays 0
  const long double terms = (b - a) / dx;
  // A step below half the spacing of the numbers at a limit is lost when it
  // is added there: the abscissae would bunch on a few values and the sum
  // would come out wrong while looking like a result.
  if (!(terms <= MaxIntegralTerms)) {
    r.TooManyTerms = true;
    return r;
  }
  if (a + dx == a || b - dx == b) {
    r.StepLost = true;
    return r;
  }
  // A term that would start just below b is the rounding of a + i*dx, not a
  // piece of the range: far below a step, and far below the limits' size.
  const long double tolerance = std::min(dx * 1e-9L, (std::fabs(a) + std::fabs(b)) * 1e-15L);
  for (int64_t i = 0;; ++i) {
    const long double x = a + static_cast<long double>(i) * dx;
    const long double left = b - x;
    if (!(left > tolerance)) break;
    const long double width = left < dx ? left : dx;
    long double y = 0;
    if (!CalcAt(f, x, y)) {
      r.ErrorCode = f.ErrorCode;
      return r;
    }
    long double term = y * width;
    if (absolute) term = std::fabs(term);
    r.Sum += term;
    if (!std::isfinite(r.Sum)) {
      r.Overflow = true;
      return r;
    }
  }
  return r;
}

// ---------------------------------------------------------------- table

int32_t TableRowCount(bool countMode, int32_t count, long double start, long double finish,
                      long double step, bool* cut) {
  if (cut != nullptr) *cut = false;
  if (countMode) {
    if (count <= MaxTableRows) return count;
    if (cut != nullptr) *cut = true;
    return MaxTableRows;
  }
  long double q = (finish - start) / step;
  if (std::isnan(q)) return 0;
  // A quotient that lands just below a whole number still reaches the end value.
  if (q > 0) q += q * 1e-9L;
  // q >= MaxTableRows asks for at least one row more than the table holds.
  if (q >= MaxTableRows) {
    if (cut != nullptr) *cut = true;
    return MaxTableRows;
  }
  if (q <= -static_cast<long double>(MaxTableRows)) return 0;
  return static_cast<int32_t>(std::trunc(q)) + 1;
}

std::vector<TTableRow> TableRows(objFunc& f, long double start, long double step, int32_t n,
                                 int digits) {
  std::vector<TTableRow> rows;
  if (n <= 0) return rows;
  rows.reserve(static_cast<std::size_t>(n));
  long double x = start;
  for (int32_t i = 0; i < n; ++i) {
    TTableRow row;
    // The x used is the one shown, so rounding never accumulates.
    row.X = DecimalText(x, 7);
    x = StrToExt(row.X);
    long double y = 0;
    row.Y = CalcAt(f, x, y) ? DecimalText(y, digits) : EngineMessage(f.ErrorCode);
    rows.push_back(std::move(row));
    x = x + step;
  }
  return rows;
}

std::string TableFileBytes(const std::string& formula, const std::vector<TTableRow>& rows) {
  const std::string stars(29, '*');
  std::string text;
  auto line = [&text](const std::string& s) {
    text += s;
    text += "\r\n";
  };
  line("Программа Orvanta 2.0");
  line("Таблица значений функции");
  line(stars);
  line(formula);
  line(stars);
  line("X" + std::string(19, ' ') + "Y");
  for (const TTableRow& row : rows) {
    std::string x = row.X;
    // The y column starts at 21; a longer x keeps all its digits and one blank.
    if (x.size() < 20)
      x.append(20 - x.size(), ' ');
    else
      x += ' ';
    line(x + row.Y);
  }
  return cp1251::FromUtf8(text);
}

std::string TableFileName(const std::string& chosen) {
  const std::string ext = ".txt";
  if (chosen.size() >= ext.size() && chosen.compare(chosen.size() - ext.size(), ext.size(), ext) == 0)
    return chosen;
  return chosen + ext;
}

// ---------------------------------------------------------------- line, parabola

TPoints LineThroughPoints(long double x1, long double y1, long double x2, long double y2,
                          int digits) {
  TPoints r;
  try {
    const long double k = Div(Sub(y2, y1), Sub(x2, x1));
    const std::string kt = DecimalText(k, digits);
    if (IsZeroText(kt)) {
      r.Outcome = TPointsOutcome::Refused;
      return r;
    }
    const long double b = Sub(y1, Mul(k, x1));
    std::string kPart = kt == "1" ? "x" : kt == "-1" ? "-x" : kt + "x";
    const std::string bt = DecimalText(b, digits);
    std::string bPart = bt == "0" ? "" : b > 0 ? "+" + bt : bt;
    r.Formula = kPart + bPart;
  } catch (const FpFault&) {
    r.Outcome = TPointsOutcome::Degenerate;
  }
  return r;
}

TPoints ParabolaThroughPoints(long double x1, long double y1, long double x2, long double y2,
                              long double x3, long double y3, int digits) {
  TPoints r;
  try {
    const long double num =
        Add(Add(Mul(Sub(x2, x3), y1), Mul(Sub(x3, x1), y2)), Mul(Sub(x1, x2), y3));
    const long double den = Add(Add(Mul(Mul(x1, x1), Sub(x2, x3)), Mul(Mul(x2, x2), Sub(x3, x1))),
                                Mul(Mul(x3, x3), Sub(x1, x2)));
    const long double a = Div(num, den);
    const std::string at = DecimalText(a, digits);
    if (IsZeroText(at)) {
      r.Outcome = TPointsOutcome::Refused;
      return r;
    }
    const long double b =
        Div(Sub(Sub(y2, y1), Mul(Sub(Mul(x2, x2), Mul(x1, x1)), a)), Sub(x2, x1));
    const long double c = Sub(Sub(y1, Mul(Mul(a, x1), x1)), Mul(b, x1));

    std::string aPart = at == "1" ? "x^2" : at == "-1" ? "-x^2" : at + "x^2";
    const std::string bt = DecimalText(b, digits);
    std::string bPart;
    if (bt == "0")
      bPart.clear();
    else if (bt == "1")
      bPart = "+x";
    else if (bt == "-1")
      bPart = "-x";
    else if (b > 0)
      bPart = "+" + bt + "x";
    else
      bPart = bt + "x";
    const std::string ct = DecimalText(c, digits);
    std::string cPart = ct == "0" ? "" : c > 0 ? "+" + ct : ct;
    r.Formula = aPart + bPart + cPart;
  } catch (const FpFault&) {
    r.Outcome = TPointsOutcome::Degenerate;
  }
  return r;
}

// ---------------------------------------------------------------- quadratic

std::string MakeUravnText(int digits, long double a, long double b, long double c) {
  std::string at = DecimalText(a, digits);
  if (at == "1")
    at.clear();
  else if (at == "-1")
    at = "-";
  at += "x^2";

  std::string bt = DecimalText(b, digits);
  if (b > 0) bt = "+" + bt;
  if (bt == "+1")
    bt = "+";
  else if (bt == "-1")
    bt = "-";
  bt += "x";
  if (bt == "0x" || bt == "-0x") bt.clear();

  std::string ct = DecimalText(c, digits);
  if (c > 0) ct = "+" + ct;
  if (IsZeroText(ct)) ct.clear();
  return at + bt + ct;
}

TQuadratic SolveQuadratic(long double a, long double b, long double c, int digits) {
  TQuadratic r;
  r.Equation = MakeUravnText(digits, a, b, c) + "=0";
  long double d = 0;
  try {
    d = Sub(Mul(b, b), Mul(Mul(4.0L, a), c));
  } catch (const FpFault&) {
    r.OverflowAt = 1;
    return r;
  }
  r.DText = DecimalText(d, digits);
  try {
    // The verdict follows the printed discriminant, as the user reads it.
    if (IsZeroText(r.DText)) {
      r.X1 = DecimalText(Div(-b, Mul(2.0L, a)), digits);
      r.Roots = 1;
    } else if (d > 0) {
      const long double s = std::sqrt(d);
      r.X1 = DecimalText(Div(Sub(s, b), Mul(2.0L, a)), digits);
      r.X2 = DecimalText(Div(Sub(-b, s), Mul(2.0L, a)), digits);
      r.Roots = 2;
    }
  } catch (const FpFault&) {
    r.X1.clear();
    r.X2.clear();
    r.Roots = 0;
    r.OverflowAt = 2;
  }
  return r;
}

}  // namespace tools
