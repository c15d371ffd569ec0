// The main window's function list, function toolbar and the add-function road.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <initializer_list>
#include <memory>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/workbench/GeneralFormUnit.h"
#include "orvanta/workbench/NewFuncSetFile.h"
#include "orvanta/workbench/NewFunctionFormUnit.h"
#include "platform/qt/Text.h"

bool FunctionAdded = false;

namespace {

QString Text5(long double v) { return QString::fromStdString(DecimalText(v, 5)); }

// A whole-number function field: always 1..9, since the drawing divides by
// the samples value and sizes its pens by the other two.
std::uint16_t WholeValue(std::int64_t v) { return static_cast<std::uint16_t>(ClampNewFuncInt(v)); }
// A whole-number box of the dialog as a function field.
std::uint16_t WholeField(const QLineEdit* box) {
  return WholeValue(StrToInteger(plat::ToCp1251(box->text())));
}

// Changes the selected function and redraws; without a selection nothing
// happens.
template <class Change>
void ChangeSelected(TGeneralForm& form, Change change) {
  const int32_t i = form.SelectedFunction();
  if (i < 0) return;
  change(*MainScreen->Funcs[i]);
  form.DrawScreen();
}

}  // namespace

void TGeneralForm::SetupFunctionHandlers() {
  plat::On(mnuFunctionAdd, &QAction::triggered, this, [this] { mnuFunctionAddClick(); });
  plat::On(mnuFunctionDelete, &QAction::triggered, this, [this] { mnuFunctionDeleteClick(); });
  plat::On(mnuFunctionDeleteAll, &QAction::triggered, this, [this] { mnuFunctionDeleteAllClick(); });
  plat::On(tbAddFunc, &QToolButton::clicked, this, [this] { tbAddFuncClick(); });
  plat::On(tbDelFunc, &QToolButton::clicked, this, [this] { tbDelFuncClick(); });
  plat::On(tbDeleteAll, &QToolButton::clicked, this, [this] { tbDeleteAllClick(); });

  // The user's selection changes (mouse or keyboard) and clicks on a line;
  // the program's own changes of the selection run under a signal blocker.
  plat::On(lbxFunctions, &QListWidget::currentRowChanged, this, [this] { lbxFunctionsClick(); });
  plat::On(lbxFunctions, &QListWidget::itemClicked, this, [this] { lbxFunctionsClick(); });
  // The toolbar acts on the current line, so it always stays highlighted: a
  // click below the lines or a control-click would otherwise clear it.
  plat::On(lbxFunctions, &QListWidget::itemSelectionChanged, this, [this] {
    QListWidgetItem* current = lbxFunctions->currentItem();
    if (current != nullptr && lbxFunctions->selectedItems().isEmpty()) current->setSelected(true);
  });

  udDiametr->OnClick = [this](bool) { udDiametrClick(); };
  udWidth->OnClick = [this](bool) { udWidthClick(); };
  udKolvo->OnClick = [this](bool) { udKolvoClick(); };
  stColor->OnClick = [this] { stColorClick(); };

  // clicked, not toggled: setting the down state from the program is no click.
  plat::On(tbZeloe, &QToolButton::clicked, this, [this] { tbZeloeClick(); });
  plat::On(tbPolog, &QToolButton::clicked, this, [this] { tbPologClick(); });
  plat::On(tbLines, &QToolButton::clicked, this, [this] { tbLinesClick(); });
  plat::On(tbRazryv, &QToolButton::clicked, this, [this] { tbRazryvClick(); });
  plat::On(tbLeftOgr, &QToolButton::clicked, this, [this] { tbLeftOgrClick(); });
  plat::On(tbRightOgr, &QToolButton::clicked, this, [this] { tbRightOgrClick(); });
  plat::On(tbOk, &QToolButton::clicked, this, [this] { tbOkClick(); });
  plat::On(tbOk1, &QToolButton::clicked, this, [this] { tbOk1Click(); });

  // Enter: the apply handlers run even while their buttons are disabled.
  auto enter = [this](void (TGeneralForm::*h)(char&)) {
    return [this, h] {
      char key = 13;
      (this->*h)(key);
    };
  };
  plat::On(txtFunction, &QLineEdit::returnPressed, this, enter(&TGeneralForm::txtFunctionKeyPress));
  plat::On(txtXMin, &QLineEdit::returnPressed, this, enter(&TGeneralForm::txtXMinKeyPress));
  plat::On(txtXMax, &QLineEdit::returnPressed, this, enter(&TGeneralForm::txtXMaxKeyPress));
  plat::On(txtRazryv, &QLineEdit::returnPressed, this, enter(&TGeneralForm::txtRazryvKeyPress));

  // Change events: every change of the text, typed or set by the program.
  plat::On(txtFunction, &QLineEdit::textChanged, this, [this] { txtFunctionChange(); });
  plat::On(txtXMin, &QLineEdit::textChanged, this, [this] { txtXMinChange(); });
  plat::On(txtXMax, &QLineEdit::textChanged, this, [this] { txtXMaxChange(); });
}

