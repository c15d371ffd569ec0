// The evaluator: priorities and associativity, guarded operations and the
// Draw flag, non-finite values, the power rules, and formulas too deep or
// too long for any recursion.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "KorvelTestUtil.h"

using namespace korvel_test;

namespace {

constexpr long double Nan = std::numeric_limits<long double>::quiet_NaN();
constexpr long double Inf = std::numeric_limits<long double>::infinity();

void ExpectDefined(const std::string& text, long double x, long double expected) {
  const Point p = Eval(text, x);
  EXPECT_EQ(p.value, expected) << "'" << text << "' at " << static_cast<double>(x);
  EXPECT_EQ(p.draw, 1) << "'" << text << "' at " << static_cast<double>(x);
}

void ExpectNear(const std::string& text, long double x, long double expected) {
  const Point p = Eval(text, x);
  EXPECT_NEAR(static_cast<double>(p.value), static_cast<double>(expected), 1e-15 * (1 + std::fabs(double(expected))))
      << "'" << text << "' at " << static_cast<double>(x);
  EXPECT_EQ(p.draw, 1) << "'" << text << "' at " << static_cast<double>(x);
}

void ExpectUndefined(const std::string& text, long double x, long double expected = 0) {
  const Point p = Eval(text, x);
  EXPECT_EQ(p.value, expected) << "'" << text << "' at " << static_cast<double>(x);
  EXPECT_EQ(p.draw, 0) << "'" << text << "' at " << static_cast<double>(x);
}

TEST(KorvelEval, PrioritiesAndAssociativity) {
  ExpectDefined("-x^2", 3, -9);
  ExpectDefined("-2-3", 0, -5);
  ExpectDefined("-x+1", 2, -1);
  ExpectDefined("2^3^2", 0, 64);
  ExpectDefined("2-3-4", 0, -5);
  ExpectDefined("8/4/2", 0, 1);
  ExpectDefined("2+3*4", 0, 14);
  ExpectDefined("2*3^2", 0, 18);
  ExpectDefined("12/2*3", 0, 18);
  ExpectDefined("-x*2", 3, -6);
  ExpectDefined("-(x-1)*2", 3, -4);
  ExpectDefined("(2+3)*4", 0, 20);
  ExpectDefined("2*(3+4)-1", 0, 13);
  ExpectDefined("[x-3]", 1, 2);
  ExpectDefined("[-x]", 5, 5);
  ExpectDefined("[x-1]*2", -3, 8);
  ExpectDefined("[[x]-5]", -2, 3);
  ExpectDefined("a*x+b", 0, 0);
}

TEST(KorvelEval, FunctionsBindTheirBracketFirst) {
  // "^" waits for a function on its right: 2^sin(x) is 2 raised to sin x.
  for (long double x : {1.0L, 2.0L, -0.5L}) {
    ExpectNear("2^sin(x)", x, std::pow(2.0L, std::sin(x)));
    ExpectNear("sin(x)^2", x, std::sin(x) * std::sin(x));
    ExpectNear("2^sin(x)^3", x, std::pow(std::pow(2.0L, std::sin(x)), 3));
    ExpectNear("x^sqr(2)", x + 3, std::pow(x + 3, 4.0L));
    ExpectNear("2*sin(x)^2", x, 2 * std::sin(x) * std::sin(x));
    ExpectNear("-sin(x)^2", x, -(std::sin(x) * std::sin(x)));
    ExpectNear("sin(cos(x))", x, std::sin(std::cos(x)));
    ExpectNear("exp(-x^2/2)", x, std::exp(-(x * x) / 2));
  }
}

TEST(KorvelEval, CrossedBracketsGiveTheBottomOperand) {
  ExpectDefined("([x)]", 7, 7);
  ExpectDefined("([x)]", -7, -7);
  ExpectDefined("([x)]+1", 2, 3);
}

TEST(KorvelEval, GuardedOperationsMarkThePoint) {
  ExpectUndefined("1/x", 0);
  ExpectUndefined("1/x+5", 0, 5);
  ExpectDefined("1/x+5", 2, 5.5L);
  ExpectUndefined("0/x", 0);
  ExpectUndefined("sqrt(x)", -1);
  ExpectDefined("sqrt(x)", 0, 0);
  ExpectUndefined("ln(x)", 0);
  ExpectUndefined("ln(x)", -1);
  ExpectUndefined("arcsin(x)", 2);
  ExpectUndefined("arccos(x)", -1.5L);
  ExpectUndefined("ctg(x)", 0);
  ExpectUndefined("arcctg(x)", 0);  // although atan(1/0) would be finite
  ExpectUndefined("exp(x)", 20000);
  ExpectUndefined("x/0.5", std::numeric_limits<long double>::max());  // quotient overflow
  ExpectNear("arcctg(x)", -1, -3.141592653589793238462643383279502884L / 4);
  ExpectNear("arcsin(x)", 1, 3.141592653589793238462643383279502884L / 2);
  ExpectNear("arccos(x)", -1, 3.141592653589793238462643383279502884L);
  ExpectNear("arctg(x)", 1, 3.141592653589793238462643383279502884L / 4);
  ExpectNear("tg(x)", 1, std::tan(1.0L));
  ExpectNear("ctg(x)", 1, 1 / std::tan(1.0L));
  ExpectDefined("exp(x)", -20000, 0);  // underflow is no failure
  // A plain left operand of "+" or "*" taken after its right operand.
  ExpectUndefined("1+1/x", 0, 1);
  ExpectUndefined("3*(1/x+2)", 0, 6);
  ExpectUndefined("x*sqrt(x)+7", -4, 7);
  ExpectDefined("0.1*(x+1)", 2, 0.1L * 3);
}

TEST(KorvelEval, DrawStaysFalseWithinOnePointOnly) {
  ExpectUndefined("sqrt(x)+1/x*0+2", 0, 2);
  ExpectUndefined("1/x+sqrt(4)", 0, 2);
  ASSERT_EQ(Compile(1, "1/x"), 0);
  Interpret(0);
  EXPECT_EQ(GetDraw(), 0);
  EXPECT_EQ(Interpret(4), 0.25L);
  EXPECT_EQ(GetDraw(), 1);
}

TEST(KorvelEval, NonFiniteValuesMakeThePointUndefined) {
  // Overflow in the operations that are not guarded spoils the whole point.
  ExpectUndefined("exp(6000)*exp(6000)", 0);
  ExpectUndefined("sqr(exp(6000))", 0);
  ExpectUndefined("exp(11356)+exp(11356)", 0);
  ExpectUndefined("exp(11356)*2-1", 0);
  ExpectUndefined("1/(exp(6000)*exp(6000))+3", 0);
  ExpectUndefined("0-exp(11356)-exp(11356)+5", 0);
  // A guarded operation that overflows leaves 0 in its place and goes on.
  ExpectUndefined("exp(x)+5", 20000, 5);
  ExpectUndefined("x/0.5+5", std::numeric_limits<long double>::max(), 5);
  ExpectUndefined("10^x+5", 6000, 5);
  // NaN and infinity from the caller, when the formula reads them.
  ExpectUndefined("x", Nan);
  ExpectUndefined("x+1", Inf);
  ExpectUndefined("x*0", -Inf);
  ExpectDefined("1", Nan, 1);
  Init_ABC(Nan, Inf, 2);
  ExpectUndefined("a+c", 0);
  ExpectUndefined("b", 0);
  ExpectDefined("c*x", 3, 6);
  Init_ABC(0, 0, 0);
  ExpectDefined("a+b+c+1", 0, 1);
  // sin and cos of huge arguments are 0.
  ExpectDefined("sin(x)", 9223372036854775808.0L, 0);
  ExpectDefined("cos(x)", -9223372036854775808.0L, 0);
  ExpectNear("cos(x)", 9223372036854775807.0L / 2, std::cos(9223372036854775807.0L / 2));
}

TEST(KorvelEval, PowerRules) {
  ExpectDefined("(-2)^3", 0, -8);
  ExpectDefined("(-2)^2", 0, 4);
  ExpectDefined("(0-2)^x", 3, -8);
  ExpectDefined("x^(0-1)", 4, 0.25L);
  ExpectNear("(-8)^(1/3)", 0, -2);
  ExpectNear("x^(1/5)", -32, -2);
  ExpectNear("2^0.5", 0, std::sqrt(2.0L));
  ExpectDefined("0^0", 0, 1);
  ExpectDefined("0^3", 0, 0);
  ExpectUndefined("0^(0-1)", 0);
  ExpectUndefined("(-4)^0.5", 0);
  ExpectUndefined("(-1)^0.3", 0);
  ExpectUndefined("x^2.5", -2);
  ExpectUndefined("2^x", 100000);  // overflow
  ExpectDefined("2^x", -100000, 0);  // underflow is no failure
  ExpectDefined("10^x", 3, 1000);
  ExpectDefined("x^x", 3, 27);
  // Exponent or its reciprocal integral but beyond 64 bits: undefined.
  ExpectUndefined("(-1)^(2^70)", 0);
  ExpectUndefined("(-1)^(1/2^70)", 0);
  ExpectDefined("1^(2^70)", 0, 1);
}

TEST(KorvelEval, DeepAndLongFormulas) {
  const int depth = 200000;
  ExpectDefined(std::string(depth, '(') + "x" + std::string(depth, ')'), 3, 3);
  ExpectDefined(std::string(depth, '[') + "-x" + std::string(depth, ']'), 3, 3);
  std::string nested;
  for (int i = 0; i < 20000; ++i) nested += "sqr(";
  nested += "x";
  for (int i = 0; i < 20000; ++i) nested += ")^1";
  EXPECT_EQ(Compile(1, nested), 0);
  EXPECT_EQ(Interpret(1), 1.0L);
  std::string sum = "1";
  for (int i = 0; i < 100000; ++i) sum += "+1";
  ExpectDefined(sum, 0, 100001);
  // Right-nested: every operand stays on the stack until the innermost one.
  std::string right;
  for (int i = 0; i < 50000; ++i) right += (i % 2 == 0) ? "1+(" : "1*(";
  right += "x";
  right += std::string(50000, ')');
  ExpectDefined(right, 3, 25003);
  std::string power = "x";
  for (int i = 0; i < 100000; ++i) power += "^1";
  ExpectDefined(power, 5, 5);
}

// With an overflow flag already up on entry the library cannot tell a
// failure from the flags, and tests every step instead: both ways must give
// the same value and the same Draw, bit for bit.
TEST(KorvelEval, FlagsUpOnEntryGiveTheSameResult) {
  const char* texts[] = {"(x^3-2*x^2+3*x-1)/(x^2+1)", "1/x+5", "exp(x)*exp(x)+1", "sqrt(x)+ln(x)", "2^sin(x)",
                         "x^x-[x]", "ctg(x)/tg(x)", "arcctg(x)*arcsin(x/9)", "(-x)^(1/3)", "sqr(sqr(x))*1000"};
  const long double xs[] = {0, 1, -1, 0.5L, 3, -8, 1e30L, 1e3000L, 7000, -7000};
  for (const char* text : texts) {
    ASSERT_EQ(Compile(1, text), 0) << text;
    for (long double x : xs) {
      std::feclearexcept(FE_ALL_EXCEPT);
      const long double fast = Interpret(x);
      const uint8_t fastDraw = GetDraw();
      std::feraiseexcept(FE_OVERFLOW);
      const long double tested = Interpret(x);
      const uint8_t testedDraw = GetDraw();
      std::feclearexcept(FE_ALL_EXCEPT);
      EXPECT_EQ(std::memcmp(&fast, &tested, 10), 0) << text << " at " << static_cast<double>(x) << ": "
                                                      << static_cast<double>(fast) << " vs " << static_cast<double>(tested);
      EXPECT_EQ(fastDraw, testedDraw) << text << " at " << static_cast<double>(x);
    }
  }
}

TEST(KorvelEval, ResultIsAlwaysFinite) {
  const char* texts[] = {"1/x", "x^x", "exp(x)*exp(x)", "ln(x)*tg(x)", "ctg(x)/x", "sqr(sqr(sqr(x)))", "(-x)^(1/x)"};
  const long double xs[] = {0, -0.0L, 1e-4940L, -1, 1e4000L, -1e4000L, 1e300L, 3.5L, Nan, Inf, -Inf};
  for (const char* text : texts) {
    ASSERT_EQ(Compile(1, text), 0) << text;
    for (long double x : xs) {
      const long double v = Interpret(x);
      EXPECT_TRUE(std::isfinite(v)) << text << " at " << static_cast<double>(x);
    }
  }
}

}  // namespace
