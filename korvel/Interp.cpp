#include "korvel/Interp.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "korvel/Header.h"
#include "korvel/Pow.h"
#include "korvel/korvel.h"

namespace korvel {

// a, b, c as the steps read them: a value that is not finite is kept as 0,
// and the point is undefined when the formula reads it.
long double XOperand = 0;
long double ParamA = 0, ParamB = 0, ParamC = 0;
bool Draw = true;

namespace {

constexpr long double Pi = 3.141592653589793238462643383279502884197L;
constexpr long double E = 2.718281828459045235360287471352662497757L;

bool BadA = false, BadB = false, BadC = false;

// A value the x87 unit computes with, tested on the bits without an x87
// load: not an infinity or NaN, and not one of the unnormal encodings that no
// operation produces (a non-zero exponent with the integer bit clear, which
// the unit compares as unordered).
bool Computable(const long double& v) {
  uint64_t mantissa;
  uint16_t exponent;
  std::memcpy(&mantissa, &v, sizeof mantissa);
  std::memcpy(&exponent, reinterpret_cast<const char*>(&v) + 8, sizeof exponent);
  exponent &= 0x7FFF;
  return exponent != 0x7FFF && (exponent == 0 || (mantissa >> 63) != 0);
}

long double Sanitized(long double v, bool& bad) {
  bad = !Computable(v);
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
// Operands come in three kinds: an extended real in memory (*Src), a literal
// that a double holds exactly (Lit: loading it costs a tenth of an 80-bit
// load), and x.
constexpr uint8_t scPush = 32;      // push *Src
constexpr uint8_t scModulus = 33;   // top := |top|
constexpr uint8_t scEnd = 34;       // the result is the bottom operand
constexpr uint8_t scPushLit = 35;   // push Lit
constexpr uint8_t scPushX = 36;     // push x
constexpr uint8_t scPowerInt = 37;  // top := top ^ N
constexpr uint8_t scPushPowerInt = 38;   // push (*Src) ^ N
constexpr uint8_t scPushPowerIntX = 39;  // push x ^ N
constexpr uint8_t scCombined = 40;     // scCombined + a binary token code: top := top op *Src
constexpr uint8_t scCombinedLit = 48;  // the same with Lit
constexpr uint8_t scCombinedX = 56;    // the same with x

// A literal operand, loaded straight into the x87 unit (the compiler would
// pass it through an SSE register and the stack).
inline long double Lit(const TCalcStep* s) {
#if defined(__x86_64__) || defined(__i386__)
  long double v;
  __asm__("fldl %1" : "=t"(v) : "m"(s->Lit));
  return v;
#else
  return s->Lit;
#endif
}

// A step that calls the mathematical library (or Power, which does).
constexpr bool CallsLibm(uint8_t code) {
  const uint8_t op = (code >= scCombined) ? static_cast<uint8_t>((code - scCombined) % 8) : code;
  return op == tcPower || (code >= tcExp && code <= tcArcctg);
}

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
inline long double OpPowerInt(long double Below, int N) {
  if (Below == 0) return N < 0 ? Fail() : (N == 0 ? 1.0L : 0.0L);  // PowerInt's zero cases, less its EPower
  // What PowerInt does for 2 and 3, bit for bit, without its loop.
  if (N == 2) return Checked<C>(Below * Below);
  if (N == 3) return Checked<C>(Below * (Below * Below));
  return Checked<C>(N >= 0 ? IntPower(Below, static_cast<uint64_t>(N)) : 1.0L / IntPower(Below, static_cast<uint64_t>(-N)));
}

// Unary handlers: the new value of the top operand.
template <bool C>
inline long double OpNeg(long double Top) { return -Top; }
template <bool C>
inline long double OpSqr(long double Top) { return Unguarded<C>(Top * Top); }
template <bool C>
inline long double OpSqrt(long double Top) {
  if (Top < 0) return Fail();
#if defined(__x86_64__) || defined(__i386__)
  // What sqrtl computes, without the call it keeps for a negative argument.
  __asm__("fsqrt" : "+t"(Top));
  return Top;
#else
  return std::sqrt(Top);
#endif
}
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

// The value of one operation on literal operands, computed at compile time
// by the handler that would compute it at each point (the compile runs in
// the environment of the evaluation). False when the operation fails or
// gives no finite value: then it stays a step, and the point stays undefined.
bool FoldStep(uint8_t code, long double below, long double top, long double& r) {
  const bool draw = Draw, poisoned = Poisoned;
  Draw = true;
  Poisoned = false;
  switch (code) {
    case tcSub: r = OpSub<true>(below, top); break;
    case tcAdd: r = OpAdd<true>(below, top); break;
    case tcMul: r = OpMul<true>(below, top); break;
    case tcDiv: r = OpDiv<true>(below, top); break;
    case tcPower:
      // As the steps compute it: a small integral exponent through PowerInt.
      if (std::fabs(top) <= MaxSquaringExp && std::nearbyint(top) == top)
        r = OpPowerInt<true>(below, static_cast<int>(top));
      else
        r = OpPower<true>(below, top);
      break;
    case tcNeg: r = OpNeg<true>(top); break;
    case tcSqr: r = OpSqr<true>(top); break;
    case tcSqrt: r = OpSqrt<true>(top); break;
    case tcExp: r = OpExp<true>(top); break;
    case tcLn: r = OpLn<true>(top); break;
    case tcSin: r = OpSin<true>(top); break;
    case tcCos: r = OpCos<true>(top); break;
    case tcTg: r = OpTg<true>(top); break;
    case tcCtg: r = OpCtg<true>(top); break;
    case tcArcsin: r = OpArcsin<true>(top); break;
    case tcArccos: r = OpArccos<true>(top); break;
    case tcArctg: r = OpArctg<true>(top); break;
    case tcArcctg: r = OpArcctg<true>(top); break;
    case scModulus: r = std::fabs(top); break;
    default: Draw = false; break;
  }
  const bool ok = Draw && !Poisoned && std::isfinite(r);
  Draw = draw;
  Poisoned = poisoned;
  return ok;
}

// Builds the steps of one slot: the operator stack holds codes, the operand
// stack only its depth, since the values come at each point.
class TStepBuilder {
 public:
  TStepBuilder(TLexSlot& slot, std::vector<TCalcStep>& steps) : Slot(slot), Steps(steps) {}

  void PushOperand(const TTokenNode& tok) {
    TCalcStep s{tok.Value, nullptr, 0, Depth, 0, scPush};
    switch (tok.Code) {
      case tcX: s.Src = &XOperand; Slot.UsesX = true; break;
      case tcA: s.Src = &ParamA; Slot.UsesA = true; break;
      case tcB: s.Src = &ParamB; Slot.UsesB = true; break;
      case tcC: s.Src = &ParamC; Slot.UsesC = true; break;
      case tcPi: s.Value = Pi; break;
      case tcE: s.Value = E; break;
      default: break;  // a number literal
    }
    Steps.push_back(s);
    SetProducer(Depth, Steps.size() - 1);
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
    Steps.push_back(TCalcStep{0, nullptr, 0, Depth, 0, scEnd});
    return MaxDepth;
  }

 private:
  // The last step, when it pushes a literal to position Pos.
  TCalcStep* LiteralAt(size_t FromEnd, int32_t Pos) {
    if (Steps.size() < FromEnd) return nullptr;
    TCalcStep& s = Steps[Steps.size() - FromEnd];
    return (s.Code == scPush && s.Src == nullptr && s.Depth == Pos) ? &s : nullptr;
  }
  // A unary operation (or |...|) on the operand at Pos: folded into a
  // literal pushed just before, or a step.
  void ApplyUnary(uint8_t Code, int32_t Pos) {
    TCalcStep* lit = LiteralAt(1, Pos);
    long double r;
    if (lit != nullptr && FoldStep(Code, 0, lit->Value, r)) {
      lit->Value = r;
      return;
    }
    Steps.push_back(TCalcStep{0, nullptr, 0, Pos, 0, Code});
    SetProducer(Pos, NoPush);
  }
  void Apply(uint8_t Code, int32_t At) {
    // Both operands literals pushed just before: one literal.
    {
      TCalcStep* below = LiteralAt(2, At);
      TCalcStep* top = LiteralAt(1, At + 1);
      long double r;
      if (below != nullptr && top != nullptr && FoldStep(Code, below->Value, top->Value, r)) {
        below->Value = r;
        Steps.pop_back();
        return;
      }
    }
    // A binary operation right after the push of its top operand reads that
    // operand directly instead of through the stack.
    TCalcStep* lastPush = Steps.empty() ? nullptr : &Steps.back();
    if (Code <= tcPower && lastPush != nullptr && lastPush->Code == scPush && lastPush->Depth == At + 1) {
      TCalcStep& last = *lastPush;
      last.Depth = At;
      last.Code = static_cast<uint8_t>(scCombined + Code);
      const long double k = last.Value;
      if (Code == tcPower && last.Src == nullptr && std::fabs(k) <= MaxSquaringExp && std::nearbyint(k) == k) {
        // A small integral exponent: straight to PowerInt, which Power would
        // call for it. When the base was pushed just before, one step does both.
        const int16_t n = static_cast<int16_t>(k);
        Steps.pop_back();
        TCalcStep* base = Steps.empty() ? nullptr : &Steps.back();
        if (base != nullptr && base->Code == scPush && base->Depth == At) {
          base->Code = scPushPowerInt;
          base->N = n;
        } else {
          Steps.push_back(TCalcStep{0, nullptr, 0, At, n, scPowerInt});
        }
      }
      SetProducer(At, NoPush);
      return;
    }
    // "+" and "*" whose left operand is a plain push followed by a short
    // computation of the right one: the push goes, and the operation takes
    // the left operand directly after the right one (1+x^2 as x^2 then +1).
    // Both operations give the same bits in either order; a push has no
    // effect on Draw. The limit keeps the shift of the steps bounded.
    constexpr size_t MaxShift = 8;
    const size_t k = static_cast<size_t>(At) < Producer.size() ? Producer[static_cast<size_t>(At)] : NoPush;
    if ((Code == tcAdd || Code == tcMul) && k != NoPush && k + 1 < Steps.size() && Steps.size() - k - 1 <= MaxShift &&
        Steps[k].Code == scPush && Steps[k].Depth == At) {
      const TCalcStep left = Steps[k];
      Steps.erase(Steps.begin() + static_cast<std::ptrdiff_t>(k));
      for (size_t i = k; i < Steps.size(); ++i) --Steps[i].Depth;  // one operand fewer below them
      Steps.push_back(TCalcStep{left.Value, left.Src, 0, At, 0, static_cast<uint8_t>(scCombined + Code)});
      SetProducer(At, NoPush);
      return;
    }
    Steps.push_back(TCalcStep{0, nullptr, 0, At, 0, Code});
    SetProducer(At, NoPush);
  }
  // Producer[p]: the step that pushed the operand now at position p, when it
  // is a plain push; NoPush when a later step changed it.
  static constexpr size_t NoPush = static_cast<size_t>(-1);
  void SetProducer(int32_t Pos, size_t Index) {
    if (Pos < 0) return;
    if (Producer.size() <= static_cast<size_t>(Pos)) Producer.resize(static_cast<size_t>(Pos) + 1, NoPush);
    Producer[static_cast<size_t>(Pos)] = Index;
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
          if (Depth >= 1) ApplyUnary(scModulus, Depth - 1);
          OperStack.resize(OperStack.size() - 2);
          break;
        case tcParOpen:  // OpParen
          if (upper != tcParClose) return;
          OperStack.resize(OperStack.size() - 2);
          break;
        default:
          if (!Info.Prefix[lower]) return;  // a closing bracket waits for its opening one
          if (Depth >= 1) ApplyUnary(lower, Depth - 1);
          DeleteLower();
          break;
      }
    }
  }

