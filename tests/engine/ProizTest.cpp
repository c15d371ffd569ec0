// The symbolic derivative of formula texts.
#include <gtest/gtest.h>

#include "orvanta/engine/ProizUnit.h"

namespace {

std::string Fold(const std::string& s, int32_t digits = 4) {
  std::string r;
  FoldConstant(s, digits, r);
  return r;
}

TEST(FoldConstant, Examples) {
  EXPECT_EQ(Fold("2*3"), "6");
  EXPECT_EQ(Fold("0-0.5"), "(-0.5)");
  EXPECT_EQ(Fold("1/3"), "0.3333");
  EXPECT_EQ(Fold("1/0"), "0");
  EXPECT_EQ(Fold("ln(0-1)"), "0");
  EXPECT_EQ(Fold(""), "");
  EXPECT_EQ(Fold("(x)"), "(x)");  // a text with x stays as it is
  EXPECT_EQ(Fold("0-0.00001"), "(-0)");
  EXPECT_EQ(Fold("e", 4), "2.7183");
}

}  // namespace
