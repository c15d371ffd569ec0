// The line, parabola and quadratic equation windows.
#include "ToolWindowsFixture.h"

namespace {

TEST_F(ToolWindows, LineAndParabola) {
  TLineForm& l = *LineForm;
  Open(&l, [&] { l.btnOkClick(); });
  EXPECT_EQ(U(l.txtFunction->text()), "x");
  EXPECT_EQ(l.OuterHeight(), 292);
  EXPECT_EQ(l.focusWidget(), l.btnAddGraph);
  l.txtX1->setText("1");
  l.txtY1->setText("2");
  l.txtX2->setText("1");
  l.txtY2->setText("5");
  l.btnOkClick();
  EXPECT_EQ(LastMessage(), tools::MsgLinePoints);
  EXPECT_EQ(U(l.txtFunction->text()), "x");
  EXPECT_EQ(HandOff([&] { l.btnAddGraphClick(); }), "x");

  TParabolaForm& p = *ParabolaForm;
  p.txtX1->setText("0,5");  // a comma is no number: the default 0 is used
  p.btnOkClick();
  EXPECT_EQ(U(p.txtX1->text()), "0");
  EXPECT_EQ(U(p.txtFunction->text()), "x^2");
  EXPECT_EQ(p.OuterHeight(), 308);
  // Points on one line are refused and the window does not grow further.
  p.txtY3->setText("2");
  p.btnOkClick();
  EXPECT_EQ(LastMessage(), tools::MsgParabolaPoints);
  EXPECT_EQ(U(p.txtFunction->text()), "x^2");
}

TEST_F(ToolWindows, LineRefusalLeavesTheWindowShort) {
  TLineForm& l = *LineForm;
  l.txtX1->setText("1");
  l.txtY1->setText("2");
  l.txtX2->setText("3");
  l.txtY2->setText("2");
  l.btnOkClick();
  EXPECT_EQ(LastMessage(), tools::MsgLinePoints);
  EXPECT_EQ(l.OuterHeight(), 182 + TToolForm::FrameHeight);
}

// ---------------------------------------------------------------- quadratic

TEST_F(ToolWindows, Quadratic) {
  TUravnForm& w = *UravnForm;
  EXPECT_FALSE(w.btnAddGraph->isEnabled());
  Open(&w, [&] { w.btnOkClick(); });
  EXPECT_EQ(w.OuterHeight(), 250);
  EXPECT_TRUE(w.btnAddGraph->isEnabled());
  EXPECT_EQ(U(w.cpUravn->text()), "x^2+x+1=0");
  EXPECT_EQ(U(w.txtD->text()), "-3");
  EXPECT_EQ(U(w.cpResult->text()), "Данное уравнение не имеет действительных корней");
  EXPECT_TRUE(w.txtX1->isHidden());
  EXPECT_TRUE(w.txtX2->isHidden());
  EXPECT_EQ(HandOff([&] { w.btnAddGraphClick(); }), "x^2+x+1");

  w.txtA->setText("0");
  w.txtB->setText("-3");
  w.txtC->setText("2");
  w.btnOkClick();
  EXPECT_EQ(U(w.txtA->text()), "1");
  EXPECT_EQ(U(w.cpResult->text()), "Данное уравнение имеет два корня:");
  EXPECT_EQ(U(w.txtX1->text()), "2");
  EXPECT_EQ(U(w.txtX2->text()), "1");
  EXPECT_FALSE(w.txtX2->isHidden());

  w.txtB->setText("2");
  w.txtC->setText("1");
  w.btnOkClick();
  EXPECT_EQ(U(w.cpResult->text()), "Данное уравнение имеет единственный корень:");
  EXPECT_EQ(U(w.txtX1->text()), "-1");
  EXPECT_FALSE(w.txtX1->isHidden());
  EXPECT_TRUE(w.txtX2->isHidden());

  // b*b overflows: the equation is shown, the discriminant stays as it was.
  w.txtB->setText("1e3000");
  w.btnOk->click();
  ASSERT_EQ(fake.Exceptions.size(), 1u);
  EXPECT_EQ(U(w.cpUravn->text()).substr(0, 5), "x^2+1");
  EXPECT_EQ(U(w.txtD->text()), "0");
  EXPECT_TRUE(fake.Messages.empty());
}

}  // namespace
