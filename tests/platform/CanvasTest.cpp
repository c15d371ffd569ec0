// Pixel probes of the drawing conventions the windows' drawing code relies on.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <random>

#include "platform/qt/RecordingCanvas.h"

using namespace plat;

namespace {

// Pixels that are not `background`, as "x,y" pairs in row order.
std::vector<TPoint> Painted(const TImageCanvas& c, TColor background = clWhite) {
  std::vector<TPoint> out;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x)
      if (c.GetPixel(x, y) != background) out.push_back({x, y});
  return out;
}

void RandomFill(QImage& img, unsigned seed) {
  std::mt19937 rng(seed);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) img.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
}

}  // namespace

TEST(ImageCanvas, ColourOrderIsBlueGreenRed) {
  TImageCanvas c(4, 4);
  c.SetPixel(1, 1, 0x00336699);  // blue 0x33, green 0x66, red 0x99
  EXPECT_EQ(c.Image().pixel(1, 1), 0xFF996633u);
  EXPECT_EQ(c.GetPixel(1, 1), 0x00336699u);
  EXPECT_EQ(c.GetPixel(0, 0), clWhite);  // a fresh canvas is white
}

TEST(ImageCanvas, LineDoesNotPaintItsEndPixel) {
  struct Case {
    TPoint from, to;
    int pixels;
  } cases[] = {{{2, 5}, {12, 5}, 10}, {{12, 5}, {2, 5}, 10}, {{5, 2}, {5, 12}, 10},
               {{1, 1}, {9, 9}, 8},   {{3, 1}, {6, 15}, 14}, {{15, 14}, {1, 3}, 14}};
  for (const Case& k : cases) {
    TImageCanvas c(20, 20);
    c.Pen.Color = clRed;
    c.MoveTo(k.from.X, k.from.Y);
    c.LineTo(k.to.X, k.to.Y);
    SCOPED_TRACE(std::to_string(k.from.X) + "," + std::to_string(k.from.Y) + " -> " + std::to_string(k.to.X) +
                 "," + std::to_string(k.to.Y));
    EXPECT_EQ(c.GetPixel(k.from.X, k.from.Y), clRed);
    EXPECT_EQ(c.GetPixel(k.to.X, k.to.Y), clWhite);
    EXPECT_EQ(static_cast<int>(Painted(c).size()), k.pixels);
    EXPECT_EQ(c.PenPos(), k.to);
  }
}

TEST(ImageCanvas, PolylineJoinsWithoutGapsAndZeroLengthLinePaintsNothing) {
  TImageCanvas c(20, 20);
  c.Pen.Color = clBlack;
  c.MoveTo(7, 7);
  c.LineTo(7, 7);
  EXPECT_TRUE(Painted(c).empty());
  c.MoveTo(2, 2);
  c.LineTo(10, 2);
  c.LineTo(10, 10);
  EXPECT_EQ(c.GetPixel(10, 2), clBlack);  // painted as the start of the second line
  EXPECT_EQ(c.GetPixel(10, 10), clWhite);
  EXPECT_EQ(Painted(c).size(), 16u);
}

TEST(ImageCanvas, LinesWithFarEndsArePaintedAsIfTheWholeLineWereWalked) {
  // The same line on a big canvas and, shifted, on a small one that sees
  // only a window of it: the window must match pixel for pixel.
  const TPoint a{-130, -47}, b{260, 133};
  TImageCanvas big(600, 400), small(40, 30);
  big.MoveTo(a.X + 300, a.Y + 200);
  big.LineTo(b.X + 300, b.Y + 200);
  small.MoveTo(a.X, a.Y);
  small.LineTo(b.X, b.Y);
  int painted = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      EXPECT_EQ(small.GetPixel(x, y), big.GetPixel(x + 300, y + 200)) << x << "," << y;
      painted += small.GetPixel(x, y) == clBlack;
    }
  EXPECT_GT(painted, 0);
  // Clamped far-away coordinates are cheap and still land on the right row.
  TImageCanvas c(50, 10);
  c.MoveTo(-2000000000, 4);
  c.LineTo(2000000000, 4);
  for (int x = 0; x < 50; ++x) EXPECT_EQ(c.GetPixel(x, 4), clBlack);
  EXPECT_EQ(Painted(c).size(), 50u);
}

