// Parsing into the node array and evaluation with its error codes.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>

#include "orvanta/engine/FunctionUnit.h"

namespace {

struct Outcome {
  int32_t code;
  long double value;
};

// The callers' order: Reset, Parse, test; Reset, Calc, test.
Outcome Eval(const std::string& text, long double x, long double start = 777) {
  objFunc f;
  std::string s = text;
  f.Reset();
  f.Parse(s);
  if (f.ErrorCode) return {f.ErrorCode, start};
  long double r = start;
  f.Reset();
  f.Calc(r, x);
  return {f.ErrorCode, r};
}

int32_t ParseCode(const std::string& text) {
  objFunc f;
  std::string s = text;
  f.Reset();
  f.Parse(s);
  return f.ErrorCode;
}

TEST(Parse, NodesInPrefixOrder) {
  objFunc f;
  std::string s = "2*x+1";
  f.Reset();
  f.Parse(s);
  ASSERT_EQ(f.ErrorCode, 0);
  EXPECT_EQ(f.NodePos, 6);
  EXPECT_EQ(f.Nodes[1].Kind, 2);
  EXPECT_EQ(f.Nodes[1].Code, 1);
  EXPECT_EQ(f.Nodes[2].Kind, 2);
  EXPECT_EQ(f.Nodes[2].Code, 3);
  EXPECT_EQ(f.Nodes[3].Kind, 1);
  EXPECT_EQ(f.Nodes[3].Value, 2.0L);
  EXPECT_EQ(f.Nodes[4].Kind, 4);
  EXPECT_EQ(f.Nodes[5].Kind, 1);
  EXPECT_EQ(f.Nodes[5].Value, 1.0L);
  EXPECT_TRUE(f.HasX);
}

TEST(Parse, SingleTokensAndPreparedText) {
  objFunc f;
  std::string s = "X";
  f.Reset();
  f.Parse(s);
  EXPECT_EQ(f.ErrorCode, 0);
  EXPECT_EQ(f.Nodes[1].Kind, 4);
  EXPECT_TRUE(f.HasX);
  EXPECT_EQ(s, "x");

  f.Reset();
  f.Expression = "(p)";
  f.Parse(f.Expression);
  EXPECT_EQ(f.Expression, "p");
  EXPECT_EQ(f.Nodes[1].Kind, 1);
  EXPECT_EQ(f.Nodes[1].Value, 0xc.90fdaa22168c235p-2L);
  EXPECT_FALSE(f.HasX);

  f.Reset();
  f.Expression = "-2SIN(x)";
  f.Parse(f.Expression);
  EXPECT_EQ(f.Expression, "0-2*sin(x)");
}

TEST(Parse, FlagsAndReset) {
  objFunc f;
  std::string s = "2*fact(3)";
  f.Reset();
  f.Parse(s);
  EXPECT_EQ(f.ErrorCode, 0);
  EXPECT_TRUE(f.NonDiff);
  EXPECT_FALSE(f.HasX);
  f.Reset();
  EXPECT_FALSE(f.NonDiff);
  EXPECT_FALSE(f.HasX);
  EXPECT_EQ(f.NodePos, 1);
  for (const char* nd : {"abs(x)", "x*abs(x)", "rnd(x)", "trunc(x)", "frac(x)"}) {
    objFunc g;
    std::string t = nd;
    g.Reset();
    g.Parse(t);
    EXPECT_TRUE(g.NonDiff) << nd;
  }
  objFunc g;
  std::string t = "sin(x)+exp(x)";
  g.Reset();
  g.Parse(t);
  EXPECT_FALSE(g.NonDiff);
}

TEST(Parse, SyntaxErrors) {
  for (const char* bad : {"sin", "sin()", "x+", "+x", "2*-3", "x2", "2e", "pe", "(x)2", "x^-1", "2+-x", "x 1",
                          ".5", "1.2.3", "pi", "x,1", "*", "xsin"})
    EXPECT_EQ(ParseCode(bad), 1) << bad;
  EXPECT_EQ(ParseCode(""), 1);
  EXPECT_EQ(ParseCode("(x"), 2);
  EXPECT_EQ(ParseCode("x)"), 2);
  EXPECT_EQ(ParseCode("2x"), 0);
  EXPECT_EQ(ParseCode("sinsinx"), 0);
}

TEST(Parse, NodeLimit) {
  // 128 ones and 127 plus signs need exactly 255 nodes.
  std::string ok = "1";
  for (int i = 0; i < 127; ++i) ok += "+1";
  Outcome o = Eval(ok, 0);
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.value, 128.0L);
  EXPECT_EQ(ParseCode(ok + "+1"), 1);
  std::string deep = "x";
  for (int i = 0; i < 300; ++i) deep = "sin(" + deep + ")";
  EXPECT_EQ(ParseCode(deep), 1);
}

