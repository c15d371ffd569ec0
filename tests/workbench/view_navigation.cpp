// The "Экран" commands: scales, origin, bounds and refusals, and their
// menu items and panel buttons.
#include <QAction>
#include <QMenu>
#include <QToolButton>

#include <cmath>
#include <iterator>

#include "view_helpers.h"

namespace {

using Nav = ViewFixture;

// World point at the middle of the 800 x 400 picture.
long double CentreX(const objScreen& s) { return s.StartX + 800 * s.Xm / 2; }
long double CentreY(const objScreen& s) { return s.StartY - 400 * s.Ym / 2; }

TEST_F(Nav, ZoomInAndOutKeepTheCentre) {
  SetView(0.05L, 0.04L, -17, 11);
  const long double cx = CentreX(View()), cy = CentreY(View());
  MarkPicture();
  Form().mnuGraphMPlusClick();
  EXPECT_TRUE(Redrawn());
  EXPECT_DOUBLE_EQ(View().Xm, 0.025);
  EXPECT_DOUBLE_EQ(View().Ym, 0.02);
  EXPECT_NEAR(CentreX(View()), cx, 1e-15);
  EXPECT_NEAR(CentreY(View()), cy, 1e-15);
  EXPECT_EQ(Panel(2), "xm 0.025");

  Form().mnuGraphMMinusClick();
  EXPECT_NEAR(View().Xm, 0.05L, 1e-18L);
  EXPECT_NEAR(View().Ym, 0.04L, 1e-18L);
  EXPECT_NEAR(View().StartX, -17, 1e-15);
  EXPECT_NEAR(View().StartY, 11, 1e-15);
}

TEST_F(Nav, ZoomRefusedWhenEitherScaleIsAtItsBound) {
  // Y at the lower bound: zoom in refused as a whole, nothing redrawn.
  SetView(0.05L, 2e-5L, -20, 10);
  MarkPicture();
  Form().mnuGraphMPlusClick();
  EXPECT_FALSE(Redrawn());
  EXPECT_EQ(View().Xm, 0.05L);
  EXPECT_EQ(View().StartX, -20);
  // Stretching along x still works.
  Form().mnuGraphXPlusClick();
  EXPECT_TRUE(Redrawn());
  EXPECT_DOUBLE_EQ(View().Xm, 0.025);
  EXPECT_EQ(View().Ym, 2e-5L);

  // X at the upper bound: zoom out refused; compressing at exactly 50 still works.
  SetView(50, 0.05L, 0, 0);
  MarkPicture();
  Form().mnuGraphMMinusClick();
  EXPECT_FALSE(Redrawn());
  EXPECT_EQ(View().Xm, 50);
  Form().mnuGraphXMinusClick();
  EXPECT_TRUE(Redrawn());
  EXPECT_EQ(View().Xm, 100);
  // Above it, compressing is refused too.
  MarkPicture();
  Form().mnuGraphXMinusClick();
  EXPECT_FALSE(Redrawn());
  EXPECT_EQ(View().Xm, 100);
}

TEST_F(Nav, OneStepMayCrossTheLowerBound) {
  SetView(3e-5L, 3e-5L, 0, 0);
  View().Koef = 10;
  Form().mnuGraphMPlusClick();
  EXPECT_NEAR(View().Xm, 3e-6L, 1e-20L);
  EXPECT_NEAR(View().Ym, 3e-6L, 1e-20L);
  MarkPicture();
  Form().mnuGraphMPlusClick();
  Form().mnuGraphXPlusClick();
  Form().mnuGraphYPlusClick();
  EXPECT_FALSE(Redrawn());
  EXPECT_NEAR(View().Xm, 3e-6L, 1e-20L);
  // The bound is the extended value itself: a scale of exactly 2e-5 is refused.
  SetView(MinScale, 1, 0, 0);
  Form().mnuGraphXPlusClick();
  EXPECT_EQ(View().Xm, MinScale);
}

TEST_F(Nav, StretchAndCompressTouchOneAxisOnly) {
  SetView(0.05L, 0.04L, -17.3L, 11.1L);
  const long double cx = CentreX(View()), cy = CentreY(View());
  Form().mnuGraphYPlusClick();
  EXPECT_EQ(View().Xm, 0.05L);
  EXPECT_EQ(View().StartX, -17.3L);  // bit for bit, not recomputed
  EXPECT_DOUBLE_EQ(View().Ym, 0.02);
  EXPECT_NEAR(CentreY(View()), cy, 1e-15);

  const long double startY = View().StartY;
  Form().mnuGraphXMinusClick();
  EXPECT_EQ(View().StartY, startY);
  EXPECT_DOUBLE_EQ(View().Xm, 0.1);
  EXPECT_NEAR(CentreX(View()), cx, 1e-15);

  Form().mnuGraphXPlusClick();
  Form().mnuGraphYMinusClick();
  EXPECT_NEAR(View().Xm, 0.05L, 1e-18L);
  EXPECT_NEAR(View().Ym, 0.04L, 1e-18L);
  EXPECT_NEAR(View().StartX, -17.3L, 1e-14L);
  EXPECT_NEAR(View().StartY, 11.1L, 1e-14L);
}

TEST_F(Nav, EqualAndDefaultScalesKeepTheCentre) {
  SetView(0.01L, 0.04L, -3, 7);
  const long double cx = CentreX(View()), cy = CentreY(View());
  Form().mnuGraphMRavnClick();
  EXPECT_NEAR(View().Xm, 0.02L, 1e-18L);
  EXPECT_EQ(View().Xm, View().Ym);
  EXPECT_NEAR(CentreX(View()), cx, 1e-15);
  EXPECT_NEAR(CentreY(View()), cy, 1e-15);

  View().DefaultXm = 0.125L;
  View().DefaultYm = 0.5L;
  Form().mnuGraphMDefaultClick();
  EXPECT_EQ(View().Xm, 0.125L);
  EXPECT_EQ(View().Ym, 0.5L);
  EXPECT_NEAR(CentreX(View()), cx, 1e-15);
  EXPECT_NEAR(CentreY(View()), cy, 1e-15);
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

TEST_F(Nav, MenuShortcutsAndPanelButtonsAsListed) {
  struct Item {
    const char* name;  // "" for a separator
    const char* caption;
    QKeySequence key;
  };
  const Item items[] = {
      {"mnuGraphMPlus", "Приблизить", QKeySequence(Qt::CTRL | Qt::Key_P)},
      {"mnuGraphMMinus", "Отдалить", QKeySequence(Qt::CTRL | Qt::Key_M)},
      {"mnuGraphMDefault", "Масштаб по умолчанию", QKeySequence(Qt::CTRL | Qt::Key_D)},
      {"mnuGraphMRavn", "Сравнять масштабы по осям", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"", "", {}},
      {"mnuGraphXPlus", "Растянуть по оси X", QKeySequence(Qt::CTRL | Qt::Key_F1)},
      {"mnuGraphYPlus", "Растянуть по оси Y", QKeySequence(Qt::CTRL | Qt::Key_F2)},
      {"mnuGraphXMinus", "Сжать по оси X", QKeySequence(Qt::CTRL | Qt::Key_F3)},
      {"mnuGraphYMinus", "Сжать по оси Y", QKeySequence(Qt::CTRL | Qt::Key_F4)},
      {"", "", {}},
      {"mnuGraphLeft", "Сдвиг вправо", QKeySequence(Qt::CTRL | Qt::Key_F6)},
      {"mnuGraphRight", "Сдвиг влево", QKeySequence(Qt::CTRL | Qt::Key_F5)},
      {"mnuGraphUp", "Сдвиг вверх", QKeySequence(Qt::CTRL | Qt::Key_F7)},
      {"mnuGraphDown", "Сдвиг вниз", QKeySequence(Qt::CTRL | Qt::Key_F8)},
      {"", "", {}},
      {"mnuGraphCenter", "По центру", QKeySequence(Qt::Key_F12)},
      {"", "", {}},
      {"mnuGraphProperties", "Свойства...", {}},
  };
  const QList<QAction*> actions = Form().mnuGraph->actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(items)));
  for (std::size_t i = 0; i < std::size(items); ++i) {
    SCOPED_TRACE(i);
    const QAction* a = actions[static_cast<qsizetype>(i)];
    if (!*items[i].name) {
      EXPECT_TRUE(a->isSeparator());
      continue;
    }
    EXPECT_EQ(a->objectName().toStdString(), items[i].name);
    EXPECT_EQ(a->text().toStdString(), items[i].caption);
    EXPECT_EQ(a->shortcut(), items[i].key);
    EXPECT_TRUE(a->isEnabled());  // with no function listed too
  }

