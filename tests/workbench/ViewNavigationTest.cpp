// The "Экран" commands: scales, origin, bounds and refusals, and their
// menu items and panel buttons.
#include <QAction>
#include <QToolButton>

#include <cmath>

#include "ViewHelpers.h"

namespace {

using Nav = ViewFixture;

// World point at the middle of the 800 x 400 picture.
long double CentreX(const objScreen& s) { return s.StartX + 800 * s.Xm / 2; }
long double CentreY(const objScreen& s) { return s.StartY - 400 * s.Ym / 2; }

TEST_F(Nav, ScaleCommandsKeepTheCentre) {
  using Cmd = void (TGeneralForm::*)();
  struct Case {
    const char* what;
    Cmd cmd;
    long double xm, ym, xmAfter, ymAfter;
  };
  using G = TGeneralForm;
  const Case cases[] = {
      {"zoom in", &G::mnuGraphMPlusClick, 0.05L, 0.04L, 0.025L, 0.02L},
      {"zoom out", &G::mnuGraphMMinusClick, 0.05L, 0.04L, 0.1L, 0.08L},
      {"stretch x", &G::mnuGraphXPlusClick, 0.05L, 0.04L, 0.025L, 0.04L},
      {"stretch y", &G::mnuGraphYPlusClick, 0.05L, 0.04L, 0.05L, 0.02L},
      {"compress x", &G::mnuGraphXMinusClick, 0.05L, 0.04L, 0.1L, 0.04L},
      {"compress y", &G::mnuGraphYMinusClick, 0.05L, 0.04L, 0.05L, 0.08L},
      {"equal scales", &G::mnuGraphMRavnClick, 0.01L, 0.04L, 0.02L, 0.02L},
      {"default scales", &G::mnuGraphMDefaultClick, 0.01L, 0.04L, 0.125L, 0.5L},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetView(c.xm, c.ym, -17.3L, 11.1L);
    View().DefaultXm = 0.125L;
    View().DefaultYm = 0.5L;
    const long double cx = CentreX(View()), cy = CentreY(View());
    MarkPicture();
    (Form().*c.cmd)();
    EXPECT_TRUE(Redrawn());
    EXPECT_NEAR(View().Xm, c.xmAfter, 1e-18L);
    EXPECT_NEAR(View().Ym, c.ymAfter, 1e-18L);
    EXPECT_NEAR(CentreX(View()), cx, 1e-14L);
    EXPECT_NEAR(CentreY(View()), cy, 1e-14L);
    // An axis whose scale stays keeps its origin bit for bit, not recomputed.
    if (c.xmAfter == c.xm) {
      EXPECT_EQ(View().StartX, -17.3L);
    }
    if (c.ymAfter == c.ym) {
      EXPECT_EQ(View().StartY, 11.1L);
    }
    if (c.cmd == &G::mnuGraphMRavnClick) {
      EXPECT_EQ(View().Xm, View().Ym);
    }
  }
  EXPECT_EQ(Panel(2), "xm 0.125");
}

TEST_F(Nav, ScaleCommandsAreRefusedAtTheBoundsWithoutARedraw) {
  using Cmd = void (TGeneralForm::*)();
  struct Case {
    const char* what;
    Cmd cmd;
    long double xm, ym, koef;
    bool done;
    long double xmAfter;
  };
  const Case cases[] = {
      // Zoom is refused as a whole when either scale is at its bound.
      {"zoom in, y at 2e-5", &TGeneralForm::mnuGraphMPlusClick, 0.05L, MinScale, 2, false, 0.05L},
      {"stretch x, y at 2e-5", &TGeneralForm::mnuGraphXPlusClick, 0.05L, MinScale, 2, true, 0.025L},
      {"zoom out, x at 50", &TGeneralForm::mnuGraphMMinusClick, MaxScale, 0.05L, 2, false, MaxScale},
      {"compress x at 50", &TGeneralForm::mnuGraphXMinusClick, MaxScale, 0.05L, 2, true, 100},
      {"compress x above 50", &TGeneralForm::mnuGraphXMinusClick, 100, 0.05L, 2, false, 100},
      {"stretch x at 2e-5", &TGeneralForm::mnuGraphXPlusClick, MinScale, 1, 2, false, MinScale},
      // One step may cross the lower bound; the next is refused.
      {"zoom in from 3e-5", &TGeneralForm::mnuGraphMPlusClick, 3e-5L, 3e-5L, 10, true, 3e-6L},
      {"zoom in from 3e-6", &TGeneralForm::mnuGraphMPlusClick, 3e-6L, 3e-6L, 10, false, 3e-6L},
      {"stretch y from 3e-6", &TGeneralForm::mnuGraphYPlusClick, 3e-6L, 3e-6L, 10, false, 3e-6L},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetView(c.xm, c.ym, -20, 10);
    View().Koef = c.koef;
    MarkPicture();
    (Form().*c.cmd)();
    EXPECT_EQ(Redrawn(), c.done);
    EXPECT_NEAR(View().Xm, c.xmAfter, 1e-20L);
    if (!c.done) {
      EXPECT_EQ(View().Ym, c.ym);
      EXPECT_EQ(View().StartX, -20);
    }
  }
}

TEST_F(Nav, ShiftsMoveTheViewByAFractionOfThePicture) {
  View().Sdvig = 0.5L;
  Form().mnuGraphLeftClick();  // "Сдвиг вправо": the view moves right by 20 of its 40
  EXPECT_DOUBLE_EQ(View().StartX, 0);
  Form().mnuGraphRightClick();
  EXPECT_DOUBLE_EQ(View().StartX, -20);
  Form().mnuGraphUpClick();  // the view moves up, graphs move down
  EXPECT_DOUBLE_EQ(View().StartY, 20);
  Form().mnuGraphDownClick();
  Form().mnuGraphDownClick();
  EXPECT_DOUBLE_EQ(View().StartY, 0);
  EXPECT_EQ(View().Xm, 0.05L);
  EXPECT_EQ(View().Ym, 0.05L);
}

TEST_F(Nav, CentrePutsTheOriginInTheMiddleAndDrawsTheAxesThere) {
  SetView(0.05L, 0.05L, 123, -45);
  View().Oci = true;
  View().Setka = false;
  View().OciWidth = 1;
  MarkPicture();
  Form().mnuGraphCenterClick();
  EXPECT_TRUE(Redrawn());
  EXPECT_DOUBLE_EQ(View().StartX, -20);
  EXPECT_DOUBLE_EQ(View().StartY, 10);
  // No function listed: the background and the axes with the new view.
  EXPECT_EQ(Pixel(400, 10), View().OciColor);
  EXPECT_EQ(Pixel(10, 200), View().OciColor);
  EXPECT_EQ(Pixel(10, 10), View().BkColor);
}

TEST_F(Nav, MenuItemsAndPanelButtonsRunTheCommands) {
  TGeneralForm& f = Form();
  const std::pair<QAction*, QToolButton*> cases[] = {
      {f.mnuGraphMPlus, f.btnMPlus},   {f.mnuGraphMMinus, f.btnMMinus}, {f.mnuGraphMDefault, f.btnMDefault},
      {f.mnuGraphMRavn, f.btnMRovn},   {f.mnuGraphXPlus, f.btnXPlus},   {f.mnuGraphYPlus, f.btnYPlus},
      {f.mnuGraphXMinus, f.btnXMinus}, {f.mnuGraphYMinus, f.btnYMinus}, {f.mnuGraphLeft, f.btnLeft},
      {f.mnuGraphRight, f.btnRight},   {f.mnuGraphUp, f.btnUp},         {f.mnuGraphDown, f.btnDown},
      {f.mnuGraphCenter, f.btnCenter},
  };
  for (const auto& [item, button] : cases) {
    SCOPED_TRACE(item->objectName().toStdString());
    // The button's hint names its command; both work with no function listed.
    EXPECT_EQ(button->toolTip(), item->text());
    EXPECT_TRUE(item->isEnabled());
    // Each way changes the view the same way.
    SetView(0.04L, 0.01L, -3, 5);
    View().DefaultXm = 0.02L;
    View().DefaultYm = 0.03L;
    item->trigger();
    const long double xm = View().Xm, ym = View().Ym, sx = View().StartX, sy = View().StartY;
    EXPECT_FALSE(xm == 0.04L && ym == 0.01L && sx == -3 && sy == 5);
    SetView(0.04L, 0.01L, -3, 5);
    button->click();
    EXPECT_EQ(View().Xm, xm);
    EXPECT_EQ(View().Ym, ym);
    EXPECT_EQ(View().StartX, sx);
    EXPECT_EQ(View().StartY, sy);
  }
  EXPECT_EQ(f.btnRect->toolTip().toStdString(), "Увеличить заданную область");
  EXPECT_EQ(f.btnKursor->toolTip().toStdString(), "Режим указателя");
  EXPECT_EQ(f.btnSettings->toolTip().toStdString(), "Свойства экрана");
}

}  // namespace
