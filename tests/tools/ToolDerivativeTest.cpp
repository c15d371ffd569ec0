// The derivative window and its hand-over to the new-function dialog.
#include "ToolWindowsFixture.h"

namespace {

TEST_F(ToolWindows, DerivativeComputesWhenShownAndGrows) {
  TProizForm& w = *ProizForm;
  EXPECT_EQ(w.OuterHeight(), 121 + TToolForm::FrameHeight);
  w.txtFunction->setEditText("x^2");
  Open(&w);
  EXPECT_TRUE(fake.Messages.empty());
  EXPECT_EQ(U(w.txtProiz->text()), "2*(1)*x");
  EXPECT_EQ(U(w.lbFunc->text()), "(x^2)' =");
  EXPECT_EQ(w.OuterHeight(), 276);
  EXPECT_EQ(w.focusWidget(), w.btnGraph);

  // Second and third derivatives; the formula box holds the one before.
  w.btnSecondClick();
  EXPECT_EQ(U(w.txtProiz->text()), "2*(1)");
  w.btnSecondClick();
  EXPECT_EQ(U(w.txtProiz->text()), "0");
  EXPECT_EQ(U(w.txtFunction->currentText()), "2*(1)");

  // Failures keep the results and the height and give the formula box the focus.
  w.txtFunction->setEditText("abs(x)*x");
  w.btnOkClick();
  EXPECT_EQ(LastMessage(), tools::MsgNonDiff);
  EXPECT_EQ(U(w.txtProiz->text()), "0");
  EXPECT_EQ(w.focusWidget(), w.txtFunction);
  EXPECT_EQ(w.OuterHeight(), 276);
}

TEST_F(ToolWindows, DerivativeWithEmptyFormulaWaitsForEnter) {
  TProizForm& w = *ProizForm;
  w.txtFunction->setEditText("");
  Open(&w);
  EXPECT_TRUE(fake.Messages.empty());
  w.btnOkClick();
  EXPECT_EQ(LastMessage(), "Выражение некорректно");
  EXPECT_EQ(w.OuterHeight(), 121 + TToolForm::FrameHeight);
}

TEST_F(ToolWindows, HandOffGivesTheTextToTheNewFunctionDialog) {
  TProizForm& w = *ProizForm;
  w.txtFunction->setEditText("sin(x)");
  w.btnOkClick();
  w.txtProiz->setText("cos(x)+");  // an edit is handed over untested
  EXPECT_EQ(HandOff([&] { w.btnGraphClick(); }), "cos(x)+");
  EXPECT_EQ(w.focusWidget(), w.txtFunction);

  // Confirmed in the dialog, the formula becomes a listed function.
  w.txtProiz->setText("cos(x)");
  fake.OnExecModal = [](QDialog* d) {
    static_cast<TNewFunctionForm*>(d)->btnAddFunction->click();
    return d->result();
  };
  w.btnGraphClick();
  fake.OnExecModal = nullptr;
  ASSERT_EQ(Form().lbxFunctions->count(), 1);
  EXPECT_EQ(U(Form().lbxFunctions->item(0)->text()), "cos(x)");
}

TEST_F(ToolWindows, HandOffRespectsTheLimitOf16) {
  for (int i = 0; i < 16; ++i) Add("x+" + std::to_string(i));
  ASSERT_EQ(Form().lbxFunctions->count(), 16);
  fake.ClearRecords();
  LineForm->btnOkClick();
  EXPECT_EQ(HandOff([] { LineForm->btnAddGraphClick(); }), "<not opened>");
  EXPECT_EQ(LastMessage(), "Предельное количество функций: 16");
  EXPECT_EQ(Form().lbxFunctions->count(), 16);
  // The line window leaves the focus where it was.
  EXPECT_EQ(LineForm->focusWidget(), LineForm->btnAddGraph);
}

TEST_F(ToolWindows, ResultsLongerThanAnEditsLimitAreKeptWhole) {
  // A derivative of a deep nest: its text far exceeds 32,767 characters.
  std::string formula = "x";
  for (int i = 0; i < 130; ++i) formula = "sin(" + formula + ")";
  const tools::TDerivative d = tools::Derivative(formula, 4);
  ASSERT_TRUE(d.Message.empty());
  ASSERT_GT(d.Text.size(), 40000u);

  TProizForm& p = *ProizForm;
  p.txtFunction->setEditText(QString::fromStdString(formula));
  p.btnOkClick();
  ASSERT_TRUE(fake.Messages.empty());
  EXPECT_EQ(p.txtProiz->text().size(), static_cast<qsizetype>(d.Text.size()));
  EXPECT_EQ(U(p.txtProiz->text()), d.Text);
  EXPECT_EQ(p.txtProiz->cursorPosition(), 0);  // shown from its start
  // Taken over whole by the formula box, the new-function dialog and the list.
  p.btnSecondClick();
  EXPECT_EQ(U(p.txtFunction->currentText()), d.Text);
  EXPECT_EQ(p.txtFunction->lineEdit()->cursorPosition(), 0);
  p.btnOkClick();
  p.txtProiz->setText(QString::fromStdString(d.Text));
  EXPECT_EQ(HandOff([&] { p.btnGraphClick(); }), d.Text);

  // A long formula in the list: whole, from its start, in the function
  // toolbar and in a tool's formula box.
  const std::string longFormula = "x+0." + std::string(40000, '0') + "1";
  Add(longFormula);
  ASSERT_EQ(Form().lbxFunctions->count(), 1);
  Form().lbxFunctions->setCurrentRow(0);
  Form().lbxFunctionsClick();
  EXPECT_EQ(U(Form().txtFunction->text()), longFormula);
  EXPECT_EQ(Form().txtFunction->cursorPosition(), 0);
  Form().HandFunctionsTo(KasatForm->txtFunction);
  EXPECT_EQ(U(KasatForm->txtFunction->currentText()), longFormula);
  EXPECT_EQ(KasatForm->txtFunction->lineEdit()->cursorPosition(), 0);
}

}  // namespace
