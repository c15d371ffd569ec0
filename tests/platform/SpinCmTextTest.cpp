// Texts of the decimal spin edit: reading with exact half-even rounding,
// writing with grouping and five significant digits, limits, typed characters.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/SpinCmText.h"

namespace {

const plat::TNumberSeparators kComma{",", "\xC2\xA0"};  // Russian
const std::string NBSP = "\xC2\xA0";

TEST(SpinCmText, ReadsHundredthsRoundedHalfToEvenFromTheExactDecimal) {
  struct Case {
    std::string text;
    std::int32_t value;
  };
  const Case cases[] = {
      {"0,125", 12},  {"0,375", 38},   {"0,135", 14},       {"0,145", 14},    {"1,005", 100},
      {"1,015", 102}, {"1,0051", 101}, {"-0,125", -12},     {"1,5", 150},     {"7", 700},
      {" -1,50 ", -150}, {"+2,5", 250}, {"1e2", 10000},     {"2,5E-2", 2},    {"3,5e-2", 4},
      {"0,00", 0},    {"-0", 0},       {",5", 50},          {"5,", 500},      {"0e999999999999", 0},
      {"1" + NBSP + "000,00", 100000}, {"21" + NBSP + "474" + NBSP + "836,47", INT32_MAX},
      {"-21474836,48", INT32_MIN},     {"0,000000000000000000000000005", 0},
  };
  for (const Case& c : cases) {
    std::int32_t v = -1;
    EXPECT_TRUE(plat::TryReadHundredths(c.text, kComma, v)) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
}

TEST(SpinCmText, RefusesWhatIsNoNumberOrLeavesTheRange) {
  for (const std::string& t :
       {std::string(""), std::string(" "), std::string("-"), std::string("1.5.0"), std::string("1,2,3"),
        std::string("1,5.0"), std::string("1.5,0"), std::string("."),
        std::string("abc"), std::string("1e"), std::string("1e+"), std::string("1 000"),
        std::string("1" + NBSP), NBSP + "1", std::string("1,5 0"), std::string("21474836,48"),
        std::string("-21474836,49"), std::string("1e99999999999"), std::string("1,0" + NBSP + "00"),
        std::string(",")}) {
    std::int32_t v = 0;
    EXPECT_FALSE(plat::TryReadHundredths(t, kComma, v)) << "[" << t << "]";
  }
}

TEST(SpinCmText, WritesTwoDecimalsGroupedWithFiveSignificantDigits) {
  struct Case {
    std::int32_t value;
    std::string text;
  };
  const Case cases[] = {
      {0, "0,00"},           {34, "0,34"},        {2970, "29,70"},       {-150, "-1,50"},
      {5, "0,05"},           {-5, "-0,05"},       {99999, "999,99"},     {100000, "1" + NBSP + "000,00"},
      {123456, "1" + NBSP + "234,60"},           {123455, "1" + NBSP + "234,60"},
      {123465, "1" + NBSP + "234,60"},           {9999949, "99" + NBSP + "999,00"},
      {9999950, "1,0000E+5"}, {INT32_MIN, "-2,1475E+7"},
  };
  for (const Case& c : cases) EXPECT_EQ(plat::WriteHundredths(c.value, kComma), c.text) << c.value;
  const plat::TNumberSeparators english{".", ","};
  EXPECT_EQ(plat::WriteHundredths(-123400, english), "-1,234.00");
}

TEST(SpinCmText, WrittenTextsFromAThousandUpReadBack) {
  for (const plat::TNumberSeparators& sep :
       {kComma, plat::TNumberSeparators{",", "."}, plat::TNumberSeparators{".", ","}}) {
    for (std::int32_t v : {100000, 250000, 9999900, -100000, 1000000}) {
      std::int32_t back = 0;
      const std::string t = plat::WriteHundredths(v, sep);
      ASSERT_TRUE(plat::TryReadHundredths(t, sep, back)) << t;
      EXPECT_EQ(back, v) << t;
    }
    std::int32_t back = 0;
    ASSERT_TRUE(plat::TryReadHundredths(plat::WriteHundredths(9999950, sep), sep, back));
    EXPECT_EQ(back, 10000000);
  }
}

TEST(SpinCmText, EqualLimitsMeanNoLimitsAndTheMinimumIsTestedFirst) {
  struct Case {
    std::int32_t v, min, max, result;
  };
  const Case cases[] = {{700, 500, 600, 600}, {0, 500, 600, 500}, {550, 500, 600, 550},
                        {-150, 0, 0, -150},   {9999, 7, 7, 9999}, {550, 600, 500, 600},
                        {700, 600, 500, 500}, {600, 600, 500, 500}};
  for (const Case& c : cases)
    EXPECT_EQ(plat::ClampHundredths(c.v, c.min, c.max), c.result) << c.v << " " << c.min << " " << c.max;
}

TEST(SpinCmText, TypedCharacters) {
  struct Case {
    char32_t c;
    bool enabled, disabled;
  };
  const Case cases[] = {{'5', true, false}, {'+', true, false}, {'-', true, false}, {',', true, false},
                        {'.', true, false}, {'a', false, false}, {' ', false, false}, {13, false, false},
                        {8, true, false},   {3, true, true},     {22, true, true},   {0xA0, false, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(plat::IsAllowedSpinCmChar(c.c, kComma, true), c.enabled) << static_cast<int>(c.c);
    EXPECT_EQ(plat::IsAllowedSpinCmChar(c.c, kComma, false), c.disabled) << static_cast<int>(c.c);
  }
  // Either point may be typed whatever the locale prefers.
  for (const plat::TNumberSeparators& sep : {plat::TNumberSeparators{".", ","}, plat::TNumberSeparators{",", "."}})
    for (char32_t c : {U',', U'.'}) {
      EXPECT_TRUE(plat::IsAllowedSpinCmChar(c, sep, true)) << sep.Decimal << static_cast<char>(c);
      EXPECT_FALSE(plat::IsAllowedSpinCmChar(c, sep, false)) << sep.Decimal << static_cast<char>(c);
    }
  EXPECT_FALSE(plat::IsAllowedSpinCmChar(';', plat::TNumberSeparators{".", ","}, true));
}

// A user types the decimal point of his habit, not his desktop's: "0,5" on
// an English desktop and "0.5" on a Russian one are half a unit, not five.
TEST(SpinCmText, EitherPointReadsAsTheDecimalPointUnderEveryLocale) {
  const plat::TNumberSeparators locales[] = {kComma, {".", ","}, {",", "."}, {".", "'"}};
  for (const plat::TNumberSeparators& sep : locales) {
    struct Case {
      const char* text;
      std::int32_t value;
    };
    for (const Case& c : {Case{"0,5", 50}, Case{"0.5", 50}, Case{"1,25", 125}, Case{"1.25", 125},
                          Case{",5", 50}, Case{".5", 50}, Case{"-2.005", -200}, Case{"3,", 300},
                          Case{"1.5e1", 1500}, Case{"1,234", 123}}) {
      std::int32_t v = -1;
      EXPECT_TRUE(plat::TryReadHundredths(c.text, sep, v)) << c.text << " under " << sep.Decimal << sep.Group;
      EXPECT_EQ(v, c.value) << c.text << " under " << sep.Decimal << sep.Group;
    }
    for (const char* t : {"0,5,", "0.5.", ".,5", "1,,5", "1..5"}) {
      std::int32_t v = 0;
      EXPECT_FALSE(plat::TryReadHundredths(t, sep, v)) << t << " under " << sep.Decimal << sep.Group;
    }
  }
  // Where neither point groups, a text holds one point at most.
  for (const plat::TNumberSeparators& sep : {kComma, plat::TNumberSeparators{".", "'"}})
    for (const char* t : {"1,2.3", "1.2,3"}) {
      std::int32_t v = 0;
      EXPECT_FALSE(plat::TryReadHundredths(t, sep, v)) << t << " under " << sep.Decimal;
    }
  // The locale's own grouped texts still read: its decimal separator tells
  // a group separator that is a point from a decimal point.
  struct Grouped {
    plat::TNumberSeparators sep;
    const char* text;
    std::int32_t value;
  };
  for (const Grouped& g : {Grouped{{".", ","}, "1,234.56", 123456}, Grouped{{".", ","}, "-12,345.00", -1234500},
                           Grouped{{",", "."}, "1.234,56", 123456}, Grouped{{".", "'"}, "1'234.5", 123450},
                           Grouped{{".", "'"}, "1'234,5", 123450}}) {
    std::int32_t v = 0;
    EXPECT_TRUE(plat::TryReadHundredths(g.text, g.sep, v)) << g.text;
    EXPECT_EQ(v, g.value) << g.text;
  }
}

}  // namespace
