// The print dialog's decimal boxes typed into key by key under an English
// and a Russian desktop: either "," or "." is the decimal point, and the
// box shows its locale's one once the user has left it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <string>

#include "LumivarFixture.h"
#include "PrintFormShown.h"
#include "platform/qt/FakePrinter.h"
#include "platform/qt/SpinEditCm.h"

namespace {

using lumivar::PrintForm;

struct DesktopLocale {
  const char* name;
  QLocale locale;
  const char* point;  // the decimal separator the boxes write
};

void PrintTo(const DesktopLocale& d, std::ostream* os) { *os << d.name; }

class PrintWidthsTest : public lumtest::LumivarTest, public ::testing::WithParamInterface<DesktopLocale> {
 protected:
  void SetUp() override {
    LumivarTest::SetUp();
    QLocale::setDefault(GetParam().locale);
    fake.ShowDialogs = false;
    CreateForms();
    printer.Dpi = 600;  // one printer pixel is 0,0423 mm
    lumtest::ShowPrintFormActive();
  }
  void TearDown() override {
    PrintForm->hide();
    LumivarTest::TearDown();
    QLocale::setDefault(previous_);
  }

  static void Type(plat::TSpinEditCm* box, const char* keys) { lumtest::TypeOver(box, keys); }
  static void Tab(plat::TSpinEditCm* box) {
    ASSERT_TRUE(box->Editor()->hasFocus());
    QTest::keyClick(box->Editor(), Qt::Key_Tab);
    ASSERT_FALSE(box->Editor()->hasFocus());
  }
  // "0,51" under a decimal-comma locale, "0.51" under a decimal-point one.
  static std::string Shown(const char* commaText) {
    std::string s = commaText;
    for (char& c : s)
      if (c == ',') c = *GetParam().point;
    return s;
  }

  plat::FakePrinter printer;
  plat::ScopedPrinter usePrinter{printer};

 private:
  QLocale previous_;
};

TEST_P(PrintWidthsTest, EitherPointTypedIntoTheWidthBoxesIsTheDecimalPoint) {
  ASSERT_EQ(plat::TSpinEditCm::LocaleSeparators().Decimal, GetParam().point);
  for (const char* typed : {"0,5", "0.5"}) {
    SCOPED_TRACE(typed);
    // 0,5 mm is 11,8 printer pixels: 12 pixels are 0,51 mm.
    Type(PrintForm->OXYWidth, typed);
    EXPECT_EQ(PrintForm->OXYWidth->Text(), typed);  // no key refused while typing
    EXPECT_EQ(PrintForm->OXYWidth->Value(), 50);
    Tab(PrintForm->OXYWidth);
    EXPECT_EQ(PrintForm->OXYWidth->Text(), Shown("0,51"));
    EXPECT_EQ(PrintForm->OXYWidth->Value(), 51);
  }
  for (const char* typed : {"1.5", "1,5"}) {
    SCOPED_TRACE(typed);
    // 1,5 mm is 35,4 pixels: 35 pixels are 1,48 mm.
    Type(PrintForm->GraphWidth, typed);
    EXPECT_EQ(PrintForm->GraphWidth->Text(), typed);
    Tab(PrintForm->GraphWidth);
    EXPECT_EQ(PrintForm->GraphWidth->Text(), Shown("1,48"));
  }
}

TEST_P(PrintWidthsTest, TheSizeBoxesReadEitherPointToo) {
  PrintForm->AllPage->setChecked(false);
  for (const char* typed : {"6.5", "6,5"}) {
    SCOPED_TRACE(typed);
    Type(PrintForm->Height, typed);
    EXPECT_EQ(PrintForm->Height->Text(), typed);
    Tab(PrintForm->Height);
    EXPECT_EQ(PrintForm->Height->Text(), Shown("6,50"));
    EXPECT_EQ(PrintForm->Height->Value(), 650);
  }
}

INSTANTIATE_TEST_SUITE_P(Desktops, PrintWidthsTest,
                         ::testing::Values(DesktopLocale{"C", QLocale::c(), "."},
                                           DesktopLocale{"English", QLocale(QLocale::English, QLocale::UnitedStates), "."},
                                           DesktopLocale{"Russian", QLocale(QLocale::Russian, QLocale::Russia), ","}),
                         [](const ::testing::TestParamInfo<DesktopLocale>& i) { return std::string(i.param.name); });

}  // namespace
