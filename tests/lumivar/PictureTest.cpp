// The plotter's redraw of whole pictures compared with the sums of the
// pictures it gave when these scenes were recorded, so that a change meant to
// make drawing faster cannot move a single pixel: built-in and typed formulas
// with coefficients, undefined points and poles, one or two graphs, grid on
// and off, units and origins.
//
// After an intended change of the pictures, run the test with
// ORV_PRINT_PICTURE_SUMS=1 to print the new table.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "../common/PictureSum.h"
#include "LumivarFixture.h"
#include "lumivar/DrawGraph.h"

namespace {

using lumivar::Graphs;
using lumivar::TGraphRec;

TGraphRec Rec(int func, int an, int ad, int bn, int bd, int cn, int cd, plat::TColor color) {
  TGraphRec r;
  r.FuncIndex = func;
  r.ANum = an;
  r.ADen = ad;
  r.BNum = bn;
  r.BDen = bd;
  r.CNum = cn;
  r.CDen = cd;
  r.Color = color;
  return r;
}

struct Scene {
  const char* name;
  int w, h;
  int ux, uy, ox, oy;
  bool grid;
  plat::TPenStyle gridStyle;
  TGraphRec first;
  bool second;
  TGraphRec other;
  const char* typed;  // the typed formula of slot 1, or nullptr
  int minColours;
};

std::vector<Scene> Scenes() {
  const plat::TPenStyle dot = plat::TPenStyle::psDot, dash = plat::TPenStyle::psDash;
  return {
      {"sine with coefficients, dotted grid", 600, 400, 30, 30, 300, 200, true, dot,
       Rec(1, 2, 1, 1, 2, -1, 1, plat::clNavy), false, {}, nullptr, 3},
      {"hyperbola and tangent, two units", 520, 380, 40, 25, 200, 250, true, dash,
       Rec(7, 3, 1, 1, 1, 0, 1, plat::clRed), true, Rec(10, 1, 2, 0, 1, 1, 1, plat::clGreen), nullptr, 4},
      {"root and a typed formula, no grid", 480, 360, 20, 20, 60, 300, false, dot,
       Rec(9, 3, 2, -2, 1, 1, 3, plat::clBlue), true, Rec(11, 1, 1, 2, 1, -3, 1, 0x008080), "sqr(x)/4-b*x+c", 4},
      {"quadratic with fractions, origin near the corner", 500, 320, 12, 9, 490, 10, true, dot,
       Rec(3, -1, 3, 5, 2, 7, 4, 0x800080), true, Rec(8, 5, 2, -3, 1, -20, 1, 0x0080FF), nullptr, 4},
      {"x cos(bx) and x^2 + a cos(bx), origin outside", 480, 300, 15, 3, -50, 150, true, dot,
       Rec(4, 2, 1, 3, 1, 0, 1, plat::clNavy), true, Rec(5, 4, 1, 5, 2, -30, 1, plat::clRed), nullptr, 3},
  };
}

// The sums of the pictures as drawn when the scenes were recorded.
const char* const Expected[] = {
    "0x6ee22c93c3e602e5",  // sine with coefficients, dotted grid
    "0x219c9c8962568e34",  // hyperbola and tangent, two units
    "0x321da026d230149e",  // root and a typed formula, no grid
    "0x3e93b5ff2b2f7726",  // quadratic with fractions, origin near the corner
    "0x1a3cb14b7abba9a6",  // x cos(bx) and x^2 + a cos(bx), origin outside
};

class PictureTest : public lumtest::LumivarTest {};

TEST_F(PictureTest, RedrawsMatchTheRecordedPictures) {
  const std::vector<Scene> scenes = Scenes();
  const bool print = std::getenv("ORV_PRINT_PICTURE_SUMS") != nullptr;
  ASSERT_EQ(std::size(Expected), scenes.size());
  CreateForms();
  lumivar::TMainForm& f = *form;
  f.SinhronClick();  // units apart
  ASSERT_FALSE(f.Sinhron->isChecked());
  for (std::size_t i = 0; i < scenes.size(); ++i) {
    const Scene& sc = scenes[i];
    ASSERT_TRUE(lumtest::SetClientSize(f, sc.w, sc.h)) << sc.name;
    lumivar::GridOn = sc.grid;
    lumivar::GridStyle = sc.gridStyle;
    lumivar::SystemMode = sc.second;
    Graphs[1] = sc.first;
    Graphs[2] = sc.second ? sc.other : TGraphRec{};
    lumivar::AltFormulas[1] = sc.typed ? std::string("y=") + sc.typed : std::string();
    lumivar::RestoreAcceptedFormula(1);
    ASSERT_EQ(lumivar::AltCompiled[1], sc.typed != nullptr) << sc.name;
    f.Spin1->SetValue(sc.ux);
    f.Spin2->SetValue(sc.uy);
    f.Spin3->SetValue(sc.ox);
    f.Spin4->SetValue(sc.oy);
    ASSERT_EQ(f.UnitX(), sc.ux);
    ASSERT_EQ(f.UnitY(), sc.uy);
    f.RedrawGraphs();
    const QImage& image = f.ScreenBitmap->Image();
    ASSERT_EQ(image.width(), sc.w) << sc.name;
    EXPECT_GE(pictest::ColourCount(image, sc.minColours), sc.minColours) << sc.name;
    pictest::MaybeSave(image, sc.name);
    const std::string sum = pictest::SumText(pictest::PictureSum(image));
    if (print) std::printf("    \"%s\",  // %s\n", sum.c_str(), sc.name);
    EXPECT_EQ(sum, Expected[i]) << sc.name;
  }
}

}  // namespace
