// "newfunc.set": byte layout, clamping of the whole numbers, whole-or-nothing
// reading and the replace-by-rename writing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "orvanta/workbench/NewFuncSetFile.h"

namespace {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    char tmpl[] = "/tmp/nfset_XXXXXX";
    path_ = ::mkdtemp(tmpl);
  }
  ~TempDir() { fs::remove_all(path_); }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  std::string Path() const { return path_; }

 private:
  std::string path_;
};

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TNewFuncSettings Sample() {
  TNewFuncSettings s;
  s.MinX = true;
  s.MaxX = false;
  s.XPolog = true;
  s.XCeloe = false;
  s.IfLines = false;
  s.IfRazryv = true;
  s.MinXText = "-2.5";
  s.MaxXText = "1e3";
  s.RazryvText = "\xE0\xE1";  // two Cyrillic letters in Windows-1251
  s.Diametr = 3;
  s.LineWidth = 9;
  s.Kolvo = 2;
  s.Color = 0x00FF00CC;
  return s;
}

}  // namespace

TEST(NewFuncSetFile, RecordLayout) {
  const auto r = EncodeNewFuncSettings(Sample());
  ASSERT_EQ(r.size(), 88u);
  const std::uint8_t flags[] = {1, 0, 1, 0, 0, 1};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(r[i], flags[i]) << i;
  EXPECT_EQ(r[6], 4);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&r[7]), 4), "-2.5");
  EXPECT_EQ(r[27], 3);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&r[28]), 3), "1e3");
  EXPECT_EQ(r[48], 2);
  EXPECT_EQ(r[49], 0xE0);
  EXPECT_EQ(r[50], 0xE1);
  // Unused characters and the padding are zero.
  for (int i = 11; i < 27; ++i) EXPECT_EQ(r[i], 0) << i;
  for (int i = 69; i < 72; ++i) EXPECT_EQ(r[i], 0) << i;
  const std::uint8_t ints[] = {3, 0, 0, 0, 9, 0, 0, 0, 2, 0, 0, 0, 0xCC, 0x00, 0xFF, 0x00};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(r[72 + i], ints[i]) << (72 + i);
}

TEST(NewFuncSetFile, LengthsAndWholeNumbersStayInTheirRanges) {
  // Texts are cut to their 20 characters and come back as cut.
  TNewFuncSettings s = Sample();
  s.MinXText = "1234567890123456789012345";
  auto r = EncodeNewFuncSettings(s);
  EXPECT_EQ(r[6], 20);
  TNewFuncSettings back;
  ASSERT_TRUE(DecodeNewFuncSettings(r.data(), r.size(), back));
  s.MinXText = "12345678901234567890";
  EXPECT_EQ(back, s);

  // A length byte past the field reads the field's 20 characters only; 0,
  // 65536 and -1 would reach the drawing as a zero divisor, a wrapped 16-bit
  // zero and 65535 samples per column.
  r[6] = 255;
  for (int i = 7; i < 27; ++i) r[i] = 'a' + (i - 7);
  const std::uint8_t stored[] = {0, 0, 0, 0, 0, 0, 1, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  std::copy(std::begin(stored), std::end(stored), &r[72]);
  r[0] = 7;  // any non-zero byte checks the box
  ASSERT_TRUE(DecodeNewFuncSettings(r.data(), r.size(), back));
  EXPECT_EQ(back.MinXText, "abcdefghijklmnopqrst");
  EXPECT_EQ(back.Diametr, 1);
  EXPECT_EQ(back.LineWidth, 9);
  EXPECT_EQ(back.Kolvo, 1);
  EXPECT_TRUE(back.MinX);

  // The encoder keeps the same range.
  back.Diametr = 0;
  back.LineWidth = 65536;
  back.Kolvo = -1;
  const auto e = EncodeNewFuncSettings(back);
  EXPECT_EQ(e[72], 1);
  EXPECT_EQ(e[76], 9);
  EXPECT_EQ(e[80], 1);
  EXPECT_EQ(e[83], 0);
}

TEST(NewFuncSetFile, ReadIsWholeOrNothing) {
  TempDir dir;
  const TNewFuncSettings untouched = Sample();
  TNewFuncSettings s = untouched;
  std::string error;

  EXPECT_FALSE(ReadNewFuncSetFile(dir.File("newfunc.set"), s, error));
  EXPECT_EQ(error, "File not found");
  EXPECT_EQ(s, untouched);

  TNewFuncSettings other;
  other.MinXText = "5";
  auto rec = EncodeNewFuncSettings(other);
  WriteAll(dir.File("newfunc.set"), std::vector<std::uint8_t>(rec.begin(), rec.end() - 1));
  error.clear();
  EXPECT_FALSE(ReadNewFuncSetFile(dir.File("newfunc.set"), s, error));
  EXPECT_EQ(error, "Read beyond end of file");
  EXPECT_EQ(s, untouched);

  // Only the first 88 bytes of a longer file count.
  std::vector<std::uint8_t> longer(rec.begin(), rec.end());
  longer.resize(120, 0xAB);
  WriteAll(dir.File("newfunc.set"), longer);
  ASSERT_TRUE(ReadNewFuncSetFile(dir.File("newfunc.set"), s, error));
  EXPECT_EQ(s, other);

  // A folder in place of the file.
  fs::create_directory(dir.File("folder.set"));
  EXPECT_FALSE(ReadNewFuncSetFile(dir.File("folder.set"), s, error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(s, other);
}

TEST(NewFuncSetFile, WriteReplacesTheFileOrKeepsWhatWasThere) {
  TempDir dir;
  const std::string path = dir.File("newfunc.set");
  WriteAll(path, std::vector<std::uint8_t>(200, 0x55));
  std::string error;
  ASSERT_TRUE(WriteNewFuncSetFile(path, Sample(), error)) << error;
  const auto rec = EncodeNewFuncSettings(Sample());
  EXPECT_EQ(ReadAll(path), std::vector<std::uint8_t>(rec.begin(), rec.end()));
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);

  // Missing folder: nothing is created.
  EXPECT_FALSE(WriteNewFuncSetFile(dir.File("no/such/newfunc.set"), Sample(), error));
  EXPECT_EQ(error, "File not found");

  // A folder where the file should be cannot be replaced; the folder and
  // what it holds stay, and the temporary file is removed again.
  const std::string folder = dir.File("folder.set");
  fs::create_directory(folder);
  WriteAll(folder + "/keep", {1, 2, 3});
  error.clear();
  EXPECT_FALSE(WriteNewFuncSetFile(folder, Sample(), error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadAll(folder + "/keep"), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
}
