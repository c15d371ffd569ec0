// The tool windows driven through their handlers, with the workbench running
// so that their formulas reach the add-function command.
#include <QCheckBox>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FunctionsHelpers.h"
#include "orvanta/tools/AboutFormUnit.h"
#include "orvanta/tools/IntegralFormUnit.h"
#include "orvanta/tools/KasatFormUnit.h"
#include "orvanta/tools/LineFormUnit.h"
#include "orvanta/tools/NormalFormUnit.h"
#include "orvanta/tools/ParabolaFormUnit.h"
#include "orvanta/tools/ProizFormUnit.h"
#include "orvanta/tools/TableFormUnit.h"
#include "orvanta/tools/UravnFormUnit.h"
#include "orvanta/tools/calc/ToolCalc.h"
#include "orvanta/workbench/ScreenFormUnit.h"
#include "tests/common/WidgetFit.h"

namespace {

std::string U(const QString& s) { return s.toStdString(); }

class ToolWindows : public FunctionsFixture {
 protected:
  void SetUp() override {
    FunctionsFixture::SetUp();
    fake.ClearRecords();
  }

  // Opens `w` as its launcher does; `run` acts while it is open.
  void Open(QDialog* w, const std::function<void()>& run = {}) {
    fake.OnExecModal = [run](QDialog* d) {
      if (run) run();
      d->close();
      return d->result();
    };
    plat::Services().ExecModal(w);
    fake.OnExecModal = nullptr;
  }

  std::string LastMessage() const { return fake.Messages.empty() ? "" : fake.Messages.back().Text; }

  // The new-function dialog opened by a hand-off: the text it held, then closed.
  std::string HandOff(const std::function<void()>& click) {
    std::string seen = "<not opened>";
    fake.OnExecModal = [&seen](QDialog* d) {
      seen = U(static_cast<TNewFunctionForm*>(d)->txtExpression->currentText());
      return 0;
    };
    click();
    fake.OnExecModal = nullptr;
    return seen;
  }
};

// ---------------------------------------------------------------- derivative

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

// ---------------------------------------------------------------- tangent, normal

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

// ---------------------------------------------------------------- integral

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

// ---------------------------------------------------------------- table

TEST_F(ToolWindows, TableDefaultsAndFile) {
  TTableForm& w = *TableForm;
  EXPECT_FALSE(w.btnSave->isEnabled());
  w.txtFunction->setEditText("x^2");
  Open(&w, [&] { w.btnOkClick(); });
  EXPECT_EQ(w.OuterHeight(), 416);
  EXPECT_TRUE(w.btnSave->isEnabled());
  ASSERT_EQ(w.Grid->rowCount(), 101);
  EXPECT_EQ(w.Cell(0, 0), "X = ");
  EXPECT_EQ(w.Cell(1, 0), "Y = ");
  EXPECT_EQ(w.Cell(0, 4), "0.3");
  EXPECT_EQ(w.Cell(1, 4), "0.09");
  EXPECT_EQ(w.Cell(0, 100), "9.9");

  // A short table to a file named without extension.
  w.txtKolvo->setText("3");
  w.txtFunction->setEditText("1/x");
  w.txtStart->setText("-1");
  w.txtDx->setText("1");
  w.btnOkClick();
  ASSERT_EQ(w.Grid->rowCount(), 4);
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "orv_table_test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  fake.FileNames.push_back((dir / "data").string());
  w.btnSaveClick();
  ASSERT_EQ(fake.FileDialogs.size(), 1u);
  EXPECT_TRUE(fake.FileDialogs[0].Save);
  EXPECT_EQ(fake.FileDialogs[0].Request.Title, "Сохранение таблицы");
  EXPECT_EQ(fake.FileDialogs[0].Request.Filter, "Текстовый файлы (*.txt)|*.txt");
  std::ifstream in(dir / "data.txt", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes,
            "\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xE0 Orvanta 2.0\r\n"
            "\xD2\xE0\xE1\xEB\xE8\xF6\xE0 \xE7\xED\xE0\xF7\xE5\xED\xE8\xE9 "
            "\xF4\xF3\xED\xEA\xF6\xE8\xE8\r\n"
            "*****************************\r\n1/x\r\n*****************************\r\n"
            "X                   Y\r\n"
            "-1                  -1\r\n"
            "0                   \xC4\xE5\xEB\xE5\xED\xE8\xE5 \xED\xE0 \xED\xEE\xEB\xFC\r\n"
            "1                   1\r\n");
  EXPECT_TRUE(fake.Messages.empty());

  // A folder that does not exist: the save-error box.
  fake.FileNames.push_back((dir / "missing" / "t.txt").string());
  w.btnSaveClick();
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Text, tools::MsgSaveError);
  EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Plain);
  std::filesystem::remove_all(dir);
}

