// Typed formulas through the real libkorvel.so.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

#include "LumivarFixture.h"
#include "lumivar/DrawGraph.h"
#include "platform/qt/HelpWindow.h"
#include "platform/qt/QtServices.h"

using namespace lumivar;

namespace {

class AltFuncTest : public lumtest::LumivarTest {
 protected:
  void SetUp() override {
    LumivarTest::SetUp();
    CreateForms();
  }
  // Scripts the dialog: each text is typed and applied with Enter; the
  // dialog is cancelled if it is still open afterwards.
  void Answer(std::vector<std::string> texts, std::function<void()> meanwhile = {}) {
    fake.OnExecModal = [this, texts, meanwhile](QDialog* d) {
      auto* dlg = static_cast<TAltFunc*>(d);
      shownText = dlg->Edit1->text().toStdString();
      if (meanwhile) meanwhile();
      for (const std::string& t : texts) {
        if (d->result() == QDialog::Accepted) break;
        dlg->Edit1->setText(QString::fromStdString(t));
        QTest::keyClick(dlg->Edit1, Qt::Key_Return);
      }
      if (d->result() != QDialog::Accepted) dlg->Button3->click();
      return d->result();
    };
  }
  // Value of a typed formula slot at x with a = 1, b = c = 0.
  long double Eval(int formula, long double x) {
    ResetAltReady();
    return FuncTable(formula)(x, 1, 0, 0);
  }
  std::string shownText;
};

TEST_F(AltFuncTest, AnAcceptedTextBecomesTheCaptionAndTheFormulaOfTheSlot) {
  Answer({"2*X+A"});
  form->Nf11Click();
  EXPECT_EQ(form->Type_Func->text().toStdString(), "y=2*X+A");  // letters as typed
  EXPECT_EQ(AltFormulas[1], "y=2*X+A");
  EXPECT_EQ(Graphs[1].FuncIndex, 11);
  EXPECT_TRUE(fake.Messages.empty());
  EXPECT_EQ(Eval(11, 3), 7);
  EXPECT_TRUE(PointDefined);
  EXPECT_EQ(shownText, "");

  Answer({});  // opening again shows the text without "y="
  form->Nf11Click();
  EXPECT_EQ(shownText, "2*X+A");
  EXPECT_EQ(Graphs[1].FuncIndex, 11);
  EXPECT_EQ(Eval(11, 3), 7);
}

TEST_F(AltFuncTest, ARejectedTextShowsTheLibraryMessageWithItsHelpContext) {
  Answer({"(x+1", "2*ж", ""});  // Cyrillic and empty texts reach the library too
  form->Nf11Click();
  ASSERT_EQ(fake.Messages.size(), 3u);
  const plat::MessageRequest& m = fake.Messages[0];
  EXPECT_EQ(m.Text, "Лишняя открывающая скобка");
  EXPECT_EQ(m.Kind, plat::MsgKind::Error);
  EXPECT_EQ(m.Buttons, plat::mbOK | plat::mbHelp);
  EXPECT_EQ(m.HelpContext, 105);
  EXPECT_EQ(fake.Messages[1].Text, "Недопустимый символ");
  EXPECT_EQ(fake.Messages[1].HelpContext, 102);
  EXPECT_EQ(fake.Messages[2].Text, "Функция не задана");
  EXPECT_EQ(fake.Messages[2].HelpContext, 107);
  EXPECT_EQ(ErrorText(0), "Неизвестная ошибка");
  EXPECT_EQ(Graphs[1].FuncIndex, 1);
  EXPECT_EQ(form->Type_Func->text().toStdString(), "y=aSin(x-b)+c");
  EXPECT_EQ(AltFormulas[1], "");
}

TEST_F(AltFuncTest, CancelAfterARejectedTextLeavesNoBrokenSlot) {
  Answer({"x)"});  // nothing accepted before: the slot stays out of the drawing
  form->Nf11Click();
  EXPECT_FALSE(AltCompiled[1]);
  EXPECT_EQ(Eval(11, 3), 0);
  EXPECT_FALSE(PointDefined);

  Answer({"x*x"});
  form->Nf11Click();
  ASSERT_EQ(Graphs[1].FuncIndex, 11);
  Answer({"x*(", "x+"});
  form->Nf11Click();
  EXPECT_EQ(fake.Messages.size(), 3u);
  EXPECT_EQ(Graphs[1].FuncIndex, 11);
  EXPECT_EQ(form->Type_Func->text().toStdString(), "y=x*x");
  EXPECT_TRUE(AltCompiled[1]);
  EXPECT_EQ(Eval(11, 3), 9);  // the last accepted formula again, not the broken compile
  EXPECT_TRUE(PointDefined);
}

TEST_F(AltFuncTest, CancelWithoutATextCallsNothingMore) {
  Korvel = lumtest::RecordingKorvel();
  lumtest::KorvelLog().clear();
  Answer({});
  form->Nf11Click();
  EXPECT_EQ(lumtest::KorvelLog(), (std::vector<std::string>{"Init_Number(1)"}));
  EXPECT_EQ(Graphs[1].FuncIndex, 1);
}

TEST_F(AltFuncTest, SlotTwoTakesItsOwnFormulaInTwoGraphMode) {
  Answer({"x+1"});
  form->Nf11Click();
  form->SysReClick();
  ASSERT_EQ(CurGraph, 2);
  // The plot is redrawn (say, the main window is resized) while the dialog
  // for slot 2 is open: drawing slot 1's typed formula selects library slot 1.
  Answer({"3*x"}, [this] { form->RedrawGraphs(); });
  form->Nf11Click();
  EXPECT_EQ(AltFormulas[2], "y=3*x");
  EXPECT_EQ(AltFormulas[1], "y=x+1");
  EXPECT_EQ(Graphs[2].FuncIndex, 12);
  EXPECT_EQ(Graphs[1].FuncIndex, 11);
  EXPECT_EQ(form->Type_Func->text().toStdString(), "y=3*x");
  EXPECT_EQ(Eval(12, 2), 6);
  EXPECT_EQ(Eval(11, 2), 3);  // slot 1 intact
  form->NextGraphClick();
  EXPECT_EQ(form->Type_Func->text().toStdString(), "y=x+1");
}

TEST_F(AltFuncTest, TheHelpButtonOpensItsTopic) {
  AltFunc->Button2Click();
  ASSERT_EQ(fake.HelpCalls.size(), 1u);
  EXPECT_EQ(fake.HelpCalls[0].Command, plat::HelpCommand::Context);
  EXPECT_EQ(fake.HelpCalls[0].Context, 111);
}

// Fake dialogs, but the desktop's own message boxes and help window.
class RealBoxesAndHelp : public plat::FakeServices {
 public:
  int MessageBox(const plat::MessageRequest& r) override {
    Messages.push_back(r);
    return qt_.MessageBox(r);
  }
  void Help(plat::HelpCommand cmd, const std::string& helpFile, int context) override {
    FakeServices::Help(cmd, helpFile, context);
    qt_.Help(cmd, helpFile, context);
  }

