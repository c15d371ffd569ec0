// The painter canvas (the printer's page) against the image canvas (the
// screen): the same calls land on the same pixels, give or take the
// antialiased edge, and styled pens keep their dashes at any width.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/ImageCanvas.h"
#include "platform/qt/PainterCanvas.h"

using namespace plat;

namespace {

constexpr int kW = 160, kH = 120;

// An image drawn through a painter canvas.
struct PaperImage {
  QImage image{kW, kH, QImage::Format_RGB32};
  std::unique_ptr<QPainter> painter;
  std::unique_ptr<TPainterCanvas> canvas;
  explicit PaperImage(int ppi = 96) {
    image.fill(Qt::white);
    painter = std::make_unique<QPainter>(&image);
    canvas = std::make_unique<TPainterCanvas>(*painter, kW, kH, ppi);
  }
  const QImage& Done() {
    canvas->Flush();
    painter->end();
    return image;
  }
};

bool Inked(const QImage& img, int x, int y, int threshold = 160) {
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return false;
  return qGray(img.pixel(x, y)) < threshold;
}

// Inked pixels of `a` with no inked pixel of `b` within `radius`.
int Unmatched(const QImage& a, const QImage& b, int radius, int thresholdA, int thresholdB) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      if (!Inked(a, x, y, thresholdA)) continue;
      bool found = false;
      for (int dy = -radius; dy <= radius && !found; ++dy)
        for (int dx = -radius; dx <= radius && !found; ++dx) found = Inked(b, x + dx, y + dy, thresholdB);
      n += !found;
    }
  return n;
}

// The same drawing on both canvases.
void Both(const std::function<void(TCanvas&)>& draw, QImage& screen, QImage& paper) {
  TImageCanvas image(kW, kH);
  draw(image);
  screen = image.Image();
  PaperImage p;
  draw(*p.canvas);
  paper = p.Done();
}

// The centre of a picture's ink, each pixel weighted by how dark it is.
QPointF InkCentre(const QImage& img) {
  double sum = 0, sx = 0, sy = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const double d = 255 - qGray(img.pixel(x, y));
      sum += d;
      sx += d * x;
      sy += d * y;
    }
  return sum > 0 ? QPointF(sx / sum, sy / sum) : QPointF(-1, -1);
}

}  // namespace

