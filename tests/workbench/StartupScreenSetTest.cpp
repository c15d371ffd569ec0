// "screen.set": the exact record, whole-or-nothing reading, the ranges a
// stored value must meet, and the write that never destroys the old file.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <csignal>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"
#include "orvanta/workbench/GeneralFormUnit.h"
#include "orvanta/workbench/ScreenSetFile.h"
#include "platform/qt/FakeServices.h"

namespace {

TScreenSettings Sample() {
  TScreenSettings s;
  s.XmText = "0.02";
  s.YmText = "0.025";
  s.KoefText = "3";
  s.SdvigText = "0.5";
  s.SetkaStepText = "2.5";
  s.Oci = true;
  s.Setka = false;
  s.BkColor = 0x00FFEEDD;
  s.OciColor = 0x00112233;
  s.LinesColor = 0x00445566;
  s.OciWidth = 4;
  return s;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class ScreenSetTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  plat::FakeServices fake;
  plat::ScopedServices use{fake};
  std::string Path() { return ProgramDir + "screen.set"; }
  void SetUp() override { ProgramDir = dir.path().toStdString() + "/"; }
  void TearDown() override { ProgramDir.clear(); }
};

}  // namespace

TEST(ScreenSetRecordTest, LayoutIsTheFixedLittleEndianRecord) {
  TScreenSettings s = Sample();
  s.OciWidth = -2;
  const auto b = EncodeScreenSettings(s);
  ASSERT_EQ(b.size(), 124u);
  EXPECT_EQ(b[0], 4);
  EXPECT_EQ(std::string(b.begin() + 1, b.begin() + 5), "0.02");
  EXPECT_EQ(b[5], 0);  // unused character bytes are zero
  EXPECT_EQ(b[21], 5);
  EXPECT_EQ(std::string(b.begin() + 22, b.begin() + 27), "0.025");
  EXPECT_EQ(b[42], 1);
  EXPECT_EQ(b[43], '3');
  EXPECT_EQ(b[63], 3);
  EXPECT_EQ(b[84], 3);
  EXPECT_EQ(b[105], 1);
  EXPECT_EQ(b[106], 0);
  EXPECT_EQ(b[107], 0);
  EXPECT_EQ((std::vector<unsigned char>(b.begin() + 108, b.begin() + 112)),
            (std::vector<unsigned char>{0xDD, 0xEE, 0xFF, 0x00}));
  EXPECT_EQ(b[112], 0x33);
  EXPECT_EQ(b[116], 0x66);
  EXPECT_EQ((std::vector<unsigned char>(b.begin() + 120, b.end())),
            (std::vector<unsigned char>{0xFE, 0xFF, 0xFF, 0xFF}));

  TScreenSettings back;
  ASSERT_TRUE(DecodeScreenSettings(b.data(), b.size(), back));
  EXPECT_EQ(back.OciWidth, -2);
  EXPECT_EQ(back.XmText, "0.02");
  EXPECT_EQ(back.BkColor, 0x00FFEEDDu);
  EXPECT_FALSE(DecodeScreenSettings(b.data(), 123, back));
}

TEST(ScreenSetRecordTest, TextsAreCutToTwentyAndALongLengthByteReadsTwenty) {
  TScreenSettings s = Sample();
  s.XmText = "0.01234567890123456789999";  // 25 characters
  auto b = EncodeScreenSettings(s);
  EXPECT_EQ(b[0], 20);
  TScreenSettings back;
  ASSERT_TRUE(DecodeScreenSettings(b.data(), b.size(), back));
  EXPECT_EQ(back.XmText, "0.012345678901234567");
  EXPECT_EQ(ValidateScreenSettings(back).Xm, StrToExt("0.012345678901234567"));
  b[21] = 200;  // damaged length byte: never more than the field
  ASSERT_TRUE(DecodeScreenSettings(b.data(), b.size(), back));
  EXPECT_EQ(back.YmText.size(), 20u);
}

TEST(ScreenSetRecordTest, StoredValuesOutsideTheDialogRangesTakeTheirBuiltInValues) {
  TScreenSettings s = Sample();
  TScreenValues v;
  s.XmText = "0";          // would divide by zero
  s.YmText = "50";         // the bound itself is outside
  s.KoefText = "1";        // a zoom step that does not zoom
  s.SdvigText = "abc";     // no number
  s.SetkaStepText = "-1";
  s.OciWidth = 10;
  v = ValidateScreenSettings(s);
  EXPECT_EQ(v.Xm, screen_defaults::Xm);
  EXPECT_EQ(v.Ym, screen_defaults::Ym);
  EXPECT_EQ(v.Koef, screen_defaults::Koef);
  EXPECT_EQ(v.Sdvig, screen_defaults::Sdvig);
  EXPECT_EQ(v.SetkaStep, screen_defaults::SetkaStep);
  EXPECT_EQ(v.OciWidth, screen_defaults::OciWidth);

  // The bounds that are inside.
  s.XmText = "0.00003";
  s.YmText = "49.99";
  s.KoefText = "10";
  s.SdvigText = "1";
  s.OciWidth = 9;
  v = ValidateScreenSettings(s);
  EXPECT_EQ(v.Xm, StrToExt("0.00003"));
  EXPECT_EQ(v.Ym, StrToExt("49.99"));
  EXPECT_EQ(v.Koef, 10.0L);
  EXPECT_EQ(v.Sdvig, 1.0L);
  EXPECT_EQ(v.OciWidth, 9);
  EXPECT_FALSE(ValidScale(StrToExt("0.00002")));
}

