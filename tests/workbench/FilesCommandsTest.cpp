// The "Файл", "Утилиты" and "Помощь" commands of the main window: saving
// and opening function sets, New, the automatic save on closing, picture
// export, the tool launchers with the list handed over, about and help.
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QTest>
#include <QTextBrowser>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <tuple>
#include <sys/stat.h>

#include "FunctionsHelpers.h"
#include "orvanta/tools/AboutFormUnit.h"
#include "orvanta/tools/IntegralFormUnit.h"
#include "orvanta/tools/KasatFormUnit.h"
#include "orvanta/tools/LineFormUnit.h"
#include "orvanta/tools/NormalFormUnit.h"
#include "orvanta/tools/ParabolaFormUnit.h"
#include "orvanta/tools/ProizFormUnit.h"
#include "orvanta/tools/TableFormUnit.h"
#include "orvanta/tools/UravnFormUnit.h"
#include "orvanta/workbench/FuncSetFile.h"
#include "platform/SafeFile.h"
#include "platform/qt/HelpWindow.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/Text.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// A name so long that no temporary name beside it can be made: the save
// fails while the file of that name stays where it is.
std::string UnwritableName(const std::string& dir, const std::string& ext) {
  return dir + std::string(250 - ext.size(), 'a') + ext;
}

}  // namespace

class FilesTest : public FunctionsFixture {
 protected:
  void SetUp() override {
    FunctionsFixture::SetUp();
    char tmpl[] = "/tmp/ov2test_XXXXXX";
    dir_ = std::string(::mkdtemp(tmpl)) + "/";
  }
  void TearDown() override {
    FunctionsFixture::TearDown();
    fs::remove_all(dir_);
  }
  const std::string& Dir() const { return dir_; }

  // Three functions, the second selected.
  void AddThree() {
    Add("2X");
    Add("sin(x)");
    Add("x^2");
    Form().lbxFunctions->setCurrentRow(1);
    fake.ClearRecords();
  }

  void SaveAs(const std::string& name) {
    fake.FileNames.push_back(name);
    Form().mnuFileSaveAsClick();
  }
  void Open(const std::string& name) {
    fake.FileNames.push_back(name);
    Form().mnuFileOpenClick();
  }
  std::vector<std::string> PlainMessages() const {
    std::vector<std::string> r;
    for (const auto& m : fake.Messages) {
      EXPECT_EQ(m.Kind, plat::MsgKind::Plain);
      EXPECT_EQ(m.Buttons, plat::mbOK);
      r.push_back(m.Text);
    }
    return r;
  }
  std::vector<QString> Lines() {
    std::vector<QString> r;
    for (int i = 0; i < Form().lbxFunctions->count(); ++i) r.push_back(Line(i));
    return r;
  }

 private:
  std::string dir_;
};

// ---------------------------------------------------------------- save and open

