#pragma once
#include <QComboBox>
#include <QDialog>

class TNormalForm : public QDialog {
  Q_OBJECT
 public:
  explicit TNormalForm(QWidget* parent = nullptr);

  // The formula box, an editable combo box the main window fills with its list.
  QComboBox* txtFunction = nullptr;
};

extern TNormalForm* NormalForm;
