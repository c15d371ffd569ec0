// Guarded math, the dispatcher and the message and tip tables.
#include <gtest/gtest.h>

#include <cmath>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"

namespace {

const long double kPi = 0xc.90fdaa22168c235p-2L;
const long double kPiHalf = 0xc.90fdaa22168c235p-3L;

struct Outcome {
  int32_t code;
  long double value;
};

Outcome Eval(const std::string& text, long double x = 0) {
  objFunc f;
  std::string s = text;
  f.Reset();
  f.Parse(s);
  if (f.ErrorCode) return {-f.ErrorCode, 0};
  long double r = 777;
  f.Reset();
  f.Calc(r, x);
  return {f.ErrorCode, r};
}

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

TEST(GuardedMath, OperatorCodes) {
  EXPECT_EQ(Eval("0^0").value, 0.0L);
  EXPECT_EQ(Eval("0^(0-1)").code, 5);
  EXPECT_EQ(Eval("(0-8)^(1/3)").code, 4);
  EXPECT_EQ(Eval("3@(0-8)").value, -2.0L);
  EXPECT_EQ(Eval("2@(0-4)").code, 4);
  EXPECT_EQ(Eval("2@0").value, 0.0L);
  EXPECT_EQ(Eval("(0-1)@0").code, 5);
  EXPECT_EQ(Eval("0@(0-1)").code, 11);
  EXPECT_EQ(Eval("0@5").code, 11);
  EXPECT_EQ(Eval("(0-2)^x", 3).value, -8.0L);
  EXPECT_EQ(Eval("x^(0-2)", 0).code, 5);
  EXPECT_EQ(Eval("x^0", 0).value, 0.0L);
  EXPECT_EQ(Eval("x^0", 5).value, 1.0L);
  EXPECT_EQ(Eval("x^3", -0.0L).value, 0.0L);
  EXPECT_FALSE(std::signbit(Eval("x^3", -0.0L).value));
}

TEST(GuardedMath, Inverses) {
  EXPECT_EQ(Eval("arcsin(1)").value, kPiHalf);
  EXPECT_EQ(Eval("arcsin(0-1)").value, -kPiHalf);
  EXPECT_EQ(Eval("arccos(0-1)").value, kPi);
  EXPECT_EQ(Eval("arccos(1)").value, 0.0L);
  EXPECT_EQ(Eval("arcctg(0)").value, kPiHalf);
  EXPECT_NEAR(static_cast<double>(Eval("arcctg(0-1)").value), static_cast<double>(3 * kPi / 4), 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("arcsin(0.5)").value), 0.5235987755982988, 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("arccos(0.5)").value), 1.0471975511965976, 1e-15);
  EXPECT_NEAR(static_cast<double>(Eval("arctg(1)").value), 0.7853981633974483, 1e-15);
  EXPECT_EQ(Eval("arcsin(x)", 1.0001L).code, 12);
  EXPECT_EQ(Eval("arccos(x)", -1.0001L).code, 13);
}

TEST(GuardedMath, FunctionDomains) {
  EXPECT_EQ(Eval("lg(100)").value, 2.0L);
  EXPECT_EQ(Eval("ln(0)").code, 9);
  EXPECT_EQ(Eval("lg(0-1)").code, 9);
  EXPECT_EQ(Eval("sqrt(0-0.0001)").code, 8);
  EXPECT_EQ(Eval("ctg(0)").code, 7);
  EXPECT_EQ(Eval("ctg(x)", 0).code, 7);
  EXPECT_EQ(Eval("tg(x)", 0).value, 0.0L);
  // cos of the extended pi/2 is tiny but not 0: a huge finite tangent.
  Outcome o = Eval("tg(p/2)");
  EXPECT_EQ(o.code, 0);
  EXPECT_GT(std::fabs(o.value), 1e18L);
  EXPECT_EQ(Eval("exp(1)").value, std::exp(1.0L));
}

TEST(GuardedMath, FactorialAndRounding) {
  EXPECT_EQ(Eval("fact(0)").value, 1.0L);
  EXPECT_EQ(Eval("fact(5)").value, 120.0L);
  EXPECT_EQ(Eval("fact(2.5)").code, 10);
  EXPECT_EQ(Eval("fact(0-1)").code, 10);
  EXPECT_EQ(Eval("fact(1754)").code, 0);
  EXPECT_EQ(Eval("fact(1755)").code, 11);
  EXPECT_EQ(Eval("fact(x)", 1e300L).code, 11);  // no loop for huge arguments
  EXPECT_EQ(Eval("rnd(0.5)").value, 0.0L);
  EXPECT_EQ(Eval("rnd(1.5)").value, 2.0L);
  EXPECT_EQ(Eval("rnd(2.5)").value, 2.0L);
  EXPECT_EQ(Eval("rnd(3.5)").value, 4.0L);
  EXPECT_EQ(Eval("rnd(0-2.5)").value, -2.0L);
  EXPECT_EQ(Eval("trunc(0-1.7)").value, -1.0L);
  EXPECT_EQ(Eval("frac(1.25)").value, 0.25L);
  EXPECT_EQ(Eval("frac(0-2.75)").value, -0.75L);
  EXPECT_EQ(Eval("abs(0-3)").value, 3.0L);
  EXPECT_EQ(Eval("rnd(x)", 9.2e18L).value, 9.2e18L);
  EXPECT_EQ(Eval("rnd(x)", 9.3e18L).code, 11);
  EXPECT_EQ(Eval("trunc(x)", -0x1p63L).value, -0x1p63L);
}

TEST(CalcFunction, ResetsAndDispatches) {
  long double r = 5;
  int32_t e = 9;
  CalcFunction(r, 1, e, 0);
  EXPECT_EQ(e, 0);
  EXPECT_EQ(r, 0.0L);
  CalcFunction(r, 14, e, 6);
  EXPECT_EQ(r, 720.0L);
  CalcFunction(r, 9, e, -1);
  EXPECT_EQ(e, 8);
  EXPECT_EQ(r, 0.0L);
  CalcFunction(r, 12, e, 1e6L);
  EXPECT_EQ(e, 11);
  EXPECT_EQ(r, 0.0L);
  r = 5;
  e = 3;
  CalcFunction(r, 18, e, 1);
  EXPECT_EQ(e, 0);
  EXPECT_EQ(r, 0.0L);
  CalcFunction(r, 0, e, 1);
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
