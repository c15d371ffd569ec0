// The grid dialog and the grid command.
#include <gtest/gtest.h>

#include <QAction>
#include <QHelpEvent>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "LumivarFixture.h"
#include "lumivar/Setca.h"

namespace {

using lumivar::SetcaForm;

class SetcaTest : public lumtest::LumivarTest {
 protected:
  void SetUp() override {
    LumivarTest::SetUp();
    fake.ShowDialogs = false;
  }
  // Runs the grid command; `script` acts in the dialog and closes it.
  void Grid(const std::function<void()>& script) {
    fake.OnExecModal = [script](QDialog* d) {
      script();
      return d->result();
    };
    form->SetcaClick();
  }
};

TEST_F(SetcaTest, StyleIsChosenAtOnceAndOkSwitchesTheGridOn) {
  CreateForms();
  EXPECT_TRUE(SetcaForm->RadioButton3->isChecked());
  EXPECT_EQ(lumivar::GridStyle, plat::TPenStyle::psDot);

  Grid([] {
    SetcaForm->RadioButton2->click();
    SetcaForm->CancelButton->click();
  });
  EXPECT_EQ(lumivar::GridStyle, plat::TPenStyle::psDash);  // kept after the cancel
  EXPECT_FALSE(lumivar::GridOn);
  EXPECT_FALSE(form->Setca->isChecked());

  Grid([] {
    EXPECT_TRUE(SetcaForm->RadioButton2->isChecked());
    SetcaForm->OkButton->click();
  });
  EXPECT_TRUE(lumivar::GridOn);
  EXPECT_TRUE(form->Setca->isChecked());
  ASSERT_EQ(fake.Dialogs.size(), 2u);

  // The command again switches the grid off without the dialog.
  form->SetcaClick();
  EXPECT_FALSE(lumivar::GridOn);
  EXPECT_FALSE(form->Setca->isChecked());
  EXPECT_EQ(fake.Dialogs.size(), 2u);

  const plat::TPenStyle styles[] = {plat::TPenStyle::psSolid, plat::TPenStyle::psDash, plat::TPenStyle::psDot,
                                    plat::TPenStyle::psDashDot, plat::TPenStyle::psDashDotDot};
  QRadioButton* radios[] = {SetcaForm->RadioButton1, SetcaForm->RadioButton2, SetcaForm->RadioButton3,
                            SetcaForm->RadioButton4, SetcaForm->RadioButton5};
  for (int i : {4, 0, 3, 2, 1}) {
    radios[i]->click();
    EXPECT_EQ(lumivar::GridStyle, styles[i]) << i;
  }
}

TEST_F(SetcaTest, TheMenuItemRunsTheCommand) {
  CreateForms();
  fake.OnExecModal = [](QDialog* d) {
    SetcaForm->OkButton->click();
    return d->result();
  };
  form->Setca->trigger();
  EXPECT_TRUE(lumivar::GridOn);
  EXPECT_TRUE(form->Setca->isChecked());
  form->Setca->trigger();
  EXPECT_FALSE(lumivar::GridOn);
  EXPECT_FALSE(form->Setca->isChecked());
}

TEST_F(SetcaTest, TheGridIsDrawnInTheChosenColourAfterOk) {
  CreateForms();
  ASSERT_TRUE(lumtest::SetClientSize(*form, 476, 329));
  fake.Colors.push_back(plat::clGreen);
  Grid([] {
    SetcaForm->RadioButton1->click();
    SetcaForm->Button1->click();
    SetcaForm->OkButton->click();
  });
  // A vertical grid line one unit right of the origin, away from the x axis.
  const int x = form->Spin3->Value() + form->Spin1->Value();
  const int y = form->Spin4->Value() + 45;
  EXPECT_EQ(form->ScreenBitmap->Canvas().GetPixel(x, y), plat::clGreen);
  EXPECT_EQ(form->ScreenBitmap->Canvas().GetPixel(x + 1, y), plat::clWhite);
}

TEST_F(SetcaTest, TheSwatchShowsTheColour) {
  lumivar::GridColor = plat::clBlue;  // as if chosen before the dialog was made
  CreateForms();
  const plat::TImageCanvas& sw = SetcaForm->Swatch.Canvas();
  // Made with the start colour: black outline on the top and left edges only.
  EXPECT_EQ(sw.GetPixel(40, 20), plat::clBlue);
  EXPECT_EQ(sw.GetPixel(0, 20), plat::clBlack);
  EXPECT_EQ(sw.GetPixel(40, 0), plat::clBlack);
  EXPECT_EQ(sw.GetPixel(84, 20), plat::clBlue);
  EXPECT_EQ(sw.GetPixel(40, 44), plat::clBlue);

  // A cancelled colour dialog changes nothing.
  SetcaForm->Button1->click();
  EXPECT_EQ(lumivar::GridColor, plat::clBlue);
  EXPECT_EQ(sw.GetPixel(40, 20), plat::clBlue);

  fake.Colors.push_back(0x80FFFF);
  SetcaForm->Button1->click();
  EXPECT_EQ(lumivar::GridColor, 0x80FFFFu);
  for (const auto& [x, y] : {std::pair{40, 20}, std::pair{1, 1}, std::pair{83, 43}})
    EXPECT_EQ(sw.GetPixel(x, y), 0x80FFFFu) << x << "," << y;
  for (const auto& [x, y] : {std::pair{0, 20}, std::pair{84, 20}, std::pair{40, 0}, std::pair{40, 44}})
    EXPECT_EQ(sw.GetPixel(x, y), plat::clBlack) << x << "," << y;
  // The colour dialog offers solid colours and opens with its own last colour.
  ASSERT_EQ(fake.ColorDialogs.size(), 2u);
  EXPECT_TRUE(fake.ColorDialogs[0].SolidOnly);
  EXPECT_EQ(fake.ColorDialogs[0].Initial, plat::clBlack);
  // The shown picture is the swatch.
  EXPECT_EQ(SetcaForm->Image6->pixmap().toImage().pixel(40, 20) & 0xFFFFFFu, 0xFFFF80u);
}

TEST_F(SetcaTest, StyleSamples) {
  // Black (b) and white (w) runs of each sample from the left.
  struct Case {
    int style;
    const char* runs;
  };
  const Case cases[] = {
      {0, "90b"},
      {1, "16b8w24b8w24b8w2b"},
      {2, "4b4w4b4w4b4w4b4w4b4w4b4w4b4w4b4w4b4w4b4w4b4w2b"},
      {3, "4b8w4b8w12b8w4b8w12b8w4b8w2b"},
      {4, "4b4w4b4w4b4w12b4w4b4w4b4w12b4w4b4w4b4w2b"},
  };
  for (const Case& c : cases) {
    const QImage img = lumivar::TSetcaForm::StyleSample(c.style);
    ASSERT_EQ(img.width(), 90);
    ASSERT_EQ(img.height(), 1);
    std::string runs;
    int x = 0;
    while (x < 90) {
      const bool white = img.pixel(x, 0) == qRgb(255, 255, 255);
      int n = 0;
      while (x < 90 && (img.pixel(x, 0) == qRgb(255, 255, 255)) == white) ++x, ++n;
      runs += std::to_string(n) + (white ? "w" : "b");
    }
    EXPECT_EQ(runs, c.runs) << c.style;
    // Only the solid sample is opaque.
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), c.style == 0 ? 255 : 0) << c.style;
  }
}

