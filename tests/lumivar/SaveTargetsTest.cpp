// Where the plotter's picture export and PDF print may not write: a file
// made read-only is kept, and a file-size limit fails the save with the
// usual message instead of killing the program.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "LumivarFixture.h"
#include "platform/SafeFile.h"
#include "platform/qt/Printer.h"

namespace {

using lumivar::PrintForm;

const std::string Previous = "previous";

std::string Read(const std::string& path) {
  std::string bytes;
  plat::ReadRegularFile(path, 1 << 20, bytes);
  return bytes;
}

class SaveTargets : public lumtest::LumivarTest {
 protected:
  void SetUp() override {
    LumivarTest::SetUp();
    fake.ShowDialogs = false;
    CreateForms();
    ASSERT_TRUE(dir.isValid());
  }
  std::string ReadOnlyFile(const char* name) {
    const std::string path = dir.path().toStdString() + "/" + name;
    EXPECT_EQ(plat::WriteFileAtomic(path, Previous), 0);
    EXPECT_EQ(::chmod(path.c_str(), 0444), 0);
    return path;
  }
  QTemporaryDir dir;
};

TEST_F(SaveTargets, AReadOnlyPictureOrPdfFileIsKeptAndTheSaveErrorShown) {
  const std::string picture = ReadOnlyFile("graph.bmp");
  fake.FileNames.push_back(picture);
  form->SaveFileClick();
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Error);
  EXPECT_EQ(fake.Messages[0].Text,
            "Не удаётся записать файл \"" + picture + "\": " + plat::SysErrorText(EACCES));
  EXPECT_EQ(Read(picture), Previous);

  ASSERT_EQ(plat::InstalledPrinter(), nullptr);  // the Qt printer, whose last entry writes a PDF
  const std::string pdf = ReadOnlyFile("graph.pdf");
  fake.ClearRecords();
  fake.FileNames.push_back(pdf);
  fake.OnExecModal = [](QDialog* d) {
    PrintForm->FormActivate();
    PrintForm->PrintersList->setCurrentIndex(PrintForm->PrintersList->count() - 1);
    PrintForm->Button3->click();
    return d->result();
  };
  form->PrintFileClick();
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Error);
  EXPECT_EQ(fake.Messages[0].Text, "Не удалось записать файл " + pdf + ": " + plat::SysErrorText(EACCES));
  EXPECT_EQ(Read(pdf), Previous);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).size(), 2);
}

TEST_F(SaveTargets, AFileSizeLimitShowsTheSaveErrorAndTheProgramLives) {
  const std::string picture = dir.path().toStdString() + "/graph.bmp";
  // In a child: the signal's disposition and the limit are the whole process's.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    lumivar::StartApplication();
    struct rlimit lim {};
    ::getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = 100;
    if (::setrlimit(RLIMIT_FSIZE, &lim) != 0) ::_exit(2);
    fake.FileNames.push_back(picture);
    form->SaveFileClick();
    const bool shown = fake.Messages.size() == 1 &&
                       fake.Messages[0].Text == "Не удаётся записать файл \"" + picture + "\": " +
                                                    plat::SysErrorText(EFBIG);
    ::_exit(shown ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden));
}

}  // namespace

namespace {

TEST_F(SaveTargets, ThePictureDialogOpensWhereThePreviousPictureWasSaved) {
  plat::ForgetFileDialogFolders();
  const std::string picture = dir.path().toStdString() + "/graph.bmp";
  fake.FileNames = {picture, std::nullopt};
  form->SaveFileClick();
  form->SaveFileClick();
  ASSERT_EQ(fake.FileDialogs.size(), 2u);
  EXPECT_EQ(fake.FileDialogs[0].Request.InitialDir, plat::ExeDir());
  EXPECT_EQ(fake.FileDialogs[1].Request.InitialDir, dir.path().toStdString() + "/");
  plat::ForgetFileDialogFolders();
}

}  // namespace
