#pragma once
#include <QDialog>

class TKasatForm : public QDialog {
  Q_OBJECT
 public:
  explicit TKasatForm(QWidget* parent = nullptr);
};

extern TKasatForm* KasatForm;
