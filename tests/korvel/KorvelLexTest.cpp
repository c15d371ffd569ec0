// The scanner: characters, names, blanks and number literals.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "KorvelTestUtil.h"

using namespace korvel_test;

namespace {

TEST(KorvelLex, NamesAndCase) {
  EXPECT_EQ(Compile(1, "Sin(X)"), 0);
  EXPECT_EQ(Compile(1, "sinx"), 2);
  EXPECT_EQ(Compile(1, "x2"), 9);  // x then 2: scans, fails the check
  EXPECT_EQ(Compile(1, "2x"), 9);
  EXPECT_EQ(Compile(1, "EXP(1)"), 0);
  EXPECT_EQ(Value("exp(1)"), Value("e"));  // "exp" is the function, not e...
  EXPECT_EQ(Compile(1, "ex"), 2);
  EXPECT_EQ(Value("pi"), 3.141592653589793238462643383279502884L);
  EXPECT_EQ(Value("e"), std::exp(1.0L));
  for (const char* name : {"sqr", "sqrt", "exp", "ln", "sin", "cos", "tg", "ctg", "arcsin", "arccos", "arctg", "arcctg"})
    EXPECT_EQ(Compile(1, std::string(name) + "(x)"), 0) << name;
  for (const char* name : {"tan", "log", "abs", "pii", "xx", "ab"}) EXPECT_EQ(Compile(1, name), 2) << name;
}

TEST(KorvelLex, BlanksAndInvalidCharacters) {
  EXPECT_EQ(Compile(1, "2 + x"), 0);
  EXPECT_EQ(Value(" 2 +  x ", 3), 5.0L);
  EXPECT_EQ(Compile(1, "2\t+x"), 2);
  EXPECT_EQ(Compile(1, "2\n"), 2);
  EXPECT_EQ(Compile(1, "1,5"), 2);
  EXPECT_EQ(Compile(1, "\xF5"), 2);  // a Cyrillic letter in Windows-1251
  EXPECT_EQ(Compile(1, "x%2"), 2);
  EXPECT_EQ(Compile(1, "{x}"), 2);
}

TEST(KorvelLex, NumberLiterals) {
  EXPECT_EQ(Value("12.5"), 12.5L);
  EXPECT_EQ(Compile(1, "1.2.3"), 3);
  EXPECT_EQ(Compile(1, "1..2"), 3);
  EXPECT_EQ(Value("5."), 5.0L);
  EXPECT_EQ(Compile(1, ".5"), 2);
  EXPECT_EQ(Compile(1, "1e5"), 9);  // 1, e, 5
  EXPECT_EQ(Value("007"), 7.0L);
  // Each decimal place is divided by an exact power of ten.
  EXPECT_EQ(Value("0.001"), 1.0L / 1000);
  EXPECT_EQ(Value("0.3"), 3.0L / 10);
  EXPECT_EQ(Value("2.25"), 2.25L);
  EXPECT_EQ(Value("0.000000000000000001"), 1.0L / 1000000000000000000LL);
  // Places beyond the 18th still count and never fail.
  EXPECT_NEAR(static_cast<double>(Value("0.0000000000000000000007") * 1e22L), 7.0, 1e-9);
  const long double longFraction = Value("1." + std::string(5000, '9'));
  EXPECT_NEAR(static_cast<double>(longFraction), 2.0, 1e-15);
  EXPECT_EQ(Value("18446744073709551616"), 18446744073709551616.0L);  // 2^64, beyond any integer type
}

TEST(KorvelLex, NumbersKeepTheirPositions) {
  // Several literals, a binary minus, and numbers after a second formula.
  EXPECT_EQ(Value("2*x-3", 5), 7.0L);
  EXPECT_EQ(Value("1+2+3+4+5+6+7+8+9+10"), 55.0L);
  EXPECT_EQ(Value("0.5*x+0.25*x+12", 4), 15.0L);
}

TEST(KorvelLex, EmptyText) {
  EXPECT_EQ(Compile(1, ""), 7);
  EXPECT_EQ(Compile(1, "    "), 7);
}

}  // namespace
