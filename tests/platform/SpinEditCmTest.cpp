// The decimal spin edit under a decimal-comma locale.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "platform/qt/Services.h"
#include "platform/qt/SpinEditCm.h"

namespace {

class SpinEditCmTest : public ::testing::Test {
 protected:
  void SetUp() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
  void TearDown() override { QLocale::setDefault(previous_); }

  static void Leave(plat::TSpinEditCm& s, Qt::FocusReason reason = Qt::TabFocusReason) {
    QFocusEvent out(QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(s.Editor(), &out);
  }

 private:
  QLocale previous_;
};

struct Spin {
  plat::TSpinEditCm edit;
  std::vector<std::string> changes;  // the text at each change event
  Spin(int min, int max, int value) {
    edit.SetMinValue(min);
    edit.SetMaxValue(max);
    edit.SetValue(value);
    edit.OnChange = [this](plat::TSpinEditCm* s) { changes.push_back(s->Text()); };
  }
};

TEST_F(SpinEditCmTest, StartsAtZeroWithAStepOfTenAndNoLimits) {
  plat::TSpinEditCm s;
  EXPECT_EQ(s.Text(), "0,00");
  EXPECT_EQ(s.Increment(), 10);
  EXPECT_EQ(s.MinValue(), 0);
  EXPECT_EQ(s.MaxValue(), 0);
  EXPECT_EQ(plat::TSpinEditCm::LocaleSeparators().Decimal, ",");
}

TEST_F(SpinEditCmTest, ReadsHalvesToEvenAndRewritesTheTextOnLeaving) {
  struct Case {
    const char* typed;
    int value;
    const char* shown;
  };
  const Case cases[] = {{"0,125", 12, "0,12"}, {"0,375", 38, "0,38"}, {"1,5", 150, "1,50"},
                        {"", 1, "0,01"},       {"abc", 1, "0,01"},    {"-", 1, "0,01"},
                        {"250", 25000, "250,00"}};
  for (const Case& c : cases) {
    Spin s(1, 30000, 34);
    s.edit.SetText(c.typed);
    EXPECT_EQ(s.edit.Value(), c.value) << c.typed;
    EXPECT_EQ(s.edit.Text(), c.typed);  // reading changes nothing
    Leave(s.edit);
    EXPECT_EQ(s.edit.Text(), c.shown) << c.typed;
  }
}

TEST_F(SpinEditCmTest, LimitsClampWritesAndTheRewriteButNotReading) {
  Spin s(500, 600, 500);
  s.edit.SetValue(700);
  EXPECT_EQ(s.edit.Text(), "6,00");
  s.edit.SetValue(0);
  EXPECT_EQ(s.edit.Text(), "5,00");
  s.edit.SetText("7");
  EXPECT_EQ(s.edit.Value(), 700);
  Leave(s.edit, Qt::ActiveWindowFocusReason);  // another window took the focus
  EXPECT_EQ(s.edit.Text(), "7");
  Leave(s.edit);
  EXPECT_EQ(s.edit.Text(), "6,00");

  Spin free(0, 0, 0);
  free.edit.SetValue(-150);
  EXPECT_EQ(free.edit.Text(), "-1,50");
}

TEST_F(SpinEditCmTest, ValuesFromAThousandUpReadBack) {
  Spin s(0, 0, 0);
  for (int v : {100000, 250050, 9999900, -123400}) {
    s.edit.SetValue(v);
    EXPECT_EQ(s.edit.Value(), v) << s.edit.Text();
    Leave(s.edit);
    EXPECT_EQ(s.edit.Value(), v) << s.edit.Text();
  }
}

TEST_F(SpinEditCmTest, ChangeOnceForEachRealChangeAndNoneForTheShownText) {
  Spin s(1, 300, 34);
  s.edit.SetValue(35);
  s.edit.SetValue(35);
  s.edit.SetText("0,35");
  Leave(s.edit);  // the rewrite leaves "0,35" as it is
  EXPECT_EQ(s.changes, (std::vector<std::string>{"0,35"}));
}

TEST_F(SpinEditCmTest, ArrowKeysAndButtonsStepWithinTheLimits) {
  Spin s(1, 300, 34);
  QTest::keyClick(s.edit.Editor(), Qt::Key_Up);
  EXPECT_EQ(s.edit.Text(), "0,44");
  EXPECT_EQ(s.changes.size(), 1u);
  s.edit.SetValue(295);
  QTest::keyClick(s.edit.Editor(), Qt::Key_Up);
  EXPECT_EQ(s.edit.Text(), "3,00");
  s.edit.DownButton()->click();
  EXPECT_EQ(s.edit.Text(), "2,90");
  s.edit.SetIncrement(4);
  s.edit.UpButton()->click();
  EXPECT_EQ(s.edit.Text(), "2,94");
  s.edit.SetValue(3);
  QTest::keyClick(s.edit.Editor(), Qt::Key_Down);
  EXPECT_EQ(s.edit.Text(), "0,01");
  s.edit.SetReadOnly(true);
  s.edit.StepUp();  // only beeps
  EXPECT_EQ(s.edit.Text(), "0,01");
}

TEST_F(SpinEditCmTest, TypingKeepsNumbersOnlyAndEnterNeverReachesTheDefaultButton) {
  QDialog dialog;
  auto* spin = new plat::TSpinEditCm(&dialog);
  auto* ok = new QPushButton("Ok", &dialog);
  ok->setDefault(true);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(spin);
  layout->addWidget(ok);
  int clicks = 0;
  plat::On(ok, &QPushButton::clicked, &dialog, [&clicks] { ++clicks; });
  dialog.show();
  std::vector<std::string> changes;
  spin->OnChange = [&changes](plat::TSpinEditCm* s) { changes.push_back(s->Text()); };
  spin->Editor()->clear();
  QTest::keyClicks(spin->Editor(), "1a ;,5x");
  EXPECT_EQ(spin->Text(), "1,5");
  EXPECT_EQ(changes, (std::vector<std::string>{"1", "1,", "1,5"}));
  QTest::keyClick(spin->Editor(), Qt::Key_Return);
  QTest::keyClick(spin->Editor(), Qt::Key_Enter);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(spin->Text(), "1,5");

  spin->SetEditorEnabled(false);
  QTest::keyClick(spin->Editor(), Qt::Key_7);
  QTest::keyClick(spin->Editor(), Qt::Key_Backspace);
  EXPECT_EQ(spin->Text(), "1,5");
  QTest::keyClick(spin->Editor(), Qt::Key_Up);  // the arrows still step
  EXPECT_EQ(spin->Text(), "1,60");
}

TEST_F(SpinEditCmTest, TypingIsToldApartAndLeavingIsAnnounced) {
  plat::TSpinEditCm s;
  s.SetMinValue(1);
  s.SetMaxValue(300);
  s.SetValue(34);
  std::vector<std::string> events;  // "typed 0,5", "set 0,50", "exit 0,50"
  s.OnChange = [&events](plat::TSpinEditCm* e) {
    events.push_back(std::string(e->Typing() ? "typed " : "set ") + e->Text());
    // A handler's own write during a typed change is the program's.
    if (e->Text() == "9") e->SetValue(900);
  };
  s.OnExit = [&events](plat::TSpinEditCm* e) {
    EXPECT_FALSE(e->Typing());
    events.push_back("exit " + e->Text());
  };
  s.Editor()->selectAll();
  QTest::keyClicks(s.Editor(), "0,5");
  QTest::keyClick(s.Editor(), Qt::Key_Up);
  s.SetValue(100);
  Leave(s);
  Leave(s, Qt::ActiveWindowFocusReason);  // another window: no exit
  s.Editor()->selectAll();
  QTest::keyClicks(s.Editor(), "9");
  EXPECT_FALSE(s.Typing());
  EXPECT_EQ(events, (std::vector<std::string>{"typed 0", "typed 0,", "typed 0,5", "set 0,60", "set 1,00",
                                              "exit 1,00", "typed 9", "set 3,00"}));
}

}  // namespace
