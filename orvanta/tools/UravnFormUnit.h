#pragma once
// "Решение квадратных уравнений": real roots of a x^2 + b x + c = 0, and
// the polynomial handed to the plot.
#include "orvanta/tools/ToolForm.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TUravnForm : public TToolForm {
  Q_OBJECT
 public:
  explicit TUravnForm(QWidget* parent = nullptr);

  QLineEdit* txtA = nullptr;
  QLineEdit* txtB = nullptr;
  QLineEdit* txtC = nullptr;
  QPushButton* btnCancel = nullptr;
  QPushButton* btnAddGraph = nullptr;
  QPushButton* btnOk = nullptr;
  QLabel* cpUravn = nullptr;
  QLineEdit* txtD = nullptr;
  QLabel* cpResult = nullptr;
  QLineEdit* txtX1 = nullptr;
  QLineEdit* txtX2 = nullptr;

  void btnOkClick();
  void btnAddGraphClick();
  void btnCancelClick();
};

extern TUravnForm* UravnForm;
