#pragma once
#include <QComboBox>
#include <QDialog>

class TProizForm : public QDialog {
  Q_OBJECT
 public:
  explicit TProizForm(QWidget* parent = nullptr);

  // The formula box, an editable combo box the main window fills with its list.
  QComboBox* txtFunction = nullptr;
};

extern TProizForm* ProizForm;