TEST_F(FilesTest, SaveThenOpenGivesBackEveryPropertyAndThePreparedTexts) {
  AddThree();
  objFunc& f = Func(1);
  f.IfMinX = f.IfMaxX = f.IfRazryv = f.XPolog = f.XCeloe = true;
  f.IfLines = false;
  f.MinX = -3.25L;
  f.MaxX = 4.5L;
  f.Razryv = 0.125L;
  f.Kolvo = 4;
  f.Diametr = 5;
  f.LineWidth = 6;
  f.GraphColor = 0x00123456;
  View().Xm = 0.05L;
  View().Ym = 0.03L;
  View().Koef = 3;
  View().Sdvig = 0.5L;
  View().SetkaStep = 2;
  View().Oci = false;
  View().Setka = true;
  View().BkColor = 0x00EEFFEE;
  View().OciColor = 0x000000FF;
  View().LinesColor = 0x00AAAAAA;
  View().OciWidth = 4;
  const std::string expr0 = Func(0).Expression;
  const TFuncSet before = FuncSetOfView(View());

  SaveAs(Dir() + "set");
  EXPECT_TRUE(fake.Messages.empty());
  ASSERT_EQ(fake.FileDialogs.size(), 1u);
  EXPECT_TRUE(fake.FileDialogs[0].Save);
  EXPECT_EQ(fake.FileDialogs[0].Request.Title, "Сохранение функций");
  EXPECT_EQ(fake.FileDialogs[0].Request.Filter, "Файлы функций (*.ov2)|*.ov2|Все файлы|*.*");
  ASSERT_EQ(fs::file_size(Dir() + "set.ov2"), 3u * 376u);

  Form().tbNewFileClick();
  ASSERT_EQ(View().FuncCount, 0);
  View().DefaultXm = 0.07L;
  View().StartX = 123;
  fake.ClearRecords();

  Open(Dir() + "set.ov2");
  EXPECT_TRUE(fake.Messages.empty());
  EXPECT_EQ(fake.FileDialogs.at(0).Request.Title, "Открытие файла с функциями");
  EXPECT_FALSE(fake.FileDialogs.at(0).Save);
  ASSERT_EQ(View().FuncCount, 3);
  EXPECT_EQ(EncodeFuncSet(FuncSetOfView(View())), EncodeFuncSet(before));
  // The list shows the stored, prepared texts, not the typed "2X".
  ASSERT_EQ(Form().lbxFunctions->count(), 3);
  EXPECT_EQ(Line(0), plat::FromCp1251(expr0));
  EXPECT_NE(Line(0), "2X");
  EXPECT_EQ(Line(2), plat::FromCp1251(Func(2).Expression));
  // Origin centred, default scales of the view before, first line shown.
  EXPECT_EQ(View().StartX, -static_cast<long double>(Form().Image->width()) * View().Xm / 2);
  EXPECT_EQ(View().StartY, static_cast<long double>(Form().Image->height()) * View().Ym / 2);
  EXPECT_EQ(View().DefaultXm, 0.07L);
  EXPECT_EQ(Form().lbxFunctions->currentRow(), 0);
  EXPECT_EQ(Form().txtFunction->text(), Line(0));
  EXPECT_TRUE(Form().tbSaveFile->isEnabled());
  EXPECT_TRUE(Form().mnuFileSaveAs->isEnabled());
  EXPECT_EQ(Panel(4), "Функций: 3");
  EXPECT_EQ(Pixel(0, 0), 0x00EEFFEEu);  // redrawn with the stored background
}

TEST_F(FilesTest, TheSpeedButtonsForwardToTheFileCommands) {
  AddThree();
  fake.FileNames.push_back(Dir() + "b");
  Form().tbSaveFile->click();
  EXPECT_TRUE(fs::exists(Dir() + "b.ov2"));
  Form().tbNewFile->click();
  EXPECT_EQ(View().FuncCount, 0);
  fake.FileNames.push_back(Dir() + "b.ov2");
  Form().tbOpenFile->click();
  EXPECT_EQ(View().FuncCount, 3);
  fake.FileNames.push_back(Dir() + "b");
  Form().tbSaveImage->click();
  EXPECT_TRUE(fs::exists(Dir() + "b.bmp"));
}

TEST_F(FilesTest, OpenRefusesDamagedFilesAndChangesNothing) {
  AddThree();
  View().StartX = 1.5L;
  const std::string good = EncodeFuncSet(FuncSetOfView(View()));
  std::string threeSaysFour = good;
  threeSaysFour[68] = 4;
  std::string nanScale = good;
  PutExtended(reinterpret_cast<std::uint8_t*>(nanScale.data()), std::numeric_limits<long double>::quiet_NaN());
  const std::pair<const char*, std::string> files[] = {
      {"empty", ""},
      {"500 bytes", std::string(500, '\1')},
      {"18 blocks", good + std::string(15 * 376, '\0')},
      {"count above the blocks", threeSaysFour},
      {"one byte short", good.substr(0, good.size() - 1)},
      {"one byte long", good + "x"},
      {"a block and a byte", good.substr(0, 377)},
      {"not a number as scale", nanScale},
  };
  const auto lines = Lines();
  const long double xm = View().Xm;
  for (const auto& file : files) {
    WriteAll(Dir() + "bad.ov2", file.second);
    fake.ClearRecords();
    Open(Dir() + "bad.ov2");
    EXPECT_EQ(PlainMessages(), std::vector<std::string>{"Ошибка при открытии файла"}) << file.first;
    EXPECT_EQ(View().FuncCount, 3) << file.first;
    EXPECT_EQ(Lines(), lines) << file.first;
    EXPECT_EQ(View().Xm, xm) << file.first;
    EXPECT_EQ(View().StartX, 1.5L) << file.first;
  }
  ASSERT_EQ(::mkfifo((Dir() + "fifo.ov2").c_str(), 0600), 0);  // refused at once, not waited on
  for (const std::string& path : {Dir(), Dir() + "missing.ov2", Dir() + "fifo.ov2"}) {
    fake.ClearRecords();
    Open(path);
    EXPECT_EQ(PlainMessages(), std::vector<std::string>{"Ошибка при открытии файла"}) << path;
    EXPECT_EQ(Lines(), lines);
  }
  // Cancelling the dialog does nothing at all.
  fake.ClearRecords();
  Form().mnuFileOpenClick();
  EXPECT_TRUE(fake.Messages.empty());
}

