#pragma once
// A fingerprint of a picture: FNV-1a (64 bits) over its size and the RGB of
// every pixel, row by row. Equal pictures give equal sums; a single moved or
// recoloured pixel changes it.
#include <QImage>
#include <QString>
#include <cctype>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <string>

namespace pictest {

inline std::uint64_t PictureSum(const QImage& image) {
  std::uint64_t h = 0xcbf29ce484222325ull;
  auto mix = [&h](std::uint32_t v) {
    for (int k = 0; k < 4; ++k) {
      h ^= (v >> (8 * k)) & 0xFFu;
      h *= 0x100000001b3ull;
    }
  };
  mix(static_cast<std::uint32_t>(image.width()));
  mix(static_cast<std::uint32_t>(image.height()));
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) mix(image.pixel(x, y) & 0x00FFFFFFu);
  return h;
}

inline std::string SumText(std::uint64_t sum) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "0x%016llx", static_cast<unsigned long long>(sum));
  return buf;
}

// How many different colours the picture holds: a scene that lost its
// graphs (or drew nothing at all) shows fewer than it was built with.
inline int ColourCount(const QImage& image, int atMost) {
  std::uint32_t seen[64];
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const std::uint32_t p = image.pixel(x, y) & 0x00FFFFFFu;
      bool known = false;
      for (int k = 0; k < n && !known; ++k) known = seen[k] == p;
      if (!known && n < 64) seen[n++] = p;
      if (n >= atMost) return n;
    }
  return n;
}

// With ORV_PICTURE_DIR set, writes the picture there as <name>.png, to look
// at what moved when a sum no longer matches.
inline void MaybeSave(const QImage& image, const std::string& name) {
  const char* dir = std::getenv("ORV_PICTURE_DIR");
  if (!dir || !*dir) return;
  std::string file;
  for (char c : name) file += (std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
  image.save(QString::fromStdString(std::string(dir) + "/" + file + ".png"));
}

}  // namespace pictest
