// Where the workbench's saves write: a link the user chose is kept and the
// file it names written, while "last.ov2" replaces a link of its own; a file
// made read-only is kept with the command's save-error message, a folder
// that may not be read does not fail a save, and a file-size limit fails
// the save with its message instead of killing the program.
#include <QDialog>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "FunctionsHelpers.h"
#include "orvanta/tools/TableFormUnit.h"
#include "orvanta/tools/calc/ToolCalc.h"
#include "orvanta/workbench/NewFuncSetFile.h"
#include "orvanta/workbench/OrvantaWindows.h"
#include "orvanta/workbench/ScreenSetFile.h"
#include "platform/SafeFile.h"
#include "tests/common/InChild.h"

namespace fs = std::filesystem;

namespace {

const std::string Previous = "previous";

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class SaveTargets : public FunctionsFixture {
 protected:
  void SetUp() override {
    FunctionsFixture::SetUp();
    dir = UseTempProgramDir();
    Add("x^2");
    fake.ClearRecords();
  }
  std::string ReadOnlyFile(const std::string& name) {
    const std::string path = dir + name;
    std::ofstream(path, std::ios::binary) << Previous;
    EXPECT_EQ(::chmod(path.c_str(), 0444), 0);
    return path;
  }
  // The one message shown, which must be a plain box.
  std::string Message() {
    EXPECT_EQ(fake.Messages.size(), 1u);
    if (fake.Messages.empty()) return {};
    EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Plain);
    std::string text = fake.Messages[0].Text;
    fake.ClearRecords();
    return text;
  }
  std::string dir;
};

TEST_F(SaveTargets, EveryWriterKeepsAReadOnlyFileAndShowsItsSaveError) {
  const std::string set = ReadOnlyFile("set.ov2");
  fake.FileNames.push_back(set);
  Form().mnuFileSaveAsClick();
  EXPECT_EQ(Message(), "Ошибка при сохранении файла");
  EXPECT_EQ(ReadAll(set), Previous);

  const std::string picture = ReadOnlyFile("plot.bmp");
  fake.FileNames.push_back(picture);
  Form().mnuFileSaveImageClick();
  EXPECT_EQ(Message(), "Ошибка сохранения изображения");
  EXPECT_EQ(ReadAll(picture), Previous);

  const std::string table = ReadOnlyFile("table.txt");
  fake.FileNames.push_back(table);
  TableForm->btnSaveClick();
  EXPECT_EQ(Message(), tools::MsgSaveError);
  EXPECT_EQ(ReadAll(table), Previous);

  // Closing: the failure is shown, the window stays open, the file is kept.
  const std::string last = ReadOnlyFile("last.ov2");
  Form().close();
  EXPECT_TRUE(Form().isVisible());
  ASSERT_EQ(fake.Exceptions.size(), 1u);
  EXPECT_NE(fake.Exceptions[0].find(last + ": " + plat::SysErrorText(EACCES)), std::string::npos)
      << fake.Exceptions[0];
  EXPECT_EQ(ReadAll(last), Previous);
  // Nothing but the four files is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 4);
}

TEST_F(SaveTargets, AFileSizeLimitShowsTheSaveErrorAndTheProgramLives) {
  EXPECT_TRUE(orv_test::UnderFileSizeLimit(100, [&] {
    StartOrvantaApplication();
    fake.FileNames.push_back(dir + "plot.bmp");
    Form().mnuFileSaveImageClick();
    return fake.Messages.size() == 1 && fake.Messages[0].Text == "Ошибка сохранения изображения";
  }));
  EXPECT_TRUE(fs::is_empty(dir));
}

