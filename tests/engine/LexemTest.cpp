// Tokens and the prepared form of formula texts.
#include <gtest/gtest.h>

#include "orvanta/engine/FunctionUnit.h"

namespace {

struct Tok {
  int32_t kind, prio, len, func;
  long double value;
};

Tok Lex(const std::string& s, int32_t start) {
  Tok t{-1, -1, -1, -7, -7};
  GetLexem(s, start, t.kind, t.prio, t.len, t.func, t.value);
  return t;
}

std::string Prepared(std::string s, int32_t* err = nullptr) {
  int32_t e = 0;
  PrepareExpression(s, e);
  if (err) *err = e;
  return s;
}

int32_t PrepareError(std::string s) {
  int32_t e = 0;
  PrepareExpression(s, e);
  return e;
}

TEST(GetLexem, NamesBeforeLetters) {
  // Names are tried in table order and before single letters.
  Tok t = Lex("arcctg(x)", 1);
  EXPECT_EQ(t.kind, 8);
  EXPECT_EQ(t.func, 8);
  EXPECT_EQ(t.len, 6);
  EXPECT_EQ(t.prio, 4);
  t = Lex("exp", 1);
  EXPECT_EQ(t.kind, 8);
  EXPECT_EQ(t.func, 12);
  EXPECT_EQ(Lex("ex", 1).kind, 1);
  EXPECT_EQ(Lex("si", 1).kind, 0);  // a name cut by the end of the text
  EXPECT_EQ(Lex("pi", 2).kind, 0);
  EXPECT_EQ(Lex("@", 1).prio, 3);
  EXPECT_EQ(Lex("-", 1).prio, 1);
  EXPECT_EQ(Lex(",", 1).len, 1);
}

TEST(GetLexem, NumbersAndConstants) {
  Tok t = Lex("12.", 1);
  EXPECT_EQ(t.kind, 1);
  EXPECT_EQ(t.len, 3);
  EXPECT_EQ(t.value, 12.0L);
  EXPECT_EQ(Lex("0.5", 1).value, 0.5L);
  EXPECT_EQ(Lex(".5", 1).kind, 0);
  EXPECT_EQ(Lex("1.2.3", 1).kind, 0);
  EXPECT_EQ(Lex("2..3", 1).kind, 0);
  EXPECT_GE(Lex("1.2.3", 1).len, 1);
  // Exactly the extended reals with the stated bit patterns.
  EXPECT_EQ(Lex("p", 1).value, 0xc.90fdaa22168c235p-2L);
  EXPECT_EQ(Lex("e", 1).value, 0xa.df85458248cdacdp-2L);
  // Decimal conversion is exact to the nearest extended real.
  EXPECT_EQ(Lex("0.1", 1).value, 0.1L);
  EXPECT_EQ(Lex("123456789012345678901234567890", 1).value, 123456789012345678901234567890.0L);
}

TEST(GetLexem, NumberBeyondExtendedRangeIsInvalid) {
  EXPECT_EQ(Lex("1" + std::string(4940, '0'), 1).kind, 0);
  EXPECT_EQ(Lex("1" + std::string(4900, '0'), 1).kind, 1);
  // Tiny values underflow quietly.
  Tok t = Lex("0." + std::string(5000, '0') + "1", 1);
  EXPECT_EQ(t.kind, 1);
  EXPECT_EQ(t.value, 0.0L);
}

TEST(GetLexem, EndOfTextAndOutOfRangeStart) {
  // Just past the end: the end of the text is one invalid character.
  Tok t = Lex("x", 2);
  EXPECT_EQ(t.kind, 0);
  EXPECT_EQ(t.prio, 0);
  EXPECT_EQ(t.len, 1);
  EXPECT_EQ(Lex("", 1).len, 1);
  EXPECT_EQ(Lex("x", 3).len, 0);
  EXPECT_EQ(Lex("x", 0).kind, 0);
  EXPECT_EQ(Lex("", 1).kind, 0);
  // FuncIndex and Value are written only for their kinds.
  t = Lex("x", 1);
  EXPECT_EQ(t.func, -7);
  EXPECT_EQ(t.value, -7.0L);
}

TEST(PrepareExpression, ExplicitProducts) {
  EXPECT_EQ(Prepared("2x"), "2*x");
  EXPECT_EQ(Prepared("2X"), "2*x");
  EXPECT_EQ(Prepared("SIN(X)"), "sin(x)");
  EXPECT_EQ(Prepared("2sin(x)"), "2*sin(x)");
  EXPECT_EQ(Prepared("x(x+1)"), "x*(x+1)");
  EXPECT_EQ(Prepared("(x)(x)"), "(x)*(x)");
  EXPECT_EQ(Prepared("xx"), "x*x");
  EXPECT_EQ(Prepared("psin(x)"), "p*sin(x)");
  EXPECT_EQ(Prepared("sin2x"), "sin2*x");
  EXPECT_EQ(Prepared("ex"), "e*x");
  for (const char* unchanged : {"x2", "(x)2", "2e", "ep", "2p", "pe"}) EXPECT_EQ(Prepared(unchanged), unchanged);
}

TEST(PrepareExpression, EnclosingBracketsAndMinus) {
  EXPECT_EQ(Prepared("((x))"), "x");
  EXPECT_EQ(Prepared("(x+1)*(x-1)"), "(x+1)*(x-1)");
  EXPECT_EQ(Prepared("(((2)))"), "2");
  EXPECT_EQ(Prepared("(x)+(1)"), "(x)+(1)");
  EXPECT_EQ(Prepared("((x)+1)"), "(x)+1");
  EXPECT_EQ(Prepared("-x^2"), "0-x^2");
  EXPECT_EQ(Prepared("-(x+1)"), "0-(x+1)");
  EXPECT_EQ(Prepared("(-x)"), "0-x");
  EXPECT_EQ(Prepared("2*(-(-x))"), "2*(0-(0-x))");
  EXPECT_EQ(Prepared("sin(-x)"), "sin(0-x)");
  // No other unary minus and no blank removal.
  for (const char* unchanged : {"2*-3", "x^-1", "+x", "2+-x", "x + 1"}) EXPECT_EQ(Prepared(unchanged), unchanged);
  // Cyrillic and other bytes are left alone.
  EXPECT_EQ(Prepared("\xC4X"), "\xC4x");
}

TEST(PrepareExpression, Errors) {
  EXPECT_EQ(PrepareError(""), 1);
  EXPECT_EQ(PrepareError("()"), 1);
  EXPECT_EQ(PrepareError("(())"), 1);
  EXPECT_EQ(PrepareError("(x"), 2);
  EXPECT_EQ(PrepareError("x)"), 2);
  EXPECT_EQ(PrepareError(")x("), 2);
  // Success leaves the caller's value alone.
  std::string s = "x";
  int32_t err = 77;
  PrepareExpression(s, err);
  EXPECT_EQ(err, 77);
}

std::string Nested(int depth, const std::string& inner) {
  return std::string(depth, '(') + inner + std::string(depth, ')');
}

TEST(PrepareExpression, EnclosingBracketsUpTo32765) {
  // The least depth starts at 32765: deeper enclosing brackets are removed
  // only that far, and what is left fails in the parser.
  EXPECT_EQ(Prepared(Nested(32765, "x+1")), "x+1");
  EXPECT_EQ(Prepared(Nested(32766, "x+1")), "(x+1)");
  EXPECT_TRUE(Prepared(Nested(100000, "x")) == Nested(100000 - 32765, "x"));
  EXPECT_EQ(PrepareError(Nested(32765, "")), 1);
  int32_t err = 0;
  EXPECT_TRUE(Prepared(Nested(40000, ""), &err) == Nested(40000 - 32765, ""));
  EXPECT_EQ(err, 0);
}

TEST(PrepareExpression, IsIdempotent) {
  for (const char* text : {"2x", "-(x+1)", "((x)+1)", "sin(-x)*2x", "(((2)))", "x2", "2*-3"}) {
    std::string once = Prepared(text);
    EXPECT_EQ(Prepared(once), once) << text;
  }
}

}  // namespace
