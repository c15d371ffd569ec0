#pragma once
// The print dialog: printer, orientation, copies, the picture's rectangle on
// the page in centimetres, line widths in millimetres, centring, the whole
// page and colour. Its choices go straight to the platform's printer and stay
// for the next opening; Ok prints the current view into the rectangle.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace plat {
class TSpinEdit;
class TSpinEditCm;
}  // namespace plat

namespace lumivar {

class TPrintForm : public QDialog {
  Q_OBJECT
 public:
  explicit TPrintForm(QWidget* parent = nullptr);

  QLabel* Label1;
  QComboBox* PrintersList;
  QPushButton* Properties;
  QLabel* Label2;
  plat::TSpinEdit* Copies;
  QGroupBox* GroupBox1;  // "Ориентация"
  QLabel* Image1;        // portrait page picture
  QLabel* Image2;        // landscape page picture
  QRadioButton* Vert;
  QRadioButton* Gor;
  QGroupBox* GroupBox2;  // "Положение:"
  QLabel* Label3;
  QLabel* Label4;
  plat::TSpinEditCm* Top;
  plat::TSpinEditCm* Left;
  QPushButton* Center;
  QGroupBox* GroupBox3;  // "Размер:"
  QLabel* Label5;
  QLabel* Label6;
  plat::TSpinEditCm* Height;
  plat::TSpinEditCm* Width;
  QCheckBox* AllPage;
  QGroupBox* GroupBox4;  // "Дополнительные опции:"
  QLabel* Label7;
  QLabel* Label8;
  plat::TSpinEditCm* GraphWidth;
  plat::TSpinEditCm* OXYWidth;
  QCheckBox* ColorPrint;
  QPushButton* Button3;  // Ok
  QPushButton* Button4;  // Отмена

  void Upd();
  void FormActivate();
  void PropertiesClick();
  void VertClick();
  void GorClick();
  void CopiesChange(plat::TSpinEdit* Sender);
  void AllPageClick();
  void CenterClick();
  void LeftChange(plat::TSpinEditCm* Sender);
  void TopChange(plat::TSpinEditCm* Sender);
  void PrintersListChange();
  void Button3Click();
  void HeightChange(plat::TSpinEditCm* Sender);
  void WidthChange(plat::TSpinEditCm* Sender);
  void GrOXYWidthChange(plat::TSpinEditCm* Sender);

  // The pop-up help topic of a control: its own number, else the nearest
  // enclosing control's; 0 when none has one.
  static int HelpContextOf(const QWidget* w);

 protected:
  bool event(QEvent* e) override;

 private:
  void CenterOnScreen();
  bool activating_ = false;
};

extern TPrintForm* PrintForm;
// The message for a printing system without a usable printer.
extern const char* const kNoPrinter;

}  // namespace lumivar
