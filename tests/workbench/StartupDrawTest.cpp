// Drawing of the plot on the recording canvas: the exact call sequences of
// the sampling loop, its joining rules, the grid and axes, the status texts,
// and the guards that keep a bad view from hanging or dividing by zero.
#include <gtest/gtest.h>

#include <cfloat>
#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "orvanta/workbench/WholeColumns.h"
#include "orvanta/workbench/objScreenUnit.h"
#include "platform/qt/ImageCanvas.h"
#include "platform/qt/RecordingCanvas.h"

using plat::TRecordingCanvas;
using Strings = std::vector<std::string>;

namespace {

constexpr plat::TColor Red = 0x0000FF;

objFunc& AddFunc(objScreen& view, const char* text) {
  auto f = std::make_unique<objFunc>();
  f->Expression = text;
  f->Reset();
  f->Parse(f->Expression);
  EXPECT_EQ(f->ErrorCode, 0) << text;
  f->IfLines = true;
  f->Kolvo = 1;
  f->Diametr = 1;
  f->LineWidth = 1;
  f->GraphColor = Red;
  objFunc& ref = *f;
  view.Funcs[view.FuncCount++] = std::move(f);
  return ref;
}

// A view with the origin of the world at (StartX, StartY) = (x0, y0).
objScreen View(long double xm, long double ym, long double x0, long double y0) {
  objScreen v;
  v.Xm = xm;
  v.Ym = ym;
  v.StartX = x0;
  v.StartY = y0;
  return v;
}

Strings Draw(const objScreen& v, int w, int h) {
  TRecordingCanvas c(w, h);
  DrawFunction(v, 0, c);
  return c.Strings();
}

// The x pixel of every sample: MoveTo and LineTo positions in call order.
std::vector<int> SampleColumns(const Strings& calls) {
  std::vector<int> xs;
  for (const std::string& s : calls) {
    if (s.rfind("MoveTo(", 0) == 0 || s.rfind("LineTo(", 0) == 0) xs.push_back(std::stoi(s.substr(7)));
  }
  return xs;
}

}  // namespace

TEST(DrawFunctionTest, SamplesPerColumnRunAcrossTheRangeWithHalfEvenRounding) {
  // W = 4, Xm = 0.75, Kolvo = 3: step 0.25 from 0 to the first x at 3.
  objScreen v = View(0.75L, 1, 0, 2);
  AddFunc(v, "0").Kolvo = 3;
  const Strings calls = Draw(v, 4, 4);
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0], "MoveTo(0,2)");
  EXPECT_EQ(calls[1], "SetPixel(0,2,$0000FF)");
  EXPECT_EQ(SampleColumns(calls), (std::vector<int>{0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4}));

  // Halves go to the even column: x = 0.5, 1.5, 2.5, 3.5, 4.5 at Xm = 1.
  objScreen h = View(1, 1, 0, 2);
  objFunc& f = AddFunc(h, "0");
  f.IfMinX = true;
  f.MinX = 0.5L;
  EXPECT_EQ(SampleColumns(Draw(h, 4, 4)), (std::vector<int>{0, 2, 2, 4, 4}));
}

TEST(DrawFunctionTest, IntegerArgumentWithItsLimits) {
  // Visible range -3.7 .. 5.2: samples -3 .. 5 and 6, the first one at or past the edge.
  objScreen v = View(0.1L, 1, -3.7L, 0);
  AddFunc(v, "0").XCeloe = true;
  EXPECT_EQ(SampleColumns(Draw(v, 89, 10)), (std::vector<int>{7, 17, 27, 37, 47, 57, 67, 77, 87, 97}));

  // The non-negative rule comes last and starts at 0.
  v.Funcs[0]->XPolog = true;
  EXPECT_EQ(SampleColumns(Draw(v, 89, 10)).front(), 37);

  // A left limit of 0.5 with integer x is cut to 0, not raised to 1.
  objScreen l = View(0.1L, 1, -3.7L, 0);
  objFunc& f = AddFunc(l, "0");
  f.XCeloe = true;
  f.IfMinX = true;
  f.MinX = 0.5L;
  f.IfMaxX = true;
  f.MaxX = 2;  // the last sample is the first whole x at or past 2
  EXPECT_EQ(SampleColumns(Draw(l, 89, 10)), (std::vector<int>{37, 47, 57}));
}