  TLexSlot& Slot;
  std::vector<TCalcStep>& Steps;
  std::vector<uint8_t> OperStack;
  std::vector<size_t> Producer;
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
  // Literal operands are read through Src too; the steps no longer move. A
  // literal that a double holds exactly, and x, get step codes of their own.
  slot.UsesLibm = false;
  for (TCalcStep& s : steps) {
    const bool combined = s.Code >= scCombined && s.Code <= scCombined + tcPower;
    if (s.Src == nullptr) {
      s.Src = &s.Value;
      s.Lit = static_cast<double>(s.Value);
      if (static_cast<long double>(s.Lit) == s.Value) {
        if (s.Code == scPush) s.Code = scPushLit;
        if (combined) s.Code = static_cast<uint8_t>(s.Code - scCombined + scCombinedLit);
      }
    } else if (s.Src == &XOperand) {
      if (s.Code == scPush) s.Code = scPushX;
      if (s.Code == scPushPowerInt) s.Code = scPushPowerIntX;
      if (combined) s.Code = static_cast<uint8_t>(s.Code - scCombined + scCombinedX);
    }
    if (CallsLibm(s.Code)) slot.UsesLibm = true;
  }
  slot.Steps.swap(steps);
  slot.OperandStack.swap(operands);
}

namespace {

// The two upper operands of the stack and x stay in locals, which the
// compiler keeps in x87 registers; the operand at position p below them
// lives in mem[p]. An 80-bit store or load costs as much as several
// operations, so they are left to formulas more than two operands deep (a
// third local would be spilled to memory anyway). Without Libm the steps that
// call out never occur: the function makes no call, and nothing forces the
// locals out of the registers.
template <bool C, bool Libm>
__attribute__((noinline)) long double Replay(const TCalcStep* s, long double* const mem, const long double* const xp) {
  long double top = 0, next = 0;
  const long double x = *xp;
  const auto push = [&](long double v) {
    if (s->Depth >= 2) mem[s->Depth - 2] = next;
    next = top;
    top = v;
  };
  const auto pop = [&] {  // after a binary operation at s->Depth
    if (s->Depth >= 1) next = mem[s->Depth - 1];
  };
  // A step that calls out: unreachable in the variant without Libm.
#define KORVEL_LIBM_STEP(...)                   \
  do {                                          \
    if constexpr (!Libm) __builtin_unreachable(); \
    __VA_ARGS__;                                \
  } while (false)
  for (;; ++s) {
    switch (s->Code) {
      case scPush: push(*s->Src); break;
      case scPushLit: push(Lit(s)); break;
      case scPushX: push(x); break;
      case tcSub: top = OpSub<C>(next, top); pop(); break;
      case tcAdd: top = OpAdd<C>(next, top); pop(); break;
      case tcMul: top = OpMul<C>(next, top); pop(); break;
      case tcDiv: top = OpDiv<C>(next, top); pop(); break;
      case tcPower: KORVEL_LIBM_STEP(top = OpPower<C>(next, top); pop();); break;
      case scCombined + tcSub: top = OpSub<C>(top, *s->Src); break;
      case scCombined + tcAdd: top = OpAdd<C>(top, *s->Src); break;
      case scCombined + tcMul: top = OpMul<C>(top, *s->Src); break;
      case scCombined + tcDiv: top = OpDiv<C>(top, *s->Src); break;
      case scCombined + tcPower: KORVEL_LIBM_STEP(top = OpPower<C>(top, *s->Src);); break;
      case scCombinedLit + tcSub: top = OpSub<C>(top, Lit(s)); break;
      case scCombinedLit + tcAdd: top = OpAdd<C>(top, Lit(s)); break;
      case scCombinedLit + tcMul: top = OpMul<C>(top, Lit(s)); break;
      case scCombinedLit + tcDiv: top = OpDiv<C>(top, Lit(s)); break;
      case scCombinedLit + tcPower: KORVEL_LIBM_STEP(top = OpPower<C>(top, Lit(s));); break;
      case scCombinedX + tcSub: top = OpSub<C>(top, x); break;
      case scCombinedX + tcAdd: top = OpAdd<C>(top, x); break;
      case scCombinedX + tcMul: top = OpMul<C>(top, x); break;
      case scCombinedX + tcDiv: top = OpDiv<C>(top, x); break;
      case scCombinedX + tcPower: KORVEL_LIBM_STEP(top = OpPower<C>(top, x);); break;
      case scPowerInt: top = OpPowerInt<C>(top, s->N); break;
      case scPushPowerInt: push(OpPowerInt<C>(*s->Src, s->N)); break;
      case scPushPowerIntX: push(OpPowerInt<C>(x, s->N)); break;
      case tcNeg: top = OpNeg<C>(top); break;
      case tcSqr: top = OpSqr<C>(top); break;
      case tcSqrt: top = OpSqrt<C>(top); break;
      case tcExp: KORVEL_LIBM_STEP(top = OpExp<C>(top);); break;
      case tcLn: KORVEL_LIBM_STEP(top = OpLn<C>(top);); break;
      case tcSin: KORVEL_LIBM_STEP(top = OpSin<C>(top);); break;
      case tcCos: KORVEL_LIBM_STEP(top = OpCos<C>(top);); break;
      case tcTg: KORVEL_LIBM_STEP(top = OpTg<C>(top);); break;
      case tcCtg: KORVEL_LIBM_STEP(top = OpCtg<C>(top);); break;
      case tcArcsin: KORVEL_LIBM_STEP(top = OpArcsin<C>(top);); break;
      case tcArccos: KORVEL_LIBM_STEP(top = OpArccos<C>(top);); break;
      case tcArctg: KORVEL_LIBM_STEP(top = OpArctg<C>(top);); break;
      case tcArcctg: KORVEL_LIBM_STEP(top = OpArcctg<C>(top);); break;
      case scModulus: top = std::fabs(top); break;
      case scEnd:  // the bottom operand
        switch (s->Depth) {
          case 1: return top;
          case 2: return next;
          default: return s->Depth <= 0 ? 0 : mem[0];
        }
      default: __builtin_unreachable();  // BuildSteps makes no other code
    }
  }
#undef KORVEL_LIBM_STEP
}

}  // namespace

long double Calculate(TLexSlot& slot, const long double& x, uint16_t& status) {
#if defined(__x86_64__) || defined(__i386__)
  // A step of finite operands that gives no finite value raises the x87
  // overflow, invalid or zero-divide flag. When none is up before, a run
  // without the per-step tests is exact unless one goes up; only then is the
  // point evaluated again with every step tested.
  constexpr uint16_t FailFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
  if ((status & FailFlags) == 0) {
    const bool draw = Draw;
    const long double r = slot.UsesLibm ? Replay<false, true>(slot.Steps.data(), slot.OperandStack.data(), &x)
                                        : Replay<false, false>(slot.Steps.data(), slot.OperandStack.data(), &x);
    status = X87Status();
    if ((status & FailFlags) == 0) return r;
    Draw = draw;
  }
  Poisoned = false;
  const long double r = Replay<true, true>(slot.Steps.data(), slot.OperandStack.data(), &x);
  status = X87Status();
  return Poisoned ? 0 : r;
#else
  Poisoned = false;
  const long double r = Replay<true, true>(slot.Steps.data(), slot.OperandStack.data(), &x);
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
  if ((slot->UsesX && !Computable(X)) || (slot->UsesA && BadA) || (slot->UsesB && BadB) || (slot->UsesC && BadC)) {
    Draw = false;  // a NaN or infinity that the formula reads
    return 0;
  }
  try {
    uint16_t status = guard.EntryStatus();
    const long double r = Calculate(*slot, X, status);
    guard.ExitStatus(status);
    return r;
  } catch (...) {  // nothing throws past the handlers; kept as the boundary rule
    Draw = false;
    return 0;
  }
}
