#pragma once
// The about window: name, version, contacts and two memory figures.
#include <QDialog>
#include <cstdint>
#include <string>

class QFrame;
class QLabel;
class QLocale;
class QPushButton;
class QTextEdit;

namespace lumivar {

// The addresses the two link labels open.
extern const char* const HomePage;
extern const char* const ContactMail;

// Total physical memory in kilobytes, rounded, digits grouped by threes with
// the locale's separator, followed by " Кбайт"; a zero count prints no digits.
std::string FormatPhysMem(std::uint64_t totalBytes, const QLocale& locale);
// "свободно N %" with N = 100 minus the memory load in per cent.
std::string FormatFreeRes(std::uint64_t totalBytes, std::uint64_t availBytes);

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  QLabel* Image1;
  QLabel* Label1;
  QLabel* Label4;
  QLabel* Label7;
  QLabel* Label5;
  QLabel* Page;
  QLabel* Label6;
  QLabel* Mail;
  QTextEdit* Memo2;
  QFrame* Bevel1;
  QLabel* Label3;
  QLabel* PhysMem;
  QLabel* Label2;
  QLabel* FreeRes;
  QPushButton* OKButton;

  void FormPaint();
  void PageClick();
  void MailClick();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TAboutBox* AboutBox;

}  // namespace lumivar
