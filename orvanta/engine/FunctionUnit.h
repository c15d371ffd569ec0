#pragma once
// The workbench's formula language: tokens, text preparation and the compiled
// formula objFunc (error codes and function indices: FuncsUnit.h). Formula
// texts are byte strings (Windows-1251); positions are 1-based.
//
// One phase per file: FormulaLexer (tokens), FormulaPrepare (the prepared
// text), FormulaParser (the node tree), FormulaCompiler (the tree flattened
// into the evaluator's program, FormulaProgram.h) and FormulaEvaluator (Calc).
#include <cfloat>
#include <cstdint>
#include <string>

#include "orvanta/engine/FormulaNodes.h"

static_assert(LDBL_MANT_DIG == 64, "the formula engine needs the 80-bit extended real");

// Token kinds reported by GetLexem.
enum : int32_t {
  lkInvalid = 0, lkNumber = 1, lkPlus = 2, lkMinus = 3, lkMul = 4, lkDiv = 5, lkPower = 6,
  lkRoot = 7, lkFunction = 8, lkX = 9, lkOpen = 11, lkClose = 12
};

// Reads one token of S at the 1-based position Start (Start <= length + 1).
// Kind, Priority and Len are set on entry; FuncIndex only for a function and
// Value only for a number or constant.
void GetLexem(const std::string& S, int32_t Start, int32_t& Kind, int32_t& Priority, int32_t& Len,
              int32_t& FuncIndex, long double& Value);

// Rewrites S into its prepared form; on failure writes Err (errIncorrect or
// errBrackets) and returns with S as far as the steps had brought it. Err is
// untouched on success.
// At most 32765 enclosing brackets are removed (deeper ones stay, and the
// parser refuses them).
void PrepareExpression(std::string& S, int32_t& Err);


namespace orv_engine {

struct Program;  // the evaluator's program (FormulaProgram.h)

// Owns the program of one objFunc, made by its first successful parse; a
// copy of the owner gets a copy of the program.
class ProgramBox {
 public:
  ProgramBox() = default;
  ProgramBox(const ProgramBox& other);
  ProgramBox& operator=(const ProgramBox& other);
  ~ProgramBox();
  Program* get() const { return p_; }
  Program& Make();  // the program, allocated on first use

 private:
  Program* p_ = nullptr;
};

}  // namespace orv_engine

class objFunc {
 public:
  std::string Expression;
  TFuncNode Nodes[MaxFuncNodes + 1];  // 1..MaxFuncNodes used

  // Display properties, set and stored by the workbench window.
  bool IfMinX = false;
  bool IfMaxX = false;
  bool IfRazryv = false;
  bool IfLines = false;
  bool XPolog = false;
  bool XCeloe = false;
  long double MinX = 0;
  long double MaxX = 0;
  long double Razryv = 0;
  std::uint16_t Kolvo = 0;
  std::uint16_t Diametr = 0;
  std::uint16_t LineWidth = 0;
  std::uint32_t GraphColor = 0;  // 0x00BBGGRR

  int32_t NodePos = 0;
  int32_t ErrorCode = 0;
  bool HasX = false;
  bool NonDiff = false;

  // ErrorCode := 0, NodePos := 1, HasX and NonDiff := false. (Inline: it
  // runs before every evaluation.)
  void Reset() {
    ErrorCode = 0;
    NodePos = 1;
    HasX = false;
    NonDiff = false;
  }
  // Parses S (rewritten into its prepared form) into the nodes from NodePos on.
  // A formula that needs more nodes than the array holds is refused with
  // errIncorrect.
  void Parse(std::string& S);
  // Evaluates the parsed formula at X; Res is a value only when ErrorCode is 0.
  // Without a successful parse, or with NodePos not 1, it sets ErrorCode
  // errIncorrect.
  void Calc(long double& Res, long double X);
  // The same as Reset then Calc(ys[i], xs[i]) for i = 0 to n-1, with each
  // point's ErrorCode in errs[i] (ys[i] is a value only where it is 0, and
  // untouched where Calc leaves Res alone); the object is left as after the
  // last point. A drawing pass over many x pays the per-call work once.
  void CalcRow(const long double* xs, long double* ys, int32_t* errs, int n);

 private:
  bool parsed_ = false;  // the last parse succeeded and the program is valid
  int32_t nodeCount_ = 0;  // nodes 1..nodeCount_ hold the parsed tree
  orv_engine::ProgramBox program_;  // the tree flattened for evaluation
  // A text already prepared as a whole is not stripped again.
  void ParseText(std::string S, bool prepared = false);
  bool Compile();
};

// The program's folder with a trailing "/": empty until the main window sets it.
extern std::string ProgramDir;
