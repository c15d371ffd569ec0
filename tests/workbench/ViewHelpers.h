#pragma once
// The started workbench with an 800 x 400 picture and a known view, for the
// navigation, mouse and screen-dialog tests.
#include <QApplication>
#include <QMouseEvent>
#include <QToolButton>

#include <string>

#include "WorkbenchFixture.h"

class ViewFixture : public WorkbenchFixture {
 protected:
  static constexpr int W = 800;
  static constexpr int H = 400;

  void SetUp() override {
    WorkbenchFixture::SetUp();
    fake.ClearRecords();
    Form().Image->setFixedSize(W, H);
    QApplication::processEvents();
    ASSERT_EQ(Form().Image->width(), W);
    ASSERT_EQ(Form().Image->height(), H);
    SetView(0.05L, 0.05L, -20, 10);
    View().Koef = 2;
    View().Sdvig = 0.25L;
    View().SetkaStep = 1;
    View().Setka = true;
    View().Oci = true;
    View().OciWidth = 1;
    Form().DrawScreen();
  }

  void SetView(long double xm, long double ym, long double startX, long double startY) {
    View().Xm = xm;
    View().Ym = ym;
    View().StartX = startX;
    View().StartY = startY;
  }

  // A redraw rewrites status panel 2 (the x scale): a sentinel there tells
  // whether one happened.
  void MarkPicture() { Form().StatusBar->SetPanelText(2, "sentinel"); }
  bool Redrawn() { return Panel(2) != "sentinel"; }

  QImage Picture() { return Form().Image->Picture().Image().copy(); }

  // Real mouse events on the picture, through the control's own handlers.
  void Mouse(QEvent::Type type, Qt::MouseButton button, int x, int y) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton
                                  : type == QEvent::MouseMove       ? Qt::MouseButtons(Qt::NoButton)
                                                                    : Qt::MouseButtons(button);
    const QPointF local(x, y);
    const QPointF global = Form().Image->mapToGlobal(local);
    QMouseEvent e(type, local, global, type == QEvent::MouseMove ? Qt::NoButton : button, held,
                  Qt::NoModifier);
    QApplication::sendEvent(Form().Image, &e);
  }
  void Press(Qt::MouseButton b, int x, int y) { Mouse(QEvent::MouseButtonPress, b, x, y); }
  void Move(int x, int y) { Mouse(QEvent::MouseMove, Qt::NoButton, x, y); }
  void Release(Qt::MouseButton b, int x, int y) { Mouse(QEvent::MouseButtonRelease, b, x, y); }

  void RectMode() { Form().btnRect->click(); }
  void PointerMode() { Form().btnKursor->click(); }
};
