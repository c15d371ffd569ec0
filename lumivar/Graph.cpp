#include "lumivar/Graph.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <algorithm>

#include "lumivar/About.h"
#include "lumivar/DrawGraph.h"
#include "lumivar/Func.h"
#include "lumivar/Image.h"
#include "lumivar/Print.h"
#include "lumivar/Setca.h"
#include "platform/SafeFile.h"
#include "platform/qt/Printer.h"
#include "platform/qt/SpinEdit.h"
#include "platform/qt/Translations.h"

namespace lumivar {

namespace {
// Slot 1 draws the navy sine, slot 2 the red cosine.
TGraphRec DefaultGraph(int slot) {
  TGraphRec g;
  if (slot == 2) {
    g.Color = plat::clRed;
    g.FuncIndex = 2;
  }
  return g;
}
}  // namespace

// The start values are those ResetProgramState writes, when the program loads.
TSlots<TGraphRec> Graphs;
int CurGraph;
bool SystemMode;
bool GridOn;
plat::TPenStyle GridStyle;
plat::TColor GridColor;
int AltNumber;
TSlots<std::string> AltFormulas;
TSlots<bool> AltReady;
TSlots<bool> AltCompiled;
bool PointDefined;
bool PenDown;
int PlotWidth;
int PlotHeight;
bool ZoomCursorShown;

TMainForm* MainForm = nullptr;

void ResetProgramState() {
  Graphs[1] = DefaultGraph(1);
  Graphs[2] = DefaultGraph(2);
  CurGraph = 1;
  SystemMode = false;
  GridOn = false;
  GridStyle = plat::TPenStyle::psDot;
  GridColor = plat::clBlack;
  AltNumber = 1;
  AltFormulas[1].clear();
  AltFormulas[2].clear();
  AltReady[1] = AltReady[2] = false;
  AltCompiled[1] = AltCompiled[2] = false;
  SelectedLibrarySlot = 0;
  PointDefined = true;
  PenDown = true;
  PlotWidth = 0;
  PlotHeight = 0;
  ZoomCursorShown = false;
}

namespace {
// The definitions above, earlier in this file, are initialised before this.
[[maybe_unused]] const bool kProgramStateSet = (ResetProgramState(), true);
}  // namespace

namespace {

constexpr int kTypeFuncHeight = 54, kTypeFuncFractionHeight = 86, kPanelHeight = 54;
constexpr int kLabelTop = 28, kLabelFractionTop = 44;
constexpr int kMinClientHeight = 169;
// Pixels per unit on both axes at start-up and after a reset.
constexpr int kStartUnit = 30;
// The range of the coefficient and centre boxes; the digits and height of
// every number box.
constexpr int kBoxLimit = 99999, kBoxDigits = 5, kBoxHeight = 22;

void SetTextColor(QLabel* l, plat::TColor c) {
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, QColor::fromRgb(plat::ColorToPixel(c)));
  l->setPalette(p);
}

// A magnifier with a plus (zoom in) or a minus (zoom out); the hot spot is
// the centre of the glass.
QCursor MakeZoomCursor(bool zoomIn) {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(Qt::white, 4));
  p.drawEllipse(QPoint(11, 11), 8, 8);
  p.drawLine(17, 17, 27, 27);
  p.setPen(QPen(Qt::black, 2));
  p.setBrush(Qt::white);
  p.drawEllipse(QPoint(11, 11), 8, 8);
  p.setPen(QPen(Qt::black, 3));
  p.drawLine(17, 17, 27, 27);
  p.setPen(QPen(Qt::black, 2));
  p.drawLine(7, 11, 15, 11);
  if (zoomIn) p.drawLine(11, 7, 11, 15);
  p.end();
  return QCursor(pm, 11, 11);
}

}  // namespace

std::string LumivarHelpFile() { return plat::ExeDir() + "lumivar-help/index.html"; }

