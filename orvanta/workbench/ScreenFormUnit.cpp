#include "orvanta/workbench/ScreenFormUnit.h"

TScreenForm* ScreenForm = nullptr;

TScreenForm::TScreenForm(QWidget* parent) : QDialog(parent) {
  setObjectName("ScreenForm");
}
