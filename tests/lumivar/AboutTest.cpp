// The about window's memory figures and links.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLocale>

#include "LumivarFixture.h"

using namespace lumivar;

namespace {

class AboutTest : public lumtest::LumivarTest {};

TEST_F(AboutTest, MemoryFiguresFollowTheSystem) {
  const QLocale ru(QLocale::Russian, QLocale::Russia);
  const std::string sep = ru.groupSeparator().toStdString();
  EXPECT_EQ(FormatPhysMem(536870912, ru), "524" + sep + "288 Кбайт");
  // 8 GiB: the full count, not a 32-bit one that wraps to nothing.
  EXPECT_EQ(FormatPhysMem(std::uint64_t{8} << 30, QLocale::c()), "8,388,608 Кбайт");
  EXPECT_EQ(FormatPhysMem(1023 * 1024 + 512, QLocale::c()), "1,024 Кбайт");  // half rounds to even
  EXPECT_EQ(FormatPhysMem(0, QLocale::c()), " Кбайт");
  EXPECT_EQ(FormatFreeRes(std::uint64_t{16} << 30, std::uint64_t{6} << 30), "свободно 38 %");  // load 62.5 % counts as 62
  EXPECT_EQ(FormatFreeRes(0, 0), "свободно 100 %");
}

TEST_F(AboutTest, EachShowingTakesTheFiguresAnewAndTheLinksOpen) {
  CreateForms();
  fake.Memory = {std::uint64_t{8} << 30, std::uint64_t{2} << 30};
  form->AboutClick();
  EXPECT_NE(AboutBox->PhysMem->text().toStdString().find("388"), std::string::npos);
  EXPECT_EQ(AboutBox->FreeRes->text().toStdString(), "свободно 25 %");
  fake.Memory = {std::uint64_t{512} << 20, std::uint64_t{256} << 20};
  form->AboutClick();
  EXPECT_EQ(AboutBox->FreeRes->text().toStdString(), "свободно 50 %");
  EXPECT_EQ(AboutBox->windowTitle().toStdString(), "О программе \"Lumivar\"");
  EXPECT_EQ(AboutBox->Label4->text().toStdString(), "Версия 3.0.3");

  fake.OpenUrlResult = false;  // a failing open is not reported
  AboutBox->PageClick();
  AboutBox->MailClick();
  ASSERT_EQ(fake.Urls.size(), 2u);
  EXPECT_EQ(fake.Urls[0], HomePage);
  EXPECT_EQ(fake.Urls[1], std::string("mailto:") + ContactMail);
  EXPECT_TRUE(fake.Messages.empty());
}

TEST_F(AboutTest, EveryTextFitsItsLabelInsideTheWindow) {
  CreateForms();
  form->AboutClick();
  ASSERT_EQ(AboutBox->size(), QSize(341, 265));
  for (QLabel* l : AboutBox->findChildren<QLabel*>()) {
    const std::string name = l->objectName().toStdString();
    EXPECT_TRUE(QRect(0, 0, 341, 265).contains(l->geometry())) << name;
    if (l == AboutBox->Image1 || l->wordWrap()) continue;
    EXPECT_LE(l->sizeHint().width(), l->width()) << name;
    EXPECT_LE(l->sizeHint().height(), l->height() + 2) << name;
  }
}

}  // namespace
