#include "korvel/Interp.h"

#include <cmath>

#include "korvel/Header.h"
#include "korvel/Pow.h"
#include "korvel/korvel.h"

namespace korvel {

long double ArgX = 0;
long double ParamA = 0, ParamB = 0, ParamC = 0;
bool Draw = true;

namespace {

constexpr long double Pi = 3.141592653589793238462643383279502884197L;
constexpr long double E = 2.718281828459045235360287471352662497757L;
constexpr long double Two63 = 9223372036854775808.0L;

// Priorities and classes by code, copied from TokenTable for the inner loop.
struct TCodeInfo {
  int8_t Priority[TokenTableSize];
  bool Prefix[TokenTableSize];
  constexpr TCodeInfo() : Priority(), Prefix() {
    constexpr int8_t prio[TokenTableSize] = {40, 40, 45, 50, 50, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55,
                                             55, 55, 55, 100, 1, 100, 1, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < TokenTableSize; ++i) {
      Priority[i] = prio[i];
      Prefix[i] = i == tcNeg || (i >= tcSqr && i <= tcArcctg);
    }
  }
};
constexpr TCodeInfo Info;

// A failed or non-finite result: the point is undefined and 0 goes on.
inline long double Fail() {
  Draw = false;
  return 0;
}
inline long double Checked(long double v) { return std::isfinite(v) ? v : Fail(); }

long double GetVarValue(uint8_t Code) {
  switch (Code) {
    case tcX: return Checked(ArgX);
    case tcA: return Checked(ParamA);
    case tcB: return Checked(ParamB);
    case tcC: return Checked(ParamC);
    case tcPi: return Pi;
    case tcE: return E;
    default: return 0;
  }
}

// Binary handlers: the new value of the operand below the top.
inline long double OpSub(long double Below, long double Top) { return Checked(Below - Top); }
inline long double OpAdd(long double Below, long double Top) { return Checked(Below + Top); }
inline long double OpMul(long double Below, long double Top) { return Checked(Below * Top); }
inline long double OpDiv(long double Below, long double Top) { return Top == 0 ? Fail() : Checked(Below / Top); }
long double OpPower(long double Below, long double Top) {
  try {
    return Checked(Power(Below, Top));
  } catch (...) {  // EPower, or no memory for its message
    return Fail();
  }
}

// Unary handlers: the new value of the top operand.
inline long double OpNeg(long double Top) { return -Top; }
inline long double OpSqr(long double Top) { return Checked(Top * Top); }
inline long double OpSqrt(long double Top) { return Top < 0 ? Fail() : std::sqrt(Top); }
inline long double OpExp(long double Top) { return Checked(std::exp(Top)); }
inline long double OpLn(long double Top) { return Top <= 0 ? Fail() : std::log(Top); }
inline long double OpSin(long double Top) { return std::fabs(Top) >= Two63 ? 0 : std::sin(Top); }
inline long double OpCos(long double Top) { return std::fabs(Top) >= Two63 ? 0 : std::cos(Top); }
inline long double OpTg(long double Top) { return Checked(std::tan(Top)); }
inline long double OpCtg(long double Top) { return Top == 0 ? Fail() : Checked(1 / std::tan(Top)); }
inline long double OpArcsin(long double Top) {
  return (Top > 1 || Top < -1) ? Fail() : std::atan2(Top, std::sqrt(1 - Top * Top));
}
inline long double OpArccos(long double Top) {
  return (Top > 1 || Top < -1) ? Fail() : std::atan2(std::sqrt(1 - Top * Top), Top);
}
inline long double OpArctg(long double Top) { return std::atan(Top); }
inline long double OpArcctg(long double Top) {
  // atan(1/0) would be a finite pi/2; the reciprocal itself is what fails.
  if (Top == 0) return Fail();
  const long double r = 1 / Top;
  return std::isfinite(r) ? std::atan(r) : Fail();
}

// Applies operators from the top of the operator stack while the one below
// the top has at least the priority of the top one. vt and ot point one past
// the top of the operand and operator stacks.
inline __attribute__((always_inline)) void Reduce(long double*& vt, long double* const vbase, uint8_t*& ot,
                                                  uint8_t* const obase) {
  while (ot - obase >= 2) {
    const uint8_t upper = ot[-1];
    const uint8_t lower = ot[-2];
    if (Info.Priority[lower] < Info.Priority[upper]) return;
    // A function or unary minus on top still waits for its own reduction: its
    // value is the right operand of the "^" below it (2^sin(x)).
    if (Info.Prefix[upper]) return;
    const bool haveTop = vt > vbase;
    const bool haveBelow = vt - vbase >= 2;
    switch (lower) {
      case tcSub:
      case tcAdd:
      case tcMul:
      case tcDiv:
      case tcPower:
        if (haveBelow) {
          long double& below = vt[-2];
          const long double top = vt[-1];
          switch (lower) {
            case tcSub: below = OpSub(below, top); break;
            case tcAdd: below = OpAdd(below, top); break;
            case tcMul: below = OpMul(below, top); break;
            case tcDiv: below = OpDiv(below, top); break;
            default: below = OpPower(below, top); break;
          }
        }
        if (haveTop) --vt;
        ot[-2] = upper;
        --ot;
        break;
      case tcNeg:
      case tcSqr:
      case tcSqrt:
      case tcExp:
      case tcLn:
      case tcSin:
      case tcCos:
      case tcTg:
      case tcCtg:
      case tcArcsin:
      case tcArccos:
      case tcArctg:
      case tcArcctg:
        if (haveTop) {
          long double& top = vt[-1];
          switch (lower) {
            case tcNeg: top = OpNeg(top); break;
            case tcSqr: top = OpSqr(top); break;
            case tcSqrt: top = OpSqrt(top); break;
            case tcExp: top = OpExp(top); break;
            case tcLn: top = OpLn(top); break;
            case tcSin: top = OpSin(top); break;
            case tcCos: top = OpCos(top); break;
            case tcTg: top = OpTg(top); break;
            case tcCtg: top = OpCtg(top); break;
            case tcArcsin: top = OpArcsin(top); break;
            case tcArccos: top = OpArccos(top); break;
            case tcArctg: top = OpArctg(top); break;
            default: top = OpArcctg(top); break;
          }
        }
        ot[-2] = upper;
        --ot;
        break;
      case tcModOpen:  // OpModulus: only its own closing bar on top ends it
        if (upper != tcModClose) return;
        if (haveTop) vt[-1] = std::fabs(vt[-1]);
        ot -= 2;
        break;
      case tcParOpen:  // OpParen
        if (upper != tcParClose) return;
        ot -= 2;
        break;
      default:  // a closing bracket waits for its opening one
        return;
    }
  }
}

}  // namespace

long double Calculate(TLexSlot& slot) {
  const TTokenNode* tok = slot.Tokens.data();
  long double* const vbase = slot.OperandStack.data();
  uint8_t* const obase = slot.OperStack.data();
  long double* vt = vbase;
  uint8_t* ot = obase;
  bool expectOperand = true;
  for (;; ++tok) {
    switch (tok->Kind) {
      case lxNumber:
        *vt++ = tok->Value;
        expectOperand = false;
        continue;
      case lxVariable:
      case lxConstant:
        *vt++ = GetVarValue(tok->Code);
        expectOperand = false;
        continue;
      case lxOperator:
        if (!expectOperand) {
          *ot++ = tok->Code;
          Reduce(vt, vbase, ot, obase);
          expectOperand = true;
        } else if (tok->Code == tcSub) {
          *ot++ = tcNeg;  // prefix: nothing below has its right operand yet
        }
        continue;
      case lxFunction:
        if (expectOperand) *ot++ = tok->Code;
        continue;
      case lxBracket:
        *ot++ = tok->Code;
        Reduce(vt, vbase, ot, obase);
        continue;
      case lxEnd:
        break;
      default:
        continue;
    }
    break;
  }
  *ot++ = tcEnd;
  Reduce(vt, vbase, ot, obase);
  return vt > vbase ? vbase[0] : 0;
}

}  // namespace korvel

using namespace korvel;

extern "C" KORVEL_API uint8_t GetDraw(void) { return Draw ? 1 : 0; }

extern "C" KORVEL_API void Init_ABC(long double A, long double B, long double C) {
  FpGuard guard;
  ParamA = A;
  ParamB = B;
  ParamC = C;
}

extern "C" KORVEL_API long double Interpret(long double X) {
  FpGuard guard;
  ArgX = X;
  Draw = true;
  TLexSlot* slot = SelectedSlot();
  if (slot == nullptr || !slot->Compiled) {
    Draw = false;
    return 0;
  }
  return Calculate(*slot);
}
