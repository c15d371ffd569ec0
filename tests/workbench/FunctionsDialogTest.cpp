// The new-function dialog: keypad and editing row, colour proposal, the
// number-box checks, the trial parse and its messages, the history, and the
// defaults file as the dialog reads and writes it.
#include <QLabel>

#include <fstream>
#include <iterator>
#include <vector>

#include "FunctionsHelpers.h"
#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/workbench/NewFuncSetFile.h"

namespace {

class NewFunctionDialog : public FunctionsFixture {
 protected:
  // Opens the dialog as the add-function command does and runs `body` while
  // it is shown; it is then cancelled.
  void WhileOpen(const std::function<void(TNewFunctionForm&)>& body) {
    AddVia(body, /*press=*/false);
  }
  QLineEdit* Edit() { return Dlg().txtExpression->lineEdit(); }
  void SetText(const char* t, int selStart, int selLen) {
    Edit()->setText(QString::fromUtf8(t));
    if (selLen > 0)
      Edit()->setSelection(selStart, selLen);
    else
      Edit()->setCursorPosition(selStart);
  }
  std::string Text() { return Edit()->text().toStdString(); }
};

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

TEST_F(NewFunctionDialog, InitialStateOfAFreshDialog) {
  TNewFunctionForm d;  // as created at start-up, before any showing
  EXPECT_EQ(d.windowTitle(), " Новая функция");
  EXPECT_EQ(d.btnAddFunction->text(), "Добавить функцию");
  EXPECT_TRUE(d.btnAddFunction->isDefault());
  EXPECT_EQ(d.cbxIfRazryv->text(), "Максимальный разрыв соседних значений f(x):");
  EXPECT_TRUE(d.cbxIfLines->isChecked());
  EXPECT_TRUE(d.cbxIfRazryv->isChecked());
  EXPECT_FALSE(d.txtMinX->isEnabled());
  EXPECT_EQ(d.stColor->Color(), 0x00808080u);
  const QLineEdit* formula = d.txtExpression->lineEdit();
  EXPECT_EQ(formula->palette().color(QPalette::Base), QColor(Qt::black));
  EXPECT_EQ(formula->palette().color(QPalette::Text), QColor(Qt::yellow));
  EXPECT_TRUE(formula->font().bold());
}

TEST_F(NewFunctionDialog, EveryTextFitsAndNothingOverlaps) {
  WhileOpen([](TNewFunctionForm& d) {
    auto box = [&d](const QWidget* w) { return QRect(w->mapTo(&d, QPoint(0, 0)), w->size()); };
    auto name = [](const QWidget* w) { return w->objectName().toStdString(); };
    for (int page = 0; page < d.pgPage->count(); ++page) {
      d.pgPage->setCurrentIndex(page);
      QApplication::processEvents();
      std::vector<QWidget*> shown;
      for (QWidget* w : d.findChildren<QWidget*>()) {
        const bool leaf = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                          qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                          qobject_cast<TUpDown*>(w);
        if (!w->isVisible() || !leaf || qobject_cast<TUpDown*>(w->parentWidget()) ||
            qobject_cast<QComboBox*>(w->parentWidget()))
          continue;
        shown.push_back(w);
        // Captions are not cut off.
        const QString text = w->property("text").toString();
        if (qobject_cast<QLineEdit*>(w) || text.trimmed().isEmpty()) continue;
        int need = w->fontMetrics().horizontalAdvance(text);
        if (qobject_cast<QCheckBox*>(w)) need = w->sizeHint().width();
        if (qobject_cast<QPushButton*>(w)) need += 6;  // the bevel
        EXPECT_GE(w->width(), need) << name(w) << " " << text.toStdString();
      }
      for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j)
          EXPECT_FALSE(box(shown[i]).intersects(box(shown[j]))) << name(shown[i]) << " / " << name(shown[j]);
    }
    d.pgPage->setCurrentIndex(0);
    // Each up-down sits right beside its box.
    for (TUpDown* ud : {d.udDiametr, d.udWidth, d.udKolvo}) {
      const int gap = box(ud).left() - box(ud->Associate()).right() - 1;
      EXPECT_TRUE(gap >= 0 && gap <= 3) << name(ud) << " " << gap;
    }
  });
}

