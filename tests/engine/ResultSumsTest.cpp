// Every value, error code and written-or-untouched result of a broad set of
// formulas at many x, summed per formula and compared with sums recorded
// from the evaluator as it was before its speed-ups: no change to the
// evaluator may move a single bit of a result.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "orvanta/engine/EngineCodes.h"
#include "orvanta/engine/FunctionUnit.h"
#include "tests/common/ResultSums.h"

namespace {

using orv_test::Expect;
using orv_test::Sum;

// Evenly spaced points over the plotting range, the edges of the functions'
// domains and of the integer conversions, and random values of every size.
const std::vector<long double>& Points() {
  static const long double pi = 0xc.90fdaa22168c235p-2L;
  static const std::vector<long double> xs = orv_test::SumPoints(
      {0,     -0.0L,  1,       -1,       0.5L,           -0.5L,      1.5L,     2.5L,      -2.5L,    3,
       1754,  1755,   0x1p63L, -0x1p63L, 0x1p63L - 1024, 1e18L,      1e-4940L, -1e-4940L, 1e4000L,  -1e4000L,
       1e30L, pi / 2, -pi / 2, pi,       2 * pi,         3 * pi / 2, 1e-10L,   0.1L,      1.0L / 3, 7,
       8});
  return xs;
}

// Parsed once, then Reset and Calc per point as the drawing and the table do;
// the result starts as a marker so that an untouched result counts too, and
// the fault flags left behind count as well.
std::uint64_t EngineSum(const char* text) {
  Sum s;
  objFunc f;
  std::string t = text;
  f.Reset();
  f.Parse(t);
  s.Int(f.ErrorCode);
  if (f.ErrorCode != 0) return s.h;
  for (long double x : Points()) {
    std::feclearexcept(FE_ALL_EXCEPT);
    long double r = -12345.678L;
    f.Reset();
    f.Calc(r, x);
    s.Int(f.ErrorCode);
    s.Ext(r);
    s.Int(std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO));
  }
  return s.h;
}

const Expect EngineCases[] = {
    {"x", 0x8dedac786ff69ba8ULL},
    {"-x", 0x3241f965d60197a8ULL},
    {"(x^3-2*x^2+3*x-1)/(x^2+1)", 0xb6febcb2f8fde269ULL},
    {"sin(x)*x^2+3*x-1", 0x1676f5d4c337744cULL},
    {"sin(cos(tg(x)))+sqrt(abs(x))*exp(-x^2)", 0x4f07df95545505fbULL},
    {"(2+3)*x^2-(10/4)*x+sqrt(16)*(7-5)", 0xfa98b0bad53dec85ULL},
    {"5*x^3-2*x^2+x/3-0.1", 0xe67a07dcbfe8b291ULL},
    {"x^3/x^2", 0x21f8a95afdef66edULL},
    {"1/x", 0x392bfa665b95a2aaULL},
    {"1/(x-1)+5", 0x74a1fcbdefa5f77dULL},
    {"x/0", 0x18c6f1cfc843b990ULL},
    {"1/0+x", 0x6026252200ffcc77ULL},
    {"1/(2-2)*x", 0x6026252200ffcc77ULL},
    {"tg(x)", 0x385a7d4aace171c4ULL},
    {"ctg(x)", 0xe645073075bee3c2ULL},
    {"tg(x*1000)", 0xb33a611c266c4185ULL},
    {"ctg(x/7)", 0x892c84ee3bd7109cULL},
    {"tg(p/2)+x", 0xf7c0102cc54c45b7ULL},
    {"ctg(0)+x", 0xba437e7ea1e3625bULL},
    {"tg(x)*ctg(x)", 0x1b2c3976ddb94e29ULL},
    {"sin(x*10^20)", 0x35c99712da0a81e2ULL},
    {"cos(x)^2+sin(x)^2", 0x0a32abebf6a8a6c1ULL},
    {"sqrt(x)", 0x303ee4c5902cbf38ULL},
    {"sqrt(-1)+x", 0x017f09bd7a5f1f78ULL},
    {"ln(x)", 0x05263b994e04f7fbULL},
    {"ln(0)*x", 0x6326b28a4748d531ULL},
    {"lg(x)", 0xaf0fd158c9dd03b5ULL},
    {"arcsin(x/10)", 0x2399f70442362d37ULL},
    {"arccos(x)", 0x3b7cc5b6cb4ccb1eULL},
    {"arctg(x)", 0xe3c3a24d13400504ULL},
    {"arcctg(x)", 0x31b89392b249ec49ULL},
    {"exp(x*1000)", 0xa39bd6df06569f4cULL},
    {"exp(12000)*x", 0xe4c0f64caab899dfULL},
    {"x^x", 0xf28b696274bc6c4dULL},
    {"(-2)^x", 0x49724481723a5eb5ULL},
    {"x^0.5", 0x19818333b5dd47fdULL},
    {"x^(-1)", 0x41452386d3ea4612ULL},
    {"x^(1/3)", 0x1af80df5393d20b0ULL},
    {"0^x", 0x5043a178ed01b196ULL},
    {"(x-x)^(-1)", 0x49dab379e40071c6ULL},
    {"2^(x*2000)", 0x3265d9d71424db7fULL},
    {"x^100000", 0x585051facbfc4bc6ULL},
    {"x*10^4000*x", 0xe9409b477690af6aULL},
    {"x*10^4000-x*10^4000", 0x666d4891d84f32f3ULL},
    {"3@x", 0xe3fc97a533bea5a5ULL},
    {"x@8", 0x003f902209bf20c4ULL},
    {"(-8)@x", 0x88f190bdc8500fb1ULL},
    {"2@x", 0x2164e3ebe78a8694ULL},
    {"0@x", 0x335b76948f58fff7ULL},
    {"fact(x)", 0x0124fcaa0007fb3dULL},
    {"fact(abs(trunc(x*200)))", 0xa710f46d54cf78fbULL},
    {"fact(3.5)+x", 0x1466f17173909c66ULL},
    {"fact(2000)+x", 0xe4c0f64caab899dfULL},
    {"rnd(x)", 0x8c3130071ea5861eULL},
    {"rnd(x*10^18)", 0x9c5e5869ac181499ULL},
    {"trunc(x*10^18)", 0xbb722eb6f97e3825ULL},
    {"rnd(10^30)+x", 0xe4c0f64caab899dfULL},
    {"frac(x*3.3)", 0xec74758d088f1222ULL},
    {"e^x+p*x", 0x2567048c5d10cd34ULL},
    {"x*x*x*x*x*x*x*x*x*x", 0x7cf5b53b3b36aca5ULL},
    {"2*3*x+4/5-sqrt(2)*x^2", 0x7a83823bdf8a8ef1ULL},
    {"(x+1)*(x-1)*(x+2)/(x-2)", 0xd2b23d85c6953529ULL},
    {"abs(x)^2.5-x^3*7", 0xf276d5ba6a599fd0ULL},
};

