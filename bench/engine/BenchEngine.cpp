// objFunc::Calc per point beside the same formula compiled natively in long
// double. Each benchmark times both over the same points and reports the
// nanoseconds per point of each and their ratio (engine / native).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/common/BuildType.h"
#include "orvanta/engine/FunctionUnit.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<long double> Points() {
  std::vector<long double> xs(1024);
  for (size_t i = 0; i < xs.size(); ++i) xs[i] = -3.0L + 6.0L * (static_cast<long double>(i) + 0.5L) / xs.size();
  return xs;
}

template <class Native>
void Compare(benchmark::State& state, const char* formula, Native native) {
  objFunc f;
  std::string text = formula;
  f.Reset();
  f.Parse(text);  // once per formula, never per point
  if (f.ErrorCode != 0) {
    state.SkipWithError("formula does not parse");
    return;
  }
  const std::vector<long double> xs = Points();
  // The engine must agree with the native code before it is timed.
  for (long double x : xs) {
    long double r = 0;
    f.Reset();
    f.Calc(r, x);
    const long double n = native(x);
    if (f.ErrorCode != 0 || std::fabs(r - n) > 1e-15L * (1 + std::fabs(n))) {
      state.SkipWithError("engine and native code disagree");
      return;
    }
  }
  double engineSec = 0, nativeSec = 0;
  // Both store every result, as a plotting pass does.
  std::vector<long double> ys(xs.size());
  for (auto _ : state) {
    auto t0 = Clock::now();
    for (size_t i = 0; i < xs.size(); ++i) {
      f.Reset();
      f.Calc(ys[i], xs[i]);
    }
    benchmark::DoNotOptimize(ys.data());
    benchmark::ClobberMemory();
    auto t1 = Clock::now();
    for (size_t i = 0; i < xs.size(); ++i) ys[i] = native(xs[i]);
    benchmark::DoNotOptimize(ys.data());
    benchmark::ClobberMemory();
    auto t2 = Clock::now();
    engineSec += std::chrono::duration<double>(t1 - t0).count();
    nativeSec += std::chrono::duration<double>(t2 - t1).count();
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
  }
  const double points = static_cast<double>(state.iterations()) * xs.size();
  state.counters["engine_ns"] = engineSec * 1e9 / points;
  state.counters["native_ns"] = nativeSec * 1e9 / points;
  state.counters["ratio"] = nativeSec > 0 ? engineSec / nativeSec : 0;
  state.SetItemsProcessed(static_cast<int64_t>(points));
}

void BM_Arithmetic(benchmark::State& state) {
  Compare(state, "(x^3-2x^2+3x-1)/(x^2+1)",
          [](long double x) { return (x * x * x - 2 * (x * x) + 3 * x - 1) / (x * x + 1); });
}

void BM_Transcendental(benchmark::State& state) {
  Compare(state, "sin(x)*x^2+3*x-1", [](long double x) { return sinl(x) * (x * x) + 3 * x - 1; });
}

void BM_Nested(benchmark::State& state) {
  Compare(state, "ln(1+sqrt(1+(sin(x)*cos(x/2))^2))/(1+exp(0-x^2))", [](long double x) {
    const long double t = sinl(x) * cosl(x / 2);
    return logl(1 + sqrtl(1 + t * t)) / (1 + expl(0 - x * x));
  });
}

}  // namespace

BENCHMARK(BM_Arithmetic)->UseManualTime();
BENCHMARK(BM_Transcendental)->UseManualTime();
BENCHMARK(BM_Nested)->UseManualTime();

int main(int argc, char** argv) {
  benchmark::AddCustomContext("build type", BenchBuildType());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
