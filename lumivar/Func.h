#pragma once
// The typed-formula dialog and the plotter's binding of libkorvel.so.
#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lumivar {

// The library's seven exports as the plotter calls them. They start bound to
// libkorvel.so (resolved by the loader when the program starts); tests may
// swap in recording stand-ins to check the calling order.
struct TKorvelApi {
  void (*Init_Number)(std::uint8_t N);
  void (*Lex_Analiz_Init)();
  std::int32_t (*Lexan)(char* S);
  void (*Error)(std::int32_t Code, const char** Msg);
  void (*Init_ABC)(long double A, long double B, long double C);
  long double (*Interpret)(long double X);
  std::uint8_t (*GetDraw)();
};
extern TKorvelApi Korvel;
// The real exports of libkorvel.so.
TKorvelApi KorvelExports();

// Selects library slot n and remembers it: a drawing may select the other
// slot while the formula dialog is open, and the compile must still go to
// the slot the dialog was opened for.
void SelectLibrarySlot(int n);
// The slot selected last through SelectLibrarySlot, 0 before the first.
extern int SelectedLibrarySlot;

// Compiles a UTF-8 formula text into the selected library slot: clears the
// slot, hands Lexan a writable Windows-1251 copy and returns its code.
std::int32_t CompileFormula(const std::string& utf8);
// The library's message for a code, in UTF-8.
std::string ErrorText(std::int32_t code);
// Compiles the last accepted text of slot n into library slot n again
// (AltCompiled tells whether that worked); without one the slot stays empty.
void RestoreAcceptedFormula(int n);

class TAltFunc : public QDialog {
  Q_OBJECT
 public:
  explicit TAltFunc(QWidget* parent = nullptr);

  QLabel* Label2;
  QLineEdit* Edit1;
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;

  void FormShow();
  void Button1Click();
  void Button2Click();
  // True when Enter was handled (it runs Button1Click).
  bool Edit1KeyPress(int key);

  // A text was rejected since the dialog was last opened, so the library
  // slot holds a failed compile.
  bool Rejected = false;

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TAltFunc* AltFunc;

}  // namespace lumivar
