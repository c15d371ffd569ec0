// The exports' contract: slots, messages, the calling order and the
// boundary rules (internal failures, NULL arguments, the FP environment).
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "KorvelTestUtil.h"
#include "platform/Cp1251.h"

using namespace korvel_test;

namespace {

// Taken when the test program is loaded, before any test runs a call.
const uint8_t DrawAtLoad = GetDraw();
const long double CoefficientsAtLoad = Compile(1, "a+b+c+x") == 0 ? Interpret(1) : -1.0L;

std::string Message(int32_t code) {
  const char* msg = nullptr;
  Error(code, &msg);
  return msg == nullptr ? std::string("<null>") : std::string(msg);
}

TEST(KorvelApi, InitialState) {
  EXPECT_EQ(DrawAtLoad, 1);
  EXPECT_EQ(CoefficientsAtLoad, 1.0L);  // a = b = c = 0 before any Init_ABC
}

TEST(KorvelApi, MessageTextsAreWindows1251) {
  const char* texts[] = {
      "Ошибка при выделении памяти",
      "Недопустимый символ",
      "Лишняя точка",
      "Закрывающая скобка поставлена раньше открывающей",
      "Лишняя открывающая скобка",
      "Лишний знак модуля",
      "Функция не задана",
      "Неправильный конец функции",
      "Синтаксическая ошибка",
      "Закрывающий знак модуля поставлен раньше открывающего",
  };
  for (int32_t code = 1; code <= 10; ++code)
    EXPECT_EQ(Message(code), cp1251::FromUtf8(texts[code - 1])) << "code " << code;
  const std::string unknown = cp1251::FromUtf8("Неизвестная ошибка");
  for (int32_t code : {0, 11, -1, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()})
    EXPECT_EQ(Message(code), unknown) << "code " << code;
  // The byte form, independent of the codec.
  EXPECT_EQ(Message(3), "\xcb\xe8\xf8\xed\xff\xff\x20\xf2\xee\xf7\xea\xe0");
  // The text is the library's own, the same every time; a NULL Msg is ignored.
  const char* first = nullptr;
  const char* second = nullptr;
  Error(9, &first);
  Error(9, &second);
  EXPECT_EQ(first, second);
  Error(9, nullptr);
}

TEST(KorvelApi, LexanLowercasesTheCallersText) {
  char text[] = "X+A";
  Init_Number(1);
  Lex_Analiz_Init();
  EXPECT_EQ(Lexan(text), 0);
  EXPECT_STREQ(text, "x+a");
  char other[] = "SIN(X)\xC0\xE0";  // bytes above 0x7F stay as they are
  Lex_Analiz_Init();
  EXPECT_EQ(Lexan(other), 2);
  EXPECT_STREQ(other, "sin(x)\xC0\xE0");
}

TEST(KorvelApi, SlotsAreIndependentAndShareTheCoefficients) {
  ASSERT_EQ(Compile(1, "a*x+b"), 0);
  ASSERT_EQ(Compile(2, "2*x+c"), 0);
  Init_ABC(2, 1, 7);
  Init_Number(1);
  EXPECT_EQ(Interpret(3), 7.0L);
  Init_Number(2);
  EXPECT_EQ(Interpret(3), 13.0L);
  // Clearing slot 2, twice, leaves slot 1 compiled.
  Lex_Analiz_Init();
  Lex_Analiz_Init();
  EXPECT_EQ(Interpret(3), 0.0L);
  EXPECT_EQ(GetDraw(), 0);
  Init_Number(1);
  EXPECT_EQ(Interpret(4), 9.0L);
  EXPECT_EQ(GetDraw(), 1);
  Init_ABC(0, 0, 0);
  // A literal keeps its value when the tokens counted since the last
  // clearing went to the other slot.
  ASSERT_EQ(Compile(1, "x+1"), 0);
  Init_Number(2);
  std::string text = "5+x*2";
  ASSERT_EQ(Lexan(text.data()), 0);
  EXPECT_EQ(Interpret(1), 7.0L);
  Init_Number(1);
  EXPECT_EQ(Interpret(1), 2.0L);
}

TEST(KorvelApi, SecondLexanAndFailedCompiles) {
  // The check stops at the first end marker: the first formula's result.
  ASSERT_EQ(Compile(1, "x+"), 8);
  std::string valid = "x";
  EXPECT_EQ(Lexan(valid.data()), 8);
  EXPECT_EQ(Interpret(3), 0.0L);
  EXPECT_EQ(GetDraw(), 0);
  // A slot whose last Lexan failed gives an undefined 0. Behind a good
  // formula, a text that scans is ignored; one that does not scan fails.
  for (const char* text : {"sinx", "1.2.3", "(x", "sin("}) {
    const int32_t code = Compile(1, text);
    EXPECT_NE(code, 0) << text;
    EXPECT_EQ(Interpret(3), 0.0L) << text;
    EXPECT_EQ(GetDraw(), 0) << text;
    ASSERT_EQ(Compile(1, "x"), 0);
    std::string again = text;
    const bool scans = code > 3;
    EXPECT_EQ(Lexan(again.data()), scans ? 0 : code) << text;
    EXPECT_EQ(Interpret(3), scans ? 3.0L : 0.0L) << text;
    EXPECT_EQ(GetDraw(), scans ? 1 : 0) << text;
  }
}

TEST(KorvelApi, InternalFailures) {
  // A slot number other than 1 or 2.
  ASSERT_EQ(Compile(1, "x+1"), 0);
  ASSERT_EQ(Compile(2, "x+2"), 0);
  for (uint8_t n : {0, 3, 255}) {
    Init_Number(n);
    std::string text = "X";
    EXPECT_EQ(Lexan(text.data()), -1);
    EXPECT_EQ(Interpret(1), 0.0L);
    EXPECT_EQ(GetDraw(), 0);
    Lex_Analiz_Init();  // does nothing
  }
  Init_Number(1);
  EXPECT_EQ(Interpret(1), 2.0L);
  Init_Number(2);
  EXPECT_EQ(Interpret(1), 3.0L);
  // No text; a literal beyond the extended range, and one just inside it.
  EXPECT_EQ(Lexan(nullptr), -1);
  EXPECT_EQ(Compile(1, "1" + std::string(5000, '0')), -1);
  EXPECT_EQ(Interpret(1), 0.0L);
  EXPECT_EQ(GetDraw(), 0);
  EXPECT_EQ(Compile(1, "1" + std::string(4900, '0') + "/1" + std::string(4899, '0')), 0);
  EXPECT_NEAR(static_cast<double>(Interpret(0)), 10.0, 1e-12);
  // Letter runs of any length are code 2.
  for (size_t n : {7u, 256u, 100000u}) EXPECT_EQ(Compile(1, std::string(n, 'q')), 2) << n;
  EXPECT_EQ(Compile(1, "x+" + std::string(300, 'a')), 2);
}

// The caller's flags, rounding and traps are as they were after every call.
TEST(KorvelApi, FloatingPointEnvironmentIsKept) {
  ASSERT_EQ(Compile(1, "1/x+exp(100000)+sqrt(x-1)+ln(x)+exp(6000)*exp(6000)"), 0);
  std::feclearexcept(FE_ALL_EXCEPT);
  Interpret(0);
  EXPECT_EQ(GetDraw(), 0);
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);

