#pragma once
#include <QComboBox>
#include <QDialog>

class TTableForm : public QDialog {
  Q_OBJECT
 public:
  explicit TTableForm(QWidget* parent = nullptr);

  // The formula box, an editable combo box the main window fills with its list.
  QComboBox* txtFunction = nullptr;
};

extern TTableForm* TableForm;