TEST_F(ScreenSetTest, WrittenAndReadBackGivesTheSameViewWithAnEmptyList) {
  // Only the first 124 bytes of a longer file count.
  const auto bytes = EncodeScreenSettings(Sample());
  WriteAll(Path(), std::string(bytes.begin(), bytes.end()) + "trailing bytes");
  objScreen v;
  for (int i = 0; i < 3; ++i) v.Funcs[i] = std::make_unique<objFunc>();
  v.FuncCount = 3;
  LoadScreenSettings(v, 700, 400);
  EXPECT_TRUE(fake.Messages.empty());
  EXPECT_EQ(v.FuncCount, 0);
  EXPECT_EQ(v.Funcs[0], nullptr);
  EXPECT_EQ(v.Xm, StrToExt("0.02"));
  EXPECT_EQ(v.DefaultYm, StrToExt("0.025"));
  EXPECT_EQ(v.Koef, 3.0L);
  EXPECT_EQ(v.Sdvig, 0.5L);
  EXPECT_EQ(v.SetkaStep, 2.5L);
  EXPECT_FALSE(v.Setka);
  EXPECT_EQ(v.BkColor, 0x00FFEEDDu);
  EXPECT_EQ(v.LinesColor, 0x00445566u);
  EXPECT_EQ(v.OciWidth, 4);
  // 700 x 400 with 0.02 and 0.025: origin centred.
  EXPECT_NEAR(static_cast<double>(v.StartX), -7.0, 1e-12);
  EXPECT_NEAR(static_cast<double>(v.StartY), 5.0, 1e-12);
}

TEST_F(ScreenSetTest, MissingOrShortFileShowsTheMessageAndKeepsASoundView) {
  objScreen v;
  LoadScreenSettings(v, 800, 400);  // no file
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Plain);
  EXPECT_EQ(fake.Messages[0].Text, ScreenSetErrorText);
  EXPECT_EQ(std::string(ScreenSetErrorText),
            "Ошибка инициализации приложения. Возможно утеряны некоторые файлы, необходимые для работы "
            "приложения. Рекомендуется переустановить Orvanta.");
  EXPECT_EQ(v.Xm, screen_defaults::Xm);
  EXPECT_NEAR(static_cast<double>(v.StartX), -8.0, 1e-12);

  // A short file changes none of the values it holds.
  const auto bytes = EncodeScreenSettings(Sample());
  WriteAll(Path(), std::string(bytes.begin(), bytes.begin() + 123));
  v.Koef = 7;
  LoadScreenSettings(v, 800, 400);
  EXPECT_EQ(fake.Messages.size(), 2u);
  EXPECT_EQ(v.Koef, 7.0L);
  EXPECT_EQ(v.Xm, screen_defaults::Xm);
}

TEST_F(ScreenSetTest, AFailedWriteLeavesThePreviousFile) {
  ASSERT_TRUE(WriteScreenSettingsFile(Path(), Sample()));
  const std::string before = ReadAll(Path());
  // The write fails half-way: the file-size limit is below the record's size.
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 10;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  TScreenSettings other = Sample();
  other.XmText = "1";
  std::string error;
  const bool written = WriteScreenSettingsFile(Path(), other, &error);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadAll(Path()), before);
  EXPECT_EQ(QDir(QString::fromStdString(ProgramDir)).entryList(QDir::Files | QDir::Hidden).size(), 1)
      << "no temporary file is left behind";

  std::string e2;
  EXPECT_FALSE(WriteScreenSettingsFile(ProgramDir + "no/such/dir/screen.set", other, &e2));
  EXPECT_NE(e2.find("screen.set"), std::string::npos);
}

TEST(ScreenSetDeliveredTest, TheShippedFileIsASensibleView) {
  TScreenSettings s;
  ASSERT_TRUE(ReadScreenSettingsFile(plat::ExeDir() + "screen.set", s));
  const TScreenValues v = ValidateScreenSettings(s);
  EXPECT_EQ(s.XmText, "0.02");
  EXPECT_EQ(v.Koef, StrToExt(s.KoefText));  // in range, taken as stored
  EXPECT_EQ(v.SetkaStep, StrToExt(s.SetkaStepText));
  EXPECT_EQ(v.OciWidth, s.OciWidth);
  EXPECT_TRUE(s.Oci && s.Setka);
}
