#pragma once
// The vocabulary of the formula language, the two slots and the scanner.
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
extern const TTokenEntry TokenTable[TokenTableSize];

// One token of a slot. The value of a number literal sits in its own token, so
// reading it costs nothing however many numbers the formula holds.
struct TTokenNode {
  long double Value;  // number tokens only
  TLexKind Kind;
  uint8_t Code;
};

struct TLexSlot {
  std::vector<TTokenNode> Tokens;  // positions from 0, in the order scanned
  // The last Lexan succeeded: Tokens holds a checked formula ending with an
  // end marker and the stacks below are large enough to evaluate it.
  bool Compiled = false;
  // Evaluation stacks, sized once per compile so that a point allocates nothing.
  std::vector<long double> OperandStack;
  std::vector<uint8_t> OperStack;
};

extern int32_t CurNumber;  // the selected slot, 1 or 2
extern int32_t TokenCount; // tokens appended since the last Lex_Analiz_Init
extern TLexSlot LexSlots[2];

// The selected slot, or nullptr when CurNumber is neither 1 nor 2.
TLexSlot* SelectedSlot();

// Code of the first row whose name equals the len bytes at name; tcEnd if none.
uint8_t FindToken(const char* name, size_t len);

// 10^N for N = 1..18, exact.
int64_t TenPower(int N);

TLexKind GetTokenKind(const TLexSlot& slot, int32_t Pos);  // lxEnd past the tail
uint8_t GetTokenCode(const TLexSlot& slot, int32_t Pos);   // tcEnd past the tail
long double GetNumberValue(const TLexSlot& slot, int32_t Pos);  // 0 when no number there

}  // namespace korvel
