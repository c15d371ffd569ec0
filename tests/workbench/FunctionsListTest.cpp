// The add-function command, the function list and the function toolbar.
#include <QAbstractItemModel>
#include <QImage>
#include <QTest>
#include <new>

#include "FunctionsHelpers.h"
#include "orvanta/engine/FuncsUnit.h"

namespace {

constexpr plat::TColor kMarker = 0x123456;

class FunctionList : public FunctionsFixture {
 protected:
  // A pixel no graph or decoration paints here: survives only while nothing
  // repaints the whole picture.
  void Mark() { Form().Image->Canvas().SetPixel(1, 1, kMarker); }
  bool Redrawn() { return Pixel(1, 1) != kMarker; }

  // As the user selects a line: a click on the line already selected runs
  // the click event without changing the row.
  void Select(int row) {
    if (Form().lbxFunctions->currentRow() == row)
      Form().lbxFunctionsClick();
    else
      Form().lbxFunctions->setCurrentRow(row);
  }
  void AddFive() {
    for (const char* t : {"x", "x+1", "x+2", "x+3", "x+4"}) Add(t);
  }
};

}  // namespace

TEST_F(FunctionList, AddListsTheTypedTextAndKeepsThePreparedOne) {
  Add("2X");
  ASSERT_EQ(View().FuncCount, 1);
  EXPECT_EQ(Line(0), "2X");
  std::string prepared = "2X";
  int32_t err = 0;
  PrepareExpression(prepared, err);
  ASSERT_EQ(err, 0);
  EXPECT_EQ(Func(0).Expression, prepared);
  EXPECT_EQ(Form().txtFunction->text(), "2X");
  EXPECT_TRUE(Form().txtFunction->isEnabled());
  EXPECT_FALSE(Form().tbOk->isEnabled());
  Add("x+1");
  EXPECT_EQ(Form().lbxFunctions->currentRow(), 1);
  EXPECT_EQ(Panel(4), "Функций: 2");
}

TEST_F(FunctionList, SixteenthIsTheLast) {
  for (int i = 0; i < 16; ++i) Add("x+" + std::to_string(i));
  ASSERT_EQ(View().FuncCount, 16);
  EXPECT_EQ(Form().lbxFunctions->count(), 16);
  fake.ClearRecords();
  Dlg().SetExpressionText("x*2");  // as a tool hands a formula over
  Form().mnuFunctionAdd->trigger();
  Form().tbAddFunc->click();
  EXPECT_TRUE(fake.Dialogs.empty());
  ASSERT_EQ(fake.Messages.size(), 2u);
  for (const auto& m : fake.Messages) {
    EXPECT_EQ(m.Text, "Предельное количество функций: 16");
    EXPECT_EQ(m.Kind, plat::MsgKind::Information);
  }
  EXPECT_EQ(View().FuncCount, 16);
}

TEST_F(FunctionList, CancelAndEscapeAddNothing) {
  AddVia([](TNewFunctionForm& d) { d.txtExpression->setEditText("x"); }, /*press=*/false);
  // Escape in the formula box cancels too (the combo box must not keep it).
  bool open = true;
  AddVia([&](TNewFunctionForm& d) {
    d.txtExpression->setEditText("x");
    d.txtExpression->lineEdit()->setFocus();
    KeyClick(d.txtExpression->lineEdit(), Qt::Key_Escape);
    open = d.isVisible();
  }, /*press=*/false);
  EXPECT_FALSE(open);
  EXPECT_FALSE(FunctionAdded);
  EXPECT_EQ(View().FuncCount, 0);
  EXPECT_EQ(Form().lbxFunctions->count(), 0);
  EXPECT_FALSE(Form().txtFunction->isEnabled());
}

TEST_F(FunctionList, AddDrawsOnlyTheNewGraph) {
  Mark();
  AddVia([](TNewFunctionForm& d) {
    d.txtExpression->setEditText("1");
    d.stColor->SetColor(0x0000FF);
  });
  EXPECT_FALSE(Redrawn());
  const int c = Form().Image->width() / 3;
  EXPECT_EQ(Pixel(c, RowOf(1)), 0x0000FFu);

  // A full redraw paints the same picture: the new graph is last in order.
  QImage afterAdd = Form().Image->Picture().Image().copy();
  Form().DrawScreen();
  afterAdd.setPixel(1, 1, Form().Image->Picture().Image().pixel(1, 1));
  EXPECT_TRUE(afterAdd == Form().Image->Picture().Image());
}