TEST(DrawFunctionTest, WideAndFarViewsAreSampledToTheRightEdge) {
  // Xm = 400 (a zoom out from 40 with factor 10): 40000 whole numbers on 100
  // columns, a bounded number of them in every column from the first to the
  // column of the last whole number.
  objScreen v = View(400, 1, 0, 0);
  AddFunc(v, "0").XCeloe = true;
  std::vector<int> cols = SampleColumns(Draw(v, 100, 10));
  EXPECT_LE(cols.size(), 101u * 32);
  EXPECT_EQ(cols.front(), 0);
  EXPECT_EQ(cols.back(), 100);
  for (size_t k = 1; k < cols.size(); ++k) ASSERT_LE(cols[k] - cols[k - 1], 1) << k;
  // A million per column (a scale from a file): still every column up to
  // the right edge, not only the first few millions of whole numbers.
  objScreen million = View(1e6L, 1, -5e7L, 0);
  AddFunc(million, "0").XCeloe = true;
  cols = SampleColumns(Draw(million, 100, 10));
  EXPECT_LE(cols.size(), 101u * 32);
  EXPECT_EQ(cols.front(), 0);
  EXPECT_EQ(cols.back(), 100);
  // The same view with ten whole numbers per column draws every one.
  objScreen ten = View(10, 1, 0, 0);
  AddFunc(ten, "0").XCeloe = true;
  EXPECT_EQ(SampleColumns(Draw(ten, 100, 10)).size(), 1001u);

  // Far from the origin a step of about 1.17 units in the last place moves x
  // by one unit only: more samples than W * Kolvo, still up to the edge.
  objScreen far = View(2e-5L, 1, 0x1p44L, 0);
  AddFunc(far, "0").Kolvo = 9;
  cols = SampleColumns(Draw(far, 100, 10));
  EXPECT_GT(cols.size(), 1000u);
  EXPECT_EQ(cols.back(), 100);
}

namespace {

// Every sample a whole-number graph takes from `first` on a picture W
// columns wide, and the pixel columns walked to find them.
struct WholeWalk {
  bool sampled = false;
  std::vector<long double> xs;
  int32_t columns = 0;
};

WholeWalk Walk(const objScreen& v, long double first, int W) {
  WholeWalk w;
  WholeColumns whole;
  const long double xEnd = W * v.Xm + v.StartX;
  w.sampled = whole.Init(v, first, xEnd, W, -(1 << 20), W + (1 << 20));
  long double x = 0;
  while (w.sampled && whole.Next(x)) w.xs.push_back(x);
  w.columns = whole.Columns();
  return w;
}

// Which columns of `row` graph 0 paints on a W x 10 picture.
std::vector<bool> PaintedInRow(const objScreen& v, int W, int row) {
  plat::TImageCanvas c(W, 10);
  DrawFunction(v, 0, c);
  std::vector<bool> painted(W);
  for (int px = 0; px < W; ++px) painted[px] = c.GetPixel(px, row) == v.Funcs[0]->GraphColor;
  return painted;
}

void ExpectIncreasingFinite(const std::vector<long double>& xs) {
  for (size_t k = 0; k < xs.size(); ++k) {
    ASSERT_TRUE(std::isfinite(xs[k])) << k;
    if (k > 0) {
      ASSERT_LT(xs[k - 1], xs[k]) << k;
    }
  }
}

}  // namespace

