// The main window: start-up view, mouse zoom and pan, modes, reset, the Tag
// guard, the picture export and the commands that open other windows.
#include <gtest/gtest.h>

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "LumivarFixture.h"
#include "lumivar/DrawGraph.h"
#include "platform/qt/ImageCanvas.h"

using namespace lumivar;
using lumtest::KorvelLog;

namespace {

using View = std::array<int, 4>;  // the x and y units, the origin's column and row

class MainFormTest : public lumtest::LumivarTest {
 protected:
  TMainForm& F() { return *form; }
  int S(plat::TSpinEdit* s) { return s->Value(); }
  View Shown() { return {S(F().Spin1), S(F().Spin2), S(F().Spin3), S(F().Spin4)}; }
  std::pair<int, int> Units() { return {S(F().Spin1), S(F().Spin2)}; }
  static std::pair<int, int> A(int g) { return {Graphs[g].ANum, Graphs[g].ADen}; }
  std::string Caption() { return F().Type_Func->text().toStdString(); }
  int TypeFuncTop() { return F().TypeFunc->height(); }
  void Click(Qt::KeyboardModifiers mods, int x, int y) { F().FormMouseDown(Qt::LeftButton, mods, x, y); }
  void ClickCentre(Qt::KeyboardModifiers mods) { Click(mods, Centre().x(), Centre().y()); }
  // Client pixel of the plot centre.
  QPoint Centre() { return {PlotWidth / 2, TypeFuncTop() + PlotHeight / 2}; }
  // World point shown at a client pixel.
  QPointF World(int x, int y) {
    return {(x - S(F().Spin3)) / double(F().UnitX()), (y - TypeFuncTop() - S(F().Spin4)) / double(F().UnitY())};
  }
  // The world point at the exact plot centre, which may fall between pixels.
  QPointF ExactCentre() {
    return {(PlotWidth / 2.0 - S(F().Spin3)) / F().UnitX(), (PlotHeight / 2.0 - S(F().Spin4)) / F().UnitY()};
  }
  static void ExpectNear(QPointF a, QPointF b, double tol) {
    EXPECT_LE(std::fabs(a.x() - b.x()), tol) << a.x() << " vs " << b.x();
    EXPECT_LE(std::fabs(a.y() - b.y()), tol) << a.y() << " vs " << b.y();
  }
  // Counts redraws: a typed formula in slot 1 selects its library slot once per drawing.
  void CountRedraws() {
    Korvel = lumtest::RecordingKorvel();
    AltCompiled[1] = true;
    Graphs[1].FuncIndex = 11;
    KorvelLog().clear();
  }
  int Redraws() { return static_cast<int>(std::count(KorvelLog().begin(), KorvelLog().end(), "Init_Number(1)")); }
  bool HasColour(plat::TColor c) {
    const QImage& img = F().ScreenBitmap->Image();
    const QRgb want = plat::ColorToPixel(c);
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (img.pixel(x, y) == want) return true;
    return false;
  }
};

TEST_F(MainFormTest, StartUpShowsTheSineAroundThePlotCentre) {
  CreateForms();
  ASSERT_EQ(F().ClientWidth(), 476);
  ASSERT_EQ(F().ClientHeight(), 329);
  EXPECT_EQ(PlotHeight, 329 - 54 - 54);
  EXPECT_EQ(Shown(), (View{30, 30, 238, 110}));  // 110.5 rounds to even
  EXPECT_EQ(Caption(), "y=aSin(x-b)+c");
  EXPECT_EQ(F().SpinA->Text(), "1");
  EXPECT_TRUE(F().Sinhron->isChecked());
  EXPECT_FALSE(F().NextGraph->isVisible());
  EXPECT_FALSE(F().SpinAA->isEnabled());
  // Numerators on the labels' row; denominators below the panel's edge.
  EXPECT_EQ(F().SpinA->y(), 28);
  EXPECT_EQ(F().LabelA->y(), 28);
  EXPECT_EQ(F().SpinAA->y(), 60);
  EXPECT_TRUE(HasColour(plat::clNavy));
  EXPECT_FALSE(HasColour(plat::clRed));
  EXPECT_EQ(F().windowTitle().toStdString(), "Lumivar");
  F().activateWindow();
  QCoreApplication::processEvents();
  EXPECT_EQ(F().focusWidget(), F().SpinA->Editor());

}

TEST_F(MainFormTest, StartUpForAnotherClientSize) {
  CreateForms(false);
  F().resize(F().width() + 24, F().height() - 106);  // client 500 by 223
  F().show();
  QCoreApplication::processEvents();
  ASSERT_EQ(F().ClientHeight(), 223);
  EXPECT_EQ(Shown(), (View{30, 30, 250, 58}));  // 115 / 2 = 57.5 rounds to even
  F().N1Click();
  EXPECT_EQ(S(F().Spin4), 57);  // reset truncates
}

TEST_F(MainFormTest, ShiftClickZoomsInAroundTheClickedPoint) {
  CreateForms();
  CountRedraws();
  ClickCentre(Qt::ShiftModifier);
  EXPECT_EQ(Units(), std::pair(53, 53));
  EXPECT_EQ(Redraws(), 1);  // the four box changes under Tag 1 draw nothing
  EXPECT_EQ(F().Tag, 0);

  F().SinhronClick();
  F().N1Click();
  const QPoint p = Centre() + QPoint(40, -25);
  const QPointF before = World(p.x(), p.y());
  Click(Qt::ShiftModifier, p.x(), p.y());
  EXPECT_EQ(Units(), std::pair(40, 40));
  ExpectNear(World(Centre().x(), Centre().y()), before, 1.0 / 40);
}

TEST_F(MainFormTest, EveryPressOfAFastDoubleClickZooms) {
  CreateForms();
  const QPoint c = Centre();
  auto press = [this, c](QEvent::Type type) {
    QMouseEvent e(type, QPointF(c), F().Client->mapToGlobal(QPointF(c)), Qt::LeftButton, Qt::LeftButton,
                  Qt::ShiftModifier);
    QCoreApplication::sendEvent(F().Client, &e);
  };
  press(QEvent::MouseButtonPress);
  EXPECT_EQ(S(F().Spin1), 53);
  press(QEvent::MouseButtonDblClick);  // the second press of a double click
  EXPECT_EQ(Units(), std::pair(92, 92));
}

TEST_F(MainFormTest, CtrlClickZoomsOutAndStopsAtTwo) {
  CreateForms();
  ClickCentre(Qt::ControlModifier);
  EXPECT_EQ(Units(), std::pair(15, 15));
  F().SinhronClick();
  F().N1Click();
  ClickCentre(Qt::ControlModifier);
  EXPECT_EQ(Units(), std::pair(21, 21));
  F().Spin1->SetValue(2);
  F().Spin2->SetValue(3);
  ClickCentre(Qt::ControlModifier);
  EXPECT_EQ(Units(), std::pair(2, 2));  // Round(1.4) = 1 is kept at 2
}

TEST_F(MainFormTest, AltClickPansAndAPlainClickOnlyRedraws) {
  CreateForms();
  CountRedraws();
  const QPointF target = World(100, 150);
  Click(Qt::AltModifier, 100, 150);
  EXPECT_EQ(S(F().Spin1), 30);
  ExpectNear(World(Centre().x(), Centre().y()), target, 1.0 / 30);
  const View panned = Shown();
  Click(Qt::NoModifier, 10, 100);
  EXPECT_EQ(Shown(), panned);
  EXPECT_EQ(Redraws(), 2);
}

TEST_F(MainFormTest, ClickedPointsAreKeptAsDoublesAndTheOriginRoundedInExtended) {
  CreateForms();
  // The plot height 221 is odd, so the new origin row lies next to a half:
  // 110.5 + 104 exactly would round to 214, but 30 times the double nearest
  // to -104/30 is a hair more than 104.
  ASSERT_EQ(PlotHeight, 221);
  Click(Qt::AltModifier, 100, 60);
  EXPECT_EQ(S(F().Spin3), 376);
  EXPECT_EQ(S(F().Spin4), 215);
  F().N1Click();
  Click(Qt::AltModifier, 100, 61);
  EXPECT_EQ(S(F().Spin4), 213);
  // Resize from the start view to a plot 222 high: 111 - 30 * (0.5 / 30).
  F().N1Click();
  ASSERT_TRUE(lumtest::SetClientSize(F(), 476, 330));
  EXPECT_EQ(S(F().Spin4), 111);
}

TEST_F(MainFormTest, ResizeKeepsTheCentrePoint) {
  CreateForms();
  Click(Qt::AltModifier, 130, 200);
  const QPointF centre = ExactCentre();
  ASSERT_TRUE(lumtest::SetClientSize(F(), 611, 402));
  EXPECT_EQ(PlotWidth, 611);
  EXPECT_EQ(F().ScreenBitmap->Width(), 611);
  EXPECT_EQ(F().ScreenBitmap->Height(), 402);
  ExpectNear(ExactCentre(), centre, 1.0 / 30 + 1e-12);
  ASSERT_TRUE(lumtest::SetClientSize(F(), 480, 250));
  ExpectNear(ExactCentre(), centre, 1.0 / 30 + 1e-12);
}

TEST_F(MainFormTest, ScalesOutsideTheirRangeAreClampedWhereverTheViewIsRead) {
  CreateForms();
  F().SinhronClick();  // otherwise each box puts the other's clamped value back
  for (const char* text : {"0", "1", "-5", "-", ""}) {
    F().Spin1->SetText(text);
    F().Spin2->SetText(text);
    EXPECT_EQ(F().Spin1->Text(), text);
    EXPECT_EQ(F().UnitX(), 2) << text;
    EXPECT_EQ(F().UnitY(), 2) << text;
    F().RedrawGraphs();
    Click(Qt::AltModifier, Centre().x() + 7, Centre().y());
    ClickCentre(Qt::ControlModifier);
    EXPECT_EQ(S(F().Spin1), 2);
  }
  F().N1Click();
  EXPECT_EQ(S(F().Spin1), 30);
}

TEST_F(MainFormTest, SinhronKeepsBothUnitsEqual) {
  CreateForms();
  F().Spin1->SetValue(44);
  EXPECT_EQ(S(F().Spin2), 44);
  F().Spin2->SetValue(12);
  EXPECT_EQ(S(F().Spin1), 12);
  F().SinhronClick();
  F().Spin1->SetValue(50);
  EXPECT_EQ(S(F().Spin2), 12);
  F().SinhronClick();  // checked again: y takes x's unit
  EXPECT_EQ(S(F().Spin2), 50);
}

TEST_F(MainFormTest, FractionModeShowsTheDenominatorsAndKeepsTheCentre) {
  CreateForms();
  F().SpinB->SetText("-");  // a numerator that is no number reads as 0
  EXPECT_EQ(Graphs[1].BNum, 0);
  const int oy = S(F().Spin4);
  F().DrobKoff->trigger();  // a checked item toggles once per click from the menu as well
  EXPECT_TRUE(F().DrobKoff->isChecked());
  EXPECT_EQ(F().TypeFunc->height(), 86);
  EXPECT_EQ(F().LabelA->y(), 44);
  EXPECT_TRUE(F().SpinAA->isEnabled());
  EXPECT_EQ(PlotHeight, 329 - 86 - 54);
  EXPECT_EQ(S(F().Spin4), oy - 16);

  F().SpinAA->SetText("0");  // replaced by 1 at once
  EXPECT_EQ(F().SpinAA->Text(), "1");
  EXPECT_EQ(Graphs[1].ADen, 1);
  F().SpinA->SetValue(3);
  F().SpinAA->SetValue(4);
  EXPECT_EQ(A(1), std::pair(3, 4));
  Graphs[2].BNum = 1;
  Graphs[2].BDen = 2;

  F().DrobKoffClick();  // back: every denominator is 1 again, the numerators stay
  EXPECT_EQ(F().TypeFunc->height(), 54);
  EXPECT_EQ(F().LabelA->y(), 28);
  EXPECT_FALSE(F().SpinAA->isEnabled());
  EXPECT_EQ(A(1), std::pair(3, 1));
  EXPECT_EQ(std::pair(Graphs[2].BNum, Graphs[2].BDen), std::pair(1, 1));
  EXPECT_EQ(F().SpinAA->Text(), "1");
  EXPECT_EQ(S(F().Spin4), oy);
}

TEST_F(MainFormTest, TwoGraphModeShowsSlotTwoOverSlotOneAndBack) {
  CreateForms();
  F().SysReClick();
  EXPECT_TRUE(SystemMode);
  EXPECT_EQ(CurGraph, 2);
  EXPECT_TRUE(F().NextGraph->isVisible() && F().NextGraph->isEnabled());
  EXPECT_EQ(Caption(), "y=aCos(x-b)+c");
  EXPECT_EQ(F().Type_Func->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_TRUE(HasColour(plat::clRed));
  EXPECT_TRUE(HasColour(plat::clNavy));

  F().SpinC->SetValue(2);  // edits slot 2
  EXPECT_EQ(Graphs[2].CNum, 2);
  EXPECT_EQ(Graphs[1].CNum, 0);
  F().NextGraphClick();
  EXPECT_EQ(CurGraph, 1);
  EXPECT_EQ(F().SpinC->Text(), "0");
  EXPECT_EQ(Caption(), "y=aSin(x-b)+c");
  F().NextGraphClick();
  EXPECT_EQ(F().SpinC->Text(), "2");

  F().SpinC->SetValue(0);
  F().MenuFunctionClick(F().Nf1);  // slot 2 now draws the same sine, over slot 1
  EXPECT_EQ(Graphs[2].FuncIndex, 1);
  EXPECT_TRUE(HasColour(plat::clRed));
  EXPECT_FALSE(HasColour(plat::clNavy));

  F().SysReClick();
  EXPECT_FALSE(SystemMode);
  EXPECT_EQ(CurGraph, 1);
  EXPECT_FALSE(F().NextGraph->isVisible());
  EXPECT_EQ(Caption(), "y=aSin(x-b)+c");
  EXPECT_FALSE(HasColour(plat::clRed));
  EXPECT_EQ(Graphs[2].FuncIndex, 1);  // kept for next time
}

TEST_F(MainFormTest, ResetRestoresTheViewAndTheCurrentCoefficientsOnly) {
  CreateForms();
  F().MenuFunctionClick(F().Nf7);
  Graphs[1].Color = plat::clGreen;
  F().DrobKoffClick();
  F().SpinA->SetValue(-3);
  F().SpinBB->SetValue(5);
  Click(Qt::ShiftModifier, 40, 90);
  F().N1Click();
  EXPECT_EQ(Shown(), (View{30, 30, PlotWidth / 2, PlotHeight / 2}));
  EXPECT_EQ(A(1), std::pair(1, 1));
  EXPECT_EQ(Graphs[1].BDen, 1);
  EXPECT_EQ(F().SpinA->Text(), "1");
  EXPECT_EQ(F().SpinBB->Text(), "1");
  EXPECT_EQ(Graphs[1].FuncIndex, 7);
  EXPECT_EQ(Graphs[1].Color, plat::clGreen);
  EXPECT_TRUE(F().DrobKoff->isChecked());
}

TEST_F(MainFormTest, TagGuardsTheViewHandlers) {
  CreateForms();
  CountRedraws();
  F().Tag = 1;
  F().Spin3->SetValue(100);
  F().Spin1->SetValue(20);
  F().SelectFunc(11);
  EXPECT_EQ(Redraws(), 0);
  F().Tag = 0;
  F().Spin4->SetValue(100);
  EXPECT_EQ(Redraws(), 1);
  F().SpinA->SetValue(5);  // coefficients redraw whatever Tag says
  EXPECT_EQ(Redraws(), 2);

  // While the window is destroyed a resize records the size and nothing else.
  F().Tag = 2;
  const int ox = S(F().Spin3);
  KorvelLog().clear();
  F().resize(F().width() + 60, F().height() + 20);
  QCoreApplication::processEvents();
  EXPECT_EQ(PlotWidth, F().ClientWidth());
  EXPECT_EQ(PlotHeight, F().ClientHeight() - 108);
  EXPECT_EQ(S(F().Spin3), ox);
  EXPECT_EQ(Redraws(), 0);
  F().Tag = 0;
}

// A fault between the start and the end of a busy section, caught by the
// handler guard, leaves the window idle: later changes still redraw.
TEST_F(MainFormTest, AFaultInABusySectionLeavesLaterRedrawsOn) {
  CreateForms();
  F().SysRe->trigger();
  ASSERT_EQ(CurGraph, 2);
  Graphs[1].FuncIndex = 99;  // outside the table: selecting it throws
  F().NextGraph->trigger();
  EXPECT_EQ(F().Tag, TMainForm::tagIdle);
  CountRedraws();
  F().Spin3->SetValue(S(F().Spin3) + 2);
  EXPECT_EQ(Redraws(), 1);
}

TEST_F(MainFormTest, ModifierKeysShowTheZoomCursors) {
  CreateForms();
  QTest::keyPress(F().Spin1->Editor(), Qt::Key_Shift, Qt::ShiftModifier);
  EXPECT_TRUE(ZoomCursorShown);
  EXPECT_EQ(F().cursor().pixmap().cacheKey(), F().crZoomIn.pixmap().cacheKey());
  QTest::keyRelease(F().Spin1->Editor(), Qt::Key_Shift);
  EXPECT_FALSE(ZoomCursorShown);
  EXPECT_EQ(F().cursor().shape(), Qt::ArrowCursor);
  F().FormKeyDown(Qt::Key_Control, Qt::ShiftModifier | Qt::ControlModifier);  // Ctrl wins
  EXPECT_EQ(F().cursor().pixmap().cacheKey(), F().crZoomOut.pixmap().cacheKey());
  F().FormKeyUp(Qt::Key_A, Qt::NoModifier);
  EXPECT_FALSE(ZoomCursorShown);
}

TEST_F(MainFormTest, SavesTheWholeClientPictureAsABitmapAndReportsAFailure) {
  CreateForms();
  QTemporaryDir dir;
  const std::string path = dir.filePath("plot.bmp").toStdString();
  fake.FileNames.push_back(path);
  F().SaveFileClick();
  ASSERT_EQ(fake.FileDialogs.size(), 1u);
  EXPECT_EQ(fake.FileDialogs[0].Request.DefaultExt, "bmp");
  EXPECT_EQ(fake.FileDialogs[0].Request.Filter, "Точечный рисунок Windows (bmp)|*.bmp|Все файлы (*.*)|*.*");
  QImage saved(QString::fromStdString(path), "BMP");
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.size(), QSize(476, 329));  // the rows under the bottom panel too
  EXPECT_TRUE(fake.Messages.empty());

  fake.FileNames.push_back(dir.filePath("no/such/folder/plot.bmp").toStdString());
  F().SaveFileClick();
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Error);
  EXPECT_NE(fake.Messages[0].Text.find("plot.bmp"), std::string::npos);

