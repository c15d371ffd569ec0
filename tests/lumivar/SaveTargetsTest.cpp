// Where the plotter's picture export and PDF print write: a link the user
// chose is kept and the file it names written; a file made read-only is
// kept, and a file-size limit fails the save with the usual message instead
// of killing the program.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "LumivarFixture.h"
#include "platform/SafeFile.h"
#include "platform/qt/Printer.h"
#include "tests/common/InChild.h"

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
  // The print dialog's Ok on the Qt printer's last entry, which writes a PDF.
  void PrintToPdf(const std::string& path) {
    ASSERT_EQ(plat::InstalledPrinter(), nullptr);
    fake.FileNames.push_back(path);
    fake.OnExecModal = [](QDialog* d) {
      PrintForm->FormActivate();
      PrintForm->PrintersList->setCurrentIndex(PrintForm->PrintersList->count() - 1);
      PrintForm->Button3->click();
      return d->result();
    };
    form->PrintFileClick();
    fake.OnExecModal = nullptr;
  }
  std::string ReadOnlyFile(const char* name) {
    const std::string path = dir.path().toStdString() + "/" + name;
    EXPECT_EQ(plat::WriteFileAtomic(path, Previous, plat::TargetName::Fixed), 0);
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

  const std::string pdf = ReadOnlyFile("graph.pdf");
  fake.ClearRecords();
  PrintToPdf(pdf);
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Error);
  EXPECT_EQ(fake.Messages[0].Text, "Не удалось записать файл " + pdf + ": " + plat::SysErrorText(EACCES));
  EXPECT_EQ(Read(pdf), Previous);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).size(), 2);
}

TEST_F(SaveTargets, AFileSizeLimitShowsTheSaveErrorAndTheProgramLives) {
  const std::string picture = dir.path().toStdString() + "/graph.bmp";
  EXPECT_TRUE(orv_test::UnderFileSizeLimit(100, [&] {
    lumivar::StartApplication();
    fake.FileNames.push_back(picture);
    form->SaveFileClick();
    return fake.Messages.size() == 1 &&
           fake.Messages[0].Text == "Не удаётся записать файл \"" + picture + "\": " + plat::SysErrorText(EFBIG);
  }));
  EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden));
}

// The picture's and the PDF's name chosen in a file dialog: a link there is
// kept and the file it names written; a link to a folder is refused with
// the system's reason.
TEST_F(SaveTargets, ALinkChosenInADialogIsKeptAndItsFileWritten) {
  namespace fs = std::filesystem;
  const std::string folder = dir.path().toStdString() + "/";
  fs::create_directory(folder + "real");
  for (const char* name : {"graph.bmp", "graph.pdf"}) {
    const std::string file = folder + "real/" + name, link = folder + name;
    ASSERT_EQ(plat::WriteFileAtomic(file, Previous, plat::TargetName::Fixed), 0);
    fs::create_symlink(std::string("real/") + name, link);
    fake.ClearRecords();
    if (std::string(name) == "graph.bmp") {
      fake.FileNames.push_back(link);
      form->SaveFileClick();
    } else {
      PrintToPdf(link);
    }
    EXPECT_TRUE(fake.Messages.empty()) << name;
    EXPECT_TRUE(fs::is_symlink(link)) << name;
    const std::string magic = std::string(name) == "graph.bmp" ? "BM" : "%PDF-";
    EXPECT_EQ(Read(file).substr(0, magic.size()), magic) << name;
  }
  const std::string toFolder = folder + "folder.bmp";
  fs::create_symlink("real", toFolder);
  fake.ClearRecords();
  fake.FileNames.push_back(toFolder);
  form->SaveFileClick();
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Text, "Не удаётся записать файл \"" + toFolder + "\": " + plat::SysErrorText(EISDIR));
  EXPECT_TRUE(fs::is_symlink(toFolder));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder + "real"), fs::directory_iterator()), 2);
}

// A folder the user may write and search but not read: the PDF is written
// and no error shown.
TEST_F(SaveTargets, APdfIsPrintedIntoAFolderThatMayNotBeRead) {
  const std::string folder = dir.path().toStdString(), pdf = folder + "/graph.pdf";
  ASSERT_EQ(::chmod(folder.c_str(), 0333), 0);
  EXPECT_TRUE(orv_test::AsPlainUser([&] {
    PrintToPdf(pdf);
    return fake.Messages.empty() && fake.Exceptions.empty();
  }));
  ASSERT_EQ(::chmod(folder.c_str(), 0700), 0);
  EXPECT_EQ(Read(pdf).substr(0, 5), "%PDF-");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).size(), 1);
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
