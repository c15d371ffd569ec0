// Starts the windows headless as the program does and keeps a screenshot of
// the main window (lumivar-startup.png in the build's bin folder) for a look.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPixmap>

#include "LumivarFixture.h"
#include "lumivar/Image.h"
#include "platform/qt/Services.h"

using namespace lumivar;

namespace {

class StartupTest : public lumtest::LumivarTest {};

TEST_F(StartupTest, MainWindowScreenshot) {
  CreateForms();
  form->DrobKoffClick();
  form->SpinAA->SetValue(2);
  form->SysReClick();
  form->Spin1->SetValue(40);
  QCoreApplication::processEvents();
  const QPixmap shot = form->grab();
  ASSERT_FALSE(shot.isNull());
  EXPECT_EQ(shot.width(), form->width());
  const std::string path = plat::ExeDir() + "lumivar-startup.png";
  ASSERT_TRUE(shot.save(QString::fromStdString(path), "PNG")) << path;
  // The plot shows both graphs over white.
  const QImage img = shot.toImage();
  const QPoint centre = form->Client->mapTo(form.get(), QPoint(PlotWidth / 2 + 40, form->TypeFunc->height() + 5));
  EXPECT_EQ(img.pixelColor(centre), QColor(Qt::white));

  AboutBox->show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(AboutBox->grab().save(QString::fromStdString(plat::ExeDir() + "lumivar-about.png"), "PNG"));
  AboutBox->hide();
  AltFunc->show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(AltFunc->grab().save(QString::fromStdString(plat::ExeDir() + "lumivar-altfunc.png"), "PNG"));
  AltFunc->hide();
  EXPECT_TRUE(SplashPicture().save(QString::fromStdString(plat::ExeDir() + "lumivar-splash.png"), "PNG"));
}

}  // namespace