TEST(PainterCanvas, FiguresLandOnTheScreensPixels) {
  struct Case {
    std::string name;
    std::function<void(TCanvas&)> draw;
    // How far the centre of the paper's ink may lie from the screen's, in
    // pixels on each axis; below half a pixel, so that a figure drawn half
    // a pixel off is caught. Negative: not compared.
    double centre;
  };
  const std::vector<Case> cases = {
      {"thin lines", [](TCanvas& c) {
         c.MoveTo(10, 10);
         c.LineTo(150, 10);
         c.LineTo(150, 100);
         c.LineTo(20, 60);
         c.MoveTo(30, 110);
         c.LineTo(31, 20);
       }, 0.2},
      {"wide lines", [](TCanvas& c) {
         c.Pen.Width = 5;
         c.MoveTo(20, 20);
         c.LineTo(140, 30);
         c.MoveTo(80, 10);
         c.LineTo(80, 110);
       }, 0.2},
      {"graph-like polyline", [](TCanvas& c) {
         c.Pen.Width = 3;
         c.MoveTo(5, 60);
         for (int x = 6; x < 155; ++x) c.LineTo(x, 60 - (x % 40) * (x % 40) / 40);
       }, 0.35},
      {"rectangles", [](TCanvas& c) {
         c.Brush.Color = clBlack;
         c.Rectangle(10, 10, 60, 40);
         c.Brush.Style = TBrushStyle::bsClear;
         c.Pen.Width = 3;
         c.Rectangle(80, 20, 150, 100);
       }, 0.2},
      {"ellipses", [](TCanvas& c) {
         c.Ellipse(10, 10, 70, 50);
         c.Brush.Color = clBlack;
         c.Pen.Width = 4;
         c.Ellipse(90, 30, 150, 110);
       }, 0.2},
      {"arrow polygons", [](TCanvas& c) {
         c.Brush.Color = clBlack;
         c.Polygon({{150, 60}, {123, 69}, {123, 51}, {150, 60}});
         c.Pen.Width = 3;
         c.Polygon({{40, 10}, {58, 64}, {22, 64}, {40, 10}});
       }, 0.2},
      // An even pen has no middle pixel: along a row or a column the screen
      // paints its band on one side of the line through the pixel centres,
      // paper centres it there, half a pixel apart.
      {"even pens", [](TCanvas& c) {
         c.Brush.Color = clBlack;
         c.Pen.Width = 2;
         c.Polygon({{40, 10}, {58, 64}, {22, 64}, {40, 10}});
         c.Brush.Style = TBrushStyle::bsClear;
         c.Rectangle(80, 20, 150, 100);
       }, -1},
      {"fills and pixels", [](TCanvas& c) {
         c.Brush.Color = clBlack;
         c.FillRect({30, 90, 10, 70});
         c.SetPixel(100, 100, clBlack);
         c.SetPixel(-1, 5, clBlack);
       }, 0.2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QImage screen, paper;
    Both(c.draw, screen, paper);
    // Every screen pixel has ink on paper next to it, and the paper has no
    // solid ink farther than a pixel from the screen's.
    EXPECT_EQ(Unmatched(screen, paper, 1, 160, 250), 0);
    EXPECT_EQ(Unmatched(paper, screen, 1, 100, 250), 0);
    // Nor is the ink as a whole off to one side.
    if (c.centre < 0) continue;
    const QPointF want = InkCentre(screen), got = InkCentre(paper);
    EXPECT_NEAR(got.x(), want.x(), c.centre);
    EXPECT_NEAR(got.y(), want.y(), c.centre);
  }
}

TEST(PainterCanvas, SolidLinesKeptBackTakeThePenTheyWereDrawnWith) {
  PaperImage p;
  p.canvas->Pen.Color = clRed;
  p.canvas->MoveTo(10, 10);
  p.canvas->LineTo(50, 10);
  p.canvas->LineTo(90, 10);
  p.canvas->Pen.Color = clBlue;
  p.canvas->LineTo(130, 10);
  EXPECT_EQ(p.canvas->PenPos(), (TPoint{130, 10}));
  // Another figure sends the held-back line first, so it lies under it.
  p.canvas->Brush.Color = clLime;
  p.canvas->Pen.Style = TPenStyle::psClear;
  p.canvas->Rectangle(60, 5, 70, 15);
  const QImage& img = p.Done();
  EXPECT_EQ(PixelToColor(img.pixel(30, 10)), clRed);
  EXPECT_EQ(PixelToColor(img.pixel(80, 10)), clRed);
  EXPECT_EQ(PixelToColor(img.pixel(110, 10)), clBlue);
  EXPECT_EQ(PixelToColor(img.pixel(65, 10)), clLime);
  EXPECT_EQ(p.canvas->GetPixel(65, 10), clLime);  // an image device is read back
  EXPECT_EQ(p.canvas->GetPixel(kW, 0), clBlack);  // outside the surface
}

// Runs of ink along row y from x0 to x1: the lengths of the inked and the
// blank stretches in turn, starting with ink.
std::vector<int> Runs(const QImage& img, int y, int x0, int x1) {
  std::vector<int> runs;
  bool ink = true;
  int n = 0;
  for (int x = x0; x < x1; ++x) {
    const bool here = Inked(img, x, y, 128);
    if (here != ink) {
      runs.push_back(n);
      n = 0;
      ink = here;
    }
    ++n;
  }
  runs.push_back(n);
  return runs;
}

TEST(PainterCanvas, StyledPensKeepTheScreensPatternAsALengthOnThePage) {
  struct Case {
    TPenStyle style;
    int width, ppi;
    std::vector<int> runs;  // the first runs of ink and gap, in pixels
  };
  const Case cases[] = {
      {TPenStyle::psDash, 1, 96, {18, 6, 18, 6}},
      {TPenStyle::psDot, 1, 96, {3, 3, 3, 3}},
      {TPenStyle::psDashDot, 1, 96, {9, 6, 3, 6, 9}},
      {TPenStyle::psDashDotDot, 1, 96, {9, 3, 3, 3, 3, 3, 9}},
      // On the screen a wide pen is solid; on paper it keeps the style, and
      // its dashes keep their length: they do not grow with the pen.
      {TPenStyle::psDash, 3, 96, {18, 6, 18, 6}},
      {TPenStyle::psDot, 4, 96, {3, 3, 3, 3}},
      // A finer device: the same lengths on the page, in more pixels.
      {TPenStyle::psDash, 1, 192, {36, 12, 36, 12}},
      {TPenStyle::psDash, 5, 192, {36, 12, 36, 12}},
      {TPenStyle::psDashDot, 6, 192, {18, 12, 6, 12, 18}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style) * 100 + c.width + c.ppi * 10000);
    PaperImage p(c.ppi);
    p.canvas->Pen.Style = c.style;
    p.canvas->Pen.Width = c.width;
    p.canvas->MoveTo(2, 50);
    p.canvas->LineTo(158, 50);
    // A second line starts its pattern afresh.
    p.canvas->MoveTo(2, 80);
    p.canvas->LineTo(158, 80);
    const QImage& img = p.Done();
    for (int y : {50, 80}) {
      std::vector<int> runs = Runs(img, y, 2, 158);
      runs.resize(std::min(runs.size(), c.runs.size()));
      ASSERT_EQ(runs.size(), c.runs.size());
      for (std::size_t i = 0; i < runs.size(); ++i) EXPECT_NEAR(runs[i], c.runs[i], 1) << "run " << i << " row " << y;
    }
  }
  // The screen keeps its rule: a wide dashed pen draws solid there.
  TImageCanvas screen(kW, kH);
  screen.Pen.Style = TPenStyle::psDash;
  screen.Pen.Width = 3;
  screen.MoveTo(2, 50);
  screen.LineTo(158, 50);
  EXPECT_EQ(Runs(screen.Image(), 50, 2, 157).size(), 1u);
}

