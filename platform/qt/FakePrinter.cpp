#include "platform/qt/FakePrinter.h"

namespace plat {

void FakePrinter::Query() const {
  if (FailQueries) throw EPrinter("Текущий принтер не установлен.");
}

std::vector<std::string> FakePrinter::Printers() {
  Query();
  return Names;
}

int FakePrinter::PrinterIndex() {
  Query();
  if (Index < 0) throw EPrinter("Текущий принтер не установлен.");
  return Index;
}

void FakePrinter::SetPrinterIndex(int index) {
  Query();
  IndexChanges.push_back(index);
  Index = index;
}

TPrinterOrientation FakePrinter::Orientation() {
  Query();
  return CurrentOrientation;
}

void FakePrinter::SetOrientation(TPrinterOrientation o) {
  Query();
  CurrentOrientation = o;
}

int FakePrinter::Copies() {
  Query();
  return CurrentCopies;
}

void FakePrinter::SetCopies(int n) {
  Query();
  CurrentCopies = n;
}

int FakePrinter::PageWidth() {
  Query();
  return CurrentOrientation == TPrinterOrientation::poLandscape ? PortraitHeight : PortraitWidth;
}

int FakePrinter::PageHeight() {
  Query();
  return CurrentOrientation == TPrinterOrientation::poLandscape ? PortraitWidth : PortraitHeight;
}

int FakePrinter::DpiX() {
  Query();
  return Dpi;
}

int FakePrinter::DpiY() {
  Query();
  return DpiYValue ? DpiYValue : Dpi;
}

bool FakePrinter::SetupDialog(QWidget*) {
  Query();
  ++SetupCalls;
  if (OnSetup) OnSetup(*this);
  return SetupAnswer;
}

bool FakePrinter::BeginDoc(const std::string& title, QWidget*) {
  Query();
  if (printing_) throw EPrinter("A job is already open");
  if (FailBegin) throw EPrinter("Принтер не отвечает.");
  if (DeclineBegin) return false;
  FakePrintJob job;
  job.Title = title;
  job.Copies = CurrentCopies;
  job.Orientation = CurrentOrientation;
  Jobs.push_back(job);
  Page = std::make_unique<TRecordingCanvas>(PageWidth(), PageHeight());
  Page->SetPixelsPerInch(DpiY());
  printing_ = true;
  return true;
}

TCanvas& FakePrinter::Canvas() {
  if (!printing_ || !Page) throw EPrinter("No job is open");
  return *Page;
}

void FakePrinter::EndDoc() {
  if (!printing_) throw EPrinter("No job is open");
  if (FailEnd) throw EPrinter("Принтер не отвечает.");
  Jobs.back().Ended = true;
  printing_ = false;
}

void FakePrinter::Abort() noexcept {
  if (printing_ && !Jobs.empty()) Jobs.back().Aborted = true;
  printing_ = false;
}

}  // namespace plat
