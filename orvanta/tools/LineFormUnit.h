#pragma once
// "Прямая по двум точкам": the line y = kx + b through two points, as a
// formula that can be handed to the plot.
#include "orvanta/tools/ToolForm.h"

class QLineEdit;
class QPushButton;

class TLineForm : public TToolForm {
  Q_OBJECT
 public:
  explicit TLineForm(QWidget* parent = nullptr);

  QLineEdit* txtX1 = nullptr;
  QLineEdit* txtY1 = nullptr;
  QLineEdit* txtX2 = nullptr;
  QLineEdit* txtY2 = nullptr;
  QPushButton* btnClose = nullptr;
  QPushButton* btnOk = nullptr;
  QLineEdit* txtFunction = nullptr;  // the line's formula, read-only
  QPushButton* btnAddGraph = nullptr;

  void btnOkClick();
  void btnAddGraphClick();
  void btnCloseClick();
};

extern TLineForm* LineForm;
