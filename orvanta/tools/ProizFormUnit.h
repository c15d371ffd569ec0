#pragma once
// " Производная функции": the derivative of a formula as a new formula,
// again on request, and handed to the plot.
#include <QComboBox>

#include "orvanta/tools/ToolForm.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TProizForm : public TToolForm {
  Q_OBJECT
 public:
  explicit TProizForm(QWidget* parent = nullptr);

  // The formula box, an editable combo box the main window fills with its list.
  QComboBox* txtFunction = nullptr;
  QPushButton* btnCancel = nullptr;
  QPushButton* btnOk = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* lbFunc = nullptr;
  QLineEdit* txtProiz = nullptr;
  QPushButton* btnSecond = nullptr;
  QPushButton* btnGraph = nullptr;

  void btnOkClick();
  void btnSecondClick();
  void btnGraphClick();
  void btnCancelClick();

 protected:
  void FormShow() override;
};

extern TProizForm* ProizForm;
