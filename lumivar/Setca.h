#pragma once
// The grid dialog: the style and colour of the plot's grid. Each choice goes
// straight into GridStyle and GridColor; Ok only tells the grid command to
// switch the grid on.
#include <QDialog>
#include <memory>

#include "platform/qt/Bitmap.h"
#include "platform/qt/Services.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace lumivar {

class TSetcaForm : public QDialog {
  Q_OBJECT
 public:
  explicit TSetcaForm(QWidget* parent = nullptr);

  QGroupBox* GroupBox1;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QRadioButton* RadioButton3;
  QRadioButton* RadioButton4;
  QRadioButton* RadioButton5;
  QLabel* Image1;
  QLabel* Image2;
  QLabel* Image3;
  QLabel* Image4;
  QLabel* Image5;
  QGroupBox* GroupBox2;
  QLabel* Image6;  // the colour swatch
  QPushButton* Button1;
  QPushButton* OkButton;
  QPushButton* CancelButton;
  plat::TColorDialog ColorDialog1;

  // The swatch's picture, 85 by 45 pixels, shown in Image6.
  plat::TBitmap Swatch{85, 45};

  void FormCreate();
  void RadioButton1Click();
  void RadioButton2Click();
  void RadioButton3Click();
  void RadioButton4Click();
  void RadioButton5Click();
  void Button1Click();

  // The style sample of a style (0 solid .. 4 dash-dot-dot): 90 by 1 pixels,
  // black segments on white; the samples of the broken styles show their
  // segments transparent.
  static QImage StyleSample(int style);

 protected:
  bool event(QEvent* e) override;

 private:
  void ShowSwatch();
};

extern TSetcaForm* SetcaForm;
// The help topic of the grid dialog.
constexpr int kSetcaHelpContext = 22;

}  // namespace lumivar
