#include "korvel/Pow.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace korvel {
namespace {

constexpr long double Two63 = 9223372036854775808.0L;  // 2^63

// Fixed notation with two decimals, "." whatever the locale.
std::string Fixed2(long double v) {
  std::string out(5000, '\0');  // the widest finite extended real in fixed notation
  auto r = std::to_chars(out.data(), out.data() + out.size(), v, std::chars_format::fixed, 2);
  out.resize(r.ec == std::errc() ? static_cast<size_t>(r.ptr - out.data()) : 0);
  return out;
}

std::string PowerMessage(long double Base, long double Exp) {
  return "Exception raised in Power function. Base=" + Fixed2(Base) + " Exp=" + Fixed2(Exp);
}

// |n| >= 1: repeated squaring, exact for small results and within a few ulps
// otherwise, where e^(n ln b) would carry the error of the logarithm times n.
long double IntPower(long double b, uint64_t n) {
  long double r = 1.0L;
  while (true) {
    if (n & 1) r *= b;
    n >>= 1;
    if (n == 0) return r;
    b *= b;
  }
}

// Base > 0, Exp integral with |Exp| < 2^63.
long double PosIntPower(long double Base, long double Exp) {
  if (Exp >= 0) return IntPower(Base, static_cast<uint64_t>(Exp));
  return 1.0L / IntPower(Base, static_cast<uint64_t>(-Exp));
}

bool Integral(long double v) { return std::trunc(v) == v; }

}  // namespace

EPower::EPower(long double Base, long double Exp) : std::domain_error(PowerMessage(Base, Exp)) {}

long double PosPower(long double Base, long double Exp) { return std::exp(Exp * std::log(Base)); }

long double Power(long double Base, long double Exp) {
  if (std::isnan(Base) || std::isnan(Exp)) return std::numeric_limits<long double>::quiet_NaN();
  const bool smallInt = Integral(Exp) && std::fabs(Exp) < Two63;
  if (Base == 0) {
    if (Exp == 0) return 1.0L;
    if (Exp > 0) return 0.0L;
    throw EPower(Base, Exp);
  }
  if (Base > 0) return smallInt ? PosIntPower(Base, Exp) : PosPower(Base, Exp);
  if (Integral(Exp)) {
    // The parity needs the exponent as a 64-bit integer.
    if (!smallInt) return std::numeric_limits<long double>::quiet_NaN();
    long double r = PosIntPower(-Base, Exp);
    return (static_cast<int64_t>(Exp) % 2 != 0) ? -r : r;
  }
  const long double inv = 1.0L / Exp;
  if (Integral(inv)) {
    if (!(std::fabs(inv) < Two63)) return std::numeric_limits<long double>::quiet_NaN();
    // Integral, so rounding to nearest (halves to even) is the value itself.
    if (static_cast<int64_t>(std::nearbyint(inv)) % 2 != 0) return -PosPower(-Base, Exp);
  }
  throw EPower(Base, Exp);
}

}  // namespace korvel
