// The tool windows driven by real key events as a shown window receives them.
#include "ToolWindowsFixture.h"

namespace {

TEST_F(ToolKeys, TheFirstEnterRunsEachToolFromItsFormulaAndNumberBoxes) {
  Add("x^2");
  struct Case {
    TToolForm* w;
    QComboBox* formula;  // null in the windows without a formula box
    std::vector<QLineEdit*> boxes;
  };
  const Case cases[] = {
      {ProizForm, ProizForm->txtFunction, {ProizForm->txtWidth}},
      {KasatForm, KasatForm->txtFunction, {KasatForm->txtX0, KasatForm->txtWidth}},
      {NormalForm, NormalForm->txtFunction, {NormalForm->txtX0, NormalForm->txtWidth}},
      {IntegralForm, IntegralForm->txtFunction,
       {IntegralForm->txtMinX, IntegralForm->txtMaxX, IntegralForm->txtDx, IntegralForm->txtWidth}},
      {TableForm, TableForm->txtFunction,
       {TableForm->txtStart, TableForm->txtDx, TableForm->txtKolvo, TableForm->txtWidth}},
      {LineForm, nullptr,
       {LineForm->txtX1, LineForm->txtY1, LineForm->txtX2, LineForm->txtY2, LineForm->txtWidth}},
      {ParabolaForm, nullptr,
       {ParabolaForm->txtX1, ParabolaForm->txtY1, ParabolaForm->txtX2, ParabolaForm->txtY2,
        ParabolaForm->txtX3, ParabolaForm->txtY3, ParabolaForm->txtWidth}},
      {UravnForm, nullptr, {UravnForm->txtA, UravnForm->txtB, UravnForm->txtC, UravnForm->txtWidth}},
  };
  for (const Case& c : cases) {
    const std::string name = U(c.w->objectName());
    ASSERT_NE(c.w->DefaultButton(), nullptr) << name;
    int runs = 0;
    const auto counted = QObject::connect(c.w->DefaultButton(), &QPushButton::clicked, [&runs] { ++runs; });
    if (c.formula != nullptr) Form().HandFunctionsTo(c.formula);
    Shown(c.w, [&] {
      if (c.formula != nullptr) {
        // As the window opens: the listed formula in the box, all of it selected.
        c.formula->setFocus();
        c.formula->lineEdit()->selectAll();
        const int before = runs;
        Enter(KeyTarget(c.w));
        EXPECT_EQ(runs, before + 1) << name << ": the first Enter in the formula box";
      }
      for (QLineEdit* box : c.boxes) {
        box->setFocus();
        box->selectAll();
        const int before = runs;
        Enter(KeyTarget(c.w));
        EXPECT_EQ(runs, before + 1) << name << ": Enter in " << U(box->objectName());
      }
    });
    QObject::disconnect(counted);
    fake.ClearRecords();
  }
  EXPECT_EQ(U(IntegralForm->lblResult->text()), "0.3328");
}

TEST_F(ToolKeys, TheFirstEnterRunsTheTangentReopenedAfterAHandOver) {
  Add("x^2");
  TKasatForm& t = *KasatForm;
  Form().HandFunctionsTo(t.txtFunction);
  Shown(&t, [&] {
    t.btnOkClick();
    EXPECT_EQ(HandOff([&] { Enter(KeyTarget(&t)); }), "2*x-1");
  });
  t.txtKasat->clear();
  // Opened again from the menu, the formula box has the focus and Enter runs.
  fake.OnExecModal = [&t](QDialog*) {
    t.txtFunction->lineEdit()->selectAll();
    Enter(KeyTarget(&t));
    return 0;
  };
  Form().mnuUtilKasatClick();
  fake.OnExecModal = nullptr;
  EXPECT_EQ(U(t.txtKasat->text()), "2*x-1");
}

TEST_F(ToolKeys, EnterOnAFocusedButtonPressesThatButton) {
  TProizForm& p = *ProizForm;
  p.txtFunction->setEditText("sin(x)");
  Shown(&p, [&] {
    ASSERT_EQ(p.focusWidget(), p.btnGraph);  // after the run
    EXPECT_EQ(HandOff([&] { Enter(KeyTarget(&p)); }), "cos(x)");
    p.btnSecond->setFocus();
    Enter(KeyTarget(&p));
    EXPECT_EQ(U(p.txtFunction->currentText()), "cos(x)");
  });

  TNormalForm& n = *NormalForm;
  n.txtFunction->setEditText("x^2");
  Shown(&n, [&] {
    Enter(KeyTarget(&n));
    ASSERT_EQ(n.focusWidget(), n.btnGraph);
    EXPECT_EQ(HandOff([&] { Enter(KeyTarget(&n)); }), "-0.5*x+1.5");
    // The close button takes Enter too.
    n.btnCancel->setFocus();
    Enter(KeyTarget(&n));
    EXPECT_FALSE(n.isVisible());
  });

  TLineForm& l = *LineForm;
  Shown(&l, [&] {
    Enter(KeyTarget(&l));
    ASSERT_EQ(l.focusWidget(), l.btnAddGraph);
    EXPECT_EQ(HandOff([&] { Enter(KeyTarget(&l)); }), "x");
  });
}

TEST_F(ToolKeys, TheDecimalsBoxShowsTheDecimalsUsed) {
  TIntegralForm& w = *IntegralForm;
  w.txtFunction->setEditText("x^2");
  w.txtWidth->setText("abc");
  w.btnOkClick();
  EXPECT_EQ(U(w.txtWidth->text()), "4");
  EXPECT_EQ(U(w.lblResult->text()), "0.3328");
  w.txtWidth->setText("12");  // beyond the range: the largest
  w.btnOkClick();
  EXPECT_EQ(U(w.txtWidth->text()), "9");
  TTableForm& t = *TableForm;
  t.txtFunction->setEditText("x");
  t.txtKolvo->setText("x");
  t.btnOkClick();
  EXPECT_EQ(U(t.txtKolvo->text()), "100");
  EXPECT_EQ(t.Grid->rowCount(), 101);
}

}  // namespace
