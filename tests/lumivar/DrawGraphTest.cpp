// Axes, grid and graph drawing on the recording canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "LumivarFixture.h"
#include "lumivar/DrawGraph.h"
#include "lumivar/Func.h"
#include "lumivar/Graph.h"
#include "platform/qt/RecordingCanvas.h"

using namespace lumivar;
using lumtest::KorvelLog;

namespace {

class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    KorvelLog().clear();
    Korvel = lumtest::RecordingKorvel();
  }
  void TearDown() override {
    Korvel = KorvelExports();
    ResetProgramState();
  }
  static std::vector<std::string> Only(const plat::TRecordingCanvas& c, const std::string& op) {
    std::vector<std::string> out;
    for (const plat::TCanvasCall& call : c.CallsOf(op)) out.push_back(call.ToString());
    return out;
  }
  static std::vector<std::string> Texts(const plat::TRecordingCanvas& c) {
    std::vector<std::string> out;
    for (const plat::TCanvasCall& call : c.CallsOf("TextOut")) out.push_back(call.Text);
    return out;
  }
  static TGraphRec Constant(int cnum, int cden = 1) {
    TGraphRec r;
    r.FuncIndex = 3;  // a x^2 + b x + c with a = b = 0
    r.ANum = 0;
    r.CNum = cnum;
    r.CDen = cden;
    r.Color = plat::clRed;
    return r;
  }
};

TEST_F(DrawTest, AxesOfASmallRectangle) {
  plat::TRecordingCanvas c(100, 80);
  DrawAxes(c, 0, 0, 60, 40, 20, 20, 10, 10, 1);
  const std::string w0 = std::to_string(20 - c.TextWidth("0") / 2);
  const std::string w3 = std::to_string(50 - c.TextWidth("3") / 2);
  const std::string yx = std::to_string(20 - 9 - 1 - c.TextWidth("y"));
  const std::vector<std::string> expected = {
      "Rectangle(-1,-1,61,41)",
      // x axis, its arrow and letter
      "MoveTo(0,20)", "LineTo(60,20)", "Polygon((60,20),(51,23),(51,17),(60,20))", "TextOut(51,24,\"x\")",
      // y axis
      "MoveTo(20,0)", "LineTo(20,40)", "Polygon((20,0),(23,9),(17,9),(20,0))", "TextOut(" + yx + ",0,\"y\")",
      // x ticks: both runs leave the origin together; every third is labelled
      "MoveTo(20,22)", "LineTo(20,18)", "TextOut(" + w0 + ",23,\"0\")", "MoveTo(20,22)", "LineTo(20,18)",
      "MoveTo(30,22)", "LineTo(30,18)", "MoveTo(10,22)", "LineTo(10,18)",
      "MoveTo(40,22)", "LineTo(40,18)", "MoveTo(0,22)", "LineTo(0,18)",
      "MoveTo(50,22)", "LineTo(50,18)", "TextOut(" + w3 + ",23,\"3\")",
      // y ticks: none at the origin, none under the arrow
      "MoveTo(22,30)", "LineTo(18,30)", "MoveTo(22,10)", "LineTo(18,10)",
      "MoveTo(22,40)", "LineTo(18,40)"};
  EXPECT_EQ(c.Strings(), expected);

  const auto all = c.Calls;
  EXPECT_EQ(all[0].Pen.Color, plat::clWhite);
  EXPECT_EQ(all[0].Brush.Color, plat::clWhite);
  EXPECT_EQ(all[3].Brush.Color, plat::clBlack);  // filled arrow
  EXPECT_EQ(all[4].Brush.Color, plat::clWhite);  // letters cover what is behind them
  EXPECT_EQ(all[4].Font.Name, "Times New Roman");
  EXPECT_EQ(all[4].Font.Size, 9);
  EXPECT_TRUE(all[4].Font.Bold && all[4].Font.Italic);
  EXPECT_EQ(c.Pen.Style, plat::TPenStyle::psSolid);
  EXPECT_EQ(c.Brush.Color, plat::clWhite);
}

