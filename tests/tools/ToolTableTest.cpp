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

class ToolTableGrid : public ToolWindows {
 protected:
  void SetUp() override {
    ToolWindows::SetUp();
    TTableForm& t = *TableForm;
    t.rbKolvo->click();
    t.txtFunction->setEditText("x^2");
    t.txtStart->setText("0");
    t.txtDx->setText("0.1");
    t.txtKolvo->setText("500");
    t.show();
    t.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&t));
  }
  void TearDown() override {
    TableForm->close();
    ToolWindows::TearDown();
  }
  QTableWidget& G() { return *TableForm->Grid; }
  QPoint CellCentre(int row, int col) { return G().visualRect(G().model()->index(row, col)).center(); }
  void ClickCell(int row, int col) {
    QTest::mouseClick(G().viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(row, col));
  }
  // "Получить значения" pressed with the mouse.
  void Run() {
    QTest::mouseClick(TableForm->btnOk, Qt::LeftButton);
    QApplication::processEvents();
  }
};

TEST_F(ToolTableGrid, ANewRunOpensAtTheFirstRow) {
  Run();
  ASSERT_EQ(G().rowCount(), 501);
  ClickCell(2, 1);
  QTest::keyClick(&G(), Qt::Key_End, Qt::ControlModifier);
  ASSERT_EQ(G().currentRow(), 500);
  ASSERT_GT(G().verticalScrollBar()->value(), 400);

  Run();
  EXPECT_EQ(G().verticalScrollBar()->value(), 0);
  EXPECT_EQ(G().rowAt(0), 0);  // the heading row at the top, row 1 below it
  EXPECT_EQ(G().rowAt(G().rowViewportPosition(1) + 1), 1);
  EXPECT_EQ(G().currentRow(), 1);
  EXPECT_EQ(G().currentColumn(), 1);
  EXPECT_TRUE(G().selectedItems().isEmpty());
  // The keys walk on from the first value, not from where the old table was.
  G().setFocus();
  QTest::keyClick(&G(), Qt::Key_Down);
  EXPECT_EQ(G().currentRow(), 2);
  EXPECT_EQ(G().verticalScrollBar()->value(), 0);

  // A shorter table after scrolling down a long one.
  QTest::keyClick(&G(), Qt::Key_End, Qt::ControlModifier);
  ASSERT_GT(G().verticalScrollBar()->value(), 400);
  TableForm->txtKolvo->setText("50");
  Run();
  EXPECT_EQ(G().rowCount(), 51);
  EXPECT_EQ(G().verticalScrollBar()->value(), 0);
  EXPECT_EQ(G().currentRow(), 1);
}

