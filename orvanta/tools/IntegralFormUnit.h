#pragma once
#include <QDialog>

class TIntegralForm : public QDialog {
  Q_OBJECT
 public:
  explicit TIntegralForm(QWidget* parent = nullptr);
};

extern TIntegralForm* IntegralForm;
