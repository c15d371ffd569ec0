#pragma once
// The grid dialog. Its controls arrive with the grid work; the menu command
// already opens it.
#include <QDialog>

namespace lumivar {

class TSetcaForm : public QDialog {
  Q_OBJECT
 public:
  explicit TSetcaForm(QWidget* parent = nullptr);
};

extern TSetcaForm* SetcaForm;

}  // namespace lumivar
