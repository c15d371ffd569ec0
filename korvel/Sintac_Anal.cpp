// The syntax check. The grammar of a formula (after lowercasing; blanks
// between tokens are skipped):
//
//   formula  = sum ;
//   sum      = [ "-" ] term { ("+" | "-") term } ;   the sign only at the start
//   term     = power { ("*" | "/") power } ;          or right after "(" or "["
//   power    = operand { "^" operand } ;
//   operand  = number | variable | constant | function "(" sum ")"
//            | "(" sum ")" | "[" sum "]" ;            [s] is |s|
//   function = "sqr" | "sqrt" | "exp" | "ln" | "sin" | "cos" | "tg" | "ctg"
//            | "arcsin" | "arccos" | "arctg" | "arcctg" ;
//   variable = "x" | "a" | "b" | "c" ;
//   constant = "pi" | "e" ;
//   number   = digit { digit | "." } ;               at most one "."
//
// Every binary operator groups to the left (2^3^2 is (2^3)^2); the leading
// sign applies to the whole first term (-x^2 is -(x^2)). The priorities are
// those of TokenTable, used by the reduction in Interp.cpp. The check below
// is a state machine over the token kinds with one counter per bracket kind,
// so "(" ")" and "[" "]" each balance but are not matched with each other.
#include "korvel/Sintac_Anal.h"

#include "korvel/Header.h"

namespace korvel {
namespace {

struct TCheckState {
  uint8_t Kinds;   // allowed token kinds, bit per TLexKind
  uint32_t Codes;  // allowed token codes, bit per code below 32
};

constexpr uint8_t K(TLexKind k) { return static_cast<uint8_t>(1u << k); }
constexpr uint32_t C(uint8_t c) { return 1u << c; }

constexpr uint8_t OperandKinds = K(lxFunction) | K(lxNumber) | K(lxVariable) | K(lxConstant);
constexpr TCheckState csStart{OperandKinds, C(tcSub) | C(tcModOpen) | C(tcParOpen)};
constexpr TCheckState csAfterOperand{K(lxOperator) | K(lxEnd), C(tcModClose) | C(tcParClose)};
constexpr TCheckState csAfterFunction{0, C(tcParOpen)};
constexpr TCheckState csAfterOperator{OperandKinds, C(tcModOpen) | C(tcParOpen)};

bool Allowed(const TCheckState& s, TLexKind kind, uint8_t code) {
  return ((s.Kinds >> kind) & 1u) != 0 || (code < 32 && ((s.Codes >> code) & 1u) != 0);
}

}  // namespace

int32_t CheckSyntax(const TLexSlot& slot) {
  const TCheckState* state = &csStart;
  int32_t i = 0;
  int32_t ParenCount = 0;
  int32_t BarCount = 0;
  int32_t OperandCount = 0;
  for (;; ++i) {
    const TLexKind kind = GetTokenKind(slot, i);
    if (kind == lxEnd) break;
    const uint8_t code = GetTokenCode(slot, i);
    if (!Allowed(*state, kind, code)) return ecSyntax;
    switch (kind) {
      case lxBracket:
        switch (code) {
          case tcParOpen: ++ParenCount; state = &csStart; break;
          case tcParClose: --ParenCount; state = &csAfterOperand; break;
          case tcModOpen: ++BarCount; state = &csStart; break;
          default: --BarCount; state = &csAfterOperand; break;
        }
        if (ParenCount < 0) return ecCloseBeforeOpen;
        if (BarCount < 0) return ecBarCloseBeforeOpen;
        break;
      case lxFunction:
        state = &csAfterFunction;
        break;
      case lxNumber:
      case lxVariable:
      case lxConstant:
        ++OperandCount;
        state = &csAfterOperand;
        break;
      case lxOperator:
        state = &csAfterOperator;
        break;
      default:
        break;
    }
  }
  if (i == 0 || OperandCount == 0) return ecNoFormula;
  if (state != &csAfterOperand) return ecBadEnd;
  if (ParenCount != 0) return ecExtraOpen;
  if (BarCount != 0) return ecExtraBar;
  return 0;
}

}  // namespace korvel
