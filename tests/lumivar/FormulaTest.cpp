// The ten built-in formulas, their undefined points and the captions.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "lumivar/DrawGraph.h"
#include "lumivar/Graph.h"

using namespace lumivar;

namespace {

TEST(Formulas, ValuesAndUndefinedPoints) {
  struct Case {
    int index;
    long double x, a, b, c, expected;
    bool defined;
  };
  const Case cases[] = {
      {1, 2.5L, 3, 0.5L, -1, -1 + 3 * sinl(2.0L), true},
      {2, 2.5L, 3, 0.5L, -1, -1 + 3 * cosl(2.0L), true},
      {3, -2, 1.5L, 4, 7, 7 + (6 - 8), true},
      {4, 2, 3, 0.25L, 1, 1 + cosl(0.5L) * 6, true},
      {5, 3, 2, 0.5L, -4, -4 + (2 * cosl(1.5L) + 9), true},
      {6, 1, -2, 4, 0.5L, 0.5L + (-3) * (-2 * -3), true},
      {7, 4, 6, 1, 2, 2 + 6 / 3.0L, true},
      {7, 0.5L, 2, 0.5L, 3, 0, false},  // the pole
      {7, 0.5L, 0, 0.5L, 3, 0, false},  // 0/0 as well
      {7, 0.5L + 1e-18L, 1, 0.5L, 0, 1 / ((0.5L + 1e-18L) - 0.5L), true},
      {8, -3, 2, 1, 1, 1 + 2 * 4, true},
      {9, 10, 3, 1, 2, 2 + 3 * 3, true},
      {9, 0.999L, 5, 1, 2, 0, false},  // left of b
      {9, 1, 5, 1, 2, 2, true},        // c at b
      {10, 1.25L, 2, 0.25L, 1, 1 + 2 * tanl(1.0L), true},
  };
  for (const Case& k : cases) {
    PointDefined = !k.defined;
    const long double v = FuncTable(k.index)(k.x, k.a, k.b, k.c);
    // The expected values may be folded at compile time with other last bits.
    EXPECT_NEAR(static_cast<double>(v), static_cast<double>(k.expected),
                1e-15 * std::fabs(static_cast<double>(k.expected)) + 1e-300)
        << "formula " << k.index << " at " << static_cast<double>(k.x);
    EXPECT_EQ(PointDefined, k.defined) << "formula " << k.index << " at " << static_cast<double>(k.x);
  }
}

TEST(Formulas, DefinedAndFiniteOverTheViewRangeAndNextToTheTangentPoles) {
  for (int n : {1, 2, 3, 4, 5, 6, 8})
    for (long double x : {-1e5L, -1.0L, 0.0L, 1e5L}) {
      PointDefined = false;
      const long double v = FuncTable(n)(x, 99999, -99999, 99999);
      EXPECT_TRUE(PointDefined && std::isfinite(v)) << n << " at " << static_cast<double>(x);
    }
  // Pixel columns around pi/2 at 30 pixels per unit.
  for (int i = 40; i <= 55; ++i) {
    PointDefined = false;
    const long double v = EvalTangent(i / 30.0L, 1, 0, 0);
    EXPECT_TRUE(PointDefined && std::isfinite(v)) << i;
  }
  EXPECT_GT(EvalTangent(1.5707963267948966L, 1, 0, 0), 1e15L);
}

TEST(Formulas, CaptionsOfTheBuiltInAndTypedFormulas) {
  ResetProgramState();
  const char* expected[] = {"y=aSin(x-b)+c",  "y=aCos(x-b)+c",     "y=ax^2+bx+c",
                            "y=axCos(b*x)+c", "y=x^2+aCos(b*x)+c", "y=a(x-b)^2+c",
                            "y=a/(x-b)+c",    "y=a|x-b|+c",        "y=a(x-b)^1/2+c",
                            "y=aTg(x-b)+c"};
  for (int n = 1; n <= 10; ++n) EXPECT_EQ(FuncCaption(n), expected[n - 1]);
  EXPECT_EQ(FuncCaption(11), "");  // nothing accepted yet
  AltFormulas[2] = "y=x^2";
  EXPECT_EQ(FuncCaption(12), "y=x^2");
  EXPECT_THROW(FuncCaption(0), std::out_of_range);
  EXPECT_THROW(FuncTable(0), std::out_of_range);
  EXPECT_THROW(Graphs[3], std::out_of_range);
}

}  // namespace
