#pragma once
// "Уравнение касательной" and its twin "Уравнение нормали": the line that
// touches (or stands normal to) the graph of a formula at x0, as a formula.
#include <QComboBox>

#include "orvanta/tools/ToolForm.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The layout and the run of both windows; `Normal` picks the normal.
class TPointLineForm : public TToolForm {
  Q_OBJECT
 public:
  TPointLineForm(QWidget* parent, bool normal);

  const bool Normal;

  // The formula box, an editable combo box the main window fills with its list.
  QComboBox* txtFunction = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* txtX0 = nullptr;
  QPushButton* btnCancel = nullptr;
  QPushButton* btnOk = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLabel* lbFunc = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* lbX0 = nullptr;
  QLineEdit* txtKasat = nullptr;
  QPushButton* btnGraph = nullptr;

  void btnOkClick();
  void btnGraphClick();
  void btnCancelClick();
};

class TKasatForm : public TPointLineForm {
  Q_OBJECT
 public:
  explicit TKasatForm(QWidget* parent = nullptr) : TPointLineForm(parent, false) {}
};

extern TKasatForm* KasatForm;
