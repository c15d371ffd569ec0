#include "korvel/Interp.h"

#include <cmath>
#include <limits>
#include <vector>

#include "korvel/Header.h"
#include "korvel/Pow.h"
#include "korvel/korvel.h"

namespace korvel {

// x, a, b, c as the steps read them: a value that is not finite is kept as
// 0, and the point is undefined when the formula reads it.
long double ArgX = 0;
long double ParamA = 0, ParamB = 0, ParamC = 0;
bool Draw = true;

namespace {

constexpr long double Pi = 3.141592653589793238462643383279502884197L;
constexpr long double E = 2.718281828459045235360287471352662497757L;
constexpr long double Two63 = 9223372036854775808.0L;

bool BadA = false, BadB = false, BadC = false;

// A value the x87 unit computes with: not an infinity or NaN, and not one of
// the unnormal encodings that no operation produces (the unit compares them
// as unordered).
long double Sanitized(long double v, bool& bad) {
  bad = !(std::fabs(v) <= std::numeric_limits<long double>::max());
  return bad ? 0 : v;
}

// Priorities and prefix operators by token code, for the reduction.
struct TCodeInfo {
  int8_t Priority[TokenTableSize];
  bool Prefix[TokenTableSize];  // a function or the unary minus
  constexpr TCodeInfo() : Priority(), Prefix() {
    for (int i = 0; i < TokenTableSize; ++i) {
      Priority[i] = static_cast<int8_t>(TokenTable[i].Priority);
      Prefix[i] = (TokenTable[i].OpClass & ocUnary) != 0;
    }
  }
};
constexpr TCodeInfo Info;

// Step codes (TCalcStep::Code). Operations keep their token codes 0..17: a
// binary one combines the operand below the top with the top.
constexpr uint8_t scPush = 32;      // push *Src
constexpr uint8_t scModulus = 33;   // top := |top|
constexpr uint8_t scEnd = 34;       // the result is the bottom operand
constexpr uint8_t scCombined = 64;  // scCombined + a binary token code: top := top op *Src
constexpr uint8_t scPowerInt = 80;  // top := top ^ N
constexpr uint8_t scPushPowerInt = 81;  // push (*Src) ^ N

// A failed or non-finite result: the point is undefined and 0 goes on.
inline long double Fail() {
  Draw = false;
  return 0;
}
// An operation that is not guarded gave no finite value: the whole point is
// undefined and Interpret gives 0.
bool Poisoned = false;

template <bool C>
inline long double Unguarded(long double v) {
  if constexpr (C) {
    if (!std::isfinite(v)) {
      Poisoned = true;
      return Fail();
    }
  }
  return v;
}

// With C false the value is taken as it is: the caller detects a non-finite
// step afterwards from the x87 flags (see Calculate).
template <bool C>
inline long double Checked(long double v) {
  if constexpr (C) return std::isfinite(v) ? v : Fail();
  return v;
}

// Binary handlers: the new value of the operand below the top.
template <bool C>
inline long double OpSub(long double Below, long double Top) { return Unguarded<C>(Below - Top); }
template <bool C>
inline long double OpAdd(long double Below, long double Top) { return Unguarded<C>(Below + Top); }
template <bool C>
inline long double OpMul(long double Below, long double Top) { return Unguarded<C>(Below * Top); }
template <bool C>
inline long double OpDiv(long double Below, long double Top) { return Top == 0 ? Fail() : Checked<C>(Below / Top); }
template <bool C>
long double OpPower(long double Below, long double Top) {
  try {
    return Checked<true>(Power(Below, Top));  // its NaN of an out-of-range parity raises no flag
  } catch (...) {  // EPower, or no memory for its message
    return Fail();
  }
}
template <bool C>
long double OpPowerInt(long double Below, int N) {
  if (Below == 0 && N < 0) return Fail();  // the one EPower of an integral exponent
  if (N == 2) return Checked<C>(Below * Below);  // what PowerInt does, bit for bit
  return Checked<C>(PowerInt(Below, N));
}

// Unary handlers: the new value of the top operand.
template <bool C>
inline long double OpNeg(long double Top) { return -Top; }
template <bool C>
inline long double OpSqr(long double Top) { return Unguarded<C>(Top * Top); }
template <bool C>
inline long double OpSqrt(long double Top) { return Top < 0 ? Fail() : std::sqrt(Top); }
template <bool C>
inline long double OpExp(long double Top) { return Checked<C>(std::exp(Top)); }
template <bool C>
inline long double OpLn(long double Top) { return Top <= 0 ? Fail() : std::log(Top); }
template <bool C>
inline long double OpSin(long double Top) { return std::fabs(Top) >= Two63 ? 0 : std::sin(Top); }
template <bool C>
inline long double OpCos(long double Top) { return std::fabs(Top) >= Two63 ? 0 : std::cos(Top); }
template <bool C>
inline long double OpTg(long double Top) { return Checked<C>(std::tan(Top)); }
template <bool C>
inline long double OpCtg(long double Top) { return Top == 0 ? Fail() : Checked<C>(1 / std::tan(Top)); }
template <bool C>
inline long double OpArcsin(long double Top) {
  return (Top > 1 || Top < -1) ? Fail() : std::atan2(Top, std::sqrt(1 - Top * Top));
}
template <bool C>
inline long double OpArccos(long double Top) {
  return (Top > 1 || Top < -1) ? Fail() : std::atan2(std::sqrt(1 - Top * Top), Top);
}
template <bool C>
inline long double OpArctg(long double Top) { return std::atan(Top); }
template <bool C>
inline long double OpArcctg(long double Top) {
  // atan(1/0) would be a finite pi/2; the reciprocal itself is what fails.
  if (Top == 0) return Fail();
  const long double r = 1 / Top;
  if constexpr (C) {
    if (!std::isfinite(r)) return Fail();
  }
  return std::atan(r);
}

// Builds the steps of one slot: the operator stack holds codes, the operand
// stack only its depth, since the values come at each point.
class TStepBuilder {
 public:
  TStepBuilder(TLexSlot& slot, std::vector<TCalcStep>& steps) : Slot(slot), Steps(steps) {}

