#include "korvel/Pow.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace korvel {
namespace {

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

// v rounded to the nearest integer, |v| < 2^63. The x87 store rounds with the
// current mode, which the exports keep at nearest; a cast would switch the
// mode to truncation and back on every call.
int64_t RoundToInt64(long double v) {
#if defined(__x86_64__) || defined(__i386__)
  int64_t r;
  __asm__("fistpll %0" : "=m"(r) : "t"(v) : "st");
  return r;
#else
  return std::llrint(v);
#endif
}

bool Integral(long double v) { return !(std::fabs(v) < Two63) || static_cast<long double>(RoundToInt64(v)) == v; }

}  // namespace

EPower::EPower(long double Base, long double Exp) : std::domain_error(PowerMessage(Base, Exp)) {}

long double PosPower(long double Base, long double Exp) { return std::exp(Exp * std::log(Base)); }

long double Power(long double Base, long double Exp) {
  if (std::isnan(Base) || std::isnan(Exp)) return std::numeric_limits<long double>::quiet_NaN();
  const bool integral = Integral(Exp);
  if (integral && std::fabs(Exp) <= MaxSquaringExp) return PowerInt(Base, RoundToInt64(Exp));
  if (Base == 0) {
    if (Exp > 0) return 0.0L;
    throw EPower(Base, Exp);
  }
  if (Base > 0) return PosPower(Base, Exp);
  // The parity of the exponent, or of its reciprocal, needs a 64-bit integer.
  if (integral) {
    if (!(std::fabs(Exp) < Two63)) return std::numeric_limits<long double>::quiet_NaN();
    const long double r = PosPower(-Base, Exp);
    return (RoundToInt64(Exp) % 2 != 0) ? -r : r;
  }
  const long double inv = 1.0L / Exp;
  if (Integral(inv)) {
    if (!(std::fabs(inv) < Two63)) return std::numeric_limits<long double>::quiet_NaN();
    if (RoundToInt64(inv) % 2 != 0) return -PosPower(-Base, Exp);
  }
  throw EPower(Base, Exp);
}

}  // namespace korvel