TEST(DrawFunctionTest, WholeNumbersAtFarScalesWalkOnlyThePicturesColumns) {
  constexpr int W = 1920;
  // 1e4931 units per column with the world origin at the left edge: the
  // range to the right edge overflows. The whole numbers end with the
  // largest one, in column 12, and the walk ends there too.
  objScreen overflow = View(1e4931L, 1, 0, 5);
  AddFunc(overflow, "1").XCeloe = true;
  ASSERT_TRUE(std::isinf(W * overflow.Xm + overflow.StartX));
  WholeWalk w = Walk(overflow, 0, W);
  ASSERT_TRUE(w.sampled);
  EXPECT_LE(w.columns, W + 2);
  EXPECT_LE(w.xs.size(), (W + 2u) * WholeColumns::PerColumn);
  ExpectIncreasingFinite(w.xs);
  EXPECT_EQ(w.xs.back(), LDBL_MAX);
  // Drawn: one line from the origin to that column, nothing to the right.
  std::vector<int> cols = SampleColumns(Draw(overflow, W, 10));
  ASSERT_FALSE(cols.empty());
  EXPECT_EQ(cols.front(), 0);
  EXPECT_EQ(cols.back(), 12);
  std::vector<bool> painted = PaintedInRow(overflow, W, 4);
  for (int px = 0; px < 12; ++px) ASSERT_TRUE(painted[px]) << px;
  for (int px = 13; px < W; ++px) ASSERT_FALSE(painted[px]) << px;

  // The origin in column 3, as a click there in pointer mode puts it: the
  // distance from the left edge to the largest number (14.9 columns)
  // itself overflows, and still maps to its column.
  objScreen shifted = View(1e4931L, 1, -3e4931L, 5);
  AddFunc(shifted, "1").XCeloe = true;
  w = Walk(shifted, shifted.StartX, W);
  ASSERT_TRUE(w.sampled);
  EXPECT_LE(w.columns, W + 2);
  ExpectIncreasingFinite(w.xs);
  EXPECT_EQ(w.xs.back(), LDBL_MAX);
  cols = SampleColumns(Draw(shifted, W, 10));
  ASSERT_FALSE(cols.empty());
  EXPECT_EQ(cols.back(), 15);
  painted = PaintedInRow(shifted, W, 4);
  for (int px = 0; px < 15; ++px) ASSERT_TRUE(painted[px]) << px;
  for (int px = 16; px < W; ++px) ASSERT_FALSE(painted[px]) << px;

  // The same in rows: y scale 1e4931 with the x axis in row 3, y = -x down
  // to minus the largest number, 14.9 rows below the top.
  objScreen deep = View(1e4931L, 1e4931L, 0, 3e4931L);
  AddFunc(deep, "-x").XCeloe = true;
  const Strings calls = Draw(deep, W, 20);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back(), "LineTo(12,15)");

  // 1e300 per column, centred: a bounded sample of every column, and the
  // line across the whole picture.
  objScreen wide = View(1e300L, 1, 0, 5);
  wide.CenterOrigin(W, 10);
  AddFunc(wide, "1").XCeloe = true;
  w = Walk(wide, std::truncl(wide.StartX), W);
  ASSERT_TRUE(w.sampled);
  EXPECT_LE(w.columns, W + 2);
  EXPECT_LE(w.xs.size(), (W + 2u) * WholeColumns::PerColumn);
  ExpectIncreasingFinite(w.xs);
  cols = SampleColumns(Draw(wide, W, 10));
  ASSERT_FALSE(cols.empty());
  EXPECT_EQ(cols.front(), 0);
  EXPECT_EQ(cols.back(), W);
  painted = PaintedInRow(wide, W, 4);
  for (int px = 0; px < W; ++px) ASSERT_TRUE(painted[px]) << px;

  // At 2^80 neighbouring whole numbers lie 2^17 apart, 131 columns of 1000
  // units: the first one past the right edge is still the last sample,
  // without a walk through the columns between.
  objScreen far = View(1000, 1, 0x1p80L, 5);
  AddFunc(far, "1").XCeloe = true;
  w = Walk(far, far.StartX, 100);
  ASSERT_TRUE(w.sampled);
  EXPECT_LE(w.columns, 102);
  EXPECT_EQ(w.xs, (std::vector<long double>{0x1p80L, 0x1p80L + 0x1p17L}));
  EXPECT_EQ(SampleColumns(Draw(far, 100, 10)), (std::vector<int>{0, 131}));
}