TEST_F(DrawTest, DecorationScalesWithThePenWidth) {
  plat::TRecordingCanvas c(400, 300);
  DrawAxes(c, 0, 0, 300, 200, 100, 100, 60, 60, 3);
  const auto polys = Only(c, "Polygon");
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0], "Polygon((300,100),(273,109),(273,91),(300,100))");
  EXPECT_EQ(polys[1], "Polygon((100,0),(109,27),(91,27),(100,0))");
  EXPECT_EQ(Only(c, "TextOut")[0], "TextOut(273,114,\"x\")");  // 1.5 * 9 = 13.5 rounds to 14
  EXPECT_EQ(c.CallsOf("LineTo")[0].Pen.Width, 3);
  // Ticks are 2W long each way; labels 30W apart: every second tick at 60 pixels.
  EXPECT_EQ(Texts(c), (std::vector<std::string>{"x", "y", "0", "2"}));
}

TEST_F(DrawTest, GridLiesOnUnitMultiplesInsideTheRectangleAndNeverOnAnAxis) {
  GridOn = true;
  GridColor = plat::clGreen;
  GridStyle = plat::TPenStyle::psDash;
  plat::TRecordingCanvas c(100, 80);
  DrawAxes(c, 0, 0, 45, 40, -7, 20, 10, 10, 1);  // origin left of the rectangle
  std::vector<std::string> grid;
  for (const plat::TCanvasCall& call : c.CallsOf("LineTo"))
    if (call.Pen.Color == plat::clGreen) {
      EXPECT_EQ(call.Pen.Style, plat::TPenStyle::psDash);
      grid.push_back(call.ToString());
    }
  EXPECT_EQ(grid, (std::vector<std::string>{"LineTo(3,40)", "LineTo(13,40)", "LineTo(23,40)", "LineTo(33,40)",
                                            "LineTo(43,40)", "LineTo(45,0)", "LineTo(45,10)", "LineTo(45,30)",
                                            "LineTo(45,40)"}));
  EXPECT_EQ(Only(c, "Polygon").size(), 1u);  // x axis only
  for (const std::string& t : Texts(c)) EXPECT_NE(t, "y");
  EXPECT_EQ(c.Pen.Style, plat::TPenStyle::psSolid);
  EXPECT_EQ(c.Pen.Color, plat::clBlack);
}

TEST_F(DrawTest, YTicksWithinTwoPenWidthsOfTheRectangleButNoAxis) {
  plat::TRecordingCanvas c(100, 80);
  DrawAxes(c, 0, 0, 60, 40, -2, 20, 10, 10, 1);
  EXPECT_EQ(Only(c, "Polygon").size(), 1u);
  // Tick rows at 30 and 10 and 40, drawn from x = 0 to -4 around the origin.
  int yTicks = 0;
  for (const plat::TCanvasCall& call : c.CallsOf("LineTo"))
    if (call.Args[0] == -4) ++yTicks;
  EXPECT_EQ(yTicks, 3);
  c.Clear();
  DrawAxes(c, 0, 0, 60, 40, -3, 20, 10, 10, 1);
  for (const plat::TCanvasCall& call : c.CallsOf("LineTo")) EXPECT_NE(call.Args[0], -5);
}

TEST_F(DrawTest, OriginPastTheArrowLeavesZeroUnlabelled) {
  plat::TRecordingCanvas c(200, 80);
  DrawAxes(c, 0, 0, 100, 40, 92, 20, 10, 10, 1);  // Right - 9W + 1
  const auto texts = Texts(c);
  // The left run ticks from 82 down; it labels -3, -6 and -9.
  std::vector<int> xs;
  for (const plat::TCanvasCall& call : c.CallsOf("LineTo"))
    if (call.Args[1] == 18) xs.push_back(call.Args[0]);
  EXPECT_EQ(xs, (std::vector<int>{82, 72, 62, 52, 42, 32, 22, 12, 2}));
  EXPECT_EQ(texts, (std::vector<std::string>{"x", "y", "-3", "-6", "-9"}));
}

