#pragma once
// The canvas on an off-screen QImage (Format_RGB32); the bitmap the programs
// keep their picture in is in Bitmap.h.
//
// Drawing is done pixel by pixel by our own code wherever the classic
// conventions differ from QPainter's (end pixels of lines, box edges,
// raster modes): every figure touches each of its pixels exactly once, so
// not-xor and xor drawing is exactly self-inverse. Only text and the outline
// of wide pens are rasterised by QPainter (without antialiasing).
#include <QFont>
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace plat {

// 0x00BBGGRR <-> the 0xFFRRGGBB pixels of a Format_RGB32 image.
inline std::uint32_t ColorToPixel(TColor c) {
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
inline TColor PixelToColor(std::uint32_t p) {
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

// The installed face that stands in for a font name of the original platform
// ("MS Sans Serif" -> a sans face, "Times New Roman" -> a serif face, ...).
std::string MapFontFamily(const std::string& name);
// Pixel height of a font of `points` at `ppi` pixels per inch, rounded.
int FontPixelSize(int points, int ppi);
// The Qt font a canvas draws TFont `f` with at `ppi` pixels per inch: the
// mapped face at a whole pixel size, hinted, without antialiasing.
QFont CanvasFont(const TFont& f, int ppi);

class TImageCanvas : public TCanvas {
 public:
  // Draws into an image of its own, filled white.
  TImageCanvas(int width, int height);
  // Draws into `image` (not owned; converted to Format_RGB32 if needed).
  // The image may be resized or replaced by its owner between calls.
  explicit TImageCanvas(QImage* image);
  TImageCanvas(const TImageCanvas&) = delete;
  TImageCanvas& operator=(const TImageCanvas&) = delete;

  int Width() const override;
  int Height() const override;

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  TPoint PenPos() const override { return pos_; }

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void FillRect(const TRect& r) override;
  // A solid one-pixel copy pen paints row by row, each row once.
  void FillRuled(const TRect& r, const std::vector<int>& columns, const std::vector<int>& rows) override;
  void SetPixel(int x, int y, TColor c) override;
  TColor GetPixel(int x, int y) const override;

  void TextOut(int x, int y, const std::string& utf8) override;
  int TextWidth(const std::string& utf8) override;
  int TextHeight(const std::string& utf8) override;

  int PixelsPerInch() const override { return ppi_; }
  void SetPixelsPerInch(int ppi) { ppi_ = ppi > 0 ? ppi : 96; }

  QImage& Image() { return *image_; }
  const QImage& Image() const { return *image_; }

 private:
  struct Target;  // the image's pixels for one drawing call
  Target Begin();
  void Plot(Target& t, int x, int y, std::uint32_t rgb) const;
  // Applies a mask over [left, left+w) x [top, top+h): 1 = pen, 2 = brush.
  void ApplyMask(int left, int top, int w, int h, const std::vector<std::uint8_t>& mask);

  QImage own_;
  QImage* image_;
  TPoint pos_;
  int ppi_ = 96;
  // Where the last drawing call found the pixels, kept while the image is
  // the same, unshared and untouched (its cache key unchanged) in between.
  std::uint32_t* bits_ = nullptr;
  qsizetype stride_ = 0;
  int width_ = 0, height_ = 0;
  qint64 key_ = 0;
};

}  // namespace plat
