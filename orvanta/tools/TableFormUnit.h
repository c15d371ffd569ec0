#pragma once
#include <QDialog>

class TTableForm : public QDialog {
  Q_OBJECT
 public:
  explicit TTableForm(QWidget* parent = nullptr);
};

extern TTableForm* TableForm;