TEST_F(DrawTest, UnitOfTwoLabelsEveryFifteenthTick) {
  plat::TRecordingCanvas c(200, 80);
  DrawAxes(c, 0, 0, 120, 40, 10, 43, 2, 2, 1);  // x axis more than 2W below: no x ticks
  for (const std::string& t : Texts(c)) {
    EXPECT_NE(t, "x");
    EXPECT_NE(t, "0");
  }
  for (const plat::TCanvasCall& call : c.CallsOf("LineTo")) EXPECT_NE(call.Args[1], 41);
  c.Clear();
  DrawAxes(c, 0, 0, 120, 40, 10, 42, 2, 2, 1);  // within 2W: ticks, but no axis
  EXPECT_EQ(c.CallsOf("Polygon").size(), 1u);
  EXPECT_FALSE(c.CallsOf("LineTo").empty());
  c.Clear();
  DrawAxes(c, 0, 0, 120, 40, 10, 20, 2, 2, 1);
  std::vector<std::string> xLabels;
  for (const plat::TCanvasCall& call : c.CallsOf("TextOut"))
    if (call.Args[1] == 23) xLabels.push_back(call.Text);
  EXPECT_EQ(xLabels, (std::vector<std::string>{"0", "15", "30", "45"}));
}

TEST_F(DrawTest, AScreenRectangleAndAPageRectangleAreDrawnAlike) {
  GridOn = true;
  TGraphRec sine;  // slot 1's defaults: a sine
  sine.ANum = 3;
  plat::TRecordingCanvas screen(300, 200), page(400, 300);
  DrawAxes(screen, 0, 0, 200, 150, 90, 70, 25, 20, 1);
  DrawGraphic(screen, 0, 0, 200, 150, 90, 70, 25, 20, 1, sine);
  DrawAxes(page, 40, 30, 240, 180, 130, 100, 25, 20, 1);
  DrawGraphic(page, 40, 30, 240, 180, 130, 100, 25, 20, 1, sine);
  ASSERT_EQ(screen.Calls.size(), page.Calls.size());
  ASSERT_GT(screen.CallsOf("LineTo").size(), 200u);
  for (std::size_t i = 0; i < screen.Calls.size(); ++i) {
    plat::TCanvasCall moved = screen.Calls[i];
    for (std::size_t k = 0; k < moved.Args.size(); ++k) moved.Args[k] += k % 2 ? 30 : 40;
    EXPECT_EQ(moved.ToStringWithTools(), page.Calls[i].ToStringWithTools()) << "call " << i;
  }
}

TEST_F(DrawTest, AGraphNeverLeavesItsRectangle) {
  TGraphRec r;
  r.FuncIndex = 3;  // x^2, well outside above on both sides
  plat::TRecordingCanvas c(120, 80);
  DrawGraphic(c, 10, 10, 90, 60, 50, 50, 10, 10, 2, r);
  for (const plat::TCanvasCall& call : c.Calls) {
    EXPECT_GE(call.Args[0], 10);
    EXPECT_LE(call.Args[0], 90);
    EXPECT_GE(call.Args[1], 10);
    EXPECT_LE(call.Args[1], 60);
    EXPECT_EQ(call.Pen.Color, r.Color);
    EXPECT_EQ(call.Pen.Width, 2);
  }
  // Outside on top: the pen moves along the top edge without drawing.
  EXPECT_EQ(c.Calls.front().ToString(), "MoveTo(10,10)");
  EXPECT_EQ(c.Calls[1].ToString(), "MoveTo(11,10)");
}

TEST_F(DrawTest, ConstantRowsAtTheTopEdgeAndHalfRowsRoundToEven) {
  plat::TRecordingCanvas c(80, 60);
  DrawGraphic(c, 0, 0, 50, 40, 10, 20, 10, 10, 1, Constant(2));  // row 20 - 2 * 10 = 0
  EXPECT_EQ(c.CallsOf("LineTo").size(), 50u);
  EXPECT_EQ(c.Calls.back().ToString(), "LineTo(50,0)");
  c.Clear();
  DrawGraphic(c, 0, 0, 50, 40, 10, 20, 10, 10, 1, Constant(21, 10));  // row -1
  EXPECT_TRUE(c.CallsOf("LineTo").empty());
  EXPECT_EQ(c.CallsOf("MoveTo").size(), 51u);
  // 20 - 0.5 = 19.5 -> 20 and 20 - 1.5 = 18.5 -> 18.
  for (auto [num, last] : {std::pair{1, "LineTo(3,20)"}, std::pair{3, "LineTo(3,18)"}}) {
    c.Clear();
    DrawGraphic(c, 0, 0, 3, 40, 0, 20, 10, 1, 1, Constant(num, 2));
    EXPECT_EQ(c.Calls.back().ToString(), last);
  }
}

