// Printing through the Qt printer into a PDF file, headless and without any
// installed printer: the last printer of the list writes the file.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>

#include "LumivarFixture.h"
#include "platform/SafeFile.h"
#include "platform/qt/FakePrinter.h"
#include "platform/qt/Printer.h"
#include "platform/qt/SpinEditCm.h"

namespace {

using lumivar::PrintForm;

class PrintEndToEnd : public lumtest::LumivarTest {
 protected:
  void SetUp() override {
    LumivarTest::SetUp();
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    fake.ShowDialogs = false;
    CreateForms();
    ASSERT_TRUE(lumtest::SetClientSize(*form, 476, 329));
  }
  void TearDown() override {
    LumivarTest::TearDown();
    QLocale::setDefault(previous_);
  }
  QLocale previous_;
};

// The four numbers after "/MediaBox [".
bool MediaBox(const std::string& pdf, double box[4]) {
  const std::size_t at = pdf.find("/MediaBox [");
  if (at == std::string::npos) return false;
  const char* p = pdf.c_str() + at + 11;
  for (int i = 0; i < 4; ++i) {
    char* end = nullptr;
    box[i] = std::strtod(p, &end);
    if (end == p) return false;
    p = end;
  }
  return true;
}

TEST_F(PrintEndToEnd, TheViewGoesIntoAPdfFileInLandscape) {
  ASSERT_EQ(plat::InstalledPrinter(), nullptr);  // the Qt printer
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string path = dir.path().toStdString() + "/график.pdf";
  fake.FileNames.push_back(path);
  int pageW = 0, pageH = 0, dpiX = 0, dpiY = 0;
  fake.OnExecModal = [&pageW, &pageH, &dpiX, &dpiY](QDialog* d) {
    PrintForm->FormActivate();
    // The file printer ends the list; choosing it starts from its own settings.
    PrintForm->PrintersList->setCurrentIndex(PrintForm->PrintersList->count() - 1);
    PrintForm->Gor->setChecked(true);
    PrintForm->ColorPrint->setChecked(true);
    plat::IPrinter& p = plat::Printer();
    pageW = p.PageWidth();
    pageH = p.PageHeight();
    dpiX = p.DpiX();
    dpiY = p.DpiY();
    PrintForm->Button3->click();
    return d->result();
  };
  form->PrintFileClick();
  for (const plat::MessageRequest& m : fake.Messages) ADD_FAILURE() << m.Text;
  ASSERT_EQ(fake.Dialogs.size(), 1u);
  EXPECT_EQ(fake.Dialogs[0].Result, plat::mrOk);
  ASSERT_EQ(fake.FileDialogs.size(), 1u);
  EXPECT_TRUE(fake.FileDialogs[0].Save);
  EXPECT_EQ(fake.FileDialogs[0].Request.DefaultExt, "pdf");
  EXPECT_GT(pageW, pageH);
  EXPECT_GT(dpiX, 0);

  std::string pdf;
  ASSERT_EQ(plat::ReadRegularFile(path, 64u << 20, pdf), 0);
  ASSERT_GT(pdf.size(), 100u);
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
  // One landscape page of A4 or Letter, in points.
  double box[4] = {};
  ASSERT_TRUE(MediaBox(pdf, box));
  const double w = box[2] - box[0], h = box[3] - box[1];
  const bool a4 = std::abs(w - 841.89) < 1.5 && std::abs(h - 595.28) < 1.5;
  const bool letter = std::abs(w - 792) < 1.5 && std::abs(h - 612) < 1.5;
  EXPECT_TRUE(a4 || letter) << w << " x " << h;
  // The drawn page: one picture of the printable area.
  EXPECT_NE(pdf.find("/Subtype /Image"), std::string::npos);
  EXPECT_NE(pdf.find("/Width " + std::to_string(pageW)), std::string::npos);
  EXPECT_NE(pdf.find("/Height " + std::to_string(pageH)), std::string::npos);

  // The same job on an image of the page's size.
  plat::FakePrinter image;
  image.Names = {"Изображение"};
  image.CurrentOrientation = plat::TPrinterOrientation::poLandscape;
  image.PortraitWidth = pageH;
  image.PortraitHeight = pageW;
  image.Dpi = dpiX;
  image.DpiYValue = dpiY;
  plat::ScopedPrinter use(image);
  fake.OnExecModal = [](QDialog* d) {
    PrintForm->FormActivate();
    PrintForm->Button3->click();
    return d->result();
  };
  form->PrintFileClick();
  ASSERT_EQ(image.Jobs.size(), 1u);
  ASSERT_TRUE(image.Jobs[0].Ended);
  const plat::TRecordingCanvas& page = *image.Page;
  ASSERT_EQ(page.Width(), pageW);
  const auto arrows = page.CallsOf("Polygon");
  ASSERT_EQ(arrows.size(), 2u);
  const int oy = arrows[0].Args[1], ox = arrows[1].Args[0];
  // The screen plot (476 by 221, origin at 238, 110) is centred on the
  // page, its longer side on the page's shorter one.
  const int unit = (std::min(pageW, pageH) * 30 + 476 / 2) / 476;
  EXPECT_NEAR(ox, pageW / 2.0, 2);
  EXPECT_NEAR(oy, pageH / 2.0 - unit / 60.0, 2);
  // Axes in black across the page, the sine in navy above the x axis at x = 1.
  EXPECT_EQ(page.GetPixel(pageW / 4, oy), plat::clBlack);
  EXPECT_EQ(page.GetPixel(ox, pageH / 4), plat::clBlack);
  int navy = 0;
  for (int y = oy - unit; y < oy; ++y) navy += page.GetPixel(ox + unit, y) == plat::clNavy;
  EXPECT_GT(navy, 0);
  EXPECT_EQ(page.GetPixel(pageW - 2, 2), plat::clWhite);
}

TEST_F(PrintEndToEnd, AFileThatCannotBeWrittenFailsTheJobAndKeepsTheDialogOpen) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string path = dir.path().toStdString() + "/missing/graph.pdf";
  fake.FileNames.push_back(path);
  fake.OnExecModal = [](QDialog* d) {
    PrintForm->FormActivate();
    PrintForm->PrintersList->setCurrentIndex(PrintForm->PrintersList->count() - 1);
    PrintForm->Button3->click();
    EXPECT_FALSE(plat::Printer().Printing());  // the job is gone
    return d->result();
  };
  form->PrintFileClick();
  ASSERT_EQ(fake.Dialogs.size(), 1u);
  EXPECT_NE(fake.Dialogs[0].Result, plat::mrOk);
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Error);
  EXPECT_EQ(fake.Messages[0].Text.rfind("Не удалось записать файл " + path, 0), 0u) << fake.Messages[0].Text;
  std::string bytes;
  EXPECT_NE(plat::ReadRegularFile(path, 16, bytes), 0);
}

}  // namespace