TEST_F(ToolTableGrid, TabLeavesTheGrid) {
  Run();
  ClickCell(3, 1);
  ASSERT_EQ(TableForm->focusWidget(), &G());
  ASSERT_EQ(G().currentRow(), 3);
  QTest::keyClick(&G(), Qt::Key_Tab);
  EXPECT_NE(TableForm->focusWidget(), &G());
  EXPECT_EQ(G().currentRow(), 3);  // the cell did not move either

  ClickCell(3, 1);
  ASSERT_EQ(TableForm->focusWidget(), &G());
  QTest::keyClick(&G(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_NE(TableForm->focusWidget(), &G());
  EXPECT_EQ(G().currentRow(), 3);
}

TEST_F(ToolTableGrid, TheFixedColumnAndHeadingNeverBecomeCurrent) {
  Run();
  ClickCell(4, 1);
  ASSERT_EQ(G().currentRow(), 4);
  ASSERT_EQ(G().currentColumn(), 1);
  const std::pair<int, int> fixedCells[] = {{5, 0}, {1, 0}, {0, 0}, {0, 1}};
  for (const auto& [row, col] : fixedCells) {
    ClickCell(row, col);
    EXPECT_EQ(G().currentRow(), 4) << row << "," << col;
    EXPECT_EQ(G().currentColumn(), 1) << row << "," << col;
    QTest::mouseDClick(G().viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(row, col));
    EXPECT_EQ(G().currentColumn(), 1) << row << "," << col;
    for (const QTableWidgetItem* item : G().selectedItems())
      EXPECT_TRUE(item->row() > 0 && item->column() > 0) << row << "," << col;
  }
  // Nor with the keys: left, up from the first value, home and top.
  ClickCell(1, 1);
  for (int key : {int(Qt::Key_Left), int(Qt::Key_Up), int(Qt::Key_Home), int(Qt::Key_PageUp)}) {
    QTest::keyClick(&G(), Qt::Key(key));
    EXPECT_EQ(G().currentRow(), 1) << key;
    EXPECT_EQ(G().currentColumn(), 1) << key;
  }
  QTest::keyClick(&G(), Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(G().currentRow(), 1);
  EXPECT_EQ(G().currentColumn(), 1);
  // A drag from a value onto the x column stays on the values.
  QTest::mousePress(G().viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(2, 1));
  QMouseEvent move(QEvent::MouseMove, QPointF(CellCentre(3, 0)), G().viewport()->mapToGlobal(QPointF(CellCentre(3, 0))),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(G().viewport(), &move);
  QTest::mouseRelease(G().viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(3, 0));
  EXPECT_EQ(G().currentColumn(), 1);
  for (const QTableWidgetItem* item : G().selectedItems()) EXPECT_GT(item->column(), 0);
  // The fixed cells are drawn with text as dark as the values', not greyed.
  ClickCell(6, 1);  // no value cell near the compared rows is highlighted
  const QImage shot = G().viewport()->grab().toImage();
  auto darkest = [&shot, this](int row, int col) {
    const QRect r = G().visualRect(G().model()->index(row, col)).intersected(shot.rect());
    int least = 255;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) least = std::min(least, qGray(shot.pixel(x, y)));
    return least;
  };
  EXPECT_LE(darkest(3, 0), darkest(3, 1) + 30);
  EXPECT_LE(darkest(0, 0), darkest(3, 1) + 30);
}

TEST_F(ToolTableGrid, ATableCutAtTheRowLimitSaysSo) {
  TTableForm& t = *TableForm;
  t.rbFinish->click();
  t.txtFinish->setText("1000000000000");
  t.txtDx->setText("0.000001");
  Run();
  ASSERT_EQ(G().rowCount(), 10000);
  EXPECT_EQ(t.Cell(0, 9999), "0.009998");
  ASSERT_TRUE(t.lblCut->isVisible());
  EXPECT_EQ(U(t.lblCut->text()), tools::MsgTableCut);
  EXPECT_EQ(t.OuterHeight(), 416);
  // Whole, under the grid and inside the window.
  EXPECT_GE(t.lblCut->y(), G().geometry().bottom());
  EXPECT_LE(t.lblCut->geometry().bottom(), t.height() - 1);
  std::string faults;
  for (const std::string& f : orv_test::TextsThatDoNotFit(&t)) faults += f + "\n";
  EXPECT_TRUE(faults.empty()) << faults;

  // A table that ends where it should says nothing more: exactly 9999 rows,
  // then a short one.
  t.txtFinish->setText("999.8");
  t.txtDx->setText("0.1");
  Run();
  ASSERT_EQ(G().rowCount(), 10000);
  EXPECT_EQ(t.Cell(0, 9999), "999.8");
  EXPECT_FALSE(t.lblCut->isVisible());
  t.txtFinish->setText("999.9");
  Run();
  EXPECT_TRUE(t.lblCut->isVisible());
  t.txtFinish->setText("1");
  Run();
  EXPECT_EQ(G().rowCount(), 12);
  EXPECT_FALSE(t.lblCut->isVisible());
  t.rbKolvo->click();
  t.txtKolvo->setText("9999");
  Run();
  EXPECT_EQ(G().rowCount(), 10000);
  EXPECT_FALSE(t.lblCut->isVisible());
  EXPECT_TRUE(fake.Messages.empty());
}

}  // namespace
