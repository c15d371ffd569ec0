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
  auto save = [this](const char* name) {
    QCoreApplication::processEvents();
    const QPixmap shot = form->grab();
    EXPECT_EQ(shot.size(), form->size());
    const std::string path = plat::ExeDir() + name;
    EXPECT_TRUE(shot.save(QString::fromStdString(path), "PNG")) << path;
    return shot.toImage();
  };
  // As the program starts: the navy sine through the origin at the plot centre.
  QImage img = save("lumivar-startup.png");
  const QPoint origin = form->Client->mapTo(form.get(), QPoint(238, form->TypeFunc->height() + 110));
  EXPECT_EQ(img.pixelColor(origin), QColor(0, 0, 0x80));
  EXPECT_EQ(img.pixelColor(origin + QPoint(0, -40)), QColor(Qt::black));  // the y axis
  EXPECT_EQ(img.pixelColor(origin + QPoint(100, -60)), QColor(Qt::white));

  // Fractions and two graphs.
  form->DrobKoffClick();
  form->SpinAA->SetValue(2);
  form->SysReClick();
  form->Spin1->SetValue(40);
  img = save("lumivar-modes.png");
  EXPECT_EQ(form->TypeFunc->height(), 86);

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
