// The picture's mouse modes: pointer coordinates, origin by right click,
// rectangle zoom with its rubber band, and the ways a drag ends.
#include <QCursor>
#include <QEvent>
#include <QRandomGenerator>

#include "ViewHelpers.h"

namespace {

using MouseTest = ViewFixture;

TEST_F(MouseTest, CoordinatesFollowThePointerInBothModes) {
  // Pixel (430, 200) is world (1.5, 0); pixel (360, 60) is (-2, 7).
  Move(430, 200);
  EXPECT_EQ(Panel(0), "x 1.5");
  EXPECT_EQ(Panel(1), "y 0");
  RectMode();
  Move(360, 60);
  EXPECT_EQ(Panel(0), "x -2");
  EXPECT_EQ(Panel(1), "y 7");
  // Four decimals, rounded; a tiny negative value keeps its sign.
  SetView(1e-5L, 1e-5L, -0.000001L, 0.12345L);
  Move(0, 0);
  EXPECT_EQ(Panel(0), "x -0");
  EXPECT_EQ(Panel(1), "y 0.1235");
}

TEST_F(MouseTest, RightClickInPointerModeMovesTheOrigin) {
  MarkPicture();
  Press(Qt::RightButton, 200, 100);
  Release(Qt::RightButton, 200, 100);
  EXPECT_TRUE(Redrawn());
  EXPECT_DOUBLE_EQ(View().StartX, -10);
  EXPECT_DOUBLE_EQ(View().StartY, 5);
  EXPECT_EQ(View().Xm, 0.05L);
  // A left click in pointer mode does nothing.
  MarkPicture();
  Press(Qt::LeftButton, 300, 300);
  Release(Qt::LeftButton, 300, 300);
  EXPECT_FALSE(Redrawn());
  EXPECT_DOUBLE_EQ(View().StartX, -10);
}

TEST_F(MouseTest, DragZoomsIntoTheRectangleWhicheverWayItIsDrawn) {
  for (bool reverse : {false, true}) {
    SCOPED_TRACE(reverse ? "dragged up-left" : "dragged down-right");
    SetView(0.05L, 0.05L, -20, 10);
    RectMode();
    const int x0 = reverse ? 300 : 100, y0 = reverse ? 250 : 50;
    const int x1 = reverse ? 100 : 300, y1 = reverse ? 50 : 250;
    Press(Qt::LeftButton, x0, y0);
    EXPECT_EQ(Form().RectClicks, 1);
    Move(200, 150);
    Move(x1, y1);
    MarkPicture();
    Release(Qt::LeftButton, x1, y1);
    EXPECT_TRUE(Redrawn());
    EXPECT_DOUBLE_EQ(View().StartX, -15);
    EXPECT_DOUBLE_EQ(View().StartY, 7.5);
    EXPECT_DOUBLE_EQ(View().Xm, 0.0125);
    EXPECT_DOUBLE_EQ(View().Ym, 0.025);
    EXPECT_EQ(Form().RectClicks, 0);
    EXPECT_EQ(Form().RectStart, (plat::TPoint{0, 0}));
  }
}

TEST_F(MouseTest, ZoomClampsEachScaleToItsBound) {
  SetView(1e-4L, 1e-4L, 0, 0);
  RectMode();
  Press(Qt::LeftButton, 10, 10);
  Release(Qt::LeftButton, 12, 300);
  EXPECT_EQ(View().Xm, MinScale);  // 2 pixels of 1e-4 over 800 columns
  EXPECT_DOUBLE_EQ(View().Ym, 290 * 1e-4 / 400);
  EXPECT_DOUBLE_EQ(View().StartX, 10 * 1e-4);  // still the rectangle's left edge
  EXPECT_DOUBLE_EQ(View().StartY, -10 * 1e-4);

  // A release far outside the picture: the rectangle extends beyond it.
  SetView(40, 40, 0, 0);
  Press(Qt::LeftButton, 0, 0);
  Release(Qt::LeftButton, 5000, -200);
  EXPECT_EQ(View().Xm, MaxScale);
  EXPECT_DOUBLE_EQ(View().Ym, 20);
  EXPECT_DOUBLE_EQ(View().StartY, 8000);  // the top edge is the release row
}

TEST_F(MouseTest, FlatReleaseAndRightCancelLeaveTheView) {
  RectMode();
  const QImage before = Picture();
  // Same column as the press: no zoom, no redraw, and no band left behind.
  Press(Qt::LeftButton, 100, 50);
  Move(250, 120);
  EXPECT_FALSE(Picture() == before);
  MarkPicture();
  Release(Qt::LeftButton, 100, 200);
  EXPECT_FALSE(Redrawn());
  EXPECT_EQ(Form().RectClicks, 0);
  EXPECT_EQ(View().Xm, 0.05L);
  EXPECT_EQ(View().StartX, -20);
  EXPECT_TRUE(Picture() == before);

  // Right button during a drag: its press does nothing, its release cancels
  // and redraws; the left release that follows finds nothing to end.
  Press(Qt::LeftButton, 100, 50);
  Move(300, 250);
  Press(Qt::RightButton, 300, 250);
  EXPECT_EQ(Form().RectClicks, 1);
  MarkPicture();
  Release(Qt::RightButton, 300, 250);
  EXPECT_TRUE(Redrawn());
  EXPECT_EQ(Form().RectClicks, 0);
  EXPECT_TRUE(Picture() == before);
  MarkPicture();
  Release(Qt::LeftButton, 300, 250);
  EXPECT_FALSE(Redrawn());
  EXPECT_EQ(View().Xm, 0.05L);
  EXPECT_EQ(View().StartX, -20);
}

TEST_F(MouseTest, BandIsGreenOnWhiteAndErasesItselfBitForBit) {
  View().BkColor = plat::clWhite;
  View().Setka = false;
  View().Oci = false;
  Form().DrawScreen();
  RectMode();
  Press(Qt::LeftButton, 100, 50);
  Move(300, 250);
  // The band's box excludes its right and bottom edges; inside stays white.
  EXPECT_EQ(Pixel(100, 50), plat::clGreen);
  EXPECT_EQ(Pixel(299, 249), plat::clGreen);
  EXPECT_EQ(Pixel(200, 50), plat::clGreen);
  EXPECT_EQ(Pixel(300, 250), plat::clWhite);
  EXPECT_EQ(Pixel(200, 150), plat::clWhite);

  // On any picture, the band drawn and then erased restores every pixel.
  QImage& img = Form().Image->Picture().Image();
  QRandomGenerator rng(42);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) img.setPixel(x, y, 0xFF000000u | (rng.generate() & 0xFFFFFFu));
  const QImage noisy = img.copy();
  Move(150, 20);
  EXPECT_FALSE(Picture() == noisy);
  Move(420, 390);  // erases the band at (150, 20), draws a new one
  Move(30, 300);   // and again, dragged up-left past the press
  EXPECT_FALSE(Picture() == noisy);
  Release(Qt::LeftButton, 100, 300);  // flat: the band goes, nothing is redrawn
  EXPECT_TRUE(Picture() == noisy);
}

