// The picture export format: a Windows bitmap file, byte for byte.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <fstream>
#include <iterator>
#include <sys/resource.h>

#include "platform/qt/Bitmap.h"

using namespace plat;

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(Bitmap, EncodesA24BitBottomUpWindowsBitmapWithPaddedRows) {
  TBitmap bmp(3, 2);
  TImageCanvas& c = bmp.Canvas();
  c.SetPixel(0, 0, 0x00030201);  // top-left: red 01, green 02, blue 03
  c.SetPixel(2, 0, clRed);
  c.SetPixel(0, 1, clBlue);  // bottom-left
  c.SetPixel(1, 1, clGreen);
  c.SetPixel(2, 1, clBlack);
  const std::vector<std::uint8_t> b = EncodeBmp24(bmp.Image());
  const std::uint32_t rowBytes = 12;  // 9 bytes of pixels padded to 12
  ASSERT_EQ(b.size(), 54u + 2 * rowBytes);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(U32(b, 2), b.size());  // file size
  EXPECT_EQ(U32(b, 6), 0u);         // reserved
  EXPECT_EQ(U32(b, 10), 54u);       // offset of the pixels
  EXPECT_EQ(U32(b, 14), 40u);       // BITMAPINFOHEADER
  EXPECT_EQ(U32(b, 18), 3u);        // width
  EXPECT_EQ(U32(b, 22), 2u);        // positive height: bottom-up
  EXPECT_EQ(U16(b, 26), 1u);        // planes
  EXPECT_EQ(U16(b, 28), 24u);       // bits per pixel
  EXPECT_EQ(U32(b, 30), 0u);        // no compression
  EXPECT_EQ(U32(b, 34), 2 * rowBytes);
  EXPECT_EQ(U32(b, 46), 0u);  // no palette
  // First stored row is the bottom one: blue, green, black, then padding.
  const std::vector<std::uint8_t> bottom{0xFF, 0, 0, 0, 0x80, 0, 0, 0, 0, 0, 0, 0};
  const std::vector<std::uint8_t> top{3, 2, 1, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 54, b.begin() + 54 + 12), bottom);
  EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 66, b.end()), top);
}

TEST(Bitmap, RowsWhoseWidthNeedsNoPaddingAreNotPadded) {
  TBitmap bmp(4, 1);
  EXPECT_EQ(EncodeBmp24(bmp.Image()).size(), 54u + 12u);
  TBitmap one(1, 3);
  EXPECT_EQ(EncodeBmp24(one.Image()).size(), 54u + 3 * 4u);
}

TEST(Bitmap, SaveToFileWritesTheEncodedBytesAndReportsFailures) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  TBitmap bmp(5, 3);
  bmp.Canvas().SetPixel(4, 2, clRed);
  const std::string path = dir.filePath("picture.bmp").toStdString();
  std::string error = "untouched";
  ASSERT_TRUE(bmp.TrySaveToFile(path, &error));
  EXPECT_EQ(ReadAll(path), EncodeBmp24(bmp.Image()));
  // Qt reads it back as the same picture.
  QImage back(QString::fromStdString(path));
  ASSERT_FALSE(back.isNull());
  EXPECT_EQ(back.pixel(4, 2) & 0xFFFFFFu, 0xFF0000u);
  EXPECT_EQ(back.pixel(0, 0) & 0xFFFFFFu, 0xFFFFFFu);

  const std::string bad = dir.filePath("no such folder/picture.bmp").toStdString();
  EXPECT_FALSE(bmp.TrySaveToFile(bad, &error));
  EXPECT_NE(error.find(bad), std::string::npos);
  // The system's reason is quoted in Russian, whatever the locale.
  EXPECT_NE(error.find("Нет такого файла или каталога"), std::string::npos) << error;
  EXPECT_THROW(bmp.SaveToFile(bad), std::runtime_error);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(bad)));
}

TEST(Bitmap, AFailedSaveKeepsThePreviousPicture) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string path = dir.filePath("picture.bmp").toStdString();
  TBitmap small(2, 2);
  ASSERT_TRUE(small.TrySaveToFile(path));
  const std::vector<std::uint8_t> before = ReadAll(path);
  // The file-size limit lets the new picture's write stop half-way.
  TBitmap big(64, 64);
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit lim = old;
  lim.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &lim), 0);
  std::string error;
  const bool saved = big.TrySaveToFile(path, &error);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(saved);
  EXPECT_NE(error.find(path), std::string::npos);
  EXPECT_EQ(ReadAll(path), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary file left";
}

TEST(Bitmap, SetSizeKeepsThePictureInTheTopLeftCorner) {
  TBitmap bmp;
  EXPECT_EQ(bmp.Width(), 0);
  bmp.Canvas().SetPixel(0, 0, clRed);  // nothing to draw on yet
  bmp.SetSize(4, 4);
  EXPECT_EQ(bmp.Canvas().Width(), 4);
  bmp.Canvas().SetPixel(1, 1, clRed);
  bmp.Canvas().SetPixel(3, 3, clBlue);
  bmp.SetSize(6, 2);
  EXPECT_EQ(bmp.Canvas().GetPixel(1, 1), clRed);
  EXPECT_EQ(bmp.Canvas().GetPixel(5, 1), clWhite);
  EXPECT_EQ(bmp.Height(), 2);
  bmp.SetSize(-3, 5);
  EXPECT_EQ(bmp.Width(), 0);
}
