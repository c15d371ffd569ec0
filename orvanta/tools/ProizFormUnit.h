#pragma once
#include <QDialog>

class TProizForm : public QDialog {
  Q_OBJECT
 public:
  explicit TProizForm(QWidget* parent = nullptr);
};

extern TProizForm* ProizForm;
