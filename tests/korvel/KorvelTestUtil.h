#pragma once
// Drives the library as the plotter does: select, clear, compile, evaluate.
#include <gtest/gtest.h>

#include <string>

#include "korvel/korvel.h"

namespace korvel_test {

// Clears slot n and compiles a writable copy of text into it.
inline int32_t Compile(uint8_t slot, std::string text) {
  Init_Number(slot);
  Lex_Analiz_Init();
  return Lexan(text.data());
}

struct Point {
  long double value;
  uint8_t draw;
};

// Compiles text into slot 1 and evaluates it at x.
inline Point Eval(const std::string& text, long double x) {
  const int32_t code = Compile(1, text);
  EXPECT_EQ(code, 0) << "'" << text << "' does not compile";
  if (code != 0) return {0, 0};
  const long double v = Interpret(x);
  return {v, GetDraw()};
}

inline long double Value(const std::string& text, long double x = 0) { return Eval(text, x).value; }

// One evaluation with its exact value and Draw flag.
struct Case {
  const char* text;
  long double x;
  long double value;
  uint8_t draw;
};

inline void ExpectCases(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    const Point p = Eval(c.text, c.x);
    EXPECT_EQ(p.value, c.value) << "'" << c.text << "' at " << static_cast<double>(c.x);
    EXPECT_EQ(p.draw, c.draw) << "'" << c.text << "' at " << static_cast<double>(c.x);
  }
}

}  // namespace korvel_test