  struct Button {
    QToolButton* button;
    const char* hint;
    int top;
  };
  TGeneralForm& f = Form();
  const Button buttons[] = {
      {f.btnMPlus, "Приблизить", 0},
      {f.btnMMinus, "Отдалить", 24},
      {f.btnMDefault, "Масштаб по умолчанию", 48},
      {f.btnMRovn, "Сравнять масштабы по осям", 72},
      {f.btnXPlus, "Растянуть по оси X", 104},
      {f.btnYPlus, "Растянуть по оси Y", 128},
      {f.btnXMinus, "Сжать по оси X", 152},
      {f.btnYMinus, "Сжать по оси Y", 176},
      {f.btnCenter, "По центру", 208},
      {f.btnLeft, "Сдвиг вправо", 240},
      {f.btnRight, "Сдвиг влево", 264},
      {f.btnUp, "Сдвиг вверх", 288},
      {f.btnDown, "Сдвиг вниз", 312},
      {f.btnKursor, "Режим указателя", 344},
      {f.btnRect, "Увеличить заданную область", 368},
      {f.btnSettings, "Свойства экрана", 400},
  };
  for (const Button& b : buttons) {
    SCOPED_TRACE(b.button->objectName().toStdString());
    EXPECT_EQ(b.button->parentWidget(), f.Panel);
    EXPECT_EQ(b.button->toolTip().toStdString(), b.hint);
    EXPECT_EQ(b.button->geometry(), QRect(0, b.top, 49, 25));
    EXPECT_TRUE(b.button->autoRaise());  // flat
  }
}