TEST(ResultSums, EngineValuesAndErrorCodesStayTheSame) {
  orv_test::CheckSums(EngineCases, EngineSum);
}

// CalcRow over every point at once gives, bit for bit, what Reset and Calc per
// point give: each value or untouched result, each error code, the fault flags
// left behind and the state of the object afterwards. Rows of one point and
// rows that end on a failing point are taken as well.
TEST(ResultSums, RowGivesWhatCalcPerPointGives) {
  const std::vector<long double>& xs = Points();
  const int n = static_cast<int>(xs.size());
  constexpr long double Marker = -12345.678L;
  for (const Expect& c : EngineCases) {
    std::string t1 = c.text, t2 = c.text;
    objFunc one, row;
    one.Reset();
    one.Parse(t1);
    row.Reset();
    row.Parse(t2);
    std::vector<long double> want(xs.size(), Marker);
    std::vector<int32_t> wantErr(xs.size());
    std::feclearexcept(FE_ALL_EXCEPT);
    for (int i = 0; i < n; ++i) {
      one.Reset();
      one.Calc(want[i], xs[i]);
      wantErr[i] = one.ErrorCode;
    }
    // Inexact and underflow are no part of the engine's promise (the compiler
    // may order the rounding steps differently); the fault flags are.
    constexpr int kFaults = FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO;
    const int wantFlags = std::fetestexcept(kFaults);

    std::vector<long double> got(xs.size(), Marker);
    std::vector<int32_t> gotErr(xs.size(), -7);
    std::feclearexcept(FE_ALL_EXCEPT);
    row.CalcRow(xs.data(), got.data(), gotErr.data(), n);
    EXPECT_EQ(std::fetestexcept(kFaults), wantFlags) << c.text;
    EXPECT_EQ(row.ErrorCode, one.ErrorCode) << c.text;
    EXPECT_EQ(row.NodePos, one.NodePos) << c.text;
    EXPECT_EQ(row.HasX, one.HasX) << c.text;
    int bad = 0;
    for (int i = 0; i < n && bad < 3; ++i) {
      if (gotErr[i] != wantErr[i] || std::memcmp(&got[i], &want[i], 10) != 0) {
        ADD_FAILURE() << c.text << " at x = " << static_cast<double>(xs[i]) << ": code " << gotErr[i]
                      << " value " << static_cast<double>(got[i]) << ", per point code " << wantErr[i]
                      << " value " << static_cast<double>(want[i]);
        ++bad;
      }
    }
    // One point at a time, so that the state after a failing last point
    // (code kept, cursor not advanced) is compared too.
    for (int i = 0; i < n; i += 97) {
      long double r = Marker;
      int32_t e = -7;
      row.CalcRow(&xs[i], &r, &e, 1);
      EXPECT_EQ(e, wantErr[i]) << c.text;
      EXPECT_EQ(row.ErrorCode, wantErr[i]) << c.text;
      EXPECT_EQ(std::memcmp(&r, &want[i], 10), 0) << c.text;
      long double r1 = Marker;
      one.Reset();
      one.Calc(r1, xs[i]);
      EXPECT_EQ(row.NodePos, one.NodePos) << c.text;
    }
  }
}

// A row of an object with nothing parsed fails at every point and writes no
// value, as Calc does.
TEST(ResultSums, RowWithoutAFormulaFailsEveryPoint) {
  objFunc f;
  const long double xs[3] = {0, 1, 2};
  long double ys[3] = {5, 6, 7};
  int32_t errs[3] = {0, 0, 0};
  f.CalcRow(xs, ys, errs, 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(errs[i], errIncorrect);
    EXPECT_EQ(ys[i], 5 + i);
  }
  EXPECT_EQ(f.ErrorCode, errIncorrect);
}

}  // namespace