TEST_F(FunctionList, FaultWhileListingLeavesListAndSlotsInStep) {
  Add("x");
  // The list line cannot be stored: nothing of the new function may stay.
  auto conn = QObject::connect(Form().lbxFunctions->model(), &QAbstractItemModel::rowsInserted,
                               [] { throw std::bad_alloc(); });
  EXPECT_THROW(Add("x+1"), std::bad_alloc);
  QObject::disconnect(conn);
  EXPECT_EQ(View().FuncCount, 1);
  EXPECT_EQ(Form().lbxFunctions->count(), 1);
  EXPECT_FALSE(View().Funcs[1]);
  Add("x+2");
  EXPECT_EQ(View().FuncCount, 2);
  EXPECT_EQ(Line(1), "x+2");
}

TEST_F(FunctionList, SelectionShowsTheFunctionsProperties) {
  AddVia([](TNewFunctionForm& d) {
    d.txtExpression->setEditText("x^2");
    d.cbxXCeloe->click();
    d.cbxMinX->click();
    d.txtMinX->setText("0.5");
    d.cbxIfRazryv->click();  // off
    d.txtRazryv->setText("2.25");
    d.udWidth->StepUp();
    d.udWidth->StepUp();
    d.stColor->SetColor(0x00FF00CC);
  });
  Add("x");
  auto& f = Form();
  Select(0);
  EXPECT_EQ(f.txtFunction->text(), "x^2");
  EXPECT_EQ(f.txtWidth->text(), "3");
  EXPECT_EQ(f.udWidth->Position(), 3);
  EXPECT_EQ(f.stColor->Color(), 0x00FF00CCu);
  EXPECT_TRUE(f.tbZeloe->isChecked());
  EXPECT_FALSE(f.tbPolog->isChecked());
  EXPECT_FALSE(f.tbRazryv->isChecked());
  EXPECT_FALSE(f.txtRazryv->isEnabled());
  EXPECT_EQ(f.txtRazryv->text(), "2.25");
  EXPECT_TRUE(f.txtXMin->isEnabled());
  EXPECT_EQ(f.txtXMin->text(), "0.5");
  EXPECT_FALSE(f.txtXMax->isEnabled());
  EXPECT_FALSE(f.tbOk1->isEnabled());
}

TEST_F(FunctionList, TheSelectedLineStaysHighlighted) {
  Add("x");
  Add("x+1");
  auto* lw = Form().lbxFunctions;
  ASSERT_EQ(lw->currentRow(), 1);
  // A click below the last line, a control-click on the selected line and
  // control-space would leave no line highlighted while the toolbar still
  // acts on the current one.
  QTest::mouseClick(lw->viewport(), Qt::LeftButton, {}, QPoint(20, lw->viewport()->height() - 3));
  EXPECT_EQ(lw->currentRow(), 1);
  EXPECT_EQ(lw->selectedItems(), QList<QListWidgetItem*>{lw->item(1)});
  QTest::mouseClick(lw->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    lw->visualItemRect(lw->item(1)).center());
  EXPECT_EQ(lw->selectedItems(), QList<QListWidgetItem*>{lw->item(1)});
  QTest::mouseClick(lw->viewport(), Qt::LeftButton, {}, lw->visualItemRect(lw->item(0)).center());
  EXPECT_EQ(lw->currentRow(), 0);
  EXPECT_EQ(Form().txtFunction->text(), "x");
  QTest::keyClick(lw, Qt::Key_Space, Qt::ControlModifier);
  EXPECT_EQ(lw->selectedItems(), QList<QListWidgetItem*>{lw->item(0)});
  QTest::keyClick(lw, Qt::Key_Down);
  EXPECT_EQ(lw->currentRow(), 1);
  EXPECT_EQ(Form().txtFunction->text(), "x+1");
  EXPECT_EQ(lw->selectedItems(), QList<QListWidgetItem*>{lw->item(1)});
}

TEST_F(FunctionList, EachToolbarChangeRedraws) {
  Add("x");
  Add("x+1");
  Select(0);
  auto& f = Form();
  struct Step {
    const char* what;
    std::function<void()> act;
    std::function<bool()> done;
  };
  const Step steps[] = {
      {"udDiametr", [&] { f.udDiametr->StepUp(); }, [&] { return Func(0).Diametr == 2; }},
      {"udWidth", [&] { f.udWidth->StepUp(); }, [&] { return Func(0).LineWidth == 2; }},
      {"udKolvo", [&] { f.udKolvo->StepUp(); }, [&] { return Func(0).Kolvo == 2; }},
      {"tbZeloe", [&] { f.tbZeloe->click(); }, [&] { return Func(0).XCeloe; }},
      {"tbPolog", [&] { f.tbPolog->click(); }, [&] { return Func(0).XPolog; }},
      {"tbLines", [&] { f.tbLines->click(); }, [&] { return !Func(0).IfLines; }},
      {"tbRazryv", [&] { f.tbRazryv->click(); },
       [&] { return !Func(0).IfRazryv && !f.txtRazryv->isEnabled(); }},
      {"tbLeftOgr", [&] { f.tbLeftOgr->click(); },
       [&] { return Func(0).IfMinX && f.txtXMin->isEnabled(); }},
      {"tbRightOgr", [&] { f.tbRightOgr->click(); },
       [&] { return Func(0).IfMaxX && f.txtXMax->isEnabled(); }},
  };
  for (const Step& s : steps) {
    Mark();
    s.act();
    EXPECT_TRUE(s.done()) << s.what;
    EXPECT_TRUE(Redrawn()) << s.what;
  }
  // The up-downs stop at 9.
  for (int k = 0; k < 12; ++k) f.udKolvo->StepUp();
  EXPECT_EQ(Func(0).Kolvo, 9);
  // The other function is untouched.
  EXPECT_EQ(Func(1).Diametr, 1);
  EXPECT_TRUE(Func(1).IfLines);
}

