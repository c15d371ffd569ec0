// Parsing into the node array and evaluation with its error codes.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <memory>

#include "EngineTestUtil.h"

using engtest::Eval;
using engtest::ParseCode;

namespace {

TEST(Parse, NodesInPrefixOrderAndThePreparedTextWrittenBack) {
  objFunc f;
  std::string s = "2*x+1";
  f.Reset();
  f.Parse(s);
  ASSERT_EQ(f.ErrorCode, 0);
  EXPECT_EQ(f.NodePos, 6);
  const int32_t kinds[] = {2, 2, 1, 4, 1};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(f.Nodes[i + 1].Kind, kinds[i]) << i + 1;
  EXPECT_EQ(f.Nodes[1].Code, 1);
  EXPECT_EQ(f.Nodes[2].Code, 3);
  EXPECT_EQ(f.Nodes[3].Value, 2.0L);
  EXPECT_TRUE(f.HasX);

  f.Reset();
  f.Expression = "(p)";
  f.Parse(f.Expression);
  EXPECT_EQ(f.Expression, "p");
  EXPECT_EQ(f.Nodes[1].Value, 0xc.90fdaa22168c235p-2L);
  EXPECT_FALSE(f.HasX);
  f.Reset();
  f.Expression = "-2SIN(x)";
  f.Parse(f.Expression);
  EXPECT_EQ(f.Expression, "0-2*sin(x)");
}

TEST(Parse, NonDiffFlagAndReset) {
  objFunc f;
  std::string s = "2*fact(3)";
  f.Reset();
  f.Parse(s);
  EXPECT_EQ(f.ErrorCode, 0);
  EXPECT_TRUE(f.NonDiff);
  EXPECT_FALSE(f.HasX);
  f.Reset();
  EXPECT_FALSE(f.NonDiff);
  EXPECT_EQ(f.NodePos, 1);
  for (const char* text : {"abs(x)", "x*abs(x)", "rnd(x)", "trunc(x)", "frac(x)", "sin(x)+exp(x)"}) {
    objFunc g;
    std::string t = text;
    g.Reset();
    g.Parse(t);
    EXPECT_EQ(g.NonDiff, std::string(text) != "sin(x)+exp(x)") << text;
  }
}

TEST(Parse, SyntaxErrors) {
  for (const char* bad : {"", "sin", "sin()", "x+", "+x", "2*-3", "x2", "2e", "pe", "(x)2", "x^-1", "2+-x", "x 1",
                          ".5", "1.2.3", "pi", "x,1", "*", "xsin"})
    EXPECT_EQ(ParseCode(bad), 1) << bad;
  EXPECT_EQ(ParseCode("(x"), 2);
  EXPECT_EQ(ParseCode("x)"), 2);
  EXPECT_EQ(ParseCode("sinsinx"), 0);
  EXPECT_EQ(ParseCode("1" + std::string(5000, '0') + "*x"), 1);  // beyond the extended range
}

TEST(Parse, NodeLimitAndNesting) {
  // 128 ones and 127 plus signs need exactly 255 nodes.
  std::string ok = "1";
  for (int i = 0; i < 127; ++i) ok += "+1";
  EXPECT_EQ(Eval(ok).value, 128.0L);
  EXPECT_EQ(ParseCode(ok + "+1"), 1);
  std::string deep = "x";
  for (int i = 0; i < 300; ++i) deep = "sin(" + deep + ")";
  EXPECT_EQ(ParseCode(deep), 1);

  auto nested = [](int depth, const std::string& inner) {
    return std::string(depth, '(') + inner + std::string(depth, ')');
  };
  EXPECT_EQ(Eval(nested(32765, "x+1"), 2).value, 3.0L);
  EXPECT_EQ(ParseCode(nested(32766, "x+1")), 1);
  EXPECT_EQ(ParseCode(nested(65530, "x")), 1);  // not stripped twice
  EXPECT_EQ(ParseCode(nested(40000, "")), 1);
  // An operand is prepared on its own, with the same limit.
  EXPECT_EQ(Eval("x+" + nested(32765, "x"), 2).value, 4.0L);
  EXPECT_EQ(ParseCode("x+" + nested(32766, "x")), 1);
  EXPECT_EQ(ParseCode("sin" + nested(32766, "x")), 1);
}

TEST(Calc, GroupingAndConstantParts) {
  struct Case {
    const char* text;
    long double x, value;
  } cases[] = {{"2^3^2", 0, 64}, {"8/4/2", 0, 1}, {"2-3-4", 0, -5}, {"-x^2", 3, -9},
                 {"sinx^2", 2, std::sin(2.0L) * std::sin(2.0L)}, {"sin2x", 3, std::sin(2.0L) * 3},
                 {"lnx/2", 4, std::log(4.0L) / 2}, {"sinsinx", 1, std::sin(std::sin(1.0L))},
                 {"2@x^2", 9, 9},  // (2@x)^2
                 {"2*3+x", 1, 7}, {"2^(0-1)", 0, 0.5L}, {"5", NAN, 5}};
  for (const Case& c : cases) {
    const engtest::Outcome o = Eval(c.text, c.x);
    EXPECT_EQ(o.code, 0) << c.text;
    EXPECT_EQ(o.value, c.value) << c.text;
  }
}

TEST(Calc, ErrorCodesAndTheFirstFailureDecides) {
  struct Case {
    const char* text;
    long double x;
    int32_t code;
  } cases[] = {
      {"1/(x-x)", 2.5L, 3}, {"1/0", 0, 3}, {"tg(1/0)", 2, 3}, {"sqrt(1/(x-1))", 1, 3},
      // Left operand before right operand, argument before function.
      {"ln(0-x)+1/(x-x)", 1, 9}, {"1/(x-x)+ln(0-x)", 1, 3}, {"exp(100000)+1/0", 1, 11}, {"1/0+exp(100000)", 1, 3},
      {"(0-x)^0.5*(1/0)", 2, 4},
      {"x+sqrt(0-1)", 1, 8},  // a constant part fails as if evaluated in place
      // Overflow in every form, a non-finite x included.
      {"x^3", 1e2000L, 11}, {"x+x", 1e4932L, 11}, {"x/0.5", 1e4932L, 11}, {"10^5000", 0, 11}, {"fact(1755)", 0, 11},
      {"rnd(x)", 1e30L, 11}, {"trunc(x)", -1e19L, 11}, {"0@x", 5, 11}, {"x@0.5", 0, 11}, {"x", NAN, 11},
      {"sqrt(x)", INFINITY, 11},
      // An overflow followed by steps that would turn it into a finite value,
      // or into a later division by zero or domain error.
      {"1/(x*x)", 1e3000L, 11}, {"arctg(x*x)", 1e3000L, 11}, {"exp(0-x*x)", 1e3000L, 11}, {"0.5^(x*x)", 1e3000L, 11},
      {"(x*x)@2", 1e3000L, 11}, {"x*x-x*x", 1e3000L, 11}, {"(x*x)*0", 1e3000L, 11}, {"x*x/0", 1e3000L, 11},
      {"fact(x*x)", 1e3000L, 11}, {"ln(0-x*x)", 1e3000L, 11}, {"x^3/(x-x)", 1e2000L, 11},
      // Underflow is no failure.
      {"exp(0-100000)", 0, 0}, {"x*x", 1e-3000L, 0}};
  for (const Case& c : cases) EXPECT_EQ(Eval(c.text, c.x).code, c.code) << c.text;
}

TEST(Calc, WhatAFailureWritesToTheResult) {
  struct Case {
    const char* text;
    long double x, value;
    int32_t code;
  } cases[] = {{"1/x", 0, 0, 3},           // the outermost operation failed
                 {"1/x+1", 0, 5, 3},         // an inner failure leaves the result alone
                 {"exp(100000)", 0, 0, 11},  // a failing function gives 0
                 {"x*x", 1e3000L, 5, 11},    // a failing operator writes nothing
                 {"sqrt(0-1)", 1, 0, 8},     // so does a folded constant part
                 {"exp(0-100000)", 0, 0, 0}};
  for (const Case& c : cases) {
    const engtest::Outcome o = Eval(c.text, c.x, 5);
    EXPECT_EQ(o.code, c.code) << c.text;
    EXPECT_EQ(o.value, c.value) << c.text;
  }
}

TEST(Calc, LeavesTheFloatingPointFlagsAsTheCallerHadThem) {
  // Failures in a constant part folded while parsing, too.
  feclearexcept(FE_ALL_EXCEPT);
  EXPECT_EQ(Eval("exp(100000)").code, 11);
  EXPECT_EQ(Eval("10^5000").code, 11);
  EXPECT_EQ(Eval("x*x", 1e3000L).code, 11);
  EXPECT_EQ(Eval("0@x", 5).code, 11);
  EXPECT_EQ(fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO), 0);
  feraiseexcept(FE_DIVBYZERO | FE_OVERFLOW);
  EXPECT_EQ(Eval("exp(100000)").code, 11);
  EXPECT_TRUE(fetestexcept(FE_DIVBYZERO));
  feraiseexcept(FE_OVERFLOW);
  EXPECT_EQ(Eval("x*x+1/x", 2).code, 0);
  EXPECT_EQ(Eval("1/x", 0).code, 3);
  EXPECT_TRUE(fetestexcept(FE_OVERFLOW));
  feclearexcept(FE_ALL_EXCEPT);
}