TEST_F(ToolWindows, TableEndValueModeAndParseFailure) {
  TTableForm& w = *TableForm;
  w.rbFinish->click();
  EXPECT_TRUE(w.txtFinish->isEnabled());
  EXPECT_FALSE(w.txtKolvo->isEnabled());
  EXPECT_EQ(w.focusWidget(), w.txtFinish);
  w.txtFunction->setEditText("x");
  w.txtStart->setText("0.1");
  w.txtFinish->setText("10");
  w.txtDx->setText("0.1");
  w.btnOkClick();
  ASSERT_EQ(w.Grid->rowCount(), 101);  // 0.1 .. 10 with the end value
  EXPECT_EQ(w.Cell(0, 100), "10");

  w.txtStart->setText("20");
  w.btnOkClick();
  EXPECT_EQ(U(w.txtFinish->text()), "10");
  EXPECT_EQ(w.Grid->rowCount(), 1);

  // A parse failure keeps the table that can still be saved.
  w.txtStart->setText("10");
  w.btnOkClick();
  ASSERT_EQ(w.Grid->rowCount(), 2);
  w.txtFunction->setEditText("x*");
  w.btnOkClick();
  EXPECT_EQ(LastMessage(), "Выражение некорректно");
  EXPECT_EQ(w.Grid->rowCount(), 2);
  EXPECT_EQ(U(w.lbFunction->text()), "x");
  EXPECT_TRUE(w.btnSave->isEnabled());
  w.rbKolvo->click();
  EXPECT_FALSE(w.txtFinish->isEnabled());
  EXPECT_EQ(w.focusWidget(), w.txtKolvo);
}

// ---------------------------------------------------------------- line, parabola

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

}  // namespace

namespace {

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

}  // namespace

namespace {

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

}  // namespace

namespace {

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

}  // namespace

// ---------------------------------------------------------------- keys and texts as the user meets them

namespace {

// Enter pressed in the control that has the focus, as the keyboard sends it.
void Enter(QWidget* w) {
  ASSERT_NE(w, nullptr);
  QTest::keyClick(w, Qt::Key_Return);
}

// The widget that receives the keys of a shown window.
QWidget* KeyTarget(QWidget* w) {
  QWidget* f = w->focusWidget();
  return f != nullptr ? f : w;
}

class ToolKeys : public ToolWindows {
 protected:
  // Shows `w` as its launcher does (without a modal loop) while `run` acts.
  static void Shown(QDialog* w, const std::function<void()>& run) {
    w->show();
    run();
    w->close();
  }
};

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

}  // namespace

namespace {

class ToolTable : public ToolWindows {};

TEST_F(ToolTable, ClicksOnTheYColumnLeaveTheXColumnInView) {
  TTableForm& t = *TableForm;
  t.txtFunction->setEditText("sqrt(x)");
  t.txtStart->setText("-0.2");
  t.show();
  t.btnOkClick();
  QApplication::processEvents();
  QTableWidget& g = *t.Grid;
  ASSERT_EQ(g.rowCount(), 101);
  EXPECT_EQ(t.Cell(0, 1), "-0.2");
  EXPECT_EQ(t.Cell(1, 1), "Квадратный корень из отрицательного числа");
  for (int row : {1, 3, 6, 2}) {
    const QRect cell = g.visualRect(g.model()->index(row, 1));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::keyClick(g.viewport(), Qt::Key_Right);
    EXPECT_EQ(g.horizontalScrollBar()->value(), 0) << row;
  }
  EXPECT_EQ(g.horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(g.columnViewportPosition(0), 0);
  // Both columns lie inside the viewport, beside the vertical scroll bar.
  EXPECT_EQ(g.columnWidth(0), 162);
  EXPECT_LE(g.columnViewportPosition(1) + g.columnWidth(1), g.viewport()->width());
  EXPECT_GE(g.columnWidth(1), 100);
  // An error text wider than its column is there whole as the cell's tooltip.
  EXPECT_EQ(U(g.item(1, 1)->toolTip()), "Квадратный корень из отрицательного числа");
  t.close();
}

TEST_F(ToolTable, ResultsLongerThanAnEditsLimitAreKeptWhole) {
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

TEST_F(ToolTable, TheIntegralRefusesLimitsThatSwallowTheStep) {
  TIntegralForm& w = *IntegralForm;
  w.txtFunction->setEditText("1");
  // 2^83: the numbers there lie 2^20 apart; a step of 0.4 * 2^20 is lost.
  w.txtMinX->setText("9671406556917033397649408");
  w.txtMaxX->setText("9671406556917033401843712");  // 2^83 + 4 * 2^20: 8388608 steps
  w.txtDx->setText("0.5");
  w.btnOkClick();
  EXPECT_EQ(LastMessage(), tools::MsgTooManyTerms);
  EXPECT_EQ(w.focusWidget(), w.txtDx);
  EXPECT_TRUE(w.gbResults->isHidden());
}

TEST_F(ToolTable, TheToolbarHelpButtonOpensTheHelpPage) {
  ProgramDir = "/prog/";
  Form().tbHelp->click();
  ASSERT_EQ(fake.HelpCalls.size(), 1u);
  EXPECT_EQ(fake.HelpCalls[0].File, "/prog/help/help.htm");
  EXPECT_TRUE(fake.Dialogs.empty());
}

}  // namespace

namespace {

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
