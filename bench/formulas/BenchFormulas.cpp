// The four reference formulas over one plotting pass (1000 points over
// [-10, 10]) in the workbench engine, in korvel through its exports and in
// muparser, each against the same formula as native long double code inlined
// in a loop that stores every result in an array, as a plotting pass does.
// Prints the nanoseconds per point and the ratio to native of each at the end;
// with repetitions the medians are used.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/common/BuildType.h"
#include "bench/common/TimesReporter.h"
#include "korvel/korvel.h"
#include "orvanta/engine/FunctionUnit.h"

namespace {

constexpr int Points = 1000;

const std::vector<long double>& Xs() {
  static const std::vector<long double> xs = [] {
    std::vector<long double> v(Points);
    for (int i = 0; i < Points; ++i) v[i] = -10.0L + 20.0L * i / (Points - 1);
    return v;
  }();
  return xs;
}

// One formula in the spelling of each evaluator. korvel has no abs, so its
// text takes |x| as sqrt(sqr(x)) and gets a native baseline written the same
// way.
struct Formula {
  const char* name;
  const char* engine;
  const char* korvel;
  const char* muparser;
  bool korvelOwnNative;
};

const Formula Formulas[] = {
    {"rational", "(x^3-2*x^2+3*x-1)/(x^2+1)", "(x^3-2*x^2+3*x-1)/(x^2+1)", "(x^3-2*x^2+3*x-1)/(x^2+1)", false},
    {"sine", "sin(x)*x^2+3*x-1", "sin(x)*x^2+3*x-1", "sin(x)*x^2+3*x-1", false},
    {"nested", "sin(cos(tg(x)))+sqrt(abs(x))*exp(-x^2)", "sin(cos(tg(x)))+sqrt(sqrt(sqr(x)))*exp(-x^2)",
     "sin(cos(tan(x)))+sqrt(abs(x))*exp(-x^2)", true},
    {"constants", "(2+3)*x^2-(10/4)*x+sqrt(16)*(7-5)", "(2+3)*x^2-(10/4)*x+sqrt(16)*(7-5)",
     "(2+3)*x^2-(10/4)*x+sqrt(16)*(7-5)", false},
};

// The native code of each formula, inlined into the loop that calls it.
inline long double Native(int k, long double x) {
  switch (k) {
    case 0: return (x * x * x - 2 * (x * x) + 3 * x - 1) / (x * x + 1);
    case 1: return sinl(x) * (x * x) + 3 * x - 1;
    case 2: return sinl(cosl(tanl(x))) + sqrtl(fabsl(x)) * expl(-(x * x));
    case 3: return (2 + 3) * (x * x) - (10.0L / 4) * x + sqrtl(16.0L) * (7 - 5);
    case 4: return sinl(cosl(tanl(x))) + sqrtl(sqrtl(x * x)) * expl(-(x * x));
  }
  return 0;
}

template <int K>
void BM_Native(benchmark::State& state) {
  const std::vector<long double>& xs = Xs();
  std::vector<long double> ys(Points);
  for (auto _ : state) {
    for (int i = 0; i < Points; ++i) ys[i] = Native(K, xs[i]);
    benchmark::DoNotOptimize(ys.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * Points);
}

bool Close(long double a, long double b, long double tol) { return std::fabs(a - b) <= tol * (1 + std::fabs(b)); }

void BM_Engine(benchmark::State& state, int k) {
  objFunc f;
  std::string text = Formulas[k].engine;
  f.Reset();
  f.Parse(text);  // once per formula, never per point
  if (f.ErrorCode != 0) return state.SkipWithError("formula does not parse");
  const std::vector<long double>& xs = Xs();
  std::vector<long double> ys(Points);
  for (int i = 0; i < Points; ++i) {
    f.Reset();
    f.Calc(ys[i], xs[i]);
    if (f.ErrorCode != 0 || !Close(ys[i], Native(k, xs[i]), 1e-15L))
      return state.SkipWithError("engine and native code disagree");
  }
  for (auto _ : state) {
    for (int i = 0; i < Points; ++i) {
      f.Reset();
      f.Calc(ys[i], xs[i]);
    }
    benchmark::DoNotOptimize(ys.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * Points);
}

// The same through CalcRow: one call per pass instead of one per point.
void BM_EngineRow(benchmark::State& state, int k) {
  objFunc f;
  std::string text = Formulas[k].engine;
  f.Reset();
  f.Parse(text);
  if (f.ErrorCode != 0) return state.SkipWithError("formula does not parse");
  const std::vector<long double>& xs = Xs();
  std::vector<long double> ys(Points);
  std::vector<int32_t> errs(Points);
  f.CalcRow(xs.data(), ys.data(), errs.data(), Points);
  for (int i = 0; i < Points; ++i)
    if (errs[i] != 0 || !Close(ys[i], Native(k, xs[i]), 1e-15L))
      return state.SkipWithError("engine row and native code disagree");
  for (auto _ : state) {
    f.CalcRow(xs.data(), ys.data(), errs.data(), Points);
    benchmark::DoNotOptimize(ys.data());
    benchmark::DoNotOptimize(errs.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * Points);
}

void BM_Korvel(benchmark::State& state, int k) {
  std::string text = Formulas[k].korvel;
  Init_Number(1);
  Lex_Analiz_Init();
  if (Lexan(text.data()) != 0) return state.SkipWithError("formula does not compile");
  Init_ABC(0, 0, 0);
  const int nativeK = Formulas[k].korvelOwnNative ? 4 : k;
  const std::vector<long double>& xs = Xs();
  std::vector<long double> ys(Points);
  for (int i = 0; i < Points; ++i) {
    ys[i] = Interpret(xs[i]);
    if (!GetDraw() || !Close(ys[i], Native(nativeK, xs[i]), 1e-15L))
      return state.SkipWithError("korvel and native code disagree");
  }
  for (auto _ : state) {
    for (int i = 0; i < Points; ++i) {
      const long double y = Interpret(xs[i]);
      ys[i] = GetDraw() ? y : 0;
    }
    benchmark::DoNotOptimize(ys.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * Points);
}

// muparser computes in double; its results are checked against the native
// long double values with a looser tolerance (near tg's poles the nested
// formula keeps only a few digits in double).
void BM_Muparser(benchmark::State& state, int k) {
  mu::Parser p;
  double x = 0;
  try {
    p.DefineVar("x", &x);
    p.SetExpr(Formulas[k].muparser);
    p.Eval();
  } catch (const mu::Parser::exception_type&) {
    return state.SkipWithError("formula does not parse");
  }
  const std::vector<long double>& xs = Xs();
  std::vector<long double> ys(Points);
  for (int i = 0; i < Points; ++i) {
    x = static_cast<double>(xs[i]);
    ys[i] = p.Eval();
    if (!Close(ys[i], Native(k, xs[i]), 1e-6L)) return state.SkipWithError("muparser and native code disagree");
  }
  for (auto _ : state) {
    for (int i = 0; i < Points; ++i) {
      x = static_cast<double>(xs[i]);
      ys[i] = p.Eval();
    }
    benchmark::DoNotOptimize(ys.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * Points);
}

// Prints the table of ratios after the runs.
class RatioReporter : public TimesReporter {
 public:
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nbuild type: %s", BenchBuildType());
    std::printf("\n%-10s %10s %10s %8s %10s %8s %10s %8s %10s %8s\n", "formula", "native ns", "engine ns",
                "ratio", "engine row", "ratio", "korvel ns", "ratio", "muparser", "ratio");
    for (const Formula& f : Formulas) {
      const std::string n = f.name;
      const double native = Get("Native/" + n), engine = Get("Engine/" + n), row = Get("EngineRow/" + n),
                   korvel = Get("Korvel/" + n), mup = Get("Muparser/" + n);
      const double korvelNative = f.korvelOwnNative ? Get("Native/" + n + "_korvel") : native;
      std::printf("%-10s %10.2f %10.2f %8.2f %10.2f %8.2f %10.2f %8.2f %10.2f %8.2f\n", f.name, native / Points,
                  engine / Points, Ratio(engine, native), row / Points, Ratio(row, native), korvel / Points,
                  Ratio(korvel, korvelNative), mup / Points, Ratio(mup, native));
      if (f.korvelOwnNative)
        std::printf("%-10s korvel's text and its native baseline (%.2f ns) take |x| as sqrt(sqr(x))\n", "",
                    korvelNative / Points);
    }
  }

 private:
  double Get(const std::string& name) const { return Time(name); }
  static double Ratio(double a, double b) { return a > 0 && b > 0 ? a / b : 0; }
};

}  // namespace

int main(int argc, char** argv) {
  using Fn = void (*)(benchmark::State&);
  const Fn natives[] = {BM_Native<0>, BM_Native<1>, BM_Native<2>, BM_Native<3>};
  for (int k = 0; k < 4; ++k) {
    const std::string n = Formulas[k].name;
    benchmark::RegisterBenchmark(("Native/" + n).c_str(), natives[k]);
    if (Formulas[k].korvelOwnNative) benchmark::RegisterBenchmark(("Native/" + n + "_korvel").c_str(), BM_Native<4>);
    benchmark::RegisterBenchmark(("Engine/" + n).c_str(), BM_Engine, k);
    benchmark::RegisterBenchmark(("EngineRow/" + n).c_str(), BM_EngineRow, k);
    benchmark::RegisterBenchmark(("Korvel/" + n).c_str(), BM_Korvel, k);
    benchmark::RegisterBenchmark(("Muparser/" + n).c_str(), BM_Muparser, k);
  }
  benchmark::AddCustomContext("build type", BenchBuildType());
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