 private:
  plat::QtServices qt_;
};

TEST_F(AltFuncTest, AfterItsHelpTheErrorBoxTakesEnterAsOk) {
  RealBoxesAndHelp desktop;
  plat::ScopedServices use(desktop);
  plat::SetHelpFile(LumivarHelpFile());
  int boxShows = 0, helpShows = 0, waited = 0;
  std::string defaultAfterHelp;
  bool escLeftHelpOpen = false;
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&] {
    if (plat::HelpWindow()->isVisible()) {
      // The user presses Esc once the help has come up in front.
      if (!plat::HelpWindow()->isActiveWindow() && ++waited < 200) return;
      waited = 0;
      ++helpShows;
      QTest::keyClick(plat::HelpWindow()->Browser, Qt::Key_Escape);
      if (plat::HelpWindow()->isVisible()) {
        escLeftHelpOpen = true;
        plat::HelpWindow()->close();
      }
      return;
    }
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    // The user acts once the box has come up in front.
    if (!box || !box->isVisible() || !box->isActiveWindow()) return;
    auto button = [box](const char* text) -> QPushButton* {
      for (QAbstractButton* b : box->buttons())
        if (b->text() == QString::fromUtf8(text)) return qobject_cast<QPushButton*>(b);
      return nullptr;
    };
    switch (++boxShows) {
      case 1:  // the user clicks Help, which takes the focus as a click does
        QTest::mouseClick(button("Справка"), Qt::LeftButton);
        break;
      case 2:
        for (QAbstractButton* b : box->buttons())
          if (static_cast<QPushButton*>(b)->isDefault()) defaultAfterHelp += b->text().toStdString();
        QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
        break;
      default:  // Enter did not close the box: end the loop
        button("OK")->click();
    }
  });
  user.start(5);
  Answer({"x+"});
  desktop.OnExecModal = fake.OnExecModal;
  form->Nf11Click();
  user.stop();
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].HelpContext, 108);
  EXPECT_EQ(boxShows, 2);
  EXPECT_EQ(helpShows, 1);
  EXPECT_EQ(desktop.HelpCalls.size(), 1u);
  EXPECT_EQ(defaultAfterHelp, "OK");
  EXPECT_FALSE(escLeftHelpOpen);
  plat::HelpWindow()->hide();
}

TEST_F(AltFuncTest, TheCompiledCopyIsLowercasedNotTheTypedText) {
  Korvel = lumtest::RecordingKorvel();
  lumtest::KorvelLog().clear();
  Answer({"X+Ж"});
  form->Nf11Click();
  EXPECT_EQ(lumtest::KorvelLog()[0], "Init_Number(1)");
  EXPECT_EQ(lumtest::KorvelLog()[1], "Lex_Analiz_Init");
  EXPECT_EQ(lumtest::KorvelLog()[2], std::string("Lexan(X+\xC6)"));  // Windows-1251 bytes
  EXPECT_EQ(AltFormulas[1], "y=X+Ж");
}

}  // namespace
