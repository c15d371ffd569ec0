// Printing through the Qt printer into a PDF file, headless and without any
// installed printer: the last printer of the list writes the file. The page
// is read back with poppler's tools (pdftotext, pdftoppm; poppler-utils in
// scripts/install-deps.sh) and compared with the same job drawn on an image.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>

#include "LumivarFixture.h"
#include "platform/SafeFile.h"
#include "platform/qt/FakePrinter.h"
#include "platform/qt/Printer.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/SpinEditCm.h"

namespace {

using lumivar::PrintForm;

// One page printed into a PDF file through the dialog.
struct PdfPage {
  std::string path;
  int w = 0, h = 0, dpiX = 0, dpiY = 0;
  QRect printable;  // the printable area on the whole sheet, device pixels
};

class PrintEndToEnd : public lumtest::RussianLumivarTest {
 protected:
  void SetUp() override {
    RussianLumivarTest::SetUp();
    fake.ShowDialogs = false;
    CreateForms();
    ASSERT_TRUE(lumtest::SetClientSize(*form, 476, 329));
    ASSERT_TRUE(dir_.isValid());
  }

  // The current view printed in landscape and colour on the file printer;
  // with the axis width (hundredths of a millimetre) when one is given.
  PdfPage PrintToPdf(const std::string& name, int axisWidth = 0) {
    PdfPage page;
    page.path = dir_.path().toStdString() + "/" + name;
    fake.FileNames.push_back(page.path);
    fake.OnExecModal = [&page, axisWidth](QDialog* d) {
      PrintForm->FormActivate();
      // The file printer ends the list; choosing it starts from its own settings.
      PrintForm->PrintersList->setCurrentIndex(PrintForm->PrintersList->count() - 1);
      PrintForm->Gor->setChecked(true);
      PrintForm->ColorPrint->setChecked(true);
      if (axisWidth > 0) PrintForm->OXYWidth->SetValue(axisWidth);
      plat::IPrinter& p = plat::Printer();
      page.w = p.PageWidth();
      page.h = p.PageHeight();
      page.dpiX = p.DpiX();
      page.dpiY = p.DpiY();
      if (auto* qt = dynamic_cast<plat::QtPrinter*>(&p)) page.printable = qt->PageLayout().paintRectPixels(page.dpiX);
      PrintForm->Button3->click();
      return d->result();
    };
    form->PrintFileClick();
    return page;
  }

  // The same job drawn by the screen's canvas on an image of the page's size.
  const plat::TRecordingCanvas* PrintToImage(plat::FakePrinter& image, const PdfPage& page) {
    image.Names = {"Изображение"};
    image.CurrentOrientation = plat::TPrinterOrientation::poLandscape;
    image.PortraitWidth = page.h;
    image.PortraitHeight = page.w;
    image.Dpi = page.dpiX;
    image.DpiYValue = page.dpiY;
    plat::ScopedPrinter use(image);
    fake.OnExecModal = [](QDialog* d) {
      PrintForm->FormActivate();
      PrintForm->Button3->click();
      return d->result();
    };
    form->PrintFileClick();
    if (image.Jobs.size() != 1 || !image.Jobs[0].Ended || !image.Page) return nullptr;
    return image.Page.get();
  }

  // A poppler tool's standard output; a failure when it does not run.
  bool Tool(const QString& program, const QStringList& args, QByteArray* out = nullptr) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(10000)) {
      ADD_FAILURE() << program.toStdString() << " does not run: poppler-utils (scripts/install-deps.sh)";
      return false;
    }
    p.waitForFinished(120000);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
      ADD_FAILURE() << program.toStdString() << " failed: " << p.readAllStandardError().toStdString();
      return false;
    }
    if (out) *out = p.readAllStandardOutput();
    return true;
  }

  // The printable area of the PDF's page rendered at the printer's resolution.
  QImage Render(const PdfPage& page) {
    const QString out = dir_.path() + "/render";
    const QStringList args = {"-r",  QString::number(page.dpiX), "-x", QString::number(page.printable.x()),
                              "-y",  QString::number(page.printable.y()), "-W", QString::number(page.w),
                              "-H",  QString::number(page.h), "-png", "-singlefile",
                              QString::fromStdString(page.path), out};
    if (!Tool("pdftoppm", args)) return {};
    return QImage(out + ".png").convertToFormat(QImage::Format_RGB32);
  }

  QTemporaryDir dir_;
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

