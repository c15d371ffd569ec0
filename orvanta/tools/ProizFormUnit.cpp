#include "orvanta/tools/ProizFormUnit.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "orvanta/tools/calc/ToolCalc.h"
#include "platform/qt/Services.h"
#include "platform/qt/Text.h"

TProizForm* ProizForm = nullptr;

TProizForm::TProizForm(QWidget* parent)
    : TToolForm(parent, "ProizForm", " Производная функции", 345, 121) {
  SetGlyphIcon("f'", Qt::darkBlue);
  txtFunction = new QComboBox(this);
  txtFunction->setObjectName("txtFunction");
  txtFunction->setEditable(true);
  PlaceFunctionBox(txtFunction);
  MakeDecimals(this, 8, 56, 153, 52, 169);
  btnCancel = MakeButton(this, "btnCancel", "Закрыть", 8, 80, 161);
  btnOk = MakeButton(this, "btnOk", "Найти производную", 176, 80, 161);
  SetDefaultButton(btnOk);

  GroupBox1 = new QGroupBox(QString::fromUtf8("Последние результаты"), this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setGeometry(8, 120, 329, 121);
  lbFunc = MakeFitLabel(GroupBox1, "lbFunc", 10, 20);
  MarkBold(lbFunc);
  txtProiz = MakeEdit(GroupBox1, "txtProiz", "", 8, 40, 313);
  MarkResult(txtProiz);
  btnSecond = MakeButton(GroupBox1, "btnSecond", "Вторая производная", 8, 72, 153);
  btnGraph = MakeButton(GroupBox1, "btnGraph", "Построить график", 168, 72, 153);

  plat::On(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
  plat::On(btnSecond, &QPushButton::clicked, this, [this] { btnSecondClick(); });
  plat::On(btnGraph, &QPushButton::clicked, this, [this] { btnGraphClick(); });
  plat::On(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

void TProizForm::btnOkClick() {
  const tools::TDerivative d = tools::Derivative(FormulaText(txtFunction), Decimals());
  if (!d.Message.empty()) {
    Inform(d.Message);
    txtFunction->setFocus();
    return;
  }
  ShowText(txtProiz, plat::FromCp1251(d.Text));
  ShowLabel(lbFunc, plat::FromCp1251(d.Heading));
  RevealResults(276);
  btnGraph->setFocus();
}

void TProizForm::btnSecondClick() {
  SetFormulaText(txtFunction, plat::ToCp1251(txtProiz->text()));
  btnOkClick();
}

void TProizForm::btnGraphClick() {
  HandToPlot(plat::ToCp1251(txtProiz->text()));
  txtFunction->setFocus();
}

void TProizForm::btnCancelClick() { close(); }

void TProizForm::FormShow() {
  if (!txtFunction->currentText().isEmpty()) btnOkClick();
}
