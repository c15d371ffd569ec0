#pragma once
// A printer for tests: answers from its fields, records what the program set
// and printed, and can be told to fail at each step.
//
//   plat::FakePrinter printer;
//   plat::ScopedPrinter use(printer);
//   printer.Dpi = 254;  // one device pixel is 0.1 mm
//   ... run the dialog ...
//   EXPECT_EQ(printer.Jobs.at(0).Title, "График");
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/RecordingCanvas.h"
#include "platform/qt/Printer.h"

namespace plat {

struct FakePrintJob {
  std::string Title;
  bool Ended = false;    // EndDoc ran and succeeded
  bool Aborted = false;  // Abort ran
  int Copies = 0;
  TPrinterOrientation Orientation = TPrinterOrientation::poPortrait;
};

class FakePrinter : public IPrinter {
 public:
  // ---- the printers and their current settings
  std::vector<std::string> Names{"Принтер 1", "Принтер 2"};
  int Index = 0;
  TPrinterOrientation CurrentOrientation = TPrinterOrientation::poPortrait;
  int CurrentCopies = 1;
  // The printable area in portrait, device pixels; landscape swaps them.
  int PortraitWidth = 1900;
  int PortraitHeight = 2770;
  int Dpi = 254;
  int DpiYValue = 0;  // 0: the same as Dpi

  // ---- failures
  bool FailQueries = false;  // every query throws EPrinter
  bool FailBegin = false;    // BeginDoc throws
  bool DeclineBegin = false; // BeginDoc returns false (the user declined)
  bool FailEnd = false;      // EndDoc throws
  bool SetupAnswer = false;  // what the set-up dialog returns
  // Runs inside the set-up dialog (change settings as a user would).
  std::function<void(FakePrinter&)> OnSetup;

  // ---- what happened
  std::vector<FakePrintJob> Jobs;
  std::vector<int> IndexChanges;
  int SetupCalls = 0;
  // The last job's page; kept after the job ends so tests can read it.
  std::unique_ptr<TRecordingCanvas> Page;

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
  bool Printing() const override { return printing_; }

 private:
  void Query() const;
  bool printing_ = false;
};

}  // namespace plat
