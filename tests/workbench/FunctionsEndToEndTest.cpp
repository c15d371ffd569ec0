// The workbench started headless: three functions added through the dialog
// as a user would (menu, toolbar button, keyboard, keypad), then the list,
// the status bar and the graphs in the picture.
#include <QImage>

#include "FunctionsHelpers.h"

namespace {

class EndToEnd : public FunctionsFixture {
 protected:
  long double XOf(int column) { return View().StartX + column * View().Xm; }
  // Column c shows colour `color` at the row of y or a row next to it.
  bool PaintedNear(int c, long double y, plat::TColor color) {
    const int r = RowOf(y);
    for (int d = -1; d <= 1; ++d)
      if (Pixel(c, r + d) == color) return true;
    return false;
  }
};

}  // namespace

TEST_F(EndToEnd, ThreeFunctionsAddedThroughTheDialog) {
  // The start-up opened the dialog once; with nobody there it was closed.
  ASSERT_EQ(fake.Dialogs.size(), 1u);
  EXPECT_EQ(View().FuncCount, 0);
  fake.ClearRecords();

  // Plays the user while the dialog is shown: the formula box focused and
  // its text selected, then `play`.
  auto user = [this](const std::function<void(TNewFunctionForm&, QLineEdit*)>& play) {
    fake.OnExecModal = [play](QDialog* d) {
      auto& dlg = *static_cast<TNewFunctionForm*>(d);
      QLineEdit* e = dlg.txtExpression->lineEdit();
      e->setFocus();
      e->selectAll();
      play(dlg, e);
      return dlg.result();
    };
  };
  // 1: menu "Добавить...", the formula typed on the keyboard, the button.
  user([](TNewFunctionForm& dlg, QLineEdit* e) {
    KeyClicks(e, "x^2");
    dlg.btnAddFunction->click();
  });
  Form().mnuFunctionAdd->trigger();
  // 2: the toolbar button, the formula composed on the keypad, a wider line.
  user([](TNewFunctionForm& dlg, QLineEdit* e) {
    EXPECT_EQ(dlg.pgPage->currentIndex(), 0);
    dlg.pgPage->setCurrentIndex(1);
    for (QPushButton* b : {dlg.btnMinus, dlg.btnX, dlg.btnMinus, dlg.btn3}) b->click();
    EXPECT_EQ(e->text(), "-x-3");
    dlg.pgPage->setCurrentIndex(0);
    dlg.udWidth->StepUp();
    dlg.btnAddFunction->click();
  });
  Form().tbAddFunc->click();
  // 3: a constant, typed and confirmed with Enter.
  user([](TNewFunctionForm&, QLineEdit* e) {
    KeyClicks(e, "2");
    KeyClick(e, Qt::Key_Return);
  });
  Form().mnuFunctionAdd->trigger();
  fake.OnExecModal = nullptr;

  EXPECT_TRUE(fake.Messages.empty());
  ASSERT_EQ(fake.Dialogs.size(), 3u);
  ASSERT_EQ(View().FuncCount, 3);
  ASSERT_EQ(Form().lbxFunctions->count(), 3);
  EXPECT_EQ(Line(0), "x^2");
  EXPECT_EQ(Line(1), "-x-3");
  EXPECT_EQ(Line(2), "2");
  EXPECT_EQ(Form().lbxFunctions->currentRow(), 2);
  EXPECT_EQ(Panel(4), "Функций: 3");
  EXPECT_EQ(Form().txtFunction->text(), "2");
  EXPECT_EQ(Func(1).LineWidth, 2);

  // The first colour comes from the shipped defaults; the proposals give
  // the others, each its own.
  TNewFuncSettings shipped;
  std::string err;
  ASSERT_TRUE(ReadNewFuncSetFile(plat::ExeDir() + "newfunc.set", shipped, err));
  const plat::TColor c0 = Func(0).GraphColor, c1 = Func(1).GraphColor, c2 = Func(2).GraphColor;
  EXPECT_EQ(c0, shipped.Color);
  EXPECT_TRUE(c0 != c1 && c1 != c2 && c0 != c2);

  // The graphs in the picture, probed where they do not meet.
  const int W = Form().Image->width();
  ASSERT_GT(W, 200);
  int checked = 0;
  for (int c = W / 8; c < W - W / 8; c += W / 16) {
    const long double x = XOf(c);
    const long double y0 = x * x, y1 = -x - 3, y2 = 2;
    auto apart = [](long double a, long double b) { return a - b > 0.5L || b - a > 0.5L; };
    if (RowOf(y0) > 2 && RowOf(y0) < Form().Image->height() - 2 && apart(y0, y1) && apart(y0, y2)) {
      EXPECT_TRUE(PaintedNear(c, y0, c0)) << "x^2 at column " << c;
      ++checked;
    }
    if (RowOf(y1) > 2 && RowOf(y1) < Form().Image->height() - 2 && apart(y1, y0) && apart(y1, y2)) {
      EXPECT_TRUE(PaintedNear(c, y1, c1)) << "-x-3 at column " << c;
      ++checked;
    }
    if (apart(y2, y0) && apart(y2, y1)) {
      EXPECT_EQ(Pixel(c, RowOf(y2)), c2) << "2 at column " << c;
      ++checked;
    }
  }
  EXPECT_GT(checked, 10);
}
