#pragma once
// The power function for real exponents, with odd roots of negative numbers.
#include <cstdint>
#include <stdexcept>

namespace korvel {

// 0 raised to a negative power, or a negative base with an exponent that is
// neither an integer nor the reciprocal of an odd integer.
class EPower : public std::domain_error {
 public:
  EPower(long double Base, long double Exp);
};

// e^(Exp * ln Base); meant for Base > 0. An overflow gives infinity.
long double PosPower(long double Base, long double Exp);

// Base^N by repeated multiplication, for N in (-2^63, 2^63). Throws EPower
// for 0 raised to a negative N. Power gives exactly this for integral
// exponents in that range.
long double PowerInt(long double Base, int64_t N);

// Base^Exp. Throws EPower as above. An overflow gives infinity; a negative
// base whose exponent (or its reciprocal) is integral but beyond the 64-bit
// range gives NaN, as the invalid conversion it would be.
long double Power(long double Base, long double Exp);

}  // namespace korvel
