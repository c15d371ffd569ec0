#pragma once
// "Парабола по трем  точкам": the parabola y = ax^2 + bx + c through three
// points, as a formula that can be handed to the plot.
#include "orvanta/tools/ToolForm.h"

class QLineEdit;
class QPushButton;

class TParabolaForm : public TToolForm {
  Q_OBJECT
 public:
  explicit TParabolaForm(QWidget* parent = nullptr);

  QLineEdit* txtX1 = nullptr;
  QLineEdit* txtY1 = nullptr;
  QLineEdit* txtX2 = nullptr;
  QLineEdit* txtY2 = nullptr;
  QLineEdit* txtX3 = nullptr;
  QLineEdit* txtY3 = nullptr;
  QPushButton* btnClose = nullptr;
  QPushButton* btnOk = nullptr;
  QLineEdit* txtFunction = nullptr;  // the parabola's formula, read-only
  QPushButton* btnAddGraph = nullptr;

  void btnOkClick();
  void btnAddGraphClick();
  void txtFunctionChange();
  void btnCloseClick();
};

extern TParabolaForm* ParabolaForm;
