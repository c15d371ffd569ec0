// Many lines and fills in every pen mode, style and a range of widths, with
// ends inside, on the edge of and far outside the picture, drawn over a
// noisy picture and compared with the sum of the picture the canvas drew
// when the scene was recorded: a faster line or fill loop must paint exactly
// the same pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../common/PictureSum.h"
#include "platform/qt/ImageCanvas.h"

using namespace plat;

namespace {

// A small generator of our own, so the scene is the same with any library.
struct Lcg {
  std::uint64_t s;
  std::uint32_t Next() {
    s = s * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(s >> 33);
  }
  int In(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<std::uint32_t>(hi - lo + 1)); }
};

// A coordinate: mostly inside the picture, sometimes on its edge or far out.
int Coord(Lcg& g, int size) {
  switch (g.In(0, 9)) {
    case 0: return g.In(-100000, 100000);
    case 1: return g.In(0, 1) ? 0 : size;
    case 2: return g.In(-3, 2) + (g.In(0, 1) ? 0 : size);
    default: return g.In(-5, size + 5);
  }
}

QImage DrawLines(unsigned seed) {
  const int W = 211, H = 157;
  TImageCanvas c(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) c.Image().setPixel(x, y, 0xFF000000u | ((x * 2654435761u) ^ (y * 40503u)));
  Lcg g{seed};
  const TPenMode modes[] = {TPenMode::pmCopy, TPenMode::pmXor, TPenMode::pmNotXor};
  const TPenStyle styles[] = {TPenStyle::psSolid, TPenStyle::psDash, TPenStyle::psDot, TPenStyle::psDashDot,
                              TPenStyle::psDashDotDot, TPenStyle::psClear};
  const int widths[] = {1, 1, 1, 2, 3, 5};
  for (int k = 0; k < 600; ++k) {
    c.Pen.Mode = modes[g.In(0, 2)];
    c.Pen.Style = g.In(0, 2) ? TPenStyle::psSolid : styles[g.In(0, 5)];
    c.Pen.Width = widths[g.In(0, 5)];
    c.Pen.Color = g.Next() & 0xFFFFFFu;
    const int x0 = Coord(g, W), y0 = Coord(g, H);
    c.MoveTo(x0, y0);
    switch (g.In(0, 3)) {
      case 0: c.LineTo(x0, Coord(g, H)); break;  // straight down or up
      case 1: c.LineTo(Coord(g, W), y0); break;  // straight across
      default: {
        // Drawn in a fixed order: the order of a call's arguments is the
        // compiler's choice (the sums were recorded with y drawn first).
        const int y1 = Coord(g, H);
        const int x1 = Coord(g, W);
        c.LineTo(x1, y1);
      }
    }
    if (k % 25 == 0) {
      c.Brush.Color = g.Next() & 0xFFFFFFu;
      c.FillRect(TRect{Coord(g, W), Coord(g, H), Coord(g, W), Coord(g, H)});
    }
  }
  return c.Image();
}

TEST(CanvasPictures, LinesAndFillsMatchTheRecordedPictures) {
  const unsigned seeds[] = {1, 2, 3};
  const char* const expected[] = {
      "0x2578061205d508d8",
      "0x17fabe00154ac54a",
      "0x476012184e4323da",
  };
  const bool print = std::getenv("ORV_PRINT_PICTURE_SUMS") != nullptr;
  for (int i = 0; i < 3; ++i) {
    const QImage image = DrawLines(seeds[i]);
    pictest::MaybeSave(image, "lines " + std::to_string(seeds[i]));
    const std::string sum = pictest::SumText(pictest::PictureSum(image));
    if (print) std::printf("      \"%s\",\n", sum.c_str());
    EXPECT_EQ(sum, expected[i]) << "seed " << seeds[i];
  }
}

// The one-pass background and lines against the calls they stand for, made
// one by one, with boxes and lines inside, across and outside the picture.
TEST(CanvasPictures, RuledFillPaintsWhatItsCallsPaint) {
  const int W = 97, H = 61;
  Lcg g{7};
  const TPenStyle styles[] = {TPenStyle::psSolid, TPenStyle::psDot};
  const TPenMode modes[] = {TPenMode::pmCopy, TPenMode::pmXor};
  for (int k = 0; k < 300; ++k) {
    TImageCanvas one(W, H), calls(W, H);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const std::uint32_t p = 0xFF000000u | ((x * 2654435761u) ^ (y * 40503u) ^ static_cast<std::uint32_t>(k));
        one.Image().setPixel(x, y, p);
        calls.Image().setPixel(x, y, p);
      }
    const TRect r{Coord(g, W), Coord(g, H), Coord(g, W), Coord(g, H)};
    std::vector<int> columns, rows;
    for (int n = g.In(0, 6); n > 0; --n) columns.push_back(Coord(g, W));
    for (int n = g.In(0, 6); n > 0; --n) rows.push_back(Coord(g, H));
    for (TImageCanvas* c : {&one, &calls}) {
      c->Brush.Color = 0x123456;
      c->Pen.Color = 0xABCDEF;
      c->Pen.Width = k % 10 == 0 ? 2 : 1;
      c->Pen.Style = styles[k % 7 == 0];
      c->Pen.Mode = modes[k % 11 == 0];
      c->MoveTo(5, 6);
    }
    one.FillRuled(r, columns, rows);
    calls.TCanvas::FillRuled(r, columns, rows);
    ASSERT_EQ(pictest::PictureSum(one.Image()), pictest::PictureSum(calls.Image()))
        << "box " << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << " case " << k;
    ASSERT_EQ(one.PenPos(), calls.PenPos()) << "case " << k;
  }
}

}  // namespace

namespace {

// The canvas keeps where it found the pixels between calls; whatever the
// owner does with the image in between must still be honoured.
TEST(CanvasPictures, DrawingFollowsTheImageItsOwnerHolds) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(0xFFFFFFFFu);
  TImageCanvas c(&image);
  c.Pen.Color = clRed;
  c.MoveTo(0, 5);
  c.LineTo(40, 5);
  EXPECT_EQ(c.GetPixel(7, 5), clRed);

  // A copy keeps what it had: the next line goes into the owner's image only.
  const QImage copy = image;
  c.MoveTo(0, 9);
  c.LineTo(40, 9);
  EXPECT_EQ(c.GetPixel(7, 9), clRed);
  EXPECT_EQ(PixelToColor(copy.pixel(7, 9)), clWhite);
  EXPECT_EQ(PixelToColor(copy.pixel(7, 5)), clRed);

  // Written by the owner, then replaced by a larger image.
  image.fill(0xFF000000u);
  c.MoveTo(3, 0);
  c.LineTo(3, 30);
  EXPECT_EQ(c.GetPixel(3, 20), clRed);
  EXPECT_EQ(c.GetPixel(7, 9), clBlack);
  image = QImage(200, 100, QImage::Format_RGB32);
  image.fill(0xFFFFFFFFu);
  c.MoveTo(0, 80);
  c.LineTo(200, 80);
  EXPECT_EQ(c.GetPixel(150, 80), clRed);

  // Another format is converted before the canvas writes.
  image = QImage(20, 20, QImage::Format_ARGB32);
  image.fill(0xFFFFFFFFu);
  c.MoveTo(0, 2);
  c.LineTo(20, 2);
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  EXPECT_EQ(c.GetPixel(10, 2), clRed);

  // Emptied: nothing to draw on, and no fault.
  image = QImage();
  c.MoveTo(0, 0);
  c.LineTo(10, 10);
  EXPECT_EQ(c.Width(), 0);
}

}  // namespace
