// The tool windows driven by real key events as a shown window receives them.
#include <QAbstractItemView>

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

// The window as the desktop gives it to the user: active, its focused
// control really focused.
void Activate(QWidget* w) {
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }));
}

// Clicks into the formula box and types `text` over all of it.
void TypeOver(QComboBox* box, QWidget* target, const char* text) {
  box->setFocus(Qt::MouseFocusReason);
  ASSERT_TRUE(box->hasFocus());
  box->lineEdit()->selectAll();
  QTest::keyClicks(target, QString::fromLatin1(text));
}

// Opens the box's drop-down from the keyboard, moves to its first (Home) or
// last (End) line and takes it with Enter.
void ChooseFromDropDown(QComboBox* box, QWidget* target, Qt::Key where) {
  QTest::keyClick(target, Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(box->view()->isVisible()) << "the drop-down did not open";
  QTest::keyClick(box->view(), where);
  QTest::keyClick(box->view(), Qt::Key_Return);
  ASSERT_FALSE(box->view()->isVisible());
}

TEST_F(ToolKeys, TypingIntoAnOpenedWindowReplacesItsFormula) {
  Add("sin(x)");
  for (TPointLineForm* w :
       {static_cast<TPointLineForm*>(KasatForm), static_cast<TPointLineForm*>(NormalForm)}) {
    const std::string name = U(w->objectName());
    Form().HandFunctionsTo(w->txtFunction);
    // The first opening, then one after a click has left the cursor inside.
    for (int opening = 0; opening < 2; ++opening) {
      Shown(w, [&] {
        ASSERT_NO_FATAL_FAILURE(Activate(w));
        QWidget* box = KeyTarget(w);
        ASSERT_EQ(box, w->txtFunction) << name;
        QTest::keyClicks(box, "x");
        EXPECT_EQ(U(w->txtFunction->currentText()), "x") << name << " opening " << opening;
        w->txtFunction->setEditText("sin(x)");
        w->txtFunction->lineEdit()->setCursorPosition(2);
      });
      // Closed as the desktop closes it: the window is no longer the active one.
      ASSERT_TRUE(QTest::qWaitFor([w] { return QApplication::activeWindow() != w; }));
    }
  }
}

TEST_F(ToolKeys, EnterRunsTheTypedFormulaAndTheListOnlyWhenChosen) {
  // The list holds lines that start with what is typed below, in any case.
  Add("x^2+1");
  Add("x");
  Add("sin(x)");

  TIntegralForm& w = *IntegralForm;
  Form().HandFunctionsTo(w.txtFunction);
  Shown(&w, [&] {
    ASSERT_NO_FATAL_FAILURE(Activate(&w));
    QWidget* box = KeyTarget(&w);
    ASSERT_EQ(box, w.txtFunction);
    ASSERT_NO_FATAL_FAILURE(TypeOver(w.txtFunction, box, "x"));
    EXPECT_EQ(U(w.txtFunction->currentText()), "x");
    Enter(box);
    EXPECT_EQ(U(w.lblFunc->text()), "x");
    EXPECT_EQ(U(w.lblResult->text()), "0.4995");

    ASSERT_NO_FATAL_FAILURE(TypeOver(w.txtFunction, box, "s"));
    fake.ClearRecords();
    Enter(box);
    EXPECT_EQ(LastMessage(), "Выражение некорректно");  // "s" itself, not sin(x)
    EXPECT_EQ(U(w.lblFunc->text()), "x");

    // A line chosen from the drop-down is what Enter runs.
    ASSERT_NO_FATAL_FAILURE(TypeOver(w.txtFunction, box, "x"));
    ASSERT_NO_FATAL_FAILURE(ChooseFromDropDown(w.txtFunction, box, Qt::Key_Home));
    EXPECT_EQ(U(w.txtFunction->currentText()), "x^2+1");
    Enter(box);
    EXPECT_EQ(U(w.lblFunc->text()), "x^2+1");
    EXPECT_EQ(U(w.lblResult->text()), "1.3328");
    EXPECT_EQ(w.txtFunction->count(), 3);  // nothing typed joined the list
  });

  TKasatForm& t = *KasatForm;
  Form().HandFunctionsTo(t.txtFunction);
  fake.ClearRecords();
  Shown(&t, [&] {
    ASSERT_NO_FATAL_FAILURE(Activate(&t));
    t.txtFunction->setFocus(Qt::MouseFocusReason);
    QWidget* box = KeyTarget(&t);
    ASSERT_EQ(box, t.txtFunction);
    ASSERT_NO_FATAL_FAILURE(TypeOver(t.txtFunction, box, "x"));
    EXPECT_EQ(U(t.txtFunction->currentText()), "x");
    Enter(box);
    EXPECT_TRUE(fake.Messages.empty());
    EXPECT_EQ(U(t.lbFunc->text()), "x");
    EXPECT_EQ(U(t.txtKasat->text()), "x");

    ASSERT_NO_FATAL_FAILURE(TypeOver(t.txtFunction, box, "s"));
    Enter(box);
    EXPECT_EQ(LastMessage(), "Выражение некорректно");
    EXPECT_EQ(U(t.txtKasat->text()), "x");

    ASSERT_NO_FATAL_FAILURE(TypeOver(t.txtFunction, box, "s"));
    ASSERT_NO_FATAL_FAILURE(ChooseFromDropDown(t.txtFunction, box, Qt::Key_End));
    Enter(box);
    EXPECT_EQ(U(t.lbFunc->text()), "sin(x)");
    EXPECT_EQ(U(t.txtKasat->text()), "0.5403*x+0.3012");
  });
}

// What the user sees of the new-function dialog that a hand-over opens.
struct SeenDialog {
  std::string text;
  std::string selected;
  int cursor = -1;
  bool focused = false;
  bool firstCharInView = false;
  bool wider = false;  // the text is wider than the box
};

// Clicks `button` of a shown tool window and looks at the new-function
// dialog as it comes up: shown, active, painted.
SeenDialog ClickToHandOver(plat::FakeServices& fake, QPushButton* button) {
  SeenDialog seen;
  fake.OnExecModal = [&seen](QDialog* d) {
    EXPECT_TRUE(d->isVisible());
    d->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([d] { return QApplication::activeWindow() == d; }));
    auto* dlg = static_cast<TNewFunctionForm*>(d);
    QLineEdit* box = dlg->txtExpression->lineEdit();
    box->grab();  // painted, so the text has scrolled to the cursor
    seen.text = U(box->text());
    seen.selected = U(box->selectedText());
    seen.cursor = box->cursorPosition();
    seen.focused = box->hasFocus();
    // The cursor stands at the left edge of the character after it; scrolled
    // text moves it out to the left, an end cursor stands at the right.
    const QRect shown = box->contentsRect();
    const int cursorX = box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    seen.firstCharInView = cursorX >= shown.left() && cursorX < shown.left() + 8;
    seen.wider = box->fontMetrics().horizontalAdvance(box->text()) > shown.width();
    return 0;
  };
  QTest::mouseClick(button, Qt::LeftButton);
  fake.OnExecModal = nullptr;
  return seen;
}

