#pragma once
// The vocabulary of the formula language and the two slots: what the scanner
// (Lex_an) writes and the syntax check (Sintac_Anal) and the evaluator
// (Interp) read. Kept apart from the scanner so neither reader depends on it.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvel {

enum TLexKind : uint8_t {
  lxFunction = 0,
  lxNumber = 1,
  lxVariable = 2,
  lxOperator = 3,
  lxConstant = 4,
  lxEnd = 5,
  lxBracket = 6,
};

// Bit set of operator classes.
using TOpClass = uint16_t;
constexpr TOpClass ocUnary = 1;    // works on the top operand
constexpr TOpClass ocBinary = 2;   // stores into the operand below the top
constexpr TOpClass ocBracket = 4;  // the opening bracket decides whether reduction goes on

// Token codes: indexes of TokenTable.
enum : uint8_t {
  tcSub = 0, tcAdd, tcNeg, tcMul, tcDiv, tcPower,
  tcSqr, tcSqrt, tcExp, tcLn, tcSin, tcCos, tcTg, tcCtg, tcArcsin, tcArccos, tcArctg, tcArcctg,
  tcModOpen, tcModClose, tcParOpen, tcParClose,
  tcX, tcA, tcB, tcC, tcPi, tcE,
  tcEnd,  // also the code of every number, and "not found"
};

struct TTokenEntry {
  const char* Name;
  TLexKind Kind;
  uint8_t Code;
  int32_t Priority;
  TOpClass OpClass;
};

constexpr int TokenTableSize = 29;
// The vocabulary: one row per token, indexed by its code.
inline constexpr TTokenEntry TokenTable[TokenTableSize] = {
    {"-", lxOperator, 0, 40, ocBinary},
    {"+", lxOperator, 1, 40, ocBinary},
    {"-", lxOperator, 2, 45, ocUnary},
    {"*", lxOperator, 3, 50, ocBinary},
    {"/", lxOperator, 4, 50, ocBinary},
    {"^", lxOperator, 5, 55, ocBinary},
    {"sqr", lxFunction, 6, 55, ocUnary},
    {"sqrt", lxFunction, 7, 55, ocUnary},
    {"exp", lxFunction, 8, 55, ocUnary},
    {"ln", lxFunction, 9, 55, ocUnary},
    {"sin", lxFunction, 10, 55, ocUnary},
    {"cos", lxFunction, 11, 55, ocUnary},
    {"tg", lxFunction, 12, 55, ocUnary},
    {"ctg", lxFunction, 13, 55, ocUnary},
    {"arcsin", lxFunction, 14, 55, ocUnary},
    {"arccos", lxFunction, 15, 55, ocUnary},
    {"arctg", lxFunction, 16, 55, ocUnary},
    {"arcctg", lxFunction, 17, 55, ocUnary},
    {"[", lxBracket, 18, 100, ocBracket},
    {"]", lxBracket, 19, 1, ocBracket},
    {"(", lxBracket, 20, 100, ocBracket},
    {")", lxBracket, 21, 1, ocBracket},
    {"x", lxVariable, 22, 0, 0},
    {"a", lxVariable, 23, 0, 0},
    {"b", lxVariable, 24, 0, 0},
    {"c", lxVariable, 25, 0, 0},
    {"pi", lxConstant, 26, 0, 0},
    {"e", lxConstant, 27, 0, 0},
    {"", lxEnd, 28, 0, 0},
};


// One token of a slot. The value of a number literal sits in its own token, so
// reading it costs nothing however many numbers the formula holds.
struct TTokenNode {
  long double Value;  // number tokens only
  TLexKind Kind;
  uint8_t Code;
};

// One step of an evaluation. The two upper operands of the stack are kept
// apart from the rest (see Replay in Interp.cpp); a step pushes an operand,
// applies an operation to the top, or combines the operand below the top
// with it.
struct TCalcStep {
  long double Value;       // a literal operand (a number, pi or e)
  const long double* Src;  // where a pushed or combined operand is read
  double Lit;              // the literal, when a double holds it exactly
  int32_t Depth;           // position of the result in the operand stack
  int16_t N;               // the integral exponent of a combined "^"
  uint8_t Code;            // a step code (Interp.cpp)
};

struct TLexSlot {
  std::vector<TTokenNode> Tokens;  // positions from 0, in the order scanned
  // The last Lexan succeeded: Tokens holds a checked formula ending with an
  // end marker, and Steps and OperandStack are ready for Calculate.
  bool Compiled = false;
  bool UsesX = false;  // the formula reads x (a, b, c: below)
  bool UsesA = false;
  bool UsesB = false;
  bool UsesC = false;
  bool UsesLibm = false;  // some step calls the mathematical library
  std::vector<TCalcStep> Steps;
  std::vector<long double> OperandStack;  // sized once, so a point allocates nothing
};

extern int32_t CurNumber;  // the selected slot, 1 or 2
extern int32_t TokenCount; // tokens appended since the last Lex_Analiz_Init
extern TLexSlot LexSlots[2];

// The selected slot, or nullptr when CurNumber is neither 1 nor 2.
inline TLexSlot* SelectedSlot() {
  return (CurNumber == 1 || CurNumber == 2) ? &LexSlots[CurNumber - 1] : nullptr;
}

TLexKind GetTokenKind(const TLexSlot& slot, int32_t Pos);  // lxEnd past the tail
uint8_t GetTokenCode(const TLexSlot& slot, int32_t Pos);   // tcEnd past the tail

}  // namespace korvel
