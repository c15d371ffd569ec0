// Guarded math, the dispatcher and the message and tip tables.
#include <gtest/gtest.h>

#include <cmath>

#include "EngineTestUtil.h"
#include "orvanta/engine/FuncsUnit.h"

using engtest::Eval;

namespace {

const long double kPi = 0xc.90fdaa22168c235p-2L;
const long double kPiHalf = 0xc.90fdaa22168c235p-3L;

TEST(GuardedMath, RoutinesWriteErrOnlyOnFailure) {
  int32_t e = 0;
  EXPECT_EQ(MathPower(e, -2, -1), -0.5L);
  EXPECT_EQ(MathPower(e, 2, 0.5), std::sqrt(2.0L));
  EXPECT_EQ(MathRoot(e, 2, 9), 3.0L);
  EXPECT_EQ(e, 0);
  EXPECT_EQ(MathPower(e, -8, 1.0L / 3), 0.0L);
  EXPECT_EQ(e, 4);
  e = 0;
  EXPECT_EQ(MathRoot(e, 0.5, -4), 0.0L);
  EXPECT_EQ(e, 4);
}

// Exact values where the code is 0; otherwise only the code.
TEST(GuardedMath, ValuesAndDomainCodes) {
  struct Case {
    const char* text;
    long double x;
    int32_t code;
    long double value;
  } cases[] = {
      // Powers and roots.
      {"0^0", 0, 0, 0}, {"0^(0-1)", 0, 5, 0}, {"(0-8)^(1/3)", 0, 4, 0}, {"3@(0-8)", 0, 0, -2}, {"2@(0-4)", 0, 4, 0},
      {"2@0", 0, 0, 0}, {"(0-1)@0", 0, 5, 0}, {"0@(0-1)", 0, 11, 0}, {"(0-2)^x", 3, 0, -8}, {"x^(0-2)", 0, 5, 0},
      {"x^0", 0, 0, 0}, {"x^0", 5, 0, 1},
      // Inverses at their ends.
      {"arcsin(1)", 0, 0, kPiHalf}, {"arcsin(0-1)", 0, 0, -kPiHalf}, {"arccos(0-1)", 0, 0, kPi},
      {"arccos(1)", 0, 0, 0}, {"arcctg(0)", 0, 0, kPiHalf}, {"arcsin(x)", 1.0001L, 12, 0},
      {"arccos(x)", -1.0001L, 13, 0},
      // Function domains.
      {"lg(100)", 0, 0, 2}, {"ln(0)", 0, 9, 0}, {"lg(0-1)", 0, 9, 0}, {"sqrt(0-0.0001)", 0, 8, 0},
      {"ctg(0)", 0, 7, 0}, {"ctg(x)", 0, 7, 0}, {"tg(x)", 0, 0, 0}, {"exp(1)", 0, 0, std::exp(1.0L)},
      // Factorial and rounding: half to even, through 64-bit integers with a range check.
      {"fact(0)", 0, 0, 1}, {"fact(5)", 0, 0, 120}, {"fact(2.5)", 0, 10, 0}, {"fact(0-1)", 0, 10, 0},
      {"fact(x)", 1e300L, 11, 0},  // no loop for huge arguments
      {"rnd(0.5)", 0, 0, 0}, {"rnd(1.5)", 0, 0, 2}, {"rnd(2.5)", 0, 0, 2}, {"rnd(0-2.5)", 0, 0, -2},
      {"trunc(0-1.7)", 0, 0, -1}, {"frac(0-2.75)", 0, 0, -0.75L}, {"abs(0-3)", 0, 0, 3},
      {"rnd(x)", 9.2e18L, 0, 9.2e18L}, {"rnd(x)", 9.3e18L, 11, 0}, {"trunc(x)", -0x1p63L, 0, -0x1p63L}};
  for (const Case& c : cases) {
    const engtest::Outcome o = Eval(c.text, c.x);
    EXPECT_EQ(o.code, c.code) << c.text << " at " << static_cast<double>(c.x);
    if (c.code == 0) {
      EXPECT_EQ(o.value, c.value) << c.text << " at " << static_cast<double>(c.x);
    }
  }
  EXPECT_FALSE(std::signbit(Eval("x^3", -0.0L).value));
  EXPECT_EQ(Eval("fact(1754)").code, 0);
  EXPECT_NEAR(static_cast<double>(Eval("arcctg(0-1)").value), static_cast<double>(3 * kPi / 4), 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("arcsin(0.5)").value), 0.5235987755982988, 1e-15);
  // cos of the extended pi/2 is tiny but not 0: a huge finite tangent.
  const engtest::Outcome o = Eval("tg(p/2)");
  EXPECT_EQ(o.code, 0);
  EXPECT_GT(std::fabs(o.value), 1e18L);
}

TEST(CalcFunction, ResetsTheCodeAndGivesZeroOnFailure) {
  long double r = 5;
  int32_t e = 9;
  CalcFunction(r, 14, e, 6);
  EXPECT_EQ(e, 0);
  EXPECT_EQ(r, 720.0L);
  CalcFunction(r, 12, e, 1e6L);
  EXPECT_EQ(e, 11);
  EXPECT_EQ(r, 0.0L);
  r = 5;
  e = 3;
  CalcFunction(r, 18, e, 1);  // no such function
  EXPECT_EQ(e, 0);
  EXPECT_EQ(r, 0.0L);
}

TEST(Tables, Windows1251Texts) {
  EXPECT_STREQ(ErrorMessages[3], "Деление на ноль");
  // "Деление на ноль" in Windows-1251.
  EXPECT_EQ(ErrorMessageCp1251(3), "\xC4\xE5\xEB\xE5\xED\xE8\xE5 \xED\xE0 \xED\xEE\xEB\xFC");
  EXPECT_EQ(ErrorMessageCp1251(0), "");
  EXPECT_EQ(ErrorMessageCp1251(16), "");
  EXPECT_EQ(TipCp1251(15), "");
  size_t codePoints = 0;
  for (unsigned char c : std::string(Tips[14]))
    if ((c & 0xC0) != 0x80) ++codePoints;
  EXPECT_EQ(TipCp1251(14).size(), codePoints);
}

}  // namespace
