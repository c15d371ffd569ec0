#pragma once
// The plotter's main window and the program-wide state every window reads:
// the two graph slots, the current slot, the modes, the grid settings and the
// off-screen picture. Nothing of it is saved; each run starts from defaults.
#include <QCursor>
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "platform/qt/Bitmap.h"
#include "platform/qt/Services.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;

namespace plat {
class TSpinEdit;
}

namespace lumivar {

struct TGraphRec {
  std::int32_t ANum = 1;
  std::int32_t ADen = 1;
  std::int32_t BNum = 0;
  std::int32_t BDen = 1;
  std::int32_t CNum = 0;
  std::int32_t CDen = 1;
  plat::TColor Color = plat::clNavy;
  std::int32_t FuncIndex = 1;
};

// A table indexed 1..2; any other index is a fault, not a wrap.
template <class T>
class TSlots {
 public:
  TSlots() = default;
  TSlots(T first, T second) : items_{first, second} {}
  T& operator[](int n) { return items_.at(Index(n)); }
  const T& operator[](int n) const { return items_.at(Index(n)); }

 private:
  // n = 0 wraps to a huge index, which at() refuses like any other.
  static std::size_t Index(int n) { return static_cast<std::size_t>(n - 1); }
  std::array<T, 2> items_{};
};

extern TSlots<TGraphRec> Graphs;
extern int CurGraph;
extern bool SystemMode;
extern bool GridOn;
extern plat::TPenStyle GridStyle;
extern plat::TColor GridColor;
extern int AltNumber;
extern TSlots<std::string> AltFormulas;  // "y=" + the accepted text, UTF-8
extern TSlots<bool> AltReady;
// Whether the library slot holds a formula it accepted; a slot whose last
// compile failed is never evaluated.
extern TSlots<bool> AltCompiled;
extern bool PointDefined;
extern bool PenDown;
extern int PlotWidth;
extern int PlotHeight;
extern bool ZoomCursorShown;

// Puts every program-wide value back to its start value.
void ResetProgramState();

// Allowed range of the pixels-per-unit boxes.
constexpr int MinUnit = 2, MaxUnit = 99999;

// The main window's client area at start-up.
constexpr int kStartClientWidth = 476, kStartClientHeight = 329;

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // Re-entrancy state: idle, busy while several controls change in a row
  // (their handlers then draw nothing), destroyed.
  static constexpr int tagIdle = 0, tagBusy = 1, tagDestroyed = 2;
  int Tag = tagIdle;

  QWidget* Client;
  // Top panel.
  QFrame* TypeFunc;
  QLabel* Label1;
  QLabel* Type_Func;
  QLabel* Koff;
  QLabel* LabelA;
  QLabel* LabelB;
  QLabel* LabelC;
  plat::TSpinEdit* SpinA;
  plat::TSpinEdit* SpinB;
  plat::TSpinEdit* SpinC;
  plat::TSpinEdit* SpinAA;
  plat::TSpinEdit* SpinBB;
  plat::TSpinEdit* SpinCC;
  QFrame* Shape1;
  QFrame* Shape2;
  QFrame* Shape3;
  // Bottom panel.
  QFrame* Panel;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label6;
  QLabel* Label7;
  plat::TSpinEdit* Spin1;
  plat::TSpinEdit* Spin2;
  plat::TSpinEdit* Spin3;
  plat::TSpinEdit* Spin4;
  // Menu.
  QMenu* NFile;
  QAction* SaveFile;
  QAction* PrintFile;
  QAction* NLine1;
  QAction* Exit;
  QMenu* NFunction;
  QAction* Nf1;
  QAction* Nf2;
  QAction* Nf3;
  QAction* Nf4;
  QAction* Nf5;
  QAction* Nf6;
  QAction* Nf7;
  QAction* Nf8;
  QAction* Nf9;
  QAction* Nf10;
  QAction* Nf11;
  QMenu* NService;
  QAction* DrobKoff;
  QAction* SysRe;
  QAction* Sinhron;
  QAction* ChangeColor;
  QAction* Setca;
  QAction* NextGraph;
  QAction* N1;
  QMenu* NHelp;
  QAction* Help;
  QAction* NLine2;
  QAction* About;

  plat::TFileDialog SaveDialog1;
  plat::TColorDialog ColorDialog1;

  // The off-screen picture, client width by client height.
  std::unique_ptr<plat::TBitmap> ScreenBitmap;
  QCursor crZoomOut;
  QCursor crZoomIn;

  int ClientWidth() const;
  int ClientHeight() const;
  // The pixels per unit as the view uses them: the boxes' values kept to
  // their allowed range, whatever text they hold.
  int UnitX() const;
  int UnitY() const;

  void SelectFunc(int n);
  void ShowNumerators(int slot);
  void ShowDenominators(int slot);
  void RedrawGraphs();

  void FormCreate();
  void FormDestroy();
  void FormPaint();
  void FormResize();
  void FormMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
  void FormKeyDown(int Key, Qt::KeyboardModifiers Shift);
  void FormKeyUp(int Key, Qt::KeyboardModifiers Shift);
  void SpinEdinChange(plat::TSpinEdit* Sender);
  void SpinCenterChange(plat::TSpinEdit* Sender);
  void SpinAChange(plat::TSpinEdit* Sender);
  void SpinBChange(plat::TSpinEdit* Sender);
  void SpinCChange(plat::TSpinEdit* Sender);
  void SpinAAChange(plat::TSpinEdit* Sender);
  void SpinBBChange(plat::TSpinEdit* Sender);
  void SpinCCChange(plat::TSpinEdit* Sender);
  void MenuFunctionClick(QAction* Sender);
  void Nf11Click();
  void DrobKoffClick();
  void SysReClick();
  void NextGraphClick();
  void SinhronClick();
  void ChangeColorClick();
  void SetcaClick();
  void PrintFileClick();
  void N1Click();
  void SaveFileClick();
  void HelpClick();
  void ExitClick();
  void AboutClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* e) override;

 private:
  // Marks the window busy for its lifetime and then puts back the state it
  // found, also when a step between throws to the handler guard.
  class TBusy {
   public:
    explicit TBusy(int& tag) : tag_(tag), previous_(tag) { tag_ = tagBusy; }
    ~TBusy() { tag_ = previous_; }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

   private:
    int& tag_;
    const int previous_;
  };

  void LayoutPanels();
  void WatchKeys(QWidget* w);
  bool created_ = false;
};

extern TMainForm* MainForm;

// The plotter's help page, beside the program.
std::string LumivarHelpFile();

// What the main block sets up before the windows: the application's name,
// its help file and Qt's Russian texts.
void StartApplication();

}  // namespace lumivar