TEST_F(FilesTest, AReadOnlyFileOpens) {
  AddThree();
  SaveAs(Dir() + "ro.ov2");
  ASSERT_EQ(::chmod((Dir() + "ro.ov2").c_str(), 0444), 0);
  Form().mnuFileNewClick();
  fake.ClearRecords();
  Open(Dir() + "ro.ov2");
  EXPECT_TRUE(fake.Messages.empty());
  EXPECT_EQ(View().FuncCount, 3);
}

TEST_F(FilesTest, AStoredTextThatDoesNotParseIsListedButNotDrawn) {
  TFuncSet set = FuncSetOfView(View());
  TFuncSetEntry e;
  e.Expression = "2++x";
  e.IfLines = true;
  e.GraphColor = 0x0000FF;
  set.Funcs.push_back(e);
  ASSERT_EQ(WriteFuncSetFile(Dir() + "odd.ov2", set, plat::TargetName::Fixed), 0);
  Open(Dir() + "odd.ov2");
  EXPECT_TRUE(fake.Messages.empty());
  EXPECT_TRUE(fake.Exceptions.empty());
  ASSERT_EQ(View().FuncCount, 1);
  EXPECT_EQ(Line(0), plat::FromCp1251(Func(0).Expression));
  const QImage& pic = Form().Image->Picture().Image();
  for (int y = 0; y < pic.height(); ++y)
    for (int x = 0; x < pic.width(); ++x) ASSERT_NE(Pixel(x, y), 0x0000FFu) << x << "," << y;
}

TEST_F(FilesTest, AFailedSaveKeepsThePreviousFileAndSaysSo) {
  AddThree();
  const std::string target = UnwritableName(Dir(), ".ov2");
  WriteAll(target, "previous");
  SaveAs(target);
  EXPECT_EQ(PlainMessages(), std::vector<std::string>{"Ошибка при сохранении файла"});
  EXPECT_EQ(ReadAll(target), "previous");
  // Nothing else is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(Dir()), fs::directory_iterator()), 1);
}

TEST_F(FilesTest, SavingIntoAReadOnlyFolderKeepsThePreviousFile) {
  AddThree();
  const std::string sub = Dir() + "ro/";
  fs::create_directory(sub);
  WriteAll(sub + "set.ov2", "previous");
  ::chmod(sub.c_str(), 0555);
  if (plat::WriteFileAtomic(sub + "probe", "x", plat::TargetName::Fixed) == 0) {
    ::chmod(sub.c_str(), 0755);
    GTEST_SKIP() << "this user may write into read-only folders";
  }
  SaveAs(sub + "set.ov2");
  ::chmod(sub.c_str(), 0755);
  EXPECT_EQ(PlainMessages(), std::vector<std::string>{"Ошибка при сохранении файла"});
  EXPECT_EQ(ReadAll(sub + "set.ov2"), "previous");
}

