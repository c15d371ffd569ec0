#include "orvanta/tools/LineFormUnit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "orvanta/tools/calc/ToolCalc.h"
#include "platform/qt/Services.h"
#include "platform/qt/Text.h"

TLineForm* LineForm = nullptr;


TLineForm::TLineForm(QWidget* parent) : TToolForm(parent, "LineForm", "Прямая по двум точкам", 258, 182) {
  SetGlyphIcon("/", Qt::darkMagenta);
  MakeLabel(this, "Label1", "Введите координаты двух точек", 56, 8);
  SizeLabel(MakeLabel(this, "Label2", "X", 80, 24), 12);
  SizeLabel(MakeLabel(this, "Label3", "Y", 184, 24), 12);
  SizeLabel(MakeLabel(this, "Label4", "1", 8, 48), 10);
  SizeLabel(MakeLabel(this, "Label6", "2", 8, 72), 10);
  txtX1 = MakeEdit(this, "txtX1", "0", 32, 46, 105);
  txtY1 = MakeEdit(this, "txtY1", "0", 136, 46, 105);
  txtX2 = MakeEdit(this, "txtX2", "1", 32, 70, 105);
  txtY2 = MakeEdit(this, "txtY2", "1", 136, 70, 105);
  MakeDecimals(this, 8, 109, 137, 108, 153);
  btnClose = MakeButton(this, "btnClose", "Закрыть", 6, 144, 115);
  btnOk = MakeButton(this, "btnOk", "Вычислить", 136, 144, 113);
  SetDefaultButton(btnOk);
  txtFunction = MakeEdit(this, "txtFunction", "", 8, 184, 241);
  txtFunction->setReadOnly(true);
  MarkResult(txtFunction);
  btnAddGraph = MakeButton(this, "btnAddGraph", "Добавить график", 136, 216, 113);

  plat::On(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
  plat::On(btnAddGraph, &QPushButton::clicked, this, [this] { btnAddGraphClick(); });
  plat::On(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

void TLineForm::btnOkClick() {
  const long double x1 = ReadBox(txtX1, "0");
  const long double x2 = ReadBox(txtX2, "1");
  const long double y1 = ReadBox(txtY1, "0");
  const long double y2 = ReadBox(txtY2, "1");
  const tools::TPoints p = tools::LineThroughPoints(x1, y1, x2, y2, Decimals());
  switch (p.Outcome) {
    case tools::TPointsOutcome::Refused:
      Inform(tools::MsgLinePoints);
      return;
    case tools::TPointsOutcome::Degenerate:
      Inform(tools::MsgLinePoints);
      break;  // the previous line stays, the window still grows
    case tools::TPointsOutcome::Ok:
      ShowText(txtFunction, QString::fromStdString(p.Formula));
      break;
  }
  btnAddGraph->setFocus();
  RevealResults(292);
}

void TLineForm::btnAddGraphClick() { HandToPlot(plat::ToCp1251(txtFunction->text())); }

void TLineForm::btnCloseClick() { close(); }
