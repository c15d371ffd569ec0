#include "orvanta/tools/UravnFormUnit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "orvanta/tools/calc/ToolCalc.h"
#include "platform/qt/Services.h"
#include "platform/qt/Text.h"

TUravnForm* UravnForm = nullptr;

namespace {
void SetLabel(QLabel* l, const QString& text) {
  l->setText(text);
  l->adjustSize();
}
void BoldLabel(QLabel* l, int points) {
  QFont f = l->font();
  f.setBold(true);
  f.setPixelSize(points * 96 / 72);
  l->setFont(f);
  l->adjustSize();
}
}  // namespace

TUravnForm::TUravnForm(QWidget* parent)
    : TToolForm(parent, "UravnForm", "Решение квадратных уравнений", 391, 138) {
  SetGlyphIcon("x²", Qt::darkRed);
  MakeLabel(this, "Label1", "Введите коэффициенты уравнения:", 8, 8);
  BoldLabel(MakeLabel(this, "Label2", "a =", 8, 32), 12);
  txtA = MakeEdit(this, "txtA", "1", 40, 32, 73);
  BoldLabel(MakeLabel(this, "Label3", "b =", 144, 32), 12);
  txtB = MakeEdit(this, "txtB", "1", 176, 32, 73);
  BoldLabel(MakeLabel(this, "Label4", "c =", 272, 32), 12);
  txtC = MakeEdit(this, "txtC", "1", 304, 32, 73);
  MakeDecimals(this, 8, 69, 137, 68, 153);
  btnCancel = MakeButton(this, "btnCancel", "Закрыть", 8, 96, 121);
  btnAddGraph = MakeButton(this, "btnAddGraph", "Построить график", 136, 96, 121);
  btnAddGraph->setEnabled(false);
  btnOk = MakeButton(this, "btnOk", "Решить", 264, 96, 121);
  SetDefaultButton(btnOk);

  cpUravn = MakeFitLabel(this, "cpUravn", 8, 144);
  BoldLabel(cpUravn, 10);
  MakeLabel(this, "Label6", "Дискриминант = ", 168, 144);
  txtD = MakeEdit(this, "txtD", "", 264, 142, 121);
  txtD->setReadOnly(true);
  MarkBold(txtD);
  cpResult = MakeLabel(this, "cpResult", "", 8, 168);
  txtX1 = MakeEdit(this, "txtX1", "", 8, 184, 89);
  txtX1->setReadOnly(true);
  MarkResult(txtX1);
  txtX2 = MakeEdit(this, "txtX2", "", 104, 184, 89);
  txtX2->setReadOnly(true);
  MarkResult(txtX2);

  plat::On(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
  plat::On(btnAddGraph, &QPushButton::clicked, this, [this] { btnAddGraphClick(); });
  plat::On(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

void TUravnForm::btnOkClick() {
  btnAddGraph->setEnabled(true);
  RevealResults(250);
  const long double a = ReadBox(txtA, "1", [](long double v) { return v != 0; });
  const long double b = ReadBox(txtB, "1");
  const long double c = ReadBox(txtC, "1");
  const tools::TQuadratic q = tools::SolveQuadratic(a, b, c, Decimals());
  // Up to the discriminant's label beside it.
  ShowLabel(cpUravn, QString::fromStdString(q.Equation), 164);
  if (q.OverflowAt == 1) RaiseOverflow();
  ShowText(txtD, QString::fromStdString(q.DText));
  if (q.OverflowAt == 2) RaiseOverflow();
  switch (q.Roots) {
    case 1:
      SetLabel(cpResult, QString::fromUtf8("Данное уравнение имеет единственный корень:"));
      ShowText(txtX1, QString::fromStdString(q.X1));
      txtX1->show();
      txtX2->hide();
      break;
    case 2:
      txtX1->show();
      txtX2->show();
      SetLabel(cpResult, QString::fromUtf8("Данное уравнение имеет два корня:"));
      ShowText(txtX1, QString::fromStdString(q.X1));
      ShowText(txtX2, QString::fromStdString(q.X2));
      break;
    default:
      txtX1->hide();
      txtX2->hide();
      SetLabel(cpResult, QString::fromUtf8("Данное уравнение не имеет действительных корней"));
      break;
  }
}

void TUravnForm::btnAddGraphClick() {
  QString text = cpUravn->text();
  text.chop(2);  // the "=0"
  HandToPlot(plat::ToCp1251(text));
}

void TUravnForm::btnCancelClick() { close(); }
