#include "lumivar/Setca.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <initializer_list>
#include <vector>

#include "lumivar/ContextHelp.h"
#include "lumivar/Graph.h"
#include "platform/qt/WindowFrame.h"

namespace lumivar {

TSetcaForm* SetcaForm = nullptr;

QImage TSetcaForm::StyleSample(int style) {
  // Runs of black and white pixels from the left edge, black first.
  static const std::vector<int> runs[5] = {
      {90},
      {16, 8, 24, 8, 24, 8, 2},
      {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 2},
      {4, 8, 4, 8, 12, 8, 4, 8, 12, 8, 4, 8, 2},
      {4, 4, 4, 4, 4, 4, 12, 4, 4, 4, 4, 4, 12, 4, 4, 4, 4, 4, 2}};
  QImage img(90, 1, QImage::Format_ARGB32);
  img.fill(Qt::white);
  // The broken styles are drawn transparent in their leftmost colour
  // (black), so their segments take the dialog's background.
  const QRgb ink = style == 0 ? qRgb(0, 0, 0) : qRgba(0, 0, 0, 0);
  int x = 0;
  bool black = true;
  for (int run : runs[style]) {
    for (int k = 0; k < run && x < 90; ++k, ++x)
      if (black) img.setPixel(x, 0, ink);
    black = !black;
  }
  return img;
}

TSetcaForm::TSetcaForm(QWidget* parent) : QDialog(parent) {
  setObjectName("SetcaForm");
  setWindowTitle(QString::fromUtf8("Сетка"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, true);
  plat::UseFixedFrame(this);
  setFixedSize(290, 155);
  move(299, 190);

  GroupBox1 = new QGroupBox(QString::fromUtf8("Тип линии:"), this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setGeometry(8, 4, 138, 143);
  QRadioButton** radios[5] = {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4, &RadioButton5};
  QLabel** images[5] = {&Image1, &Image2, &Image3, &Image4, &Image5};
  for (int i = 0; i < 5; ++i) {
    auto* r = new QRadioButton(GroupBox1);
    r->setObjectName(QString("RadioButton%1").arg(i + 1));
    r->setGeometry(10, 20 + i * 24, 18, 17);
    *radios[i] = r;
    auto* img = new QLabel(GroupBox1);
    img->setObjectName(QString("Image%1").arg(i + 1));
    img->setGeometry(34, 20 + i * 24, 90, 17);
    img->setAlignment(Qt::AlignCenter);
    img->setPixmap(QPixmap::fromImage(StyleSample(i)));
    *images[i] = img;
  }
  RadioButton3->setChecked(true);

  GroupBox2 = new QGroupBox(QString::fromUtf8("Цвет линии:"), this);
  GroupBox2->setObjectName("GroupBox2");
  GroupBox2->setGeometry(154, 4, 128, 108);
  Image6 = new QLabel(GroupBox2);
  Image6->setObjectName("Image6");
  Image6->setGeometry(21, 22, 85, 45);
  Button1 = new QPushButton(QString::fromUtf8("&Изменить цвет"), GroupBox2);
  Button1->setObjectName("Button1");
  Button1->setGeometry(7, 74, 114, 26);

  OkButton = new QPushButton(QString::fromUtf8("&Ok"), this);
  OkButton->setObjectName("OkButton");
  OkButton->setGeometry(154, 120, 60, 27);
  OkButton->setDefault(true);
  CancelButton = new QPushButton(QString::fromUtf8("&Отмена"), this);
  CancelButton->setObjectName("CancelButton");
  CancelButton->setGeometry(218, 120, 64, 27);
  ColorDialog1.SolidOnly = true;

  void (TSetcaForm::*handlers[5])() = {&TSetcaForm::RadioButton1Click, &TSetcaForm::RadioButton2Click,
                                       &TSetcaForm::RadioButton3Click, &TSetcaForm::RadioButton4Click,
                                       &TSetcaForm::RadioButton5Click};
  for (int i = 0; i < 5; ++i) {
    auto handler = handlers[i];
    plat::On(*radios[i], &QRadioButton::toggled, this, [this, handler](bool on) {
      if (on) (this->*handler)();
    });
  }
  plat::On(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  plat::On(OkButton, &QPushButton::clicked, this, [this] { accept(); });
  plat::On(CancelButton, &QPushButton::clicked, this, [this] { reject(); });
  OkButton->setFocus();
  // No control has a topic of its own: the whole dialog has one.
  TContextHelp::SetContext(this, kSetcaHelpContext);
  new TContextHelp(this);

  plat::Guard([this] { FormCreate(); });
}

bool TSetcaForm::event(QEvent* e) {
  // Enter must mean Ok at every opening, not the button the last one ended on.
  if (e->type() == QEvent::Show) OkButton->setFocus();
  return QDialog::event(e);
}

void TSetcaForm::ShowSwatch() { Image6->setPixmap(QPixmap::fromImage(Swatch.Image())); }

void TSetcaForm::FormCreate() {
  plat::TCanvas& c = Swatch.Canvas();
  c.Brush.Style = plat::TBrushStyle::bsSolid;
  c.Brush.Color = GridColor;
  // The box reaches past the picture: only its top and left edges show.
  c.Rectangle(0, 0, 100, 100);
  ShowSwatch();
}

void TSetcaForm::RadioButton1Click() { GridStyle = plat::TPenStyle::psSolid; }
void TSetcaForm::RadioButton2Click() { GridStyle = plat::TPenStyle::psDash; }
void TSetcaForm::RadioButton3Click() { GridStyle = plat::TPenStyle::psDot; }
void TSetcaForm::RadioButton4Click() { GridStyle = plat::TPenStyle::psDashDot; }
void TSetcaForm::RadioButton5Click() { GridStyle = plat::TPenStyle::psDashDotDot; }

void TSetcaForm::Button1Click() {
  if (!ColorDialog1.Execute(this)) return;
  GridColor = ColorDialog1.Color;
  plat::TCanvas& c = Swatch.Canvas();
  c.Brush.Color = ColorDialog1.Color;
  c.Rectangle(0, 0, 85, 45);
  ShowSwatch();
}

}  // namespace lumivar