TEST_F(SetcaTest, EachOpeningStartsWithTheFocusOnOk) {
  CreateForms();
  fake.ShowDialogs = true;
  // Ended with the focus on the cancel button (as after a Tab and Enter).
  Grid([] {
    QApplication::setActiveWindow(SetcaForm);
    EXPECT_EQ(SetcaForm->focusWidget(), SetcaForm->OkButton);
    SetcaForm->CancelButton->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(SetcaForm->focusWidget(), SetcaForm->CancelButton);
    SetcaForm->CancelButton->click();
  });
  EXPECT_FALSE(lumivar::GridOn);
  // Enter at the next opening means Ok.
  Grid([] {
    QApplication::setActiveWindow(SetcaForm);
    EXPECT_EQ(SetcaForm->focusWidget(), SetcaForm->OkButton);
    QTest::keyClick(SetcaForm->focusWidget(), Qt::Key_Return);
  });
  EXPECT_TRUE(lumivar::GridOn);
}

TEST_F(SetcaTest, HelpOpensTheGridTopicFromEveryControl) {
  CreateForms();
  SetcaForm->show();
  QApplication::setActiveWindow(SetcaForm);
  for (QWidget* w : std::initializer_list<QWidget*>{SetcaForm->RadioButton2, SetcaForm->Button1,
                                                    SetcaForm->OkButton, SetcaForm->CancelButton}) {
    fake.ClearRecords();
    w->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w, Qt::Key_F1);
    ASSERT_EQ(fake.HelpCalls.size(), 1u) << w->objectName().toStdString();
    EXPECT_EQ(fake.HelpCalls[0].Context, lumivar::kSetcaHelpContext);
    EXPECT_EQ(fake.HelpCalls[0].File, "/opt/lumivar/lumivar-help/index.html");
  }
  // The title bar's help button and then a click.
  fake.ClearRecords();
  QHelpEvent click(QEvent::WhatsThis, QPoint(2, 2), SetcaForm->RadioButton4->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(SetcaForm->RadioButton4, &click);
  ASSERT_EQ(fake.HelpCalls.size(), 1u);
  EXPECT_EQ(fake.HelpCalls[0].Context, lumivar::kSetcaHelpContext);
  SetcaForm->hide();
}

}  // namespace