  fake.FileNames.push_back(std::nullopt);  // cancelled: nothing happens
  F().SaveFileClick();
  EXPECT_EQ(fake.Messages.size(), 1u);
}

TEST_F(MainFormTest, MenuCommandsColourWindowsAndHelp) {
  CreateForms();
  fake.Colors = {plat::clLime, std::nullopt};
  F().ChangeColorClick();
  F().ChangeColorClick();  // cancelled
  ASSERT_EQ(fake.ColorDialogs.size(), 2u);
  EXPECT_EQ(fake.ColorDialogs[0].Initial, plat::clNavy);
  EXPECT_EQ(Graphs[1].Color, plat::clLime);
  EXPECT_TRUE(HasColour(plat::clLime));

  F().Nf9->trigger();
  EXPECT_EQ(Graphs[1].FuncIndex, 9);
  EXPECT_EQ(Caption(), "y=a(x-b)^1/2+c");
  F().AboutClick();
  F().PrintFileClick();
  F().SetcaClick();
  ASSERT_EQ(fake.Dialogs.size(), 3u);
  EXPECT_EQ(fake.Dialogs[0].ClassName, "lumivar::TAboutBox");
  EXPECT_EQ(fake.Dialogs[1].ClassName, "lumivar::TPrintForm");
  EXPECT_EQ(fake.Dialogs[2].ClassName, "lumivar::TSetcaForm");
  F().Help->trigger();
  ASSERT_EQ(fake.HelpCalls.size(), 1u);
  EXPECT_EQ(fake.HelpCalls[0].Command, plat::HelpCommand::Contents);
  EXPECT_EQ(fake.HelpCalls[0].File, "/opt/lumivar/lumivar-help/index.html");
}

TEST_F(MainFormTest, MenuShortcutsWinOverTheBoxesKeys) {
  CreateForms();
  F().activateWindow();
  F().SpinA->Editor()->setFocus();
  QCoreApplication::processEvents();
  QTest::keyClick(F().SpinA->Editor(), Qt::Key_A, Qt::ControlModifier);
  ASSERT_EQ(fake.Dialogs.size(), 1u);
  EXPECT_EQ(fake.Dialogs[0].ClassName, "lumivar::TAltFunc");
  EXPECT_EQ(F().SpinA->Editor()->selectedText(), "");
  F().SysReClick();
  QTest::keyClick(F().SpinA->Editor(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(CurGraph, 1);
}

TEST_F(MainFormTest, ClosingReleasesBothLibrarySlotsInOrder) {
  CreateForms();
  Korvel = lumtest::RecordingKorvel();
  KorvelLog().clear();
  DestroyForms();
  EXPECT_EQ(KorvelLog(), (std::vector<std::string>{"Init_Number(1)", "Lex_Analiz_Init", "Init_Number(2)",
                                                   "Lex_Analiz_Init"}));
}

}  // namespace