TEST_F(FilesTest, ATextTooLongForTheFileFailsTheSaveButNotTheClosing) {
  AddThree();
  std::string longText = "x";
  while (longText.size() < 299) longText += "+x";
  Func(0).Expression = longText;
  WriteAll(Dir() + "set.ov2", "previous");
  SaveAs(Dir() + "set.ov2");
  EXPECT_EQ(PlainMessages(), std::vector<std::string>{"Ошибка при сохранении файла"});
  EXPECT_EQ(ReadAll(Dir() + "set.ov2"), "previous");

  ProgramDir = Dir();
  Form().close();
  EXPECT_FALSE(Form().isVisible());
  const std::string last = ReadAll(Dir() + "last.ov2");
  ASSERT_EQ(last.size(), 3u * 376u);
  EXPECT_EQ(static_cast<unsigned char>(last[72]), 255);
  EXPECT_EQ(last.substr(73, 255), longText.substr(0, 255));
}

TEST_F(FilesTest, SaveIsRefusedWithNothingListed) {
  SaveAs(Dir() + "empty");
  EXPECT_FALSE(fs::exists(Dir() + "empty.ov2"));
  EXPECT_TRUE(fake.FileDialogs.empty());
}

// ---------------------------------------------------------------- closing

TEST_F(FilesTest, ClosingWithAnEmptyListWritesNothing) {
  ProgramDir = Dir();
  Form().mnuFileExit->trigger();
  EXPECT_FALSE(Form().isVisible());
  EXPECT_FALSE(fs::exists(Dir() + "last.ov2"));
}

TEST_F(FilesTest, ClosingSavesTheListToLastOv2InTheProgramFolder) {
  AddThree();
  ProgramDir = Dir();
  Form().mnuFileExit->trigger();
  EXPECT_FALSE(Form().isVisible());
  const std::string last = ReadAll(Dir() + "last.ov2");
  EXPECT_EQ(last, EncodeFuncSet(FuncSetOfView(View())));
  EXPECT_EQ(last.size(), 3u * 376u);
}

TEST_F(FilesTest, AFailedSaveOnClosingNamesTheFileAndKeepsTheWindowOpen) {
  AddThree();
  ProgramDir = Dir() + "gone/";
  Form().close();
  EXPECT_TRUE(Form().isVisible());
  ASSERT_EQ(fake.Exceptions.size(), 1u);
  const std::string& text = fake.Exceptions[0];
  EXPECT_NE(text.find(Dir() + "gone/last.ov2"), std::string::npos) << text;
  EXPECT_NE(text.find(plat::SysErrorText(ENOENT)), std::string::npos) << text;

  // Once the folder can be written, closing goes through.
  fs::create_directory(Dir() + "gone");
  Form().close();
  EXPECT_FALSE(Form().isVisible());
  EXPECT_EQ(fs::file_size(Dir() + "gone/last.ov2"), 3u * 376u);
}

// ---------------------------------------------------------------- New

TEST_F(FilesTest, NewEmptiesTheListAndStartsAFreshViewFromScreenSet) {
  AddThree();
  const plat::TColor colour = Func(0).GraphColor;
  View().Xm = 0.5L;
  View().BkColor = 0x000000;
  Form().mnuFileNew->trigger();
  EXPECT_EQ(View().FuncCount, 0);
  EXPECT_EQ(Form().lbxFunctions->count(), 0);
  EXPECT_FALSE(Form().tbSaveFile->isEnabled());
  EXPECT_FALSE(Form().mnuFileSaveAs->isEnabled());
  EXPECT_FALSE(Form().txtFunction->isEnabled());
  EXPECT_EQ(Form().txtFunction->text(), "");
  EXPECT_EQ(Panel(4), "Функций: 0");
  objScreen expected;
  LoadScreenSettings(expected, Form().Image->width(), Form().Image->height());
  EXPECT_EQ(View().Xm, expected.Xm);
  EXPECT_EQ(View().BkColor, expected.BkColor);
  EXPECT_EQ(View().StartX, expected.StartX);
  EXPECT_EQ(Pixel(1, 1), expected.BkColor);
  const QImage& pic = Form().Image->Picture().Image();
  for (int y = 0; y < pic.height(); y += 2)
    for (int x = 0; x < pic.width(); x += 2) ASSERT_NE(Pixel(x, y), colour) << x << "," << y;
  EXPECT_TRUE(fake.Messages.empty());
}

// ---------------------------------------------------------------- extensions

