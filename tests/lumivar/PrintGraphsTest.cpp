// Rendering the screen view into a page rectangle.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "LumivarFixture.h"
#include "lumivar/DrawGraph.h"
#include "platform/qt/RecordingCanvas.h"

namespace {

using lumtest::LumivarTest;

// Units and origin as DrawAxes drew them: the arrows give the origin, the
// spacing of the axes' ticks the units.
struct Printed {
  int ox = 0, oy = 0, unitX = 0, unitY = 0;
};

Printed Read(const plat::TRecordingCanvas& c, int w) {
  Printed p;
  const auto polys = c.CallsOf("Polygon");
  EXPECT_EQ(polys.size(), 2u);
  if (polys.size() < 2) return p;
  p.oy = polys[0].Args[1];
  p.ox = polys[1].Args[0];
  std::set<int> xs, ys;
  const auto& calls = c.Calls;
  for (std::size_t i = 1; i < calls.size(); ++i) {
    const plat::TCanvasCall& m = calls[i - 1];
    const plat::TCanvasCall& l = calls[i];
    if (m.Op != "MoveTo" || l.Op != "LineTo" || l.Pen.Width != w) continue;
    if (m.Args[0] == l.Args[0] && m.Args[1] == p.oy + 2 * w && l.Args[1] == p.oy - 2 * w) xs.insert(m.Args[0]);
    if (m.Args[1] == l.Args[1] && m.Args[0] == p.ox + 2 * w && l.Args[0] == p.ox - 2 * w) ys.insert(m.Args[1]);
  }
  auto step = [](const std::set<int>& s) {
    int best = 0;
    for (auto it = s.begin(); it != s.end() && std::next(it) != s.end(); ++it) {
      const int d = *std::next(it) - *it;
      if (best == 0 || d < best) best = d;
    }
    return best;
  };
  p.unitX = step(xs);
  p.unitY = step(ys);
  return p;
}

TEST_F(LumivarTest, PrintGraphsScalesTheScreenViewIntoThePageRectangle) {
  struct Case {
    int plotW, plotH, unitX, unitY, ox, oy, left, top, right, bottom;
    Printed expected;
  };
  const Case cases[] = {
      // 1500 / 476 * 30 = 94.5..; the screen centre lands on the rectangle's centre.
      {476, 221, 30, 30, 238, 110, 0, 0, 2000, 1500, {1000, 748, 95, 95}},
      // Taller than wide: the width gives the factor.
      {476, 221, 30, 30, 238, 110, 100, 200, 1100, 2200, {600, 1199, 63, 63}},
      // Unequal units; 22.5 rounds to the even 22.
      {400, 300, 30, 15, 100, 50, 0, 0, 800, 600, {250, 153, 45, 22}},
      // Units that round to 0 print as 1.
      {2000, 100, 2, 3, 1000, 50, 0, 0, 300, 300, {150, 150, 1, 1}},
  };
  for (const Case& c : cases) {
    plat::TRecordingCanvas canvas(c.right + 2, c.bottom + 2);
    lumivar::PrintGraphs(canvas, c.plotW, c.plotH, c.unitX, c.unitY, c.ox, c.oy, c.left, c.top, c.right,
                         c.bottom, lumivar::Graphs[1], lumivar::Graphs[2], false, 2, 1);
    const Printed p = Read(canvas, 1);
    EXPECT_EQ(p.ox, c.expected.ox) << c.right;
    EXPECT_EQ(p.oy, c.expected.oy) << c.right;
    EXPECT_EQ(p.unitX, c.expected.unitX) << c.right;
    EXPECT_EQ(p.unitY, c.expected.unitY) << c.right;
  }
}

// Widths of the lines drawn in a colour.
std::set<int> PenWidths(const plat::TRecordingCanvas& c, plat::TColor color) {
  std::set<int> widths;
  for (const plat::TCanvasCall& call : c.CallsOf("LineTo"))
    if (call.Pen.Color == color) widths.insert(call.Pen.Width);
  return widths;
}

TEST_F(LumivarTest, PrintGraphsPensAreAtLeastOnePixel) {
  struct Case {
    int graphPen, axisPen, graphWidth, axisWidth;
  };
  for (const Case& c : {Case{0, 0, 1, 1}, Case{-3, -1, 1, 1}, Case{5, 3, 5, 3}}) {
    plat::TRecordingCanvas canvas(400, 300);
    lumivar::PrintGraphs(canvas, 476, 221, 30, 30, 238, 110, 0, 0, 399, 299, lumivar::Graphs[1],
                         lumivar::Graphs[2], true, c.graphPen, c.axisPen);
    EXPECT_EQ(PenWidths(canvas, lumivar::Graphs[1].Color), std::set<int>{c.graphWidth});
    EXPECT_EQ(PenWidths(canvas, plat::clBlack), std::set<int>{c.axisWidth});
  }
}

TEST_F(LumivarTest, PrintGraphsColoursAndTheSecondSlot) {
  struct Case {
    bool systemMode, colour;
    std::set<plat::TColor> graphColours;
  };
  const Case cases[] = {{false, false, {plat::clBlack}},
                        {true, false, {plat::clBlack}},
                        {false, true, {plat::clNavy}},
                        {true, true, {plat::clNavy, plat::clRed}}};
  for (const Case& c : cases) {
    lumivar::SystemMode = c.systemMode;
    plat::TRecordingCanvas canvas(400, 300);
    lumivar::PrintGraphs(canvas, 476, 221, 30, 30, 238, 110, 0, 0, 399, 299, lumivar::Graphs[1],
                         lumivar::Graphs[2], c.colour, 4, 1);
    std::set<plat::TColor> colours;
    std::size_t graphLines = 0;
    for (const plat::TCanvasCall& call : canvas.CallsOf("LineTo"))
      if (call.Pen.Width == 4) {
        colours.insert(call.Pen.Color);
        ++graphLines;
      }
    EXPECT_EQ(colours, c.graphColours);
    // One line per column and slot, less the first column's move.
    EXPECT_EQ(graphLines, c.systemMode ? 2u * 399 : 399u);
    // The caller's slots keep their colours.
    EXPECT_EQ(lumivar::Graphs[1].Color, plat::clNavy);
  }
}

}  // namespace
