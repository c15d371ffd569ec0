#include "orvanta/tools/KasatFormUnit.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "orvanta/tools/calc/ToolCalc.h"
#include "platform/qt/Services.h"
#include "platform/qt/Text.h"

TKasatForm* KasatForm = nullptr;

TPointLineForm::TPointLineForm(QWidget* parent, bool normal)
    : TToolForm(parent, normal ? "NormalForm" : "KasatForm",
                normal ? "Уравнение нормали" : "Уравнение касательной", 345, normal ? 185 : 184),
      Normal(normal) {
  if (normal)
    SetGlyphIcon("⊥", Qt::darkGray);
  else
    SetGlyphIcon("T", Qt::blue);
  const char* pointCaption = normal ? "Точка пересечения x =" : "Точка касания x =";
  txtFunction = new QComboBox(this);
  txtFunction->setObjectName("txtFunction");
  txtFunction->setEditable(true);
  PlaceFunctionBox(txtFunction);

  GroupBox1 = new QGroupBox(this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setGeometry(8, 48, 329, 89);
  Label2 = MakeLabel(GroupBox1, "Label2", pointCaption, 8, 20);
  txtX0 = MakeEdit(GroupBox1, "txtX0", "1", 136, 19, 121);
  MakeDecimals(GroupBox1, 8, 53, 137, 52, 153);

  btnCancel = MakeButton(this, "btnCancel", "Закрыть", 8, 144, 161);
  btnOk = MakeButton(this, "btnOk", normal ? "Вычислить нормаль" : "Вычислить касательную", 176,
                     144, 161);
  SetDefaultButton(btnOk);

  GroupBox2 = new QGroupBox(QString::fromUtf8("Последние результаты"), this);
  GroupBox2->setObjectName("GroupBox2");
  GroupBox2->setGeometry(8, 184, 329, 137);
  lbFunc = MakeFitLabel(GroupBox2, "lbFunc", 10, 20);
  MarkBold(lbFunc);
  Label3 = MakeLabel(GroupBox2, "Label3", pointCaption, 8, 40);
  lbX0 = MakeFitLabel(GroupBox2, "lbX0", normal ? 130 : 114, 40);
  MarkBold(lbX0);
  txtKasat = MakeEdit(GroupBox2, "txtKasat", "", 8, 64, 313);
  MarkResult(txtKasat);
  btnGraph = MakeButton(GroupBox2, "btnGraph", "Добавить график", 168, 96, 153);

  plat::On(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
  plat::On(btnGraph, &QPushButton::clicked, this, [this] { btnGraphClick(); });
  plat::On(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

void TPointLineForm::btnOkClick() {
  const std::string formula = FormulaText(txtFunction);
  const int digits = Decimals();
  // The point is read (and corrected) even when the formula is wrong.
  const long double x0 = ReadBox(txtX0, "1");
  const tools::TTangent t = tools::TangentLine(formula, x0, digits, Normal);
  if (!t.Message.empty()) {
    Inform(t.Message);
    txtFunction->setFocus();
    return;
  }
  if (t.Overflow) RaiseOverflow();
  ShowText(txtKasat, plat::FromCp1251(t.Equation));
  ShowLabel(lbFunc, plat::FromCp1251(formula));
  ShowLabel(lbX0, txtX0->text());
  RevealResults(354);
  btnGraph->setFocus();
}

void TPointLineForm::btnGraphClick() {
  HandToPlot(plat::ToCp1251(txtKasat->text()));
  txtFunction->setFocus();
}

void TPointLineForm::btnCancelClick() { close(); }
