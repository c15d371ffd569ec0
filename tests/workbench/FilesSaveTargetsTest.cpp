// Where the workbench's saves may not write: a file made read-only is kept
// with the command's save-error message, and a file-size limit fails the
// save with that message instead of killing the program.
#include <QDialog>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "FunctionsHelpers.h"
#include "orvanta/tools/TableFormUnit.h"
#include "orvanta/tools/calc/ToolCalc.h"
#include "orvanta/workbench/OrvantaWindows.h"
#include "platform/SafeFile.h"

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
  // In a child: the signal's disposition and the limit are the whole process's.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    StartOrvantaApplication();
    struct rlimit lim {};
    ::getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = 100;
    if (::setrlimit(RLIMIT_FSIZE, &lim) != 0) ::_exit(2);
    fake.FileNames.push_back(dir + "plot.bmp");
    Form().mnuFileSaveImageClick();
    const bool shown = fake.Messages.size() == 1 && fake.Messages[0].Text == "Ошибка сохранения изображения";
    ::_exit(shown ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(fs::is_empty(dir));
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
