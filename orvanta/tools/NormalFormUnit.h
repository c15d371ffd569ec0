#pragma once
#include <QDialog>

class TNormalForm : public QDialog {
  Q_OBJECT
 public:
  explicit TNormalForm(QWidget* parent = nullptr);
};

extern TNormalForm* NormalForm;
