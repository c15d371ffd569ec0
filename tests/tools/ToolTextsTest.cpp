// Texts that fit their windows, long results that stop at their edge.
#include "ToolWindowsFixture.h"

namespace {

class ToolTexts : public ToolWindows {
 protected:
  std::string Faults(const QWidget* w) {
    std::string all;
    for (const std::string& f : orv_test::TextsThatDoNotFit(w)) all += f + "\n";
    return all;
  }
};

TEST_F(ToolTexts, EveryWindowShowsItsTextsWhole) {
  Add("x^2");
  // The results areas in view, as after a first run.
  for (QDialog* d : std::initializer_list<QDialog*>{ProizForm, KasatForm, NormalForm, IntegralForm,
                                                   TableForm, LineForm, ParabolaForm, UravnForm})
    Form().HandFunctionsTo(static_cast<TToolForm*>(d)->findChild<QComboBox*>("txtFunction"));
  ProizForm->btnOkClick();
  KasatForm->btnOkClick();
  NormalForm->btnOkClick();
  IntegralForm->btnOkClick();
  TableForm->btnOkClick();
  LineForm->btnOkClick();
  ParabolaForm->btnOkClick();
  UravnForm->txtB->setText("-3");
  UravnForm->txtC->setText("2");
  UravnForm->btnOkClick();
  ASSERT_TRUE(fake.Messages.empty());

  QWidget* windows[] = {GeneralForm, NewFunctionForm, ScreenForm,   ProizForm,
                        KasatForm,   NormalForm,      IntegralForm, TableForm,
                        LineForm,    ParabolaForm,    UravnForm,    AboutForm};
  for (QWidget* w : windows) {
    // Laid out as the user sees it: shown.
    const bool wasVisible = w->isVisible();
    w->show();
    QApplication::processEvents();
    const std::string faults = Faults(w);
    EXPECT_TRUE(faults.empty()) << U(w->objectName()) << ":\n" << faults;
    if (!wasVisible) w->hide();
  }
}

TEST_F(ToolTexts, TheAboutWindowSharesTheToolFrame) {
  auto* about = qobject_cast<TToolForm*>(AboutForm);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->font(), IntegralForm->font());
  EXPECT_EQ(about->size(), QSize(313, 388));
  // Its texts keep clear of the right edge.
  for (const QLabel* l : about->findChildren<QLabel*>())
    EXPECT_LE(l->geometry().right(), about->width() - 8) << U(l->objectName());
}

class ToolLabels : public ToolWindows {};

TEST_F(ToolLabels, LongRunTextsStopAtTheirEdgeAndStayWhole) {
  const std::string formula = "x+" + std::string(200, '1');
  TIntegralForm& w = *IntegralForm;
  w.txtFunction->setEditText(QString::fromStdString(formula));
  w.txtMaxX->setText("0.01");
  w.btnOkClick();
  ASSERT_TRUE(fake.Messages.empty());
  EXPECT_EQ(U(w.lblFunc->text()), formula);
  EXPECT_EQ(U(w.lblFunc->toolTip()), formula);
  EXPECT_LE(w.lblFunc->geometry().right(), w.gbResults->width() - 8);
  EXPECT_TRUE(w.lblPredel->toolTip().isEmpty());  // a short text shows whole

  // Opened with the long formula: all of it selected, shown from its start.
  w.show();
  QLineEdit* box = w.txtFunction->lineEdit();
  EXPECT_EQ(w.focusWidget(), w.txtFunction);
  EXPECT_EQ(U(box->selectedText()), formula);
  EXPECT_EQ(box->cursorPosition(), 0);
  w.close();

  TTableForm& t = *TableForm;
  t.txtFunction->setEditText(QString::fromStdString(formula));
  t.txtKolvo->setText("2");
  t.btnOkClick();
  EXPECT_EQ(U(t.lbFunction->text()), formula);  // what the file receives
  EXPECT_LE(t.lbFunction->geometry().right(), t.width() - 8);

  // The equation stops before the discriminant's label and is handed over whole.
  TUravnForm& u = *UravnForm;
  u.txtB->setText("123456789012345678");
  u.txtC->setText("-987654321098765432");
  u.btnOkClick();
  const QLabel* d = u.findChild<QLabel*>("Label6");
  ASSERT_NE(d, nullptr);
  EXPECT_LT(u.cpUravn->geometry().right(), d->x());
  EXPECT_EQ(U(u.cpUravn->toolTip()), "x^2+123456789012345678x-987654321098765432=0");
  EXPECT_EQ(HandOff([&] { u.btnAddGraphClick(); }), "x^2+123456789012345678x-987654321098765432");
}

}  // namespace
