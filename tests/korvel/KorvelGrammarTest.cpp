// Random well-formed formulas against an independent evaluator of the same
// grammar: "+" and "-" below a leading unary minus, below "*" and "/", below
// "^", all left-associative; a function binds its own bracket. Agreement
// must be exact, since both apply the same operations in the same order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "KorvelTestUtil.h"

using namespace korvel_test;

namespace {

struct Node {
  std::string text;
  long double value;
  bool ok;  // no failing operation and a finite value throughout
};

class Generator {
 public:
  // Arithmetic: no function calls, and two operands that an 80-bit value
  // holds only (0.1 and the coefficient b) in place of sin and cos.
  Generator(std::mt19937& rng, long double x, bool arithmetic = false, long double b = 0)
      : rng_(rng), x_(x), b_(b), arithmetic_(arithmetic) {}

  // sum := ["-"] prod (("+" | "-") prod)*
  Node Sum(int depth) {
    Node n = Prod(depth);
    if (Pick(4) == 0) n = {"-" + n.text, -n.value, n.ok};
    for (int i = Pick(3); i > 0; --i) {
      Node r = Prod(depth);
      const bool plus = Pick(2) == 0;
      n = Combine(n, plus ? "+" : "-", r, plus ? n.value + r.value : n.value - r.value);
    }
    return n;
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  static Node Combine(const Node& l, const char* op, const Node& r, long double v) {
    return {l.text + op + r.text, v, l.ok && r.ok && std::isfinite(v)};
  }

  // prod := pow (("*" | "/") pow)*
  Node Prod(int depth) {
    Node n = Pow(depth);
    for (int i = Pick(3); i > 0; --i) {
      Node r = Pow(depth);
      if (Pick(2) == 0) {
        n = Combine(n, "*", r, n.value * r.value);
      } else {
        n = Combine(n, "/", r, r.value == 0 ? 0 : n.value / r.value);
        if (r.value == 0) n.ok = false;
      }
    }
    return n;
  }

  static long double IntPower(long double b, unsigned k) {  // repeated squaring
    long double r = 1;
    for (;; b *= b) {
      if (k & 1) r *= b;
      if ((k >>= 1) == 0) return r;
    }
  }

  // pow := atom ("^" (digit | "sin(" sum ")"))*
  Node Pow(int depth) {
    Node n = Atom(depth);
    for (int i = Pick(4) == 0 ? 1 + Pick(2) : 0; i > 0; --i) {
      if (Pick(3) != 0 || arithmetic_) {
        const int e = Pick(5);
        n = Combine(n, "^", {std::to_string(e), static_cast<long double>(e), true}, IntPower(n.value, e));
        continue;
      }
      // A function as the exponent: 2^sin(x) is 2 raised to sin x.
      Node s = Sum(depth - 1);
      const long double e = std::sin(s.value);
      Node r{"sin(" + s.text + ")", e, s.ok && std::fabs(s.value) < 1e18L};
      long double v = 0;
      if (e == std::trunc(e)) {
        v = e >= 0 ? IntPower(n.value, static_cast<unsigned>(e)) : 1 / IntPower(n.value, static_cast<unsigned>(-e));
      } else if (n.value > 0) {
        v = std::exp(e * std::log(n.value));
      } else {
        r.ok = false;  // 0 or a negative base with a fractional exponent
      }
      n = Combine(n, "^", r, v);
    }
    return n;
  }

  Node Atom(int depth) {
    const int kind = depth <= 0 ? Pick(3) : Pick(9);
    if (kind == 0) return {"x", x_, true};
    if (kind == 1) {
      const int d = 1 + Pick(9);
      return {std::to_string(d), static_cast<long double>(d), true};
    }
    if (kind == 2) return {"2.5", 2.5L, true};
    if (arithmetic_ && kind == 7) return {"0.1", 1.0L / 10, true};
    if (arithmetic_ && kind == 8) return {"b", b_, true};
    const Node n = Sum(depth - 1);
    const bool inRange = std::fabs(n.value) < 1e18L;  // sin and cos give 0 from 2^63 on
    switch (kind) {
      case 3:
      case 4: return {"(" + n.text + ")", n.value, n.ok};
      case 5: return {"[" + n.text + "]", std::fabs(n.value), n.ok};
      case 6: return {"sqr(" + n.text + ")", n.value * n.value, n.ok && std::isfinite(n.value * n.value)};
      case 7: return {"sin(" + n.text + ")", std::sin(n.value), n.ok && inRange};
      default: return {"cos(" + n.text + ")", std::cos(n.value), n.ok && inRange};
    }
  }

  std::mt19937& rng_;
  long double x_;
  long double b_;
  bool arithmetic_;
};

// Compiles random formulas and compares them with the generator's value
// wherever it finds no failure. Without function calls (arithmetic) the
// evaluator takes another path, and deeper formulas keep more operands on
// its stack.
void CompareRandomFormulas(unsigned seed, bool arithmetic) {
  std::mt19937 rng(seed);
  const long double b = arithmetic ? 1.0L / 3 : 0;
  Init_ABC(0, b, 0);
  int compared = 0;
  for (int i = 0; i < 3000; ++i) {
    const long double x = std::uniform_int_distribution<int>(-40, 40)(rng) / (arithmetic ? 7.0L : 8.0L);
    Generator g(rng, x, arithmetic, b);
    const Node n = g.Sum(arithmetic ? 5 : 3);
    ASSERT_EQ(Compile(1, n.text), 0) << n.text;
    const long double v = Interpret(x);
    if (!n.ok) continue;
    ++compared;
    EXPECT_EQ(GetDraw(), 1) << n.text;
    EXPECT_EQ(std::memcmp(&v, &n.value, 10), 0)
        << n.text << " at " << static_cast<double>(x) << ": " << static_cast<double>(v) << " vs "
        << static_cast<double>(n.value);
  }
  Init_ABC(0, 0, 0);
  EXPECT_GT(compared, 500);
}

TEST(KorvelGrammar, RandomFormulasMatchAnIndependentEvaluator) {
  CompareRandomFormulas(20261209, false);
  CompareRandomFormulas(20261210, true);
}

}  // namespace
