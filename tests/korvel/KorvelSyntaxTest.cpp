// The syntax check: which code a malformed formula gets, in the order of the
// check (a bad token or a counter below zero at once; then no operand, a bad
// end, an open "(", an open "[").
#include <gtest/gtest.h>

#include "KorvelTestUtil.h"

using namespace korvel_test;

namespace {

struct Case {
  const char* text;
  int32_t code;
};

TEST(KorvelSyntax, Codes) {
  const Case cases[] = {
      // nothing to evaluate
      {"", 7}, {"   ", 7}, {"(", 7}, {"-", 7}, {"sin(", 7}, {"[(", 7}, {"()", 9},
      // ends after an operator, a function or an opening bracket
      {"2+", 8}, {"x*", 8}, {"x^", 8}, {"sin", 7}, {"x+(", 8}, {"(x+", 8}, {"x*[", 8},
      // brackets
      {"x)", 4}, {")x", 9}, {"(x", 5}, {"[x", 6}, {"x]", 10}, {"]x", 9}, {"(x))", 4}, {"[x]]", 10},
      {"((x)", 5}, {"[(x)", 6}, {"([x)", 6}, {"(x)+(", 8}, {"x)+(", 4}, {"x]+[", 10}, {"(x]", 10},
      // signs
      {"-x", 0}, {"(-x)", 0}, {"[-x]", 0}, {"-(x)", 0}, {"--x", 9}, {"+x", 9}, {"2*-3", 9}, {"2^-1", 9},
      {"2*(-3)", 0}, {"x-+1", 9}, {"*x", 9},
      // functions need "("
      {"sin x", 9}, {"sin[x]", 9}, {"sin(x)^2", 0}, {"2^sin(x)", 0}, {"sin()", 9}, {"sin(x)(1)", 9},
      // no implied product
      {"2x", 9}, {"x(1)", 9}, {"2pi", 9}, {"(x)(x)", 9}, {"[x][x]", 9}, {"x x", 9}, {"pi e", 9},
      // valid
      {"[x-1]*2", 0}, {"([x)]", 0}, {"a*x^2+b*x+c", 0}, {"sqrt(sqr(x)+1)", 0}, {"[[x]]", 0},
      // a bad token wins over an open bracket found later
      {"((x x", 9}, {"x)(", 4},
  };
  for (const Case& c : cases) EXPECT_EQ(Compile(1, c.text), c.code) << "'" << c.text << "'";
}

}  // namespace
