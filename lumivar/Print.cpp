#include "lumivar/Print.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>
#include <climits>
#include <stdexcept>

#include "lumivar/ContextHelp.h"
#include "lumivar/DrawGraph.h"
#include "lumivar/Graph.h"
#include "platform/qt/Printer.h"
#include "platform/qt/Services.h"
#include "platform/qt/SpinEdit.h"
#include "platform/qt/SpinEditCm.h"
#include "platform/qt/Text.h"
#include "platform/qt/WindowFrame.h"

namespace lumivar {

TPrintForm* PrintForm = nullptr;
const char* const kNoPrinter = "Текущий принтер не установлен.";

namespace {

// The boxes hold lengths in tenths (position and size) and hundredths (line
// widths) of a millimetre.
constexpr long double kTenthsMmPerInch = 254.0L, kHundredthsMmPerInch = 2540.0L;

// Pixels per inch of the current printer; a printer that reports none is no
// usable printer (every conversion below divides by it).
int DpiX() {
  const int d = plat::Printer().DpiX();
  if (d <= 0) throw plat::EPrinter(kNoPrinter);
  return d;
}
int DpiY() {
  const int d = plat::Printer().DpiY();
  if (d <= 0) throw plat::EPrinter(kNoPrinter);
  return d;
}

// The printable height and width of the page in tenths of a millimetre.
int PageHeightMm10() { return RoundChecked(plat::Printer().PageHeight() / static_cast<long double>(DpiY()) * kTenthsMmPerInch); }
int PageWidthMm10() { return RoundChecked(plat::Printer().PageWidth() / static_cast<long double>(DpiX()) * kTenthsMmPerInch); }

// A page with a folded top-right corner and a large grey letter A.
QPixmap PagePicture(int w, int h) {
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  const int fold = std::min(w, h) / 4;
  const QPolygon page({QPoint(0, 0), QPoint(w - 1 - fold, 0), QPoint(w - 1, fold), QPoint(w - 1, h - 1),
                       QPoint(0, h - 1)});
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawPolygon(page);
  p.drawPolyline(QPolygon({QPoint(w - 1 - fold, 0), QPoint(w - 1 - fold, fold), QPoint(w - 1, fold)}));
  QFont f(QStringLiteral("Serif"));
  f.setPixelSize(std::min(w, h) * 2 / 3);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::gray);
  p.drawText(QRect(0, fold / 2, w, h - fold / 2), Qt::AlignCenter, QStringLiteral("A"));
  return pm;
}

}  // namespace

