#pragma once
// " Определенный интеграл": the left-rectangle sum of a formula between two
// limits, optionally of its absolute value.
#include <QComboBox>

#include "orvanta/tools/ToolForm.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TIntegralForm : public TToolForm {
  Q_OBJECT
 public:
  explicit TIntegralForm(QWidget* parent = nullptr);

  // The formula box, an editable combo box the main window fills with its list.
  QComboBox* txtFunction = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLineEdit* txtMinX = nullptr;
  QLineEdit* txtMaxX = nullptr;
  QLineEdit* txtDx = nullptr;
  QCheckBox* cbxIfPolog = nullptr;
  QPushButton* btnCancel = nullptr;
  QPushButton* btnOk = nullptr;
  QGroupBox* gbResults = nullptr;
  QLabel* lblFunc = nullptr;
  QLabel* lblPredel = nullptr;
  QLabel* lblPolog = nullptr;
  QLabel* lblAbs = nullptr;
  QLabel* lblResult = nullptr;

  void btnOkClick();
  void btnCancelClick();

 protected:
  void FormShow() override;
};

extern TIntegralForm* IntegralForm;
