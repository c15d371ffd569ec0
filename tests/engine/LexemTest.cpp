// Tokens and the prepared form of formula texts.
#include <gtest/gtest.h>

#include "EngineTestUtil.h"

using engtest::Prepared;

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

TEST(GetLexem, NamesNumbersAndConstants) {
  // Names are tried in table order and before single letters.
  Tok t = Lex("arcctg(x)", 1);
  EXPECT_EQ(t.kind, 8);
  EXPECT_EQ(t.func, 8);
  EXPECT_EQ(t.len, 6);
  EXPECT_EQ(t.prio, 4);
  EXPECT_EQ(Lex("exp", 1).func, 12);
  EXPECT_EQ(Lex("ex", 1).kind, 1);
  EXPECT_EQ(Lex("si", 1).kind, 0);  // a name cut by the end of the text
  EXPECT_EQ(Lex("pi", 2).kind, 0);
  EXPECT_EQ(Lex("@", 1).prio, 3);
  EXPECT_EQ(Lex("-", 1).prio, 1);

  t = Lex("12.", 1);
  EXPECT_EQ(t.kind, 1);
  EXPECT_EQ(t.len, 3);
  EXPECT_EQ(t.value, 12.0L);
  for (const char* bad : {".5", "1.2.3", "2..3"}) EXPECT_EQ(Lex(bad, 1).kind, 0) << bad;
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
  // FuncIndex and Value are written only for their kinds.
  t = Lex("x", 1);
  EXPECT_EQ(t.func, -7);
  EXPECT_EQ(t.value, -7.0L);
}

TEST(PrepareExpression, PreparedFormsAreStable) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      // Explicit products, lower case.
      {"2X", "2*x"}, {"SIN(X)", "sin(x)"}, {"2sin(x)", "2*sin(x)"}, {"x(x+1)", "x*(x+1)"},
      {"(x)(x)", "(x)*(x)"}, {"xx", "x*x"}, {"psin(x)", "p*sin(x)"}, {"sin2x", "sin2*x"}, {"ex", "e*x"},
      {"x2", "x2"}, {"(x)2", "(x)2"}, {"2e", "2e"}, {"ep", "ep"}, {"2p", "2p"},
      // Enclosing brackets go; a leading minus becomes 0-.
      {"((x))", "x"}, {"(x+1)*(x-1)", "(x+1)*(x-1)"}, {"(((2)))", "2"}, {"(x)+(1)", "(x)+(1)"},
      {"((x)+1)", "(x)+1"}, {"-x^2", "0-x^2"}, {"-(x+1)", "0-(x+1)"}, {"(-x)", "0-x"},
      {"2*(-(-x))", "2*(0-(0-x))"}, {"sin(-x)", "sin(0-x)"}, {"sin(-x)*2x", "sin(0-x)*2*x"},
      // No other unary minus, no blank removal; Cyrillic and other bytes are left alone.
      {"2*-3", "2*-3"}, {"x^-1", "x^-1"}, {"+x", "+x"}, {"2+-x", "2+-x"}, {"x + 1", "x + 1"},
      {"\xC4X", "\xC4x"},
  };
  for (const Case& c : cases) {
    const std::string once = Prepared(c.in);
    EXPECT_EQ(once, c.out) << c.in;
    EXPECT_EQ(Prepared(once), once) << c.in;  // preparing twice changes nothing
  }
}

TEST(PrepareExpression, Errors) {
  struct Case {
    const char* text;
    int32_t err;
  } cases[] = {{"", 1}, {"()", 1}, {"(())", 1}, {"(x", 2}, {"x)", 2}, {")x(", 2}};
  for (const Case& c : cases) {
    int32_t e = 0;
    Prepared(c.text, &e);
    EXPECT_EQ(e, c.err) << c.text;
  }
  // Success leaves the caller's value alone.
  std::string s = "x";
  int32_t err = 77;
  PrepareExpression(s, err);
  EXPECT_EQ(err, 77);
}

TEST(PrepareExpression, EnclosingBracketsUpTo32765) {
  auto nested = [](int depth, const std::string& inner) {
    return std::string(depth, '(') + inner + std::string(depth, ')');
  };
  // The least depth starts at 32765: deeper enclosing brackets are removed
  // only that far, and what is left fails in the parser.
  EXPECT_EQ(Prepared(nested(32765, "x+1")), "x+1");
  EXPECT_EQ(Prepared(nested(32766, "x+1")), "(x+1)");
  EXPECT_TRUE(Prepared(nested(100000, "x")) == nested(100000 - 32765, "x"));
  int32_t err = 0;
  Prepared(nested(32765, ""), &err);
  EXPECT_EQ(err, 1);
  err = 0;
  EXPECT_TRUE(Prepared(nested(40000, ""), &err) == nested(40000 - 32765, ""));
  EXPECT_EQ(err, 0);
}

}  // namespace
