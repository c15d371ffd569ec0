#include "platform/qt/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "platform/SafeFile.h"

namespace plat {

namespace {
// BITMAPFILEHEADER and BITMAPINFOHEADER sizes; 96 pixels per inch, in pixels
// per metre.
constexpr std::uint32_t kFileHeaderSize = 14, kInfoHeaderSize = 40, kPixelsPerMetre = 3780;
}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const QImage& source) {
  const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);
  const std::uint32_t w = static_cast<std::uint32_t>(std::max(0, image.width()));
  const std::uint32_t h = static_cast<std::uint32_t>(std::max(0, image.height()));
  const std::uint32_t rowBytes = (w * 3 + 3) & ~3u;
  const std::uint32_t dataSize = rowBytes * h;
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  std::vector<std::uint8_t> out;
  out.reserve(offset + dataSize);
  auto u16 = [&](std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  auto u32 = [&](std::uint32_t v) {
    u16(v & 0xFFFFu);
    u16(v >> 16);
  };
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  u32(offset + dataSize);
  u16(0);
  u16(0);
  u32(offset);
  // BITMAPINFOHEADER; a positive height means rows are stored bottom-up.
  u32(kInfoHeaderSize);
  u32(w);
  u32(h);
  u16(1);   // planes
  u16(24);  // bits per pixel
  u32(0);   // BI_RGB
  u32(dataSize);
  u32(kPixelsPerMetre);
  u32(kPixelsPerMetre);
  u32(0);
  u32(0);
  for (std::uint32_t row = h; row-- > 0;) {
    const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(static_cast<int>(row)));
    for (std::uint32_t x = 0; x < w; ++x) {
      const std::uint32_t p = line[x];
      out.push_back(static_cast<std::uint8_t>(p));        // blue
      out.push_back(static_cast<std::uint8_t>(p >> 8));   // green
      out.push_back(static_cast<std::uint8_t>(p >> 16));  // red
    }
    for (std::uint32_t pad = w * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

void TBitmap::SetSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == image_.width() && height == image_.height()) return;
  QImage next(width, height, QImage::Format_RGB32);
  next.fill(0xFFFFFFFFu);
  const int cw = std::min(width, image_.width()), ch = std::min(height, image_.height());
  for (int y = 0; cw > 0 && y < ch; ++y)
    std::memcpy(next.scanLine(y), image_.constScanLine(y), static_cast<std::size_t>(cw) * 4);
  image_ = std::move(next);
}

bool TBitmap::TrySaveToFile(const std::string& path, std::string* error) const {
  const std::vector<std::uint8_t> bytes = EncodeBmp24(image_);
  // A failed write keeps whatever file was there before.
  const int err = WriteFileAtomic(path, bytes.data(), bytes.size(), TargetName::Chosen);
  if (err == 0) return true;
  if (error) *error = "Не удаётся записать файл \"" + path + "\": " + SysErrorText(err);
  return false;
}

void TBitmap::SaveToFile(const std::string& path) const {
  std::string error;
  if (!TrySaveToFile(path, &error)) throw std::runtime_error(error);
}

}  // namespace plat