TEST_F(FunctionList, ColourDialogOpensWithItsOwnLastColour) {
  Add("x");
  fake.ClearRecords();
  fake.Colors.push_back(0x00FF00);
  Mark();
  Form().stColorClick();
  EXPECT_EQ(Func(0).GraphColor, 0x00FF00u);
  EXPECT_EQ(Form().stColor->Color(), 0x00FF00u);
  EXPECT_TRUE(Redrawn());
  Mark();
  Form().stColorClick();  // cancelled
  EXPECT_EQ(Func(0).GraphColor, 0x00FF00u);
  EXPECT_FALSE(Redrawn());
  ASSERT_EQ(fake.ColorDialogs.size(), 2u);
  EXPECT_EQ(fake.ColorDialogs[0].Initial, 0x000000u);  // black the first time
  EXPECT_EQ(fake.ColorDialogs[1].Initial, 0x00FF00u);
}

TEST_F(FunctionList, ApplyingTheExpression) {
  Add("x");
  Add("x+1");
  auto& f = Form();
  Select(0);
  f.txtFunction->setText("2x+1");
  EXPECT_TRUE(f.tbOk->isEnabled());
  Mark();
  f.tbOk->click();
  EXPECT_FALSE(f.tbOk->isEnabled());
  EXPECT_EQ(Line(0), "2x+1");
  EXPECT_EQ(f.lbxFunctions->currentRow(), 0);
  std::string prepared = "2x+1";
  int32_t err = 0;
  PrepareExpression(prepared, err);
  EXPECT_EQ(Func(0).Expression, prepared);
  EXPECT_TRUE(Redrawn());

  // Refused: silently, the box shows the stored prepared text, and the
  // button is on again.
  fake.ClearRecords();
  f.txtFunction->setText("sin(");
  Mark();
  f.tbOkClick();
  EXPECT_EQ(Line(0), "2x+1");
  EXPECT_EQ(Func(0).Expression, prepared);
  EXPECT_EQ(f.txtFunction->text().toStdString(), prepared);
  EXPECT_TRUE(f.tbOk->isEnabled());
  EXPECT_FALSE(Redrawn());
  EXPECT_TRUE(fake.Messages.empty());
  long double y = 0;
  Func(0).Reset();
  Func(0).Calc(y, 2);
  EXPECT_EQ(y, 5.0L);

  // Enter applies even after the button disabled itself.
  f.txtFunction->setText("x*3");
  f.tbOk->setEnabled(false);
  f.txtFunction->setFocus();
  KeyClick(f.txtFunction, Qt::Key_Return);
  EXPECT_EQ(Line(0), "x*3");
}

TEST_F(FunctionList, ApplyingTheLimits) {
  auto& f = Form();
  Add("x");
  Func(0).MinX = 0.000001L;
  Func(0).Razryv = 4;
  Select(0);
  EXPECT_EQ(f.txtXMin->text(), "0");
  // An edited expression that was not applied stays out of the list line.
  const std::string stored = Func(0).Expression;
  f.txtFunction->setText("x^3");
  Mark();
  f.tbOk1Click();
  EXPECT_EQ(Func(0).MinX, 0.0L);  // rounded to five decimals
  EXPECT_TRUE(Redrawn());
  EXPECT_FALSE(f.tbOk1->isEnabled());
  EXPECT_EQ(Line(0), "x");
  EXPECT_EQ(Func(0).Expression, stored);
  EXPECT_EQ(f.txtFunction->text(), "x^3");

  // Bad texts fall back to the current values; a jump must be above 0.
  f.txtXMax->setText("abc");
  EXPECT_TRUE(f.tbOk1->isEnabled());
  f.txtRazryv->setText("0");
  f.txtXMin->setText("-7.5");  // the box is disabled (no left limit), still applied
  EXPECT_FALSE(f.txtXMin->isEnabled());
  f.tbOk1Click();
  EXPECT_EQ(f.txtXMax->text(), "1");
  EXPECT_EQ(f.txtRazryv->text(), "4");
  // Putting the fallback into txtXMax is a change of its text: the button
  // is on again. A replaced jump text has no change event.
  EXPECT_TRUE(f.tbOk1->isEnabled());
  EXPECT_EQ(Func(0).MaxX, 1.0L);
  EXPECT_EQ(Func(0).MinX, -7.5L);
  EXPECT_EQ(Func(0).Razryv, 4.0L);
  f.txtRazryv->setText("-1");
  f.tbOk1Click();
  EXPECT_EQ(f.txtRazryv->text(), "4");
  EXPECT_FALSE(f.tbOk1->isEnabled());

  // A left limit above the right one is taken as it is.
  f.txtXMin->setText("5");
  f.txtXMax->setText("-5");
  f.tbOk1Click();
  EXPECT_EQ(Func(0).MinX, 5.0L);
  EXPECT_EQ(Func(0).MaxX, -5.0L);

  // Typing a jump does not enable the button; Enter applies anyway.
  f.tbOk1->setEnabled(false);
  f.txtRazryv->setText("0.25");
  EXPECT_FALSE(f.tbOk1->isEnabled());
  f.tbRazryv->click();
  f.tbRazryv->click();  // enabled again with the toggle
  KeyClick(f.txtRazryv, Qt::Key_Return);
  EXPECT_EQ(Func(0).Razryv, 0.25L);
}

