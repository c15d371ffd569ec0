// The main window's "Файл", "Утилиты" and "Помощь" commands: function-set
// files, New, picture export, the automatic save on closing, the tool
// launchers, the about window and the help page.
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStringList>
#include <QToolButton>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

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
#include "orvanta/workbench/GeneralFormUnit.h"
#include "platform/SafeFile.h"
#include "platform/qt/Text.h"

const char* const SaveFunctionsErrorText = "Ошибка при сохранении файла";
const char* const OpenFunctionsErrorText = "Ошибка при открытии файла";
const char* const SaveImageErrorText = "Ошибка сохранения изображения";
const char* const LastFuncSetFileName = "last.ov2";

std::string WithExtension(const std::string& name, const char* ext) {
  const std::string e(ext);
  if (name.size() >= e.size() && name.compare(name.size() - e.size(), e.size(), e) == 0) return name;
  return name + e;
}

void SaveFunctions(const std::string& FileName, plat::TargetName name) {
  if (MainScreen == nullptr) return;
  if (const int err = WriteFuncSetFile(FileName, FuncSetOfView(*MainScreen), name); err != 0)
    throw std::runtime_error("Не удалось записать файл " + FileName + ": " + plat::SysErrorText(err));
}

namespace {

void PlainMessage(const char* text) { plat::MessageBox(text, plat::MsgKind::Plain, plat::mbOK); }

// A tool that works on a listed function: the list handed over, then shown.
template <class Tool>
void RunTool(TGeneralForm& form, Tool* tool) {
  if (tool == nullptr) return;
  form.HandFunctionsTo(tool->txtFunction);
  plat::Services().ExecModal(tool);
}

void RunWindow(QDialog* window) {
  if (window != nullptr) plat::Services().ExecModal(window);
}

}  // namespace

