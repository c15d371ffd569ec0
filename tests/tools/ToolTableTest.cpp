// The table of values window and its text file.
#include "ToolWindowsFixture.h"

namespace {

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

}  // namespace