TEST_F(NewFunctionDialog, KeypadInsertsOrReplacesAndKeepsTheFocusInTheFormula) {
  const std::pair<const char*, const char*> keys[] = {
      {"btn0", "0"}, {"btn1", "1"}, {"btn2", "2"}, {"btn3", "3"}, {"btn4", "4"},
      {"btn5", "5"}, {"btn6", "6"}, {"btn7", "7"}, {"btn8", "8"}, {"btn9", "9"},
      {"btntchk", "."}, {"btnsk1", "("}, {"btnsk2", ")"}, {"btnPlus", "+"}, {"btnMinus", "-"},
      {"btnUmnog", "*"}, {"btnDelenie", "/"}, {"btnStepen", "^"}, {"btnKoren", "@"},
      {"btnSin", "sin"}, {"btnCos", "cos"}, {"btnTg", "tg"}, {"btnCtg", "ctg"},
      {"btnASin", "arcsin"}, {"btnACos", "arccos"}, {"btnAtg", "arctg"}, {"btnACtg", "arcctg"},
      {"bntLn", "ln"}, {"btnLg", "lg"}, {"btnExp", "exp"}, {"btnSqrt", "sqrt"}, {"btnAbs", "abs"},
      {"btnFact", "fact"}, {"btnRnd", "rnd"}, {"btnTrunc", "trunc"}, {"btnFrac", "frac"},
      {"btnX", "x"}, {"btnP", "p"}, {"btnE", "e"}};
  for (const auto& [name, text] : keys) {
    auto* b = Dlg().findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name;
    // A button that took the focus would drop the formula box's selection.
    EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << name;
    SetText("ab", 1, 0);
    b->click();
    EXPECT_EQ(Text(), std::string("a") + text + "b") << name;
    EXPECT_EQ(Edit()->cursorPosition(), 1 + static_cast<int>(std::string(text).size())) << name;
  }
  EXPECT_EQ(Dlg().btnKoren->text(), "b@a");

  // A selection is replaced; no bracket follows a function name.
  SetText("sin(x)+1", 4, 1);
  Dlg().btnCos->click();
  EXPECT_EQ(Text(), "sin(cos)+1");
  EXPECT_EQ(Edit()->cursorPosition(), 7);
  EXPECT_FALSE(Edit()->hasSelectedText());
}

TEST_F(NewFunctionDialog, EditingRowMovesAndDeletesOneCharacter) {
  using B = QPushButton* TNewFunctionForm::*;
  struct Case {
    const char* text;
    int selStart, selLen;
    B button;
    const char* after;
    int caret;
  };
  using F = TNewFunctionForm;
  const Case cases[] = {
      {"abc", 0, 0, &F::btnBk, "abc", 0},      // nothing before the caret
      {"abc", 0, 0, &F::btnBack, "abc", 0},    //
      {"abc", 3, 0, &F::btnDelete, "abc", 3},  // nothing after it
      {"abc", 3, 0, &F::btnNext, "abc", 3},    //
      {"abc", 1, 0, &F::btnLast, "abc", 3},    //
      {"abc", 2, 0, &F::btnHome, "abc", 0},    //
      {"abc", 1, 0, &F::btnNext, "abc", 2},    //
      {"abc", 2, 0, &F::btnBk, "ac", 1},       //
      {"ac", 1, 0, &F::btnDelete, "a", 1},     //
      // With a selection only one character goes: the one before its
      // start, or its first one; the selection is dropped.
      {"abcd", 1, 2, &F::btnBk, "bcd", 0},
      {"abcd", 1, 2, &F::btnDelete, "acd", 1},
      {"abcd", 1, 2, &F::btnNext, "abcd", 2},
  };
  for (const Case& c : cases) {
    QPushButton* b = Dlg().*c.button;
    SCOPED_TRACE(b->objectName().toStdString() + " on " + c.text);
    // A button that took the focus would drop the formula box's selection.
    EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
    SetText(c.text, c.selStart, c.selLen);
    b->click();
    EXPECT_EQ(Text(), c.after);
    EXPECT_EQ(Edit()->cursorPosition(), c.caret);
    EXPECT_FALSE(Edit()->hasSelectedText());
  }
}

