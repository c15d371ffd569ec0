#include "orvanta/tools/ParabolaFormUnit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "orvanta/tools/calc/ToolCalc.h"
#include "platform/qt/Services.h"
#include "platform/qt/Text.h"

TParabolaForm* ParabolaForm = nullptr;


TParabolaForm::TParabolaForm(QWidget* parent)
    : TToolForm(parent, "ParabolaForm", "Парабола по трем  точкам", 259, 199) {
  SetGlyphIcon("∪", Qt::darkYellow);
  MakeLabel(this, "Label1", "Введите координаты трех точек", 56, 8);
  SizeLabel(MakeLabel(this, "Label2", "X", 80, 24), 12);
  SizeLabel(MakeLabel(this, "Label3", "Y", 184, 24), 12);
  SizeLabel(MakeLabel(this, "Label4", "1", 8, 48), 10);
  SizeLabel(MakeLabel(this, "Label6", "2", 8, 72), 10);
  SizeLabel(MakeLabel(this, "Label7", "3", 8, 96), 10);
  txtX1 = MakeEdit(this, "txtX1", "0", 32, 46, 105);
  txtY1 = MakeEdit(this, "txtY1", "0", 136, 46, 105);
  txtX2 = MakeEdit(this, "txtX2", "1", 32, 70, 105);
  txtY2 = MakeEdit(this, "txtY2", "1", 136, 70, 105);
  txtX3 = MakeEdit(this, "txtX3", "2", 32, 94, 105);
  txtY3 = MakeEdit(this, "txtY3", "4", 136, 94, 105);
  MakeDecimals(this, 8, 125, 137, 124, 153);
  btnClose = MakeButton(this, "btnClose", "Закрыть", 8, 160, 115);
  btnOk = MakeButton(this, "btnOk", "Вычислить", 136, 160, 113);
  SetDefaultButton(btnOk);
  txtFunction = MakeEdit(this, "txtFunction", "", 8, 200, 241);
  txtFunction->setReadOnly(true);
  MarkResult(txtFunction);
  btnAddGraph = MakeButton(this, "btnAddGraph", "Добавить график", 136, 232, 113);

  plat::On(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
  plat::On(btnAddGraph, &QPushButton::clicked, this, [this] { btnAddGraphClick(); });
  plat::On(txtFunction, &QLineEdit::textChanged, this, [this] { txtFunctionChange(); });
  plat::On(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

void TParabolaForm::btnOkClick() {
  const long double x1 = ReadBox(txtX1, "0");
  const long double x2 = ReadBox(txtX2, "1");
  const long double x3 = ReadBox(txtX3, "2");
  const long double y1 = ReadBox(txtY1, "0");
  const long double y2 = ReadBox(txtY2, "1");
  const long double y3 = ReadBox(txtY3, "4");
  const tools::TPoints p = tools::ParabolaThroughPoints(x1, y1, x2, y2, x3, y3, Decimals());
  switch (p.Outcome) {
    case tools::TPointsOutcome::Refused:
      Inform(tools::MsgParabolaPoints);
      return;
    case tools::TPointsOutcome::Degenerate:
      Inform(tools::MsgParabolaPoints);
      break;  // the previous parabola stays, the window still grows
    case tools::TPointsOutcome::Ok:
      ShowText(txtFunction, QString::fromStdString(p.Formula));
      break;
  }
  btnAddGraph->setFocus();
  RevealResults(308);
}

void TParabolaForm::btnAddGraphClick() { HandToPlot(plat::ToCp1251(txtFunction->text())); }

void TParabolaForm::txtFunctionChange() { btnAddGraph->setEnabled(true); }

void TParabolaForm::btnCloseClick() { close(); }