void TGeneralForm::SetupFileHandlers() {
  const std::pair<QAction*, void (TGeneralForm::*)()> items[] = {
      {mnuFileNew, &TGeneralForm::mnuFileNewClick},
      {mnuFileOpen, &TGeneralForm::mnuFileOpenClick},
      {mnuFileSaveAs, &TGeneralForm::mnuFileSaveAsClick},
      {mnuFileSaveImage, &TGeneralForm::mnuFileSaveImageClick},
      {mnuUtilProiz, &TGeneralForm::mnuUtilProizClick},
      {mnuUtilKasat, &TGeneralForm::mnuUtilKasatClick},
      {mnuUtilNormal, &TGeneralForm::mnuUtilNormalClick},
      {mnuUtilIntegral, &TGeneralForm::mnuUtilIntegralClick},
      {mnuUtilPeresech, &TGeneralForm::mnuUtilPeresechClick},
      {mnuUtilLine, &TGeneralForm::mnuUtilLineClick},
      {N7, &TGeneralForm::N7Click},
      {mnuUtilUravn, &TGeneralForm::mnuUtilUravnClick},
      {mnuHelpHelp, &TGeneralForm::mnuHelpHelpClick},
      {mnuHelpAbout, &TGeneralForm::mnuHelpAboutClick},
  };
  for (const auto& item : items) {
    const auto handler = item.second;
    plat::On(item.first, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  }
  const std::pair<QToolButton*, void (TGeneralForm::*)()> buttons[] = {
      {tbNewFile, &TGeneralForm::tbNewFileClick},     {tbOpenFile, &TGeneralForm::tbOpenFileClick},
      {tbSaveFile, &TGeneralForm::tbSaveFileClick},   {tbSaveImage, &TGeneralForm::tbSaveImageClick},
      {tbProiz, &TGeneralForm::tbProizClick},         {tbKas, &TGeneralForm::tbKasClick},
      {tbNormal, &TGeneralForm::tbNormalClick},       {tbIntegral, &TGeneralForm::tbIntegralClick},
      {tbTable, &TGeneralForm::tbTableClick},         {tbLine, &TGeneralForm::tbLineClick},
      {tbParabola, &TGeneralForm::tbParabolaClick},   {tbUravn, &TGeneralForm::tbUravnClick},
      {tbHelp, &TGeneralForm::tbHelpClick},
  };
  for (const auto& button : buttons) {
    const auto handler = button.second;
    plat::On(button.first, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
  }
}

// ---------------------------------------------------------------- function sets

void TGeneralForm::mnuFileSaveAsClick() {
  if (MainScreen == nullptr || MainScreen->FuncCount == 0) return;
  if (!plat::Services().ExecuteSaveDialog(this, SaveDialog)) return;
  try {
    const std::string name = WithExtension(SaveDialog.FileName, ".ov2");
    // A text too long for its field would be stored cut, and the file would
    // no longer give back this plot: refuse, and keep the previous file.
    if (!FuncSetFits(FuncSetOfView(*MainScreen))) {
      PlainMessage(SaveFunctionsErrorText);
      return;
    }
    SaveFunctions(name, plat::TargetName::Chosen);
  } catch (const std::exception&) {
    PlainMessage(SaveFunctionsErrorText);
  }
}

void TGeneralForm::mnuFileOpenClick() {
  if (MainScreen == nullptr) return;
  if (!plat::Services().ExecuteOpenDialog(this, OpenDialog)) return;
  try {
    // The whole file is read, checked and turned into function objects
    // before anything on screen changes: a refused file changes nothing.
    TFuncSet set;
    if (!ReadFuncSetFile(OpenDialog.FileName, set)) {
      PlainMessage(OpenFunctionsErrorText);
      return;
    }
    std::vector<std::unique_ptr<objFunc>> funcs;
    QStringList lines;
    for (const TFuncSetEntry& e : set.Funcs) {
      funcs.push_back(FunctionOfEntry(e));
      lines.append(plat::FromCp1251(funcs.back()->Expression));
    }

    ApplyFuncSetHeader(set, *MainScreen);
    MainScreen->ClearFuncs();
    for (std::size_t i = 0; i < funcs.size(); ++i) MainScreen->Funcs[i] = std::move(funcs[i]);
    MainScreen->FuncCount = static_cast<int32_t>(funcs.size());
    {
      const QSignalBlocker block(lbxFunctions);
      lbxFunctions->clear();
      lbxFunctions->addItems(lines);
      lbxFunctions->setCurrentRow(0);
    }
    EnableFunctionControls(true);
    mnuGraphCenterClick();
    lbxFunctionsClick();
  } catch (const std::exception&) {
    PlainMessage(OpenFunctionsErrorText);
  }
}

void TGeneralForm::mnuFileNewClick() {
  EnableFunctionControls(false);
  if (MainScreen) MainScreen->FuncCount = 0;
  {
    const QSignalBlocker block(lbxFunctions);
    lbxFunctions->setCurrentRow(0);
    lbxFunctions->clear();
  }
  lbxFunctionsClick();
  auto fresh = std::make_unique<objScreen>();
  LoadScreenSettings(*fresh, Image->width(), Image->height());
  delete MainScreen;
  MainScreen = fresh.release();
  DrawScreen();
}

void TGeneralForm::tbNewFileClick() { mnuFileNewClick(); }
void TGeneralForm::tbOpenFileClick() { mnuFileOpenClick(); }
void TGeneralForm::tbSaveFileClick() { mnuFileSaveAsClick(); }

void TGeneralForm::FormClose() {
  // Closing must work, so the automatic save stores over-long texts cut.
  if (MainScreen != nullptr && MainScreen->FuncCount > 0)
    SaveFunctions(ProgramFolder() + LastFuncSetFileName, plat::TargetName::Fixed);
}

void TGeneralForm::closeEvent(QCloseEvent* event) {
  bool saved = false;
  plat::Guard([this, &saved] {
    FormClose();
    saved = true;
  });
  // A failed save has been shown; the window stays open so nothing is lost.
  if (saved) {
    QMainWindow::closeEvent(event);
  } else {
    event->ignore();
  }
}

// ---------------------------------------------------------------- picture

void TGeneralForm::mnuFileSaveImageClick() {
  if (!plat::Services().ExecuteSaveDialog(this, SavePictureDialog)) return;
  try {
    const std::string name = WithExtension(SavePictureDialog.FileName, ".bmp");
    const std::vector<std::uint8_t> bytes = plat::EncodeBmp24(Image->Picture().Image());
    if (plat::WriteFileAtomic(name, bytes.data(), bytes.size(), plat::TargetName::Chosen) != 0)
      PlainMessage(SaveImageErrorText);
  } catch (const std::exception&) {
    PlainMessage(SaveImageErrorText);
  }
}

void TGeneralForm::tbSaveImageClick() { mnuFileSaveImageClick(); }

// ---------------------------------------------------------------- tools

void TGeneralForm::HandFunctionsTo(QComboBox* box) {
  if (box == nullptr) return;
  const int32_t count = MainScreen ? MainScreen->FuncCount : 0;
  {
    // Rebuilding the list is no change of the box's text; with no function
    // listed the box keeps the text it had.
    const QSignalBlocker block(box);
    const QString kept = box->currentText();
    box->clear();
    for (int32_t i = 0; i < count && i < lbxFunctions->count(); ++i) box->addItem(lbxFunctions->item(i)->text());
    if (count == 0) box->setEditText(kept);
  }
  const int row = lbxFunctions->currentRow();
  if (count > 0 && row >= 0 && row < box->count()) {
    box->setCurrentIndex(row);
    box->setEditText(box->itemText(row));
  }
  // A long formula is shown from its start.
  if (QLineEdit* edit = box->lineEdit()) edit->setCursorPosition(0);
}

void TGeneralForm::mnuUtilProizClick() { RunTool(*this, ProizForm); }

void TGeneralForm::mnuUtilKasatClick() { RunTool(*this, KasatForm); }

void TGeneralForm::mnuUtilNormalClick() { RunTool(*this, NormalForm); }

void TGeneralForm::mnuUtilIntegralClick() { RunTool(*this, IntegralForm); }

void TGeneralForm::mnuUtilPeresechClick() { RunTool(*this, TableForm); }

void TGeneralForm::mnuUtilLineClick() { RunWindow(LineForm); }
void TGeneralForm::N7Click() { RunWindow(ParabolaForm); }
void TGeneralForm::mnuUtilUravnClick() { RunWindow(UravnForm); }

void TGeneralForm::tbProizClick() { mnuUtilProizClick(); }
void TGeneralForm::tbKasClick() { mnuUtilKasatClick(); }
void TGeneralForm::tbNormalClick() { mnuUtilNormalClick(); }
void TGeneralForm::tbIntegralClick() { mnuUtilIntegralClick(); }
void TGeneralForm::tbTableClick() { mnuUtilPeresechClick(); }
void TGeneralForm::tbLineClick() { mnuUtilLineClick(); }
void TGeneralForm::tbParabolaClick() { N7Click(); }
void TGeneralForm::tbUravnClick() { mnuUtilUravnClick(); }

// ---------------------------------------------------------------- help

void TGeneralForm::mnuHelpHelpClick() {
  if (AboutForm == nullptr) return;
  AboutForm->WebBrowser.Navigate(ProgramFolder() + "help/help.htm", 1);
}

void TGeneralForm::mnuHelpAboutClick() { RunWindow(AboutForm); }

// The toolbar's "Справка" opens the help page as the help menu does.
void TGeneralForm::tbHelpClick() { mnuHelpHelpClick(); }
