// Calc against a plain recursive evaluation of the node array, written from
// the rules of the evaluator: the same code, and the same result bits, for
// many generated formulas at many x, faults and domain errors included.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"

namespace {

struct Reference {
  const objFunc& f;
  long double x;
  int32_t pos = 1;
  int32_t err = 0;

  void Eval(long double& res) {
    if (err > 0) return;
    const TFuncNode& n = f.Nodes[pos++];
    switch (n.Kind) {
      case 1: res = n.Value; return;
      case 4: res = x; return;
      case 2: {
        long double l = 0, r = 0;
        Eval(l);
        Eval(r);
        if (err > 0) return;
        long double v = 0;
        switch (n.Code) {
          case 1: v = l + r; break;
          case 2: v = l - r; break;
          case 3: v = l * r; break;
          case 4:
            if (r == 0) {
              res = 0;
              err = 3;
              return;
            }
            v = l / r;
            break;
          case 5:
          case 6: {
            int32_t e = 0;
            v = n.Code == 5 ? MathPower(e, l, r) : MathRoot(e, l, r);
            if (e == 11) {  // a fault: nothing written
              err = 11;
              return;
            }
            if (e) {
              res = 0;
              err = e;
              return;
            }
            break;
          }
        }
        if (!std::isfinite(v)) {
          err = 11;
          return;
        }
        res = v;
        return;
      }
      case 3: {
        long double a = 0;
        Eval(a);
        if (err > 0) return;
        int32_t e = 0;
        CalcFunction(res, n.Code, e, a);
        if (e) err = e;
        return;
      }
    }
  }
};

bool SameBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

class Gen {
 public:
  explicit Gen(unsigned seed) : rng_(seed) {}
  std::string Make(int depth) {
    if (depth == 0 || Pick(3) == 0) {
      static const char* leaves[] = {"x", "x", "x", "2", "3", "0.5", "0", "1", "1000", "0.1", "p", "e", "(0-2)", "7"};
      return leaves[Pick(14)];
    }
    const int op = Pick(12);
    const std::string a = Make(depth - 1);
    if (op >= 8) {
      static const char* fn[] = {"sin", "cos", "tg", "ctg", "arcsin", "arccos", "arctg", "arcctg", "sqrt",
                                 "ln", "lg", "exp", "abs", "fact", "rnd", "trunc", "frac"};
      return std::string(fn[Pick(17)]) + "(" + a + ")";
    }
    const std::string b = Make(depth - 1);
    static const char* ops[] = {"+", "-", "*", "/", "^", "@", "*", "^"};
    return "(" + a + ")" + ops[op] + "(" + b + ")";
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  std::mt19937 rng_;
};

// Calc and the reference agree on the code and on every bit of the result,
// and no fault flag is left raised, whatever the outcome. Returns the code.
int32_t CheckAt(objFunc& f, const std::string& text, long double x) {
  long double got = -777, want = -777;
  feclearexcept(FE_ALL_EXCEPT);
  f.Reset();
  f.Calc(got, x);
  EXPECT_EQ(fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO), 0) << text << " at " << static_cast<double>(x);
  Reference ref{f, x};
  ref.Eval(want);
  EXPECT_EQ(f.ErrorCode, ref.err) << text << " at " << static_cast<double>(x);
  EXPECT_TRUE(SameBits(got, want)) << text << " at " << static_cast<double>(x) << ": " << static_cast<double>(got)
                                   << " vs " << static_cast<double>(want);
  return ref.err;
}

TEST(Evaluator, AgreesWithTheNodeRules) {
  Gen gen(4242);
  const long double xs[] = {0,      -0.0L,  1,        -1,      2,     -2.5L,   0.5L,   3.14159265L, 0.3L, -1.7L,
                            11.3L,  7,      100,      -1e10L,  1e300L, 1e2500L, -1e4000L, 1e-3000L,  1754, 9.3e18L};
  int formulas = 0, failures = 0;
  for (int i = 0; i < 3000 && !HasFailure(); ++i) {
    std::string text = gen.Make(4);
    objFunc f;
    std::string s = text;
    f.Reset();
    f.Parse(s);
    if (f.ErrorCode != 0) continue;
    ++formulas;
    for (long double x : xs)
      if (CheckAt(f, text, x)) ++failures;
  }
  EXPECT_GT(formulas, 2000);
  EXPECT_GT(failures, 5000);  // the error paths are well exercised
}

TEST(Evaluator, TermsKeepTheirValues) {
  // Products with constants and small powers of x, alone and combined.
  for (const char* text : {"2*x^2", "x^2*2", "3x", "x*3", "0.1*x^3", "x^3*(0-2)", "x^2+1", "1-x^2", "2x^2/3",
                           "(x^3-2x^2+3x-1)/(x^2+1)", "x^2*x^3", "p*x^2", "x^2^2", "1/x^2", "x^2-7", "7-x^3", "3x+1"}) {
    objFunc f;
    std::string s = text;
    f.Reset();
    f.Parse(s);
    ASSERT_EQ(f.ErrorCode, 0) << text;
    for (long double x : {-0.0L, 0.0L, -3.0L, 0.7L, 1.1L, -2.3L, 1e-2000L, 1e1700L, 123456.789L}) CheckAt(f, text, x);
  }
}

}  // namespace
