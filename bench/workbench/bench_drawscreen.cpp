// DrawScreen of 1, 4 and 16 typical functions on pictures 800, 1920 and 3840
// pixels wide, one sample per pixel column, grid and axes on: the time of one
// whole redraw (median over repetitions). A redraw should fit in one frame.
// And of 16 whole-number graphs 1920 pixels wide, at a scale where every
// whole number has its own column, at the coarsest scale the zoom commands
// reach and at a scale read from a file (one million units per column); and
// at the far scales a file may hold (1e300 and 1e4931 units per column, where
// the range to the right edge no longer fits in a number).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cmath>

#include "orvanta/workbench/objScreenUnit.h"
#include "platform/qt/ImageCanvas.h"

namespace {

const char* const Formulas[16] = {
    "sin(x)",  "cos(x)*2", "x^2/4",      "x^3/20-x", "1/x",        "tg(x)",       "sqrt(x)",    "ln(x)",
    "e^(x/4)", "abs(x)-3", "sin(3*x)/x", "2@x",      "x*sin(x)/3", "(x+1)/(x-1)", "arctg(x)*2", "cos(x)^2-4",
};
const plat::TColor Colors[16] = {0x0000FF, 0xFF0000, 0x008000, 0x800080, 0x008080, 0x00FF00,
                                 0x00FFFF, 0xFFFF00, 0x000080, 0x800000, 0x808000, 0xFF00FF,
                                 0x808080, 0xC0C0C0, 0x000000, 0xFF00CC};

// Parses the first `count` formulas into graphs of `view`, one sample per
// column and one-pixel lines: joined with the jump limit 10, or taken at
// whole numbers only. false (the benchmark skipped) when one does not parse.
bool AddGraphs(benchmark::State& state, objScreen& view, int count, bool whole) {
  for (int i = 0; i < count; ++i) {
    auto f = std::make_unique<objFunc>();
    f->Expression = Formulas[i];
    f->Reset();
    f->Parse(f->Expression);
    if (f->ErrorCode != 0) {
      state.SkipWithError(Formulas[i]);
      return false;
    }
    f->IfLines = true;
    f->XCeloe = whole;
    f->IfRazryv = !whole;
    f->Razryv = 10;
    f->Kolvo = 1;
    f->Diametr = 1;
    f->LineWidth = 1;
    f->GraphColor = Colors[i];
    view.Funcs[view.FuncCount++] = std::move(f);
  }
  return true;
}

// Arguments: picture width, number of functions.
void BM_DrawScreen(benchmark::State& state) {
  const int W = static_cast<int>(state.range(0));
  const int H = W == 800 ? 600 : W * 9 / 16;
  const int count = static_cast<int>(state.range(1));
  objScreen view;
  view.Xm = view.Ym = 0.02L;
  view.Oci = view.Setka = true;
  view.CenterOrigin(W, H);
  if (!AddGraphs(state, view, count, false)) return;
  plat::TImageCanvas canvas(W, H);
  for (auto _ : state) {
    DrawScreen(view, canvas, nullptr);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * count * W);
}
BENCHMARK(BM_DrawScreen)
    ->ArgsProduct({{800, 1920, 3840}, {1, 4, 16}})
    ->ArgNames({"width", "funcs"})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// Argument: the x scale in thousandths of a unit per column.
void BM_WholeNumbers(benchmark::State& state) {
  const int W = 1920, H = 1080;
  objScreen view;
  view.Xm = static_cast<long double>(state.range(0)) / 1000;
  view.Ym = 0.02L;
  view.CenterOrigin(W, H);
  if (!AddGraphs(state, view, 16, true)) return;
  plat::TImageCanvas canvas(W, H);
  for (auto _ : state) {
    DrawScreen(view, canvas, nullptr);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WholeNumbers)
    ->Arg(1000)        // scale 1: one whole number per column
    ->Arg(500000)      // scale 500: the coarsest the zoom commands reach
    ->Arg(1000000000)  // scale 1e6: from a file
    ->ArgName("xm_milli")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Argument: the decimal exponent of the x scale. The world origin at the
// picture's left edge, where a click in pointer mode puts it: centred, the
// left edge of the widest view would lie beyond the largest number.
void BM_WholeNumbersFarScales(benchmark::State& state) {
  const int W = 1920, H = 1080;
  objScreen view;
  view.Xm = std::pow(10.0L, static_cast<long double>(state.range(0)));
  view.Ym = 0.02L;
  view.StartX = 0;
  view.StartY = H * view.Ym / 2;
  if (!AddGraphs(state, view, 16, true)) return;
  plat::TImageCanvas canvas(W, H);
  for (auto _ : state) {
    DrawScreen(view, canvas, nullptr);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WholeNumbersFarScales)
    ->Arg(300)
    ->Arg(4931)
    ->ArgName("xm_exp10")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  // Text and wide pens go through Qt's painter, which wants an application.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