int32_t TGeneralForm::SelectedFunction() const {
  if (MainScreen == nullptr) return -1;
  const int row = lbxFunctions->currentRow();
  if (row < 0 || row >= MainScreen->FuncCount || row >= MaxFuncCount || !MainScreen->Funcs[row])
    return -1;
  return row;
}

// ---------------------------------------------------------------- adding

void TGeneralForm::tbAddFuncClick() { mnuFunctionAddClick(); }

void TGeneralForm::mnuFunctionAddClick() {
  if (MainScreen == nullptr || NewFunctionForm == nullptr) return;
  if (MainScreen->FuncCount >= MaxFuncCount) {
    plat::MessageBox("Предельное количество функций: 16", plat::MsgKind::Information);
    return;
  }
  NewFunctionForm->pgPage->setCurrentIndex(0);
  plat::Services().ExecModal(NewFunctionForm);
  if (!FunctionAdded) return;

  const int32_t i = MainScreen->FuncCount;
  const QString line = NewFunctionForm->txtExpression->currentText();
  // The slot, the list line and the count change together: a fault before
  // the count moves takes the slot back out, so list and slots stay in step.
  CreateFunction(i);
  try {
    const QSignalBlocker block(lbxFunctions);
    lbxFunctions->addItem(line);
  } catch (...) {
    MainScreen->Funcs[i].reset();
    if (lbxFunctions->count() > i) {
      const QSignalBlocker block(lbxFunctions);
      delete lbxFunctions->takeItem(i);
    }
    throw;
  }
  MainScreen->FuncCount = i + 1;
  {
    const QSignalBlocker block(lbxFunctions);
    lbxFunctions->setCurrentRow(i);
  }
  DrawFunction(i);
  StatusBar->SetPanelText(panelFuncCount, FuncCountText(MainScreen->FuncCount));
  EnableFunctionControls(true);
  lbxFunctionsClick();
}

void TGeneralForm::CreateFunction(int32_t i) {
  const TNewFunctionForm& d = *NewFunctionForm;
  auto f = std::make_unique<objFunc>();
  f->Expression = d.ExpressionText();
  f->IfMinX = d.cbxMinX->isChecked();
  f->IfMaxX = d.cbxMaxX->isChecked();
  f->IfRazryv = d.cbxIfRazryv->isChecked();
  f->IfLines = d.cbxIfLines->isChecked();
  f->XPolog = d.cbxXPolog->isChecked();
  f->XCeloe = d.cbxXCeloe->isChecked();
  f->Razryv = StrToExt(plat::ToCp1251(d.txtRazryv->text()));
  f->MinX = StrToExt(plat::ToCp1251(d.txtMinX->text()));
  f->MaxX = StrToExt(plat::ToCp1251(d.txtMaxX->text()));
  f->LineWidth = WholeField(d.txtWidth);
  f->Diametr = WholeField(d.txtDiametr);
  f->Kolvo = WholeField(d.txtKolvo);
  f->GraphColor = d.stColor->Color();
  f->Reset();
  f->Parse(f->Expression);
  MainScreen->Funcs[i] = std::move(f);
}

// ---------------------------------------------------------------- the list

