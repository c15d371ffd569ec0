#pragma once
// The screen-properties dialog " Свойства экрана".
#include <QDialog>

class TScreenForm : public QDialog {
  Q_OBJECT
 public:
  explicit TScreenForm(QWidget* parent = nullptr);
};

extern TScreenForm* ScreenForm;
