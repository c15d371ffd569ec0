#pragma once
// The off-screen picture a window keeps, and its Windows bitmap file.
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/qt/ImageCanvas.h"

namespace plat {

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
  // that text. A failed write leaves no partial file behind. The name is the
  // user's choice: a link there is kept and the file it names written.
  bool TrySaveToFile(const std::string& path, std::string* error = nullptr) const;
  void SaveToFile(const std::string& path) const;

 private:
  QImage image_;
  TImageCanvas canvas_;
};

}  // namespace plat