TEST(DrawFunctionTest, FailedEvaluationBreaksTheLineAndTheNextSampleStartsARun) {
  objScreen v = View(0.1L, 1, -3.7L, 5);
  AddFunc(v, "1/x").XCeloe = true;
  const Strings calls = Draw(v, 60, 10);  // x = -3 .. 3 (range -3.7 .. 2.3)
  const Strings expected = {
      "MoveTo(7,5)",  "SetPixel(7,5,$0000FF)",   // -1/3: row 5.33
      "LineTo(17,6)",                            // -1/2: row 5.5, half to even
      "LineTo(27,6)",                            // -1
      "MoveTo(47,4)", "SetPixel(47,4,$0000FF)",  // x = 0 failed; x = 1 starts a run
      "LineTo(57,4)",                            // 1/2: row 4.5, half to even
      "LineTo(67,5)",                            // 1/3
  };
  EXPECT_EQ(calls, expected);
}

TEST(DrawFunctionTest, RowsBeyond16000BreakTheLineAndTheBoundItselfPasses) {
  objScreen v = View(1, 1, 0, 0);
  AddFunc(v, "0-16000");
  Strings calls = Draw(v, 2, 2);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls[0], "MoveTo(0,16000)");

  objScreen far = View(1, 1, 0, 0);
  AddFunc(far, "0-16000.5");
  EXPECT_TRUE(Draw(far, 2, 2).empty());
  objScreen above = View(1, 1, 0, 0);
  AddFunc(above, "16000.5");
  EXPECT_TRUE(Draw(above, 2, 2).empty());
}

TEST(DrawFunctionTest, JumpEqualToTheLimitIsNotJoinedButTheNextSmallerOneIs) {
  // y(0) = 0, y(1) = 10, y(2) = 15 with a jump limit of 10.
  objScreen v = View(1, 1, 0, 20);
  objFunc& f = AddFunc(v, "12.5*x-2.5*x^2");
  f.XCeloe = true;
  f.IfRazryv = true;
  f.Razryv = 10;
  const Strings expected = {
      "MoveTo(0,20)", "SetPixel(0,20,$0000FF)",
      "MoveTo(1,10)", "SetPixel(1,10,$0000FF)",  // jump 10: a lone pixel
      "LineTo(2,5)",                             // jump 5: joined to it
  };
  EXPECT_EQ(Draw(v, 2, 30), expected);
}

TEST(DrawFunctionTest, LinesOffDrawsLonePixelsAndDotsAreRingsInTheirBox) {
  objScreen v = View(1, 1, 0, 5);
  objFunc& f = AddFunc(v, "0");
  f.IfLines = false;
  const Strings pixels = {"MoveTo(0,5)", "SetPixel(0,5,$0000FF)", "MoveTo(1,5)", "SetPixel(1,5,$0000FF)",
                          "MoveTo(2,5)", "SetPixel(2,5,$0000FF)"};
  EXPECT_EQ(Draw(v, 2, 10), pixels);

  f.IfLines = true;
  f.Diametr = 9;
  const Strings nine = {"MoveTo(0,5)", "Ellipse(-4,1,5,10)", "SetPixel(0,5,$0000FF)",
                        "Ellipse(-3,1,6,10)", "LineTo(1,5)"};
  EXPECT_EQ(Draw(v, 1, 10), nine);

  f.Diametr = 2;
  const Strings two = {"MoveTo(0,5)", "Ellipse(-1,4,1,6)", "SetPixel(0,5,$0000FF)",
                       "Ellipse(0,4,2,6)", "LineTo(1,5)"};
  EXPECT_EQ(Draw(v, 1, 10), two);
}

TEST(DrawFunctionTest, PenAndFillComeFromTheFunctionAndTheBackground) {
  objScreen v = View(1, 1, 0, 5);
  v.BkColor = 0x00FFEE;
  objFunc& f = AddFunc(v, "0");
  f.Diametr = 3;
  f.LineWidth = 4;
  f.GraphColor = 0x123456;
  TRecordingCanvas c(1, 10);
  DrawScreen(v, c, nullptr);
  const auto ellipses = c.CallsOf("Ellipse");
  ASSERT_EQ(ellipses.size(), 2u);
  EXPECT_EQ(ellipses[0].Pen.Color, 0x123456u);
  EXPECT_EQ(ellipses[0].Pen.Width, 4);
  EXPECT_EQ(ellipses[0].Brush.Color, 0x00FFEEu);
  EXPECT_EQ(c.CallsOf("LineTo").back().Pen.Color, 0x123456u);
}

