#pragma once
// The print dialog. Its controls and printing arrive with the printing work;
// the menu command already opens it.
#include <QDialog>

namespace lumivar {

class TPrintForm : public QDialog {
  Q_OBJECT
 public:
  explicit TPrintForm(QWidget* parent = nullptr);
};

extern TPrintForm* PrintForm;

}  // namespace lumivar