bool Ink(const QImage& img, int x, int y, int threshold) {
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return false;
  return qGray(img.pixel(x, y)) < threshold;
}

// The row (or column) in [from, to] with the most ink across the picture.
int DarkestLine(const QImage& img, bool row, int from, int to) {
  int best = from, most = -1;
  for (int k = from; k <= to; ++k) {
    int n = 0;
    const int len = row ? img.width() : img.height();
    for (int i = 0; i < len; ++i) n += row ? Ink(img, i, k, 128) : Ink(img, k, i, 128);
    if (n > most) {
      most = n;
      best = k;
    }
  }
  return best;
}

// The mean row of the navy graph in column x, weighted by how navy each
// pixel is; -1 without any.
double GraphRow(const QImage& img, int x) {
  double sum = 0, weight = 0;
  for (int y = 0; y < img.height(); ++y) {
    const QRgb p = img.pixel(x, y);
    const int navy = qBlue(p) - std::max(qRed(p), qGreen(p));
    if (navy > 48) {
      sum += double(y) * navy;
      weight += navy;
    }
  }
  return weight > 0 ? sum / weight : -1;
}

// Inked pixels of `a` with no inked pixel of `b` within `radius`.
long Unmatched(const QImage& a, int thresholdA, const QImage& b, int thresholdB, int radius, long* inked) {
  long n = 0;
  *inked = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      if (!Ink(a, x, y, thresholdA)) continue;
      ++*inked;
      bool found = false;
      for (int dy = -radius; dy <= radius && !found; ++dy)
        for (int dx = -radius; dx <= radius && !found; ++dx) found = Ink(b, x + dx, y + dy, thresholdB);
      n += !found;
    }
  return n;
}

// Lengths of the inked and blank stretches along row y in [x0, x1).
void Runs(const QImage& img, int y, int x0, int x1, std::vector<int>& ink, std::vector<int>& gaps) {
  bool on = Ink(img, x0, y, 128);
  int n = 0;
  for (int x = x0; x <= x1; ++x) {
    const bool here = x < x1 && Ink(img, x, y, 128);
    if (x == x1 || here != on) {
      (on ? ink : gaps).push_back(n);
      n = 0;
      on = here;
    }
    ++n;
  }
}

// The inked stretches along row y in [x0, x1): where each starts and how
// long it is.
std::vector<std::pair<int, int>> InkStretches(const QImage& img, int y, int x0, int x1) {
  std::vector<std::pair<int, int>> out;
  for (int x = x0; x < x1;) {
    if (!Ink(img, x, y, 128)) {
      ++x;
      continue;
    }
    const int start = x;
    while (x < x1 && Ink(img, x, y, 128)) ++x;
    out.emplace_back(start, x - start);
  }
  return out;
}

int Median(std::vector<int> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  return v[v.size() / 2];
}