  void PushOperand(const TTokenNode& tok) {
    TCalcStep s{tok.Value, nullptr, Depth, 0, scPush};
    switch (tok.Code) {
      case tcX: s.Src = &ArgX; Slot.UsesX = true; break;
      case tcA: s.Src = &ParamA; Slot.UsesA = true; break;
      case tcB: s.Src = &ParamB; Slot.UsesB = true; break;
      case tcC: s.Src = &ParamC; Slot.UsesC = true; break;
      case tcPi: s.Value = Pi; break;
      case tcE: s.Value = E; break;
      default: break;  // a number literal
    }
    Steps.push_back(s);
    ++Depth;
    if (Depth > MaxDepth) MaxDepth = Depth;
  }
  void PushPrefix(uint8_t Code) { OperStack.push_back(Code); }
  void PushOper(uint8_t Code) {
    OperStack.push_back(Code);
    Reduce();
  }
  int32_t Finish() {
    PushOper(tcEnd);
    Steps.push_back(TCalcStep{0, nullptr, Depth, 0, scEnd});
    return MaxDepth;
  }

 private:
  void Apply(uint8_t Code, int32_t At) {
    // A binary operation right after the push of its top operand reads that
    // operand directly instead of through the stack.
    TCalcStep* lastPush = Steps.empty() ? nullptr : &Steps.back();
    if (Code <= tcPower && lastPush != nullptr && lastPush->Code == scPush && lastPush->Depth == At + 1) {
      TCalcStep& last = *lastPush;
      last.Depth = At;
      last.Code = static_cast<uint8_t>(scCombined + Code);
      const long double k = last.Value;
      if (Code == tcPower && last.Src == nullptr && std::fabs(k) <= 32767 && std::nearbyint(k) == k) {
        // A small integral exponent: straight to PowerInt, which Power would
        // call for it. When the base was pushed just before, one step does both.
        const int16_t n = static_cast<int16_t>(k);
        Steps.pop_back();
        TCalcStep* base = Steps.empty() ? nullptr : &Steps.back();
        if (base != nullptr && base->Code == scPush && base->Depth == At) {
          base->Code = scPushPowerInt;
          base->N = n;
        } else {
          Steps.push_back(TCalcStep{0, nullptr, At, n, scPowerInt});
        }
      }
      return;
    }
    Steps.push_back(TCalcStep{0, nullptr, At, 0, Code});
  }
  void DeleteLower() { OperStack.erase(OperStack.end() - 2); }

