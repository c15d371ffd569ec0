#pragma once
// The power function for real exponents, with odd roots of negative numbers.
#include <cstdint>
#include <stdexcept>

namespace korvel {

// Every extended real of magnitude 2^63 or more is an integer.
constexpr long double Two63 = 9223372036854775808.0L;  // 2^63

// 0 raised to a negative power, or a negative base with an exponent that is
// neither an integer nor the reciprocal of an odd integer.
class EPower : public std::domain_error {
 public:
  EPower(long double Base, long double Exp);
};

// e^(Exp * ln Base); meant for Base > 0. An overflow gives infinity.
long double PosPower(long double Base, long double Exp);

// Base^n by repeated squaring: exact while the result fits. Each squaring
// doubles the relative error already made, so the error grows with n: up to
// MaxSquaringExp it is of the order of what e^(n ln b) loses on a large
// result, and beyond it Power takes e^(n ln b). The sign follows from the
// multiplications themselves: (-b)^n and b^n have the same magnitude, bit
// for bit.
constexpr int MaxSquaringExp = 32767;

inline long double IntPower(long double b, uint64_t n) {
  long double r = 1.0L;
  while (true) {
    if (n & 1) r *= b;
    n >>= 1;
    if (n == 0) return r;
    b *= b;
  }
}

// Base^N for |N| <= MaxSquaringExp. Throws EPower for 0 raised to a
// negative N. Power gives exactly this for integral exponents in that range.
inline long double PowerInt(long double Base, int64_t N) {
  if (Base == 0) {
    if (N == 0) return 1.0L;
    if (N > 0) return 0.0L;
    throw EPower(Base, static_cast<long double>(N));
  }
  if (N >= 0) return IntPower(Base, static_cast<uint64_t>(N));
  return 1.0L / IntPower(Base, static_cast<uint64_t>(-N));
}

// Base^Exp. Throws EPower as above. An overflow gives infinity; a negative
// base whose exponent (or its reciprocal) is integral but beyond the 64-bit
// range gives NaN, as the invalid conversion it would be.
long double Power(long double Base, long double Exp);

}  // namespace korvel
