// Decimal texts of values and the reading of number texts.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"

namespace {

TEST(TrimZeros, Examples) {
  const char* cases[][2] = {{"2.5000", "2.5"}, {"3.0000", "3"}, {"-0.0000", "-0"}, {"10.0000", "10"},
                            {"100.000", "100"}, {"0.500", "0.5"}, {"100", "100"},  // no point: digits kept
                            {"0", "0"},         {"", ""}};
  for (const auto& c : cases) {
    std::string t = c[0];
    TrimZeros(t);
    EXPECT_EQ(t, c[1]) << c[0];
  }
}

TEST(FormatFixed, RoundsHalfAwayFromZeroWithTheSignOfTheSignBitInFixedNotation) {
  struct Case {
    long double value;
    int digits;
    const char* text;
  } cases[] = {
      {0.125L, 2, "0.13"}, {-0.125L, 2, "-0.13"}, {2.5L, 0, "3"}, {9.99995L, 4, "10.0000"}, {2.0L / 3, 9, "0.666666667"},
      {1.005L, 2, "1.01"},  // stored a little below itself, but its 18 digits end in ...000
      {-0.00001L, 4, "-0.0000"}, {-0.0L, 4, "-0.0000"}, {0.0L, 4, "0.0000"}, {1e-40L, 3, "0.000"},
      {1e40L, 2, "10000000000000000000000000000000000000000.00"},
      // Digits beyond the 18th significant one print as zeros.
      {1234567890123456789012.0L, 0, "1234567890123456790000"}, {0.1L, 18, "0.100000000000000000"},
      {18446744073709551615.0L, 0, "18446744073709551600"}};
  for (const Case& c : cases) EXPECT_EQ(FormatFixed(c.value, c.digits), c.text) << c.text;
  const std::string big = FormatFixed(0x1.fffffffffffffffep16383L, 1);
  EXPECT_EQ(big.size(), 4933u + 2);
  EXPECT_EQ(big.substr(0, 18), "118973149535723177");
}

TEST(DecimalText, Examples) {
  EXPECT_EQ(DecimalText(2.5L, 4), "2.5");
  EXPECT_EQ(DecimalText(3, 4), "3");
  EXPECT_EQ(DecimalText(0.99999L, 4), "1");
  EXPECT_EQ(DecimalText(1.0L / 3, 4), "0.3333");
  EXPECT_EQ(DecimalText(-0.5L, 4), "-0.5");
  EXPECT_EQ(DecimalText(-0.00001L, 4), "-0");
  EXPECT_EQ(DecimalText(0.00001L, 4), "0");
}

TEST(NumberTexts, IndependentOfTheLocale) {
  const char* old = setlocale(LC_ALL, nullptr);
  std::string saved = old ? old : "C";
  bool switched = setlocale(LC_ALL, "ru_RU.UTF-8") || setlocale(LC_ALL, "de_DE.UTF-8") ||
                  setlocale(LC_ALL, "fr_FR.UTF-8");
  EXPECT_EQ(FormatFixed(2.5L, 2), "2.50");
  EXPECT_EQ(StrToExt("1.5"), 1.5L);
  long double v = 0;
  EXPECT_FALSE(TryStrToExt("1,5", &v));
  objFunc f;
  std::string s = "x+0.5";
  f.Reset();
  f.Parse(s);
  long double r = 0;
  f.Reset();
  f.Calc(r, 1);
  EXPECT_EQ(r, 1.5L);
  setlocale(LC_ALL, saved.c_str());
  if (!switched) GTEST_SKIP() << "no locale with a decimal comma installed";
}

TEST(TryStrToExt, Grammar) {
  struct Case {
    const char* text;
    long double value;
  } good[] = {{"1.5", 1.5L},   {"-2e3", -2000},  {" 4", 4},      {"+.5", 0.5L}, {"5.", 5},
              {"1E+2", 100},   {"1e-2", 0.01L},  {"  -0", -0.0L}, {"007", 7},   {"0.1", 0.1L},
              {"1e-5000", 0}, {"1", 1}};
  for (const Case& c : good) {
    long double v = 12345;
    EXPECT_TRUE(TryStrToExt(c.text, &v)) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
  EXPECT_TRUE(std::signbit(StrToExt("-0")));
  // A point with no digits on either side is zero, keeping its sign.
  struct Lone {
    const char* text;
    bool negative;
  } lone[] = {{".", false}, {"+.", false}, {"-.", true}, {"  .", false}, {".e5", false}, {"-.E-2", true}};
  for (const Lone& c : lone) {
    long double v = 12345;
    EXPECT_TRUE(TryStrToExt(c.text, &v)) << c.text;
    EXPECT_EQ(v, 0.0L) << c.text;
    EXPECT_EQ(std::signbit(v), c.negative) << c.text;
  }
  for (const char* bad : {"", " ", "-", "+", "..", ". ", ".e", "-.-", "1.2.3", "1e", "1e+", "e5", "1 ", "1,5", "inf", "nan",
                          "INF", "0x10", "--1", "1e5000", "1e99999",
                          "\t1", "1e2.5", "+-1", "1..", "١"}) {
    long double v = 12345;
    EXPECT_FALSE(TryStrToExt(bad, &v)) << bad;
    EXPECT_EQ(v, 12345.0L) << bad;
  }
  EXPECT_FALSE(TryStrToExt("1" + std::string(5000, '0'), nullptr));
  EXPECT_EQ(StrToExt("abc"), 0.0L);
}

TEST(StrToInteger, Conversions) {
  EXPECT_EQ(StrToInteger(" -7"), -7);
  EXPECT_EQ(StrToInteger("+2147483647"), 2147483647);
  EXPECT_EQ(StrToInteger("-2147483648"), INT32_MIN);
  int32_t v = 5;
  for (const char* bad : {"2147483648", "99999999999999999999", "1.0", "", "-", "3 "})
    EXPECT_FALSE(TryStrToInteger(bad, &v)) << bad;
  EXPECT_EQ(v, 5);
  EXPECT_EQ(StrToInteger("x"), 0);
}

}  // namespace