TEST(Parse, NestingBeyond32765IsIncorrect) {
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

TEST(Parse, NumberBeyondRangeIsIncorrect) {
  EXPECT_EQ(ParseCode("1" + std::string(5000, '0') + "*x"), 1);
}

TEST(Calc, Grouping) {
  EXPECT_EQ(Eval("2^3^2", 0).value, 64.0L);
  EXPECT_EQ(Eval("8/4/2", 0).value, 1.0L);
  EXPECT_EQ(Eval("2-3-4", 0).value, -5.0L);
  EXPECT_EQ(Eval("-x^2", 3).value, -9.0L);
  EXPECT_EQ(Eval("sinx^2", 2).value, std::sin(2.0L) * std::sin(2.0L));
  EXPECT_EQ(Eval("sin2x", 3).value, std::sin(2.0L) * 3);
  EXPECT_EQ(Eval("lnx/2", 4).value, std::log(4.0L) / 2);
  EXPECT_EQ(Eval("sinsinx", 1).value, std::sin(std::sin(1.0L)));
  EXPECT_EQ(Eval("(x+1)*(x-1)", 3).value, 8.0L);
  EXPECT_EQ(Eval("2@x^2", 9).value, 9.0L);  // (2@x)^2
}

TEST(Calc, DivisionByZero) {
  Outcome o = Eval("1/x", 0, 5);
  EXPECT_EQ(o.code, 3);
  EXPECT_EQ(o.value, 0.0L);  // the outermost operation failed
  o = Eval("1/x+1", 0, 5);
  EXPECT_EQ(o.code, 3);
  EXPECT_EQ(o.value, 5.0L);  // an inner failure leaves the result alone
  EXPECT_EQ(Eval("1/(x-x)", 2.5).code, 3);
  EXPECT_EQ(Eval("1/0", 0).code, 3);
}

TEST(Calc, FirstFailureDecides) {
  // Left operand before right operand, argument before function.
  EXPECT_EQ(Eval("ln(0-x)+1/(x-x)", 1).code, 9);
  EXPECT_EQ(Eval("1/(x-x)+ln(0-x)", 1).code, 3);
  EXPECT_EQ(Eval("exp(100000)+1/0", 1).code, 11);
  EXPECT_EQ(Eval("1/0+exp(100000)", 1).code, 3);
  EXPECT_EQ(Eval("sqrt(1/(x-1))", 1).code, 3);
  EXPECT_EQ(Eval("(0-x)^0.5*(1/0)", 2).code, 4);
  EXPECT_EQ(Eval("tg(1/0)", 2).code, 3);
}

TEST(Calc, Overflow) {
  Outcome o = Eval("exp(100000)", 0, 5);
  EXPECT_EQ(o.code, 11);
  EXPECT_EQ(o.value, 0.0L);  // a failing function gives 0
  o = Eval("x*x", 1e3000L, 5);
  EXPECT_EQ(o.code, 11);
  EXPECT_EQ(o.value, 5.0L);  // a failing operator writes nothing
  EXPECT_EQ(Eval("x^3", 1e2000L).code, 11);
  EXPECT_EQ(Eval("x+x", 1e4932L).code, 11);
  EXPECT_EQ(Eval("x/0.5", 1e4932L).code, 11);
  EXPECT_EQ(Eval("10^5000", 0).code, 11);
  EXPECT_EQ(Eval("fact(1755)", 0).code, 11);
  EXPECT_EQ(Eval("rnd(x)", 1e30L).code, 11);
  EXPECT_EQ(Eval("trunc(x)", -1e19L).code, 11);
  EXPECT_EQ(Eval("0@x", 5).code, 11);
  EXPECT_EQ(Eval("x@0.5", 0).code, 11);
  // Underflow is no failure.
  o = Eval("exp(0-100000)", 0);
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.value, 0.0L);
  o = Eval("x*x", 1e-3000L);
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.value, 0.0L);
}