TEST(Calc, WithoutParseOrCursorAndOnAReusedObject) {
  objFunc f;
  long double r = 3;
  f.Reset();
  f.Calc(r, 1);
  EXPECT_EQ(f.ErrorCode, 1);
  EXPECT_EQ(r, 3.0L);

  std::string s = "x+";
  f.Reset();
  f.Parse(s);
  ASSERT_EQ(f.ErrorCode, 1);
  f.Reset();
  f.Calc(r, 1);
  EXPECT_EQ(f.ErrorCode, 1);

  s = "x+1";
  f.Reset();
  f.Parse(s);
  ASSERT_EQ(f.ErrorCode, 0);
  f.Calc(r, 1);  // no Reset: the cursor is past the tree
  EXPECT_EQ(f.ErrorCode, 1);
  for (int i = -3; i <= 3; ++i) {
    f.Reset();
    f.Calc(r, i);
    EXPECT_EQ(f.ErrorCode, 0);
    EXPECT_EQ(r, i + 1.0L);
  }
  s = "1/x";  // a new parse replaces the tree
  f.Reset();
  f.Parse(s);
  f.Reset();
  f.Calc(r, 4);
  EXPECT_EQ(r, 0.25L);
  // An error stops further evaluation until the next Reset.
  f.ErrorCode = 3;
  r = 9;
  f.Calc(r, 1);
  EXPECT_EQ(r, 9.0L);
}