TPrintForm::TPrintForm(QWidget* parent) : QDialog(parent) {
  setObjectName("PrintForm");
  setWindowTitle(QString::fromUtf8("Печать"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, true);
  plat::UseFixedFrame(this);
  // Sized for the desktop's font: every text whole, every control inside its group.
  setFixedSize(444, 268);

  auto label = [](QWidget* parent, const char* name, const char* text, int x, int y) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    if (name) l->setObjectName(name);
    l->move(x, y);
    l->adjustSize();
    return l;
  };
  auto group = [this](const char* name, const char* title, int x, int y, int w, int h) {
    auto* g = new QGroupBox(QString::fromUtf8(title), this);
    g->setObjectName(name);
    g->setGeometry(x, y, w, h);
    return g;
  };
  auto button = [](QWidget* parent, const char* name, const char* text, int x, int y, int w, int h) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, h);
    return b;
  };
  auto cm = [](QWidget* parent, const char* name, int x, int y, int min, int max, int value, int step, int help) {
    auto* s = new plat::TSpinEditCm(parent);
    s->setObjectName(name);
    s->SetMinValue(min);
    s->SetMaxValue(max);
    s->SetValue(value);
    s->SetIncrement(step);
    s->setGeometry(x, y, 64, 22);
    TContextHelp::SetContext(s, help);
    return s;
  };

  Label1 = label(this, "Label1", "Принтер:", 8, 10);
  PrintersList = new QComboBox(this);
  PrintersList->setObjectName("PrintersList");
  PrintersList->setEditable(false);
  PrintersList->setGeometry(72, 6, 267, 24);
  TContextHelp::SetContext(PrintersList, 11);
  Properties = button(this, "Properties", "Свойства", 347, 5, 89, 26);
  TContextHelp::SetContext(Properties, 12);
  Label2 = label(this, "Label2", "Копий:", 8, 40);
  Copies = new plat::TSpinEdit(this);
  Copies->setObjectName("Copies");
  Copies->SetMinValue(1);
  Copies->SetMaxValue(99);
  Copies->SetValue(1);
  Copies->setGeometry(72, 36, 56, 22);
  TContextHelp::SetContext(Copies, 13);

  GroupBox1 = group("GroupBox1", "Ориентация", 8, 66, 200, 80);
  Image1 = new QLabel(GroupBox1);
  Image1->setObjectName("Image1");
  Image1->setPixmap(PagePicture(26, 32));
  Image1->setGeometry(14, 20, 26, 32);
  Image2 = new QLabel(GroupBox1);
  Image2->setObjectName("Image2");
  Image2->setPixmap(PagePicture(32, 26));
  Image2->setGeometry(104, 23, 32, 26);
  Vert = new QRadioButton(QString::fromUtf8("Книжная"), GroupBox1);
  Vert->setObjectName("Vert");
  Vert->setGeometry(10, 54, 86, 20);
  Gor = new QRadioButton(QString::fromUtf8("Альбомная"), GroupBox1);
  Gor->setObjectName("Gor");
  Gor->setGeometry(100, 54, 96, 20);
  Gor->setChecked(true);
  TContextHelp::SetContext(GroupBox1, 17);

  GroupBox2 = group("GroupBox2", "Положение:", 216, 36, 220, 82);
  Label3 = label(GroupBox2, "Label3", "Сверху:", 8, 26);
  Top = cm(GroupBox2, "Top", 64, 22, 0, 0, 0, 10, 18);
  label(GroupBox2, nullptr, "см", 132, 26);
  Label4 = label(GroupBox2, "Label4", "Слева:", 8, 52);
  Left = cm(GroupBox2, "Left", 64, 48, 0, 0, 0, 10, 18);
  label(GroupBox2, nullptr, "см", 132, 52);
  // The user types at most 5 characters into the position and size boxes.
  for (plat::TSpinEditCm* s : {Top, Left}) s->SetMaxLength(5);
  Center = button(GroupBox2, "Center", "Центр", 154, 34, 58, 26);
  TContextHelp::SetContext(Center, 19);

  GroupBox3 = group("GroupBox3", "Размер:", 8, 152, 200, 104);
  Label5 = label(GroupBox3, "Label5", "Высота:", 8, 26);
  Height = cm(GroupBox3, "Height", 68, 22, 500, 600, 500, 10, 20);
  label(GroupBox3, nullptr, "см", 136, 26);
  Label6 = label(GroupBox3, "Label6", "Ширина:", 8, 52);
  Width = cm(GroupBox3, "Width", 68, 48, 500, 600, 500, 10, 20);
  label(GroupBox3, nullptr, "см", 136, 52);
  for (plat::TSpinEditCm* s : {Height, Width}) s->SetMaxLength(5);
  AllPage = new QCheckBox(QString::fromUtf8("На весь лист"), GroupBox3);
  AllPage->setObjectName("AllPage");
  AllPage->setGeometry(68, 76, 120, 20);
  AllPage->setChecked(true);
  TContextHelp::SetContext(AllPage, 21);

  GroupBox4 = group("GroupBox4", "Дополнительные опции:", 216, 124, 220, 104);
  Label7 = label(GroupBox4, "Label7", "Толщина графиков:", 8, 26);
  GraphWidth = cm(GroupBox4, "GraphWidth", 138, 22, 1, 300, 34, 5, 14);
  GraphWidth->resize(54, 22);
  label(GroupBox4, nullptr, "мм", 196, 26);
  Label8 = label(GroupBox4, "Label8", "Толщина осей:", 8, 52);
  OXYWidth = cm(GroupBox4, "OXYWidth", 138, 48, 1, 300, 17, 5, 15);
  OXYWidth->resize(54, 22);
  label(GroupBox4, nullptr, "мм", 196, 52);
  ColorPrint = new QCheckBox(QString::fromUtf8("Печать в цвете"), GroupBox4);
  ColorPrint->setObjectName("ColorPrint");
  ColorPrint->setGeometry(8, 78, 130, 20);
  TContextHelp::SetContext(ColorPrint, 16);

  Button3 = button(this, "Button3", "Ok", 277, 234, 77, 26);
  Button3->setDefault(true);
  Button4 = button(this, "Button4", "Отмена", 359, 234, 77, 26);

  // Handlers; the start values above raised none of them.
  plat::On(PrintersList, &QComboBox::currentIndexChanged, this, [this] { PrintersListChange(); });
  plat::On(Properties, &QPushButton::clicked, this, [this] { PropertiesClick(); });
  Copies->OnChange = [this](plat::TSpinEdit* s) { CopiesChange(s); };
  plat::On(Vert, &QRadioButton::toggled, this, [this](bool on) {
    if (on) VertClick();
  });
  plat::On(Gor, &QRadioButton::toggled, this, [this](bool on) {
    if (on) GorClick();
  });
  Top->OnChange = [this](plat::TSpinEditCm* s) { TopChange(s); };
  Left->OnChange = [this](plat::TSpinEditCm* s) { LeftChange(s); };
  plat::On(Center, &QPushButton::clicked, this, [this] { CenterClick(); });
  Height->OnChange = [this](plat::TSpinEditCm* s) { HeightChange(s); };
  Width->OnChange = [this](plat::TSpinEditCm* s) { WidthChange(s); };
  plat::On(AllPage, &QCheckBox::toggled, this, [this] { AllPageClick(); });
  // A width is snapped to printer pixels when the user has finished typing
  // it: on leaving the box (and on its arrows and Ok), not after each key.
  for (plat::TSpinEditCm* box : {GraphWidth, OXYWidth}) {
    box->OnChange = [this](plat::TSpinEditCm* s) { GrOXYWidthChange(s); };
    box->OnExit = [this](plat::TSpinEditCm* s) { GrOXYWidthChange(s); };
  }
  plat::On(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
  plat::On(Button4, &QPushButton::clicked, this, [this] { reject(); });

  // F1 and the title bar's help button ask for a control's pop-up topic.
  new TContextHelp(this);
}

