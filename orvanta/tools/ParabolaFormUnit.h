#pragma once
#include <QDialog>

class TParabolaForm : public QDialog {
  Q_OBJECT
 public:
  explicit TParabolaForm(QWidget* parent = nullptr);
};

extern TParabolaForm* ParabolaForm;
