#pragma once
#include <QComboBox>
#include <QDialog>

class TIntegralForm : public QDialog {
  Q_OBJECT
 public:
  explicit TIntegralForm(QWidget* parent = nullptr);

  // The formula box, an editable combo box the main window fills with its list.
  QComboBox* txtFunction = nullptr;
};

extern TIntegralForm* IntegralForm;
