// The syntax check: which code a malformed formula gets, in the order of the
// check (a bad token or a counter below zero at once; then no operand, a bad
// end, an open "(", an open "[").
#include <gtest/gtest.h>

#include "KorvelTestUtil.h"

using namespace korvel_test;

namespace {

TEST(KorvelSyntax, Codes) {
  const std::pair<const char*, int32_t> cases[] = {
      // nothing to evaluate
      {"", 7}, {"   ", 7}, {"(", 7}, {"-", 7}, {"sin(", 7}, {"sin", 7}, {"[(", 7}, {"()", 9},
      // ends after an operator, a function or an opening bracket
      {"2+", 8}, {"x*", 8}, {"x+(", 8}, {"(x+", 8}, {"x*[", 8},
      // brackets are counted, each kind on its own
      {"x)", 4}, {")x", 9}, {"(x", 5}, {"[x", 6}, {"x]", 10}, {"]x", 9}, {"(x))", 4}, {"[x]]", 10},
      {"[(x)", 6}, {"([x)", 6}, {"x)+(", 4}, {"x]+[", 10}, {"(x]", 10}, {"([x)]", 0}, {"[[x]]", 0},
      // a sign only at the start or after an opening bracket
      {"-x", 0}, {"(-x)", 0}, {"[-x]", 0}, {"-(x)", 0}, {"--x", 9}, {"+x", 9}, {"2*-3", 9}, {"2^-1", 9},
      {"2*(-3)", 0}, {"*x", 9},
      // functions need "("
      {"sin x", 9}, {"sin[x]", 9}, {"sin(x)^2", 0}, {"2^sin(x)", 0}, {"sin()", 9},
      // no implied product
      {"2x", 9}, {"x(1)", 9}, {"2pi", 9}, {"(x)(x)", 9}, {"x x", 9},
      {"[x-1]*2", 0}, {"a*x^2+b*x+c", 0},
      // a bad token wins over an open bracket found later
      {"((x x", 9}, {"x)(", 4},
  };
  for (const auto& [text, code] : cases) EXPECT_EQ(Compile(1, text), code) << "'" << text << "'";
}

}  // namespace