TEST(PainterCanvas, TextHasTheScreensFontSizeAndCellAtTheCanvasResolution) {
  for (int ppi : {96, 300}) {
    SCOPED_TRACE(ppi);
    TImageCanvas screen(kW, kH);
    screen.SetPixelsPerInch(ppi);
    PaperImage p(ppi);
    for (TCanvas* c : std::initializer_list<TCanvas*>{&screen, p.canvas.get()}) {
      c->Font.Name = "Times New Roman";
      c->Font.Size = 9;
      c->Font.Bold = c->Font.Italic = true;
    }
    EXPECT_EQ(p.canvas->PixelsPerInch(), ppi);
    for (const std::string t : {"x", "y", "-12", "0"}) {
      EXPECT_EQ(p.canvas->TextWidth(t), screen.TextWidth(t)) << t;
      EXPECT_EQ(p.canvas->TextHeight(t), screen.TextHeight(t)) << t;
    }
    if (ppi != 96) continue;
    // The cell behind the text takes the brush; the text is inked inside it.
    p.painter->fillRect(QRect(0, 0, kW, kH), QColor::fromRgb(ColorToPixel(clGray)));
    p.canvas->Brush.Color = clWhite;
    p.canvas->TextOut(20, 30, "-12");
    const int w = p.canvas->TextWidth("-12"), h = p.canvas->TextHeight("-12");
    const QImage& img = p.Done();
    EXPECT_EQ(PixelToColor(img.pixel(20, 30)), clWhite);
    EXPECT_EQ(PixelToColor(img.pixel(20 + w - 1, 30 + h - 1)), clWhite);
    EXPECT_EQ(PixelToColor(img.pixel(20 + w, 30 + h)), clGray);
    int ink = 0;
    for (int y = 30; y < 30 + h; ++y)
      for (int x = 20; x < 20 + w; ++x) ink += Inked(img, x, y, 64);
    EXPECT_GT(ink, 5);
  }
}
