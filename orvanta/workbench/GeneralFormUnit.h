#pragma once
// The workbench's main window " Orvanta 2.0": menus, the control bar with the
// function list and toolbars, the speed-button panel, the picture and the
// six-panel status bar. Its handlers live in three units:
//   GeneralFormUnit.cpp       start-up, timers, layout, drawing, exit;
//   GeneralFormFunctions.cpp  function list, function toolbar and adding;
//   GeneralFormView.cpp       view navigation, mouse modes, screen dialog;
//   GeneralFormFiles.cpp      function-set files, New, picture export,
//                             closing, tool launchers, about and help.
#include <QMainWindow>
#include <cstdint>
#include <string>

#include "orvanta/workbench/WorkbenchControls.h"
#include "orvanta/workbench/objScreenUnit.h"
#include "platform/SafeFile.h"
#include "platform/qt/Services.h"
#include "platform/qt/Timer.h"

class QAction;
class QCloseEvent;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;
enum class TViewCommand;

// Set by the new-function dialog: true when it closed with a valid formula.
extern bool FunctionAdded;
// Set by the screen dialog: true when it closed with OK.
extern bool ScreenAccepted;

// Number of the next tip to show in status panel 5 (1..14).
extern int32_t TipIndex;

// Texts of status panel 5 and the message of a failed "screen.set" reading.
extern const char* const HelpHintText;
extern const char* const ScreenSetErrorText;

// The folder of the program file: ProgramDir once set, else the executable's.
std::string ProgramFolder();

// Fills `view` from "screen.set" in the program's folder and centres its
// origin in a W x H picture; a failed reading shows the plain message box
// and leaves the view's values (sound built-in ones for a fresh view).
// The function list is emptied in both cases.
void LoadScreenSettings(objScreen& view, int W, int H);

// Messages of the file commands and the name of the automatic save.
extern const char* const SaveFunctionsErrorText;  // "Ошибка при сохранении файла"
extern const char* const OpenFunctionsErrorText;  // "Ошибка при открытии файла"
extern const char* const SaveImageErrorText;      // "Ошибка сохранения изображения"
extern const char* const LastFuncSetFileName;     // "last.ov2"

// `name` with `ext` (".ov2", ".bmp") appended unless its last four bytes are
// exactly `ext` (case-sensitive).
std::string WithExtension(const std::string& name, const char* ext);

// Writes the current list and view to `FileName`, replacing the file only
// once the new one is complete; expressions longer than the stored text
// allows are cut. Throws std::runtime_error naming the file and the
// system's reason when the file cannot be written. `name` says whether a
// link at `FileName` is written through (the Save command's chosen name) or
// replaced (the automatic "last.ov2").
void SaveFunctions(const std::string& FileName, plat::TargetName name);

class TGeneralForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TGeneralForm(QWidget* parent = nullptr);
  ~TGeneralForm() override;

  // ---- Menus ----
  QMenuBar* MainMenu;
  QMenu* mnuFile;
  QAction* mnuFileNew;
  QAction* mnuFileOpen;
  QAction* mnuFileSaveAs;
  QAction* mnuFileLine2;
  QAction* mnuFileSaveImage;
  QAction* mnuFileLine1;
  QAction* mnuFileExit;
  QMenu* mnuFunction;
  QAction* mnuFunctionAdd;
  QAction* mnuFunctionDelete;
  QAction* mnuFunctionDeleteAll;
  QMenu* mnuGraph;
  QAction* mnuGraphMPlus;
  QAction* mnuGraphMMinus;
  QAction* mnuGraphMDefault;
  QAction* mnuGraphMRavn;
  QAction* mnuGraphXPlus;
  QAction* mnuGraphYPlus;
  QAction* mnuGraphXMinus;
  QAction* mnuGraphYMinus;
  QAction* mnuGraphLeft;
  QAction* mnuGraphRight;
  QAction* mnuGraphUp;
  QAction* mnuGraphDown;
  QAction* mnuGraphCenter;
  QAction* mnuGraphProperties;
  QMenu* mnuUtil;
  QAction* mnuUtilProiz;
  QAction* mnuUtilKasat;
  QAction* mnuUtilNormal;
  QAction* mnuUtilIntegral;
  QAction* mnuUtilPeresech;
  QAction* mnuUtilLine;
  QAction* N7;
  QAction* mnuUtilUravn;
  QMenu* N11;
  QAction* mnuHelpHelp;
  QAction* mnuHelpAbout;

  // ---- Control bar (55 pixels high) ----
  QWidget* ControlBar;
  QToolBar* tbFile;
  QToolButton* tbNewFile;
  QToolButton* tbOpenFile;
  QToolButton* tbSaveFile;
  QToolButton* tbSaveImage;
  QToolButton* tbAddFunc;
  QToolButton* tbDelFunc;
  QToolButton* tbDeleteAll;
  QToolButton* tbProiz;
  QToolButton* tbKas;
  QToolButton* tbNormal;
  QToolButton* tbIntegral;
  QToolButton* tbTable;
  QToolButton* tbLine;
  QToolButton* tbParabola;
  QToolButton* tbUravn;
  QToolButton* tbHelp;
  QToolBar* ToolBar3;
  QListWidget* lbxFunctions;  // 169 x 48, item height 13
  QToolBar* tlbFunction;
  QLineEdit* txtFunction;
  QToolButton* tbOk;
  QLineEdit* txtDiametr;
  TUpDown* udDiametr;
  QLineEdit* txtWidth;
  TUpDown* udWidth;
  QLineEdit* txtKolvo;
  TUpDown* udKolvo;
  TColorSwatch* stColor;
  QToolButton* tbZeloe;
  QToolButton* tbPolog;
  QToolButton* tbLines;
  QToolButton* tbRazryv;
  QLineEdit* txtRazryv;
  QToolButton* tbLeftOgr;
  QToolButton* tbRightOgr;
  QToolBar* ToolBar1;
  QLineEdit* txtXMin;
  QToolButton* tbOk1;
  QLineEdit* txtXMax;
  QLabel* Image1;  // the logo, 228 x 52, top right

  // ---- Speed-button panel (50 pixels wide) and the picture ----
  QWidget* Panel;
  QToolButton* btnMPlus;
  QToolButton* btnMMinus;
  QToolButton* btnMDefault;
  QToolButton* btnMRovn;
  QToolButton* btnXPlus;
  QToolButton* btnYPlus;
  QToolButton* btnXMinus;
  QToolButton* btnYMinus;
  QToolButton* btnCenter;
  QToolButton* btnLeft;
  QToolButton* btnRight;
  QToolButton* btnUp;
  QToolButton* btnDown;
  QToolButton* btnKursor;
  QToolButton* btnRect;
  QToolButton* btnSettings;
  TImage* Image;

  // ---- Status bar: panels 70, 70, 70, 70, 90, 50 ----
  TStatusBar* StatusBar;

  // ---- Timers, dialogs ----
  plat::TTimer* Timer;   // start-up, 100 ms, one shot
  plat::TTimer* Timer1;  // tips, 10000 ms
  plat::TColorDialog ColorDialog;
  plat::TFileDialog SaveDialog;         // "Сохранение функций"
  plat::TFileDialog OpenDialog;         // "Открытие файла с функциями"
  plat::TFileDialog SavePictureDialog;  // "Сохранение изображения"

  // ---- Start-up, timers, layout, drawing, exit ----
  void FormShow();
  void TimerTimer();
  void Timer1Timer();
  void FormResize();
  void mnuFileExitClick();
  // Whole redraw of MainScreen on the picture, with status panels 2 to 4.
  void DrawScreen();
  // Graph i of MainScreen over the picture as it is.
  void DrawFunction(int32_t i);
  // True once the start-up timer has drawn the first picture.
  bool Started() const { return started_; }

  // ---- Function list, toolbar and adding ----
  void SetupFunctionHandlers();
  void EnableFunctionControls(bool On);
  void mnuFunctionAddClick();
  void tbAddFuncClick();
  // Builds slot i of MainScreen from the new-function dialog's controls.
  void CreateFunction(int32_t i);
  // The selected line when it names a listed function, else -1.
  int32_t SelectedFunction() const;
  void lbxFunctionsClick();
  void udDiametrClick();
  void udWidthClick();
  void udKolvoClick();
  void stColorClick();
  void tbZeloeClick();
  void tbPologClick();
  void tbLinesClick();
  void tbRazryvClick();
  void tbLeftOgrClick();
  void tbRightOgrClick();
  void tbOkClick();
  void tbOk1Click();
  void txtFunctionKeyPress(char& Key);
  void txtXMinKeyPress(char& Key);
  void txtXMaxKeyPress(char& Key);
  void txtRazryvKeyPress(char& Key);
  void txtFunctionChange();
  void txtXMinChange();
  void txtXMaxChange();
  void mnuFunctionDeleteClick();
  void mnuFunctionDeleteAllClick();
  void tbDelFuncClick();
  void tbDeleteAllClick();

  // ---- Function-set files, picture export, closing, tools, help ----
  void SetupFileHandlers();
  void mnuFileNewClick();
  void mnuFileOpenClick();
  void mnuFileSaveAsClick();
  void mnuFileSaveImageClick();
  void tbNewFileClick();
  void tbOpenFileClick();
  void tbSaveFileClick();
  void tbSaveImageClick();
  // The automatic save of a non-empty list to "last.ov2"; a failure is
  // raised, so the window stays open.
  void FormClose();
  void mnuUtilProizClick();
  void mnuUtilKasatClick();
  void mnuUtilNormalClick();
  void mnuUtilIntegralClick();
  void mnuUtilPeresechClick();
  void mnuUtilLineClick();
  void N7Click();
  void mnuUtilUravnClick();
  void mnuHelpHelpClick();
  void mnuHelpAboutClick();
  void tbProizClick();
  void tbKasClick();
  void tbNormalClick();
  void tbIntegralClick();
  void tbTableClick();
  void tbLineClick();
  void tbParabolaClick();
  void tbUravnClick();
  void tbHelpClick();
  // Replaces a tool's formula list by the lines of lbxFunctions and, when
  // functions are listed, sets its text to the selected line.
  void HandFunctionsTo(QComboBox* box);

  // ---- View navigation, mouse and screen dialog ----
  void SetupViewHandlers();
  void mnuGraphMPlusClick();
  void mnuGraphMMinusClick();
  void mnuGraphMDefaultClick();
  void mnuGraphMRavnClick();
  void mnuGraphXPlusClick();
  void mnuGraphYPlusClick();
  void mnuGraphXMinusClick();
  void mnuGraphYMinusClick();
  void mnuGraphLeftClick();
  void mnuGraphRightClick();
  void mnuGraphUpClick();
  void mnuGraphDownClick();
  void mnuGraphCenterClick();
  void mnuGraphPropertiesClick();
  void btnMPlusClick();
  void btnMMinusClick();
  void btnMDefaultClick();
  void btnMRovnClick();
  void btnXPlusClick();
  void btnYPlusClick();
  void btnXMinusClick();
  void btnYMinusClick();
  void btnCenterClick();
  void btnLeftClick();
  void btnRightClick();
  void btnUpClick();
  void btnDownClick();
  void btnSettingsClick();
  void btnKursorClick();
  void btnRectClick();
  void ImageMouseDown(Qt::MouseButton Button, int X, int Y);
  void ImageMouseMove(int X, int Y);
  void ImageMouseUp(Qt::MouseButton Button, int X, int Y);
  // The picture lost the mouse mid-drag (window deactivated or hidden).
  void ImageMouseCaptureLost();
  // Rectangle zoom: left presses of a rectangle in progress (1 while one is),
  // its press pixel and the corner of the band last drawn.
  int32_t RectClicks = 0;
  plat::TPoint RectStart;
  plat::TPoint RectEnd;
  // Whether the rubber band is on the picture, and the outline pixels it
  // left there: a redraw by anyone else shows up as a changed outline, and
  // then there is no band left to erase.
  bool RectBandShown = false;
  std::vector<plat::TColor> RectBandOutline;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateMenus();
  void CreateControlBar();
  void CreatePanel();
  // Runs a navigation command on the view; redraws when it changed something.
  void Navigate(TViewCommand command);
  bool shown_ = false;
  bool started_ = false;
};

extern TGeneralForm* GeneralForm;