void TGeneralForm::lbxFunctionsClick() {
  if (MainScreen == nullptr || MainScreen->FuncCount == 0) return;
  const int32_t i = SelectedFunction();
  if (i < 0) return;
  const objFunc& f = *MainScreen->Funcs[i];
  txtFunction->setText(lbxFunctions->item(i)->text());
  txtFunction->setCursorPosition(0);
  udDiametr->SetPosition(f.Diametr);
  udWidth->SetPosition(f.LineWidth);
  udKolvo->SetPosition(f.Kolvo);
  txtDiametr->setText(QString::number(udDiametr->Position()));
  txtWidth->setText(QString::number(udWidth->Position()));
  txtKolvo->setText(QString::number(udKolvo->Position()));
  stColor->SetColor(f.GraphColor);
  tbZeloe->setChecked(f.XCeloe);
  tbPolog->setChecked(f.XPolog);
  tbLines->setChecked(f.IfLines);
  tbRazryv->setChecked(f.IfRazryv);
  txtRazryv->setEnabled(tbRazryv->isChecked());
  txtRazryv->setText(Text5(f.Razryv));
  tbLeftOgr->setChecked(f.IfMinX);
  tbRightOgr->setChecked(f.IfMaxX);
  txtXMin->setEnabled(tbLeftOgr->isChecked());
  txtXMax->setEnabled(tbRightOgr->isChecked());
  txtXMin->setText(Text5(f.MinX));
  txtXMax->setText(Text5(f.MaxX));
  tbOk->setEnabled(false);
  tbOk1->setEnabled(false);
}

// ---------------------------------------------------------------- property controls

void TGeneralForm::udDiametrClick() {
  ChangeSelected(*this, [this](objFunc& f) { f.Diametr = WholeValue(udDiametr->Position()); });
}

void TGeneralForm::udWidthClick() {
  ChangeSelected(*this, [this](objFunc& f) { f.LineWidth = WholeValue(udWidth->Position()); });
}

void TGeneralForm::udKolvoClick() {
  ChangeSelected(*this, [this](objFunc& f) { f.Kolvo = WholeValue(udKolvo->Position()); });
}

void TGeneralForm::stColorClick() {
  const int32_t i = SelectedFunction();
  if (i < 0) return;
  if (!ColorDialog.Execute(this)) return;
  MainScreen->Funcs[i]->GraphColor = ColorDialog.Color;
  stColor->SetColor(ColorDialog.Color);
  DrawScreen();
}

void TGeneralForm::tbZeloeClick() {
  ChangeSelected(*this, [this](objFunc& f) { f.XCeloe = tbZeloe->isChecked(); });
}

void TGeneralForm::tbPologClick() {
  ChangeSelected(*this, [this](objFunc& f) { f.XPolog = tbPolog->isChecked(); });
}

void TGeneralForm::tbLinesClick() {
  ChangeSelected(*this, [this](objFunc& f) { f.IfLines = tbLines->isChecked(); });
}

void TGeneralForm::tbRazryvClick() {
  ChangeSelected(*this, [this](objFunc& f) {
    f.IfRazryv = tbRazryv->isChecked();
    txtRazryv->setEnabled(tbRazryv->isChecked());
  });
}

void TGeneralForm::tbLeftOgrClick() {
  ChangeSelected(*this, [this](objFunc& f) {
    f.IfMinX = tbLeftOgr->isChecked();
    txtXMin->setEnabled(tbLeftOgr->isChecked());
  });
}

void TGeneralForm::tbRightOgrClick() {
  ChangeSelected(*this, [this](objFunc& f) {
    f.IfMaxX = tbRightOgr->isChecked();
    txtXMax->setEnabled(tbRightOgr->isChecked());
  });
}

// ---------------------------------------------------------------- applying

void TGeneralForm::tbOkClick() {
  tbOk->setEnabled(false);
  const int32_t i = SelectedFunction();
  if (i < 0) return;
  objFunc& f = *MainScreen->Funcs[i];
  const std::string old = f.Expression;
  f.Expression = plat::ToCp1251(txtFunction->text());
  f.Reset();
  f.Parse(f.Expression);
  if (f.ErrorCode != 0) {
    f.Expression = old;
    f.Reset();
    f.Parse(f.Expression);
    txtFunction->setText(plat::FromCp1251(old));
    txtFunction->setCursorPosition(0);
    txtFunction->setFocus(Qt::OtherFocusReason);
    return;
  }
  {
    const QSignalBlocker block(lbxFunctions);
    lbxFunctions->item(i)->setText(txtFunction->text());
  }
  DrawScreen();
}

