#include "platform/qt/QtPrinter.h"

#include <QBuffer>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "platform/SafeFile.h"
#include "platform/qt/PainterCanvas.h"
#include "platform/qt/PdfPageSetup.h"
#include "platform/qt/Text.h"

namespace plat {

namespace {

constexpr int kPdfResolution = 300;

IPrinter* g_installed = nullptr;

// Made on first use and kept for the run: a printer must not be torn down
// after the application object at exit.
QtPrinter& QtOne() {
  static QtPrinter* printer = new QtPrinter;
  return *printer;
}

}  // namespace

IPrinter& Printer() { return g_installed ? *g_installed : QtOne(); }
void SetPrinter(IPrinter* p) { g_installed = p; }
IPrinter* InstalledPrinter() { return g_installed; }

QtPrinter::QtPrinter() {
  PdfDialog.Title = "Печать в файл";
  PdfDialog.Filter = "Документ PDF (*.pdf)|*.pdf|Все файлы (*.*)|*.*";
  PdfDialog.DefaultExt = "pdf";
}

QtPrinter::~QtPrinter() { Abort(); }

std::string QtPrinter::PdfPrinterName() { return "Печать в файл (PDF)"; }

std::vector<std::string> QtPrinter::Printers() {
  // The list is taken once, so indices stay valid for the run.
  if (names_.empty()) {
    for (const QString& n : QPrinterInfo::availablePrinterNames()) names_.push_back(ToUtf8(n));
    names_.push_back(PdfPrinterName());
  }
  return names_;
}

bool QtPrinter::IsPdf() const { return index_ == static_cast<int>(names_.size()) - 1; }

int QtPrinter::PrinterIndex() {
  if (index_ < 0) {
    Printers();  // takes the list on first use
    const std::vector<std::string>& names = names_;
    const std::string def = ToUtf8(QPrinterInfo::defaultPrinterName());
    const auto it = std::find(names.begin(), names.end() - 1, def);
    SetPrinterIndex(!def.empty() && it != names.end() - 1 ? static_cast<int>(it - names.begin())
                                                          : static_cast<int>(names.size()) - 1);
  }
  return index_;
}

void QtPrinter::SetPrinterIndex(int index) {
  Printers();  // takes the list on first use
  const std::vector<std::string>& names = names_;
  if (index < 0 || index >= static_cast<int>(names.size())) throw EPrinter("Текущий принтер не установлен.");
  if (index == index_ && printer_) return;
  if (Printing()) throw EPrinter("Идёт печать.");
  auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (index == static_cast<int>(names.size()) - 1) {
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setResolution(kPdfResolution);
  } else {
    p->setPrinterName(FromUtf8(names[static_cast<std::size_t>(index)]));
    if (!p->isValid()) throw EPrinter("Текущий принтер не установлен.");
  }
  printer_ = std::move(p);
  index_ = index;
}

QPrinter& QtPrinter::Current() {
  PrinterIndex();
  return *printer_;
}

TPrinterOrientation QtPrinter::Orientation() {
  return Current().pageLayout().orientation() == QPageLayout::Landscape ? TPrinterOrientation::poLandscape
                                                                       : TPrinterOrientation::poPortrait;
}

void QtPrinter::SetOrientation(TPrinterOrientation o) {
  Current().setPageOrientation(o == TPrinterOrientation::poLandscape ? QPageLayout::Landscape
                                                                    : QPageLayout::Portrait);
}

int QtPrinter::Copies() { return Current().copyCount(); }
void QtPrinter::SetCopies(int n) { Current().setCopyCount(n); }

int QtPrinter::PageWidth() {
  QPrinter& p = Current();
  return p.pageLayout().paintRectPixels(p.resolution()).width();
}

int QtPrinter::PageHeight() {
  QPrinter& p = Current();
  return p.pageLayout().paintRectPixels(p.resolution()).height();
}

QPageLayout QtPrinter::PageLayout() { return Current().pageLayout(); }

int QtPrinter::DpiX() { return Current().resolution(); }
int QtPrinter::DpiY() { return Current().resolution(); }

bool QtPrinter::SetupDialog(QWidget* parent) {
  // Qt's dialog refuses the PDF printer (with a warning): ours offers what
  // a PDF page can honour.
  QPrinter& p = Current();
  if (IsPdf()) {
    QPageLayout layout = p.pageLayout();
    if (!RunPdfPageSetup(layout, parent)) return false;
    p.setPageLayout(layout);
    return true;
  }
  QPageSetupDialog dlg(&p, parent);
  return dlg.exec() == QDialog::Accepted;
}

bool QtPrinter::BeginDoc(const std::string& title, QWidget* parent) {
  QPrinter& p = Current();
  if (Printing()) throw EPrinter("Идёт печать.");
  const int w = PageWidth(), h = PageHeight();
  if (w <= 0 || h <= 0 || p.resolution() <= 0) throw EPrinter("Текущий принтер не установлен.");
  painter_ = std::make_unique<QPainter>();
  if (IsPdf()) {
    TFileDialog d = PdfDialog;
    if (!Services().ExecuteSaveDialog(parent, d)) {
      painter_.reset();
      return false;
    }
    PdfDialog.FileName = d.FileName;
    pdfFile_ = d.FileName;
    // The PDF is made in memory and written through the one safe file
    // writer, so a failed job leaves no partial file behind.
    pdfBuffer_ = std::make_unique<QBuffer>();
    pdfBuffer_->open(QIODevice::WriteOnly);
    pdf_ = std::make_unique<QPdfWriter>(pdfBuffer_.get());
    pdf_->setResolution(p.resolution());
    pdf_->setPageLayout(p.pageLayout());
    pdf_->setTitle(FromUtf8(title));
    pdf_->setCreator(QStringLiteral("Lumivar"));
    if (!painter_->begin(pdf_.get())) {
      Abort();
      throw EPrinter("Не удалось начать печать в файл.");
    }
  } else {
    p.setDocName(FromUtf8(title));
    if (!painter_->begin(&p)) {
      Abort();
      throw EPrinter("Не удалось начать печать на принтере «" + names_[static_cast<std::size_t>(index_)] + "».");
    }
  }
  // The page goes to the device as drawing commands: no picture of the
  // page is made, so the job's memory does not grow with the resolution.
  canvas_ = std::make_unique<TPainterCanvas>(*painter_, w, h, p.resolution());
  return true;
}

TCanvas& QtPrinter::Canvas() {
  if (!canvas_) throw EPrinter("Печать не начата.");
  return *canvas_;
}

void QtPrinter::EndDoc() {
  if (!Printing()) throw EPrinter("Печать не начата.");
  if (canvas_) canvas_->Flush();  // the lines the canvas still holds back
  const bool ended = painter_->end();
  const bool failed = !ended || (!pdf_ && printer_->printerState() == QPrinter::Error);
  std::string error = "Печать не удалась.";
  if (!failed && pdf_) {
    const QByteArray& bytes = pdfBuffer_->data();
    if (const int err = WriteFileAtomic(pdfFile_, bytes.constData(), static_cast<std::size_t>(bytes.size()),
                                        TargetName::Chosen)) {
      error = "Не удалось записать файл " + pdfFile_ + ": " + SysErrorText(err);
      Abort();
      throw EPrinter(error);
    }
  }
  Abort();  // releases the job's objects
  if (failed) throw EPrinter(error);
}

void QtPrinter::Abort() noexcept {
  if (painter_ && painter_->isActive()) {
    if (!pdf_ && printer_) printer_->abort();
    painter_->end();
  }
  canvas_.reset();
  painter_.reset();
  pdf_.reset();
  pdfBuffer_.reset();
}

}  // namespace plat