TEST(Calc, FaultsThatLaterStepsWouldHide) {
  // An overflow followed by steps that turn it into a finite value.
  EXPECT_EQ(Eval("1/(x*x)", 1e3000L).code, 11);
  EXPECT_EQ(Eval("arctg(x*x)", 1e3000L).code, 11);
  EXPECT_EQ(Eval("exp(0-x*x)", 1e3000L).code, 11);
  EXPECT_EQ(Eval("0.5^(x*x)", 1e3000L).code, 11);
  EXPECT_EQ(Eval("(x*x)@2", 1e3000L).code, 11);
  EXPECT_EQ(Eval("x*x-x*x", 1e3000L).code, 11);
  EXPECT_EQ(Eval("(x*x)*0", 1e3000L).code, 11);
  // The overflow comes first, before the division by zero and the domain error.
  EXPECT_EQ(Eval("x*x/0", 1e3000L).code, 11);
  EXPECT_EQ(Eval("fact(x*x)", 1e3000L).code, 11);
  EXPECT_EQ(Eval("ln(0-x*x)", 1e3000L).code, 11);
  EXPECT_EQ(Eval("x^3/(x-x)", 1e2000L).code, 11);
}

TEST(Calc, LeavesFloatingPointFlagsClean) {
  feclearexcept(FE_ALL_EXCEPT);
  EXPECT_EQ(Eval("exp(100000)", 0).code, 11);
  EXPECT_EQ(Eval("x*x", 1e3000L).code, 11);
  EXPECT_EQ(Eval("0@x", 5).code, 11);
  EXPECT_EQ(Eval("10^5000", 0).code, 11);
  EXPECT_EQ(fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO), 0);
  // Flags the caller had raised stay raised through evaluations.
  feraiseexcept(FE_DIVBYZERO | FE_OVERFLOW);
  EXPECT_EQ(Eval("exp(100000)", 0).code, 11);
  EXPECT_TRUE(fetestexcept(FE_DIVBYZERO));
  feraiseexcept(FE_OVERFLOW);
  EXPECT_EQ(Eval("x*x+1/x", 2).code, 0);
  EXPECT_EQ(Eval("1/x", 0).code, 3);
  EXPECT_TRUE(fetestexcept(FE_OVERFLOW));
  feclearexcept(FE_ALL_EXCEPT);
}

TEST(Calc, WithoutParseOrCursor) {
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
  f.Reset();
  f.Calc(r, 1);
  EXPECT_EQ(f.ErrorCode, 0);
  EXPECT_EQ(r, 2.0L);
  // An error stops further evaluation until the next Reset.
  f.ErrorCode = 3;
  r = 9;
  f.Calc(r, 1);
  EXPECT_EQ(r, 9.0L);
}

TEST(Calc, ReusedObject) {
  objFunc f;
  std::string s = "x^2";
  f.Reset();
  f.Parse(s);
  for (int i = -3; i <= 3; ++i) {
    long double r = 0;
    f.Reset();
    f.Calc(r, i);
    EXPECT_EQ(f.ErrorCode, 0);
    EXPECT_EQ(r, static_cast<long double>(i * i));
  }
  s = "1/x";
  f.Reset();
  f.Parse(s);
  long double r = 0;
  f.Reset();
  f.Calc(r, 4);
  EXPECT_EQ(r, 0.25L);
}

TEST(Calc, NonFiniteX) {
  EXPECT_EQ(Eval("x", NAN).code, 11);
  EXPECT_EQ(Eval("sqrt(x)", INFINITY).code, 11);
  EXPECT_EQ(Eval("5", NAN).value, 5.0L);
}

TEST(Calc, ConstantsFoldLikeTheirEvaluation) {
  // Whole constant parts and their failures behave as if evaluated in place.
  EXPECT_EQ(Eval("2*3+x", 1).value, 7.0L);
  EXPECT_EQ(Eval("x+sqrt(0-1)", 1).code, 8);
  Outcome o = Eval("sqrt(0-1)", 1, 4);
  EXPECT_EQ(o.code, 8);
  EXPECT_EQ(o.value, 0.0L);
  o = Eval("2^(0-1)", 0);
  EXPECT_EQ(o.value, 0.5L);
}

}  // namespace
