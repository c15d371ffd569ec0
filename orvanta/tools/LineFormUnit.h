#pragma once
#include <QDialog>

class TLineForm : public QDialog {
  Q_OBJECT
 public:
  explicit TLineForm(QWidget* parent = nullptr);
};

extern TLineForm* LineForm;
