#pragma once
// Canvases on an off-screen QImage (Format_RGB32), and the bitmap the
// programs keep their picture in.
//
// Drawing is done pixel by pixel by our own code wherever the classic
// conventions differ from QPainter's (end pixels of lines, box edges,
// raster modes): every figure touches each of its pixels exactly once, so
// not-xor and xor drawing is exactly self-inverse. Only text and the outline
// of wide pens are rasterised by QPainter (without antialiasing).
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/qt/Canvas.h"

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

// One call made on a TRecordingCanvas, with the tools it was made with.
struct TCanvasCall {
  std::string Op;         // "MoveTo", "LineTo", "Rectangle", "Ellipse", "Polygon",
                          // "FillRect", "SetPixel", "TextOut"
  std::vector<int> Args;  // coordinates in call order (Polygon: x0, y0, x1, y1, ...)
  TColor Color = 0;       // SetPixel's colour
  std::string Text;       // TextOut's text
  TPen Pen;
  TBrush Brush;
  TFont Font;

  // "LineTo(10,20)", "SetPixel(3,4,$0000FF)", "TextOut(1,2,\"x\")", ...
  std::string ToString() const;
  // ToString() followed by the tools that matter for the call, e.g.
  // "LineTo(10,20) pen=$0000FF/1/solid/copy",
  // "Ellipse(0,0,9,9) pen=$000000/1/solid/notxor brush=$FFFFFF/solid",
  // "TextOut(1,2,\"x\") font=Times New Roman/9/$000000/bi brush=$FFFFFF/solid".
  std::string ToStringWithTools() const;
};

// Logs every drawing call, then draws it like TImageCanvas (so tests may
// probe pixels and calls together). Queries (GetPixel, TextWidth, ...) are
// not logged.
class TRecordingCanvas : public TImageCanvas {
 public:
  TRecordingCanvas(int width, int height) : TImageCanvas(width, height) {}
  explicit TRecordingCanvas(QImage* image) : TImageCanvas(image) {}

  std::vector<TCanvasCall> Calls;

  void Clear() { Calls.clear(); }
  std::vector<std::string> Strings(bool withTools = false) const;
  // The logged calls of one kind ("LineTo", ...).
  std::vector<TCanvasCall> CallsOf(const std::string& op) const;

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void FillRect(const TRect& r) override;
  // Logged as the calls it stands for.
  void FillRuled(const TRect& r, const std::vector<int>& columns, const std::vector<int>& rows) override {
    TCanvas::FillRuled(r, columns, rows);
  }
  void SetPixel(int x, int y, TColor c) override;
  void TextOut(int x, int y, const std::string& utf8) override;

 private:
  TCanvasCall& Log(const char* op, std::vector<int> args);
};

// A Windows bitmap file, 24 bits per pixel, bottom-up, rows padded to four
// bytes: the bytes of the whole file.
std::vector<std::uint8_t> EncodeBmp24(const QImage& image);

// The off-screen picture a window keeps: an RGB32 image and its canvas.
class TBitmap {
 public:
  TBitmap() : canvas_(&image_) {}
  TBitmap(int width, int height);
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  // Keeps the old picture in the top-left corner; new area is white.
  void SetSize(int width, int height);

  TImageCanvas& Canvas() { return canvas_; }
  QImage& Image() { return image_; }
  const QImage& Image() const { return image_; }

  // Writes the picture as a 24-bit Windows bitmap file (path in UTF-8).
  // TrySaveToFile returns false and sets `error` (a readable text naming the
  // file and the system's reason); SaveToFile throws std::runtime_error with
  // that text. A failed write leaves no partial file behind.
  bool TrySaveToFile(const std::string& path, std::string* error = nullptr) const;
  void SaveToFile(const std::string& path) const;

 private:
  QImage image_;
  TImageCanvas canvas_;
};

}  // namespace plat