TEST(FuncColorProposal, FirstFreeTableColour) {
  std::uint32_t c = 0;
  ASSERT_TRUE(ProposeFuncColor(0xFFFFFF, {0x0000FF}, c));
  EXPECT_EQ(c, 0xFF0000u);  // red used, white background: blue
  ASSERT_TRUE(ProposeFuncColor(0x0000FF, {0xFF0000}, c));
  EXPECT_EQ(c, 0x008000u);  // red background passed over, blue used: green
  std::vector<std::uint32_t> all(FuncColors, FuncColors + 17);
  c = 0x123456;
  EXPECT_FALSE(ProposeFuncColor(0xFFFFFF, all, c));
  EXPECT_EQ(c, 0x123456u);
  all.pop_back();  // violet free, the background is one of the rest
  ASSERT_TRUE(ProposeFuncColor(all[3], all, c));
  EXPECT_EQ(c, 0xFF00CCu);
  all.pop_back();  // black and violet free, black is the background
  ASSERT_TRUE(ProposeFuncColor(0x000000, all, c));
  EXPECT_EQ(c, 0xFF00CCu);
}

TEST_F(NewFunctionDialog, ColourFromTheFileUntilAGraphExists) {
  UseTempProgramDir();
  TNewFuncSettings s;
  s.Color = View().BkColor;  // even the background is offered with no graph
  std::string err;
  ASSERT_TRUE(WriteNewFuncSetFile(ProgramDir + "newfunc.set", s, err));
  plat::TColor shown = 0;
  WhileOpen([&](TNewFunctionForm& d) { shown = d.stColor->Color(); });
  EXPECT_EQ(shown, View().BkColor);

  s.Color = 0x0000FF;
  ASSERT_TRUE(WriteNewFuncSetFile(ProgramDir + "newfunc.set", s, err));
  View().BkColor = 0x0000FF;
  Add("x");  // the file's colour, although it is the background: red
  ASSERT_EQ(View().FuncCount, 1);
  EXPECT_EQ(Func(0).GraphColor, 0x0000FFu);
  WhileOpen([&](TNewFunctionForm& d) { shown = d.stColor->Color(); });
  EXPECT_EQ(shown, 0xFF0000u);  // red is background and graph: blue

  // Passed over: the background and every listed graph's colour.
  Func(0).GraphColor = 0xFF0000;
  View().BkColor = 0x008000;
  WhileOpen([&](TNewFunctionForm& d) { shown = d.stColor->Color(); });
  EXPECT_EQ(shown, 0x0000FFu);
}

TEST_F(NewFunctionDialog, NumberBoxesFallBackToTheirLastValidTexts) {
  fake.ClearRecords();
  AddVia([](TNewFunctionForm& d) {
    EXPECT_EQ(d.LastMaxX, "1");
    d.txtMaxX->setText("abc");  // checked or not, it is checked
    EXPECT_FALSE(d.cbxMaxX->isChecked());
    d.txtMinX->setText(" -2.5e1");
    d.txtRazryv->setText("0");
    d.txtExpression->setEditText("x");
  });
  ASSERT_EQ(View().FuncCount, 1);
  auto& d = Dlg();
  EXPECT_EQ(d.txtMaxX->text(), "1");
  EXPECT_EQ(d.txtMinX->text(), " -2.5e1");
  EXPECT_EQ(d.LastMinX, " -2.5e1");
  EXPECT_EQ(d.txtRazryv->text(), "10");
  EXPECT_EQ(Func(0).MinX, -25.0L);
  EXPECT_EQ(Func(0).MaxX, 1.0L);
  EXPECT_EQ(Func(0).Razryv, 10.0L);
  EXPECT_TRUE(fake.Messages.empty());

  // A box text becomes the last valid text as soon as it is checked, even
  // when the formula is then refused.
  AddVia([](TNewFunctionForm& d) {
    d.txtRazryv->setText("0.5");
    d.txtExpression->setEditText("(");
    d.btnAddFunction->click();
    EXPECT_EQ(d.LastRazryv, "0.5");
    d.txtRazryv->setText("-5");
    d.txtExpression->setEditText("x");
  });
  EXPECT_EQ(Func(1).Razryv, 0.5L);
}

TEST_F(NewFunctionDialog, WholeNumberBoxesReachTheFunctionWithin1To9) {
  AddVia([](TNewFunctionForm& d) {
    d.txtExpression->setEditText("x");
    d.txtKolvo->setText("0");
    d.txtWidth->setText("65536");
    d.txtDiametr->setText("-1");
  });
  AddVia([](TNewFunctionForm& d) {
    d.txtExpression->setEditText("x");
    d.udKolvo->StepUp();
    d.udKolvo->StepUp();  // position 3
    d.txtKolvo->setText("abc");
    d.txtWidth->setText("7");
  });
  ASSERT_EQ(View().FuncCount, 2);
  EXPECT_EQ(Func(0).Kolvo, 1);
  EXPECT_EQ(Func(0).LineWidth, 9);
  EXPECT_EQ(Func(0).Diametr, 1);
  EXPECT_EQ(Func(1).Kolvo, 3);
  EXPECT_EQ(Func(1).LineWidth, 7);
  EXPECT_EQ(Dlg().txtKolvo->text(), "3");
}