// A copy of a formula carries its own compiled program: it evaluates after
// the original is parsed again or destroyed, and an assignment replaces the
// target's program (or leaves it unusable when the source has none).
TEST(Calc, CopiesEvaluateOnTheirOwn) {
  auto calc = [](objFunc& f, long double x) {
    long double r = -1;
    f.Reset();
    f.Calc(r, x);
    return f.ErrorCode == 0 ? r : -1000 - f.ErrorCode;
  };
  auto parse = [](objFunc& f, const char* text) {
    std::string s = text;
    f.Reset();
    f.Parse(s);
    EXPECT_EQ(f.ErrorCode, 0) << text;
  };
  auto original = std::make_unique<objFunc>();
  parse(*original, "x*2");
  objFunc copy(*original);
  parse(*original, "x+1");
  EXPECT_EQ(calc(copy, 3), 6.0L);
  EXPECT_EQ(calc(*original, 3), 4.0L);

  objFunc assigned;
  parse(assigned, "x^2");
  assigned = copy;
  original.reset();
  EXPECT_EQ(calc(assigned, 5), 10.0L);
  EXPECT_EQ(calc(copy, 5), 10.0L);

  objFunc unparsed;
  assigned = unparsed;
  EXPECT_EQ(calc(assigned, 5), -1001.0L);  // nothing parsed: code 1
  assigned = copy;
  EXPECT_EQ(calc(assigned, 1), 2.0L);
}

}  // namespace