  // The mathematical library sets SSE flags too.
  for (const char* text : {"2^sin(x)", "arcsin(x)*ln(x)+tg(x)", "x^0.5+exp(x)", "x^3-x^2"}) {
    ASSERT_EQ(Compile(1, text), 0) << text;
    for (long double x : {0.3L, 1.0L, -2.0L}) {
      std::feclearexcept(FE_ALL_EXCEPT);
      Interpret(x);
      EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0) << text << " at " << static_cast<double>(x);
    }
  }

  std::feraiseexcept(FE_INEXACT | FE_UNDERFLOW);
  Interpret(0);
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), FE_INEXACT | FE_UNDERFLOW);
  std::feclearexcept(FE_ALL_EXCEPT);

  // Rounding towards +inf in the caller: the library still rounds to nearest.
  ASSERT_EQ(Compile(1, "1/3"), 0);
  const long double nearest = Interpret(0);
  ASSERT_EQ(std::fesetround(FE_UPWARD), 0);
  const long double underUpward = Interpret(0);
  EXPECT_EQ(std::fegetround(), FE_UPWARD);
  std::fesetround(FE_TONEAREST);
  EXPECT_EQ(underUpward, nearest);

  std::feclearexcept(FE_ALL_EXCEPT);
  EXPECT_EQ(Compile(1, "12345.678"), 0);
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
}

TEST(KorvelApi, UnmaskedTrapsRaiseNoSignal) {
  ASSERT_EQ(Compile(1, "1/x+exp(100000)+sqrt(x-1)+exp(6000)*exp(6000)+(-8)^(1/3)"), 0);
  std::feclearexcept(FE_ALL_EXCEPT);
  ASSERT_EQ(feenableexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW), 0);
  const long double v = Interpret(0);
  const uint8_t draw = GetDraw();
  Init_ABC(std::numeric_limits<long double>::signaling_NaN(), 0, 0);
  const int traps = fegetexcept();
  fedisableexcept(FE_ALL_EXCEPT);
  Init_ABC(0, 0, 0);
  EXPECT_EQ(traps, FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
  EXPECT_TRUE(std::isfinite(v));
  EXPECT_EQ(draw, 0);
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
}

}  // namespace