TEST(ImageCanvas, PenStylesFollowTheirDashPatterns) {
  auto pattern = [](TPenStyle s, int length) {
    TImageCanvas c(length + 2, 3);
    c.Pen.Style = s;
    c.MoveTo(0, 1);
    c.LineTo(length, 1);
    std::string out;
    for (int x = 0; x < length; ++x) out += c.GetPixel(x, 1) == clBlack ? '#' : '.';
    return out;
  };
  EXPECT_EQ(pattern(TPenStyle::psDash, 30), std::string(18, '#') + std::string(6, '.') + std::string(6, '#'));
  EXPECT_EQ(pattern(TPenStyle::psDot, 14), "###...###...##");
  EXPECT_EQ(pattern(TPenStyle::psDashDot, 24), std::string(9, '#') + "......###......");
  EXPECT_EQ(pattern(TPenStyle::psDashDotDot, 24), std::string(9, '#') + "...###...###...");
  EXPECT_EQ(pattern(TPenStyle::psClear, 10), std::string(10, '.'));
  // A clear pen still moves the position.
  TImageCanvas c(10, 10);
  c.Pen.Style = TPenStyle::psClear;
  c.LineTo(5, 6);
  EXPECT_EQ(c.PenPos(), (TPoint{5, 6}));
}

TEST(ImageCanvas, WidePensCoverTheirWidth) {
  for (int w : {2, 3, 4, 9}) {
    TImageCanvas c(40, 40);
    c.Pen.Width = w;
    c.MoveTo(10, 20);
    c.LineTo(30, 20);
    int rows = 0;
    for (int y = 0; y < 40; ++y) rows += c.GetPixel(20, y) == clBlack;
    EXPECT_EQ(rows, w) << "horizontal, width " << w;
    TImageCanvas v(40, 40);
    v.Pen.Width = w;
    v.MoveTo(20, 10);
    v.LineTo(20, 30);
    int cols = 0;
    for (int x = 0; x < 40; ++x) cols += v.GetPixel(x, 20) == clBlack;
    EXPECT_EQ(cols, w) << "vertical, width " << w;
  }
}

TEST(ImageCanvas, RectangleBoxExcludesRightAndBottomEdges) {
  TImageCanvas c(20, 20);
  c.Pen.Color = clBlack;
  c.Brush.Color = clRed;
  c.MoveTo(1, 1);
  c.Rectangle(2, 3, 7, 9);
  EXPECT_EQ(c.PenPos(), (TPoint{1, 1}));
  for (int x = 2; x <= 6; ++x) {
    EXPECT_EQ(c.GetPixel(x, 3), clBlack);
    EXPECT_EQ(c.GetPixel(x, 8), clBlack);
    EXPECT_EQ(c.GetPixel(x, 9), clWhite);
  }
  for (int y = 3; y <= 8; ++y) {
    EXPECT_EQ(c.GetPixel(2, y), clBlack);
    EXPECT_EQ(c.GetPixel(6, y), clBlack);
    EXPECT_EQ(c.GetPixel(7, y), clWhite);
  }
  for (int y = 4; y <= 7; ++y)
    for (int x = 3; x <= 5; ++x) EXPECT_EQ(c.GetPixel(x, y), clRed);
  EXPECT_EQ(Painted(c).size(), 30u);
  // Clear brush: outline only.
  TImageCanvas o(20, 20);
  o.Brush.Style = TBrushStyle::bsClear;
  o.Rectangle(2, 3, 7, 9);
  EXPECT_EQ(o.GetPixel(4, 5), clWhite);
  EXPECT_EQ(Painted(o).size(), 18u);
}

TEST(ImageCanvas, EllipseBoxExcludesRightAndBottomEdges) {
  // A 9-pixel dot as the graphs draw it: box (px-4, py-4) to (px+5, py+5).
  TImageCanvas c(30, 30);
  c.Pen.Color = clRed;
  c.Brush.Color = clWhite;
  c.MoveTo(3, 3);
  c.Ellipse(10, 10, 19, 19);
  EXPECT_EQ(c.PenPos(), (TPoint{3, 3}));
  EXPECT_EQ(c.GetPixel(10, 14), clRed);
  EXPECT_EQ(c.GetPixel(18, 14), clRed);
  EXPECT_EQ(c.GetPixel(14, 10), clRed);
  EXPECT_EQ(c.GetPixel(14, 18), clRed);
  EXPECT_EQ(c.GetPixel(9, 14), clWhite);
  EXPECT_EQ(c.GetPixel(19, 14), clWhite);
  EXPECT_EQ(c.GetPixel(14, 19), clWhite);
  EXPECT_EQ(c.GetPixel(14, 14), clWhite);  // filled with the brush
  // Symmetric about the box centre, and nothing outside the box.
  for (TPoint p : Painted(c)) {
    EXPECT_EQ(c.GetPixel(28 - p.X, p.Y), clRed);
    EXPECT_EQ(c.GetPixel(p.X, 28 - p.Y), clRed);
    EXPECT_TRUE(p.X >= 10 && p.X < 19 && p.Y >= 10 && p.Y < 19);
  }
  // Diameter 2: box (px-1, py-1) to (px+1, py+1) is the 2x2 block.
  TImageCanvas d(10, 10);
  d.Pen.Color = clRed;
  d.Ellipse(4, 4, 6, 6);
  const std::vector<TPoint> four{{4, 4}, {5, 4}, {4, 5}, {5, 5}};
  EXPECT_EQ(Painted(d), four);
}

