#pragma once
// The evaluator's program: the node tree of an objFunc flattened in
// evaluation order (operands before their operation) by FormulaCompiler and
// run by FormulaEvaluator, with the operations both of them use.
//
// Operands of an operation are the value stack (S), a constant of the
// instruction (C) or x (X); leaves never fail, so folding them into the
// operation keeps the evaluation order of every failing step. The top of the
// stack is kept apart (the accumulator), so most steps touch no memory.
#include <cstdint>

#include "orvanta/engine/EngineCodes.h"
#include "orvanta/engine/EngineMath.h"
#include "orvanta/engine/FormulaNodes.h"

namespace orv_engine {

// Step codes (TInstr::Op).
enum : std::uint8_t {
  // D: the constant in its double form; T: a term D*x^k (k 1 to 3 in Code,
  // with a second constant in C for TC and CT).
  kModeSS = 0, kModeSC, kModeSX, kModeCS, kModeXS, kModeCX, kModeXC, kModeXX, kModeSD, kModeDS, kModeDX, kModeXD,
  kModeST, kModeTS, kModeTC, kModeCT, kModes,
  // Binary operations are kModes * (code - opAdd) + mode, code opAdd..opRoot.
  kPushC = opRoot * kModes, kPushD, kPushX, kPushT, kFuncS, kFuncX, kSqrS, kSqrX, kCubeS, kCubeX, kEnd,
  // The same as the first step, where the stack is empty: nothing to push.
  kLoadC, kLoadD, kLoadX, kLoadT, kLoadFuncX
};

// One step of the program.
struct TInstr {
  std::uint8_t Op = 0;
  std::int32_t Code = 0;
  double D = 0;  // the constant, where a double holds it exactly (a shorter load)
  long double C = 0;
};

// The fields of the first run come first: they share its first cache line.
struct Program {
  int32_t len = 0;                   // steps of careful, less its kEnd
  bool usesX = false;                // the program reads x
  TInstr fast[MaxFuncNodes + 1];     // careful, with terms D*x^k as single steps
  TInstr careful[MaxFuncNodes + 1];  // every operation of the tree
};

// The operations. With Careful each result is tested (see FormulaEvaluator);
// on failure they return false with the error code in e.
//
// Finiteness where a non-finite value means a fault already made: the
// subtraction raises the invalid-operation flag only then, and the failure
// path clears the flags.
inline bool FastFinite(long double v) { return v - v == 0; }

template <bool Careful>
inline bool Checked(long double r, int32_t& e) {
  if (Careful && __builtin_expect(!Finite(r), 0)) {
    e = kFault;
    return false;
  }
  return true;
}

template <bool Careful>
inline bool OpAdd(long double a, long double b, long double& r, int32_t& e) {
  r = a + b;
  return Checked<Careful>(r, e);
}
template <bool Careful>
inline bool OpSub(long double a, long double b, long double& r, int32_t& e) {
  r = a - b;
  return Checked<Careful>(r, e);
}
template <bool Careful>
inline bool OpMul(long double a, long double b, long double& r, int32_t& e) {
  r = a * b;
  return Checked<Careful>(r, e);
}
template <bool Careful>
inline bool OpDiv(long double a, long double b, long double& r, int32_t& e) {
  if (!Careful && __builtin_expect(!FastFinite(b), 0)) {  // a finite value over it would hide it
    e = kFault;
    return false;
  }
  if (__builtin_expect(b == 0, 0)) {
    e = errDivByZero;
    return false;
  }
  r = a / b;
  return Checked<Careful>(r, e);
}
template <bool Careful>
inline bool OpPow(long double a, long double b, long double& r, int32_t& e) {
  if (!Careful && __builtin_expect(!FastFinite(a) || !FastFinite(b), 0)) {
    e = kFault;
    return false;
  }
  int32_t err = 0;
  r = Power(err, a, b);
  if (__builtin_expect(err != 0, 0)) { e = err; return false; }
  return true;
}
template <bool Careful>
inline bool OpRoot(long double a, long double b, long double& r, int32_t& e) {
  if (!Careful && __builtin_expect(!FastFinite(a) || !FastFinite(b), 0)) {
    e = kFault;
    return false;
  }
  int32_t err = 0;
  r = Root(err, a, b);
  if (__builtin_expect(err != 0, 0)) { e = err; return false; }
  return true;
}
inline bool OpBinary(int32_t code, long double a, long double b, long double& r, int32_t& e) {
  switch (code) {
    case opAdd: return OpAdd<true>(a, b, r, e);
    case opSub: return OpSub<true>(a, b, r, e);
    case opMul: return OpMul<true>(a, b, r, e);
    case opDiv: return OpDiv<true>(a, b, r, e);
    case opPower: return OpPow<true>(a, b, r, e);
    case opRoot: return OpRoot<true>(a, b, r, e);
    default: e = errIncorrect; return false;
  }
}
template <bool Careful>
inline bool OpSqr(long double a, long double& r, int32_t& e) {
  r = a * a;
  return Checked<Careful>(r, e);
}
inline long double Cube(long double a) { return a == 0 ? 0 : a * a * a; }  // 0^3 is +0 like every power of 0

template <bool Careful>
inline bool OpCube(long double a, long double& r, int32_t& e) {
  r = Cube(a);
  return Checked<Careful>(r, e);
}

// A term D*x^k of the first run: the same operations as x^k, then D times it.
inline long double Term(const TInstr& in, long double X) {
  const long double d = in.D;
  switch (in.Code) {
    case 1: return d * X;
    case 2: return d * (X * X);
    default: return d * Cube(X);
  }
}
// Always inline: at -O3 the compiler's size limits left it a call of its own
// in the row loop, which cost every function step more than the step itself.
template <bool Careful>
[[gnu::always_inline]] inline bool OpFunc(int32_t code, long double a, long double& r, int32_t& e) {
  if (!Careful && __builtin_expect(!FastFinite(a), 0)) {
    e = kFault;
    return false;
  }
  // The commonest functions here, as Function computes them, which spares
  // a call and its dispatch; the others through Function.
  switch (code) {
    case fnSin: r = __builtin_sinl(a); break;
    case fnCos: r = __builtin_cosl(a); break;
    case fnExp: r = __builtin_expl(a); break;
    case fnAbs: r = __builtin_fabsl(a); return true;
    case fnSqrt:
      if (__builtin_expect(a < 0, 0)) { e = errSqrtNegative; return false; }
      r = __builtin_sqrtl(a);
      return true;
    default: {
      int32_t err = 0;
      r = Function(code, err, a);
      if (__builtin_expect(err != 0, 0)) { e = err; return false; }
      return true;
    }
  }
  if (__builtin_expect(!Finite(r), 0)) { e = kFault; return false; }
  return true;
}

}  // namespace orv_engine