void StartApplication() {
  // The name only: a display name would be appended to every window's title
  // on the desktop ("Альтернативная функция — Lumivar").
  QCoreApplication::setApplicationName("Lumivar");
  plat::SetHelpFile(LumivarHelpFile());
  plat::LoadQtTranslations();
  plat::IgnoreFileSizeSignal();
}

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName("MainForm");
  setWindowTitle("Lumivar");

  Client = new QWidget(this);
  Client->setObjectName("Client");
  Client->setAutoFillBackground(true);
  QPalette pal = Client->palette();
  pal.setColor(QPalette::Window, Qt::white);
  Client->setPalette(pal);
  setCentralWidget(Client);

  auto label = [](QWidget* parent, const char* name, const char* text, int x, int y) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->move(x, y);
    l->adjustSize();
    return l;
  };
  auto spin = [this](QWidget* parent, const char* name, int x, int y, int w, int min, int max,
                     int value, void (TMainForm::*handler)(plat::TSpinEdit*)) {
    auto* s = new plat::TSpinEdit(parent);
    s->setObjectName(name);
    s->SetMinValue(min);
    s->SetMaxValue(max);
    s->SetMaxLength(kBoxDigits);
    s->SetValue(value);
    s->setGeometry(x, y, w, kBoxHeight);
    s->OnChange = [this, handler](plat::TSpinEdit* sender) { (this->*handler)(sender); };
    return s;
  };

  // Top panel: the formula and its coefficients.
  TypeFunc = new QFrame(Client);
  TypeFunc->setObjectName("TypeFunc");
  TypeFunc->setFrameShape(QFrame::Panel);
  TypeFunc->setFrameShadow(QFrame::Raised);
  TypeFunc->setAutoFillBackground(true);
  TypeFunc->setGeometry(0, 0, kStartClientWidth, kTypeFuncHeight);
  Label1 = label(TypeFunc, "Label1", "Функция:", 8, 2);
  Label1->setFont(TitleFont(21));
  Label1->adjustSize();
  SetTextColor(Label1, plat::clMaroon);
  Type_Func = label(TypeFunc, "Type_Func", "y=aSin(x-b)+c", 110, 2);
  Type_Func->setFont(TitleFont(21));
  Type_Func->resize(360, Label1->height());
  SetTextColor(Type_Func, plat::clNavy);
  Koff = label(TypeFunc, "Koff", "Коэффициенты:", 8, kLabelTop);
  SetTextColor(Koff, plat::clGreen);
  LabelA = label(TypeFunc, "LabelA", "a=", 116, kLabelTop);
  LabelB = label(TypeFunc, "LabelB", "b=", 234, kLabelTop);
  LabelC = label(TypeFunc, "LabelC", "c=", 352, kLabelTop);
  for (QLabel* l : {LabelA, LabelB, LabelC}) SetTextColor(l, plat::clOlive);
  SpinA = spin(TypeFunc, "SpinA", 134, kLabelTop, 73, -kBoxLimit, kBoxLimit, 1, &TMainForm::SpinAChange);
  SpinB = spin(TypeFunc, "SpinB", 252, kLabelTop, 73, -kBoxLimit, kBoxLimit, 0, &TMainForm::SpinBChange);
  SpinC = spin(TypeFunc, "SpinC", 370, kLabelTop, 73, -kBoxLimit, kBoxLimit, 0, &TMainForm::SpinCChange);
  SpinAA = spin(TypeFunc, "SpinAA", 134, 60, 73, 1, kBoxLimit, 1, &TMainForm::SpinAAChange);
  SpinBB = spin(TypeFunc, "SpinBB", 252, 60, 73, 1, kBoxLimit, 1, &TMainForm::SpinBBChange);
  SpinCC = spin(TypeFunc, "SpinCC", 370, 60, 73, 1, kBoxLimit, 1, &TMainForm::SpinCCChange);
  for (plat::TSpinEdit* s : {SpinAA, SpinBB, SpinCC}) s->setEnabled(false);
  auto bar = [this](const char* name, int x) {
    auto* f = new QFrame(TypeFunc);
    f->setObjectName(name);
    f->setGeometry(x, 54, 73, 2);
    f->setAutoFillBackground(true);
    QPalette p = f->palette();
    p.setColor(QPalette::Window, Qt::black);
    f->setPalette(p);
    return f;
  };
  Shape1 = bar("Shape1", 134);
  Shape2 = bar("Shape2", 252);
  Shape3 = bar("Shape3", 370);

  // Bottom panel: the view.
  Panel = new QFrame(Client);
  Panel->setObjectName("Panel");
  Panel->setFrameShape(QFrame::Panel);
  Panel->setFrameShadow(QFrame::Raised);
  Panel->setAutoFillBackground(true);
  Panel->setGeometry(0, kStartClientHeight - kPanelHeight, kStartClientWidth, kPanelHeight);
  Label2 = label(Panel, "Label2", "Единичный отрезок", 8, 4);
  Label3 = label(Panel, "Label3", "на X", 8, 28);
  Label4 = label(Panel, "Label4", "на Y", 116, 28);
  Label5 = label(Panel, "Label5", "Координаты центра", 248, 4);
  Label6 = label(Panel, "Label6", "X =", 248, 28);
  Label7 = label(Panel, "Label7", "Y=", 362, 28);
  Spin1 = spin(Panel, "Spin1", 40, 25, 64, MinUnit, MaxUnit, kStartUnit, &TMainForm::SpinEdinChange);
  Spin2 = spin(Panel, "Spin2", 148, 25, 64, MinUnit, MaxUnit, kStartUnit, &TMainForm::SpinEdinChange);
  Spin3 = spin(Panel, "Spin3", 276, 25, 70, -kBoxLimit, kBoxLimit, 0, &TMainForm::SpinCenterChange);
  Spin4 = spin(Panel, "Spin4", 384, 25, 70, -kBoxLimit, kBoxLimit, 0, &TMainForm::SpinCenterChange);
  Spin3->SetIncrement(2);
  Spin4->SetIncrement(2);

  // Menu.
  auto act = [this](QMenu* menu, const char* name, const char* text, void (TMainForm::*handler)()) {
    auto* a = menu->addAction(QString::fromUtf8(text));
    a->setObjectName(name);
    if (handler) plat::On(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return a;
  };
  // Checked items toggle their own mark in their handler, as the handlers say.
  auto check = [this, act](QMenu* menu, const char* name, const char* text, void (TMainForm::*handler)()) {
    auto* a = act(menu, name, text, nullptr);
    a->setCheckable(true);
    plat::On(a, &QAction::triggered, this, [this, a, handler] {
      {
        const QSignalBlocker block(a);
        a->setChecked(!a->isChecked());
      }
      (this->*handler)();
    });
    return a;
  };
  auto separator = [](QMenu* menu, const char* name) {
    QAction* a = menu->addSeparator();
    a->setObjectName(name);
    return a;
  };

  NFile = menuBar()->addMenu(QString::fromUtf8("&Файл"));
  NFile->setObjectName("NFile");
  SaveFile = act(NFile, "SaveFile", "&Сохранить как...", &TMainForm::SaveFileClick);
  SaveFile->setShortcut(QKeySequence(Qt::Key_F2));
  PrintFile = act(NFile, "PrintFile", "&Печать...", &TMainForm::PrintFileClick);
  NLine1 = separator(NFile, "NLine1");
  Exit = act(NFile, "Exit", "&Выход", &TMainForm::ExitClick);

  NFunction = menuBar()->addMenu(QString::fromUtf8("Ф&ункция"));
  NFunction->setObjectName("NFunction");
  QAction** items[10] = {&Nf1, &Nf2, &Nf3, &Nf4, &Nf5, &Nf6, &Nf7, &Nf8, &Nf9, &Nf10};
  for (int n = 1; n <= 10; ++n) {
    QAction* a = NFunction->addAction(QString::fromStdString(FuncCaption(n)));
    a->setObjectName(QString("Nf%1").arg(n));
    a->setData(n);
    plat::On(a, &QAction::triggered, this, [this, a] { MenuFunctionClick(a); });
    *items[n - 1] = a;
  }
  Nf11 = act(NFunction, "Nf11", "&Альтернативная", &TMainForm::Nf11Click);
  Nf11->setData(11);
  Nf11->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));

  NService = menuBar()->addMenu(QString::fromUtf8("&Сервис"));
  NService->setObjectName("NService");
  DrobKoff = check(NService, "DrobKoff", "&Дробные коэффициенты", &TMainForm::DrobKoffClick);
  SysRe = check(NService, "SysRe", "&Режим системы", &TMainForm::SysReClick);
  Sinhron = check(NService, "Sinhron", "&Сохранять пропорции", &TMainForm::SinhronClick);
  Sinhron->setChecked(true);
  ChangeColor = act(NService, "ChangeColor", "&Изменить цвет графика", &TMainForm::ChangeColorClick);
  Setca = check(NService, "Setca", "С&етка", &TMainForm::SetcaClick);
  NextGraph = act(NService, "NextGraph", "&Переход", &TMainForm::NextGraphClick);
  NextGraph->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  NextGraph->setEnabled(false);
  NextGraph->setVisible(false);
  N1 = act(NService, "N1", "С&брос параметров", &TMainForm::N1Click);

  NHelp = menuBar()->addMenu(QString::fromUtf8("&?"));
  NHelp->setObjectName("NHelp");
  Help = act(NHelp, "Help", "&Вызов справки", &TMainForm::HelpClick);
  Help->setShortcut(QKeySequence(Qt::Key_F1));
  NLine2 = separator(NHelp, "NLine2");
  About = act(NHelp, "About", "&О программе...", &TMainForm::AboutClick);

  SaveDialog1.DefaultExt = "bmp";
  SaveDialog1.Filter = "Точечный рисунок Windows (bmp)|*.bmp|Все файлы (*.*)|*.*";

  // The picture exists before the first size event arrives.
  ScreenBitmap = std::make_unique<plat::TBitmap>(kStartClientWidth, kStartClientHeight);

  // The window sees key presses before its controls do.
  Client->installEventFilter(this);
  for (QWidget* w : Client->findChildren<QWidget*>()) w->installEventFilter(this);

  // The smallest window of 484 by 200 includes a 4-pixel frame and a caption.
  setMinimumSize(kStartClientWidth, kMinClientHeight);
  Client->resize(kStartClientWidth, kStartClientHeight);
  resize(kStartClientWidth, kStartClientHeight + menuBar()->sizeHint().height());
  SpinA->setFocus();
  MainForm = this;
}

