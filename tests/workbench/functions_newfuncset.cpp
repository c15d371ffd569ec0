// "newfunc.set": byte layout, clamping of the whole numbers, whole-or-nothing
// reading and the replace-by-rename writing.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
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

TEST(NewFuncSetFile, LongTextsAreCutTo20AndComeBack) {
  TNewFuncSettings s = Sample();
  s.MinXText = "1234567890123456789012345";  // 25 characters
  const auto r = EncodeNewFuncSettings(s);
  EXPECT_EQ(r[6], 20);
  TNewFuncSettings back;
  ASSERT_TRUE(DecodeNewFuncSettings(r.data(), r.size(), back));
  EXPECT_EQ(back.MinXText, "12345678901234567890");
  s.MinXText = back.MinXText;
  EXPECT_EQ(back, s);
}

TEST(NewFuncSetFile, DecodeLimitsLengthsAndWholeNumbers) {
  auto r = EncodeNewFuncSettings(Sample());
  r[6] = 255;  // a length byte past the field reads the field's 20 characters only
  for (int i = 7; i < 27; ++i) r[i] = 'a' + (i - 7);
  // 0, 65536 and -1 would reach the drawing as a zero divisor, a wrapped
  // 16-bit zero and 65535 samples per column.
  const std::uint8_t zero[] = {0, 0, 0, 0}, big[] = {0, 0, 1, 0}, minus1[] = {0xFF, 0xFF, 0xFF, 0xFF};
  std::copy(zero, zero + 4, &r[72]);
  std::copy(big, big + 4, &r[76]);
  std::copy(minus1, minus1 + 4, &r[80]);
  r[0] = 7;  // any non-zero byte checks the box
  TNewFuncSettings s;
  ASSERT_TRUE(DecodeNewFuncSettings(r.data(), r.size(), s));
  EXPECT_EQ(s.MinXText, "abcdefghijklmnopqrst");
  EXPECT_EQ(s.Diametr, 1);
  EXPECT_EQ(s.LineWidth, 9);
  EXPECT_EQ(s.Kolvo, 1);
  EXPECT_TRUE(s.MinX);

  // The encoder keeps the same range.
  TNewFuncSettings t = Sample();
  t.Diametr = 0;
  t.LineWidth = 65536;
  t.Kolvo = -1;
  const auto e = EncodeNewFuncSettings(t);
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

  WriteAll(dir.File("newfunc.set"), {});
  EXPECT_FALSE(ReadNewFuncSetFile(dir.File("newfunc.set"), s, error));
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

TEST(NewFuncSetFile, WriteReplacesTheFileThroughARename) {
  TempDir dir;
  const std::string path = dir.File("newfunc.set");
  WriteAll(path, std::vector<std::uint8_t>(200, 0x55));
  std::string error;
  ASSERT_TRUE(WriteNewFuncSetFile(path, Sample(), error)) << error;
  const auto bytes = ReadAll(path);
  const auto rec = EncodeNewFuncSettings(Sample());
  EXPECT_EQ(bytes, std::vector<std::uint8_t>(rec.begin(), rec.end()));
  TNewFuncSettings back;
  ASSERT_TRUE(ReadNewFuncSetFile(path, back, error));
  EXPECT_EQ(back, Sample());
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(NewFuncSetFile, FailedWriteKeepsWhatWasThere) {
  TempDir dir;
  std::string error;
  // Missing folder: nothing is created.
  EXPECT_FALSE(WriteNewFuncSetFile(dir.File("no/such/newfunc.set"), Sample(), error));
  EXPECT_EQ(error, "File not found");

  // A folder where the file should be cannot be replaced; the folder and
  // what it holds stay, and the temporary file is removed again.
  const std::string path = dir.File("newfunc.set");
  fs::create_directory(path);
  WriteAll(path + "/keep", {1, 2, 3});
  error.clear();
  EXPECT_FALSE(WriteNewFuncSetFile(path, Sample(), error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(ReadAll(path + "/keep"), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}
