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
constexpr long double Max = std::numeric_limits<long double>::max();
constexpr long double Pi = 3.141592653589793238462643383279502884L;
constexpr long double Two63 = 9223372036854775808.0L;

void ExpectNear(const std::string& text, long double x, long double expected) {
  const Point p = Eval(text, x);
  EXPECT_NEAR(static_cast<double>(p.value), static_cast<double>(expected), 1e-15 * (1 + std::fabs(double(expected))))
      << "'" << text << "' at " << static_cast<double>(x);
  EXPECT_EQ(p.draw, 1) << "'" << text << "' at " << static_cast<double>(x);
}

TEST(KorvelEval, PrioritiesAndBrackets) {
  ExpectCases({{"-x^2", 3, -9, 1}, {"-2-3", 0, -5, 1}, {"-x+1", 2, -1, 1}, {"-(x-1)*2", 3, -4, 1},
               {"2^3^2", 0, 64, 1}, {"2-3-4", 0, -5, 1}, {"8/4/2", 0, 1, 1},
               {"[x-3]", 1, 2, 1}, {"[-x]", 5, 5, 1}, {"[[x]-5]", -2, 3, 1},
               // a bracket whose partner never arrives on top: the bottom operand
               {"([x)]", 7, 7, 1}, {"([x)]", -7, -7, 1}, {"([x)]+1", 2, 3, 1}});
}

TEST(KorvelEval, FunctionsBindTheirBracketFirst) {
  // "^" waits for a function on its right: 2^sin(x) is 2 raised to sin x.
  for (long double x : {1.0L, 2.0L, -0.5L}) {
    ExpectNear("2^sin(x)", x, std::pow(2.0L, std::sin(x)));
    ExpectNear("sin(x)^2", x, std::sin(x) * std::sin(x));
    ExpectNear("2^sin(x)^3", x, std::pow(std::pow(2.0L, std::sin(x)), 3));
    ExpectNear("-sin(x)^2", x, -(std::sin(x) * std::sin(x)));
  }
}

TEST(KorvelEval, GuardedOperationsMarkThePoint) {
  ExpectCases({{"1/x", 0, 0, 0}, {"1/x+5", 0, 5, 0}, {"1/x+5", 2, 5.5L, 1}, {"0/x", 0, 0, 0},
               {"sqrt(x)", -1, 0, 0}, {"sqrt(x)", 0, 0, 1}, {"ln(x)", 0, 0, 0}, {"ln(x)", -1, 0, 0},
               {"arcsin(x)", 2, 0, 0}, {"arccos(x)", -1.5L, 0, 0}, {"ctg(x)", 0, 0, 0},
               {"arcctg(x)", 0, 0, 0},  // although atan(1/0) would be finite
               {"exp(x)", 20000, 0, 0}, {"exp(x)", -20000, 0, 1},  // underflow is no failure
               {"x/0.5", Max, 0, 0},                                // quotient overflow
               // the evaluation goes on with 0, and Draw stays False
               {"sqrt(x)+1/x*0+2", 0, 2, 0}, {"1/x+sqrt(4)", 0, 2, 0},
               // a plain left operand of "+" or "*" taken after its right operand
               {"1+1/x", 0, 1, 0}, {"3*(1/x+2)", 0, 6, 0}, {"x*sqrt(x)+7", -4, 7, 0}, {"0.1*(x+1)", 2, 0.1L * 3, 1}});
  ExpectNear("arcctg(x)", -1, -Pi / 4);
  ExpectNear("arcsin(x)", 1, Pi / 2);
  ExpectNear("arccos(x)", -1, Pi);
  ExpectNear("arctg(x)", 1, Pi / 4);
  ExpectNear("tg(x)", 1, std::tan(1.0L));
  ExpectNear("ctg(x)", 1, 1 / std::tan(1.0L));
  ExpectNear("cos(x)", Two63 / 2, std::cos(Two63 / 2));
  // Draw is True again at the next point.
  ASSERT_EQ(Compile(1, "1/x"), 0);
  Interpret(0);
  EXPECT_EQ(GetDraw(), 0);
  EXPECT_EQ(Interpret(4), 0.25L);
  EXPECT_EQ(GetDraw(), 1);
}