void TPrintForm::CenterOnScreen() {
  const QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return;
  // Once the window manager has framed the window, move() places the frame:
  // centre the frame, title bar included. Before the first showing no frame
  // is known and move() places the client area; the main window's frame
  // tells how large the one to come will be.
  QSize frame = frameGeometry().size();
  QPoint client(0, 0);
  if (frame == size() && parentWidget()) {
    const QWidget* top = parentWidget()->window();
    frame += top->frameGeometry().size() - top->size();
    client = top->geometry().topLeft() - top->frameGeometry().topLeft();
  }
  move(s->availableGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2) + client);
}

int TPrintForm::HelpContextOf(const QWidget* w) { return TContextHelp::ContextOf(w); }

bool TPrintForm::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) plat::Guard([this] { FormActivate(); });
  if (e->type() == QEvent::Show) plat::Guard([this] { CenterOnScreen(); });
  return QDialog::event(e);
}

void TPrintForm::FormActivate() {
  // The error box below deactivates the dialog and Qt activates it again
  // when the box closes: that activation must not start a second round.
  if (activating_) return;
  activating_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{activating_};
  try {
    plat::IPrinter& p = plat::Printer();
    if (PrintersList->currentIndex() < 0) {
      const QSignalBlocker block(PrintersList);
      PrintersList->clear();
      for (const std::string& name : p.Printers()) PrintersList->addItem(plat::FromUtf8(name));
      PrintersList->setCurrentIndex(p.PrinterIndex());
      p.SetOrientation(plat::TPrinterOrientation::poLandscape);
    }
    Upd();
  } catch (...) {
    plat::MessageBox(kNoPrinter, plat::MsgKind::Error, plat::mbOK);
    reject();
  }
}

void TPrintForm::Upd() {
  plat::IPrinter& p = plat::Printer();
  {
    // Both buttons at once: their handlers would only set the same
    // orientation again.
    const QSignalBlocker b1(Vert), b2(Gor);
    (p.Orientation() == plat::TPrinterOrientation::poLandscape ? Gor : Vert)->setChecked(true);
  }
  const int copies = p.Copies();
  if (Copies->Value() != copies) Copies->SetValue(copies);
  Height->SetMaxValue(PageHeightMm10());
  Width->SetMaxValue(PageWidthMm10());
  Top->SetMaxValue(Sub(Height->MaxValue(), Height->Value()));
  Left->SetMaxValue(Sub(Width->MaxValue(), Width->Value()));
  for (plat::TSpinEditCm* box : {Height, Width, Top, Left})
    if (box->Value() > box->MaxValue()) box->SetValue(box->MaxValue());
  // One printer pixel in hundredths of a millimetre.
  const int k = std::max(1, RoundChecked(kHundredthsMmPerInch / static_cast<long double>(DpiX())));
  GraphWidth->SetIncrement(k);
  OXYWidth->SetIncrement(k);
  GrOXYWidthChange(GraphWidth);
  GrOXYWidthChange(OXYWidth);
  if (AllPage->isChecked()) AllPageClick();
  const int index = p.PrinterIndex();
  if (PrintersList->currentIndex() != index) {
    const QSignalBlocker block(PrintersList);
    PrintersList->setCurrentIndex(index);
  }
}

void TPrintForm::PropertiesClick() {
  if (plat::Printer().SetupDialog(this)) Upd();
}

void TPrintForm::VertClick() {
  plat::Printer().SetOrientation(plat::TPrinterOrientation::poPortrait);
  Upd();
}

void TPrintForm::GorClick() {
  plat::Printer().SetOrientation(plat::TPrinterOrientation::poLandscape);
  Upd();
}