  // Applies operators from the top of the operator stack while the one below
  // the top has at least the priority of the top one.
  void Reduce() {
    while (OperStack.size() >= 2) {
      const uint8_t upper = OperStack.back();
      const uint8_t lower = OperStack[OperStack.size() - 2];
      if (Info.Priority[lower] < Info.Priority[upper]) return;
      // A function or unary minus on top still waits for its own reduction:
      // its value is the right operand of the "^" below it (2^sin(x)).
      if (Info.Prefix[upper]) return;
      switch (lower) {
        case tcSub:
        case tcAdd:
        case tcMul:
        case tcDiv:
        case tcPower:
          if (Depth >= 2) Apply(lower, Depth - 2);  // the result replaces the operand below the top
          if (Depth >= 1) --Depth;
          DeleteLower();
          break;
        case tcModOpen:  // OpModulus: only its own closing bar on top ends it
          if (upper != tcModClose) return;
          if (Depth >= 1) Steps.push_back(TCalcStep{0, nullptr, Depth - 1, 0, scModulus});
          OperStack.resize(OperStack.size() - 2);
          break;
        case tcParOpen:  // OpParen
          if (upper != tcParClose) return;
          OperStack.resize(OperStack.size() - 2);
          break;
        default:
          if (!Info.Prefix[lower]) return;  // a closing bracket waits for its opening one
          if (Depth >= 1) Steps.push_back(TCalcStep{0, nullptr, Depth - 1, 0, lower});
          DeleteLower();
          break;
      }
    }
  }

