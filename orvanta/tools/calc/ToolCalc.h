#pragma once
// The computations of the analysis tool windows, free of Qt: the windows
// read their boxes, call these and show what comes back, so every result
// text is tested without a window.
//
// Formula texts (input formulas, derivative and equation texts) are byte
// strings in Windows-1251; messages are UTF-8. A message that is not empty
// means the run failed with it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class objFunc;

namespace tools {

// Messages of the tools (UTF-8).
extern const char* const MsgNonDiff;        // a formula with abs, fact, rnd, trunc or frac
extern const char* const MsgCalcError;      // the formula or its derivative fails at x0
extern const char* const MsgZeroDerivative; // the normal of a zero slope
extern const char* const MsgLinePoints;     // the line's points give no slanted line
extern const char* const MsgParabolaPoints; // the parabola's points give no parabola
extern const char* const MsgSaveError;      // the table file could not be written
extern const char* const MsgTooManyTerms;   // the integral would take too many terms
extern const char* const MsgStepLost;       // the integral's step vanishes against its limits
extern const char* const MsgTableCut;       // the line under a table cut at MaxTableRows
extern const char* const MsgOverflow;       // the default error box's text of an overflow

// A new function object of one run, reset and parsed from `text` (its
// ErrorCode says whether the parse succeeded).
std::unique_ptr<objFunc> ParseFormula(const std::string& text);

// The ErrorMessages text of an engine error code (UTF-8; "" out of range).
std::string EngineMessage(int32_t code);

// A number box's text read by the box grammar (optional blanks and sign,
// digits with at most one ".", optional exponent); false when it is none.
bool ReadNumber(const std::string& text, long double& value);

// ---- derivative

struct TDerivative {
  std::string Message;  // UTF-8; empty on success
  std::string Heading;  // "(" prepared formula ")' =", Windows-1251
  std::string Text;     // the derivative, Windows-1251
};
// Parses `formula`, refuses what cannot be differentiated, sets ProizDigits
// to `digits` and differentiates.
TDerivative Derivative(const std::string& formula, int digits);

// ---- tangent and normal

// The line y = slope*x + b as a formula text: "-" and "" for slopes that
// print as -1 and 1, else the slope's text and "*"; the intercept's sign
// follows its value, not its text.
std::string KasatEquation(long double slope, long double b, int digits);

struct TTangent {
  std::string Message;    // UTF-8; empty on success
  bool Overflow = false;  // the slope or intercept left the extended range
  std::string Equation;   // Windows-1251
};
// The tangent (normal == false) or normal to `formula` at x0.
TTangent TangentLine(const std::string& formula, long double x0, int digits, bool normal);

// ---- definite integral

// More terms than this are refused rather than summed on the UI thread.
constexpr long double MaxIntegralTerms = 10000000.0L;

struct TIntegral {
  int32_t ErrorCode = 0;  // the engine's code of a failing sample
  // Refused before the loop: more than MaxIntegralTerms terms (or a range
  // that overflows),
  bool TooManyTerms = false;
  // or else a step that vanishes when it is added to a limit.
  bool StepLost = false;
  bool Overflow = false;
  long double Sum = 0;
};
// Left rectangles of f over [a, b] with step dx (0 < dx): the i-th abscissa
// is a + i*dx, no term starts at b (up to rounding), and the last term has
// the width that is left. `f` must be parsed.
TIntegral Integrate(objFunc& f, long double a, long double b, long double dx, bool absolute);

// ---- table of values

constexpr int32_t MaxTableRows = 9999;

// Rows of the table: the count itself in count mode, else the steps from
// start to finish plus one (an end value that the division lands just
// below is still counted); at most MaxTableRows, possibly 0 or less.
// `cut`, when given, tells whether the table asked for had more rows.
int32_t TableRowCount(bool countMode, int32_t count, long double start, long double finish,
                      long double step, bool* cut = nullptr);

struct TTableRow {
  std::string X;  // 7 decimals, trimmed
  std::string Y;  // `digits` decimals, or the engine's message (UTF-8)
};
// n rows from start on; each x is rounded to its 7-decimal text before use.
std::vector<TTableRow> TableRows(objFunc& f, long double start, long double step, int32_t n,
                                 int digits);

// The table's text file: Windows-1251 bytes, CR LF line ends. `formula` and
// the rows are UTF-8.
std::string TableFileBytes(const std::string& formula, const std::vector<TTableRow>& rows);
// The save dialog's name rule: ".txt" appended unless the name ends in it exactly.
std::string TableFileName(const std::string& chosen);

// ---- line and parabola

enum class TPointsOutcome {
  Ok,
  Refused,     // the leading coefficient prints as 0: message, nothing else
  Degenerate,  // a division by zero, an overflow or an invalid operation
};
struct TPoints {
  TPointsOutcome Outcome = TPointsOutcome::Ok;
  std::string Formula;  // on Ok
};
TPoints LineThroughPoints(long double x1, long double y1, long double x2, long double y2,
                          int digits);
TPoints ParabolaThroughPoints(long double x1, long double y1, long double x2, long double y2,
                              long double x3, long double y3, int digits);

// ---- quadratic equation

// a x^2 + b x + c as compact text with `digits` decimals.
std::string MakeUravnText(int digits, long double a, long double b, long double c);

struct TQuadratic {
  std::string Equation;  // MakeUravnText + "=0"
  // Where an overflow stopped the solution: 0 none, 1 at the discriminant
  // (only Equation is valid), 2 at the roots (Equation and DText valid).
  int OverflowAt = 0;
  std::string DText;
  int Roots = 0;  // 0, 1 or 2
  std::string X1, X2;
};
TQuadratic SolveQuadratic(long double a, long double b, long double c, int digits);

}  // namespace tools
