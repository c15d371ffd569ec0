// The definite integral window.
#include "ToolWindowsFixture.h"

namespace {

TEST_F(ToolWindows, IntegralResultsAndCorrectedBoxes) {
  TIntegralForm& w = *IntegralForm;
  EXPECT_TRUE(w.gbResults->isHidden());
  w.txtFunction->setEditText("x^2");
  Open(&w, [&] {
    EXPECT_EQ(w.focusWidget(), w.txtFunction);
    w.btnOkClick();
  });
  EXPECT_FALSE(w.gbResults->isHidden());
  EXPECT_EQ(w.OuterHeight(), 364);
  EXPECT_EQ(U(w.lblResult->text()), "0.3328");
  EXPECT_EQ(U(w.lblFunc->text()), "x^2");
  EXPECT_EQ(U(w.lblPredel->text()), "Интегрирование от 0 до 1 с шагом 0.001");
  EXPECT_EQ(U(w.lblAbs->text()), "нет");

  w.txtFunction->setEditText("-1");
  w.txtDx->setText("0.25");
  w.cbxIfPolog->setChecked(true);
  w.btnOkClick();
  EXPECT_EQ(U(w.lblResult->text()), "1.0000");
  EXPECT_EQ(U(w.lblAbs->text()), "да");

  w.cbxIfPolog->setChecked(false);
  w.txtMinX->setText("5");
  w.txtMaxX->setText("3");
  w.txtDx->setText("5");
  w.btnOkClick();
  EXPECT_EQ(U(w.txtMaxX->text()), "1");
  EXPECT_EQ(U(w.txtDx->text()), "0.001");
  EXPECT_EQ(U(w.lblPredel->text()), "Интегрирование от 5 до 1 с шагом 0.001");
  EXPECT_EQ(U(w.lblResult->text()), "0.0000");
  EXPECT_TRUE(fake.Messages.empty());
}

TEST_F(ToolWindows, IntegralFailuresKeepThePreviousResult) {
  TIntegralForm& w = *IntegralForm;
  w.txtFunction->setEditText("1");
  w.btnOkClick();
  ASSERT_EQ(U(w.lblResult->text()), "1.0000");

  w.txtFunction->setEditText("1/x");
  w.txtMinX->setText("-1");
  w.txtDx->setText("0.25");
  w.btnOkClick();
  EXPECT_EQ(LastMessage(), "Деление на ноль");
  EXPECT_EQ(w.focusWidget(), w.txtFunction);

  w.txtFunction->setEditText("1");
  w.txtMinX->setText("0");
  w.txtMaxX->setText("100");
  w.txtDx->setText("0.000001");
  w.btnOkClick();
  EXPECT_EQ(LastMessage(), tools::MsgTooManyTerms);

  w.txtFunction->setEditText("9*10^4931");
  w.txtMaxX->setText("2");
  w.txtDx->setText("0.5");
  w.btnOk->click();
  ASSERT_EQ(fake.Exceptions.size(), 1u);
  EXPECT_EQ(fake.Exceptions[0], tools::MsgOverflow);
  EXPECT_EQ(U(w.lblResult->text()), "1.0000");
}

TEST_F(ToolWindows, TheIntegralRefusesLimitsThatSwallowTheStep) {
  TIntegralForm& w = *IntegralForm;
  w.txtFunction->setEditText("1");
  // 2^83: the numbers there lie 2^20 apart; a step of 0.5 is lost. Both
  // ranges take fewer than 10000000 steps, so the refusal names the lost step.
  w.txtMinX->setText("9671406556917033397649408");
  for (const char* upper : {"9671406556917033401843712",     // 2^83 + 4 * 2^20: 8388608 steps
                            "9671406556917033400795136"}) {  // 2^83 + 3 * 2^20: 6291456 steps
    fake.ClearRecords();
    w.txtFunction->setFocus();
    w.txtMaxX->setText(upper);
    w.txtDx->setText("0.5");
    w.btnOkClick();
    ASSERT_EQ(fake.Messages.size(), 1u) << upper;
    EXPECT_EQ(LastMessage(), tools::MsgStepLost) << upper;
    EXPECT_EQ(w.focusWidget(), w.txtDx) << upper;
    EXPECT_TRUE(w.gbResults->isHidden());
  }

  // Ordinary limits with too many steps keep their own message.
  fake.ClearRecords();
  w.txtMinX->setText("0");
  w.txtMaxX->setText("100");
  w.txtDx->setText("0.000001");
  w.txtFunction->setFocus();
  w.btnOkClick();
  EXPECT_EQ(LastMessage(), tools::MsgTooManyTerms);
  EXPECT_EQ(w.focusWidget(), w.txtDx);
  EXPECT_NE(std::string(tools::MsgTooManyTerms), tools::MsgStepLost);
  EXPECT_TRUE(w.gbResults->isHidden());
}

}  // namespace