TEST(FileExtension, AppendedUnlessTheLastFourBytesMatchExactly) {
  const std::pair<const char*, const char*> ov2[] = {
      {"a", "a.ov2"},           {"a.ov2", "a.ov2"},   {"a.OV2", "a.OV2.ov2"}, {"ov2", "ov2.ov2"},
      {"", ".ov2"},             {"a.ov2.txt", "a.ov2.txt.ov2"}, {"/d/функции", "/d/функции.ov2"},
  };
  for (const auto& c : ov2) EXPECT_EQ(WithExtension(c.first, ".ov2"), c.second) << c.first;
  const std::pair<const char*, const char*> bmp[] = {
      {"pic", "pic.bmp"}, {"pic.bmp", "pic.bmp"}, {"pic.BMP", "pic.BMP.bmp"}, {"bmp", "bmp.bmp"},
  };
  for (const auto& c : bmp) EXPECT_EQ(WithExtension(c.first, ".bmp"), c.second) << c.first;
}

TEST_F(FilesTest, TheCommandsApplyTheExtensionRules) {
  AddThree();
  SaveAs(Dir() + "A.OV2");
  EXPECT_TRUE(fs::exists(Dir() + "A.OV2.ov2"));
  SaveAs(Dir() + "b.ov2");
  EXPECT_TRUE(fs::exists(Dir() + "b.ov2"));
  EXPECT_FALSE(fs::exists(Dir() + "b.ov2.ov2"));
  // Open takes the name as it is.
  fs::rename(Dir() + "b.ov2", Dir() + "plain");
  Form().mnuFileNewClick();
  Open(Dir() + "plain");
  EXPECT_EQ(View().FuncCount, 3);
  fake.FileNames.push_back(Dir() + "P.BMP");
  Form().mnuFileSaveImageClick();
  EXPECT_TRUE(fs::exists(Dir() + "P.BMP.bmp"));
}

// ---------------------------------------------------------------- picture

TEST_F(FilesTest, TheExportedBitmapHoldsThePicture) {
  AddThree();
  fake.FileNames.push_back(Dir() + "plot");
  Form().mnuFileSaveImage->trigger();
  EXPECT_TRUE(fake.Messages.empty());
  ASSERT_EQ(fake.FileDialogs.size(), 1u);
  EXPECT_EQ(fake.FileDialogs[0].Request.Title, "Сохранение изображения");
  EXPECT_EQ(fake.FileDialogs[0].Request.Filter, "Bitmaps (*.bmp)|*.bmp");
  const std::string bytes = ReadAll(Dir() + "plot.bmp");
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(bytes[28], 24);  // bits per pixel
  QImage saved;
  ASSERT_TRUE(saved.load(QString::fromStdString(Dir() + "plot.bmp"), "BMP"));
  const QImage& pic = Form().Image->Picture().Image();
  ASSERT_EQ(saved.size(), pic.size());
  ASSERT_EQ(saved.size(), Form().Image->size());
  for (int y = 0; y < pic.height(); ++y)
    for (int x = 0; x < pic.width(); ++x)
      ASSERT_EQ(saved.pixel(x, y) & 0xFFFFFFu, pic.pixel(x, y) & 0xFFFFFFu) << x << "," << y;
}

TEST_F(FilesTest, AFailedExportKeepsThePreviousFileAndSaysSo) {
  const std::string target = UnwritableName(Dir(), ".bmp");
  WriteAll(target, "previous");
  fake.FileNames.push_back(target);
  Form().mnuFileSaveImageClick();
  EXPECT_EQ(PlainMessages(), std::vector<std::string>{"Ошибка сохранения изображения"});
  EXPECT_EQ(ReadAll(target), "previous");
  fake.ClearRecords();
  fake.FileNames.push_back(Dir() + "no/such/folder/pic.bmp");
  Form().mnuFileSaveImageClick();
  EXPECT_EQ(PlainMessages(), std::vector<std::string>{"Ошибка сохранения изображения"});
}

// ---------------------------------------------------------------- tools

