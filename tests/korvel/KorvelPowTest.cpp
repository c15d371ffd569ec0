// The power function itself: its exception and message, and what the
// evaluator's tests cannot see through "^": the range checks of its integer
// conversions and its accuracy for large integral exponents.
#include "korvel/Pow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using korvel::EPower;
using korvel::Power;

namespace {

std::string PowerError(long double base, long double exp) {
  try {
    Power(base, exp);
  } catch (const EPower& e) {
    return e.what();
  }
  return "<no EPower>";
}

TEST(KorvelPow, EPowerAndItsMessage) {
  EXPECT_EQ(PowerError(0, -1), "Exception raised in Power function. Base=0.00 Exp=-1.00");
  EXPECT_EQ(PowerError(-4, 0.5L), "Exception raised in Power function. Base=-4.00 Exp=0.50");
  EXPECT_EQ(PowerError(-1, 0.3L), "Exception raised in Power function. Base=-1.00 Exp=0.30");
  EXPECT_NE(PowerError(-8, 2.0L / 3), "<no EPower>");
  EXPECT_EQ(Power(0, 0.5L), 0.0L);
  EXPECT_EQ(Power(-2, -1), -0.5L);
  EXPECT_EQ(Power(3, 40), 12157665459056928801.0L);  // 3^40 < 2^64: exact
}

// Beyond the 64-bit range an integral exponent has no parity to take: the
// result is NaN (an invalid operation), never undefined behaviour.
TEST(KorvelPow, ConversionsAreRangeChecked) {
  const long double huge = 1e30L;
  EXPECT_TRUE(std::isnan(Power(-2, huge)));
  EXPECT_TRUE(std::isnan(Power(-2, -huge)));
  EXPECT_TRUE(std::isnan(Power(-2, 1 / huge)));
  EXPECT_TRUE(std::isnan(Power(-1, 9223372036854775808.0L)));
  EXPECT_EQ(Power(-1, 9223372036854775807.0L), -1.0L);  // the largest odd integer in range
  EXPECT_EQ(Power(-1, 4611686018427387904.0L), 1.0L);
  EXPECT_EQ(Power(-1, -9223372036854775807.0L), -1.0L);
  EXPECT_EQ(Power(2, huge), std::numeric_limits<long double>::infinity());
}

// Repeated squaring doubles the relative error at every step, so beyond a
// modest exponent it is far less accurate than e^(n ln b): (1 + 2^-40)^(2^50)
// would be off in its seventh digit.
TEST(KorvelPow, LargeIntegralExponentsKeepTheirAccuracy) {
  const long double base = 1 + std::ldexp(1.0L, -40);
  const long double n = std::ldexp(1.0L, 50);
  const long double expected = korvel::PosPower(base, n);
  EXPECT_NEAR(static_cast<double>(Power(base, n) / expected), 1.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(Power(-base, n) / expected), 1.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(Power(-base, n + 1) / (expected * base)), -1.0, 1e-15);
}

}  // namespace
