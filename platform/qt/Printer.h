#pragma once
// The printer the windows print on: the list of printers and the current
// one, orientation, copies, the printable page in device pixels, the
// resolution, the printer's own set-up dialog, and a one-page job whose
// canvas follows the same drawing conventions as the screen's (Canvas.h;
// the Qt printer's canvas sends the page as drawing commands, see
// PainterCanvas.h).
//
// Printer() is the Qt implementation in the programs (QtPrinter.h) and a
// recording fake in tests (FakePrinter.h). Like the print dialogs of Linux
// desktops, the Qt one always ends its list with a printer that writes a
// PDF file, so a machine without printers can still print.
//
// Every query may throw when the printing system fails; callers treat that
// as "no usable printer".
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Canvas.h"

class QWidget;

namespace plat {

enum class TPrinterOrientation { poPortrait, poLandscape };

// A failure of the printing system, with a text for the user (UTF-8).
class EPrinter : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class IPrinter {
 public:
  virtual ~IPrinter() = default;

  virtual std::vector<std::string> Printers() = 0;  // names, UTF-8
  // Index of the current printer in Printers(); throws when there is none.
  virtual int PrinterIndex() = 0;
  virtual void SetPrinterIndex(int index) = 0;  // the new printer starts with its own settings

  virtual TPrinterOrientation Orientation() = 0;
  virtual void SetOrientation(TPrinterOrientation o) = 0;
  virtual int Copies() = 0;
  virtual void SetCopies(int n) = 0;

  // The printable area of the page in device pixels, in the current orientation.
  virtual int PageWidth() = 0;
  virtual int PageHeight() = 0;
  // Device pixels per inch across and down.
  virtual int DpiX() = 0;
  virtual int DpiY() = 0;

  // The current printer's set-up dialog; true when the user confirmed it.
  virtual bool SetupDialog(QWidget* parent) = 0;

  // A job of one page. BeginDoc returns false when the user declined (the
  // file printer asks for its file name); it throws when the job cannot
  // start. Canvas() is valid until EndDoc or Abort; it covers the printable
  // area, PageWidth() by PageHeight(). EndDoc sends the page and throws when
  // that fails; Abort drops the job and never throws.
  virtual bool BeginDoc(const std::string& title, QWidget* parent) = 0;
  virtual TCanvas& Canvas() = 0;
  virtual void EndDoc() = 0;
  virtual void Abort() noexcept = 0;
  virtual bool Printing() const = 0;
};

// The current printer; the Qt one unless a test installed another.
IPrinter& Printer();
// Installs `p` (not owned); nullptr restores the Qt one.
void SetPrinter(IPrinter* p);
IPrinter* InstalledPrinter();

// Installs a printer for the lifetime of the object.
class ScopedPrinter {
 public:
  explicit ScopedPrinter(IPrinter& p) : previous_(InstalledPrinter()) { SetPrinter(&p); }
  ~ScopedPrinter() { SetPrinter(previous_); }
  ScopedPrinter(const ScopedPrinter&) = delete;
  ScopedPrinter& operator=(const ScopedPrinter&) = delete;

 private:
  IPrinter* previous_;
};

}  // namespace plat
