// The PDF printer's set-up dialog keeps a paper it does not list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPageLayout>
#include <QPageSize>
#include <QRadioButton>

#include "platform/qt/PdfPageSetup.h"
#include "tests/common/FixedFrame.h"
#include "tests/common/WidgetFit.h"

TEST(PdfPageSetup, APaperOutsideTheListSurvivesAndTheOrientationChanges) {
  const QPageSize own(QSizeF(100, 150), QPageSize::Millimeter, QStringLiteral("Открытка"));
  const QPageLayout start(own, QPageLayout::Portrait, QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
  plat::TPdfPageSetupForm form;
  form.SetLayout(start);
  EXPECT_TRUE(form.Portrait->isChecked());
  EXPECT_EQ(form.PaperSize->currentText(), own.name());
  form.Landscape->setChecked(true);
  QPageLayout l = form.Layout(start);
  EXPECT_TRUE(l.pageSize().isEquivalentTo(own));
  EXPECT_EQ(l.orientation(), QPageLayout::Landscape);
  EXPECT_EQ(l.margins(), QMarginsF(5, 5, 5, 5));

  // A listed paper replaces it.
  form.PaperSize->setCurrentIndex(form.PaperSize->findData(static_cast<int>(QPageSize::A5)));
  l = form.Layout(start);
  EXPECT_EQ(l.pageSize().id(), QPageSize::A5);
}

TEST(PdfPageSetup, HasACloseBoxOnlyAndShowsItsTextsWhole) {
  plat::TPdfPageSetupForm form;
  EXPECT_THAT(orv_test::FixedFrameFaults(&form), ::testing::IsEmpty());
  EXPECT_THAT(orv_test::TextsThatDoNotFit(&form), ::testing::IsEmpty());
}