TEST_F(Nav, MenuItemsAndPanelButtonsRunTheCommands) {
  struct Case {
    QAction* item;
    QToolButton* button;
  };
  TGeneralForm& f = Form();
  const Case cases[] = {
      {f.mnuGraphMPlus, f.btnMPlus},
      {f.mnuGraphMMinus, f.btnMMinus},
      {f.mnuGraphMDefault, f.btnMDefault},
      {f.mnuGraphMRavn, f.btnMRovn},
      {f.mnuGraphXPlus, f.btnXPlus},
      {f.mnuGraphYPlus, f.btnYPlus},
      {f.mnuGraphXMinus, f.btnXMinus},
      {f.mnuGraphYMinus, f.btnYMinus},
      {f.mnuGraphLeft, f.btnLeft},
      {f.mnuGraphRight, f.btnRight},
      {f.mnuGraphUp, f.btnUp},
      {f.mnuGraphDown, f.btnDown},
      {f.mnuGraphCenter, f.btnCenter},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item->objectName().toStdString());
    // Each way changes the view the same way as the handler itself.
    SetView(0.04L, 0.01L, -3, 5);
    View().DefaultXm = 0.02L;
    View().DefaultYm = 0.03L;
    c.item->trigger();
    const long double xm = View().Xm, ym = View().Ym, sx = View().StartX, sy = View().StartY;
    EXPECT_FALSE(xm == 0.04L && ym == 0.01L && sx == -3 && sy == 5);
    SetView(0.04L, 0.01L, -3, 5);
    c.button->click();
    EXPECT_EQ(View().Xm, xm);
    EXPECT_EQ(View().Ym, ym);
    EXPECT_EQ(View().StartX, sx);
    EXPECT_EQ(View().StartY, sy);
  }
}

}  // namespace
