// The window's own controls: the up-down beside an edit, the colour swatch,
// the picture control's mouse reports, and the JPEG decoder of the logo.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include "orvanta/workbench/JpegImage.h"
#include "orvanta/workbench/WorkbenchControls.h"
#include "platform/qt/FakeServices.h"

TEST(UpDownTest, StepsClampToTheRangeAndWriteTheAssociatedEdit) {
  QLineEdit edit;
  TUpDown ud;
  ud.SetRange(1, 9);
  ud.SetAssociate(&edit);
  std::vector<bool> clicks;
  ud.OnClick = [&](bool up) { clicks.push_back(up); };

  ud.SetPosition(8);  // from the program: no click
  EXPECT_EQ(edit.text(), "8");
  EXPECT_TRUE(clicks.empty());
  ud.StepUp();
  ud.StepUp();  // at the top: stays, still a click
  EXPECT_EQ(ud.Position(), 9);
  EXPECT_EQ(edit.text(), "9");
  EXPECT_EQ(clicks, (std::vector<bool>{true, true}));

  // A number typed into the edit is where the next step starts.
  edit.setText("4");
  ud.StepDown();
  EXPECT_EQ(ud.Position(), 3);
  // Text that is no position in range is ignored.
  edit.setText("x");
  ud.StepDown();
  EXPECT_EQ(ud.Position(), 2);
  ud.SetPosition(-5);
  EXPECT_EQ(ud.Position(), 1);

  // The arrow keys in the edit step too.
  QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
  QApplication::sendEvent(&edit, &up);
  EXPECT_EQ(ud.Position(), 2);

  // A disabled up-down does not step.
  ud.setEnabled(false);
  ud.StepUp();
  EXPECT_EQ(ud.Position(), 2);
}

TEST(ColorSwatchTest, KeepsTheRgbPartAndClicksOnlyWhenEnabled) {
  TColorSwatch sw;
  sw.SetColor(0x12345678);
  EXPECT_EQ(sw.Color(), 0x00345678u);
  int clicks = 0;
  sw.OnClick = [&] { ++clicks; };
  sw.resize(40, 16);
  QTest::mouseClick(&sw, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  sw.setEnabled(false);
  QTest::mouseClick(&sw, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
}

// Handlers run behind the guard: a fault is shown and survived.
TEST(ImageControlTest, ReportsMouseInPicturePixelsAndSurvivesFaultyHandlers) {
  plat::FakeServices fake;
  plat::ScopedServices use(fake);
  TImage image;
  image.resize(120, 80);
  EXPECT_TRUE(image.FitToControl());
  EXPECT_FALSE(image.FitToControl());
  EXPECT_EQ(image.Canvas().Width(), 120);
  std::vector<std::string> log;
  image.OnMouseDown = [&](Qt::MouseButton b, int x, int y) {
    log.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  image.OnMouseUp = [&](Qt::MouseButton b, int x, int y) {
    log.push_back("up " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  image.OnMouseMove = [&](int, int) { throw std::runtime_error("a faulty handler"); };
  QTest::mousePress(&image, Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
  QTest::mouseMove(&image, QPoint(30, 40));
  QTest::mouseRelease(&image, Qt::RightButton, Qt::NoModifier, QPoint(-5, 90));
  EXPECT_EQ(log, (std::vector<std::string>{"down 1 10,20", "up 2 -5,90"}));
  ASSERT_EQ(fake.Exceptions.size(), 1u);
  EXPECT_NE(fake.Exceptions[0].find("a faulty handler"), std::string::npos);

  TUpDown ud;
  ud.SetRange(0, 5);
  ud.OnClick = [](bool) { throw std::runtime_error("boom"); };
  EXPECT_NO_THROW(ud.StepUp());
  EXPECT_EQ(ud.Position(), 1);
  EXPECT_EQ(fake.Exceptions.size(), 2u);
}

TEST(JpegTest, DecodesTheLogoAndRefusesWhatIsNoJpeg) {
  const QImage logo = LogoImage();
  ASSERT_FALSE(logo.isNull());
  EXPECT_EQ(logo.size(), QSize(228, 52));
  EXPECT_EQ(logo.format(), QImage::Format_RGB32);

  const unsigned char garbage[] = {0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34, 0x56};
  EXPECT_TRUE(DecodeJpeg(garbage, sizeof garbage).isNull());
  const unsigned char text[] = "not a picture";
  EXPECT_TRUE(DecodeJpeg(text, sizeof text).isNull());
  EXPECT_TRUE(DecodeJpeg(nullptr, 0).isNull());
}
