#include "orvanta/tools/IntegralFormUnit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"
#include "orvanta/tools/calc/ToolCalc.h"
#include "platform/qt/Services.h"
#include "platform/qt/Text.h"

TIntegralForm* IntegralForm = nullptr;

TIntegralForm::TIntegralForm(QWidget* parent)
    : TToolForm(parent, "IntegralForm", " Определенный интеграл", 344, 250) {
  SetGlyphIcon("∫", Qt::darkGreen);
  txtFunction = new QComboBox(this);
  txtFunction->setObjectName("txtFunction");
  txtFunction->setEditable(true);
  PlaceFunctionBox(txtFunction);

  GroupBox1 = new QGroupBox(this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setGeometry(8, 48, 329, 153);
  MakeLabel(GroupBox1, "Label4", "Нижний предел:", 8, 16);
  txtMinX = MakeEdit(GroupBox1, "txtMinX", "0", 152, 14, 121);
  MakeLabel(GroupBox1, "Label3", "Верхний предел:", 8, 40);
  txtMaxX = MakeEdit(GroupBox1, "txtMaxX", "1", 152, 38, 121);
  MakeLabel(GroupBox1, "Label2", "Шаг интегрирования (dx):", 8, 64);
  txtDx = MakeEdit(GroupBox1, "txtDx", "0.001", 152, 62, 121);
  MakeDecimals(GroupBox1, 8, 96, 153, 92, 169);
  cbxIfPolog = new QCheckBox(QString::fromUtf8("Интегрирование по абсолютному значению"), GroupBox1);
  cbxIfPolog->setObjectName("cbxIfPolog");
  cbxIfPolog->setGeometry(8, 120, 313, 17);

  btnCancel = MakeButton(this, "btnCancel", "Закрыть", 8, 208, 161);
  btnOk = MakeButton(this, "btnOk", "Интегрировать", 176, 208, 161);
  SetDefaultButton(btnOk);

  gbResults = new QGroupBox(QString::fromUtf8("Последние результаты"), this);
  gbResults->setObjectName("gbResults");
  gbResults->setGeometry(8, 248, 329, 81);
  gbResults->hide();
  // Just below the group's title.
  lblFunc = MakeFitLabel(gbResults, "lblFunc", 8, 18);
  MarkBold(lblFunc);
  lblPredel = MakeFitLabel(gbResults, "lblPredel", 8, 32);
  lblPolog = MakeLabel(gbResults, "lblPolog", "Интегрирование по абсолютному значению:", 8, 48);
  lblAbs = MakeLabel(gbResults, "lblAbs", "", 240, 48);
  MarkBold(lblAbs);
  MakeLabel(gbResults, "Label10", "Результат: ", 8, 64);
  lblResult = MakeFitLabel(gbResults, "lblResult", 72, 64);
  MarkResult(lblResult);

  plat::On(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
  plat::On(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

void TIntegralForm::btnOkClick() {
  const std::string formula = FormulaText(txtFunction);
  auto f = tools::ParseFormula(formula);
  if (f->ErrorCode != 0) {
    Inform(tools::EngineMessage(f->ErrorCode));
    txtFunction->setFocus();
    return;
  }
  const long double a = ReadBox(txtMinX, "0");
  // Not tested again after the replacement: with a >= 1 the sum is empty.
  const long double b = ReadBox(txtMaxX, "1", [a](long double v) { return v > a; });
  const long double dx = ReadBox(txtDx, "0.001", [](long double v) { return v > 0 && v < 1; });
  const int digits = Decimals();

  const tools::TIntegral r = tools::Integrate(*f, a, b, dx, cbxIfPolog->isChecked());
  if (r.TooManyTerms || r.StepLost) {
    Inform(r.TooManyTerms ? tools::MsgTooManyTerms : tools::MsgStepLost);
    txtDx->setFocus();
    return;
  }
  if (r.ErrorCode != 0) {
    Inform(tools::EngineMessage(r.ErrorCode));
    txtFunction->setFocus();
    return;
  }
  if (r.Overflow) RaiseOverflow();

  gbResults->show();
  RevealResults(364);
  ShowLabel(lblFunc, plat::FromCp1251(formula));
  ShowLabel(lblPredel, QString::fromUtf8("Интегрирование от ") + txtMinX->text() +
                          QString::fromUtf8(" до ") + txtMaxX->text() +
                          QString::fromUtf8(" с шагом ") + txtDx->text());
  ShowLabel(lblAbs, QString::fromUtf8(cbxIfPolog->isChecked() ? "да" : "нет"));
  ShowLabel(lblResult, QString::fromStdString(FormatFixed(r.Sum, digits)));
}

void TIntegralForm::btnCancelClick() { close(); }

void TIntegralForm::FormShow() { txtFunction->setFocus(); }