TEST(DrawSetkaTest, GridOnlyWhenLinesAreAtLeastFourPixelsApartAndAxesThroughTheOrigin) {
  objScreen v = View(0.3L, 0.25L, -1, 1);
  v.SetkaStep = 1;
  TRecordingCanvas c(8, 8);
  DrawSetka(v, c);
  EXPECT_TRUE(c.Calls.empty());

  v.Xm = 0.25L;
  DrawSetka(v, c);
  // x from -1 to 1: lines at -1, 0 (columns 0, 4); y from 1 down to -1: rows 0, 4.
  const Strings expected = {"MoveTo(0,0)", "LineTo(0,8)", "MoveTo(4,0)", "LineTo(4,8)",
                            "MoveTo(0,0)", "LineTo(8,0)", "MoveTo(0,4)", "LineTo(8,4)"};
  EXPECT_EQ(c.Strings(), expected);
  EXPECT_EQ(c.Calls[1].Pen.Width, 1);
  EXPECT_EQ(c.Calls[1].Pen.Color, v.LinesColor);

  // The axes through the origin: column 4.5 -> 4, row 3.5 -> 4.
  objScreen a = View(0.5L, 0.5L, -2.25L, 1.75L);
  a.OciColor = 0x0000AA;
  a.OciWidth = 3;
  TRecordingCanvas o(10, 8);
  DrawOci(a, o);
  EXPECT_EQ(o.Strings(), (Strings{"MoveTo(4,0)", "LineTo(4,8)", "MoveTo(0,4)", "LineTo(10,4)"}));
  EXPECT_EQ(o.Calls[1].Pen.Width, 3);
  EXPECT_EQ(o.Calls[3].Pen.Color, 0x0000AAu);
}

namespace {
struct Panels : IStatusPanels {
  std::string Text[6];
  void SetPanelText(int i, const std::string& s) override { Text[i] = s; }
};
}  // namespace

TEST(DrawScreenTest, LayersInOrderAndStatusTexts) {
  objScreen v = View(0.02L, 1, -0.04L, 2);
  v.SetkaStep = 100;  // grid drawn
  AddFunc(v, "1");
  Panels p;
  TRecordingCanvas c(4, 4);
  DrawScreen(v, c, &p);
  EXPECT_EQ(p.Text[2], "xm 0.02");
  EXPECT_EQ(p.Text[3], "ym 1");
  EXPECT_EQ(p.Text[4], "Функций: 1");
  const Strings s = c.Strings();
  ASSERT_GE(s.size(), 8u);
  EXPECT_EQ(s[0], "FillRect(0,0,4,4)");
  // Grid (x = 0 at column 2, y = 0 at row 2), then the axes, then the graph.
  EXPECT_EQ(Strings(s.begin() + 1, s.begin() + 5), (Strings{"MoveTo(2,0)", "LineTo(2,4)", "MoveTo(0,2)", "LineTo(4,2)"}));
  EXPECT_EQ(Strings(s.begin() + 5, s.begin() + 9), (Strings{"MoveTo(2,0)", "LineTo(2,4)", "MoveTo(0,2)", "LineTo(4,2)"}));
  EXPECT_EQ(s[9], "MoveTo(0,1)");

  // An empty list: background, grid and axes, and "Функций: 0".
  v.ClearFuncs();
  v.Setka = false;
  v.Oci = false;
  c.Clear();
  DrawScreen(v, c, &p);
  EXPECT_EQ(c.Strings(), Strings{"FillRect(0,0,4,4)"});
  EXPECT_EQ(p.Text[4], "Функций: 0");
}

