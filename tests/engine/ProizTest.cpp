// The symbolic derivative of formula texts: the listed texts, the mended
// rules, and a check by value against central differences.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>

#include "EngineTestUtil.h"
#include "orvanta/engine/ProizUnit.h"

namespace {

using engtest::ParseCode;

std::string D(const std::string& s, int32_t digits = 4) {
  ProizDigits = digits;
  int32_t err = 5;
  std::string r = "junk";
  GetProiz(s, err, r);
  EXPECT_EQ(err, 0);  // always 0; a text that does not parse gives an empty derivative
  return r;
}

// The value of a text at x, if it parses and evaluates without an error.
std::optional<long double> At(const std::string& text, long double x) {
  const engtest::Outcome o = engtest::Eval(text, x);
  if (o.code) return std::nullopt;
  return o.value;
}

TEST(FoldConstant, Examples) {
  const char* cases[][2] = {
      {"2*3", "6"}, {"0-0.5", "(-0.5)"}, {"1/3", "0.3333"}, {"1/0", "0"}, {"ln(0-1)", "0"}, {"", ""},
      {"(x)", "(x)"},  // a text with x stays as it is, unprepared
      {"x+", "x+"}, {"0-0.00001", "(-0)"},  // every text with a sign is bracketed
      {"e", "2.7183"}, {"10^40", "10000000000000000000000000000000000000000"}};
  for (const auto& c : cases) {
    std::string r;
    FoldConstant(c[0], 4, r);
    EXPECT_EQ(r, c[1]) << c[0];
  }
  std::string r;
  FoldConstant("1/3", 9, r);
  EXPECT_EQ(r, "0.333333333");
}

TEST(ExamineExpression, FlagsAndFoldedText) {
  bool hasX = false, nonDiff = true;
  std::string prepared;
  ExamineExpression("2X+1", 4, hasX, nonDiff, prepared);
  EXPECT_TRUE(hasX);
  EXPECT_FALSE(nonDiff);
  EXPECT_EQ(prepared, "2*x+1");
  ExamineExpression("(abs(0-2))", 4, hasX, nonDiff, prepared);
  EXPECT_FALSE(hasX);
  EXPECT_TRUE(nonDiff);
  EXPECT_EQ(prepared, "2");
  // With 0 decimals the folded text has no point and keeps its digits.
  ExamineExpression("100", 0, hasX, nonDiff, prepared);
  EXPECT_EQ(prepared, "100");
}

TEST(GetProiz, ListedTexts) {
  const char* cases[][2] = {
      {"x", "1"}, {"5", "0"}, {"p", "0"}, {"x^2", "2*(1)*x"}, {"x^3", "3*(1)*x^2"},
      {"x^(-2)", "(-2)*(1)*x^(-3)"}, {"sin(x)", "cos(x)"}, {"sinx", "cosx"}, {"cos(x)", "(-sin(x))"},
      {"sin(2*x)", "(2*(1))*cos(2*x)"}, {"2x", "2*(1)"}, {"ln(x)", "1/(x)"}, {"lg(x)", "1/(ln10*(x))"},
      {"exp(x)", "exp(x)"}, {"sqrt(x)", "1/(2*sqrt((x)))"}, {"arcsin(x)", "1/2@(1-(x)^2)"},
      {"x*sin(x)", "(1)*sin(x)+x*(cos(x))"}, {"x-x^2", "1-(2*(1)*x)"}, {"x+x", "2"},
      {"x-x*sin(x)", "1-((1)*sin(x)+x*(cos(x)))"}, {"(x+1)^3", "3*(1)*(x+1)^2"}, {"sinx^2", "2*(cosx)*sinx"},
      {"1/x", "(-1)/x^2"}, {"1/(2*x)", "(-1*(2*(1)))/(2*x)^2"}, {"x/2", "(1)/2"},
      {"x/(x+1)", "((1)*(x+1)-x*(1))/(x+1)^2"}, {"2^(x^2+x)", "(2*(1)*x+1)*2^(x^2+x)*ln(2)"},
      {"2^x", "(1)*2^x*ln(2)"}, {"x^x", "x^x*(ln(x)*(1)+x*(1)/x)"}, {"e^x", "(1)*2.7183^x*ln(2.7183)"},
      {"2@x", "0.5*(1)*x^(-0.5)"}, {"2*(1)*x", "2*(1)"}, {"cos(2x)", "(-2*(1))*sin(2*x)"},
      {"arcctg(x)", "-1/(1+(x)^2)"},
      // Texts that do not parse.
      {"x+", ""}, {"", ""}, {"(x", ""}};
  for (const auto& c : cases) EXPECT_EQ(D(c[0]), c[1]) << c[0];
}

TEST(GetProiz, NonDifferentiableGivesEmpty) {
  for (const char* s : {"abs(x)", "x*abs(x)", "x+abs(x)", "fact(x)", "rnd(x)+x", "sin(trunc(x))", "frac(x)^2",
                        "x+abs(2)"})
    EXPECT_EQ(D(s), "") << s;
}

TEST(GetProiz, SignedInnerDerivativesAreBracketed) {
  // cos(x*x): the whole inner derivative is negated.
  EXPECT_EQ(D("cos(x*x)"), "(-((1)*x+x*(1)))*sin(x*x)");
  EXPECT_EQ(D("x+ctgx"), "1+(-1/(sinx)^2)");
  for (const char* s : {"cos(ctg(x))", "ctg(x^2+x)", "arccos(x-x^2)", "arcctg(0-x)", "x+cos(x)", "x+(0-x^2)",
                        "cos(0-x)", "arccos(x*x/2)"}) {
    const std::string r = D(s);
    EXPECT_EQ(ParseCode(r), 0) << s << " -> " << r;
  }
}

TEST(GetProiz, PowerOfOneIsNotXToTheZero) {
  EXPECT_EQ(D("x^1"), "1*(1)");
  EXPECT_EQ(D("1@x"), "1*(1)");
  EXPECT_EQ(At(D("x^1"), 0), 1.0L);
}

TEST(GetProiz, RootWithVariableDegree) {
  // x@2 = 2^(1/x): the derivative is -ln2/x^2 * 2^(1/x).
  const std::string d = D("x@2", 9);
  for (long double x : {0.5L, 1.0L, 3.0L}) {
    const auto v = At(d, x);
    ASSERT_TRUE(v) << d;
    const long double expect = -std::log(2.0L) / (x * x) * std::pow(2.0L, 1 / x);
    EXPECT_NEAR(static_cast<double>(*v), static_cast<double>(expect), 1e-7) << d;
  }
}

// Random formulas over x built from every differentiable function and
// operator, whose derivative texts must parse and agree with a central
// difference wherever the formula and the derivative are defined.
class FormulaGen {
 public:
  explicit FormulaGen(unsigned seed) : rng_(seed) {}
  std::string Make(int depth) {
    if (depth == 0 || Pick(4) == 0) {
      switch (Pick(5)) {
        case 0: return std::to_string(1 + Pick(4));
        case 1: return "0.5";
        default: return "x";
      }
    }
    // Operands are made one after the other so that every compiler builds the same formulas.
    const int op = Pick(10);
    if (op <= 3) {
      const std::string a = Make(depth - 1);
      const std::string b = Make(depth - 1);
      switch (op) {
        case 0: return a + "+" + b;
        case 1: return a + "-" + b;
        case 2: return "(" + a + ")*(" + b + ")";
        default: return "(" + a + ")/(" + b + ")";
      }
    }
    switch (op) {
      case 4: {
        const std::string a = Make(depth - 1);
        return "(" + a + ")^" + std::to_string(2 + Pick(2));
      }
      case 5: return "2^(" + Make(depth - 1) + ")";
      case 6: {
        const int n = 2 + Pick(2);
        return std::to_string(n) + "@(" + Make(depth - 1) + ")";
      }
      case 7: return "x^x";
      default: {
        static const char* fn[] = {"sin", "cos", "tg", "ctg", "arcsin", "arccos", "arctg", "arcctg", "sqrt",
                                   "ln", "lg", "exp"};
        std::string inner = Make(depth - 1);
        const int f = Pick(12);
        // Keep the inverse sines inside their domain most of the time.
        if (f == 4 || f == 5) inner = "sin(" + inner + ")/2";
        return std::string(fn[f]) + "(" + inner + ")";
      }
    }
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  std::mt19937 rng_;
};

TEST(GetProiz, AgreesWithCentralDifferences) {
  FormulaGen gen(20261209);
  int checked = 0;
  for (int i = 0; i < 600; ++i) {
    std::string f = gen.Make(3);
    if (ParseCode(f) != 0) continue;
    std::string d = D(f, 9);
    ASSERT_FALSE(d.empty()) << f;
    ASSERT_EQ(ParseCode(d), 0) << f << " -> " << d;
    for (long double x : {0.37L, 0.81L, 1.3L, 2.2L, 3.1L}) {
      const long double h = 1e-5L;
      const auto a = At(f, x - h), b = At(f, x + h), a2 = At(f, x - 2 * h), b2 = At(f, x + 2 * h), dv = At(d, x);
      if (!a || !b || !a2 || !b2 || !dv) continue;
      const long double numeric = (*b - *a) / (2 * h);
      const long double coarse = (*b2 - *a2) / (4 * h);
      const long double scale = std::max<long double>(1, std::fabs(numeric));
      // Where the two step sizes disagree the quotient itself is unreliable.
      if (std::fabs(numeric - coarse) / scale > 1e-7L) continue;
      EXPECT_LT(std::fabs(numeric - *dv) / scale, 1e-6L) << f << " -> " << d << " at " << static_cast<double>(x);
      ++checked;
    }
  }
  EXPECT_GT(checked, 1000);
}

TEST(GetProiz, SecondDerivativesParse) {
  FormulaGen gen(7);
  for (int i = 0; i < 200; ++i) {
    std::string f = gen.Make(2);
    if (ParseCode(f) != 0) continue;
    std::string d2 = D(D(f));
    EXPECT_EQ(ParseCode(d2), 0) << f << " -> " << d2;
  }
}

}  // namespace