namespace {

struct HandOverTool {
  const char* className;
  QAction* TGeneralForm::*menu;
  QToolButton* TGeneralForm::*button;
  QComboBox* (*box)();
};

const HandOverTool HandOverTools[] = {
    {"TProizForm", &TGeneralForm::mnuUtilProiz, &TGeneralForm::tbProiz, [] { return ProizForm->txtFunction; }},
    {"TKasatForm", &TGeneralForm::mnuUtilKasat, &TGeneralForm::tbKas, [] { return KasatForm->txtFunction; }},
    {"TNormalForm", &TGeneralForm::mnuUtilNormal, &TGeneralForm::tbNormal, [] { return NormalForm->txtFunction; }},
    {"TIntegralForm", &TGeneralForm::mnuUtilIntegral, &TGeneralForm::tbIntegral,
     [] { return IntegralForm->txtFunction; }},
    {"TTableForm", &TGeneralForm::mnuUtilPeresech, &TGeneralForm::tbTable, [] { return TableForm->txtFunction; }},
};

struct BoxSeen {
  QStringList items;
  QString text;
};

}  // namespace

class ToolsTest : public FilesTest {
 protected:
  // Runs `start` and records the tool's box as the tool finds it on opening.
  BoxSeen OpenTool(const HandOverTool& t, const std::function<void()>& start) {
    BoxSeen seen;
    fake.ShowDialogs = false;
    fake.OnExecModal = [&seen, &t](QDialog* d) {
      QComboBox* box = t.box();
      for (int i = 0; i < box->count(); ++i) seen.items << box->itemText(i);
      seen.text = box->currentText();
      d->reject();
      return d->result();
    };
    start();
    fake.OnExecModal = nullptr;
    return seen;
  }
};

TEST_F(ToolsTest, EachToolGetsTheListAndTheSelectedLine) {
  AddThree();
  const QStringList lines = {Line(0), Line(1), Line(2)};
  for (const HandOverTool& t : HandOverTools) {
    for (bool viaButton : {false, true}) {
      fake.ClearRecords();
      t.box()->clear();
      const BoxSeen seen = OpenTool(t, [&] {
        if (viaButton) (Form().*t.button)->click();
        else (Form().*t.menu)->trigger();
      });
      EXPECT_EQ(seen.items, lines) << t.className;
      EXPECT_EQ(seen.text, Line(1)) << t.className;
      ASSERT_EQ(fake.Dialogs.size(), 1u) << t.className;
      EXPECT_EQ(fake.Dialogs[0].ClassName, t.className);
    }
  }
}

TEST_F(ToolsTest, WithNoFunctionTheToolsListIsEmptyAndItsTextStays) {
  for (const HandOverTool& t : HandOverTools) {
    fake.ClearRecords();
    t.box()->addItem("old line");
    t.box()->setEditText("x^3");
    const BoxSeen seen = OpenTool(t, [&] { (Form().*t.menu)->trigger(); });
    EXPECT_TRUE(seen.items.isEmpty()) << t.className;
    EXPECT_EQ(seen.text, "x^3") << t.className;
    ASSERT_EQ(fake.Dialogs.size(), 1u) << t.className;
  }
}

TEST_F(ToolsTest, TheOtherToolsAndTheAboutWindowOpenModally) {
  const std::tuple<QAction* TGeneralForm::*, QToolButton* TGeneralForm::*, const char*> windows[] = {
      {&TGeneralForm::mnuUtilLine, &TGeneralForm::tbLine, "TLineForm"},
      {&TGeneralForm::N7, &TGeneralForm::tbParabola, "TParabolaForm"},
      {&TGeneralForm::mnuUtilUravn, &TGeneralForm::tbUravn, "TUravnForm"},
      {&TGeneralForm::mnuHelpAbout, nullptr, "TAboutForm"},
  };
  fake.ShowDialogs = false;
  for (const auto& w : windows) {
    fake.ClearRecords();
    (Form().*std::get<0>(w))->trigger();
    if (std::get<1>(w) != nullptr) (Form().*std::get<1>(w))->click();
    const std::size_t expected = std::get<1>(w) != nullptr ? 2 : 1;
    ASSERT_EQ(fake.Dialogs.size(), expected) << std::get<2>(w);
    for (const auto& d : fake.Dialogs) EXPECT_EQ(d.ClassName, std::get<2>(w));
  }
}

