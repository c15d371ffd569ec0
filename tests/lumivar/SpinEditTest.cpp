// The integer spin edit the plotter's boxes are built on.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

#include "platform/qt/SpinEdit.h"

namespace {

struct Spin {
  plat::TSpinEdit edit;
  std::vector<std::string> changes;  // the text at each change event
  Spin(int min, int max, int value) {
    edit.SetMinValue(min);
    edit.SetMaxValue(max);
    edit.SetValue(value);
    edit.OnChange = [this](plat::TSpinEdit* s) { changes.push_back(s->Text()); };
  }
};

TEST(SpinEdit, ValueIsTheTypedTextOrTheMinimumAndSetValueClamps) {
  Spin s(2, 99999, 30);
  for (const char* t : {"", "-", "+", "1.5", "12a", "abc"}) {
    s.edit.SetText(t);
    EXPECT_EQ(s.edit.Value(), 2) << "text \"" << t << "\"";
  }
  s.edit.SetText("0");  // typed out of range: read as typed, not clamped
  EXPECT_EQ(s.edit.Value(), 0);
  s.edit.SetText(" +7");
  EXPECT_EQ(s.edit.Value(), 7);
  s.edit.SetValue(1);
  EXPECT_EQ(s.edit.Text(), "2");
  s.edit.SetValue(123456);
  EXPECT_EQ(s.edit.Text(), "99999");

  Spin free(0, 0, 0);  // equal limits: no limits
  free.edit.SetValue(-4321);
  EXPECT_EQ(free.edit.Text(), "-4321");
}

TEST(SpinEdit, ChangeIsRaisedInsideTheSetterAndNotForTheShownValue) {
  Spin s(-99999, 99999, 5);
  s.edit.SetValue(6);
  ASSERT_EQ(s.changes, (std::vector<std::string>{"6"}));  // already there when SetValue returned
  s.edit.SetValue(6);
  s.edit.SetText("6");
  EXPECT_EQ(s.changes.size(), 1u);
  s.edit.SetValue(99999 + 1);  // clamps to 99999: a real change
  s.edit.SetValue(200000);     // clamps to the value already shown: none
  EXPECT_EQ(s.changes, (std::vector<std::string>{"6", "99999"}));
}

TEST(SpinEdit, TypingRaisesChangeAndTakesAtMostFiveDigitsAndSigns) {
  Spin s(-99999, 99999, 0);
  EXPECT_EQ(s.edit.MaxLength(), 5);
  s.edit.Editor()->clear();
  s.changes.clear();
  QTest::keyClicks(s.edit.Editor(), "-1x2.");
  EXPECT_EQ(s.edit.Text(), "-12");
  EXPECT_EQ(s.changes, (std::vector<std::string>{"-", "-1", "-12"}));
  QTest::keyClicks(s.edit.Editor(), "4567");
  EXPECT_EQ(s.edit.Text(), "-1245");
  s.edit.SetValue(-99999);  // the program may set six
  EXPECT_EQ(s.edit.Text(), "-99999");
  s.edit.Editor()->selectAll();
  QTest::keyClicks(s.edit.Editor(), "7");  // typing over a selection
  EXPECT_EQ(s.edit.Text(), "7");
}

TEST(SpinEdit, EditingKeysStillEdit) {
  Spin s(-99999, 99999, 123);
  s.edit.Editor()->home(false);
  QTest::keyClick(s.edit.Editor(), Qt::Key_Delete);
  EXPECT_EQ(s.edit.Text(), "23");
  s.edit.Editor()->end(false);
  QTest::keyClick(s.edit.Editor(), Qt::Key_Backspace);
  EXPECT_EQ(s.edit.Text(), "2");
  // A key that sends the delete character as its text (as X11 does).
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)));
  s.edit.Editor()->home(false);
  QCoreApplication::sendEvent(s.edit.Editor(), &del);
  EXPECT_EQ(s.edit.Text(), "");
  EXPECT_EQ(s.changes, (std::vector<std::string>{"23", "2", ""}));
}

TEST(SpinEdit, ArrowsStepByTheIncrementWithinTheRange) {
  Spin s(-99999, 99999, 99997);
  s.edit.SetIncrement(2);
  s.edit.UpClick();
  EXPECT_EQ(s.edit.Value(), 99999);
  s.edit.UpClick();
  EXPECT_EQ(s.edit.Value(), 99999);
  QTest::keyClick(s.edit.Editor(), Qt::Key_Down);
  EXPECT_EQ(s.edit.Value(), 99997);
  s.edit.SetText("-");  // reads as the minimum, so down stays there
  s.edit.DownClick();
  EXPECT_EQ(s.edit.Text(), "-99999");
}

TEST(SpinEdit, LeavingTheBoxPutsATypedValueBackIntoRange) {
  QWidget host;
  auto* spin = new plat::TSpinEdit(&host);
  auto* other = new QLineEdit(&host);
  spin->SetMinValue(2);
  spin->SetMaxValue(99999);
  spin->SetValue(30);
  host.show();
  spin->Editor()->setFocus();
  spin->SetText("0");
  (void)other;  // the control the focus moves to
  // Another window or a menu taking the focus leaves the box as it is.
  for (Qt::FocusReason away : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
    QFocusEvent e(QEvent::FocusOut, away);
    QCoreApplication::sendEvent(spin->Editor(), &e);
    EXPECT_EQ(spin->Text(), "0");
  }
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(spin->Editor(), &out);
  EXPECT_EQ(spin->Text(), "2");
}

TEST(SpinEdit, TryStrToIntRefusesOverflow) {
  int v = 0;
  EXPECT_TRUE(plat::TryStrToInt("2147483647", v));
  EXPECT_EQ(v, 2147483647);
  EXPECT_TRUE(plat::TryStrToInt("-2147483648", v));
  EXPECT_EQ(v, -2147483647 - 1);
  EXPECT_FALSE(plat::TryStrToInt("2147483648", v));
  EXPECT_FALSE(plat::TryStrToInt("1 ", v));
}

}  // namespace
