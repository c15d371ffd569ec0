#pragma once
#include <QComboBox>
#include <QDialog>

class TKasatForm : public QDialog {
  Q_OBJECT
 public:
  explicit TKasatForm(QWidget* parent = nullptr);

  // The formula box, an editable combo box the main window fills with its list.
  QComboBox* txtFunction = nullptr;
};

extern TKasatForm* KasatForm;