TEST_F(MouseTest, BandFillIsTheBackgroundOfTheLastRedraw) {
  // The inside is the canvas's fill colour, which only a redraw sets: a
  // background changed since leaves the silver fill, and silver not-xor
  // silver is white.
  View().BkColor = plat::clSilver;
  View().Setka = false;
  View().Oci = false;
  Form().DrawScreen();
  View().BkColor = 0x3366CC;
  RectMode();
  Press(Qt::LeftButton, 100, 50);
  Move(300, 250);
  EXPECT_EQ(Pixel(200, 150), plat::clWhite);
  EXPECT_EQ(Pixel(100, 150), ~(plat::clGreen ^ plat::clSilver) & 0xFFFFFFu);
  Release(Qt::RightButton, 300, 250);
}

TEST_F(MouseTest, RedrawDuringADragLeavesNoBandBehind) {
  RectMode();
  Press(Qt::LeftButton, 100, 50);
  Move(300, 250);
  Form().mnuGraphLeftClick();  // a shortcut during the drag redraws the picture
  const QImage redrawn = Picture();
  Move(320, 260);
  Move(310, 270);
  EXPECT_FALSE(Picture() == redrawn);
  Release(Qt::LeftButton, 310, 50);  // flat
  EXPECT_TRUE(Picture() == redrawn);
}

TEST_F(MouseTest, LostCaptureOrModeChangeEndsTheRectangle) {
  RectMode();
  const QImage before = Picture();
  Press(Qt::LeftButton, 100, 50);
  Move(300, 250);
  QEvent deactivate(QEvent::WindowDeactivate);
  QApplication::sendEvent(Form().Image, &deactivate);
  EXPECT_EQ(Form().RectClicks, 0);
  EXPECT_TRUE(Picture() == before);
  MarkPicture();
  Release(Qt::LeftButton, 300, 250);  // a release that comes late ends nothing
  EXPECT_FALSE(Redrawn());
  EXPECT_EQ(View().Xm, 0.05L);

  // A release that never came: the next press starts a fresh rectangle.
  Press(Qt::LeftButton, 100, 50);
  Move(300, 250);
  Press(Qt::LeftButton, 200, 100);
  EXPECT_EQ(Form().RectClicks, 1);
  EXPECT_TRUE(Picture() == before);  // the old band went with it
  Release(Qt::LeftButton, 400, 300);
  EXPECT_DOUBLE_EQ(View().Xm, 200 * 0.05 / 800);
  EXPECT_DOUBLE_EQ(View().StartX, -10);

  // Switching the mode mid-drag ends the rectangle and takes the band away.
  Form().DrawScreen();
  const QImage again = Picture();
  Press(Qt::LeftButton, 100, 50);
  Move(300, 250);
  PointerMode();
  EXPECT_EQ(Form().RectClicks, 0);
  EXPECT_TRUE(Picture() == again);
  Move(350, 260);
  EXPECT_TRUE(Picture() == again);
}

TEST_F(MouseTest, ModeButtonsSetTheCursorAndOnlyTheLeftButtonDraws) {
  EXPECT_TRUE(Form().btnKursor->isChecked());
  EXPECT_EQ(Form().Image->cursor().shape(), Qt::ArrowCursor);
  RectMode();
  EXPECT_TRUE(Form().btnRect->isChecked());
  EXPECT_FALSE(Form().btnKursor->isChecked());
  EXPECT_EQ(Form().Image->cursor().shape(), Qt::CrossCursor);
  RectMode();  // clicking the button that is down leaves it down
  EXPECT_TRUE(Form().btnRect->isChecked());
  // Rectangle mode: a right click with no rectangle does nothing.
  MarkPicture();
  Press(Qt::RightButton, 10, 10);
  Release(Qt::RightButton, 10, 10);
  EXPECT_FALSE(Redrawn());
  EXPECT_EQ(View().StartX, -20);
  // Nor does the middle button start one.
  const QImage before = Picture();
  Press(Qt::MiddleButton, 100, 50);
  Move(300, 250);
  EXPECT_EQ(Form().RectClicks, 0);
  EXPECT_TRUE(Picture() == before);
  Release(Qt::MiddleButton, 300, 250);
  EXPECT_EQ(View().Xm, 0.05L);
  PointerMode();
  EXPECT_EQ(Form().Image->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
