#pragma once
// Inline core of the guarded math, shared by the public routines of FuncsUnit
// and by the evaluator of objFunc, which needs them inlined for speed; the
// out-of-line parts are in EngineMath.cpp.
//
// Faults are detected by testing results: every argument reaching these
// routines is finite, so a non-finite result means an overflow, an invalid
// operation or a division by zero. Where a fault of an intermediate step
// could be hidden by a later step (1/N in a root, E*ln B in a power), that
// step is tested on its own. Underflow and inexact results pass.
#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "orvanta/engine/EngineCodes.h"

namespace orv_engine {

// The extended reals nearest to pi and pi/2.
inline constexpr long double kPi = 0xc.90fdaa22168c235p-2L;
inline constexpr long double kPiHalf = 0xc.90fdaa22168c235p-3L;
// The formula language's constant "e": the extended real nearest to 2.718281828.
inline constexpr long double kE = 2.718281828L;

constexpr int32_t kFault = errOverflow;  // overflow, invalid operation, division by zero

inline bool Finite(long double v) { return __builtin_isfinite(v); }

constexpr int kFaultFlags = FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO;

// Clears on exit the fault flags of the floating-point unit that were raised
// in its scope, so that callers never see the faults the engine handled.
class FpFlagsGuard {
 public:
  FpFlagsGuard() : before_(fetestexcept(kFaultFlags)) {}
  ~FpFlagsGuard() {
    const int raised = fetestexcept(kFaultFlags) & ~before_;
    if (raised) feclearexcept(raised);
  }
  FpFlagsGuard(const FpFlagsGuard&) = delete;
  FpFlagsGuard& operator=(const FpFlagsGuard&) = delete;