TEST_F(ToolKeys, AHandedOverFormulaIsShownFromItsFirstCharacter) {
  struct Case {
    TToolForm* w;
    std::function<void()> run;
    QPushButton* button;
  };
  const Case cases[] = {
      {ProizForm,
       [] {
         ProizForm->txtFunction->setEditText("sqrt(sin(x)^2+x^3)*exp(cos(x))/ln(x^2+2)");
         ProizForm->btnOkClick();
       },
       ProizForm->btnGraph},
      {KasatForm,
       [] {
         KasatForm->txtFunction->setEditText("sqrt(sin(x)^2+x^3)");
         KasatForm->txtWidth->setText("9");
         KasatForm->btnOkClick();
       },
       KasatForm->btnGraph},
      {NormalForm,
       [] {
         NormalForm->txtFunction->setEditText("sqrt(sin(x)^2+x^3)");
         NormalForm->txtWidth->setText("9");
         NormalForm->btnOkClick();
       },
       NormalForm->btnGraph},
      {LineForm,
       [] {
         LineForm->txtY1->setText("123456789.123456789");
         LineForm->txtWidth->setText("9");
         LineForm->btnOkClick();
       },
       LineForm->btnAddGraph},
      {ParabolaForm,
       [] {
         ParabolaForm->txtY1->setText("123456789.123456789");
         ParabolaForm->txtWidth->setText("9");
         ParabolaForm->btnOkClick();
       },
       ParabolaForm->btnAddGraph},
      {UravnForm,
       [] {
         UravnForm->txtB->setText("123456789012345678");
         UravnForm->txtC->setText("-987654321098765432");
         UravnForm->btnOkClick();
       },
       UravnForm->btnAddGraph},
  };
  for (const Case& c : cases) {
    const std::string name = U(c.w->objectName());
    SeenDialog seen;
    Shown(c.w, [&] {
      ASSERT_NO_FATAL_FAILURE(Activate(c.w));
      c.run();
      ASSERT_TRUE(fake.Messages.empty()) << name << ": " << LastMessage();
      seen = ClickToHandOver(fake, c.button);
    });
    EXPECT_GT(seen.text.size(), 20u) << name;
    // The derivative is too long for the box: only its start or end fits.
    if (c.w == ProizForm) {
      EXPECT_TRUE(seen.wider);
    }
    EXPECT_TRUE(seen.focused) << name;
    EXPECT_EQ(seen.selected, seen.text) << name;  // typing replaces it
    EXPECT_EQ(seen.cursor, 0) << name;
    EXPECT_TRUE(seen.firstCharInView) << name;
    fake.ClearRecords();
  }
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
