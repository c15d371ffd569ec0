// Whole pictures of the plot compared with the sums of the pictures the
// drawing gave when these scenes were recorded, so that a change meant to make
// the drawing faster cannot move a single pixel. The scenes cover zoom and
// origin, grid and axes on and off, undefined points and jumps, several
// samples per column, whole-number x, limits, dots and wide lines.
//
// After an intended change of the pictures, run the test with
// ORV_PRINT_PICTURE_SUMS=1 to print the new table.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "../common/PictureSum.h"
#include "orvanta/workbench/objScreenUnit.h"
#include "platform/qt/RecordingCanvas.h"

namespace {

struct FuncSetup {
  const char* text;
  plat::TColor color;
  int kolvo = 1;
  int diametr = 1;
  int lineWidth = 1;
  bool lines = true;
  bool razryv = false;
  long double razryvLimit = 0;
  std::function<void(objFunc&)> more = nullptr;  // limits, whole-number x, ...
};

objFunc& Add(objScreen& view, const FuncSetup& s) {
  auto f = std::make_unique<objFunc>();
  f->Expression = s.text;
  f->Reset();
  f->Parse(f->Expression);
  EXPECT_EQ(f->ErrorCode, 0) << s.text;
  f->GraphColor = s.color;
  f->Kolvo = static_cast<std::uint16_t>(s.kolvo);
  f->Diametr = static_cast<std::uint16_t>(s.diametr);
  f->LineWidth = static_cast<std::uint16_t>(s.lineWidth);
  f->IfLines = s.lines;
  f->IfRazryv = s.razryv;
  f->Razryv = s.razryvLimit;
  if (s.more) s.more(*f);
  objFunc& ref = *f;
  view.Funcs[view.FuncCount++] = std::move(f);
  return ref;
}

struct Scene {
  const char* name;
  int w, h;
  std::function<void(objScreen&)> setUp;
  std::vector<FuncSetup> funcs;
  int minColours;  // background, grid, axes and graphs the scene must show
};

std::vector<Scene> Scenes() {
  std::vector<Scene> s;
  s.push_back({"default view, five graphs", 640, 480,
               [](objScreen& v) { v.CenterOrigin(640, 480); },
               {{"sin(x)", 0x0000FF},
                {"1/x", 0xFF0000, 1, 1, 1, true, true, 10},
                {"tg(x)", 0x008000, 1, 1, 1, true, true, 5},
                {"sqrt(x)", 0x800080},
                {"ln(abs(x))", 0x008080}},
               7});
  s.push_back({"zoomed in, shifted origin, wide axes, dots and wide lines", 500, 400,
               [](objScreen& v) {
                 v.Xm = 0.005L;
                 v.Ym = 0.01L;
                 v.StartX = -0.8L;
                 v.StartY = 3.1L;
                 v.SetkaStep = 0.5L;
                 v.OciWidth = 3;
                 v.OciColor = 0x404040;
                 v.LinesColor = 0xC0E0C0;
               },
               {{"x^2", 0x0000FF, 1, 5, 2}, {"cos(3*x)+1", 0x00A0FF, 2, 1, 3}, {"exp(x)", 0xA000A0, 1, 3, 1}},
               6});
  s.push_back({"zoomed out past the grid, several samples and whole numbers", 720, 360,
               [](objScreen& v) {
                 v.Xm = 0.5L;
                 v.Ym = 0.3L;
                 v.CenterOrigin(720, 360);
               },
               {{"x*sin(x)/3", 0x0000FF, 3},
                {"trunc(x/7)*5", 0x008000, 1, 4, 1, false, false, 0, [](objFunc& f) { f.XCeloe = true; }},
                {"1/(x-2)", 0xFF0000, 9, 1, 1, true, true, 20},
                {"fact(abs(trunc(x/10)))", 0x808000, 1, 1, 1, true, false, 0,
                 [](objFunc& f) { f.XPolog = true; }}},
               5});
  s.push_back({"no grid and no axes, coloured background, limits", 400, 300,
               [](objScreen& v) {
                 v.Setka = false;
                 v.Oci = false;
                 v.BkColor = 0x302010;
                 v.CenterOrigin(400, 300);
               },
               {{"x^3/3-x", 0x00FFFF, 1, 2, 1, true, false, 0,
                 [](objFunc& f) {
                   f.IfMinX = true;
                   f.MinX = -2.5L;
                   f.IfMaxX = true;
                   f.MaxX = 2.25L;
                 }},
                {"frac(x)*2", 0xFFFFFF, 2, 1, 1, true, true, 1},
                {"abs(x)-2", 0x00FF00, 1, 9, 9}},
               4});
  s.push_back({"origin far outside, values beyond the row limit", 320, 240,
               [](objScreen& v) {
                 v.Xm = 0.01L;
                 v.Ym = 0.01L;
                 v.StartX = 100.0L;
                 v.StartY = 260.0L;
               },
               {{"x^5/1000", 0x0000FF}, {"2.5*x+8.2", 0xFF0000, 1, 1, 2}, {"sin(x*10)*2+259", 0x008000}},
               4});
  s.push_back({"halves on every column: rounding to even", 256, 200,
               [](objScreen& v) {
                 v.Xm = 0.25L;
                 v.Ym = 0.25L;
                 v.StartX = -10;
                 v.StartY = 25;
                 v.SetkaStep = 2;
               },
               {{"x/2", 0x0000FF, 2}, {"x*0.375-0.125", 0xFF0000, 4}, {"trunc(x)+0.5", 0x008000, 2, 1, 1, false}},
               6});
  s.push_back({"odd size, odd scales, wide pens and big dots", 333, 217,
               [](objScreen& v) {
                 v.Xm = 0.0123L;
                 v.Ym = 0.0171L;
                 v.StartX = -2.071L;
                 v.StartY = 1.933L;
                 v.SetkaStep = 0.3L;
                 v.OciWidth = 9;
               },
               {{"sin(x*5)", 0x0000FF, 1, 9, 1}, {"cos(x*2)/2", 0xFF00FF, 1, 1, 9}, {"sqrt(1-x^2)", 0x00A000, 3, 2, 4}},
               6});
  // Whole-number graphs where every whole number has a column of its own and
  // where a few share one: drawn number by number, as they always were.
  auto whole = [](objFunc& f) { f.XCeloe = true; };
  s.push_back({"whole numbers, one per column", 400, 300,
               [](objScreen& v) {
                 v.Xm = 1;
                 v.Ym = 0.05L;
                 v.SetkaStep = 50;
                 v.CenterOrigin(400, 300);
               },
               {{"sin(x)*5", 0x0000FF, 1, 1, 1, true, false, 0, whole},
                {"x^2/1000-6", 0x008000, 1, 3, 1, true, false, 0, whole},
                {"20/x", 0xFF0000, 1, 1, 2, true, true, 3, whole}},
               6});
  s.push_back({"whole numbers, columns apart, limits and dots", 300, 200,
               [](objScreen& v) {
                 v.Xm = 0.37L;
                 v.Ym = 0.1L;
                 v.StartX = -20.3L;
                 v.StartY = 9.1L;
               },
               {{"trunc(x/3)", 0x0000FF, 1, 1, 2, true, false, 0, whole},
                {"cos(x)*3", 0xA000A0, 1, 5, 1, false, false, 0, whole},
                {"sqrt(x)*2", 0x008080, 1, 2, 1, true, false, 0,
                 [](objFunc& f) {
                   f.XCeloe = f.XPolog = true;
                   f.IfMaxX = true;
                   f.MaxX = 30.5L;
                 }}},
               5});
  s.push_back({"whole numbers, a dozen per column", 500, 300,
               [](objScreen& v) {
                 v.Xm = 12.5L;
                 v.Ym = 0.05L;
                 v.CenterOrigin(500, 300);
               },
               {{"sin(x)*5", 0x0000FF, 1, 1, 1, true, false, 0, whole},
                {"x/500", 0x008000, 1, 1, 3, true, false, 0, whole},
                {"cos(x/40)*4", 0xFF0000, 1, 3, 1, false, false, 0, whole}},
               5});
  return s;
}

// The sums of the pictures as drawn when the scenes were recorded.
const char* const Expected[] = {
    "0xb2ef4912843ff180",  // default view, five graphs
    "0x42d495db4679e039",  // zoomed in, shifted origin, wide axes, dots and wide lines
    "0x6d25075e5de194a1",  // zoomed out past the grid, several samples and whole numbers
    "0xeef473a46a524ddc",  // no grid and no axes, coloured background, limits
    "0x438115eb7c91705a",  // origin far outside, values beyond the row limit
    "0x445df11884e17430",  // halves on every column: rounding to even
    "0xd37e6495cd284210",  // odd size, odd scales, wide pens and big dots
    "0xae5efc187279ca4d",  // whole numbers, one per column
    "0x3e7bbb1cb04ce9c1",  // whole numbers, columns apart, limits and dots
    "0x46cb6ffba2b5f508",  // whole numbers, a dozen per column
    "0xcf9d5db55f14cdd7",  // a graph added over the picture
};

QImage DrawScene(const Scene& sc) {
  objScreen view;
  if (sc.setUp) sc.setUp(view);
  for (const FuncSetup& f : sc.funcs) Add(view, f);
  plat::TImageCanvas canvas(sc.w, sc.h);
  canvas.Image().fill(0xFF123456u);  // whatever was there before must be painted over
  DrawScreen(view, canvas, nullptr);
  return canvas.Image();
}

TEST(PictureSums, RedrawsMatchTheRecordedPictures) {
  const std::vector<Scene> scenes = Scenes();
  const bool print = std::getenv("ORV_PRINT_PICTURE_SUMS") != nullptr;
  ASSERT_EQ(std::size(Expected), scenes.size() + 1);
  for (std::size_t i = 0; i < scenes.size(); ++i) {
    const QImage image = DrawScene(scenes[i]);
    EXPECT_GE(pictest::ColourCount(image, scenes[i].minColours), scenes[i].minColours) << scenes[i].name;
    pictest::MaybeSave(image, scenes[i].name);
    const std::string sum = pictest::SumText(pictest::PictureSum(image));
    if (print) std::printf("    \"%s\",  // %s\n", sum.c_str(), scenes[i].name);
    EXPECT_EQ(sum, Expected[i]) << scenes[i].name;
  }
  // A graph added over the picture as it is (no clearing): the first scene
  // plus a graph with ringed dots over its background.
  {
    objScreen view;
    view.CenterOrigin(640, 480);
    for (const FuncSetup& f : scenes[0].funcs) Add(view, f);
    plat::TImageCanvas canvas(640, 480);
    DrawScreen(view, canvas, nullptr);
    Add(view, {"x^2/4-3", 0x00C0C0, 1, 6, 1, true});
    DrawFunction(view, view.FuncCount - 1, canvas);
    pictest::MaybeSave(canvas.Image(), "a graph added over the picture");
    const std::string sum = pictest::SumText(pictest::PictureSum(canvas.Image()));
    if (print) std::printf("    \"%s\",  // a graph added over the picture\n", sum.c_str());
    EXPECT_EQ(sum, Expected[scenes.size()]) << "a graph added over the picture";
  }
}

// Every sample's pixel against Round((x - StartX) / Xm) and
// Round((StartY - y) / Ym) taken by division and nearbyintl, over views whose
// scales and origins put many samples on halves (where the tie rule decides)
// and views with scales no binary fraction writes exactly.
TEST(PictureSums, SamplePixelsAreTheRoundedQuotients) {
  std::uint64_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(seed >> 33);
  };
  const char* const texts[] = {"x", "x/2+0.25", "x*3-0.5", "sin(x)*7", "x^2/8"};
  const long double scales[] = {0.25L, 0.5L, 0.125L, 0.02L, 0.1L, 1.0L / 3, 0.0123L, 2e-5L, 3.0L};
  const int W = 160, H = 120;
  for (int k = 0; k < 200; ++k) {
    objScreen view;
    view.Xm = scales[next() % std::size(scales)];
    view.Ym = scales[next() % std::size(scales)];
    // Origins on whole, half and quarter pixels, or anywhere.
    const long double ox = static_cast<long double>(static_cast<int>(next() % 400) - 200) / 4;
    const long double oy = static_cast<long double>(static_cast<int>(next() % 400) - 200) / 4;
    const bool odd = next() % 3 == 0;
    view.StartX = odd ? -ox * 0.37L : -ox * view.Xm;
    view.StartY = odd ? oy * 0.53L : oy * view.Ym;
    objFunc& f = Add(view, {texts[next() % std::size(texts)], 0x0000FF, static_cast<int>(next() % 3) + 1});
    plat::TRecordingCanvas canvas(W, H);
    DrawFunction(view, 0, canvas);
    std::vector<std::pair<int, int>> drawn;
    for (const plat::TCanvasCall& c : canvas.Calls)
      if (c.Op == "MoveTo" || c.Op == "LineTo") drawn.emplace_back(c.Args[0], c.Args[1]);
    // The same walk, with the divisions and the library's rounding.
    std::vector<std::pair<int, int>> expected;
    const long double xEnd = static_cast<long double>(W) * view.Xm + view.StartX;
    const long double step = std::fabs(view.StartX - xEnd) / W / f.Kolvo;
    for (long double x = view.StartX - step; x < xEnd;) {
      x += step;
      long double y = 0;
      f.Reset();
      f.Calc(y, x);
      if (f.ErrorCode != 0) continue;
      const long double row = (view.StartY - y) / view.Ym;
      if (!(row >= -16000 && row <= 16000)) continue;
      expected.emplace_back(static_cast<int>(nearbyintl((x - view.StartX) / view.Xm)),
                            static_cast<int>(nearbyintl(row)));
    }
    ASSERT_EQ(drawn, expected) << "view " << k << ": " << f.Expression;
  }
}

}  // namespace
