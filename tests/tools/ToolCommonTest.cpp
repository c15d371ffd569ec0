// What the tool windows share: state between openings, captions, Enter and
// Esc, boxes read in order, the menu that opens them and the toolbar help.
#include "ToolWindowsFixture.h"

namespace {

TEST_F(ToolWindows, WindowsKeepTheirStateBetweenOpenings) {
  TUravnForm& w = *UravnForm;
  Open(&w, [&] { w.btnOkClick(); });
  Open(&w);
  EXPECT_EQ(w.OuterHeight(), 250);
  EXPECT_EQ(U(w.txtD->text()), "-3");
  // Decimals typed into the box are the run's decimals.
  w.txtB->setText("1.00001");
  w.txtWidth->setText("5");
  w.btnOkClick();
  EXPECT_EQ(U(w.cpUravn->text()), "x^2+1.00001x+1=0");
  EXPECT_EQ(w.udWidth->Position(), 5);
}

TEST_F(ToolWindows, CaptionsAndHeights) {
  struct Case {
    TToolForm* w;
    const char* caption;
    int designOuter;
  };
  const Case cases[] = {
      {ProizForm, " Производная функции", 121 + 27},
      {KasatForm, "Уравнение касательной", 184 + 27},
      {NormalForm, "Уравнение нормали", 185 + 27},
      {IntegralForm, " Определенный интеграл", 250 + 27},
      {TableForm, "Таблица значений", 217 + 27},
      {LineForm, "Прямая по двум точкам", 182 + 27},
      {ParabolaForm, "Парабола по трем  точкам", 199 + 27},
      {UravnForm, "Решение квадратных уравнений", 138 + 27},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(U(c.w->windowTitle()), c.caption);
    EXPECT_EQ(c.w->OuterHeight(), c.designOuter) << c.caption;
    EXPECT_EQ(c.w->udWidth->Position(), 4) << c.caption;
    EXPECT_EQ(c.w->udWidth->Min(), 1);
    EXPECT_EQ(c.w->udWidth->Max(), 9);
    EXPECT_FALSE(c.w->windowIcon().isNull()) << c.caption;
  }
}

TEST_F(ToolWindows, EnterRunsAndEscapeCloses) {
  TIntegralForm& w = *IntegralForm;
  w.txtFunction->setEditText("1");
  w.txtDx->setText("0.0000001");  // below the table's bound but a valid step here
  w.txtMaxX->setText("0.5");
  bool closed = false;
  Open(&w, [&] {
    KeyClick(w.txtFunction->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(U(w.lblResult->text()), "0.5000");
    EXPECT_EQ(w.txtFunction->count(), 0);  // Enter adds nothing to the list
    KeyClick(w.txtFunction->lineEdit(), Qt::Key_Escape);
    closed = !w.isVisible();
  });
  EXPECT_TRUE(closed);

  TTableForm& t = *TableForm;
  t.txtFunction->setEditText("x");
  t.txtDx->setText("0.0000001");
  t.btnOkClick();
  EXPECT_EQ(U(t.txtDx->text()), "0.1");
}

TEST_F(ToolWindows, LaterBoxesCompareWithTheSettledEarlierValue) {
  TIntegralForm& w = *IntegralForm;
  w.txtFunction->setEditText("1");
  w.txtMinX->setText("abc");  // becomes 0, so an upper limit of 0.5 stands
  w.txtMaxX->setText("0.5");
  w.txtDx->setText(" .25");   // leading blanks and a bare fraction are a number
  w.btnOkClick();
  EXPECT_EQ(U(w.txtMinX->text()), "0");
  EXPECT_EQ(U(w.txtMaxX->text()), "0.5");
  EXPECT_EQ(U(w.txtDx->text()), " .25");
  EXPECT_EQ(U(w.lblResult->text()), "0.5000");

  TTableForm& t = *TableForm;
  t.txtFunction->setEditText("x");
  t.txtStart->setText("2 ");  // a trailing blank is no number
  t.txtFinish->setText("1");  // above the settled start 0
  t.txtDx->setText("+0.5");
  t.rbFinish->click();
  t.btnOkClick();
  EXPECT_EQ(U(t.txtStart->text()), "0");
  EXPECT_EQ(U(t.txtFinish->text()), "1");
  ASSERT_EQ(t.Grid->rowCount(), 4);
  EXPECT_EQ(t.Cell(0, 3), "1");
}

TEST_F(ToolWindows, OpenedFromTheMenuWithTheSelectedFunction) {
  Add("x^3");
  Add("x^2");
  fake.ClearRecords();
  std::string shown;
  fake.OnExecModal = [&shown](QDialog*) {
    shown = U(ProizForm->txtProiz->text());
    return 0;
  };
  Form().mnuUtilProizClick();
  EXPECT_EQ(shown, "2*(1)*x");  // the derivative of the selected line, at once

  fake.OnExecModal = [&shown](QDialog*) {
    KasatForm->btnOkClick();
    shown = U(KasatForm->txtKasat->text());
    return 0;
  };
  Form().mnuUtilKasatClick();
  fake.OnExecModal = nullptr;
  EXPECT_EQ(shown, "2*x-1");
  EXPECT_TRUE(fake.Messages.empty());
}

TEST_F(ToolWindows, TheToolbarHelpButtonOpensTheHelpPage) {
  ProgramDir = "/prog/";
  Form().tbHelp->click();
  ASSERT_EQ(fake.HelpCalls.size(), 1u);
  EXPECT_EQ(fake.HelpCalls[0].File, "/prog/help/help.htm");
  EXPECT_TRUE(fake.Dialogs.empty());
}

}  // namespace
