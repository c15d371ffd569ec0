// Interpret per point against the same formula in native long double code,
// over one plotting pass of 1000 points. Prints the ratio per formula; the
// goal is at most 4x on arithmetic and 1.5x on transcendental formulas.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "korvel/korvel.h"

namespace {

constexpr int Points = 1000;
constexpr long double X0 = -10.0L;
constexpr long double Step = 20.0L / Points;

struct Formula {
  const char* name;
  const char* text;
  long double (*native)(long double);
  double target;
};

const Formula Formulas[] = {
    {"rational", "(x^3-2*x^2+3*x-1)/(x^2+1)",
     [](long double x) { return (x * x * x - 2 * x * x + 3 * x - 1) / (x * x + 1); }, 4.0},
    {"sine", "sin(x)*x^2+3*x-1", [](long double x) { return std::sin(x) * x * x + 3 * x - 1; }, 1.5},
    {"nested", "sqrt(1+sqr(sin(exp(-x^2/2))))+ln(1+x^2)",
     [](long double x) {
       const long double s = std::sin(std::exp(-(x * x) / 2));
       return std::sqrt(1 + s * s) + std::log(1 + x * x);
     },
     1.5},
};

void Native(benchmark::State& state, const Formula* f) {
  for (auto _ : state) {
    long double sum = 0;
    for (int i = 0; i < Points; ++i) sum += f->native(X0 + i * Step);
    benchmark::DoNotOptimize(sum);
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
  for (auto _ : state) {
    long double sum = 0;
    for (int i = 0; i < Points; ++i) {
      const long double y = Interpret(X0 + i * Step);
      if (GetDraw()) sum += y;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * Points);
}

// Keeps the time per pass of every run and prints the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && !r.error_occurred) times_[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-10s %14s %14s %8s %8s\n", "formula", "native ns/pt", "korvel ns/pt", "ratio", "goal");
    for (const Formula& f : Formulas) {
      const auto n = times_.find(std::string("Native/") + f.name);
      const auto k = times_.find(std::string("Korvel/") + f.name);
      if (n == times_.end() || k == times_.end()) continue;
      std::printf("%-10s %14.2f %14.2f %8.2f %8.1f\n", f.name, n->second / Points, k->second / Points,
                  k->second / n->second, f.target);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  for (const Formula& f : Formulas) {
    benchmark::RegisterBenchmark((std::string("Native/") + f.name).c_str(), Native, &f)->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark((std::string("Korvel/") + f.name).c_str(), Korvel, &f)->Unit(benchmark::kNanosecond);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