TMainForm::~TMainForm() {
  plat::Guard([this] { FormDestroy(); });
  if (MainForm == this) MainForm = nullptr;
}

int TMainForm::ClientWidth() const { return Client->width(); }
int TMainForm::ClientHeight() const { return Client->height(); }
int TMainForm::UnitX() const { return std::clamp(Spin1->Value(), MinUnit, MaxUnit); }
int TMainForm::UnitY() const { return std::clamp(Spin2->Value(), MinUnit, MaxUnit); }

void TMainForm::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!created_) {
    created_ = true;
    plat::Guard([this] { FormCreate(); });
  }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride: {
      // Menu shortcuts come before the boxes' own keys (Ctrl+A opens the
      // formula dialog rather than selecting a box's text).
      auto* ke = static_cast<QKeyEvent*>(event);
      const QKeySequence pressed(ke->keyCombination());
      for (const QAction* a : {Nf11, NextGraph})
        if (a->isEnabled() && a->shortcut() == pressed) {
          event->ignore();
          return true;
        }
      break;
    }
    case QEvent::KeyPress: {
      auto* ke = static_cast<QKeyEvent*>(event);
      plat::Guard([&] { FormKeyDown(ke->key(), ke->modifiers()); });
      break;
    }
    case QEvent::KeyRelease: {
      auto* ke = static_cast<QKeyEvent*>(event);
      if (!ke->isAutoRepeat()) plat::Guard([&] { FormKeyUp(ke->key(), ke->modifiers()); });
      break;
    }
    default:
      break;
  }
  if (watched == Client) {
    switch (event->type()) {
      case QEvent::Resize:
        plat::Guard([this] {
          LayoutPanels();
          FormResize();
        });
        break;
      case QEvent::Paint:
        plat::Guard([this] { FormPaint(); });
        return true;
      // The second press of a double click is a press like any other.
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint pos = me->position().toPoint();
        // Presses on the panels are theirs, not the plot's.
        if (!Client->childAt(pos))
          plat::Guard([&] { FormMouseDown(me->button(), me->modifiers(), pos.x(), pos.y()); });
        return true;
      }
      default:
        break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::LayoutPanels() {
  const int w = Client->width(), h = Client->height();
  TypeFunc->setGeometry(0, 0, w, TypeFunc->height());
  Panel->setGeometry(0, h - Panel->height(), w, Panel->height());
}

void TMainForm::FormCreate() {
  crZoomOut = MakeZoomCursor(false);
  crZoomIn = MakeZoomCursor(true);
  ScreenBitmap->SetSize(ClientWidth(), ClientHeight());
  SelectFunc(1);
}

void TMainForm::FormDestroy() {
  // Release the compiled typed formulas, slot 1 then slot 2.
  SelectLibrarySlot(1);
  Korvel.Lex_Analiz_Init();
  SelectLibrarySlot(2);
  Korvel.Lex_Analiz_Init();
  AltCompiled[1] = AltCompiled[2] = false;
  ScreenBitmap.reset();
  Tag = tagDestroyed;
}

void TMainForm::FormPaint() {
  QPainter p(Client);
  if (ScreenBitmap) p.drawImage(0, TypeFunc->height(), ScreenBitmap->Image());
}

void TMainForm::RedrawGraphs() {
  if (!ScreenBitmap) return;
  plat::TCanvas& c = ScreenBitmap->Canvas();
  const int w = ClientWidth(), h = ClientHeight();
  const int ox = Spin3->Value(), oy = Spin4->Value(), ux = UnitX(), uy = UnitY();
  DrawAxes(c, 0, 0, w, h, ox, oy, ux, uy, 1);
  DrawGraphic(c, 0, 0, w, h, ox, oy, ux, uy, 1, Graphs[1]);
  if (SystemMode) DrawGraphic(c, 0, 0, w, h, ox, oy, ux, uy, 1, Graphs[2]);
  Client->update();
}

void TMainForm::SelectFunc(int n) {
  const std::string caption = FuncCaption(n);
  FuncTable(n);  // refuses an index outside the table before anything changes
  Graphs[CurGraph].FuncIndex = n;
  Type_Func->setText(QString::fromStdString(caption));
  if (Tag == tagIdle) RedrawGraphs();
}

void TMainForm::ShowNumerators(int slot) {
  const TGraphRec& g = Graphs[slot];
  const int a = g.ANum, b = g.BNum, c = g.CNum;  // the edits' handlers write back into the slot
  SpinA->SetValue(a);
  SpinB->SetValue(b);
  SpinC->SetValue(c);
}

void TMainForm::ShowDenominators(int slot) {
  const TGraphRec& g = Graphs[slot];
  const int a = g.ADen, b = g.BDen, c = g.CDen;
  SpinAA->SetValue(a);
  SpinBB->SetValue(b);
  SpinCC->SetValue(c);
}

void TMainForm::MenuFunctionClick(QAction* Sender) { SelectFunc(Sender->data().toInt()); }

void TMainForm::Nf11Click() {
  if (!AltFunc) throw std::logic_error("The formula dialog does not exist");
  AltNumber = CurGraph;
  SelectLibrarySlot(CurGraph);
  AltFunc->Rejected = false;
  const int result = plat::Services().ExecModal(AltFunc);
  if (result == plat::mrOk) {
    SelectFunc(Nf11->data().toInt() + CurGraph - 1);
  } else if (AltFunc->Rejected) {
    // A rejected text left the library slot half compiled: put the last
    // accepted formula back, or keep the slot out of every drawing.
    RestoreAcceptedFormula(AltNumber);
    RedrawGraphs();
  }
}

void TMainForm::DrobKoffClick() {
  DrobKoff->setChecked(!DrobKoff->isChecked());
  if (DrobKoff->isChecked()) {
    TypeFunc->resize(TypeFunc->width(), kTypeFuncFractionHeight);
    for (QLabel* l : {Koff, LabelA, LabelB, LabelC}) l->move(l->x(), kLabelFractionTop);
    for (plat::TSpinEdit* s : {SpinAA, SpinBB, SpinCC}) s->setEnabled(true);
  } else {
    TypeFunc->resize(TypeFunc->width(), kTypeFuncHeight);
    for (QLabel* l : {Koff, LabelA, LabelB, LabelC}) l->move(l->x(), kLabelTop);
    const TBusy busy(Tag);
    for (int slot : {1, 2}) Graphs[slot].ADen = Graphs[slot].BDen = Graphs[slot].CDen = 1;
    ShowDenominators(CurGraph);
    for (plat::TSpinEdit* s : {SpinAA, SpinBB, SpinCC}) s->setEnabled(false);
  }
  FormResize();
}

void TMainForm::SysReClick() {
  SysRe->setChecked(!SysRe->isChecked());
  if (SysRe->isChecked()) {
    SystemMode = true;
    NextGraph->setEnabled(true);
    NextGraph->setVisible(true);
    CurGraph = 2;
    ShowNumerators(2);
    ShowDenominators(2);
    SetTextColor(Type_Func, Graphs[2].Color);
    SelectFunc(Graphs[2].FuncIndex);
  } else {
    SystemMode = false;
    NextGraph->setEnabled(false);
    NextGraph->setVisible(false);
    if (CurGraph != 1) {
      CurGraph = 1;
      ShowNumerators(1);
      ShowDenominators(1);
    }
    SetTextColor(Type_Func, Graphs[1].Color);
    SelectFunc(Graphs[1].FuncIndex);
  }
}

void TMainForm::NextGraphClick() {
  CurGraph = CurGraph == 1 ? 2 : 1;
  ShowNumerators(CurGraph);
  ShowDenominators(CurGraph);
  SetTextColor(Type_Func, Graphs[CurGraph].Color);
  const TBusy busy(Tag);
  SelectFunc(Graphs[CurGraph].FuncIndex);
}

void TMainForm::SinhronClick() {
  Sinhron->setChecked(!Sinhron->isChecked());
  if (Sinhron->isChecked()) Spin2->SetValue(Spin1->Value());
}

void TMainForm::ChangeColorClick() {
  ColorDialog1.Color = Graphs[CurGraph].Color;
  if (!ColorDialog1.Execute(this)) return;
  Graphs[CurGraph].Color = ColorDialog1.Color;
  SetTextColor(Type_Func, ColorDialog1.Color);
  RedrawGraphs();
}

void TMainForm::SetcaClick() {
  if (Setca->isChecked()) {
    Setca->setChecked(false);
    GridOn = false;
  } else {
    if (!SetcaForm) throw std::logic_error("The grid dialog does not exist");
    // The dialog has set the style and colour already; Ok switches the grid on.
    if (plat::Services().ExecModal(SetcaForm) != plat::mrOk) return;
    GridOn = true;
    Setca->setChecked(true);
  }
  RedrawGraphs();
}

void TMainForm::PrintFileClick() {
  try {
    plat::Printer().PrinterIndex();
  } catch (const std::exception&) {
    plat::MessageBox(kNoPrinter, plat::MsgKind::Error, plat::mbOK);
    return;
  }
  if (!PrintForm) throw std::logic_error("The print dialog does not exist");
  plat::Services().ExecModal(PrintForm);
}

void TMainForm::N1Click() {
  {
    const TBusy busy(Tag);
    Spin3->SetValue(PlotWidth / 2);
    Spin4->SetValue(PlotHeight / 2);
    Spin1->SetValue(kStartUnit);
    Spin2->SetValue(kStartUnit);
    TGraphRec& g = Graphs[CurGraph];
    g.ANum = 1;
    g.ADen = 1;
    g.BNum = 0;
    g.BDen = 1;
    g.CNum = 0;
    g.CDen = 1;
    ShowNumerators(CurGraph);
    ShowDenominators(CurGraph);
  }
  RedrawGraphs();
}

void TMainForm::SaveFileClick() {
  if (!plat::Services().ExecuteSaveDialog(this, SaveDialog1)) return;
  if (!ScreenBitmap) return;
  std::string error;
  if (!ScreenBitmap->TrySaveToFile(SaveDialog1.FileName, &error))
    plat::MessageBox(error, plat::MsgKind::Error);
}

void TMainForm::HelpClick() { plat::Services().Help(plat::HelpCommand::Contents, plat::HelpFile(), 0); }

void TMainForm::ExitClick() {
  close();
  QCoreApplication::quit();
}

void TMainForm::AboutClick() {
  if (!AboutBox) throw std::logic_error("The about window does not exist");
  plat::Services().ExecModal(AboutBox);
}

}  // namespace lumivar