  TLexSlot& Slot;
  std::vector<TCalcStep>& Steps;
  std::vector<uint8_t> OperStack;
  int32_t Depth = 0;
  int32_t MaxDepth = 0;
};

}  // namespace

void BuildSteps(TLexSlot& slot) {
  std::vector<TCalcStep> steps;
  slot.UsesX = slot.UsesA = slot.UsesB = slot.UsesC = false;
  TStepBuilder b(slot, steps);
  bool expectOperand = true;
  for (const TTokenNode& tok : slot.Tokens) {
    const uint8_t code = tok.Code;
    switch (tok.Kind) {
      case lxNumber:
      case lxConstant:
      case lxVariable:
        b.PushOperand(tok);
        expectOperand = false;
        continue;
      case lxOperator:
        if (!expectOperand) {
          b.PushOper(code);
          expectOperand = true;
        } else if (code == tcSub) {
          b.PushPrefix(tcNeg);  // nothing below has its right operand yet
        }
        continue;
      case lxFunction:
        if (expectOperand) b.PushPrefix(code);
        continue;
      case lxBracket:
        b.PushOper(code);
        continue;
      case lxEnd:
        break;
      default:
        continue;
    }
    break;
  }
  const int32_t maxDepth = b.Finish();
  std::vector<long double> operands(static_cast<size_t>(maxDepth) + 1, 0.0L);
  // Literal operands are read through Src too; the steps no longer move.
  slot.UsesLibm = false;
  for (TCalcStep& s : steps) {
    if (s.Src == nullptr) s.Src = &s.Value;
    if (s.Code == tcPower || s.Code == scCombined + tcPower || (s.Code >= tcExp && s.Code <= tcArcctg))
      slot.UsesLibm = true;
  }
  slot.Steps.swap(steps);
  slot.OperandStack.swap(operands);
}

namespace {

// The top of the operand stack stays in a local, which the compiler keeps in
// a register; the operand at position p below it lives in mem[p + 1]. Going
// through memory for every step would stall on each 80-bit store and reload.
template <bool C>
long double Replay(TLexSlot& slot) {
  long double* const mem = slot.OperandStack.data();
  long double top = 0;
  for (const TCalcStep* s = slot.Steps.data();; ++s) {
    switch (s->Code) {
      case scPush:
        mem[s->Depth] = top;  // the old top, or a spare cell at depth 0
        top = *s->Src;
        break;
      case tcSub: top = OpSub<C>(mem[s->Depth + 1], top); break;
      case tcAdd: top = OpAdd<C>(mem[s->Depth + 1], top); break;
      case tcMul: top = OpMul<C>(mem[s->Depth + 1], top); break;
      case tcDiv: top = OpDiv<C>(mem[s->Depth + 1], top); break;
      case tcPower: top = OpPower<C>(mem[s->Depth + 1], top); break;
      case scCombined + tcSub: top = OpSub<C>(top, *s->Src); break;
      case scCombined + tcAdd: top = OpAdd<C>(top, *s->Src); break;
      case scCombined + tcMul: top = OpMul<C>(top, *s->Src); break;
      case scCombined + tcDiv: top = OpDiv<C>(top, *s->Src); break;
      case scCombined + tcPower: top = OpPower<C>(top, *s->Src); break;
      case scPowerInt: top = OpPowerInt<C>(top, s->N); break;
      case scPushPowerInt:
        mem[s->Depth] = top;
        top = OpPowerInt<C>(*s->Src, s->N);
        break;
      case tcNeg: top = OpNeg<C>(top); break;
      case tcSqr: top = OpSqr<C>(top); break;
      case tcSqrt: top = OpSqrt<C>(top); break;
      case tcExp: top = OpExp<C>(top); break;
      case tcLn: top = OpLn<C>(top); break;
      case tcSin: top = OpSin<C>(top); break;
      case tcCos: top = OpCos<C>(top); break;
      case tcTg: top = OpTg<C>(top); break;
      case tcCtg: top = OpCtg<C>(top); break;
      case tcArcsin: top = OpArcsin<C>(top); break;
      case tcArccos: top = OpArccos<C>(top); break;
      case tcArctg: top = OpArctg<C>(top); break;
      case tcArcctg: top = OpArcctg<C>(top); break;
      case scModulus: top = std::fabs(top); break;
      case scEnd:
        if (s->Depth <= 0) return 0;
        return s->Depth == 1 ? top : mem[1];  // the bottom operand
      default: break;
    }
  }
}

}  // namespace

long double Calculate(TLexSlot& slot, uint16_t& status) {
#if defined(__x86_64__) || defined(__i386__)
  // A step of finite operands that gives no finite value raises the x87
  // overflow, invalid or zero-divide flag. When none is up before, a run
  // without the per-step tests is exact unless one goes up; only then is the
  // point evaluated again with every step tested.
  constexpr uint16_t FailFlags = 0x0D;
  if ((status & FailFlags) == 0) {
    const bool draw = Draw;
    const long double r = Replay<false>(slot);
    status = X87Status();
    if ((status & FailFlags) == 0) return r;
    Draw = draw;
  }
  Poisoned = false;
  const long double r = Replay<true>(slot);
  status = X87Status();
  return Poisoned ? 0 : r;
#else
  Poisoned = false;
  const long double r = Replay<true>(slot);
  return Poisoned ? 0 : r;
#endif
}

}  // namespace korvel

using namespace korvel;

extern "C" KORVEL_API uint8_t GetDraw(void) { return Draw ? 1 : 0; }

extern "C" KORVEL_API void Init_ABC(long double A, long double B, long double C) {
  FpGuard guard(false);
  ParamA = Sanitized(A, BadA);
  ParamB = Sanitized(B, BadB);
  ParamC = Sanitized(C, BadC);
}

extern "C" KORVEL_API long double Interpret(long double X) {
  TLexSlot* slot = SelectedSlot();
  FpGuard guard(slot == nullptr || slot->UsesLibm);
  Draw = true;
  if (slot == nullptr || !slot->Compiled) {
    Draw = false;
    return 0;
  }
  bool badX;
  ArgX = Sanitized(X, badX);
  if ((slot->UsesX && badX) || (slot->UsesA && BadA) || (slot->UsesB && BadB) || (slot->UsesC && BadC)) {
    Draw = false;  // a NaN or infinity that the formula reads
    return 0;
  }
  try {
    uint16_t status = guard.EntryStatus();
    const long double r = Calculate(*slot, status);
    guard.ExitStatus(status);
    return r;
  } catch (...) {  // nothing throws past the handlers; kept as the boundary rule
    Draw = false;
    return 0;
  }
}