TEST_F(NewFunctionDialog, ParseErrorShowsItsMessageAndStaysOpen) {
  fake.ClearRecords();
  bool stillOpen = false;
  AddVia([&](TNewFunctionForm& d) {
    d.txtExpression->setEditText("");
    d.btnAddFunction->click();
    stillOpen = d.isVisible();
    d.txtExpression->setEditText("sin(");
    d.btnAddFunction->click();
  }, false);
  EXPECT_TRUE(stillOpen);
  EXPECT_FALSE(FunctionAdded);
  EXPECT_EQ(View().FuncCount, 0);
  ASSERT_EQ(fake.Messages.size(), 2u);
  EXPECT_EQ(fake.Messages[0].Text, "Выражение некорректно");
  EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Information);
  EXPECT_EQ(fake.Messages[0].Buttons, plat::mbOK);
  objFunc probe;
  probe.Expression = "sin(";
  probe.Reset();
  probe.Parse(probe.Expression);
  ASSERT_GT(probe.ErrorCode, 0);
  EXPECT_EQ(fake.Messages[1].Text, ErrorMessages[probe.ErrorCode]);
  EXPECT_EQ(Dlg().txtExpression->count(), 0);  // the history is unchanged
  EXPECT_EQ(Dlg().txtExpression->currentText(), "sin(");
}

TEST_F(NewFunctionDialog, HistoryKeepsEachAcceptedTextOnceCaseSensitive) {
  fake.ClearRecords();
  // Enter accepts; a refused typed text becomes no history item.
  AddVia([](TNewFunctionForm& d) {
    QLineEdit* e = d.txtExpression->lineEdit();
    e->setFocus();
    KeyClicks(e, "(x");
    KeyClick(e, Qt::Key_Return);  // refused: message, no item
    EXPECT_EQ(d.txtExpression->count(), 0);
    EXPECT_TRUE(d.isVisible());
    KeyClick(e, Qt::Key_Backspace);
    KeyClick(e, Qt::Key_Backspace);
    KeyClicks(e, "2x");
    KeyClick(e, Qt::Key_Return);
  }, false);
  EXPECT_EQ(fake.Messages.size(), 1u);
  ASSERT_EQ(View().FuncCount, 1);
  EXPECT_EQ(Line(0), "2x");
  Add("2x");
  Add("2X");
  auto& combo = *Dlg().txtExpression;
  ASSERT_EQ(combo.count(), 2);
  EXPECT_EQ(combo.itemText(0), "2x");
  EXPECT_EQ(combo.itemText(1), "2X");
  EXPECT_EQ(View().FuncCount, 3);
}

TEST_F(NewFunctionDialog, ReopensWithThePreviousOrAHandedOverText) {
  Add("x+1");
  QString seen;
  WhileOpen([&](TNewFunctionForm& d) { seen = d.txtExpression->currentText(); });
  EXPECT_EQ(seen, "x+1");
  Dlg().SetExpressionText("sqrt(x)");  // as an analysis tool hands a formula over
  WhileOpen([&](TNewFunctionForm& d) {
    seen = d.txtExpression->currentText();
    EXPECT_EQ(d.pgPage->currentIndex(), 0);
    d.pgPage->setCurrentIndex(1);
  });
  EXPECT_EQ(seen, "sqrt(x)");
  EXPECT_EQ(View().FuncCount, 1);  // cancelled: nothing added
}