TEST(ImageCanvas, FilledEllipseRingHasNoHoles) {
  // The ring around the fill must be closed: no fill pixel touches the
  // outside through a side.
  TImageCanvas c(60, 40);
  c.Pen.Color = clBlack;
  c.Brush.Color = clRed;
  c.Ellipse(5, 5, 52, 31);
  for (int y = 1; y < 39; ++y)
    for (int x = 1; x < 59; ++x)
      if (c.GetPixel(x, y) == clRed) {
        EXPECT_NE(c.GetPixel(x - 1, y), clWhite);
        EXPECT_NE(c.GetPixel(x + 1, y), clWhite);
        EXPECT_NE(c.GetPixel(x, y - 1), clWhite);
        EXPECT_NE(c.GetPixel(x, y + 1), clWhite);
      }
}

TEST(ImageCanvas, NotXorAndXorTwiceRestoreTheImageExactly) {
  using Figure = std::function<void(TImageCanvas&)>;
  const std::vector<std::pair<std::string, Figure>> figures = {
      {"thin lines", [](TImageCanvas& c) {
         c.MoveTo(-5, 3);
         c.LineTo(70, 44);
         c.LineTo(12, 2);
         c.LineTo(12, 40);
       }},
      {"dotted line", [](TImageCanvas& c) {
         c.Pen.Style = TPenStyle::psDashDot;
         c.MoveTo(0, 20);
         c.LineTo(63, 21);
       }},
      {"wide polyline", [](TImageCanvas& c) {
         c.Pen.Width = 5;
         c.MoveTo(3, 3);
         c.LineTo(50, 30);
         c.LineTo(10, 40);
       }},
      {"filled rectangle", [](TImageCanvas& c) { c.Rectangle(5, 6, 40, 30); }},
      {"wide rectangle", [](TImageCanvas& c) {
         c.Pen.Width = 4;
         c.Rectangle(30, 20, 5, 3);
       }},
      {"filled ellipse", [](TImageCanvas& c) { c.Ellipse(4, 4, 41, 29); }},
      {"wide ellipse", [](TImageCanvas& c) {
         c.Pen.Width = 3;
         c.Ellipse(10, 8, 50, 40);
       }},
      {"polygon", [](TImageCanvas& c) { c.Polygon({{30, 2}, {50, 40}, {10, 40}, {30, 2}}); }},
      {"thin flat rectangle", [](TImageCanvas& c) { c.Rectangle(3, 3, 30, 4); }},
  };
  for (TPenMode mode : {TPenMode::pmNotXor, TPenMode::pmXor})
    for (const auto& [name, draw] : figures) {
      SCOPED_TRACE(name + (mode == TPenMode::pmXor ? " xor" : " notxor"));
      QImage img(64, 48, QImage::Format_RGB32);
      RandomFill(img, 7);
      const QImage before = img.copy();
      TImageCanvas c(&img);
      c.Pen.Mode = mode;
      c.Pen.Color = clGreen;
      c.Brush.Color = 0x00A0B0C0;
      draw(c);
      EXPECT_NE(img, before);
      c.Pen.Style = TPenStyle::psSolid;
      c.Pen.Width = 1;
      c.Pen.Mode = mode;
      draw(c);
      EXPECT_EQ(img, before);
    }
}

TEST(ImageCanvas, NotXorRubberBandOnTheBackgroundShowsOnlyTheOutline) {
  TImageCanvas c(30, 30);
  c.Pen.Mode = TPenMode::pmNotXor;
  c.Pen.Color = clGreen;
  c.Brush.Color = clWhite;  // the background colour
  c.Rectangle(5, 5, 20, 15);
  EXPECT_EQ(c.GetPixel(5, 5), clGreen);
  EXPECT_EQ(c.GetPixel(19, 14), clGreen);
  EXPECT_EQ(c.GetPixel(10, 10), clWhite);
  // not-xor: NOT(pen XOR dest), so green over black gives magenta-ish 0xFF7FFF.
  TImageCanvas k(4, 4);
  k.FillRect({0, 0, 4, 4});  // white brush
  k.SetPixel(1, 1, clBlack);
  k.Pen.Mode = TPenMode::pmNotXor;
  k.Pen.Color = clGreen;
  k.MoveTo(0, 1);
  k.LineTo(4, 1);
  EXPECT_EQ(k.GetPixel(1, 1), 0x00FF7FFFu);
  EXPECT_EQ(k.GetPixel(0, 1), clGreen);
}

