#pragma once
// The printer on Qt PrintSupport: the installed printers, then the file
// printer that writes the page as a PDF file whose name the user chooses.
#include <QPageLayout>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/Printer.h"
#include "platform/qt/Services.h"

class QBuffer;
class QPainter;
class QPdfWriter;
class QPrinter;

namespace plat {

class TPainterCanvas;

class QtPrinter : public IPrinter {
 public:
  QtPrinter();
  ~QtPrinter() override;

  // The name of the printer that writes PDF files; always the last one.
  static std::string PdfPrinterName();

  std::vector<std::string> Printers() override;
  int PrinterIndex() override;
  void SetPrinterIndex(int index) override;
  TPrinterOrientation Orientation() override;
  void SetOrientation(TPrinterOrientation o) override;
  int Copies() override;
  void SetCopies(int n) override;
  int PageWidth() override;
  int PageHeight() override;
  int DpiX() override;
  int DpiY() override;
  bool SetupDialog(QWidget* parent) override;
  bool BeginDoc(const std::string& title, QWidget* parent) override;
  TCanvas& Canvas() override;
  void EndDoc() override;
  void Abort() noexcept override;
  bool Printing() const override { return painter_ != nullptr; }

  // The current printer's page: paper, orientation and the margins around
  // the printable area that the canvas covers.
  QPageLayout PageLayout();

  // The file dialog the PDF printer asks with; keeps the last name chosen.
  TFileDialog PdfDialog;

 private:
  QPrinter& Current();
  bool IsPdf() const;

  std::vector<std::string> names_;
  int index_ = -1;
  std::unique_ptr<QPrinter> printer_;  // the current printer's settings
  // The job: the canvas draws the page with the painter on the device (the
  // printer, or a PDF writer into memory that goes to the file at the end).
  std::unique_ptr<QBuffer> pdfBuffer_;
  std::unique_ptr<QPdfWriter> pdf_;
  std::string pdfFile_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TPainterCanvas> canvas_;
};

}  // namespace plat
