#pragma once
#include <QDialog>

class TUravnForm : public QDialog {
  Q_OBJECT
 public:
  explicit TUravnForm(QWidget* parent = nullptr);
};

extern TUravnForm* UravnForm;