TEST(ImageCanvas, FillRectAndSetPixelIgnoreThePenModeAndAreClipped) {
  TImageCanvas c(10, 10);
  c.Pen.Mode = TPenMode::pmXor;
  c.Brush.Color = clNavy;
  c.FillRect({-5, -5, 3, 4});
  EXPECT_EQ(c.GetPixel(0, 0), clNavy);
  EXPECT_EQ(c.GetPixel(2, 3), clNavy);
  EXPECT_EQ(c.GetPixel(3, 3), clWhite);
  EXPECT_EQ(c.GetPixel(2, 4), clWhite);
  c.SetPixel(5, 5, clRed);
  c.SetPixel(5, 5, clRed);
  EXPECT_EQ(c.GetPixel(5, 5), clRed);
  c.SetPixel(-1, 3, clRed);
  c.SetPixel(10, 3, clRed);
  EXPECT_EQ(c.GetPixel(-1, 3), clBlack);  // outside reads black
  EXPECT_EQ(c.GetPixel(9, 3), clWhite);
  // Figures far outside paint nothing and do not fail.
  c.Ellipse(-100000, -100000, -99990, -99990);
  c.Rectangle(2000000000, 0, 2000000005, 5);
  c.Polygon({{-50, -50}, {-40, -50}, {-45, -40}});
  EXPECT_EQ(Painted(c).size(), 13u);
}

TEST(ImageCanvas, PolygonIsFilledAndOutlinedWithoutMovingThePen) {
  // The arrow head of an axis: (Right, OY), (Right-9, OY+3), (Right-9, OY-3).
  TImageCanvas c(40, 20);
  c.Brush.Color = clBlack;
  c.MoveTo(1, 2);
  c.Polygon({{30, 10}, {21, 13}, {21, 7}, {30, 10}});
  EXPECT_EQ(c.PenPos(), (TPoint{1, 2}));
  EXPECT_EQ(c.GetPixel(30, 10), clBlack);
  EXPECT_EQ(c.GetPixel(21, 13), clBlack);
  EXPECT_EQ(c.GetPixel(21, 7), clBlack);
  EXPECT_EQ(c.GetPixel(25, 10), clBlack);
  EXPECT_EQ(c.GetPixel(31, 10), clWhite);
  EXPECT_EQ(c.GetPixel(20, 10), clWhite);
  for (TPoint p : Painted(c)) EXPECT_TRUE(p.X >= 21 && p.X <= 30 && p.Y >= 7 && p.Y <= 13);
  // Each row of the head is one solid run from the base: no holes between
  // the fill and the slanted edges.
  for (int y = 7; y <= 13; ++y) {
    int x = 21;
    while (c.GetPixel(x, y) == clBlack) ++x;
    for (int rest = x; rest < 40; ++rest) EXPECT_EQ(c.GetPixel(rest, y), clWhite) << rest << "," << y;
    EXPECT_GT(x, 21);
  }
}