TEST(DrawGuardTest, UnusableViewsAndFunctionsDrawNothingAndNeverHang) {
  const auto start = std::chrono::steady_clock::now();
  const long double inf = std::numeric_limits<long double>::infinity();
  const long double nan = std::numeric_limits<long double>::quiet_NaN();

  // Zero, negative and non-finite scales; non-finite origin.
  for (long double bad : {0.0L, -0.5L, inf, nan}) {
    objScreen v = View(bad, 1, -1, 1);
    AddFunc(v, "x");
    TRecordingCanvas c(20, 20);
    DrawScreen(v, c, nullptr);
    EXPECT_EQ(c.Strings(), Strings{"FillRect(0,0,20,20)"});
    objScreen w = View(1, 1, nan, 1);
    AddFunc(w, "x");
    c.Clear();
    DrawScreen(w, c, nullptr);
    EXPECT_EQ(c.Calls.size(), 1u);
  }
  // No samples per column.
  objScreen k = View(1, 1, 0, 1);
  AddFunc(k, "x").Kolvo = 0;
  EXPECT_TRUE(Draw(k, 10, 10).empty());
  // An empty picture.
  objScreen e = View(1, 1, 0, 1);
  AddFunc(e, "x");
  EXPECT_TRUE(Draw(e, 0, 10).empty());

  // A huge origin against a tiny step: x + step == x, the loop stops.
  objScreen huge = View(1e-5L, 1e-5L, 1e30L, -1e30L);
  AddFunc(huge, "0");
  huge.SetkaStep = 1e-3L;
  TRecordingCanvas c(100, 100);
  DrawScreen(huge, c, nullptr);
  objScreen hugeInt = View(1e-5L, 1e-5L, 1e30L, 1e30L);
  AddFunc(hugeInt, "1000000").XCeloe = true;
  c.Clear();
  DrawFunction(hugeInt, 0, c);

  // A view so wide in whole numbers (a scale from a file) samples a few in
  // each column rather than all of them for days; the function fails
  // everywhere, so only the time of the samples counts.
  objScreen wide = View(1e12L, 1, 0, 0);
  AddFunc(wide, "ln(x-x-1)").XCeloe = true;
  c.Clear();
  DrawFunction(wide, 0, c);
  EXPECT_TRUE(c.Calls.empty());

  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST(RoundPixelTest, ClampsBeforeConverting) {
  EXPECT_EQ(RoundPixel(1e300L, -10, 10), 10);
  EXPECT_EQ(RoundPixel(-1e300L, -10, 10), -10);
  EXPECT_EQ(RoundPixel(std::numeric_limits<long double>::quiet_NaN(), -10, 10), -10);
  // The same as nearbyintl (half to even) over halves, quarters and near-halves.
  for (long double v = -1000.0L; v <= 1000.0L; v += 0.25L) {
    for (long double d : {0.0L, 1e-15L, -1e-15L}) {
      const long double x = v + d;
      ASSERT_EQ(RoundPixel(x, -5000, 5000), static_cast<int32_t>(std::nearbyintl(x))) << static_cast<double>(x);
    }
  }
  EXPECT_EQ(RoundPixel(2147483000.5L, -2147483647, 2147483647), 2147483000);
}

TEST(DrawPixelsTest, EndPixelsBoxEdgesAndRingOnTheImageCanvas) {
  // One graph, y = 0 on a 10 x 10 picture with x in columns 0 .. 3 only.
  objScreen v = View(1, 1, 0, 5);
  v.Oci = v.Setka = false;
  objFunc& f = AddFunc(v, "0");
  f.IfMaxX = true;
  f.MaxX = 3;
  f.IfLines = true;
  plat::TImageCanvas c(10, 10);
  DrawScreen(v, c, nullptr);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(c.GetPixel(x, 5), Red) << x;
  // The last sample (x = 3) is reached by a line whose end pixel is not painted.
  EXPECT_EQ(c.GetPixel(3, 5), 0xFFFFFFu);

  // A ring of diameter 4 at (5, 5): box 3..6 inclusive, nothing at 7.
  objScreen d = View(1, 1, -5, 5);
  d.Oci = d.Setka = false;
  objFunc& g = AddFunc(d, "0");
  g.IfMinX = g.IfMaxX = true;
  g.MinX = g.MaxX = 0;
  g.Diametr = 4;
  plat::TImageCanvas r(10, 10);
  DrawScreen(d, r, nullptr);
  EXPECT_EQ(r.GetPixel(5, 3), Red);   // top edge of the box
  EXPECT_EQ(r.GetPixel(3, 5), Red);   // left edge
  EXPECT_EQ(r.GetPixel(5, 7), 0xFFFFFFu);  // bottom edge excluded
  EXPECT_EQ(r.GetPixel(7, 5), 0xFFFFFFu);  // right edge excluded
  EXPECT_EQ(r.GetPixel(5, 5), Red);   // centre pixel of a run's start
}

namespace {

// What drawing every whole number from `first` to `last` gives for a graph
// defined and joined at all of them: a pixel at the first, then a line to
// each next one.
std::vector<std::vector<bool>> EveryWholeNumber(const objScreen& v, long double first, long double last,
                                               int w, int h) {
  plat::TImageCanvas c(w, h);
  objFunc& f = *v.Funcs[0];
  c.Pen.Color = f.GraphColor;
  c.Pen.Width = 1;
  for (long double x = first; x <= last; x += 1) {
    long double y = 0;
    f.Reset();
    f.Calc(y, x);
    EXPECT_EQ(f.ErrorCode, 0);
    const int px = RoundPixel((x - v.StartX) / v.Xm, -100000, 100000);
    const int py = RoundPixel((v.StartY - y) / v.Ym, -100000, 100000);
    if (x == first) {
      c.MoveTo(px, py);
      c.SetPixel(px, py, f.GraphColor);
    } else {
      c.LineTo(px, py);
    }
  }
  std::vector<std::vector<bool>> painted(w, std::vector<bool>(h));
  for (int px = 0; px < w; ++px)
    for (int py = 0; py < h; ++py) painted[px][py] = c.GetPixel(px, py) == f.GraphColor;
  return painted;
}

std::vector<std::vector<bool>> Drawn(const objScreen& v, int w, int h) {
  plat::TImageCanvas c(w, h);
  DrawFunction(v, 0, c);
  std::vector<std::vector<bool>> painted(w, std::vector<bool>(h));
  for (int px = 0; px < w; ++px)
    for (int py = 0; py < h; ++py) painted[px][py] = c.GetPixel(px, py) == v.Funcs[0]->GraphColor;
  return painted;
}

}  // namespace

TEST(DrawFunctionTest, WholeNumbersSharingColumnsDrawWhatAllOfThemWould) {
  // 300 whole numbers per column, -9000 .. 9000 on 60 columns. A rising
  // graph: inside a column the line through all of them is the vertical
  // span from the column's first to its last, which its samples draw too.
  objScreen rising = View(300, 1, -9000, 100);
  AddFunc(rising, "x/100").XCeloe = true;
  EXPECT_EQ(Drawn(rising, 60, 200), EveryWholeNumber(rising, -9000, 9000, 60, 200));

  // An oscillating one, 80 rows from trough to crest in every column:
  // nothing is drawn that all of them would not draw, and the samples'
  // span comes close to theirs (within a tenth in every column, half a row
  // on average at either end).
  objScreen wave = View(500, 1, -15000, 50);
  AddFunc(wave, "sin(x)*40").XCeloe = true;
  const auto drawn = Drawn(wave, 60, 100);
  const auto all = EveryWholeNumber(wave, -15000, 15000, 60, 100);
  int missed = 0;
  for (int px = 0; px < 60; ++px) {
    int top = 100, bottom = -1, allTop = 100, allBottom = -1;
    for (int py = 0; py < 100; ++py) {
      ASSERT_FALSE(drawn[px][py] && !all[px][py]) << "pixel " << px << "," << py << " drawn by no whole number";
      if (drawn[px][py]) top = std::min(top, py), bottom = std::max(bottom, py);
      if (all[px][py]) allTop = std::min(allTop, py), allBottom = std::max(allBottom, py);
    }
    EXPECT_GE(allBottom - allTop, 78) << px;
    EXPECT_LE(top - allTop, 8) << px;
    EXPECT_LE(allBottom - bottom, 8) << px;
    missed += (top - allTop) + (allBottom - bottom);
  }
  EXPECT_LE(missed, 60);
}
