#pragma once
// The new-function dialog " Новая функция".
#include <QDialog>

class TNewFunctionForm : public QDialog {
  Q_OBJECT
 public:
  explicit TNewFunctionForm(QWidget* parent = nullptr);
};

extern TNewFunctionForm* NewFunctionForm;