// ---------------------------------------------------------------- help and about

TEST_F(FilesTest, HelpOpensThePageInTheProgramFolderWithoutTheAboutWindow) {
  fake.ClearRecords();
  ProgramDir = "/prog/";
  Form().mnuHelpHelp->trigger();
  ASSERT_EQ(fake.HelpCalls.size(), 1u);
  EXPECT_EQ(fake.HelpCalls[0].File, "/prog/help/help.htm");
  EXPECT_EQ(fake.HelpCalls[0].Command, plat::HelpCommand::Contents);
  EXPECT_TRUE(fake.Dialogs.empty());
  EXPECT_TRUE(fake.Urls.empty());
  EXPECT_EQ(Form().mnuHelpHelp->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(FilesTest, TheHelpWindowClosesWithEscAndCtrlW) {
  plat::QtServices qt;  // the help opens in the program's own help window
  plat::ScopedServices use(qt);
  ProgramDir = plat::ExeDir();
  plat::THelpWindow* w = plat::HelpWindow();
  for (const QKeyCombination keys : {QKeyCombination(Qt::ControlModifier, Qt::Key_W), QKeyCombination(Qt::Key_Escape)}) {
    Form().mnuHelpHelp->trigger();
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->Browser->source().toLocalFile().toStdString(), plat::ExeDir() + "help/help.htm");
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));  // the user presses the keys once it is in front
    QTest::keyClick(w->Browser, keys.key(), keys.keyboardModifiers());
    EXPECT_FALSE(w->isVisible()) << QKeySequence(keys).toString().toStdString();
    w->hide();
  }
}

TEST_F(FilesTest, TheDeliveredHelpPageDescribesEveryMenu) {
  const std::string page = ReadAll(plat::ExeDir() + "help/help.htm");
  ASSERT_FALSE(page.empty());
  for (const char* caption : {"Файл", "Функция", "Экран", "Утилиты", "Помощь", "Производная",
                              "Уравнение касательной", "Уравнение нормали", "Определенный интеграл",
                              "Таблица значений", "Уравнение прямой по двум точкам",
                              "Уравнение параболы по трем точкам", "Решение квадратных уравнений",
                              "Сохранить изображение", "last.ov2"})
    EXPECT_NE(page.find(caption), std::string::npos) << caption;
}

TEST_F(FilesTest, AboutWindowLinksGoToTheDesktop) {
  TAboutForm& about = *AboutForm;
  EXPECT_EQ(about.windowTitle(), "О программе Orvanta");
  EXPECT_EQ(about.Image1->pixmap().size(), QSize(225, 57));
  EXPECT_EQ(about.SpeedButton1->toolTip(), "Идти на домашнюю страницу Orvanta");
  EXPECT_EQ(about.Label2->text(), "Домашняя страница Orvanta");
  EXPECT_EQ(about.Button1->text(), "Закрыть");

  about.show();
  QTest::mouseClick(about.Label2, Qt::LeftButton);
  about.SpeedButton1->click();
  QTest::mouseClick(about.Label3, Qt::LeftButton);
  ASSERT_EQ(fake.Urls.size(), 3u);
  EXPECT_EQ(fake.Urls[0], OrvantaHomePage);
  EXPECT_EQ(fake.Urls[1], OrvantaHomePage);
  const std::string& mail = fake.Urls[2];
  EXPECT_EQ(mail.rfind("mailto:", 0), 0u) << mail;
  EXPECT_NE(mail.find('<'), std::string::npos);
  EXPECT_TRUE(mail.ends_with("?Subject=вопрос")) << mail;
  EXPECT_TRUE(fake.Exceptions.empty());

  // A link the desktop cannot open: the default error box, the window stays.
  fake.OpenUrlResult = false;
  QTest::mouseClick(about.Label3, Qt::LeftButton);
  ASSERT_EQ(fake.Exceptions.size(), 1u);
  EXPECT_NE(fake.Exceptions[0].find("orvanta@example.org"), std::string::npos) << fake.Exceptions[0];
  EXPECT_TRUE(about.isVisible());
  about.Button1->click();
  EXPECT_FALSE(about.isVisible());
}