TEST(ImageCanvas, TextLandsInsideItsCellWithOpaqueBackground) {
  EXPECT_EQ(FontPixelSize(8, 96), 11);
  EXPECT_EQ(FontPixelSize(9, 96), 12);
  EXPECT_EQ(FontPixelSize(10, 96), 13);
  EXPECT_EQ(MapFontFamily("Times New Roman"), "Liberation Serif");
  EXPECT_EQ(MapFontFamily("MS Sans Serif"), "Liberation Sans");
  // The mapped faces are installed, not silently substituted.
  for (const char* name : {"Times New Roman", "MS Sans Serif"}) {
    const QString family = QString::fromStdString(MapFontFamily(name));
    EXPECT_EQ(QFontInfo(QFont(family)).family(), family) << name;
  }

  TImageCanvas c(80, 50);
  c.Brush.Color = clRed;
  c.FillRect({0, 0, 80, 50});
  c.Brush.Color = clWhite;
  c.Font.Name = "Times New Roman";
  c.Font.Size = 9;
  c.Font.Bold = c.Font.Italic = true;
  const std::string text = "-12 Жy";
  const int w = c.TextWidth(text), h = c.TextHeight(text);
  EXPECT_GT(w, 20);
  EXPECT_GE(h, 12);
  EXPECT_LE(h, 18);
  c.TextOut(10, 20, text);
  int ink = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 80; ++x) {
      const bool inCell = x >= 10 && x < 10 + w && y >= 20 && y < 20 + h;
      const TColor p = c.GetPixel(x, y);
      if (!inCell) {
        EXPECT_EQ(p, clRed) << x << "," << y;
      } else {
        EXPECT_TRUE(p == clWhite || p == clBlack) << x << "," << y;  // no antialiasing
        ink += p == clBlack;
      }
    }
  EXPECT_GT(ink, 20);
  // Ink reaches the first rows of the cell: the point is the top-left corner,
  // not the baseline.
  bool inkInTopHalf = false;
  for (int y = 20; y < 20 + h / 2; ++y)
    for (int x = 10; x < 10 + w; ++x) inkInTopHalf |= c.GetPixel(x, y) == clBlack;
  EXPECT_TRUE(inkInTopHalf);

  // A clear brush leaves the background behind the glyphs.
  TImageCanvas t(80, 50);
  t.Brush.Color = clRed;
  t.FillRect({0, 0, 80, 50});
  t.Brush.Style = TBrushStyle::bsClear;
  t.TextOut(5, 5, "x");
  int black = 0, other = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 80; ++x) {
      const TColor p = t.GetPixel(x, y);
      black += p == clBlack;
      other += p != clBlack && p != clRed;
    }
  EXPECT_GT(black, 0);
  EXPECT_EQ(other, 0);
}

TEST(ImageCanvas, DrawsIntoAGivenImageEvenAfterItsOwnerResizedIt) {
  QImage img(5, 5, QImage::Format_ARGB32);
  img.fill(0xFFFFFFFFu);
  TImageCanvas c(&img);
  EXPECT_EQ(img.format(), QImage::Format_RGB32);
  img = QImage(12, 7, QImage::Format_RGB32);
  img.fill(0xFF000000u);
  EXPECT_EQ(c.Width(), 12);
  EXPECT_EQ(c.Height(), 7);
  c.SetPixel(11, 6, clLime);
  EXPECT_EQ(img.pixel(11, 6), 0xFF00FF00u);
  QImage empty;
  TImageCanvas e(&empty);
  e.LineTo(5, 5);
  e.Rectangle(0, 0, 3, 3);
  e.TextOut(0, 0, "x");
  EXPECT_EQ(e.GetPixel(0, 0), clBlack);
}

TEST(RecordingCanvas, LogsEachCallWithItsToolsAndStillDraws) {
  TRecordingCanvas c(20, 20);
  c.Pen.Color = clRed;
  c.MoveTo(1, 2);
  c.LineTo(5, 2);
  EXPECT_EQ(c.GetPixel(2, 2), clRed);
  c.Pen.Mode = TPenMode::pmNotXor;
  c.Pen.Width = 2;
  c.Brush.Color = clBlue;
  c.Ellipse(3, 4, 12, 13);
  c.SetPixel(7, 8, clGreen);
  c.FillRect({0, 0, 2, 2});
  c.Polygon({{1, 1}, {4, 1}, {1, 4}});
  c.Font.Name = "Times New Roman";
  c.Font.Size = 9;
  c.Font.Bold = true;
  c.Brush.Style = TBrushStyle::bsClear;
  c.TextOut(3, 4, "x");
  const std::vector<std::string> plain{"MoveTo(1,2)",    "LineTo(5,2)",          "Ellipse(3,4,12,13)",
                                       "SetPixel(7,8,$008000)", "FillRect(0,0,2,2)", "Polygon((1,1),(4,1),(1,4))",
                                       "TextOut(3,4,\"x\")"};
  EXPECT_EQ(c.Strings(), plain);
  const std::vector<std::string> tools = c.Strings(true);
  EXPECT_EQ(tools[1], "LineTo(5,2) pen=$0000FF/1/solid/copy");
  EXPECT_EQ(tools[2], "Ellipse(3,4,12,13) pen=$0000FF/2/solid/notxor brush=$FF0000/solid");
  EXPECT_EQ(tools[6], "TextOut(3,4,\"x\") font=Times New Roman/9/$000000/b brush=$FF0000/clear");
  EXPECT_EQ(c.CallsOf("SetPixel").at(0).Color, clGreen);
  EXPECT_EQ(c.GetPixel(7, 8), clGreen);
  c.Clear();
  EXPECT_TRUE(c.Calls.empty());
}
