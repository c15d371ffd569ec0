// The scanner: characters, names, blanks and number literals.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "KorvelTestUtil.h"

using namespace korvel_test;

namespace {

TEST(KorvelLex, CharactersAndNames) {
  const std::pair<const char*, int32_t> cases[] = {
      {"Sin(X)", 0}, {"EXP(1)", 0}, {"2 + x", 0}, {"sinx", 2}, {"ex", 2}, {"tan(x)", 2}, {"pii", 2},
      // digits end a name; the check then finds two operands side by side
      {"x2", 9}, {"2x", 9}, {"1e5", 9},
      // no other white space, separator or letter
      {"2\t+x", 2}, {"2\n", 2}, {"1,5", 2}, {"\xF5", 2}, {"x%2", 2}, {"{x}", 2},
      // a point cannot begin a number, nor appear twice in one
      {".5", 2}, {"1.2.3", 3}, {"1..2", 3}};
  for (const auto& [text, code] : cases) EXPECT_EQ(Compile(1, text), code) << "'" << text << "'";
  EXPECT_EQ(Value(" 2 +  x ", 3), 5.0L);
  EXPECT_EQ(Value("exp(1)"), Value("e"));  // "exp" is the function, not e...
  EXPECT_EQ(Value("pi"), 3.141592653589793238462643383279502884L);
  EXPECT_EQ(Value("e"), std::exp(1.0L));
}

TEST(KorvelLex, NumberLiterals) {
  EXPECT_EQ(Value("12.5"), 12.5L);
  EXPECT_EQ(Value("5."), 5.0L);
  EXPECT_EQ(Value("2*x-3", 5), 7.0L);
  EXPECT_EQ(Value("0.5*x+0.25*x+12", 4), 15.0L);
  // Each decimal place is divided by an exact power of ten.
  EXPECT_EQ(Value("0.001"), 1.0L / 1000);
  EXPECT_EQ(Value("0.3"), 3.0L / 10);
  EXPECT_EQ(Value("0.000000000000000001"), 1.0L / 1000000000000000000LL);
  // Places beyond the 18th still count and never fail.
  EXPECT_NEAR(static_cast<double>(Value("0.0000000000000000000007") * 1e22L), 7.0, 1e-9);
  EXPECT_NEAR(static_cast<double>(Value("1." + std::string(5000, '9'))), 2.0, 1e-15);
  EXPECT_EQ(Value("18446744073709551616"), 18446744073709551616.0L);  // 2^64, beyond any integer type
}

}  // namespace