TEST_F(FunctionList, DeletingTheThirdOfFiveSelectsTheFirst) {
  AddFive();
  Select(2);
  Func(0).LineWidth = 4;
  Mark();
  Form().mnuFunctionDelete->trigger();
  ASSERT_EQ(View().FuncCount, 4);
  ASSERT_EQ(Form().lbxFunctions->count(), 4);
  const char* expect[] = {"x", "x+1", "x+3", "x+4"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Line(i), expect[i]);
  EXPECT_FALSE(View().Funcs[4]);
  long double y = 0;
  Func(2).Reset();
  Func(2).Calc(y, 0);
  EXPECT_EQ(y, 3.0L);
  EXPECT_EQ(Form().lbxFunctions->currentRow(), 0);
  EXPECT_EQ(Form().txtWidth->text(), "4");
  EXPECT_TRUE(Redrawn());
  EXPECT_EQ(Panel(4), "Функций: 4");
}

TEST_F(FunctionList, DeletingTheLastFunctionsClearsTheToolbar) {
  AddFive();
  Select(3);
  Form().tbDeleteAll->click();
  EXPECT_EQ(View().FuncCount, 0);
  for (const auto& p : View().Funcs) EXPECT_FALSE(p);
  EXPECT_EQ(Form().lbxFunctions->count(), 0);
  EXPECT_EQ(Panel(4), "Функций: 0");

  // The road is open again; deleting the only one clears its graph too.
  AddVia([](TNewFunctionForm& d) {
    d.txtExpression->setEditText("1");
    d.stColor->SetColor(0x0000FF);
  });
  const int c = Form().Image->width() / 3;
  ASSERT_EQ(Pixel(c, RowOf(1)), 0x0000FFu);
  Form().tbDelFunc->click();
  auto& f = Form();
  EXPECT_EQ(View().FuncCount, 0);
  EXPECT_EQ(f.lbxFunctions->count(), 0);
  EXPECT_EQ(f.stColor->Color(), 0x808080u);
  for (QLineEdit* e : {f.txtFunction, f.txtXMin, f.txtXMax, f.txtRazryv, f.txtDiametr, f.txtKolvo,
                       f.txtWidth}) {
    EXPECT_TRUE(e->text().isEmpty()) << e->objectName().toStdString();
    EXPECT_FALSE(e->isEnabled()) << e->objectName().toStdString();
  }
  EXPECT_FALSE(f.tbOk->isEnabled());
  EXPECT_FALSE(f.tbDelFunc->isEnabled());
  EXPECT_FALSE(f.mnuFunctionDeleteAll->isEnabled());
  EXPECT_NE(Pixel(c, RowOf(1)), 0x0000FFu);
}

TEST_F(FunctionList, NoSelectedLineChangesNothing) {
  Add("x");
  Add("x+1");
  Form().lbxFunctions->setCurrentRow(-1);
  ASSERT_EQ(Form().lbxFunctions->currentRow(), -1);
  Form().udWidth->StepUp();
  Form().tbLines->click();
  Form().txtFunction->setText("x^5");
  Form().tbOkClick();
  Form().tbOk1Click();
  Form().mnuFunctionDeleteClick();
  EXPECT_EQ(View().FuncCount, 2);
  EXPECT_EQ(Line(0), "x");
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(Func(i).LineWidth, 1);
    EXPECT_TRUE(Func(i).IfLines);
  }
  EXPECT_TRUE(fake.Exceptions.empty());
}
