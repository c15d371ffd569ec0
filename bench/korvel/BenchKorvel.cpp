// Interpret per point against the same formula in native long double code,
// over one plotting pass of 1000 points. Prints the ratio per formula; the
// goal is at most 4x on arithmetic and 1.5x on transcendental formulas.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "bench/common/TimesReporter.h"
#include "korvel/korvel.h"

namespace {

constexpr int Points = 1000;
constexpr long double X0 = -10.0L;
constexpr long double Step = 20.0L / Points;

struct Formula {
  const char* name;
  const char* text;
  double target;
};

const Formula Formulas[] = {
    {"rational", "(x^3-2*x^2+3*x-1)/(x^2+1)", 4.0},
    {"sine", "sin(x)*x^2+3*x-1", 1.5},
    {"nested", "sqrt(1+sqr(sin(exp(-x^2/2))))+ln(1+x^2)", 1.5},
};

// The native code of formula K, inlined into the loop that calls it.
template <int K>
inline long double NativeValue(long double x) {
  if constexpr (K == 0) return (x * x * x - 2 * x * x + 3 * x - 1) / (x * x + 1);
  if constexpr (K == 1) return sinl(x) * x * x + 3 * x - 1;
  const long double s = sinl(expl(-(x * x) / 2));
  return sqrtl(1 + s * s) + logl(1 + x * x);
}

// Every result is stored, as a plotting pass stores its points.
template <int K>
void Native(benchmark::State& state) {
  std::vector<long double> ys(Points);
  for (auto _ : state) {
    for (int i = 0; i < Points; ++i) ys[i] = NativeValue<K>(X0 + i * Step);
    benchmark::DoNotOptimize(ys.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * Points);
}

void Korvel(benchmark::State& state, const Formula* f) {
  std::string text = f->text;
  Init_Number(1);
  Lex_Analiz_Init();
  if (Lexan(text.data()) != 0) {
    state.SkipWithError("formula does not compile");
    return;
  }
  Init_ABC(0, 0, 0);
  std::vector<long double> ys(Points);
  for (auto _ : state) {
    for (int i = 0; i < Points; ++i) {
      const long double y = Interpret(X0 + i * Step);
      ys[i] = GetDraw() ? y : 0;
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
    std::printf("\n%-10s %14s %14s %8s %8s\n", "formula", "native ns/pt", "korvel ns/pt", "ratio", "goal");
    for (const Formula& f : Formulas) {
      const double n = Time(std::string("Native/") + f.name);
      const double k = Time(std::string("Korvel/") + f.name);
      if (n == 0 || k == 0) continue;
      std::printf("%-10s %14.2f %14.2f %8.2f %8.1f\n", f.name, n / Points, k / Points, k / n, f.target);
    }
  }

};

}  // namespace

int main(int argc, char** argv) {
  using Fn = void (*)(benchmark::State&);
  const Fn natives[] = {Native<0>, Native<1>, Native<2>};
  static_assert(std::size(natives) == std::size(Formulas));
  for (std::size_t k = 0; k < std::size(Formulas); ++k) {
    const Formula& f = Formulas[k];
    benchmark::RegisterBenchmark((std::string("Native/") + f.name).c_str(), natives[k])->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark((std::string("Korvel/") + f.name).c_str(), Korvel, &f)->Unit(benchmark::kNanosecond);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