TEST_F(PrintEndToEnd, TheViewGoesIntoAPdfFileAsLinesAndText) {
  ASSERT_EQ(plat::InstalledPrinter(), nullptr);  // the Qt printer
  const PdfPage page = PrintToPdf("график.pdf");
  for (const plat::MessageRequest& m : fake.Messages) ADD_FAILURE() << m.Text;
  ASSERT_EQ(fake.Dialogs.size(), 1u);
  EXPECT_EQ(fake.Dialogs[0].Result, plat::mrOk);
  ASSERT_EQ(fake.FileDialogs.size(), 1u);
  EXPECT_TRUE(fake.FileDialogs[0].Save);
  EXPECT_EQ(fake.FileDialogs[0].Request.DefaultExt, "pdf");
  EXPECT_GT(page.w, page.h);
  EXPECT_GT(page.dpiX, 0);
  ASSERT_FALSE(page.printable.isEmpty());

  std::string pdf;
  ASSERT_EQ(plat::ReadRegularFile(page.path, 64u << 20, pdf), 0);
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
  // Drawing commands, not a picture of the page: no image at all, and small.
  for (const char* image : {"/Subtype /Image", "/Subtype/Image"})
    EXPECT_EQ(pdf.find(image), std::string::npos) << pdf.substr(pdf.find(image), 300);
  EXPECT_LT(pdf.size(), 100u * 1024) << pdf.size();

  // Real text: the letters of the axes and their labels.
  QByteArray text;
  ASSERT_TRUE(Tool("pdftotext", {"-layout", QString::fromStdString(page.path), "-"}, &text));
  std::istringstream words(text.toStdString());
  std::vector<std::string> found;
  for (std::string word; words >> word;) found.push_back(word);
  for (const char* expected : {"x", "y", "1", "2", "3", "-1", "-2", "-3", "4", "-4", "0"})
    EXPECT_NE(std::find(found.begin(), found.end(), expected), found.end()) << expected << " in:\n"
                                                                             << text.toStdString();

  // The same job on an image, as the page was printed before: the PDF
  // rendered at the printer's resolution lays out the same page.
  plat::FakePrinter image;
  const plat::TRecordingCanvas* ref = PrintToImage(image, page);
  ASSERT_NE(ref, nullptr);
  ASSERT_EQ(ref->Width(), page.w);
  const QImage& want = ref->Image();
  const QImage got = Render(page);
  ASSERT_EQ(got.size(), want.size());
  const auto arrows = ref->CallsOf("Polygon");
  ASSERT_EQ(arrows.size(), 2u);
  const int oy = arrows[0].Args[1], ox = arrows[1].Args[0];
  // The screen plot (476 by 221, origin at 238, 110) is centred on the
  // page, its longer side on the page's shorter one.
  const int unit = (std::min(page.w, page.h) * 30 + 476 / 2) / 476;
  EXPECT_NEAR(ox, page.w / 2.0, 2);
  EXPECT_NEAR(oy, page.h / 2.0 - unit / 60.0, 2);
  // The axes on the same rows and columns.
  EXPECT_NEAR(DarkestLine(got, true, oy - 6, oy + 6), DarkestLine(want, true, oy - 6, oy + 6), 1);
  EXPECT_NEAR(DarkestLine(got, false, ox - 6, ox + 6), DarkestLine(want, false, ox - 6, ox + 6), 1);
  // The sine in navy through the same pixels, column by column.
  int columns = 0;
  for (int x = 20; x < page.w - 20; x += 7) {
    if (std::abs(x - ox) < 30) continue;
    const double a = GraphRow(want, x), b = GraphRow(got, x);
    if (a < 0) continue;
    ++columns;
    EXPECT_NEAR(b, a, 1.5) << "column " << x;
  }
  EXPECT_GT(columns, page.w / 8);
  // All else (ticks, arrows, letters, labels) within two pixels both ways.
  long inked = 0;
  const long missing = Unmatched(want, 250, got, 235, 2, &inked);
  EXPECT_LT(missing, inked / 200) << missing << " of " << inked;
  const long extra = Unmatched(got, 110, want, 250, 2, &inked);
  EXPECT_LT(extra, inked / 200) << extra << " of " << inked;
}