TEST_F(NewFunctionDialog, DefaultsAreWrittenAndReadAtEveryShowing) {
  UseTempProgramDir();
  const std::string path = ProgramDir + "newfunc.set";
  WhileOpen([](TNewFunctionForm& d) {
    d.cbxMinX->click();
    d.txtMinX->setText("1234567890123456789012345");
    d.txtMaxX->setText("abc");  // stored as it stands
    d.cbxIfLines->click();
    d.udWidth->StepUp();
    d.stColor->SetColor(0x00FF00CC);
    d.btnDefault->click();
    EXPECT_TRUE(d.isVisible());
  });
  const auto bytes = ReadAll(path);
  ASSERT_EQ(bytes.size(), 88u);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[4], 0);
  EXPECT_EQ(bytes[6], 20);
  EXPECT_EQ(bytes[27], 3);
  EXPECT_EQ(bytes[76], 2);
  EXPECT_EQ(bytes[84], 0xCC);

  // Changed controls come back from the file at the next showing, and a
  // stored non-number is both the text and the last valid text.
  Dlg().cbxMinX->setChecked(false);
  Dlg().txtMinX->setText("7");
  AddVia([](TNewFunctionForm& d) {
    EXPECT_TRUE(d.cbxMinX->isChecked());
    EXPECT_TRUE(d.txtMinX->isEnabled());
    EXPECT_FALSE(d.cbxIfLines->isChecked());
    EXPECT_EQ(d.txtMinX->text(), "12345678901234567890");
    EXPECT_EQ(d.txtMaxX->text(), "abc");
    EXPECT_EQ(d.LastMaxX, "abc");
    EXPECT_EQ(d.txtWidth->text(), "2");
    d.txtExpression->setEditText("x");
  });
  EXPECT_EQ(Dlg().txtMaxX->text(), "abc");
  ASSERT_EQ(View().FuncCount, 1);
  EXPECT_EQ(Func(0).GraphColor, 0x00FF00CCu);
  EXPECT_EQ(Func(0).MaxX, 0.0L);
  EXPECT_EQ(Func(0).LineWidth, 2);
  EXPECT_FALSE(Func(0).IfLines);
}

TEST_F(NewFunctionDialog, DefaultsKeepTheWholeNumbersAsTheyAreShown) {
  UseTempProgramDir();
  // A number typed into a whole-number box is what the accept would use, so
  // it is also what the defaults keep; the boxes themselves stay as typed.
  WhileOpen([](TNewFunctionForm& d) {
    d.udWidth->StepUp();  // position 2
    d.txtKolvo->setText("5");
    d.txtDiametr->setText("0");
    d.txtWidth->setText("abc");
    d.btnDefault->click();
    EXPECT_EQ(d.txtKolvo->text(), "5");
    EXPECT_EQ(d.txtDiametr->text(), "0");
    EXPECT_EQ(d.txtWidth->text(), "abc");
  });
  const auto bytes = ReadAll(ProgramDir + "newfunc.set");
  ASSERT_EQ(bytes.size(), 88u);
  EXPECT_EQ(bytes[72], 1);  // "0" kept within 1..9
  EXPECT_EQ(bytes[76], 2);  // not a number: the up-down's position
  EXPECT_EQ(bytes[80], 5);
  WhileOpen([](TNewFunctionForm& d) {
    EXPECT_EQ(d.txtKolvo->text(), "5");
    EXPECT_EQ(d.udKolvo->Position(), 5);
  });
}

TEST_F(NewFunctionDialog, FileFaultsAreReportedAndControlsStay) {
  UseTempProgramDir();
  fake.ClearRecords();
  WhileOpen([](TNewFunctionForm& d) {
    EXPECT_EQ(d.txtRazryv->text(), "10");  // the initial state
    d.txtRazryv->setText("3");
  });
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Text, "File not found");
  EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Error);

  std::ofstream(ProgramDir + "newfunc.set", std::ios::binary) << std::string(87, '\1');
  fake.ClearRecords();
  AddVia([](TNewFunctionForm& d) {
    EXPECT_EQ(d.txtRazryv->text(), "3");
    EXPECT_EQ(d.LastRazryv, "3");
    d.txtRazryv->setText("x");
    d.txtExpression->setEditText("x");
  });
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Text, "Read beyond end of file");
  ASSERT_EQ(View().FuncCount, 1);
  EXPECT_EQ(Func(0).Razryv, 3.0L);

  // A write that fails is reported and the dialog stays open.
  std::filesystem::remove(ProgramDir + "newfunc.set");
  std::filesystem::create_directory(ProgramDir + "newfunc.set");
  bool open = false;
  WhileOpen([&](TNewFunctionForm& d) {
    fake.ClearRecords();
    d.btnDefault->click();
    open = d.isVisible();
  });
  EXPECT_TRUE(open);
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Error);
  EXPECT_EQ(fake.Messages[0].Text, "File access denied");
}