void TPrintForm::CopiesChange(plat::TSpinEdit*) {
  // A typed 0 (or more than 99) must not reach the printer.
  plat::Printer().SetCopies(std::clamp(Copies->Value(), 1, 99));
}

void TPrintForm::PrintersListChange() {
  plat::Printer().SetPrinterIndex(PrintersList->currentIndex());
  Upd();
}

void TPrintForm::AllPageClick() {
  const bool whole = AllPage->isChecked();
  for (QWidget* w : std::initializer_list<QWidget*>{Center, Height, Width, Top, Left}) w->setEnabled(!whole);
  if (!whole) return;
  Height->SetValue(PageHeightMm10());
  Width->SetValue(PageWidthMm10());
  Top->SetValue(Top->MinValue());
  Left->SetValue(Left->MinValue());
}

void TPrintForm::CenterClick() {
  Top->SetValue(Sub(Height->MaxValue(), Height->Value()) / 2);
  Left->SetValue(Sub(Width->MaxValue(), Width->Value()) / 2);
}

void TPrintForm::HeightChange(plat::TSpinEditCm*) {
  Top->SetMaxValue(Sub(Height->MaxValue(), Height->Value()));
  if (Top->Value() > Top->MaxValue()) Top->SetValue(Top->MaxValue());
}

void TPrintForm::WidthChange(plat::TSpinEditCm*) {
  Left->SetMaxValue(Sub(Width->MaxValue(), Width->Value()));
  if (Left->Value() > Left->MaxValue()) Left->SetValue(Left->MaxValue());
}

// Equal limits mean no limits to the box: hold it at 0 while the picture
// leaves no room on that side.
void TPrintForm::TopChange(plat::TSpinEditCm*) {
  if (Top->MinValue() == Top->MaxValue()) Top->SetValue(Top->MinValue());
}

void TPrintForm::LeftChange(plat::TSpinEditCm*) {
  if (Left->MinValue() == Left->MaxValue()) Left->SetValue(Left->MinValue());
}

void TPrintForm::GrOXYWidthChange(plat::TSpinEditCm* Sender) {
  // Snapping after each key would turn a half-typed "0," into a pixel and
  // the number the user goes on typing into nonsense.
  if (Sender->Typing()) return;
  // Snap the width to a whole number of printer pixels, at least one.
  const long double dpi = DpiX();
  int px = RoundChecked(Sender->Value() / kHundredthsMmPerInch * dpi);
  if (px < 1) px = 1;
  Sender->SetValue(RoundChecked(px / dpi * kHundredthsMmPerInch));
}

void TPrintForm::Button3Click() {
  if (!MainForm) throw std::logic_error("The main window does not exist");
  plat::IPrinter& p = plat::Printer();
  const long double dx = DpiX(), dy = DpiY();
  const long double left = Left->Value() / kTenthsMmPerInch * dx, top = Top->Value() / kTenthsMmPerInch * dy;
  const int l = RoundChecked(left), t = RoundChecked(top);
  const int r = RoundChecked(left + Width->Value() / kTenthsMmPerInch * dx);
  const int b = RoundChecked(top + Height->Value() / kTenthsMmPerInch * dy);
  // Equal limits let a size box hold 0 or less: such a picture has no area.
  if (r <= l || b <= t) {
    plat::MessageBox("Высота и ширина рисунка должны быть больше нуля.", plat::MsgKind::Error, plat::mbOK);
    return;
  }
  // A width typed and not yet left prints as it will show once snapped.
  GrOXYWidthChange(GraphWidth);
  GrOXYWidthChange(OXYWidth);
  const bool colour = ColorPrint->isChecked();
  const int graphPen = RoundChecked(GraphWidth->Value() / kHundredthsMmPerInch * dx);
  const int axisPen = RoundChecked(OXYWidth->Value() / kHundredthsMmPerInch * dx);
  const int unitX = MainForm->UnitX(), unitY = MainForm->UnitY();
  const int ox = MainForm->Spin3->Value(), oy = MainForm->Spin4->Value();
  // The job is opened only now, and any failure drops it: nothing half
  // printed stays queued, and the dialog stays open.
  try {
    if (!p.BeginDoc("График", this)) return;
    PrintGraphs(p.Canvas(), PlotWidth, PlotHeight, unitX, unitY, ox, oy, l, t, r, b, Graphs[1], Graphs[2],
                colour, graphPen, axisPen);
    p.EndDoc();
  } catch (const std::exception& e) {
    p.Abort();
    plat::MessageBox(e.what(), plat::MsgKind::Error, plat::mbOK);
    return;
  }
  accept();
}

}  // namespace lumivar