TEST_F(PrintEndToEnd, AStyledGridPrintsWithItsPatternOfFixedLengthAtAnyPenWidth) {
  lumivar::GridOn = true;
  struct Case {
    plat::TPenStyle style;
    int on, off;  // the screen's pattern, in screen pixels
  };
  for (const Case c : {Case{plat::TPenStyle::psDash, 18, 6}, Case{plat::TPenStyle::psDot, 3, 3}}) {
    lumivar::GridStyle = c.style;
    double longestMm[2] = {};
    int pens[2] = {};
    const int widths[2] = {17, 51};  // "Толщина осей", hundredths of a millimetre
    for (int wi = 0; wi < 2; ++wi) {
      SCOPED_TRACE(static_cast<int>(c.style) * 1000 + widths[wi]);
      const PdfPage page = PrintToPdf("grid" + std::to_string(static_cast<int>(c.style)) + "-" +
                                          std::to_string(widths[wi]) + ".pdf",
                                      widths[wi]);
      for (const plat::MessageRequest& m : fake.Messages) ADD_FAILURE() << m.Text;
      EXPECT_EQ(PrintForm->OXYWidth->Value(), widths[wi]);
      plat::FakePrinter image;
      const plat::TRecordingCanvas* ref = PrintToImage(image, page);
      ASSERT_NE(ref, nullptr);
      // From the calls the job made: the highest horizontal grid line away
      // from the page's edge (far from the graph), and the vertical ones.
      int gridY = -1, x0 = 0, x1 = 0, pen = 0;
      std::vector<int> columns;
      for (std::size_t i = 1; i < ref->Calls.size(); ++i) {
        const plat::TCanvasCall& m = ref->Calls[i - 1];
        const plat::TCanvasCall& l = ref->Calls[i];
        if (m.Op != "MoveTo" || l.Op != "LineTo" || l.Pen.Style != c.style) continue;
        if (m.Args[0] == l.Args[0]) columns.push_back(l.Args[0]);
        if (m.Args[1] != l.Args[1] || l.Args[1] < 20) continue;
        if (gridY < 0 || l.Args[1] < gridY) {
          gridY = l.Args[1];
          x0 = m.Args[0];
          x1 = l.Args[0];
          pen = l.Pen.Width;
        }
      }
      ASSERT_GT(gridY, 0);
      ASSERT_GT(columns.size(), 4u);
      ASSERT_GT(pen, 1);  // a pen the screen would draw solid
      pens[wi] = pen;
      const QImage got = Render(page);
      ASSERT_FALSE(got.isNull());
      const int row = DarkestLine(got, true, gridY - 2, gridY + 3);
      // Right of the y axis and its labels; the dashes that cross no
      // vertical grid line, whose own dashes would join them.
      const int from = x0 + (x1 - x0) * 3 / 5, to = x1 - 20;
      const std::vector<std::pair<int, int>> stretches = InkStretches(got, row, from, to);
      std::vector<bool> free(stretches.size(), true);
      std::vector<int> ink, gaps;
      for (std::size_t k = 0; k < stretches.size(); ++k) {
        const auto [start, len] = stretches[k];
        free[k] = start != from && start + len != to;
        for (int g : columns) free[k] = free[k] && !(g + pen + 2 >= start && g - pen - 2 < start + len);
        if (free[k]) ink.push_back(len);
        if (k > 0 && free[k] && free[k - 1]) gaps.push_back(start - stretches[k - 1].first - stretches[k - 1].second);
      }
      ASSERT_GE(ink.size(), 5u) << "dashes clear of the vertical grid lines, of " << stretches.size();
      ASSERT_GE(gaps.size(), 3u) << "gaps between them, of " << stretches.size();
      // The screen's pattern at the screen's pixel size, in printer pixels.
      const double perScreenPixel = page.dpiX / 96.0;
      const int longest = *std::max_element(ink.begin(), ink.end());
      EXPECT_NEAR(longest, c.on * perScreenPixel, 2);
      EXPECT_NEAR(Median(gaps), c.off * perScreenPixel, 2);
      longestMm[wi] = longest * 25.4 / page.dpiX;
      // The image of the same page has it solid (the screen's rule for wide pens).
      std::vector<int> solidInk, solidGaps;
      Runs(ref->Image(), DarkestLine(ref->Image(), true, gridY - 2, gridY + 3), from, to, solidInk, solidGaps);
      EXPECT_LE(solidGaps.size(), 1u);
      // Within two printer pixels, as long on the page at both widths.
      if (wi == 1) {
        EXPECT_EQ(pens[1], 3 * pens[0]);
        EXPECT_NEAR(longestMm[1], longestMm[0], 2 * 25.4 / page.dpiX);
      }
    }
  }
}

TEST_F(PrintEndToEnd, AFileThatCannotBeWrittenFailsTheJobAndKeepsTheDialogOpen) {
  const std::string path = dir_.path().toStdString() + "/missing/graph.pdf";
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