// Each writer's name chosen in a file dialog: a link there is kept and the
// file it names holds what a save to a plain file holds.
TEST_F(SaveTargets, ALinkChosenInADialogIsKeptAndItsFileWritten) {
  fs::create_directory(dir + "real");
  struct Writer {
    const char* name;
    std::function<void()> save;
  };
  const Writer writers[] = {
      {"set.ov2", [this] { Form().mnuFileSaveAsClick(); }},
      {"plot.bmp", [this] { Form().mnuFileSaveImageClick(); }},
      {"table.txt", [] { TableForm->btnSaveClick(); }},
  };
  for (const Writer& w : writers) {
    const std::string plain = dir + "plain-" + w.name, file = dir + "real/" + w.name, link = dir + w.name;
    fake.FileNames = {plain};
    w.save();
    std::ofstream(file, std::ios::binary) << Previous;
    fs::create_symlink(std::string("real/") + w.name, link);
    fake.FileNames = {link};
    w.save();
    EXPECT_TRUE(fake.Messages.empty()) << w.name;
    EXPECT_TRUE(fs::is_symlink(link)) << w.name;
    EXPECT_NE(ReadAll(plain), Previous) << w.name;
    EXPECT_EQ(ReadAll(file), ReadAll(plain)) << w.name;
  }
  // A link to a folder is refused with the command's message.
  fs::create_symlink("real", dir + "folder.ov2");
  fake.FileNames = {dir + "folder.ov2"};
  Form().mnuFileSaveAsClick();
  EXPECT_EQ(Message(), "Ошибка при сохранении файла");
  EXPECT_TRUE(fs::is_symlink(dir + "folder.ov2"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir + "real"), fs::directory_iterator()), 3);
}

// "last.ov2" and the two settings files are the program's own: a link in
// their place is replaced, and the file it named is kept.
TEST_F(SaveTargets, TheProgramsOwnFilesReplaceALinkInTheirPlace) {
  const std::string elsewhere = dir + "elsewhere", last = dir + "last.ov2", screen = dir + "screen.set",
                    newfunc = dir + "newfunc.set";
  std::ofstream(elsewhere, std::ios::binary) << Previous;
  for (const std::string& link : {last, screen, newfunc}) fs::create_symlink(elsewhere, link);
  std::string error;
  EXPECT_TRUE(WriteScreenSettingsFile(screen, TScreenSettings{}, &error)) << error;
  EXPECT_TRUE(WriteNewFuncSetFile(newfunc, TNewFuncSettings{}, error)) << error;
  Form().close();
  EXPECT_FALSE(Form().isVisible());
  EXPECT_TRUE(fake.Exceptions.empty());
  for (const std::string& path : {last, screen, newfunc}) EXPECT_FALSE(fs::is_symlink(path)) << path;
  EXPECT_EQ(fs::file_size(last), 376u);
  EXPECT_EQ(fs::file_size(screen), ScreenSetSize);
  EXPECT_EQ(fs::file_size(newfunc), NewFuncSetSize);
  EXPECT_EQ(ReadAll(elsewhere), Previous);
}

// A program folder the user may write and search but not read: the
// automatic save succeeds and the window closes.
TEST_F(SaveTargets, ClosingSavesInAFolderThatMayNotBeRead) {
  ASSERT_EQ(::chmod(dir.c_str(), 0333), 0);
  EXPECT_TRUE(orv_test::AsPlainUser([&] {
    Form().close();
    return !Form().isVisible() && fake.Exceptions.empty() && fake.Messages.empty();
  }));
  ASSERT_EQ(::chmod(dir.c_str(), 0755), 0);
  EXPECT_EQ(fs::file_size(dir + "last.ov2"), 376u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

}  // namespace

namespace {

TEST_F(SaveTargets, FileDialogsOpenWhereTheLastOfTheirKindWasAccepted) {
  plat::ForgetFileDialogFolders();
  fs::create_directory(dir + "sets");
  fake.FileNames = {dir + "sets/a.ov2", std::nullopt, std::nullopt, std::nullopt};
  Form().mnuFileSaveAsClick();
  Form().mnuFileOpenClick();
  Form().mnuFileSaveImageClick();
  TableForm->btnSaveClick();
  ASSERT_EQ(fake.FileDialogs.size(), 4u);
  EXPECT_EQ(fake.FileDialogs[0].Request.InitialDir, plat::ExeDir());
  EXPECT_EQ(fake.FileDialogs[1].Request.InitialDir, dir + "sets/");  // function sets: where the last was saved
  EXPECT_EQ(fake.FileDialogs[2].Request.InitialDir, plat::ExeDir());  // pictures and tables: not yet used
  EXPECT_EQ(fake.FileDialogs[3].Request.InitialDir, plat::ExeDir());
  plat::ForgetFileDialogFolders();
}

}  // namespace