 private:
  int before_;
};

// The value of a plain decimal text (digits, at most one ".", optional sign
// and exponent), read without regard to the C locale. False when the text is
// malformed or its value lies beyond the extended range.
bool DecimalToExt(const char* text, size_t len, long double* value);

inline bool HasFraction(long double v) { return __builtin_truncl(v) != v; }

// Base^Exponent. Small natural exponents multiply (exact where the product
// is representable); everything else goes through powl, which is the
// e^(Exponent*ln Base) of the definition computed with less rounding.
inline long double Power(int32_t& Err, long double B, long double E) {
  if (B < 0 && HasFraction(E)) { Err = errNegativeFracPower; return 0; }
  if (B == 0) {
    if (E < 0) { Err = errZeroPower; return 0; }
    return 0;
  }
  if (E == 2) { long double r = B * B; if (!Finite(r)) { Err = kFault; return 0; } return r; }
  if (E == 3) { long double r = B * B * B; if (!Finite(r)) { Err = kFault; return 0; } return r; }
  if (E == 1) return B;
  if (E == 0) return 1;
  long double a = B < 0 ? -B : B;
  if (E > 1e4927L || E < -1e4927L) {
    // Only here can E*ln|B| itself overflow, which the definition counts as a fault.
    if (!Finite(E * __builtin_logl(a))) { Err = kFault; return 0; }
  }
  // powl can raise the overflow flag for a finite result; only a real
  // overflow may leave it (the caller clears the flags of its faults).
  const int before = fetestexcept(kFaultFlags);
  long double r = __builtin_powl(a, E);
  if (!Finite(r)) { Err = kFault; return 0; }
  const int spurious = fetestexcept(kFaultFlags) & ~before;
  if (spurious) feclearexcept(spurious);
  if (B < 0 && HasFraction(E / 2)) r = -r;
  return r;
}

// N@Y, the N-th root of Y: e^(ln Y * (1/N)).
inline long double Root(int32_t& Err, long double N, long double Y) {
  if (Y < 0 && HasFraction(N)) { Err = errNegativeFracPower; return 0; }
  if (Y == 0) {
    if (N < 0) { Err = errZeroPower; return 0; }
    return 0;
  }
  if (N == 0) { Err = kFault; return 0; }  // 1/N divides by zero
  long double inv = 1 / N;
  if (!Finite(inv)) { Err = kFault; return 0; }
  long double a = Y < 0 ? -Y : Y;
  long double t = __builtin_logl(a) * inv;
  if (!Finite(t)) { Err = kFault; return 0; }
  long double r;
  if (N == 1) r = a;
  else if (N == 2) r = __builtin_sqrtl(a);
  else if (N == 3) r = __builtin_cbrtl(a);
  else r = __builtin_expl(t);
  if (!Finite(r)) { Err = kFault; return 0; }
  if (Y < 0) {
    if (!HasFraction(N / 2)) { Err = errNegativeFracPower; return 0; }  // even root of a negative number
    return -r;
  }
  return r;
}

// Num/Den of tg and ctg; a zero Den fails with the function's own ZeroErr.
inline long double Ratio(int32_t& Err, long double Num, long double Den, int32_t ZeroErr) {
  if (Den == 0) { Err = ZeroErr; return 0; }
  long double r = Num / Den;
  if (!Finite(r)) { Err = kFault; return 0; }
  return r;
}

// One sincosl reduces the argument once; its sine and cosine are the bits
// of sinl and cosl.
inline long double Tg(int32_t& Err, long double X) {
  long double s, c;
  ::sincosl(X, &s, &c);
  return Ratio(Err, s, c, errTgArgument);
}

inline long double Ctg(int32_t& Err, long double X) {
  long double s, c;
  ::sincosl(X, &s, &c);
  return Ratio(Err, c, s, errCtgArgument);
}

inline long double ArcSin(int32_t& Err, long double X) {
  if (X < -1 || X > 1) { Err = errArcSinArgument; return 0; }
  if (X == -1) return -kPiHalf;
  if (X == 1) return kPiHalf;
  return __builtin_asinl(X);
}

inline long double ArcCos(int32_t& Err, long double X) {
  if (X < -1 || X > 1) { Err = errArcCosArgument; return 0; }
  if (X == -1) return kPi;
  if (X == 1) return 0;
  return __builtin_acosl(X);
}

inline long double ArcTg(long double X) { return __builtin_atanl(X); }

inline long double ArcCtg(long double X) {
  if (X == 0) return kPiHalf;
  return kPiHalf - __builtin_atanl(X);
}

inline long double Sqrt(int32_t& Err, long double X) {
  if (X < 0) { Err = errSqrtNegative; return 0; }
  return __builtin_sqrtl(X);
}

inline long double Ln(int32_t& Err, long double X) {
  if (X <= 0) { Err = errLogNonPositive; return 0; }
  return __builtin_logl(X);
}

inline long double Lg(int32_t& Err, long double X) {
  if (X <= 0) { Err = errLogNonPositive; return 0; }
  return __builtin_log10l(X);
}

// n! for n = 0..1754, accumulated in extended precision; 1755! overflows.
constexpr int kMaxFact = 1754;
const long double* FactTable();

inline long double Fact(int32_t& Err, long double X) {
  if (X < 0 || HasFraction(X)) { Err = errFactArgument; return 0; }
  if (X > kMaxFact) { Err = kFault; return 0; }
  return FactTable()[static_cast<int>(X)];
}

// Both convert through a signed 64-bit integer; a value outside its range is a fault.
inline bool FitsInt64(long double v) { return v >= -0x1p63L && v < 0x1p63L; }

inline long double Rnd(int32_t& Err, long double X) {
  long double r = __builtin_nearbyintl(X);
  if (!FitsInt64(r)) { Err = kFault; return 0; }
  return static_cast<long double>(static_cast<int64_t>(r));
}

inline long double Trunc(int32_t& Err, long double X) {
  long double r = __builtin_truncl(X);
  if (!FitsInt64(r)) { Err = kFault; return 0; }
  return static_cast<long double>(static_cast<int64_t>(r));
}

inline long double Frac(long double X) { return X - __builtin_truncl(X); }

// Function Index (1..17) at X; on failure Err is the code and the result 0.
inline long double Function(int32_t Index, int32_t& Err, long double X) {
  long double r;
  switch (Index) {
    case fnSin: r = __builtin_sinl(X); break;
    case fnCos: r = __builtin_cosl(X); break;
    case fnTg: return Tg(Err, X);
    case fnCtg: return Ctg(Err, X);
    case fnArcSin: return ArcSin(Err, X);
    case fnArcCos: return ArcCos(Err, X);
    case fnArcTg: return ArcTg(X);
    case fnArcCtg: return ArcCtg(X);
    case fnSqrt: return Sqrt(Err, X);
    case fnLn: return Ln(Err, X);
    case fnLg: return Lg(Err, X);
    case fnExp: r = __builtin_expl(X); break;
    case fnAbs: return __builtin_fabsl(X);
    case fnFact: return Fact(Err, X);
    case fnRnd: return Rnd(Err, X);
    case fnTrunc: return Trunc(Err, X);
    case fnFrac: return Frac(X);
    default: return 0;
  }
  if (!Finite(r)) { Err = kFault; return 0; }
  return r;
}

}  // namespace orv_engine
