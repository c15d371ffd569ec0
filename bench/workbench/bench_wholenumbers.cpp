// DrawScreen of 16 whole-number graphs on a picture 1920 pixels wide, at a
// scale where every whole number has its own column, at the coarsest scale
// the zoom commands reach and at a scale read from a file (one million units
// per column): the time of one whole redraw.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "orvanta/workbench/objScreenUnit.h"
#include "platform/qt/ImageCanvas.h"

namespace {

const char* const Formulas[16] = {
    "sin(x)*3",     "cos(x)*2",      "x^2/4",        "x^3/20-x",   "1/x",         "tg(x)",
    "sqrt(x)",      "ln(x)",         "e^(x/4)",      "abs(x)-3",   "sin(3*x)/x",  "2@x",
    "x*sin(x)/3",   "(x+1)/(x-1)",   "arctg(x)*2",   "cos(x)^2-4",
};

// Argument: the x scale in thousandths of a unit per column.
void BM_WholeNumbers(benchmark::State& state) {
  const int W = 1920, H = 1080;
  objScreen view;
  view.Xm = static_cast<long double>(state.range(0)) / 1000;
  view.Ym = 0.02L;
  view.CenterOrigin(W, H);
  for (int i = 0; i < 16; ++i) {
    auto f = std::make_unique<objFunc>();
    f->Expression = Formulas[i];
    f->Reset();
    f->Parse(f->Expression);
    if (f->ErrorCode != 0) {
      state.SkipWithError(Formulas[i]);
      return;
    }
    f->IfLines = true;
    f->XCeloe = true;
    f->Kolvo = 1;
    f->Diametr = 1;
    f->LineWidth = 1;
    f->GraphColor = static_cast<plat::TColor>(0x102030u * (i + 1));
    view.Funcs[view.FuncCount++] = std::move(f);
  }
  plat::TImageCanvas canvas(W, H);
  for (auto _ : state) {
    DrawScreen(view, canvas, nullptr);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WholeNumbers)
    ->Arg(1000)           // scale 1: one whole number per column
    ->Arg(500000)         // scale 500: the coarsest the zoom commands reach
    ->Arg(1000000000)     // scale 1e6: from a file
    ->ArgName("xm_milli")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