void TGeneralForm::tbOk1Click() {
  tbOk1->setEnabled(false);
  const int32_t i = SelectedFunction();
  if (i < 0) return;
  objFunc& f = *MainScreen->Funcs[i];
  const QString fallbackMax = Text5(f.MaxX);
  const QString fallbackMin = Text5(f.MinX);
  const QString fallbackRazryv = Text5(f.Razryv);
  long double v = 0;
  if (!TryStrToExt(plat::ToCp1251(txtXMax->text()), &v)) txtXMax->setText(fallbackMax);
  if (!TryStrToExt(plat::ToCp1251(txtXMin->text()), &v)) txtXMin->setText(fallbackMin);
  if (!TryStrToExt(plat::ToCp1251(txtRazryv->text()), &v) || !(v > 0)) txtRazryv->setText(fallbackRazryv);
  f.MaxX = StrToExt(plat::ToCp1251(txtXMax->text()));
  f.MinX = StrToExt(plat::ToCp1251(txtXMin->text()));
  f.Razryv = StrToExt(plat::ToCp1251(txtRazryv->text()));
  // The expression and its list line are left alone: an edited but
  // unapplied text in txtFunction is not the function's expression.
  DrawScreen();
}

void TGeneralForm::txtFunctionKeyPress(char& Key) {
  if (Key == 13) tbOkClick();
}

void TGeneralForm::txtXMinKeyPress(char& Key) {
  if (Key == 13) tbOk1Click();
}

void TGeneralForm::txtXMaxKeyPress(char& Key) {
  if (Key == 13) tbOk1Click();
}

void TGeneralForm::txtRazryvKeyPress(char& Key) {
  if (Key == 13) tbOk1Click();
}

void TGeneralForm::txtFunctionChange() { tbOk->setEnabled(true); }
void TGeneralForm::txtXMinChange() { tbOk1->setEnabled(true); }
void TGeneralForm::txtXMaxChange() { tbOk1->setEnabled(true); }

// ---------------------------------------------------------------- deleting

void TGeneralForm::tbDelFuncClick() { mnuFunctionDeleteClick(); }
void TGeneralForm::tbDeleteAllClick() { mnuFunctionDeleteAllClick(); }

void TGeneralForm::mnuFunctionDeleteClick() {
  const int32_t i = SelectedFunction();
  if (i < 0) return;
  const int32_t n = MainScreen->FuncCount;
  if (n == 1) EnableFunctionControls(false);
  MainScreen->Funcs[i].reset();
  for (int32_t k = i; k + 1 < n; ++k) MainScreen->Funcs[k] = std::move(MainScreen->Funcs[k + 1]);
  {
    const QSignalBlocker block(lbxFunctions);
    delete lbxFunctions->takeItem(i);
    MainScreen->FuncCount = n - 1;
    if (lbxFunctions->count() > 0) lbxFunctions->setCurrentRow(0);
  }
  lbxFunctionsClick();
  DrawScreen();
}

void TGeneralForm::mnuFunctionDeleteAllClick() {
  if (MainScreen == nullptr) return;
  EnableFunctionControls(false);
  MainScreen->ClearFuncs();
  {
    const QSignalBlocker block(lbxFunctions);
    lbxFunctions->clear();
  }
  DrawScreen();
}

void TGeneralForm::EnableFunctionControls(bool On) {
  if (!On) {
    stColor->SetColor(0x808080);
    txtFunction->setText("");
    txtXMin->setText("");
    txtXMax->setText("");
    txtRazryv->setText("");
    txtDiametr->setText("");
    txtKolvo->setText("");
    txtWidth->setText("");
  }
  for (QAction* a : {mnuFileSaveAs, mnuFunctionDelete, mnuFunctionDeleteAll}) a->setEnabled(On);
  for (QWidget* w : std::initializer_list<QWidget*>{
           tbSaveFile, tbDelFunc, tbDeleteAll, txtXMin, txtXMax, tbOk1, txtFunction, tbOk, txtDiametr,
           txtWidth, txtKolvo, udDiametr, udWidth, udKolvo, stColor, tbZeloe, tbPolog, tbLines,
           tbRazryv, tbLeftOgr, tbRightOgr, txtRazryv})
    w->setEnabled(On);
}
