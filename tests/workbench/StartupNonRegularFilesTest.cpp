// A FIFO or a folder in place of "screen.set" and "newfunc.set": the
// workbench starts at once with its read-failure messages and built-in values.
#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "orvanta/engine/FunctionUnit.h"
#include "orvanta/workbench/GeneralFormUnit.h"
#include "orvanta/workbench/NewFuncSetFile.h"
#include "orvanta/workbench/NewFunctionFormUnit.h"
#include "orvanta/workbench/OrvantaWindows.h"
#include "orvanta/workbench/ScreenSetFile.h"
#include "orvanta/workbench/objScreenUnit.h"
#include "platform/qt/FakeServices.h"

namespace fs = std::filesystem;

namespace {

enum class Kind { Fifo, Folder };

class NonRegularSettingsFileTest : public ::testing::TestWithParam<Kind> {
 protected:
  plat::FakeServices fake;
  std::string dir_;

  void SetUp() override {
    char tmpl[] = "/tmp/orvnonregular_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = std::string(tmpl) + "/";
    for (const char* name : {"screen.set", "newfunc.set"}) {
      const std::string path = dir_ + name;
      if (GetParam() == Kind::Fifo)
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
      else
        fs::create_directory(path);
    }
  }

  void TearDown() override {
    DestroyOrvantaWindows();
    ProgramDir.clear();
    fs::remove_all(dir_);
  }
};

}  // namespace

TEST_P(NonRegularSettingsFileTest, StartsAtOnceWithTheFailureMessagesAndBuiltInValues) {
  plat::ScopedServices use(fake);
  QString razryv;
  fake.OnExecModal = [&](QDialog* d) {
    razryv = NewFunctionForm->txtRazryv->text();
    d->reject();
    return d->result();
  };
  const auto start = std::chrono::steady_clock::now();
  ProgramDir = dir_;
  CreateOrvantaWindows();
  GeneralForm->resize(800, 600);
  GeneralForm->show();  // the first read of "screen.set"
  QApplication::processEvents();
  ProgramDir = dir_;    // showing the window pointed it at the program's folder
  GeneralForm->Timer->Fire();  // the second read, the first picture and the dialog
  // A blocking open of a FIFO never returns; the bound leaves room for a
  // start under the sanitizers on a busy machine.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

  ASSERT_EQ(fake.Messages.size(), 3u);
  EXPECT_EQ(fake.Messages[0].Text, ScreenSetErrorText);
  EXPECT_EQ(fake.Messages[1].Text, ScreenSetErrorText);
  EXPECT_EQ(fake.Messages[2].Kind, plat::MsgKind::Error);
  EXPECT_EQ(fake.Messages[2].Text, GetParam() == Kind::Fifo ? "Invalid filename" : "File access denied");
  ASSERT_EQ(fake.Dialogs.size(), 1u);
  EXPECT_EQ(razryv, "10");  // the dialog's own starting value

  const objScreen& v = *MainScreen;
  EXPECT_EQ(v.Xm, screen_defaults::Xm);
  EXPECT_EQ(v.Ym, screen_defaults::Ym);
  EXPECT_EQ(v.Koef, screen_defaults::Koef);
  EXPECT_EQ(v.OciWidth, screen_defaults::OciWidth);
  EXPECT_TRUE(GeneralForm->Started());
  // The reads themselves are refused at once.
  const auto before = std::chrono::steady_clock::now();
  TScreenSettings screen;
  EXPECT_FALSE(ReadScreenSettingsFile(dir_ + "screen.set", screen));
  TNewFuncSettings newfunc;
  std::string error;
  EXPECT_FALSE(ReadNewFuncSetFile(dir_ + "newfunc.set", newfunc, error));
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));

  // Nothing replaced the FIFO or the folder.
  for (const char* name : {"screen.set", "newfunc.set"}) {
    struct stat st {};
    ASSERT_EQ(::lstat((dir_ + name).c_str(), &st), 0);
    EXPECT_EQ(GetParam() == Kind::Fifo ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode), true) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(FifoAndFolder, NonRegularSettingsFileTest, ::testing::Values(Kind::Fifo, Kind::Folder),
                         [](const auto& info) { return info.param == Kind::Fifo ? "Fifo" : "Folder"; });