TEST_F(DrawTest, TangentPoleBetweenColumnsJoinsTheEdges) {
  TGraphRec r;
  r.FuncIndex = 10;
  plat::TRecordingCanvas c(120, 80);
  // x = (i - 0) / 30: the pole pi/2 lies between columns 47 and 48.
  DrawGraphic(c, 0, 0, 100, 60, 0, 30, 30, 30, 1, r);
  const auto s = c.Strings();
  auto at = std::find(s.begin(), s.end(), "LineTo(48,60)");
  ASSERT_NE(at, s.end());
  EXPECT_EQ(*(at - 1), "MoveTo(47,0)");  // from the top edge down to the bottom edge
}

TEST_F(DrawTest, AnUndefinedColumnLiftsThePen) {
  TGraphRec r;
  r.FuncIndex = 7;  // a / (x - b): the pole is exactly on column 20
  plat::TRecordingCanvas c(120, 80);
  DrawGraphic(c, 0, 0, 40, 60, 20, 30, 10, 1, 1, r);
  const auto s = c.Strings();
  EXPECT_EQ(s[19], "LineTo(19,40)");
  EXPECT_EQ(s[20], "MoveTo(20,30)");  // the undefined value 0 sits on the x axis
  EXPECT_EQ(s[21], "MoveTo(21,20)");  // first defined column after it starts anew
  EXPECT_EQ(s[22], "LineTo(22,25)");
}

TEST_F(DrawTest, NothingIsDrawnRightOfLeftOrFromASlotWhoseCompileFailed) {
  static int interprets;
  interprets = 0;
  Korvel.Interpret = [](long double x) -> long double {
    ++interprets;
    return x;
  };
  AltCompiled[1] = true;
  AltCompiled[2] = false;
  TGraphRec r;
  r.FuncIndex = 11;
  plat::TRecordingCanvas c(60, 60);
  DrawGraphic(c, 30, 0, 29, 40, 0, 20, 10, 10, 1, r);  // right before left: evaluated once
  EXPECT_TRUE(c.Calls.empty());
  EXPECT_EQ(interprets, 1);
  r.FuncIndex = 12;
  DrawGraphic(c, 0, 0, 50, 50, 25, 25, 10, 10, 1, r);
  EXPECT_TRUE(c.CallsOf("LineTo").empty());
  EXPECT_EQ(interprets, 1);
}

TEST_F(DrawTest, TypedFormulasGetTheirSlotAndCoefficientsOncePerGraph) {
  AltCompiled[1] = AltCompiled[2] = true;
  TGraphRec g1, g2;
  g1.FuncIndex = 11;
  g1.ANum = 3;
  g1.ADen = 2;
  g2.FuncIndex = 12;
  g2.BNum = -1;
  g2.CNum = 5;
  g2.CDen = 4;
  plat::TRecordingCanvas c(60, 60);
  DrawGraphic(c, 0, 0, 50, 50, 25, 25, 10, 10, 1, g1);
  DrawGraphic(c, 0, 0, 50, 50, 25, 25, 10, 10, 1, g2);
  EXPECT_EQ(KorvelLog(), (std::vector<std::string>{"Init_Number(1)", "Init_ABC(1.500000,0.000000,0.000000)",
                                                   "Init_Number(2)", "Init_ABC(1.000000,-1.000000,1.250000)"}));
  EXPECT_EQ(c.CallsOf("LineTo").size(), 100u);
}

TEST_F(DrawTest, ANonFiniteValueIsNeverRoundedToAPixel) {
  static int calls;
  calls = 0;
  Korvel.Interpret = [](long double x) -> long double {
    ++calls;
    return calls % 3 == 0 ? std::numeric_limits<long double>::quiet_NaN() : x;
  };
  AltCompiled[1] = true;
  TGraphRec r;
  r.FuncIndex = 11;
  plat::TRecordingCanvas c(60, 60);
  DrawGraphic(c, 0, 0, 50, 50, 25, 25, 10, 10, 1, r);
  for (const plat::TCanvasCall& call : c.Calls) {
    EXPECT_GE(call.Args[1], 0);
    EXPECT_LE(call.Args[1], 50);
  }
  // Each NaN column is a move, to the row of 0, and so is the column after it.
  EXPECT_EQ(c.CallsOf("MoveTo").size(), 1u + 2 * 17);
  EXPECT_EQ(c.Strings()[1], "MoveTo(1,25)");
}

}  // namespace
