// The tangent and normal windows.
#include "ToolWindowsFixture.h"

namespace {

TEST_F(ToolWindows, TangentAndNormal) {
  TKasatForm& t = *KasatForm;
  t.txtFunction->setEditText("x^2");
  Open(&t, [&] { t.btnOkClick(); });
  EXPECT_EQ(U(t.txtKasat->text()), "2*x-1");
  EXPECT_EQ(U(t.lbFunc->text()), "x^2");
  EXPECT_EQ(U(t.lbX0->text()), "1");
  EXPECT_EQ(t.OuterHeight(), 354);
  EXPECT_EQ(t.focusWidget(), t.btnGraph);
  EXPECT_EQ(HandOff([&] { t.btnGraphClick(); }), "2*x-1");
  EXPECT_EQ(t.focusWidget(), t.txtFunction);

  TNormalForm& n = *NormalForm;
  EXPECT_EQ(U(n.windowTitle()), "Уравнение нормали");
  n.txtFunction->setEditText("x^2");
  n.btnOkClick();
  EXPECT_EQ(U(n.txtKasat->text()), "-0.5*x+1.5");
  // A zero slope: message, focus to the formula, results stay.
  n.txtX0->setText("0");
  n.btnOkClick();
  EXPECT_EQ(LastMessage(), tools::MsgZeroDerivative);
  EXPECT_EQ(U(n.txtKasat->text()), "-0.5*x+1.5");
  EXPECT_EQ(n.focusWidget(), n.txtFunction);
  // A point that is no number becomes 1, also when the formula is wrong.
  n.txtX0->setText("abc");
  n.txtFunction->setEditText("x+");
  n.btnOkClick();
  EXPECT_EQ(U(n.txtX0->text()), "1");
  EXPECT_EQ(LastMessage(), "Выражение некорректно");
}

TEST_F(ToolWindows, NormalOverflowGoesToTheErrorBox) {
  TNormalForm& n = *NormalForm;
  n.txtFunction->setEditText("x^2");
  n.btnOkClick();
  n.txtX0->setText("1e-4940");
  n.btnOk->click();  // through the handler guard
  ASSERT_EQ(fake.Exceptions.size(), 1u);
  EXPECT_EQ(fake.Exceptions[0], tools::MsgOverflow);
  EXPECT_EQ(U(n.txtKasat->text()), "-0.5*x+1.5");
}

}  // namespace