TEST(KorvelEval, NonFiniteValuesMakeThePointUndefined) {
  ExpectCases({// an overflow in an operation that is not guarded spoils the whole point
               {"exp(6000)*exp(6000)", 0, 0, 0}, {"sqr(exp(6000))", 0, 0, 0}, {"exp(11356)+exp(11356)", 0, 0, 0},
               {"exp(11356)*2-1", 0, 0, 0}, {"1/(exp(6000)*exp(6000))+3", 0, 0, 0},
               {"0-exp(11356)-exp(11356)+5", 0, 0, 0},
               // a guarded one leaves 0 in its place and goes on
               {"exp(x)+5", 20000, 5, 0}, {"x/0.5+5", Max, 5, 0}, {"10^x+5", 6000, 5, 0},
               // NaN and infinity from the caller, when the formula reads them
               {"x", Nan, 0, 0}, {"x+1", Inf, 0, 0}, {"x*0", -Inf, 0, 0}, {"1", Nan, 1, 1},
               // sin and cos of huge arguments are 0
               {"sin(x)", Two63, 0, 1}, {"cos(x)", -Two63, 0, 1}});
  Init_ABC(Nan, Inf, 2);
  ExpectCases({{"a+c", 0, 0, 0}, {"b", 0, 0, 0}, {"c*x", 3, 6, 1}});
  Init_ABC(0, 0, 0);
  ExpectCases({{"a+b+c+1", 0, 1, 1}});
}

TEST(KorvelEval, PowerRules) {
  ExpectCases({{"(-2)^3", 0, -8, 1}, {"(-2)^2", 0, 4, 1}, {"(0-2)^x", 3, -8, 1}, {"x^(0-1)", 4, 0.25L, 1},
               {"0^0", 0, 1, 1}, {"0^3", 0, 0, 1}, {"0^(0-1)", 0, 0, 0}, {"(-4)^0.5", 0, 0, 0},
               {"(-1)^0.3", 0, 0, 0}, {"x^2.5", -2, 0, 0}, {"2^x", 100000, 0, 0}, {"2^x", -100000, 0, 1},
               {"10^x", 3, 1000, 1}, {"x^x", 3, 27, 1},
               // an exponent or its reciprocal integral but beyond 64 bits
               {"(-1)^(2^70)", 0, 0, 0}, {"(-1)^(1/2^70)", 0, 0, 0}, {"1^(2^70)", 0, 1, 1}});
  ExpectNear("(-8)^(1/3)", 0, -2);
  ExpectNear("x^(1/5)", -32, -2);
  ExpectNear("2^0.5", 0, std::sqrt(2.0L));
}

TEST(KorvelEval, DeepAndLongFormulas) {
  const int depth = 200000;
  ExpectCases({{(std::string(depth, '(') + "x" + std::string(depth, ')')).c_str(), 3, 3, 1},
               {(std::string(depth, '[') + "-x" + std::string(depth, ']')).c_str(), 3, 3, 1}});
  std::string nested, sum = "1", right, power = "x";
  for (int i = 0; i < 20000; ++i) nested += "sqr(";
  nested += "x";
  for (int i = 0; i < 20000; ++i) nested += ")^1";
  for (int i = 0; i < 100000; ++i) sum += "+1";
  // Right-nested: every operand stays on the stack until the innermost one.
  for (int i = 0; i < 50000; ++i) right += (i % 2 == 0) ? "1+(" : "1*(";
  right += "x" + std::string(50000, ')');
  for (int i = 0; i < 100000; ++i) power += "^1";
  ExpectCases({{nested.c_str(), 1, 1, 1}, {sum.c_str(), 0, 100001, 1}, {right.c_str(), 3, 25003, 1},
               {power.c_str(), 5, 5, 1}});
}

// With an overflow flag already up on entry the library cannot tell a
// failure from the flags, and tests every step instead: both ways must give
// the same value and the same Draw, bit for bit, and always a finite value.
TEST(KorvelEval, FlagsUpOnEntryGiveTheSameFiniteResult) {
  const char* texts[] = {"(x^3-2*x^2+3*x-1)/(x^2+1)", "1/x+5", "exp(x)*exp(x)+1", "sqrt(x)+ln(x)", "2^sin(x)",
                         "x^x-[x]", "ctg(x)/tg(x)", "arcctg(x)*arcsin(x/9)", "(-x)^(1/3)", "sqr(sqr(x))*1000",
                         "ln(x)*tg(x)", "(-x)^(1/x)"};
  const long double xs[] = {0, -0.0L, 1e-4940L, 1, -1, 0.5L, 3, -8, 1e30L, 1e3000L, -1e4000L, 7000, -7000, Nan, Inf};
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
      EXPECT_TRUE(std::isfinite(fast)) << text << " at " << static_cast<double>(x);
      EXPECT_EQ(std::memcmp(&fast, &tested, 10), 0) << text << " at " << static_cast<double>(x) << ": "
                                                      << static_cast<double>(fast) << " vs " << static_cast<double>(tested);
      EXPECT_EQ(fastDraw, testedDraw) << text << " at " << static_cast<double>(x);
    }
  }
}

}  // namespace
